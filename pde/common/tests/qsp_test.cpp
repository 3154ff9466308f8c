// Credential encoding: scrambling, Base64 both ways, result codes, capacities.
#include "qsp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace ovqpde;

namespace {

const uint8_t* Data(const std::string& bytes) { return reinterpret_cast<const uint8_t*>(bytes.data()); }

TEST(QSPEncrypt, FourByteWordsThenSingleBytesLowestKeyByteFirst) {
  // "ABCD" is the word 0x44434241; xor 0x5D2B4E19 gives 0x19680C58, stored lowest byte first.
  // A fifth byte "E" (0x45) meets only the lowest key byte 0x19; three rest bytes meet 0x19, 0x4E, 0x2B.
  const struct {
    std::string in;
    int32_t capacity;
    std::string out;
  } rows[] = {{"ABCDE", 8, "\x58\x0C\x68\x19\x5C"}, {std::string(3, '\0'), 3, "\x19\x4E\x2B"}};
  for (const auto& row : rows) {
    uint8_t out[8] = {};
    uint32_t length = 99;
    ASSERT_EQ(QSPEncrypt(Data(row.in), static_cast<int32_t>(row.in.size()), out, &length, row.capacity), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), length), row.out);
    EXPECT_EQ(out[row.out.size()], 0);  // nothing written past the output length
  }
}

class QSPRoundTrip : public testing::TestWithParam<int> {};

TEST_P(QSPRoundTrip, ScrambleTwiceAndBase64BackGiveTheInput) {
  std::vector<uint8_t> in;
  for (int i = 0; i < GetParam(); ++i) in.push_back(static_cast<uint8_t>(i * 37 + 11));
  std::vector<uint8_t> scrambled(in.size()), again(in.size());
  uint32_t length = 0;
  int32_t size = static_cast<int32_t>(in.size());
  ASSERT_EQ(QSPEncrypt(in.data(), size, scrambled.data(), &length, size), 0);
  ASSERT_EQ(length, in.size());
  ASSERT_EQ(QSPEncrypt(scrambled.data(), size, again.data(), &length, size), 0);
  EXPECT_EQ(again, in);

  std::string text(400, '\0');
  uint32_t textLength = 0;
  ASSERT_EQ(QSPBinToB64(scrambled.data(), size, text.data(), &textLength, 400), 0);
  EXPECT_EQ(textLength, static_cast<uint32_t>((in.size() + 2) / 3 * 4));
  std::vector<uint8_t> decoded(300);
  uint32_t decodedLength = 0;
  ASSERT_EQ(QSPB64ToBin(text.data(), static_cast<int32_t>(textLength), decoded.data(), &decodedLength, 300), 0);
  decoded.resize(decodedLength);
  EXPECT_EQ(decoded, scrambled);
}

INSTANTIATE_TEST_SUITE_P(Lengths, QSPRoundTrip, testing::Values(1, 2, 3, 4, 5, 6, 7, 8, 9, 63, 64, 189, 190, 255));

TEST(Base64, EncodesAndDecodes) {
  const std::pair<std::string, std::string> rows[] = {
      {"A", "QQ=="}, {"AB", "QUI="}, {"ABC", "QUJD"}, {"\xFB\xFF\xBF", "+/+/"}, {"passcode", "cGFzc2NvZGU="}};
  for (const auto& [bytes, text] : rows) {
    char encoded[32] = {};
    uint32_t length = 0;
    ASSERT_EQ(QSPBinToB64(Data(bytes), static_cast<int32_t>(bytes.size()), encoded, &length, 32), 0);
    EXPECT_EQ(std::string(encoded, length), text);
    uint8_t decoded[32] = {};
    ASSERT_EQ(QSPB64ToBin(text.data(), static_cast<int32_t>(text.size()), decoded, &length, 32), 0);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(decoded), length), bytes);
  }
}

TEST(Base64, WhiteSpaceNulAndMalformedInput) {
  const struct {
    std::string text;
    int32_t result;
    std::string bytes;
  } rows[] = {{"\n QU JD QQ==\n   ", 0, "ABCA"},
              {"QUJD    ", 0, "ABC"},  // blanks
              {std::string("QUJD\0\0\0\0", 8), 0, "ABC"},
              {std::string("QUJDQU\0\0", 8), 0, "ABCA"},  // NUL ends the data
              {"QUJDQ", -2, ""},
              {"QU*D", -2, ""},
              {"=QUJ", -2, ""},
              {"QQ==QUJD", -2, ""},
              {"QQ=A", -2, ""},
              {"QU JD Q ", -2, ""}};  // blanks leave an incomplete quartet
  for (const auto& row : rows) {
    uint8_t out[16] = {};
    uint32_t length = 0;
    EXPECT_EQ(QSPB64ToBin(row.text.data(), static_cast<int32_t>(row.text.size()), out, &length, 16), row.result)
        << row.text;
    if (row.result == 0) {
      EXPECT_EQ(std::string(reinterpret_cast<char*>(out), length), row.bytes);
    }
  }
}

// ---- result codes ------------------------------------------------------------------------

