// Credential encoding: scrambling, Base64 both ways, result codes, capacities
// (the round trip over any bytes is the fuzz target's check).
#include "qsp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace ovqpde;

namespace {

const uint8_t* Data(const std::string& bytes) { return reinterpret_cast<const uint8_t*>(bytes.data()); }
std::string Text(const uint8_t* bytes, uint32_t length) {
  return std::string(reinterpret_cast<const char*>(bytes), length);
}

// "ABCD" is the word 0x44434241; xor 0x5D2B4E19 gives 0x19680C58, stored lowest
// byte first. A fifth byte "E" (0x45) meets only the lowest key byte 0x19.
TEST(QSPEncrypt, FourByteWordsThenSingleBytesLowestKeyByteFirst) {
  uint8_t out[8] = {};
  uint32_t length = 99;
  ASSERT_EQ(QSPEncrypt(Data("ABCDE"), 5, out, &length, 8), 0);
  EXPECT_EQ(Text(out, length), "\x58\x0C\x68\x19\x5C");
  EXPECT_EQ(out[5], 0);  // nothing written past the output length
  ASSERT_EQ(QSPEncrypt(Data(std::string(3, '\0')), 3, out, &length, 3), 0);
  EXPECT_EQ(Text(out, length), "\x19\x4E\x2B");
}

TEST(Base64, DecodesWhiteSpaceNulAndRefusesMalformedInput) {
  const struct {
    std::string text;
    int32_t result;
    std::string bytes;
  } rows[] = {{.text = "\n QU JD QQ==\n   ", .result = 0, .bytes = "ABCA"},
              {.text = "+/+/", .result = 0, .bytes = "\xFB\xFF\xBF"},
              {.text = std::string("QUJDQU\0\0", 8), .result = 0, .bytes = "ABCA"},  // NUL ends the data
              {.text = "QUJDQ", .result = -2, .bytes = ""},
              {.text = "QU*D", .result = -2, .bytes = ""},
              {.text = "=QUJ", .result = -2, .bytes = ""},
              {.text = "QQ==QUJD", .result = -2, .bytes = ""},
              {.text = "QQ=A", .result = -2, .bytes = ""},
              {.text = "QU JD Q ", .result = -2, .bytes = ""}};  // blanks leave an incomplete quartet
  for (const auto& row : rows) {
    uint8_t out[16] = {};
    uint32_t length = 0;
    EXPECT_EQ(QSPB64ToBin(row.text.data(), static_cast<int32_t>(row.text.size()), out, &length, 16), row.result)
        << row.text;
    EXPECT_EQ(row.result == 0 ? Text(out, length) : "", row.bytes);
  }
  char encoded[32] = {};
  uint32_t length = 0;
  ASSERT_EQ(QSPBinToB64(Data("passcode"), 8, encoded, &length, 32), 0);
  EXPECT_EQ(std::string(encoded, length), "cGFzc2NvZGU=");
}

// -1 for a missing pointer, -2 for a bad length, -3 for too little room (with
// the length written so far, or needed).
TEST(QSPResults, CodesAndLengths) {
  const uint8_t in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint8_t out[8] = {};
  uint32_t length = 77;
  EXPECT_EQ(QSPEncrypt(nullptr, 4, out, &length, 8), -1);
  EXPECT_EQ(QSPEncrypt(in, 0, out, &length, 8), -2);
  EXPECT_EQ(QSPB64ToBin("QUJD", 4, nullptr, &length, 8), -1);
  EXPECT_EQ(length, 77u);
  EXPECT_EQ(QSPEncrypt(in, 6, out, &length, 5), -3);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(QSPBinToB64(in, 4, nullptr, &length, 0), -3);  // capacity 0 asks for the size needed
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(QSPB64ToBin("QUJDQQ==", 8, out, &length, 3), -3);
  EXPECT_EQ(length, 4u);
}

// The ticket value holds 255 characters: passcodes of up to 189 bytes, every
// byte of a non-ASCII passcode kept.
TEST(QSPTicketText, PasscodesUpTo189BytesAreEncoded) {
  char out[256];
  ASSERT_TRUE(QSPEncodeTicketText(std::string(189, '7').c_str(), out));
  EXPECT_EQ(std::strlen(out), 252u);
  EXPECT_FALSE(QSPEncodeTicketText(std::string(190, '7').c_str(), out));
  EXPECT_EQ(out[0], '\0');
  EXPECT_FALSE(QSPEncodeTicketText(nullptr, out));
  const std::string passcode = "\xE3\x83\x91\xE3\x82\xB9";
  ASSERT_TRUE(QSPEncodeTicketText(passcode.c_str(), out));
  uint8_t scrambled[16] = {}, plain[16] = {};
  uint32_t length = 0;
  ASSERT_EQ(QSPB64ToBin(out, 8, scrambled, &length, 16), 0);
  ASSERT_EQ(QSPEncrypt(scrambled, 6, plain, &length, 16), 0);
  EXPECT_EQ(Text(plain, length), passcode);
}

}  // namespace
