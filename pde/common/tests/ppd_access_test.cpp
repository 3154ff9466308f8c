// Reading the PPD as the panels do.
#include "ppd_access.h"

#include <gtest/gtest.h>

#include <cstring>

#include "param_name.h"
#include "pde_choice.h"
#include "test_ppd.h"
#include "text_encoding.h"

using namespace ovqpde;

namespace {

class PPDAccess : public testing::Test {
 protected:
  void SetUp() override {
    ppd_ = OpenPPDText(dir_.File("access.ppd"),
                       PPDHeader() + ShapesPPDOptions() +
                           "*OVXCDFSetting: \"/tmp/cache.cdf\"\n"
                           "*OVMBMax: \"1000\"\n*OVMBShort: \"12\"\n*OVMBMixed: \"a9b8c7\"\n"
                           "*OVSorrel: \"min len 4 chars\"\n*OVSorrelNegative: \"x-5y\"\n*OVSorrelNone: \"none\"\n"
                           "*OVPrintTypeSettings: \"PT2-Std\"\n"
                           "*OpenUI *OVPWMin/Minimum: PickOne\n*DefaultOVPWMin: Min4\n"
                           "*OVPWMin Min4/4: \"\"\n*OVPWMin Min12/12: \"\"\n*CloseUI: *OVPWMin\n"
                           "*OpenUI *OVDigits/Digits: PickOne\n*DefaultOVDigits: A1B2C3\n"
                           "*OVDigits A1B2C3/x: \"\"\n*CloseUI: *OVDigits\n"
                           "*OpenUI *OVNoDefault/No default: PickOne\n*DefaultOVNoDefault: Absent\n"
                           "*OVNoDefault One/One: \"\"\n*CloseUI: *OVNoDefault\n"
                           "*OpenUI *OVTitle/Coul\xE9ur: PickOne\n*DefaultOVTitle: Gris\n"
                           "*OVTitle Gris/Gris cl\xE9: \"\"\n*CloseUI: *OVTitle\n");
    ASSERT_NE(ppd_, nullptr);
  }
  TempDir dir_;
  PPDHandle ppd_;
};

TEST_F(PPDAccess, KeywordsAndOptionsFound) {
  EXPECT_TRUE(CheckIfPPDKeywordSupported(ppd_.get(), "OVPrintTypeSettings", "PT2"));
  EXPECT_FALSE(CheckIfPPDKeywordSupported(ppd_.get(), "OVPrintTypeSettings", "PT3"));
}

// The mailbox maximum from three bytes, the password minimum from the default
// choice's digits, the other minimum from the first integer.
TEST_F(PPDAccess, ReadsTheNumberTheRuleGives) {
  const struct {
    int (*read)(ppd_file_t*, const char*);
    const char* key;
    int value;
  } rows[] = {{.read = GetMBMaxNumberFromPPD, .key = "OVMBMax", .value = 100},
              {.read = GetMBMaxNumberFromPPD, .key = "OVMBMixed", .value = 9},
              {.read = GetMBMaxNumberFromPPD, .key = "OVAbsent", .value = 0},
              {.read = GetPWMiniIntValueFromPPD, .key = "OVPWMin", .value = 4},
              {.read = GetPWMiniIntValueFromPPD, .key = "OVDigits", .value = 123},
              {.read = GetPWMiniIntValueFromPPD, .key = "OVAbsent", .value = -1},
              {.read = GetSorrelPWMiniIntValueFromPPD, .key = "OVSorrel", .value = 4},
              {.read = GetSorrelPWMiniIntValueFromPPD, .key = "OVSorrelNegative", .value = -5},
              {.read = GetSorrelPWMiniIntValueFromPPD, .key = "OVSorrelNone", .value = -1}};
  for (const auto& row : rows) EXPECT_EQ(row.read(ppd_.get(), row.key), row.value) << row.key;
  EXPECT_EQ(getIntFromString("12345", 3), 123);
  EXPECT_EQ(getIntFromString("1\0002", 3), 1);
  EXPECT_EQ(getIntFromString(nullptr, 4), 0);
  EXPECT_EQ(getIntFromString("99999999999999", 14), 2147483647);
}

TEST_F(PPDAccess, DefaultsAndChoiceIndices) {
  std::string value;
  EXPECT_TRUE(GetUIDefaultFromPPD(ppd_.get(), "OVColor", &value));
  EXPECT_EQ(value, "Gray");
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVPunch"), 0);
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVPWMin"), 0);
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVNoDefault"), -1);
  EXPECT_EQ(GetChoiceIndex(ppd_.get(), "OVStaple", "Right"), 2);
  EXPECT_EQ(GetChoiceIndex(ppd_.get(), "OVStaple", "right"), 4);  // case-sensitive: the count
  const char* list[] = {"Color", "Gray", "Auto"};
  EXPECT_EQ(GetValueFromPPD(ppd_.get(), "OVColor", list, 3), 1);
  EXPECT_EQ(GetValueFromPPD(ppd_.get(), "OVColor", list, 1), -1);
}

TEST_F(PPDAccess, MarkedChoiceElseDefault) {
  EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, ppd_.get(), "OVStaple"), 0);  // nothing marked: default
  ppdMarkDefaults(ppd_.get());
  ppdMarkOption(ppd_.get(), "OVStaple", "Right");
  EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, ppd_.get(), "OVStaple"), 2);
  ppd_option_t* color = ppdFindOption(ppd_.get(), "OVColor");
  ppdMarkOption(ppd_.get(), "OVColor", "Auto");
  EXPECT_EQ(GetIndexOfMarkedOptionWithKey(color, ppd_.get(), "ignored"), 2);
  // Its default names no choice, so libcups marks none: neither exists.
  EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, ppd_.get(), "OVNoDefault"), -1);
}

