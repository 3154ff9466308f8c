#include "input_validation.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "alert_sound.h"
#include "text_encoding.h"

namespace OVQ_PDE_NS {

namespace {

constexpr char16_t kHalfWidthVoicedMark = u'\uFF9E';
constexpr char16_t kHalfWidthSemiVoicedMark = u'\uFF9F';
constexpr char16_t kIdeographicSpace = u'\u3000';

bool IsSoundMark(char16_t unit) { return unit == kHalfWidthVoicedMark || unit == kHalfWidthSemiVoicedMark; }

bool SequenceValid(std::u16string_view sequence, const InputFilterData& filter) {
  if (sequence.size() == 1) return InFilter(filter, sequence[0]);
  if (!IsSoundMark(sequence.back())) return false;
  for (size_t i = 0; i + 1 < sequence.size(); ++i) {
    if (!InFilter(filter, sequence[i])) return false;
  }
  return true;
}

}  // namespace

bool InFilter(const InputFilterData& filter, int32_t unit) {
  int32_t count = filter.count < 0 ? 0 : std::min(filter.count, InputFilterData::kMaxRanges);
  for (int32_t i = 0; i < count; ++i) {
    if (unit >= filter.ranges[i].low && unit <= filter.ranges[i].high) return true;
  }
  return false;
}

bool validateInput(std::u16string_view text, const TextEditFilterData* filter) {
  if (text.empty() || filter == nullptr) return true;
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::BreakIterator> sequences(
      icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
  if (U_FAILURE(status) || sequences == nullptr) return false;
  icu::UnicodeString units(false, text.data(), static_cast<int32_t>(text.size()));
  sequences->setText(units);
  int32_t start = sequences->first();
  for (int32_t end = sequences->next(); end != icu::BreakIterator::DONE; start = end, end = sequences->next()) {
    if (!SequenceValid(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)), filter->charFilter)) {
      return false;
    }
  }
  return true;
}

bool validateInputForUTF8(std::u16string_view text, const TextEditFilterData* filter) {
  if (filter == nullptr) return true;
  for (char16_t unit : text) {
    if (!InFilter(filter->charFilter, unit)) return false;
  }
  return true;
}

bool IsAllSpace(std::u16string_view text) {
  for (char16_t unit : text) {
    if (unit != u' ' && unit != kIdeographicSpace) return false;
  }
  return true;
}

uint32_t GetStringLength(std::u16string_view text) {
  uint32_t width = 0;
  for (char16_t unit : text) width += unit <= 0xFF ? 1 : 2;
  return width;
}

uint32_t GetUTF8StringLength(const char* utf8) {
  if (utf8 == nullptr || *utf8 == '\0') return 0;
  int32_t bytes = static_cast<int32_t>(std::strlen(utf8));
  std::u16string units(static_cast<size_t>(bytes), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(units.data(), bytes, &length, utf8, bytes, 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return 0;
  units.resize(static_cast<size_t>(length));
  return GetStringLength(units);
}

TextEditFormatterNvx& TextEditFormatterNvx::initWithFilter(const TextEditFilterData* filter, uint32_t maxLength) {
  filter_ = filter;
  maxLength_ = maxLength;
  return *this;
}

bool TextEditFormatterNvx::isPartialStringValid(std::u16string_view partial, std::string* errorDescription) const {
  if (validateInput(partial, filter_) && GetStringLength(partial) <= maxLength_) return true;
  if (errorDescription != nullptr) *errorDescription = kStringTooLong;
  SysBeep();
  return false;
}

bool TextEditFormatterNvx::getObjectValue(std::u16string* object, std::u16string_view text,
                                          std::string* errorDescription) const {
  (void)errorDescription;
  if (object != nullptr) object->assign(text);
  return true;
}

std::optional<std::u16string> TextEditFormatterNvx::stringForObjectValue(const std::u16string* object) const {
  if (object == nullptr) return std::nullopt;
  return *object;
}

TextCheck CheckCommittedText(const TextEditIniData* ini, const TextEditFilterData* filter, const char* utf8) {
  if (ini == nullptr) return TextCheck::kValid;
  uint32_t width = GetUTF8StringLength(utf8);
  if (width != 0 && (width > ini->maxLength || width < ini->minLength)) return TextCheck::kBadLength;
  if (width == 0 || filter == nullptr) return TextCheck::kValid;
  std::u16string units;
  if (!UTF8ToUTF16(utf8, &units) || !validateInput(units, filter)) return TextCheck::kBadCharacter;
  return TextCheck::kValid;
}

bool ConvertIntToFloatStr(const int32_t* tenths, char* out, size_t size) {
  if (out == nullptr || size == 0) return false;
  std::memset(out, 0, size);
  if (tenths == nullptr) return false;
  char digits[16] = {};
  int length = std::snprintf(digits, sizeof digits, "%d", *tenths);
  char text[20] = {};
  if (length == 1) {
    text[0] = '0';
    text[1] = '.';
    text[2] = digits[0];
  } else {
    std::memcpy(text, digits, static_cast<size_t>(length - 1));
    text[length - 1] = '.';
    text[length] = digits[length - 1];
  }
  size_t textLength = std::strlen(text);
  if (textLength + 1 > size) return false;
  std::memcpy(out, text, textLength);
  return true;
}

}  // namespace OVQ_PDE_NS
