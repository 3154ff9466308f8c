// What the print dialog itself decides for a job (copies, pages, orientation,
// pages per sheet), and how it reaches CUPS and the filter: CUPS's own options
// for the scheduler's filters, and the print system's keys that only a print
// dialog writes, which the filter reads for its job header.
#pragma once
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "print_settings.h"

struct ppd_file_s;

// The print system's key paths read by the filter.
inline constexpr char kPMCopiesKey[] = "com.apple.print.PrintSettings.PMCopies..n.";
inline constexpr char kPMLayoutRowsKey[] = "com.apple.print.PrintSettings.PMLayoutRows..n.";
inline constexpr char kPMLayoutColumnsKey[] = "com.apple.print.PrintSettings.PMLayoutColumns..n.";
inline constexpr char kPMLayoutDirectionKey[] = "com.apple.print.PrintSettings.PMLayoutDirection..n.";
// The unadjusted paper rectangle of the page format, element N (0 top, 1 left,
// 2 bottom, 3 right, in points from the imageable area's top left corner).
inline constexpr char kPMPaperRectKeyStart[] =
    "com.apple.print.subTicket.page_format_ticket..d.com.apple.print.subTicket.paper_info_ticket..d."
    "com.apple.print.PaperInfo.PMUnadjustedPaperRect..a.";

// IPP orientation-requested values.
enum Orientation : int { kPortrait = 3, kLandscape = 4, kReverseLandscape = 5, kReversePortrait = 6 };
// The print system's layout direction codes.
enum LayoutDirection : int {
  kAcrossThenDown = 1,
  kAcrossRightToLeftThenDown = 2,
  kDownThenAcross = 3,
  kDownThenAcrossRightToLeft = 4,
};

struct PrintChoices {
  int copies = 1;
  bool collate = true;
  std::string pageRanges = {};  // "" for all pages; else as NormalizePageRanges gives it
  int orientation = kPortrait;
  int pagesPerSheet = 1;
  int layoutDirection = kAcrossThenDown;
};

struct LayoutGrid {
  int rows = 1;
  int columns = 1;
};

inline constexpr int kPagesPerSheet[] = {1, 2, 4, 6, 9, 16};
// Rows and columns of a sheet for `pagesPerSheet` (one of kPagesPerSheet) in
// portrait; swapped on landscape sheets. nullopt for any other count.
std::optional<LayoutGrid> LayoutGridFor(int pagesPerSheet, int orientation);
bool IsLandscape(int orientation);

// "1-3,5" from a person's "1 - 3, 5": pages and ascending ranges that do not
// overlap, each from page 1 on; nullopt when the text is not such a list.
std::optional<std::string> NormalizePageRanges(std::string_view text);

// Writes the choices into `settings` as the job's options, replacing what an
// earlier call wrote:
// - "copies", "collate" (true or false; the filter sees "collate" or
//   "nocollate") and PMCopies;
// - PMLayoutRows, PMLayoutColumns and PMLayoutDirection always, "number-up" and
//   "number-up-layout" with more than one page per sheet (CUPS's filters place
//   the pages on the sheet);
// - "orientation-requested" unless portrait (the filter reads its absence as
//   portrait, and portrait given as 3 would turn its two-up sheet to portrait);
// - "page-ranges" unless all pages;
// - "sides" from the PPD's marked "Duplex" choice, when the PPD has that option;
// - the paper rectangle of the PPD's marked page size.
void WritePrintChoices(const PrintChoices& choices, ppd_file_s* ppd, PrintSettings& settings);

// The choices as last used settings (name to text), and back; values that do
// not fit leave the defaults.
std::map<std::string, std::string> LastUsedFromChoices(const PrintChoices& choices);
PrintChoices ChoicesFromLastUsed(const std::map<std::string, std::string>& settings);
