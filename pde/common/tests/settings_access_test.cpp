// Writing into the print settings; per-printer keys.
#include "settings_access.h"

#include <gtest/gtest.h>

#include <string>

using namespace ovqpde;

namespace {

std::string Repeat(const std::string& unit, int times) {
  std::string text;
  while (times-- > 0) text += unit;
  return text;
}

TEST(SettingsWriter, StoresTheTextAfterItsSubstitution) {
  const struct {
    std::string text;
    int status;
    std::string stored;
  } rows[] = {{"Report 2024", 0, "Report 2024"},
              {"", 0, ""},
              // U+FFE4 (full-width broken bar, EF BF A4) becomes "|"; other full-width characters stay.
              {"a\xEF\xBF\xA4"
               "b\xEF\xBF\xA4",
               0, "a|b|"},
              {"\xEF\xBD\x9C", 0, "\xEF\xBD\x9C"},
              // Text that is not UTF-8: invalid, overlong, a surrogate code point, truncated.
              {"a\xFF"
               "b",
               -108, ""},
              {"\xC0\xAF", -108, ""},
              {"\xED\xA0\x80", -108, ""},
              {"ab\xE3\x81", -108, ""},
              // 255 UTF-16 units is the room the platform reserves; longer values
              // are kept whole (byte-number forms reach 1020 characters).
              {Repeat("\xE3\x81\x82", 255), 0, Repeat("\xE3\x81\x82", 255)},
              {Repeat("x", 256), 0, Repeat("x", 256)},
              {Repeat("\xF0\x9D\x84\x9E", 128), 0, Repeat("\xF0\x9D\x84\x9E", 128)},
              {Repeat("/255", 255), 0, Repeat("/255", 255)}};
  for (const auto& row : rows) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(row.text.c_str(), &settings, "nvxjobs.printsettings.Test", true),
              row.status)
        << row.text;
    const PrintSettingsValue* value = settings.Find("nvxjobs.printsettings.Test");
    if (row.status != 0) {
      EXPECT_EQ(value, nullptr);
      continue;
    }
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->text, row.stored);
    EXPECT_TRUE(value->locked);
  }
}

TEST(SettingsWriterArguments, MissingArgumentsAre50) {
  PrintSettings settings;
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(nullptr, &settings, "k", false), -50);
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("v", nullptr, "k", false), -50);
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("v", &settings, nullptr, false), -50);
  EXPECT_TRUE(settings.Values().empty());
}

TEST(SettingsWriterArguments, LockFlagPassesThrough) {
  PrintSettings settings;
  ASSERT_EQ(SetValueToSettingsWithTicketKeyAndLock("1", &settings, "k", false), 0);
  EXPECT_FALSE(settings.Find("k")->locked);
  ASSERT_EQ(SetValueToSettingsWithTicketKeyAndLock("2", &settings, "k", true), 0);
  EXPECT_TRUE(settings.Find("k")->locked);
  EXPECT_EQ(settings.Find("k")->text, "2");
}

TEST(PrinterKeys, PrinterIDThenPreferenceKey) {
  std::string key = "x";
  EXPECT_TRUE(CreateKeyWithCurrentPrinter("nvxjobs.printsettings.DocumentNameReference", "Office_3F", &key));
  EXPECT_EQ(key, "xOffice_3Fnvxjobs.printsettings.DocumentNameReference");
  EXPECT_FALSE(CreateKeyWithCurrentPrinter(nullptr, "Office_3F", &key));
  EXPECT_FALSE(CreateKeyWithCurrentPrinter("k", nullptr, &key));
  EXPECT_FALSE(CreateKeyWithCurrentPrinter("k", "p", nullptr));
  EXPECT_EQ(key, "xOffice_3Fnvxjobs.printsettings.DocumentNameReference");
}

TEST(PrinterKeys, PrinterStringOfTheSession) {
  PrintSession session;
  std::string printer = "a";
  EXPECT_EQ(SetPrinterString(&session, &printer), 1);  // no current printer
  EXPECT_EQ(printer, "a");
  session.SetCurrentPrinter("Office_3F");
  EXPECT_EQ(SetPrinterString(&session, &printer), 0);
  EXPECT_EQ(printer, "aOffice_3F");
  EXPECT_EQ(SetPrinterString(&session, nullptr), 1);
  EXPECT_EQ(SetPrinterString(nullptr, &printer), 1);
}

}  // namespace
