// Text encodings of the platform's string objects: decoding of a PPD's bytes by
// its LanguageEncoding, and strict UTF-8 / UTF-16 conversion.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Encoding numbers as the platform's string objects number them.
inline constexpr uint32_t kTextEncodingMacRoman = 0;
inline constexpr uint32_t kTextEncodingMacJapanese = 1;
inline constexpr uint32_t kTextEncodingISOLatin1 = 0x0201;
inline constexpr uint32_t kTextEncodingWindowsLatin1 = 0x0500;
inline constexpr uint32_t kTextEncodingUTF8 = 0x08000100;

// Decodes `bytes` in `encoding` into UTF-8. False, with `out` cleared, when a
// byte sequence is not valid in that encoding or the encoding is unknown.
bool DecodeTextToUTF8(std::string_view bytes, uint32_t encoding, std::string* out);

// Strict UTF-8 to UTF-16: overlong forms, surrogate code points, values above
// U+10FFFF and truncated sequences are rejected (false, `out` cleared).
bool UTF8ToUTF16(std::string_view utf8, std::u16string* out);

// UTF-16 to UTF-8; false (with `out` cleared) on an unpaired surrogate.
bool UTF16ToUTF8(std::u16string_view utf16, std::string* out);

// The longest prefix of `text` of at most `maxBytes` bytes that ends at a
// character boundary: a cut that would fall inside a UTF-8 sequence falls
// before its lead byte instead.
std::string_view CutUTF8(std::string_view text, size_t maxBytes);
