// Checks of typed text: characters by range, composed sequences, width count.
#include "input_validation.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "alert_sound.h"

using namespace ovqpde;

namespace {

TextEditFilterData Filter(std::initializer_list<CodeRange> ranges) {
  TextEditFilterData filter;
  for (const CodeRange& range : ranges)
    filter.charFilter.ranges[static_cast<size_t>(filter.charFilter.count++)] = range;
  filter.messageKey = "Message41";
  return filter;
}

const TextEditFilterData kPrintable = Filter({{32, 126}});
const TextEditFilterData kHalfWidthKana = Filter({{0xFF61, 0xFF9D}});  // without the sound marks
const TextEditFilterData kEverything = Filter({{0, 0xFFFF}});
const TextEditFilterData kNothing = Filter({});

// validateInput checks composed sequences, validateInputForUTF8 single units.
TEST(CharacterChecks, ByComposedSequenceAndByUnit) {
  const struct {
    std::u16string text;
    const TextEditFilterData* filter;
    bool composed, units;
  } rows[] = {
      {.text = u"a b", .filter = &kPrintable, .composed = true, .units = true},
      {.text = u"a\tb", .filter = &kPrintable, .composed = false, .units = false},
      {.text = u"", .filter = &kNothing, .composed = true, .units = true},
      {.text = u"a", .filter = &kNothing, .composed = false, .units = false},
      // A half-width letter with a sound mark is one sequence; the mark itself is not looked up.
      {.text = u"\uFF76\uFF9E", .filter = &kHalfWidthKana, .composed = true, .units = false},
      {.text = u"\uFF9E", .filter = &kHalfWidthKana, .composed = false, .units = false},
      // A combining accent makes a two-unit sequence not ending in a sound mark.
      {.text = u"e\u0301", .filter = &kEverything, .composed = false, .units = true},
      // A character outside the Basic Multilingual Plane is a surrogate pair.
      {.text = u"a\U0001F600b", .filter = &kEverything, .composed = false, .units = true},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(validateInput(row.text, row.filter), row.composed) << row.text.size();
    EXPECT_EQ(validateInputForUTF8(row.text, row.filter), row.units) << row.text.size();
  }
  // Ranges past the count are ignored; at most the 20 ranges are read.
  TextEditFilterData filter = Filter({{'a', 'z'}});
  filter.charFilter.ranges[1] = {'0', '9'};
  EXPECT_FALSE(validateInput(u"a1", &filter));
  filter.charFilter.count = 99;
  EXPECT_TRUE(validateInput(u"a1", &filter));
  filter.charFilter.count = -1;
  EXPECT_FALSE(validateInput(u"a", &filter));
}

// One for a unit of Latin-1, two for any other; an ill-formed UTF-8 sequence
// counts as one replacement character.
TEST(WidthCount, OneForLatin1UnitsTwoForOthers) {
  const struct {
    std::u16string text;
    const char* utf8;
    uint32_t width;
  } rows[] = {{.text = u"\u00FF", .utf8 = "\xC3\xBF", .width = 1},
              {.text = u"\u0100", .utf8 = "\xC4\x80", .width = 2},
              {.text = u"e\u0301", .utf8 = "e\xCC\x81", .width = 3},
              {.text = u"\U0001D11E", .utf8 = "\xF0\x9D\x84\x9E", .width = 4},
              {.text = u"a\u3042\u00E9", .utf8 = "a\xE3\x81\x82\xC3\xA9", .width = 4}};
  for (const auto& row : rows) {
    EXPECT_EQ(GetStringLength(row.text), row.width) << row.utf8;
    EXPECT_EQ(GetUTF8StringLength(row.utf8), row.width) << row.utf8;
  }
  EXPECT_EQ(GetUTF8StringLength(nullptr), 0u);
  EXPECT_EQ(GetUTF8StringLength("a\xFF"
                                "b"),
            4u);
  EXPECT_EQ(GetUTF8StringLength("\xC0\xAF"), 4u);
}

// Keystrokes beyond the width are refused with a beep; the object is the text.
TEST(Keystroke, AcceptsWithinWidthAndFilter) {
  const struct {
    std::u16string text;
    bool accepted;
  } rows[] = {{.text = u"\u3042\u3044\u3046\u3048\u304A\u304B", .accepted = true},
              {.text = u"\u3042\u3044\u3046\u3048\u304A\u304B\u304C", .accepted = false},
              {.text = u"abcdefghijk\u3042", .accepted = false},
              {.text = u"abcdefghij\u3042", .accepted = true},
              {.text = u"e\u0301", .accepted = false}};
  for (const auto& row : rows) {
    TextEditFormatterNvx formatter;
    formatter.initWithFilter(&kEverything, 12);
    std::string error = "none";
    const int beeps = SysBeepCount();
    EXPECT_EQ(formatter.isPartialStringValid(row.text, &error), row.accepted) << row.text.size();
    EXPECT_EQ(error, row.accepted ? "none" : "String too long.");
    EXPECT_EQ(SysBeepCount(), beeps + (row.accepted ? 0 : 1));
  }
  TextEditFormatterNvx formatter;
  std::u16string object;
  EXPECT_TRUE(formatter.getObjectValue(&object, u"abc", nullptr));
  EXPECT_EQ(formatter.stringForObjectValue(&object), std::optional<std::u16string>(u"abc"));
  EXPECT_EQ(formatter.stringForObjectValue(nullptr), std::nullopt);
}

TEST(CommitCheck, LengthThenCharacters) {
  const struct {
    uint32_t minLength;
    const TextEditFilterData* filter;
    const char* value;
    TextCheck result;
  } rows[] = {
      {.minLength = 1, .filter = &kPrintable, .value = "", .result = TextCheck::kValid},  // empty is always valid
      {.minLength = 4, .filter = &kPrintable, .value = "123", .result = TextCheck::kBadLength},
      {.minLength = 1, .filter = &kPrintable, .value = "123456789", .result = TextCheck::kBadLength},
      {.minLength = 1,
       .filter = &kEverything,
       .value = "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82",
       .result = TextCheck::kBadLength},
      {.minLength = 1, .filter = &kPrintable, .value = "a\tb", .result = TextCheck::kBadCharacter},
      {.minLength = 1, .filter = &kEverything, .value = "e\xCC\x81", .result = TextCheck::kBadCharacter},
      {.minLength = 1, .filter = nullptr, .value = "a\tb", .result = TextCheck::kValid},
      {.minLength = 1, .filter = &kEverything, .value = "a\xFF", .result = TextCheck::kBadCharacter},
  };
  for (const auto& row : rows) {
    TextEditIniData ini;
    ini.minLength = row.minLength;
    ini.maxLength = 8;
    EXPECT_EQ(CheckCommittedText(&ini, row.filter, row.value), row.result) << row.value;
  }
  EXPECT_EQ(CheckCommittedText(nullptr, &kNothing, "anything"), TextCheck::kValid);
}

// The point goes before the last digit; false and nothing when it does not fit.
TEST(TenthsText, PointBeforeTheLastDigit) {
  const struct {
    int32_t value;
    size_t size;
    const char* text;
  } rows[] = {{.value = 5, .size = 8, .text = "0.5"},    {.value = -125, .size = 8, .text = "-12.5"},
              {.value = -5, .size = 8, .text = "-.5"},   {.value = INT_MIN, .size = 16, .text = "-214748364.8"},
              {.value = 125, .size = 5, .text = "12.5"}, {.value = 125, .size = 4, .text = ""}};
  for (const auto& row : rows) {
    char out[24];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(ConvertIntToFloatStr(&row.value, out, row.size), row.text[0] != '\0') << row.value;
    EXPECT_STREQ(out, row.text);
    for (size_t i = std::strlen(row.text); i < row.size; ++i) ASSERT_EQ(out[i], '\0') << i;
    EXPECT_EQ(out[row.size], 'x');
  }
}

}  // namespace
