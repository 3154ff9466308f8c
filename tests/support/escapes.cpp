#include "escapes.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>

std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\\' || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    const char n = text[++i];
    static const std::map<char, char> kSimple = {{'e', '\x1b'}, {'r', '\r'}, {'n', '\n'},
                                                 {'t', '\t'},   {'0', '\0'}, {'\\', '\\'}};
    if (kSimple.count(n) != 0) {
      out += kSimple.at(n);
    } else if (n == 'c') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (n == 'x' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
               std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
      i += 2;
    } else {
      out += std::string("\\") + n;
    }
  }
  return out;
}

std::string MakeVisible(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02x", c);
    out += c == '\n'               ? "\n"
           : c == 0x1b             ? "\\e"
           : c == '\r'             ? "\\r"
           : c == '\\'             ? "\\\\"
           : c < 0x20 || c == 0x7f ? hex
                                   : std::string(1, static_cast<char>(c));
  }
  return out;
}
