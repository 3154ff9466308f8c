// The constraint cache file: ready-made constraint hash entries per panel and
// system generation, read instead of walking the PPD's UIConstraints.
//
// Format: per section, a line with the section name and a data line of entries
// "Option:Choice@group@option@choice@"; after the last section a stamp copied
// from the PPD's "*% Last Edit Date:" line, without a line end.
#pragma once
#include <array>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "constraint_hash.h"
#include "cups_ppd.h"
#include "pde_namespace.h"

namespace OVQ_PDE_NS {

inline constexpr const char* kSectionPrintFeatureTiger = "PrintFeaturePDETiger";
inline constexpr const char* kSectionPrintFeaturePanther = "PrintFeaturePDEPanther";
inline constexpr const char* kSectionImageOptionTiger = "ImageOptionPDETiger";
inline constexpr const char* kSectionImageOptionPanther = "ImageOptionPDEPanther";
inline constexpr const char* kStampMarker = "*% Last Edit Date:";
// Attribute whose value is the cache file's path.
inline constexpr const char* kCDFSettingAttribute = "OVXCDFSetting";

// Names handed to GetXPPD and CDFKeyExist must fit a 20-byte buffer with its NUL
// and must not be empty.
inline constexpr size_t kXPPDNameBufferSize = 20;

// A section to write: its name and the option keywords whose constraints it holds.
struct XPPDSection {
  const std::string* name = nullptr;
  const std::vector<std::string>* keywords = nullptr;
};

class CQuickXPPD {
 public:
  static constexpr size_t kMaxSections = 10;

  CQuickXPPD() = default;
  // Reading: fills `hash` from the section named `sectionName`.
  CQuickXPPD(XppdHash* hash, const std::string* sectionName);
  // Writing: copies `sections` up to (not including) the first one without a
  // keyword list, at most kMaxSections.
  CQuickXPPD(ppd_file_t* ppd, XppdHash* hash, const XPPDSection* sections, const std::string* ppdPath);

  // The constraint walk restricted to the work list. Returns the entries added.
  int SetXppd(ppd_file_t* ppd, XppdHash* hash);
  // Writes the stamp: the PPD's line that holds kStampMarker, without its line end.
  void SetFileStamp(std::ostream& out) const;

  // The builders of one constraint, as the free functions of constraint_hash.h.
  int xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XppdHash* hash, int index);
  int xConst2Hash_O1C1O2(ppd_file_t* ppd, XppdHash* hash, int index);
  int xConst2Hash_O1O2C2(ppd_file_t* ppd, XppdHash* hash, int index);
  int xConst2Hash_O1O2(ppd_file_t* ppd, XppdHash* hash, int index);

  // Entries the last write left out because their key holds "@" or a line
  // feed, which the format cannot carry.
  size_t SkippedEntries() const { return skipped_; }

  friend std::istream& operator>>(std::istream& in, CQuickXPPD& xppd);
  // Sets the stream's failbit when a section name holds a line feed.
  friend std::ostream& operator<<(std::ostream& out, CQuickXPPD& xppd);

 private:
  void WriteSection(std::ostream& out, const XPPDSection& section);

  XppdHash* xppd_ = nullptr;
  ppd_file_t* ppd_ = nullptr;
  const std::string* sectionName_ = nullptr;
  const std::string* ppdPath_ = nullptr;
  std::vector<std::string> workList_;
  std::array<XPPDSection, kMaxSections> sections_{};
  size_t skipped_ = 0;
};

// Moves the text of `line` up to the first `delimiter` to the end of `field`
// and removes it and the delimiter from `line`. False, changing nothing, when
// the line holds no delimiter.
bool getoneline(std::string& line, std::string& field, char delimiter);

// Fills `hash` from the cache file named by the attribute `attributeName`,
// section `panelName` + "Panther" (system 0x1030) or + "Tiger" (otherwise).
// 0 when the file was read; 1 when it could not be opened, the attribute is
// missing, or a name does not fit kXPPDNameBufferSize.
int GetXPPD(ppd_file_t* ppd, XppdHash* hash, const char* panelName, const char* attributeName);

// True when the PPD has an attribute found by ppdFindAttr_ALT(attributeName).
bool CDFKeyExist(ppd_file_t* ppd, const char* attributeName);

// Whether the file that the PPD's "OVXCDFSetting" names can be read (true
// without the attribute or its value): the version text's CDF-support state.
bool IsCDFSupported(ppd_file_t* ppd);

}  // namespace OVQ_PDE_NS
