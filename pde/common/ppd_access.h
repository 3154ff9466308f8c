// Reading the PPD as the panels do: options, defaults, marks, titles, numbers
// hidden in attribute values and choice keywords.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "pde_namespace.h"
#include "ppdattr.h"

namespace OVQ_PDE_NS {

// One choice of a PPD option as a panel lists it, with its conflict flag.
struct UIListRow {
  std::string option;    // option keyword
  std::string choice;    // choice keyword
  std::string title;     // the choice's translation text (UTF-8)
  std::string conflict;  // kConflictTrue or kConflictFalse
};

inline constexpr const char* kConflictTrue = "ConflictTrue";
inline constexpr const char* kConflictFalse = "ConflictFalse";

bool CheckPPDKeyIsExist(ppd_file_t* ppd, const char* keyword);
// True when the attribute exists, has a value and the value begins with `prefix`.
bool CheckIfPPDKeywordSupported(ppd_file_t* ppd, const char* attributeName, const char* prefix);
// The text encoding named by the PPD's own LanguageEncoding attribute
// (text_encoding.h numbers), the encoding of its attribute values; Mac Roman (0)
// for any other name or no PPD. Returns 0.
int GetCFStringEncodingFromPPD(ppd_file_t* ppd, uint32_t* encoding);

// The option's default choice keyword; false when the option is missing.
bool GetUIDefaultFromPPD(ppd_file_t* ppd, const char* keyword, std::string* defaultChoice);
// Index of the default choice; -1 when none matches or the option is missing.
int GetUIDefaultValueFromPPD(ppd_file_t* ppd, const char* keyword);
// Index of the first choice spelled exactly `choice`; the choice count when
// none is; 0 when the option is missing.
int GetChoiceIndex(ppd_file_t* ppd, const char* keyword, const char* choice);
// The option's translation text; false when the option is missing.
bool GetUITitleFromPPD(ppd_file_t* ppd, const char* keyword, std::string* title);
// Index in `list` of the option's default choice keyword, or -1.
int GetValueFromPPD(ppd_file_t* ppd, const char* keyword, const char* const* list, int count);
// Index of the marked choice of `keyword` (of `option` when given, else the
// option found by the keyword); when none is marked, of the default choice;
// -1 when neither exists.
int GetIndexOfMarkedOptionWithKey(ppd_option_t* option, ppd_file_t* ppd, const char* keyword);
// Index of the first row whose option and choice equal the given ones, or -1.
int FindPPDKeyPairsMatch(const std::vector<UIListRow>& rows, const char* option, const char* choice);

// The digits among the first 3 bytes of the attribute's value (decoded in the
// PPD's encoding) read as a decimal number; 0 when the attribute is missing.
int GetMBMaxNumberFromPPD(ppd_file_t* ppd, const char* attributeName);
// All digits of the option's default choice keyword (first 255 bytes) read as
// one decimal number; -1 when the option is missing.
int GetPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* keyword);
// The first integer found in the attribute's value, trying each position in
// turn; -1 when there is none or the attribute is missing.
int GetSorrelPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* attributeName);
// The digits among the first `length` bytes of `text` (it stops at a NUL),
// concatenated and read as a decimal number; 0 without digits. Saturates at INT_MAX.
int getIntFromString(const char* text, size_t length);

// Copies `keyword` into `out` (zeroed by the caller; at most size - 1 bytes, so
// that it stays terminated), writing its first two letters as "OV" when they
// are "OV" in any case and the PPD's Manufacturer is "Orvane".
void FixPPDKeywordAccordingToType(ppd_file_t* ppd, const char* keyword, char* out, size_t size);

// A translation text of the PPD as UTF-8. libcups hands translations over in
// UTF-8 already; text that is not valid UTF-8 is decoded in the PPD's encoding.
std::string PPDTranslationToUTF8(ppd_file_t* ppd, const char* text);
// A raw attribute value decoded in the PPD's encoding; false when it is not valid there.
bool PPDValueToUTF8(ppd_file_t* ppd, const char* value, std::string* utf8);

}  // namespace OVQ_PDE_NS
