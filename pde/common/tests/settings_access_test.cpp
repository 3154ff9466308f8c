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
  } rows[] = {{.text = "", .status = 0, .stored = ""},
              // U+FFE4 (full-width broken bar) becomes "|"; other full-width characters stay.
              {.text = "a\xEF\xBF\xA4"
                       "b\xEF\xBD\x9C",
               .status = 0,
               .stored = "a|b\xEF\xBD\x9C"},
              // Text that is not UTF-8 (one form: the checks are ICU's).
              {.text = "a\xFF"
                       "b",
               .status = -108,
               .stored = ""},
              // Values longer than the 255 UTF-16 units the platform reserves are kept whole.
              {.text = Repeat("\xF0\x9D\x84\x9E", 128), .status = 0, .stored = Repeat("\xF0\x9D\x84\x9E", 128)},
              {.text = Repeat("/255", 255), .status = 0, .stored = Repeat("/255", 255)}};
  for (const auto& row : rows) {
    PrintSettings settings;
    EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(row.text.c_str(), &settings, "k", true), row.status) << row.text;
    const PrintSettingsValue* value = settings.Find("k");
    EXPECT_EQ(value ? value->text : "(none)", row.status == 0 ? row.stored : "(none)");
    EXPECT_TRUE(value == nullptr || value->locked);
  }
  PrintSettings settings;
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock(nullptr, &settings, "k", false), -50);
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("v", nullptr, "k", false), -50);
  EXPECT_EQ(SetValueToSettingsWithTicketKeyAndLock("v", &settings, nullptr, false), -50);
  ASSERT_EQ(SetValueToSettingsWithTicketKeyAndLock("1", &settings, "k", false), 0);
  EXPECT_FALSE(settings.Find("k")->locked);
}

}  // namespace
