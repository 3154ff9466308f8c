#include "text_encoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <memory>

namespace {

// ICU's names of the single- and multi-byte encodings.
struct EncodingName {
  uint32_t encoding;
  const char* converter;
};

constexpr EncodingName kConverterNames[] = {
    {kTextEncodingMacRoman, "macintosh"},
    {kTextEncodingMacJapanese, "Shift_JIS"},
    {kTextEncodingISOLatin1, "ISO-8859-1"},
    {kTextEncodingWindowsLatin1, "windows-1252"},
};

const char* ConverterName(uint32_t encoding) {
  for (const EncodingName& entry : kConverterNames) {
    if (entry.encoding == encoding) return entry.converter;
  }
  return nullptr;
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};

bool DecodeWithConverter(std::string_view bytes, const char* name, std::u16string* out) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, ConverterCloser> converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) return false;
  ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) return false;
  // Every encoding here yields at most one UTF-16 unit per byte.
  out->assign(bytes.size() + 1, u'\0');
  int32_t length = ucnv_toUChars(converter.get(), out->data(), static_cast<int32_t>(out->size()), bytes.data(),
                                 static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return false;
  out->resize(static_cast<size_t>(length));
  return true;
}

}  // namespace

bool UTF8ToUTF16(std::string_view utf8, std::u16string* out) {
  out->clear();
  if (utf8.empty()) return true;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  std::u16string units(utf8.size(), u'\0');
  u_strFromUTF8(units.data(), static_cast<int32_t>(units.size()), &length, utf8.data(),
                static_cast<int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) return false;
  units.resize(static_cast<size_t>(length));
  *out = std::move(units);
  return true;
}

bool UTF16ToUTF8(std::u16string_view utf16, std::string* out) {
  out->clear();
  if (utf16.empty()) return true;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  std::string bytes(utf16.size() * 3, '\0');
  u_strToUTF8(bytes.data(), static_cast<int32_t>(bytes.size()), &length, utf16.data(),
              static_cast<int32_t>(utf16.size()), &status);
  if (U_FAILURE(status)) return false;
  bytes.resize(static_cast<size_t>(length));
  *out = std::move(bytes);
  return true;
}

bool DecodeTextToUTF8(std::string_view bytes, uint32_t encoding, std::string* out) {
  out->clear();
  if (encoding == kTextEncodingUTF8) {
    std::u16string units;
    if (!UTF8ToUTF16(bytes, &units)) return false;
    out->assign(bytes);
    return true;
  }
  const char* name = ConverterName(encoding);
  if (name == nullptr) return false;
  std::u16string units;
  if (!DecodeWithConverter(bytes, name, &units)) {
    out->clear();
    return false;
  }
  return UTF16ToUTF8(units, out);
}

std::string_view CutUTF8(std::string_view text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t length = maxBytes;
  while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
  return text.substr(0, length);
}
