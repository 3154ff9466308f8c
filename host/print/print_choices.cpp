#include "print_choices.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include "cups_ppd.h"

namespace {

// Every key WritePrintChoices may write, so that a later call replaces them all.
const char* const kDialogKeys[] = {
    "copies", "collate",    "number-up",      "number-up-layout",  "orientation-requested", "page-ranges",
    "sides",  kPMCopiesKey, kPMLayoutRowsKey, kPMLayoutColumnsKey, kPMLayoutDirectionKey};

// CUPS's number-up-layout for each layout direction code.
const char* NumberUpLayout(int direction) {
  switch (direction) {
    case kAcrossRightToLeftThenDown:
      return "rltb";
    case kDownThenAcross:
      return "tblr";
    case kDownThenAcrossRightToLeft:
      return "tbrl";
    default:
      return "lrtb";
  }
}

std::string PaperRectKey(int element) { return kPMPaperRectKeyStart + std::to_string(element) + "..n."; }

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

const char* SidesForDuplex(const char* choice) {
  if (std::strcmp(choice, "DuplexNoTumble") == 0) return "two-sided-long-edge";
  if (std::strcmp(choice, "DuplexTumble") == 0) return "two-sided-short-edge";
  return "one-sided";
}

bool ParseNumber(std::string_view text, size_t* at, long* value) {
  while (*at < text.size() && text[*at] == ' ') ++*at;
  size_t start = *at;
  *value = 0;
  while (*at < text.size() && text[*at] >= '0' && text[*at] <= '9' && *at - start < 9) {
    *value = *value * 10 + (text[*at] - '0');
    ++*at;
  }
  bool digits = *at > start && (*at >= text.size() || text[*at] < '0' || text[*at] > '9');
  while (*at < text.size() && text[*at] == ' ') ++*at;
  return digits;
}

int IntegerOr(const std::map<std::string, std::string>& settings, const char* name, int fallback) {
  auto found = settings.find(name);
  if (found == settings.end() || found->second.empty() || found->second.size() > 9) return fallback;
  char* end = nullptr;
  long value = std::strtol(found->second.c_str(), &end, 10);
  return *end == '\0' ? static_cast<int>(value) : fallback;
}

}  // namespace

bool IsLandscape(int orientation) { return orientation == kLandscape || orientation == kReverseLandscape; }

std::optional<LayoutGrid> LayoutGridFor(int pagesPerSheet, int orientation) {
  struct SheetGrid {
    int pagesPerSheet;
    LayoutGrid portrait;
  };
  static constexpr SheetGrid kGrids[] = {{1, {1, 1}}, {2, {1, 2}}, {4, {2, 2}}, {6, {2, 3}}, {9, {3, 3}}, {16, {4, 4}}};
  const auto* found = std::find_if(std::begin(kGrids), std::end(kGrids), [pagesPerSheet](const SheetGrid& row) {
    return row.pagesPerSheet == pagesPerSheet;
  });
  if (found == std::end(kGrids)) return std::nullopt;
  LayoutGrid grid = found->portrait;
  if (IsLandscape(orientation)) std::swap(grid.rows, grid.columns);
  return grid;
}

std::optional<std::string> NormalizePageRanges(std::string_view text) {
  std::string ranges;
  long previous = 0;
  size_t at = 0;
  do {
    if (!ranges.empty()) ++at;  // the comma
    long first = 0;
    long last = 0;
    if (!ParseNumber(text, &at, &first)) return std::nullopt;
    last = first;
    if (at < text.size() && text[at] == '-' && !ParseNumber(text, &++at, &last)) return std::nullopt;
    if (first <= previous || last < first) return std::nullopt;
    if (!ranges.empty()) ranges += ',';
    ranges += first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
    previous = last;
  } while (at < text.size() && text[at] == ',');
  if (at != text.size()) return std::nullopt;
  return ranges;
}

void WritePrintChoices(const PrintChoices& choices, ppd_file_s* ppd, PrintSettings& settings) {
  for (const char* key : kDialogKeys) settings.Remove(key);
  for (int element = 0; element < 4; ++element) settings.Remove(PaperRectKey(element));

  std::string copies = std::to_string(choices.copies);
  settings.Set("copies", copies, false);
  settings.Set(kPMCopiesKey, copies, false);
  settings.Set("collate", choices.collate ? "true" : "false", false);

  LayoutGrid grid = LayoutGridFor(choices.pagesPerSheet, choices.orientation).value_or(LayoutGrid{});
  int direction = choices.layoutDirection >= kAcrossThenDown && choices.layoutDirection <= kDownThenAcrossRightToLeft
                      ? choices.layoutDirection
                      : kAcrossThenDown;
  settings.Set(kPMLayoutRowsKey, std::to_string(grid.rows), false);
  settings.Set(kPMLayoutColumnsKey, std::to_string(grid.columns), false);
  settings.Set(kPMLayoutDirectionKey, std::to_string(direction), false);
  if (grid.rows * grid.columns > 1) {
    settings.Set("number-up", std::to_string(grid.rows * grid.columns), false);
    settings.Set("number-up-layout", NumberUpLayout(direction), false);
  }
  if (choices.orientation != kPortrait) {
    settings.Set("orientation-requested", std::to_string(choices.orientation), false);
  }
  if (!choices.pageRanges.empty()) settings.Set("page-ranges", choices.pageRanges, false);
  if (ppd == nullptr) return;
  if (ppd_choice_t* duplex = ppdFindMarkedChoice(ppd, "Duplex")) {
    settings.Set("sides", SidesForDuplex(duplex->choice), false);
  }
  if (ppd_size_t* size = ppdPageSize(ppd, nullptr); size != nullptr && size->width > 0 && size->length > 0) {
    const double rect[4] = {-(size->length - size->top), -size->left, size->top, size->width - size->left};
    for (int element = 0; element < 4; ++element) settings.Set(PaperRectKey(element), Number(rect[element]), false);
  }
}

std::map<std::string, std::string> LastUsedFromChoices(const PrintChoices& choices) {
  return {{"copies", std::to_string(choices.copies)},
          {"collate", choices.collate ? "true" : "false"},
          {"orientation", std::to_string(choices.orientation)},
          {"pages-per-sheet", std::to_string(choices.pagesPerSheet)},
          {"layout-direction", std::to_string(choices.layoutDirection)}};
}

PrintChoices ChoicesFromLastUsed(const std::map<std::string, std::string>& settings) {
  PrintChoices choices;
  int copies = IntegerOr(settings, "copies", 1);
  if (copies >= 1 && copies <= 9999) choices.copies = copies;
  auto collate = settings.find("collate");
  if (collate != settings.end()) choices.collate = collate->second != "false";
  int orientation = IntegerOr(settings, "orientation", kPortrait);
  if (orientation >= kPortrait && orientation <= kReversePortrait) choices.orientation = orientation;
  int pages = IntegerOr(settings, "pages-per-sheet", 1);
  if (LayoutGridFor(pages, kPortrait)) choices.pagesPerSheet = pages;
  int direction = IntegerOr(settings, "layout-direction", kAcrossThenDown);
  if (direction >= kAcrossThenDown && direction <= kDownThenAcrossRightToLeft) choices.layoutDirection = direction;
  return choices;
}
