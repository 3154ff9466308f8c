// Reading the PPD as the panels do.
#include <gtest/gtest.h>

#include <cstring>

#include "pde_choice.h"
#include "ppd_access.h"
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

TEST_F(PPDAccess, AttributeLookupIsByPrefix) {
  ppd_attr_t* attr = ppdFindAttr_ALT(ppd_.get(), "OVXCDF");
  ASSERT_NE(attr, nullptr);
  EXPECT_STREQ(attr->name, "OVXCDFSetting");
  EXPECT_TRUE(CheckIfPPDKeywordSupported(ppd_.get(), "OVPrintTypeSettings", "PT2"));
  EXPECT_TRUE(CheckIfPPDKeywordSupported(ppd_.get(), "OVPrintType", ""));
  EXPECT_FALSE(CheckIfPPDKeywordSupported(ppd_.get(), "OVPrintTypeSettings", "PT3"));
  EXPECT_FALSE(CheckIfPPDKeywordSupported(ppd_.get(), "OVAbsent", "PT2"));
  EXPECT_TRUE(CheckPPDKeyIsExist(ppd_.get(), "OVStaple"));
  EXPECT_TRUE(CheckPPDKeyIsExist(ppd_.get(), "ovstaple"));
  EXPECT_FALSE(CheckPPDKeyIsExist(ppd_.get(), "OVAbsent"));
  EXPECT_FALSE(CheckPPDKeyIsExist(nullptr, "OVStaple"));
}

struct NumberCase {
  const char* name;
  int (*read)(ppd_file_t*, const char*);
  const char* key;
  int value;
};

class PPDNumbers : public PPDAccess, public testing::WithParamInterface<NumberCase> {};

