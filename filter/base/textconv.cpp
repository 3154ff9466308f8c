#include "textconv.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t kNoCodePoint = 0xFFFFFFFF;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at `text`, strictly: no overlong forms, no
// surrogate code points, nothing above U+10FFFF, no truncated sequences.
// Returns the code point and sets `length`, or kNoCodePoint.
char32_t DecodeUTF8(const unsigned char* text, int& length) {
  const unsigned char lead = text[0];
  if (lead < 0x80) {
    length = 1;
    return lead;
  }
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
  } else {
    return kNoCodePoint;  // continuation byte, overlong lead (C0, C1) or above F4
  }
  char32_t code = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    // A zero byte is no continuation, so a cut sequence stops here.
    if (!IsContinuation(text[i])) return kNoCodePoint;
    code = (code << 6) | (text[i] & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF) return kNoCodePoint;
  if (code >= 0xD800 && code <= 0xDFFF) return kNoCodePoint;
  return code;
}

bool IsValidUTF8(const unsigned char* text) {
  while (*text != 0) {
    int length = 0;
    if (DecodeUTF8(text, length) == kNoCodePoint) return false;
    text += length;
  }
  return true;
}

// UTF-8 of one UTF-16 unit on its own: a surrogate half encodes as nothing.
int EncodeUnit(char32_t unit, char* out) {
  if (unit < 0x80) {
    out[0] = static_cast<char>(unit);
    return 1;
  }
  if (unit < 0x800) {
    out[0] = static_cast<char>(0xC0 | (unit >> 6));
    out[1] = static_cast<char>(0x80 | (unit & 0x3F));
    return 2;
  }
  if (unit >= 0xD800 && unit <= 0xDFFF) return 0;
  out[0] = static_cast<char>(0xE0 | (unit >> 12));
  out[1] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
  out[2] = static_cast<char>(0x80 | (unit & 0x3F));
  return 3;
}

// Appends a unit's bytes when all of them fit; false when they do not, which
// ends the text there (a character is never split).
bool AppendWhole(char* destination, int& used, int capacity, const char* bytes, int count) {
  if (used + count > capacity - 1) return false;
  for (int i = 0; i < count; ++i) destination[used++] = bytes[i];
  return true;
}

bool AppendUnit(char16_t unit, char* destination, int& used, int capacity) {
  char encoded[6] = {};
  return AppendWhole(destination, used, capacity, encoded, EncodeUnit(unit, encoded));
}

}  // namespace

int ConvertUTF8ToEncoding(const char* source, char* destination, int capacity) {
  if (destination == nullptr || capacity <= 0) return 0;
  std::memset(destination, 0, static_cast<size_t>(capacity));
  if (source == nullptr) return 0;
  const auto* text = reinterpret_cast<const unsigned char*>(source);
  if (!IsValidUTF8(text)) return 0;

  int used = 0;
  while (*text != 0 && used < capacity - 1) {
    int length = 0;
    const char32_t code = DecodeUTF8(text, length);
    text += length;
    // A code point above U+FFFF is a pair of surrogate units, neither of which
    // encodes alone: it adds nothing.
    if (code < 0x10000 && !AppendUnit(static_cast<char16_t>(code), destination, used, capacity)) break;
  }
  return used;
}

size_t WithoutSplitCharacter(const char* text, size_t length) {
  size_t start = length;
  while (start > 0 && length - start < 3 && IsContinuation(static_cast<unsigned char>(text[start - 1]))) --start;
  if (start == 0) return length;
  const auto lead = static_cast<unsigned char>(text[start - 1]);
  if (lead < 0xC0) return length;
  const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  return length - (start - 1) < needed ? start - 1 : length;
}

size_t WholeCharacterPrefix(const char* text, size_t limit) {
  if (text == nullptr) return 0;
  const size_t length = strnlen(text, limit);
  return length < limit ? length : WithoutSplitCharacter(text, length);
}

void CopyWholeCharacters(char* destination, size_t capacity, const char* source) {
  if (destination == nullptr || capacity == 0) return;
  std::memset(destination, 0, capacity);
  const size_t length = WholeCharacterPrefix(source, capacity - 1);
  if (length > 0) std::memcpy(destination, source, length);
}