// libcups has turned the ISO Latin-1 translations into UTF-8.
TEST_F(PPDAccess, ChoiceTitlesAreUTF8) {
  std::vector<PDEChoiceNvx> choices = ArrayFromPPDOption(ppdFindOption(ppd_.get(), "OVTitle"));
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].userTitle(), "Gris cl\xC3\xA9");
  EXPECT_EQ(choices[0].ppdTitle(), "Gris");
}

struct EncodingRow {
  const char* name;
  const char* languageEncoding;  // the PPD's own LanguageEncoding line
  uint32_t encoding;
  int mailboxMaximum;  // of the value "250-F\xE4cher" as the file's bytes
};

class PPDEncoding : public testing::TestWithParam<EncodingRow> {};

// libcups reports lang_encoding "UTF-8" for every PPD; the attribute names the
// encoding of the file's attribute values.
TEST_P(PPDEncoding, TheFilesOwnLanguageEncodingDecodesAttributeValues) {
  TempDir dir;
  std::string header = PPDHeader();
  header.replace(header.find("ISOLatin1"), 9, GetParam().languageEncoding);
  PPDHandle ppd = OpenPPDText(dir.File("enc.ppd"), header +
                                                       "*OVXMailBoxSettings: \"250-F\xE4"
                                                       "cher\"\n");
  ASSERT_NE(ppd, nullptr);
  uint32_t encoding = 99;
  EXPECT_EQ(GetCFStringEncodingFromPPD(ppd.get(), &encoding), 0);
  EXPECT_EQ(encoding, GetParam().encoding);
  EXPECT_EQ(GetMBMaxNumberFromPPD(ppd.get(), "OVXMailBoxSettings"), GetParam().mailboxMaximum);
}

// E4 63 is one Shift-JIS character.
const EncodingRow kEncodings[] = {
    {.name = "ISOLatin1", .languageEncoding = "ISOLatin1", .encoding = 513, .mailboxMaximum = 250},
    {.name = "ShiftJIS", .languageEncoding = "JIS83-RKSJ", .encoding = 1, .mailboxMaximum = 250},
    {.name = "UTF8", .languageEncoding = "UTF-8", .encoding = 0x08000100, .mailboxMaximum = 0},
    {.name = "UnknownIsMacRoman", .languageEncoding = "isolatin1", .encoding = 0, .mailboxMaximum = 250},
};
INSTANTIATE_TEST_SUITE_P(PPDAccess, PPDEncoding, testing::ValuesIn(kEncodings), RowName());

TEST(FixKeyword, WritesOVForTheOrvanePPD) {
  const struct {
    const char *manufacturer, *keyword;
    size_t size;
    const char* fixed;
  } rows[] = {{.manufacturer = "Orvane", .keyword = "oVColor", .size = 32, .fixed = "OVColor"},
              {.manufacturer = "Other", .keyword = "ovColor", .size = 32, .fixed = "ovColor"},
              {.manufacturer = "Orvane", .keyword = "o", .size = 32, .fixed = "o"},
              {.manufacturer = "Orvane", .keyword = "ovColor", .size = 4, .fixed = "OVC"}};  // the terminator stays
  TempDir dir;
  for (const auto& row : rows) {
    std::string header = PPDHeader();
    header.replace(header.find("\"Orvane\""), 8, std::string("\"") + row.manufacturer + "\"");
    PPDHandle ppd = OpenPPDText(dir.File("fix.ppd"), header);
    ASSERT_NE(ppd, nullptr);
    char out[32] = {};
    FixPPDKeywordAccordingToType(ppd.get(), row.keyword, out, row.size);
    EXPECT_STREQ(out, row.fixed);
    for (size_t i = std::strlen(row.fixed); i < sizeof out; ++i) ASSERT_EQ(out[i], '\0');
  }
}

}  // namespace
