// Checks of typed text: allowed characters by code range, and length counted
// in display cells (the width count: U+0000 to U+00FF count 1, every other
// UTF-16 unit 2).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pde_namespace.h"

namespace OVQ_PDE_NS {

struct CodeRange {
  int32_t low = 0;   // inclusive
  int32_t high = 0;  // inclusive
};

// A set of allowed codes: the first `count` ranges (0 to 20) are in use.
struct InputFilterData {
  static constexpr int32_t kMaxRanges = 20;
  int32_t count = 0;
  std::array<CodeRange, kMaxRanges> ranges{};
};

// The filter of one text field. Only the character filter (UTF-16 units) is
// applied; the byte filter is carried for the panels' tables.
struct TextEditFilterData {
  InputFilterData byteFilter{};
  InputFilterData charFilter{};
  const char* messageKey = nullptr;  // localized alert text for a failed commit
};

// The initial data of a text control.
struct TextEditIniData {
  char initialText[256] = {};
  char defaultText[256] = {};
  uint32_t minLength = 0;  // smallest width count of a non-empty value
  uint32_t maxLength = 0;  // largest width count; also the keystroke limit
};

// Whether `unit` lies in one of the filter's ranges in use.
bool InFilter(const InputFilterData& filter, int32_t unit);

// Walks the text by composed character sequences (a base with its combining
// marks, a surrogate pair). A one-unit sequence must lie in the character
// filter; a longer one only passes when its last unit is U+FF9E or U+FF9F
// (half-width sound marks) and every unit before it lies in the filter.
// The empty text is valid; a missing filter restricts nothing.
bool validateInput(std::u16string_view text, const TextEditFilterData* filter);
// Every UTF-16 unit must lie in the character filter.
bool validateInputForUTF8(std::u16string_view text, const TextEditFilterData* filter);
// True for the empty text and for text made only of U+0020 and U+3000.
bool IsAllSpace(std::u16string_view text);

uint32_t GetStringLength(std::u16string_view text);
// Width count of NUL-terminated UTF-8; each ill-formed byte sequence counts as
// one replacement character (2). nullptr counts 0.
uint32_t GetUTF8StringLength(const char* utf8);

// The words of the keystroke check's refusal, for a bad character as well.
inline constexpr const char* kStringTooLong = "String too long.";

// The keystroke check of a text field.
class TextEditFormatterNvx {
 public:
  TextEditFormatterNvx& initWithFilter(const TextEditFilterData* filter, uint32_t maxLength);
  // Accepts the proposed text when validateInput passes and its width count is
  // at most the maximum; otherwise sets the error description, sounds the
  // alert and refuses.
  bool isPartialStringValid(std::u16string_view partial, std::string* errorDescription) const;
  // The object of a text is the text itself.
  bool getObjectValue(std::u16string* object, std::u16string_view text, std::string* errorDescription) const;
  std::optional<std::u16string> stringForObjectValue(const std::u16string* object) const;

  uint32_t maxLength() const { return maxLength_; }

 private:
  const TextEditFilterData* filter_ = nullptr;
  uint32_t maxLength_ = 0;
};

enum class TextCheck {
  kValid,
  kBadLength,     // width count outside [minLength, maxLength]
  kBadCharacter,  // refused by validateInput (or not UTF-8)
};

// The commit check of a text control: valid without initial data, for the
// empty value, and without a filter once the length fits.
TextCheck CheckCommittedText(const TextEditIniData* ini, const TextEditFilterData* filter, const char* utf8);

// The value in tenths as decimal text with a "." before the last digit: 125
// gives "12.5", 5 "0.5", -125 "-12.5", -5 "-.5". Fills all `size` bytes (the
// text, then zeros). False, with an empty text, when it does not fit.
bool ConvertIntToFloatStr(const int32_t* tenths, char* out, size_t size);

}  // namespace OVQ_PDE_NS
