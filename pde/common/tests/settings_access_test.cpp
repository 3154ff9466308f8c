// Writing into the print settings; per-printer keys.
#include <gtest/gtest.h>

#include <string>

#include "settings_access.h"

using namespace ovqpde;

namespace {

struct WriteCase {
  const char* name;
  std::string text;
  int status;
  std::string stored;  // what the settings hold afterwards ("" and status != 0: nothing)
};

class SettingsWriter : public testing::TestWithParam<WriteCase> {};

TEST_P(SettingsWriter, StoresTheTextAfterItsSubstitution) {
  const WriteCase& c = GetParam();
  PrintSettings settings;
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(c.text.c_str(), &settings, "nvxjobs.printsettings.Test", true),
            c.status);
  const PrintSettingsValue* value = settings.Find("nvxjobs.printsettings.Test");
  if (c.status != 0) {
    EXPECT_EQ(value, nullptr);
    return;
  }
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->text, c.stored);
  EXPECT_TRUE(value->locked);
}

std::string Repeat(const std::string& unit, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += unit;
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SettingsWriter,
    testing::Values(
        WriteCase{"Plain", "Report 2024", 0, "Report 2024"},
        WriteCase{"Empty", "", 0, ""},
        // U+FFE4 (full-width broken bar, EF BF A4) becomes "|".
        WriteCase{"FullWidthBrokenBar", "a\xEF\xBF\xA4" "b\xEF\xBF\xA4", 0, "a|b|"},
        WriteCase{"OtherFullWidthKept", "\xEF\xBD\x9C", 0, "\xEF\xBD\x9C"},
        WriteCase{"InvalidUTF8", "a\xFF" "b", -108, ""},
        WriteCase{"Overlong", "\xC0\xAF", -108, ""},
        WriteCase{"SurrogateCodePoint", "\xED\xA0\x80", -108, ""},
        WriteCase{"Truncated", "ab\xE3\x81", -108, ""},
        // 255 UTF-16 units is the room the platform reserves; longer values
        // are kept whole (byte-number forms reach 1020 characters).
        WriteCase{"Exactly255Units", Repeat("\xE3\x81\x82", 255), 0, Repeat("\xE3\x81\x82", 255)},
        WriteCase{"Units256", Repeat("x", 256), 0, Repeat("x", 256)},
        WriteCase{"SurrogatePairsPast255", Repeat("\xF0\x9D\x84\x9E", 128), 0, Repeat("\xF0\x9D\x84\x9E", 128)},
        WriteCase{"ByteNumberFormOf255Bytes", Repeat("/255", 255), 0, Repeat("/255", 255)}),
    [](const auto& info) { return std::string(info.param.name); });

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
