#include "ppd_access.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <string_view>

#include "text_encoding.h"

namespace OVQ_PDE_NS {

namespace {

struct EncodingName {
  const char* name;
  uint32_t encoding;
};

constexpr EncodingName kLanguageEncodings[] = {
    {"ISOLatin1", kTextEncodingISOLatin1},
    {"WindowsANSI", kTextEncodingWindowsLatin1},
    {"JIS83-RKSJ", kTextEncodingMacJapanese},
    {"UTF-8", kTextEncodingUTF8},
    {"UTF8", kTextEncodingUTF8},
};

constexpr size_t kPPDTextLimit = 255;  // bytes of a PPD text that the readers look at
constexpr size_t kMBMaxDigits = 3;

ppd_option_t* FindOption(ppd_file_t* ppd, const char* keyword) {
  if (ppd == nullptr || keyword == nullptr) return nullptr;
  return ppdFindOption(ppd, keyword);
}

int ChoiceIndexOf(const ppd_option_t* option, const char* choice) {
  if (option == nullptr || choice == nullptr) return -1;
  for (int i = 0; i < option->num_choices; ++i) {
    if (std::strcmp(option->choices[i].choice, choice) == 0) return i;
  }
  return -1;
}

const char* AttributeValue(ppd_file_t* ppd, const char* name) {
  if (name == nullptr) return nullptr;
  ppd_attr_t* attr = ppdFindAttr_ALT(ppd, name);
  return attr == nullptr ? nullptr : attr->value;
}

// sscanf("%d") at the start of `text`: optional white space and sign, then digits.
bool LeadingInteger(std::string_view text, int* value) {
  size_t pos = 0;
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  if (pos >= text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return false;
  long long number = 0;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    number = number * 10 + (text[pos++] - '0');
    if (number > INT_MAX) number = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) number = -number;
  if (number > INT_MAX) number = INT_MAX;
  if (number < INT_MIN) number = INT_MIN;
  *value = static_cast<int>(number);
  return true;
}

}  // namespace

bool CheckPPDKeyIsExist(ppd_file_t* ppd, const char* keyword) { return FindOption(ppd, keyword) != nullptr; }

bool CheckIfPPDKeywordSupported(ppd_file_t* ppd, const char* attributeName, const char* prefix) {
  const char* value = AttributeValue(ppd, attributeName);
  if (value == nullptr || prefix == nullptr) return false;
  return std::strncmp(value, prefix, std::strlen(prefix)) == 0;
}

int GetCFStringEncodingFromPPD(ppd_file_t* ppd, uint32_t* encoding) {
  if (encoding == nullptr) return 0;
  *encoding = kTextEncodingMacRoman;
  // libcups reports every PPD's lang_encoding as "UTF-8" (it converts the
  // translation texts); attribute values keep the bytes of the file's own
  // LanguageEncoding, which the raw attribute names.
  ppd_attr_t* language = ppd == nullptr ? nullptr : ppdFindAttr(ppd, "LanguageEncoding", nullptr);
  if (language == nullptr || language->value == nullptr) return 0;
  for (const EncodingName& entry : kLanguageEncodings) {
    if (std::strcmp(language->value, entry.name) == 0) {
      *encoding = entry.encoding;
      break;
    }
  }
  return 0;
}

bool GetUIDefaultFromPPD(ppd_file_t* ppd, const char* keyword, std::string* defaultChoice) {
  ppd_option_t* option = FindOption(ppd, keyword);
  if (option == nullptr || defaultChoice == nullptr) return false;
  *defaultChoice = option->defchoice;
  return true;
}

int GetUIDefaultValueFromPPD(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = FindOption(ppd, keyword);
  return option == nullptr ? -1 : ChoiceIndexOf(option, option->defchoice);
}

int GetChoiceIndex(ppd_file_t* ppd, const char* keyword, const char* choice) {
  ppd_option_t* option = FindOption(ppd, keyword);
  if (option == nullptr) return 0;
  int index = ChoiceIndexOf(option, choice);
  return index < 0 ? option->num_choices : index;
}

bool GetUITitleFromPPD(ppd_file_t* ppd, const char* keyword, std::string* title) {
  ppd_option_t* option = FindOption(ppd, keyword);
  if (option == nullptr || title == nullptr) return false;
  *title = PPDTranslationToUTF8(ppd, option->text);
  return true;
}

int GetValueFromPPD(ppd_file_t* ppd, const char* keyword, const char* const* list, int count) {
  ppd_option_t* option = FindOption(ppd, keyword);
  if (option == nullptr || list == nullptr) return -1;
  for (int i = 0; i < count; ++i) {
    if (list[i] != nullptr && std::strcmp(list[i], option->defchoice) == 0) return i;
  }
  return -1;
}

int GetIndexOfMarkedOptionWithKey(ppd_option_t* option, ppd_file_t* ppd, const char* keyword) {
  if (option == nullptr) option = FindOption(ppd, keyword);
  if (option == nullptr) return -1;
  for (int i = 0; i < option->num_choices; ++i) {
    if (option->choices[i].marked) return i;
  }
  return ChoiceIndexOf(option, option->defchoice);
}

int FindPPDKeyPairsMatch(const std::vector<UIListRow>& rows, const char* option, const char* choice) {
  if (option == nullptr || choice == nullptr) return -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].option == option && rows[i].choice == choice) return static_cast<int>(i);
  }
  return -1;
}

