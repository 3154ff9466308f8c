// Document and user name rules.
#include "names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jobstate.h"

namespace {

TEST(Names, ValidateDataAcceptsOnlyTheTableCharacters) {
  const struct {
    std::string text;
    const ValidateDataScale* table;
    int accepted;
  } rows[] = {
      {.text = " Report~2024!", .table = &docuNameValidateDataScale, .accepted = 1},
      {.text = "a\tb", .table = &docuNameValidateDataScale, .accepted = 0},
      {.text = "caf\xE9", .table = &docuNameValidateDataScale, .accepted = 0},
      {.text = "a\x7F", .table = &userNameValidateDataScale, .accepted = 0},
      {.text = "\xB1\xB2", .table = &docuNameValidateDataScaleForProduct02, .accepted = 1},  // half-width kana
      {.text = "A\x81\x60", .table = &docuNameValidateDataScaleForProduct02, .accepted = 1},
      {.text = "\x81\x61", .table = &docuNameValidateDataScaleForProduct02, .accepted = 0},
      {.text = "\x88\x9F\x93\xFA\xE0\x40", .table = &docuNameValidateDataScaleForProduct03, .accepted = 1},
      {.text = "\x81\x3F", .table = &docuNameValidateDataScaleForProduct03, .accepted = 0},
      // A lead byte whose partner would be the terminating zero is checked as
      // a single byte, and nothing past the end is read.
      {.text = "ab\x94", .table = &docuNameValidateDataScaleForProduct03, .accepted = 0},
  };
  for (const auto& row : rows) EXPECT_EQ(ValidateDada(row.text.c_str(), row.table), row.accepted) << row.text;
  for (const char* text : {"", "   ", "\x81\x40 \x81\x40"}) EXPECT_EQ(IsAllSpace(text), 1) << text;
  for (const char* text : {"  a ", "\x81", "\x81\x41"}) EXPECT_EQ(IsAllSpace(text), 0) << text;
}

TEST(Names, UserNameKeptOnlyWhenUsable) {
  const struct {
    std::string name, kept;
  } rows[] = {{.name = "   ", .kept = "UnknownUser"},
              {.name = "jos\xC3\xA9", .kept = "UnknownUser"},
              {.name = "ann lee", .kept = "ann lee"}};
  for (const auto& row : rows) {
    std::snprintf(StdUserName, sizeof StdUserName, "%s", row.name.c_str());
    InvalidateStdUserName();
    EXPECT_EQ(std::string(StdUserName), row.kept);
  }
}

// U+0100 (C4 80) has the high byte 0x01 and counts 2; U+3042 (E3 81 82) has
// 0x30 and counts 2; U+4E00 (E4 B8 80) has 0x4E and counts 1.
TEST(Names, DocumentNameCutByWidth) {
  const std::string kFiveU4E00 = "\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80\xE4\xB8\x80";
  const struct {
    std::string title, name;
  } rows[] = {{.title = "abcdefghij\xC4\x80xyz", .name = "abcdefghij\xC4\x80"},  // double width reaches the length
              {.title = "abcdefghijk\xC4\x80xyz", .name = "abcdefghijk"},        // ... or the length plus one
              {.title = "abcdefghij\xE3\x81\x82z", .name = "abcdefghij"},        // the split character is left out
              {.title = kFiveU4E00, .name = kFiveU4E00}};
  for (const auto& row : rows) {
    char name[kStdTextSize + 1] = {};
    std::strncpy(name, row.title.c_str(), kStdTextSize);
    CutDocumentNameToWidth(name, 12);
    EXPECT_EQ(std::string(name), row.name);
  }
}

}  // namespace
