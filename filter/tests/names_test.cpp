// Document and user name rules.
#include "names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jobstate.h"

namespace {

struct ValidateCase {
  const char* name;
  std::string text;
  const ValidateDataScale* table;
  int accepted;
};

class ValidateDadaTest : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateDadaTest, AcceptsOnlyTheTableCharacters) {
  EXPECT_EQ(ValidateDada(GetParam().text.c_str(), GetParam().table), GetParam().accepted);
}

const ValidateDataScale* const kDefault = &docuNameValidateDataScale;
const ValidateDataScale* const kProduct02 = &docuNameValidateDataScaleForProduct02;
const ValidateDataScale* const kProduct03 = &docuNameValidateDataScaleForProduct03;
const ValidateDataScale* const kUser = &userNameValidateDataScale;

INSTANTIATE_TEST_SUITE_P(
    Tables, ValidateDadaTest,
    ::testing::Values(ValidateCase{"EmptyText", "", kDefault, 1},
                      ValidateCase{"PrintableAscii", " Report~2024!", kDefault, 1},
                      ValidateCase{"TabRejected", "a\tb", kDefault, 0},
                      ValidateCase{"DeleteRejected", "a\x7F", kUser, 0},
                      ValidateCase{"Latin1ByteRejectedByDefault", "caf\xE9", kDefault, 0},
                      ValidateCase{"HalfWidthKanaByProduct02", "\xB1\xB2", kProduct02, 1},
                      ValidateCase{"ByteAbove223RejectedByProduct02", "\xE0", kProduct02, 0},
                      ValidateCase{"WaveDashPairByProduct02", "A\x81\x60", kProduct02, 1},
                      ValidateCase{"OtherPairRejectedByProduct02", "\x81\x61", kProduct02, 0},
                      ValidateCase{"PairFF61ByProduct02", "\xFF\x61", kProduct02, 1},
                      ValidateCase{"DoubleBytePairsByProduct03", "\x88\x9F\x93\xFA\xE0\x40", kProduct03, 1},
                      ValidateCase{"PairOutsideProduct03", "\x81\x3F", kProduct03, 0},
                      ValidateCase{"Utf8TwoByteLetterOutsideProduct03", "\xC4\x80", kProduct03, 0},
                      // A lead byte whose partner would be the terminating zero
                      // is checked as a single byte, and nothing past the end is read.
                      ValidateCase{"LoneLeadByteAtEndProduct03", "ab\x94", kProduct03, 0},
                      ValidateCase{"UserNameAsciiOnly", "j.smith", kUser, 1},
                      ValidateCase{"UserNameWithUtf8", "jos\xC3\xA9", kUser, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpaceCase {
  const char* name;
  std::string text;
  int allSpace;
};

class IsAllSpaceTest : public ::testing::TestWithParam<SpaceCase> {};

TEST_P(IsAllSpaceTest, Detects) { EXPECT_EQ(IsAllSpace(GetParam().text.c_str()), GetParam().allSpace); }

INSTANTIATE_TEST_SUITE_P(Texts, IsAllSpaceTest,
                         ::testing::Values(SpaceCase{"Empty", "", 1}, SpaceCase{"Spaces", "   ", 1},
                                           SpaceCase{"FullWidthSpaces", "\x81\x40 \x81\x40", 1},
                                           SpaceCase{"Letter", "  a ", 0}, SpaceCase{"HalfPair", "\x81", 0},
                                           SpaceCase{"OtherPair", "\x81\x41", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct UserNameCase {
  const char* name;
  std::string user;
  std::string expected;
};

class UserNameTest : public ::testing::TestWithParam<UserNameCase> {};

TEST_P(UserNameTest, KeepsUsableNamesOnly) {
  std::memset(StdUserName, 0, sizeof StdUserName);
  std::strncpy(StdUserName, GetParam().user.c_str(), kStdTextSize);
  InvalidateStdUserName();
  EXPECT_EQ(std::string(StdUserName), GetParam().expected);
}

const std::string kForty = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";

INSTANTIATE_TEST_SUITE_P(Names, UserNameTest,
                         ::testing::Values(UserNameCase{"Empty", "", "UnknownUser"},
                                           UserNameCase{"ThreeSpaces", "   ", "UnknownUser"},
                                           UserNameCase{"NonAsciiLetter", "jos\xC3\xA9", "UnknownUser"},
                                           UserNameCase{"FortyPrintable", kForty, kForty},
                                           UserNameCase{"WithInnerSpace", "ann lee", "ann lee"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
  const char* name;
  std::string title;
  int length;
  std::string expected;
};

class CutDocumentNameTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutDocumentNameTest, CutsByWidth) {
  char name[kStdTextSize + 1] = {};
  std::strncpy(name, GetParam().title.c_str(), kStdTextSize);
  CutDocumentNameToWidth(name, GetParam().length);
  EXPECT_EQ(std::string(name), GetParam().expected);
}

// U+0100 (C4 80) has the high byte 0x01 and counts 2; U+3042 (E3 81 82) has
// 0x30 and counts 2; U+4E00 (E4 B8 80) has 0x4E and counts 1.
INSTANTIATE_TEST_SUITE_P(
    Titles, CutDocumentNameTest,
    ::testing::Values(
        CutCase{"AsciiAtLength", "abcdefghijklmnopqrstu", 12, "abcdefghijkl"},
        CutCase{"NotLongerThanLength", "abcdefghijkl", 12, "abcdefghijkl"},
        CutCase{"DoubleWidthReachesLength", "abcdefghij\xC4\x80xyz", 12, "abcdefghij\xC4\x80"},
        CutCase{"DoubleWidthReachesLengthPlusOne", "abcdefghijk\xC4\x80xyz", 12, "abcdefghijk"},
        CutCase{"CutAtByteLengthInsideCharacter", "abcdefghij\xE3\x81\x82z", 12, "abcdefghij\xE3\x81"},
        CutCase{"SingleWidthUnitsRunOut", "\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80", 12,
                "\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80"},
        CutCase{"LengthZeroLeavesName", "abc", 0, "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RuleCase {
  int productType;
  int length;
  const ValidateDataScale* table;
};

class ProductRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ProductRuleTest, GivesLengthAndTable) {
  DocumentNameRule rule = DocumentNameRuleForProductType(GetParam().productType);
  EXPECT_EQ(rule.length, GetParam().length);
  EXPECT_EQ(rule.table, GetParam().table);
}

INSTANTIATE_TEST_SUITE_P(ProductTypes, ProductRuleTest,
                         ::testing::Values(RuleCase{2, 12, kProduct02}, RuleCase{3, 64, kProduct03},
                                           RuleCase{1, 32, kDefault}, RuleCase{0, 32, kDefault},
                                           RuleCase{7, 32, kDefault}, RuleCase{-1, 0, kDefault}));

struct DocumentCase {
  const char* name;
  std::string options;
  std::string title;
  std::string expected;
};

class DocumentNameTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(DocumentNameTest, DerivesThePrintTypeName) {
  std::memset(StdDocumentName, 0, sizeof StdDocumentName);
  std::memset(PTStdDocumentName, 'x', sizeof PTStdDocumentName - 1);
  std::strncpy(StdDocumentName, GetParam().title.c_str(), kStdTextSize);
  std::string options = GetParam().options;
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("user"),
                  const_cast<char*>("title"),     const_cast<char*>("1"), options.data(),
                  nullptr};
  InvalidateStdDocumentNameForProductType(argv);
  EXPECT_EQ(std::string(PTStdDocumentName), GetParam().expected);
}

const std::string kFifty = "Quarterly report for the regional sales team 2024";

INSTANTIATE_TEST_SUITE_P(
    Titles, DocumentNameTest,
    ::testing::Values(
        DocumentCase{"Product2Ascii21", "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=2",
                     "Budget plan final v2.1", "Budget plan "},
        DocumentCase{"Product1Ascii50", "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=1", kFifty + "!",
                     kFifty.substr(0, 32)},
        DocumentCase{"Product3NonAscii", "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=3",
                     "Report \xC4\x80 draft", ""},
        DocumentCase{"Product3Ascii", "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=3", "Report draft",
                     "Report draft"},
        DocumentCase{"NoProductType", "copies=1", "Report", ""},
        DocumentCase{"Product2HalfCharacterCleared", "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=2",
                     "abcdefghij\xE3\x81\x82z", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
