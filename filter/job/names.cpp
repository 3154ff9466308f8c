#include "names.h"

#include <cstring>

#include "jobstate.h"
#include "textconv.h"
#include "ticket.h"

const ValidateDataScale docuNameValidateDataScale = {{1, {{32, 126}}}, {0, {}}};
const ValidateDataScale docuNameValidateDataScaleForProduct02 = {{2, {{32, 126}, {161, 223}}},
                                                                 {3, {{32, 126}, {0x8160, 0x8160}, {0xFF61, 0xFF9F}}}};
const ValidateDataScale docuNameValidateDataScaleForProduct03 = {
    {2, {{32, 126}, {161, 223}}}, {4, {{0x8140, 0x9F7E}, {0x8180, 0x9FFC}, {0xE040, 0xFC7E}, {0xE080, 0xFCFC}}}};
const ValidateDataScale userNameValidateDataScale = {{1, {{32, 126}}}, {0, {}}};

namespace {

constexpr int kFullWidthSpace = 0x8140;

bool InRanges(const ValidateRangeList& list, int value) {
  for (int i = 0; i < list.count && i < kMaxValidateRanges; ++i) {
    if (value >= list.ranges[i][0] && value <= list.ranges[i][1]) return true;
  }
  return false;
}

int Byte(const char* text, size_t at) { return static_cast<unsigned char>(text[at]); }

// The UTF-16 units of the UTF-8 character at `text`: their count (1 or 2),
// their values, and the bytes used. A byte that does not start a complete
// sequence counts as one unit of its own value.
struct Utf16Step {
  int units;
  unsigned value[2];
  int bytes;
};

bool IsContinuation(const char* text, int at) { return (Byte(text, at) & 0xC0) == 0x80; }

Utf16Step NextUnits(const char* text) {
  int lead = Byte(text, 0);
  int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  for (int i = 1; i < length; ++i) {
    if (!IsContinuation(text, i)) {  // also stops at the terminating zero
      length = 0;
      break;
    }
  }
  if (length <= 1) return {1, {static_cast<unsigned>(lead), 0}, 1};
  unsigned code = static_cast<unsigned>(lead) & (0x7F >> length);
  for (int i = 1; i < length; ++i) code = (code << 6) | (Byte(text, i) & 0x3F);
  if (code < 0x10000) return {1, {code, 0}, length};
  code -= 0x10000;
  return {2, {0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)}, length};
}

int UnitWidth(unsigned unit) { return ((unit >> 8) & 0x11) != 0 ? 2 : 1; }

}  // namespace

int ValidateDada(const char* text, const ValidateDataScale* table) {
  if (text == nullptr || table == nullptr) return 0;
  size_t at = 0;
  while (text[at] != '\0') {
    if (table->twoByte.count > 0 && text[at + 1] != '\0' &&
        InRanges(table->twoByte, Byte(text, at) * 256 + Byte(text, at + 1))) {
      at += 2;
      continue;
    }
    if (table->oneByte.count == 0 || !InRanges(table->oneByte, Byte(text, at))) return 0;
    at += 1;
  }
  return 1;
}

int IsAllSpace(const char* text) {
  if (text == nullptr) return 1;
  size_t at = 0;
  while (text[at] != '\0') {
    if (text[at] == ' ') {
      at += 1;
    } else if (text[at + 1] != '\0' && Byte(text, at) * 256 + Byte(text, at + 1) == kFullWidthSpace) {
      at += 2;
    } else {
      return 0;
    }
  }
  return 1;
}

void InvalidateStdUserName() {
  StdUserName[kStdTextSize] = '\0';
  if (StdUserName[0] != '\0' && ValidateDada(StdUserName, &userNameValidateDataScale) == 1 &&
      IsAllSpace(StdUserName) == 0) {
    return;
  }
  std::memset(StdUserName, 0, sizeof StdUserName);
  std::strncpy(StdUserName, defaultUserName, kStdTextSize);
}

DocumentNameRule DocumentNameRuleForProductType(int productType) {
  switch (productType) {
    case -1:
      return {0, &docuNameValidateDataScale};
    case 2:
      return {12, &docuNameValidateDataScaleForProduct02};
    case 3:
      return {64, &docuNameValidateDataScaleForProduct03};
    default:
      return {32, &docuNameValidateDataScale};
  }
}

void CutDocumentNameToWidth(char* name, int length) {
  if (name == nullptr || length <= 0 || std::strlen(name) <= static_cast<size_t>(length)) return;
  int width = 0;
  for (const char* at = name; *at != '\0';) {
    Utf16Step step = NextUnits(at);
    for (int u = 0; u < step.units; ++u) {
      width += UnitWidth(step.value[u]);
      if (width == length || width == length + 1) {
        const size_t cut = static_cast<size_t>(width == length ? length : length - 1);
        name[WholeCharacterPrefix(name, cut)] = '\0';
        return;
      }
    }
    at += step.bytes;
  }
}

void InvalidateStdDocumentNameForProductType(char* argv[]) {
  cups_option_t* options = nullptr;
  int count = cupsParseOptions(argv != nullptr ? argv[5] : nullptr, 0, &options);
  int productType = -1;
  GetTicketInteger(kPrintTypeProductTypeTicketKey, count, options, &productType, sizeof productType);
  cupsFreeOptions(count, options);

  DocumentNameRule rule = DocumentNameRuleForProductType(productType);
  CutDocumentNameToWidth(StdDocumentName, rule.length);
  std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
  CopyWholeCharacters(PTStdDocumentName, static_cast<size_t>(rule.length) + 1, StdDocumentName);
  if (ValidateDada(PTStdDocumentName, rule.table) == 0) {
    std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
  }
}