TEST_P(PPDNumbers, ReadsTheNumberTheRuleGives) {
  EXPECT_EQ(GetParam().read(ppd_.get(), GetParam().key), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, PPDNumbers,
    testing::Values(NumberCase{"MBMaxReadsThreeBytes", GetMBMaxNumberFromPPD, "OVMBMax", 100},
                    NumberCase{"MBMaxShort", GetMBMaxNumberFromPPD, "OVMBShort", 12},
                    NumberCase{"MBMaxDigitsAmongThreeBytes", GetMBMaxNumberFromPPD, "OVMBMixed", 9},
                    NumberCase{"MBMaxMissing", GetMBMaxNumberFromPPD, "OVAbsent", 0},
                    NumberCase{"PWMinDefaultMin4", GetPWMiniIntValueFromPPD, "OVPWMin", 4},
                    NumberCase{"PWMinAllDigits", GetPWMiniIntValueFromPPD, "OVDigits", 123},
                    NumberCase{"PWMinMissing", GetPWMiniIntValueFromPPD, "OVAbsent", -1},
                    NumberCase{"SorrelFirstInteger", GetSorrelPWMiniIntValueFromPPD, "OVSorrel", 4},
                    NumberCase{"SorrelSigned", GetSorrelPWMiniIntValueFromPPD, "OVSorrelNegative", -5},
                    NumberCase{"SorrelNone", GetSorrelPWMiniIntValueFromPPD, "OVSorrelNone", -1},
                    NumberCase{"SorrelMissing", GetSorrelPWMiniIntValueFromPPD, "OVAbsent", -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct DigitsCase {
  const char* name;
  const char* text;
  size_t length;
  int value;
};

class IntFromString : public testing::TestWithParam<DigitsCase> {};

TEST_P(IntFromString, ConcatenatesTheDigits) {
  EXPECT_EQ(getIntFromString(GetParam().text, GetParam().length), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, IntFromString,
    testing::Values(DigitsCase{"Plain", "42", 2, 42}, DigitsCase{"Scattered", "a1-b2 c3", 8, 123},
                    DigitsCase{"LengthLimits", "12345", 3, 123}, DigitsCase{"NoDigits", "abc", 3, 0},
                    DigitsCase{"StopsAtNul", "1\0002", 3, 1}, DigitsCase{"Null", nullptr, 4, 0},
                    DigitsCase{"Saturates", "99999999999999", 14, 2147483647}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PPDAccess, DefaultsAndChoiceIndices) {
  std::string value;
  EXPECT_TRUE(GetUIDefaultFromPPD(ppd_.get(), "OVColor", &value));
  EXPECT_EQ(value, "Gray");
  EXPECT_FALSE(GetUIDefaultFromPPD(ppd_.get(), "OVAbsent", &value));
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVPunch"), 0);
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVPWMin"), 0);
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVNoDefault"), -1);
  EXPECT_EQ(GetUIDefaultValueFromPPD(ppd_.get(), "OVAbsent"), -1);
  EXPECT_EQ(GetChoiceIndex(ppd_.get(), "OVStaple", "Right"), 2);
  EXPECT_EQ(GetChoiceIndex(ppd_.get(), "OVStaple", "right"), 4);  // case-sensitive: the count
  EXPECT_EQ(GetChoiceIndex(ppd_.get(), "OVAbsent", "Right"), 0);
  const char* list[] = {"Color", "Gray", "Auto"};
  EXPECT_EQ(GetValueFromPPD(ppd_.get(), "OVColor", list, 3), 1);
  EXPECT_EQ(GetValueFromPPD(ppd_.get(), "OVColor", list, 1), -1);
  EXPECT_EQ(GetValueFromPPD(ppd_.get(), "OVAbsent", list, 3), -1);
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
  EXPECT_EQ(GetIndexOfMarkedOptionWithKey(nullptr, ppd_.get(), "OVAbsent"), -1);
}

TEST_F(PPDAccess, TitlesAreUTF8) {
  // libcups has turned the ISO Latin-1 translations into UTF-8.
  std::string title;
  EXPECT_TRUE(GetUITitleFromPPD(ppd_.get(), "OVTitle", &title));
  EXPECT_EQ(title, "Coul\xC3\xA9ur");
  EXPECT_FALSE(GetUITitleFromPPD(ppd_.get(), "OVAbsent", &title));
  std::vector<PDEChoiceNvx> choices = ArrayFromPPDOption(ppdFindOption(ppd_.get(), "OVTitle"));
  ASSERT_EQ(choices.size(), 1u);
  EXPECT_EQ(choices[0].userTitle(), "Gris cl\xC3\xA9");
  EXPECT_EQ(choices[0].ppdTitle(), "Gris");
  EXPECT_TRUE(ArrayFromPPDOption(nullptr).empty());
  std::vector<PDEChoiceNvx> staples = ArrayFromPPDOption(ppdFindOption(ppd_.get(), "OVStaple"));
  ASSERT_EQ(staples.size(), 4u);
  EXPECT_EQ(staples[3].ppdTitle(), "off");
  EXPECT_EQ(staples[3].userTitle(), "Off");
}

TEST(PPDTitles, TitleOfAPPDWithoutLanguageEncoding) {
  // Without a LanguageEncoding line the PPD's encoding is Mac Roman, but the
  // translations libcups hands over are UTF-8 and are read as such.
  TempDir dir;
  std::string header = PPDHeader();
  header.erase(header.find("*LanguageEncoding"), std::strlen("*LanguageEncoding: ISOLatin1\n"));
  PPDHandle ppd = OpenPPDText(dir.File("noenc.ppd"),
                              header + "*OpenUI *OVTitle/Coul\xE9ur: PickOne\n*DefaultOVTitle: A\n"
                                       "*OVTitle A/A: \"\"\n*CloseUI: *OVTitle\n");
  ASSERT_NE(ppd, nullptr);
  uint32_t encoding = 99;
  GetCFStringEncodingFromPPD(ppd.get(), &encoding);
  EXPECT_EQ(encoding, kTextEncodingMacRoman);
  std::string title;
  EXPECT_TRUE(GetUITitleFromPPD(ppd.get(), "OVTitle", &title));
  EXPECT_EQ(title, "Coul\xC3\xA9ur");
}

struct EncodingCase {
  const char* name;
  const char* languageEncoding;
  uint32_t encoding;
};

class PPDEncoding : public testing::TestWithParam<EncodingCase> {};

TEST_P(PPDEncoding, NamesMapToTextEncodings) {
  ppd_file_t ppd{};
  ppd.lang_encoding = const_cast<char*>(GetParam().languageEncoding);
  uint32_t encoding = 99;
  EXPECT_EQ(GetCFStringEncodingFromPPD(&ppd, &encoding), 0);
  EXPECT_EQ(encoding, GetParam().encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Names, PPDEncoding,
    testing::Values(EncodingCase{"ISOLatin1", "ISOLatin1", 513}, EncodingCase{"WindowsANSI", "WindowsANSI", 1280},
                    EncodingCase{"JIS", "JIS83-RKSJ", 1}, EncodingCase{"UTF8Dash", "UTF-8", 0x08000100},
                    EncodingCase{"UTF8", "UTF8", 0x08000100}, EncodingCase{"Other", "Unicode", 0},
                    EncodingCase{"CaseMatters", "isolatin1", 0}, EncodingCase{"None", nullptr, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PPDEncodingMissing, NoPPDIsMacRoman) {
  uint32_t encoding = 99;
  EXPECT_EQ(GetCFStringEncodingFromPPD(nullptr, &encoding), 0);
  EXPECT_EQ(encoding, 0u);
}

struct FixCase {
  const char* name;
  const char* manufacturer;
  const char* keyword;
  size_t size;
  const char* fixed;
};

class FixKeyword : public testing::TestWithParam<FixCase> {};

TEST_P(FixKeyword, WritesOVForTheOrvanePPD) {
  const FixCase& c = GetParam();
  TempDir dir;
  std::string header = PPDHeader();
  header.replace(header.find("\"Orvane\""), 8, std::string("\"") + c.manufacturer + "\"");
  PPDHandle ppd = OpenPPDText(dir.File("fix.ppd"), header);
  ASSERT_NE(ppd, nullptr);
  char out[32] = {};
  FixPPDKeywordAccordingToType(ppd.get(), c.keyword, out, c.size);
  EXPECT_STREQ(out, c.fixed);
  for (size_t i = std::strlen(c.fixed); i < sizeof out; ++i) ASSERT_EQ(out[i], '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, FixKeyword,
    testing::Values(FixCase{"LowerPrefix", "Orvane", "ovAccountingSettings", 32, "OVAccountingSettings"},
                    FixCase{"MixedPrefix", "Orvane", "oVColor", 32, "OVColor"},
                    FixCase{"AlreadyUpper", "Orvane", "OVColor", 32, "OVColor"},
                    FixCase{"OtherMaker", "Other", "ovColor", 32, "ovColor"},
                    FixCase{"OtherPrefix", "Orvane", "KQColor", 32, "KQColor"},
                    FixCase{"OneLetter", "Orvane", "o", 32, "o"},
                    FixCase{"BufferKeepsItsTerminator", "Orvane", "ovColor", 4, "OVC"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