int getIntFromString(const char* text, size_t length) {
  if (text == nullptr) return 0;
  long long number = 0;
  for (size_t i = 0; i < length && text[i] != '\0'; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) continue;
    number = number * 10 + (text[i] - '0');
    if (number > INT_MAX) number = INT_MAX;
  }
  return static_cast<int>(number);
}

int GetMBMaxNumberFromPPD(ppd_file_t* ppd, const char* attributeName) {
  const char* value = AttributeValue(ppd, attributeName);
  if (value == nullptr) return 0;
  std::string text;
  if (!PPDValueToUTF8(ppd, value, &text)) return 0;
  if (text.size() > kPPDTextLimit) text.resize(kPPDTextLimit);
  return getIntFromString(text.c_str(), std::min(text.size(), kMBMaxDigits));
}

int GetPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = FindOption(ppd, keyword);
  if (option == nullptr) return -1;
  return getIntFromString(option->defchoice, std::min(std::strlen(option->defchoice), kPPDTextLimit));
}

int GetSorrelPWMiniIntValueFromPPD(ppd_file_t* ppd, const char* attributeName) {
  const char* value = AttributeValue(ppd, attributeName);
  if (value == nullptr) return -1;
  std::string_view text(value);
  for (size_t start = 0; start < text.size(); ++start) {
    int number = 0;
    if (LeadingInteger(text.substr(start), &number)) return number;
  }
  return -1;
}

void FixPPDKeywordAccordingToType(ppd_file_t* ppd, const char* keyword, char* out, size_t size) {
  if (keyword == nullptr || out == nullptr || size == 0) return;
  size_t length = std::min(std::strlen(keyword), size - 1);
  std::memcpy(out, keyword, length);
  bool ovPrefix = length >= 2 && std::toupper(static_cast<unsigned char>(keyword[0])) == 'O' &&
                  std::toupper(static_cast<unsigned char>(keyword[1])) == 'V';
  if (ovPrefix && PPDAttrEquals(ppd, "Manufacturer", "Orvane")) {
    out[0] = 'O';
    out[1] = 'V';
  }
}

bool PPDValueToUTF8(ppd_file_t* ppd, const char* value, std::string* utf8) {
  utf8->clear();
  if (value == nullptr) return false;
  uint32_t encoding = kTextEncodingMacRoman;
  GetCFStringEncodingFromPPD(ppd, &encoding);
  return DecodeTextToUTF8(value, encoding, utf8);
}

std::string PPDTranslationToUTF8(ppd_file_t* ppd, const char* text) {
  if (text == nullptr) return std::string();
  std::string utf8;
  if (DecodeTextToUTF8(text, kTextEncodingUTF8, &utf8)) return utf8;
  PPDValueToUTF8(ppd, text, &utf8);
  return utf8;
}

}  // namespace OVQ_PDE_NS
