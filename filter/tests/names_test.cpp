// Document and user name rules.
#include "names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "jobstate.h"

namespace {

const ValidateDataScale* const kDefault = &docuNameValidateDataScale;
const ValidateDataScale* const kProduct02 = &docuNameValidateDataScaleForProduct02;
const ValidateDataScale* const kProduct03 = &docuNameValidateDataScaleForProduct03;
const ValidateDataScale* const kUser = &userNameValidateDataScale;

using ValidateCase = std::tuple<std::string, const ValidateDataScale*, int>;  // text, table, accepted
class ValidateDadaTest : public ::testing::TestWithParam<ValidateCase> {};

TEST_P(ValidateDadaTest, AcceptsOnlyTheTableCharacters) {
  const auto& [text, table, accepted] = GetParam();
  EXPECT_EQ(ValidateDada(text.c_str(), table), accepted);
}

INSTANTIATE_TEST_SUITE_P(Tables, ValidateDadaTest,
                         ::testing::ValuesIn(std::vector<ValidateCase>{
                             {"", kDefault, 1},
                             {" Report~2024!", kDefault, 1},
                             {"a\tb", kDefault, 0},
                             {"a\x7F", kUser, 0},
                             {"caf\xE9", kDefault, 0},
                             {"\xB1\xB2", kProduct02, 1},  // half-width kana
                             {"\xE0", kProduct02, 0},
                             {"A\x81\x60", kProduct02, 1},
                             {"\x81\x61", kProduct02, 0},
                             {"\xFF\x61", kProduct02, 1},
                             {"\x88\x9F\x93\xFA\xE0\x40", kProduct03, 1},
                             {"\x81\x3F", kProduct03, 0},
                             {"\xC4\x80", kProduct03, 0},
                             // A lead byte whose partner would be the terminating zero
                             // is checked as a single byte, and nothing past the end is read.
                             {"ab\x94", kProduct03, 0},
                             {"j.smith", kUser, 1},
                             {"jos\xC3\xA9", kUser, 0}}));

using SpaceCase = std::pair<std::string, int>;
class IsAllSpaceTest : public ::testing::TestWithParam<SpaceCase> {};
TEST_P(IsAllSpaceTest, Detects) { EXPECT_EQ(IsAllSpace(GetParam().first.c_str()), GetParam().second); }

INSTANTIATE_TEST_SUITE_P(
    Texts, IsAllSpaceTest,
    ::testing::ValuesIn(std::vector<SpaceCase>{
        {"", 1}, {"   ", 1}, {"\x81\x40 \x81\x40", 1}, {"  a ", 0}, {"\x81", 0}, {"\x81\x41", 0}}));

using NameCase = std::pair<std::string, std::string>;
class UserNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(UserNameTest, KeepsUsableNamesOnly) {
  std::memset(StdUserName, 0, sizeof StdUserName);
  std::strncpy(StdUserName, GetParam().first.c_str(), kStdTextSize);
  InvalidateStdUserName();
  EXPECT_EQ(std::string(StdUserName), GetParam().second);
}

const std::string kForty = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMN";

INSTANTIATE_TEST_SUITE_P(Names, UserNameTest,
                         ::testing::ValuesIn(std::vector<NameCase>{{"", "UnknownUser"},
                                                                   {"   ", "UnknownUser"},
                                                                   {"jos\xC3\xA9", "UnknownUser"},
                                                                   {kForty, kForty},
                                                                   {"ann lee", "ann lee"}}));

using CutCase = std::tuple<std::string, int, std::string>;  // title, length, name
class CutDocumentNameTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutDocumentNameTest, CutsByWidth) {
  const auto& [title, length, expected] = GetParam();
  char name[kStdTextSize + 1] = {};
  std::strncpy(name, title.c_str(), kStdTextSize);
  CutDocumentNameToWidth(name, length);
  EXPECT_EQ(std::string(name), expected);
}

// U+0100 (C4 80) has the high byte 0x01 and counts 2; U+3042 (E3 81 82) has
// 0x30 and counts 2; U+4E00 (E4 B8 80) has 0x4E and counts 1.
const std::string kFiveU4E00 = "\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80";

INSTANTIATE_TEST_SUITE_P(Titles, CutDocumentNameTest,
                         ::testing::ValuesIn(std::vector<CutCase>{
                             {"abcdefghijklmnopqrstu", 12, "abcdefghijkl"},
                             {"abcdefghijkl", 12, "abcdefghijkl"},
                             {"abcdefghij\xC4\x80xyz", 12, "abcdefghij\xC4\x80"},  // double width reaches the length
                             {"abcdefghijk\xC4\x80xyz", 12, "abcdefghijk"},        // ... or the length plus one
                             {"abcdefghij\xE3\x81\x82z", 12,
                              "abcdefghij"},  // cut before the character the length splits
                             {kFiveU4E00, 12, kFiveU4E00},
                             {"abc", 0, "abc"}}));

using DocumentCase = std::tuple<std::string, std::string, std::string>;  // options, title, name
class DocumentNameTest : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(DocumentNameTest, DerivesThePrintTypeName) {
  std::memset(StdDocumentName, 0, sizeof StdDocumentName);
  std::memset(PTStdDocumentName, 'x', sizeof PTStdDocumentName - 1);
  std::strncpy(StdDocumentName, std::get<1>(GetParam()).c_str(), kStdTextSize);
  std::string options = std::get<0>(GetParam());
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("user"),
                  const_cast<char*>("title"),
                  const_cast<char*>("1"),
                  options.data(),
                  nullptr};
  InvalidateStdDocumentNameForProductType(argv);
  EXPECT_EQ(std::string(PTStdDocumentName), std::get<2>(GetParam()));
}

const std::string kFifty = "Quarterly report for the regional sales team 2024";
std::string Product(char type) { return std::string("nvxjobs.printsettings.PrintTypeProductTypeTicketKey=") + type; }

INSTANTIATE_TEST_SUITE_P(Titles, DocumentNameTest,
                         ::testing::ValuesIn(std::vector<DocumentCase>{
                             {Product('2'), "Budget plan final v2.1", "Budget plan "},
                             {Product('1'), kFifty + "!", kFifty.substr(0, 32)},
                             {Product('7'), kFifty + "!", kFifty.substr(0, 32)},  // unknown types: as type 1
                             {Product('3'), "Report \xC4\x80 draft", ""},
                             {Product('3'), "Report draft", "Report draft"},
                             {"copies=1", "Report", ""},
                             {Product('2'), "abcdefghij\xE3\x81\x82z",
                              "abcdefghij"}}));  // the split character is left out

}  // namespace
