#include "pjlsafe.h"

#include <cstring>

namespace {

char SafeByte(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u < 0x20 || u == 0x7F) return ' ';
  if (c == '"') return '\'';
  return c;
}

// The "@" of each "@PJL" becomes a blank, so that the value cannot read as a
// second command inside its line.
void BreakCommandPrefixes(char* text) {
  for (char* at = std::strstr(text, "@PJL"); at != nullptr; at = std::strstr(at + 1, "@PJL")) *at = ' ';
}

}  // namespace

void SanitizePJLValue(char* text) {
  if (text == nullptr) return;
  for (char* at = text; *at != '\0'; ++at) *at = SafeByte(*at);
  BreakCommandPrefixes(text);
}

char* CopyPJLValue(const char* source, char* destination, size_t capacity) {
  if (destination == nullptr || capacity == 0) return destination;
  size_t i = 0;
  if (source != nullptr) {
    for (; source[i] != '\0' && i + 1 < capacity; ++i) destination[i] = SafeByte(source[i]);
  }
  destination[i] = '\0';
  BreakCommandPrefixes(destination);
  return destination;
}

char* CopyOnOneLine(const char* source, char* destination, size_t capacity) {
  if (destination == nullptr || capacity == 0) return destination;
  size_t i = 0;
  if (source != nullptr) {
    for (; source[i] != '\0' && i + 1 < capacity; ++i) {
      destination[i] = (source[i] == '\r' || source[i] == '\n') ? ' ' : source[i];
    }
  }
  destination[i] = '\0';
  return destination;
}