TEST(QSPResults, Encrypt) {
  const uint8_t in[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  uint8_t out[8] = {};
  uint32_t length = 77;
  EXPECT_EQ(QSPEncrypt(nullptr, 4, out, &length, 8), -1);
  EXPECT_EQ(QSPEncrypt(in, 4, nullptr, &length, 8), -1);
  EXPECT_EQ(QSPEncrypt(in, 4, out, nullptr, 8), -1);
  EXPECT_EQ(QSPEncrypt(in, 0, out, &length, 8), -2);
  EXPECT_EQ(QSPEncrypt(in, 4, out, &length, 0), -2);
  EXPECT_EQ(length, 77u);
  EXPECT_EQ(QSPEncrypt(in, 4, out, &length, 3), -3);
  EXPECT_EQ(length, 0u);  // what was written so far
  EXPECT_EQ(QSPEncrypt(in, 6, out, &length, 5), -3);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(QSPEncrypt(in, 8, out, &length, 7), -3);
  EXPECT_EQ(length, 4u);
}

TEST(QSPResults, BinToB64) {
  const uint8_t in[4] = {1, 2, 3, 4};
  char out[8] = {};
  uint32_t length = 77;
  EXPECT_EQ(QSPBinToB64(nullptr, 1, out, &length, 8), -1);
  EXPECT_EQ(QSPBinToB64(in, 1, out, nullptr, 8), -1);
  EXPECT_EQ(QSPBinToB64(in, 1, nullptr, &length, 8), -1);
  EXPECT_EQ(QSPBinToB64(in, 0, out, &length, 8), -2);
  EXPECT_EQ(QSPBinToB64(in, 1, out, &length, -1), -2);
  EXPECT_EQ(length, 77u);
  // Capacity 0 asks for the size needed, with or without a buffer.
  EXPECT_EQ(QSPBinToB64(in, 4, nullptr, &length, 0), -3);
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(QSPBinToB64(in, 1, out, &length, 3), -3);
  EXPECT_EQ(length, 4u);
  EXPECT_EQ(out[0], '\0');
}

TEST(QSPResults, B64ToBin) {
  uint8_t out[8] = {};
  uint32_t length = 77;
  EXPECT_EQ(QSPB64ToBin(nullptr, 4, out, &length, 8), -1);
  EXPECT_EQ(QSPB64ToBin("QUJD", 4, out, nullptr, 8), -1);
  EXPECT_EQ(QSPB64ToBin("QUJD", 4, nullptr, &length, 8), -1);
  EXPECT_EQ(QSPB64ToBin("QUJDQ", 5, out, &length, 8), -2);
  EXPECT_EQ(QSPB64ToBin("QUJD", 0, out, &length, 8), -2);
  EXPECT_EQ(QSPB64ToBin("QUJD", 4, out, &length, -1), -2);
  EXPECT_EQ(length, 77u);
  EXPECT_EQ(QSPB64ToBin("QUI=", 4, nullptr, &length, 0), -3);
  EXPECT_EQ(length, 2u);
  EXPECT_EQ(QSPB64ToBin("QUJDQQ==", 8, out, &length, 3), -3);
  EXPECT_EQ(length, 4u);
}

// ---- capacities of the ticket value --------------------------------------------------------

TEST(QSPCapacity, A189ByteValueFitsAnd190DoesNot) {
  std::vector<uint8_t> scrambled(190, 0x5A);
  char text[256] = {};
  uint32_t length = 0;
  EXPECT_EQ(QSPBinToB64(scrambled.data(), 189, text, &length, 255), 0);
  EXPECT_EQ(length, 252u);
  EXPECT_EQ(QSPBinToB64(scrambled.data(), 190, text, &length, 255), -3);
  EXPECT_EQ(length, 256u);
}

TEST(QSPTicketText, PasscodesUpTo189BytesAreEncoded) {
  char out[256];
  std::string passcode(189, '7');
  ASSERT_TRUE(QSPEncodeTicketText(passcode.c_str(), out));
  EXPECT_EQ(std::strlen(out), 252u);
  EXPECT_FALSE(QSPEncodeTicketText(std::string(190, '7').c_str(), out));
  EXPECT_EQ(out[0], '\0');
  ASSERT_TRUE(QSPEncodeTicketText("", out));
  EXPECT_EQ(out[0], '\0');
  EXPECT_FALSE(QSPEncodeTicketText(nullptr, out));
}

TEST(QSPTicketText, EveryByteOfANonAsciiPasscodeIsKept) {
  // Width count 4 but 6 bytes: the whole UTF-8 text is scrambled.
  const std::string passcode = "\xE3\x83\x91\xE3\x82\xB9";
  char out[256];
  ASSERT_TRUE(QSPEncodeTicketText(passcode.c_str(), out));
  EXPECT_EQ(std::strlen(out), 8u);
  uint8_t scrambled[16] = {};
  uint32_t length = 0;
  ASSERT_EQ(QSPB64ToBin(out, 8, scrambled, &length, 16), 0);
  ASSERT_EQ(length, 6u);
  uint8_t plain[16] = {};
  ASSERT_EQ(QSPEncrypt(scrambled, 6, plain, &length, 16), 0);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(plain), length), passcode);
}

}  // namespace
