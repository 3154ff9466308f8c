#include "strings_table.h"

#include "text_encoding.h"

namespace {

class StringsParser {
 public:
  explicit StringsParser(std::string_view text) : text_(text) {}

  bool Parse(StringsTable* table) {
    for (;;) {
      SkipSpaceAndComments();
      if (AtEnd()) return true;
      std::string key;
      std::string value;
      if (!QuotedString(&key)) return false;
      SkipSpaceAndComments();
      if (!Expect('=')) return false;
      SkipSpaceAndComments();
      if (!QuotedString(&value)) return false;
      SkipSpaceAndComments();
      if (!Expect(';')) return false;
      (*table)[key] = value;
    }
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }

  bool Expect(char c) {
    if (Peek() != c || AtEnd()) return false;
    ++pos_;
    return true;
  }

  void SkipSpaceAndComments() {
    while (!AtEnd()) {
      char c = Peek();
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
        ++pos_;
      } else if (c == '/' && Peek(1) == '*') {
        size_t end = text_.find("*/", pos_ + 2);
        pos_ = end == std::string_view::npos ? text_.size() : end + 2;
      } else if (c == '/' && Peek(1) == '/') {
        size_t end = text_.find('\n', pos_);
        pos_ = end == std::string_view::npos ? text_.size() : end + 1;
      } else {
        return;
      }
    }
  }

  static int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }

  bool UnicodeEscape(std::u16string* pending) {
    char16_t unit = 0;
    for (int i = 0; i < 4; ++i) {
      int digit = HexDigit(Peek());
      if (digit < 0 || AtEnd()) return false;
      unit = static_cast<char16_t>(unit * 16 + digit);
      ++pos_;
    }
    pending->push_back(unit);
    return true;
  }

  // Flushes escaped UTF-16 units (a surrogate pair may span two escapes).
  static bool FlushUnits(std::u16string* pending, std::string* out) {
    if (pending->empty()) return true;
    std::string utf8;
    if (!UTF16ToUTF8(*pending, &utf8)) return false;
    out->append(utf8);
    pending->clear();
    return true;
  }

  bool QuotedString(std::string* out) {
    if (!Expect('"')) return false;
    std::u16string pending;
    while (!AtEnd()) {
      char c = text_[pos_++];
      if (c == '"') return FlushUnits(&pending, out);
      if (c != '\\') {
        if (!FlushUnits(&pending, out)) return false;
        out->push_back(c);
        continue;
      }
      if (AtEnd()) return false;
      char escaped = text_[pos_++];
      if (escaped == 'U' || escaped == 'u') {
        if (!UnicodeEscape(&pending)) return false;
        continue;
      }
      if (!FlushUnits(&pending, out)) return false;
      switch (escaped) {
        case 'n':
          out->push_back('\n');
          break;
        case 't':
          out->push_back('\t');
          break;
        case 'r':
          out->push_back('\r');
          break;
        default:
          out->push_back(escaped);
          break;
      }
    }
    return false;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

std::string QuoteForStrings(const std::string& text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\U00";
          out.push_back(kHex[c >> 4]);
          out.push_back(kHex[c & 0xF]);
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  return out + "\"";
}

}  // namespace

bool ParseStringsTable(std::string_view text, StringsTable* table) { return StringsParser(text).Parse(table); }

std::string FormatStringsTable(const StringsTable& table) {
  std::string text;
  for (const auto& [key, value] : table) text += QuoteForStrings(key) + " = " + QuoteForStrings(value) + ";\n";
  return text;
}
