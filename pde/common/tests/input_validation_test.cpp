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

TEST(CharacterChecks, ByComposedSequenceAndByUnit) {
  const struct {
    const char* name;
    std::u16string text;
    const TextEditFilterData* filter;
    bool composed;  // validateInput
    bool units;     // validateInputForUTF8
  } rows[] = {{"LettersAndSpace", u"a b", &kPrintable, true, true},
              {"Tab", u"a\tb", &kPrintable, false, false},
              {"Empty", u"", &kPrintable, true, true},
              {"EmptyWithoutRanges", u"", &kNothing, true, true},
              {"NoRangesAcceptNothing", u"a", &kNothing, false, false},
              // A half-width letter with a sound mark is one sequence; the mark itself is not looked up.
              {"KanaWithVoicedMark", u"\uFF76\uFF9E", &kHalfWidthKana, true, false},
              {"KanaWithSemiVoicedMark", u"\uFF8A\uFF9F\uFF71", &kHalfWidthKana, true, false},
              {"LetterOutsideBeforeMark", u"a\uFF9E", &kHalfWidthKana, false, false},
              {"LoneSoundMark", u"\uFF9E", &kHalfWidthKana, false, false},
              // A combining accent makes a two-unit sequence not ending in a sound mark.
              {"CombiningAccent", u"e\u0301", &kEverything, false, true},
              {"CombiningAccentPrintable", u"e\u0301", &kPrintable, false, false},
              {"PrecomposedAccent", u"\u00E9", &kEverything, true, true},
              // A character outside the Basic Multilingual Plane is a surrogate pair.
              {"SurrogatePair", u"\U0001D11E", &kEverything, false, true},
              {"SurrogatePairAmongLetters", u"a\U0001F600b", &kEverything, false, true},
              {"HiraganaInRange", u"\u3042\u3044", &kEverything, true, true}};
  for (const auto& row : rows) {
    EXPECT_EQ(validateInput(row.text, row.filter), row.composed) << row.name;
    EXPECT_EQ(validateInputForUTF8(row.text, row.filter), row.units) << row.name;
  }
}

TEST(CharacterChecks, RangesPastTheCountAreIgnored) {
  TextEditFilterData filter = Filter({{'a', 'z'}});
  filter.charFilter.ranges[1] = {'0', '9'};
  EXPECT_TRUE(validateInput(u"abc", &filter));
  EXPECT_FALSE(validateInput(u"a1", &filter));
  filter.charFilter.count = 2;
  EXPECT_TRUE(validateInput(u"a1", &filter));
  filter.charFilter.count = 99;  // out of range: at most the 20 ranges are read
  EXPECT_TRUE(validateInput(u"a1", &filter));
  filter.charFilter.count = -1;
  EXPECT_FALSE(validateInput(u"a", &filter));
  // The byte filter is carried but not applied.
  filter.charFilter.count = 1;
  filter.byteFilter = kNothing.charFilter;
  EXPECT_TRUE(validateInput(u"abc", &filter));
}

TEST(AllSpace, SpacesAndIdeographicSpaces) {
  for (const char16_t* text : {u"", u"   ", u"\u3000\u3000", u" \u3000 "}) EXPECT_TRUE(IsAllSpace(text));
  for (const char16_t* text : {u"\t", u" a ", u"\u00A0"}) EXPECT_FALSE(IsAllSpace(text));
}

TEST(WidthCount, OneForLatin1UnitsTwoForOthers) {
  const struct {
    std::u16string text;
    const char* utf8;
    uint32_t width;
  } rows[] = {{u"", "", 0},
              {u"abc", "abc", 3},
              {u"\u00E9", "\xC3\xA9", 1},
              {u"\u00FF", "\xC3\xBF", 1},
              {u"\u0100", "\xC4\x80", 2},
              {u"\u3042", "\xE3\x81\x82", 2},
              {u"e\u0301", "e\xCC\x81", 3},
              {u"\U0001D11E", "\xF0\x9D\x84\x9E", 4},
              {u"\uFF76\uFF9E", "\xEF\xBD\xB6\xEF\xBE\x9E", 4},
              {u"a\u3042\u00E9", "a\xE3\x81\x82\xC3\xA9", 4}};
  for (const auto& row : rows) {
    EXPECT_EQ(GetStringLength(row.text), row.width) << row.utf8;
    EXPECT_EQ(GetUTF8StringLength(row.utf8), row.width) << row.utf8;
  }
  EXPECT_EQ(GetUTF8StringLength(nullptr), 0u);
  // Each ill-formed sequence counts as one replacement character.
  EXPECT_EQ(GetUTF8StringLength("a\xFF"
                                "b"),
            4u);
  EXPECT_EQ(GetUTF8StringLength("\xC0\xAF"), 4u);
}

TEST(Keystroke, AcceptsWithinWidthAndFilter) {
  const struct {
    std::u16string text;
    uint32_t maxLength;
    bool accepted;
  } rows[] = {{u"\u3042\u3044\u3046\u3048", 8, true},
              {u"\u3042\u3044\u3046\u3048\u304A", 8, false},
              {u"abcdefgh", 8, true},
              {u"abcdefghi", 8, false},
              {u"abcdefghijk\u3042", 12, false},
              {u"abcdefghij\u3042", 12, true},
              {u"e\u0301", 12, false},
              {u"", 0, true}};
  for (const auto& row : rows) {
    TextEditFormatterNvx formatter;
    formatter.initWithFilter(&kEverything, row.maxLength);
    std::string error = "none";
    int beeps = SysBeepCount();
    EXPECT_EQ(formatter.isPartialStringValid(row.text, &error), row.accepted) << row.text.size();
    EXPECT_EQ(error, row.accepted ? "none" : "String too long.");
    EXPECT_EQ(SysBeepCount(), beeps + (row.accepted ? 0 : 1));
  }
}

TEST(Keystroke, WidthThirteenIsRefusedKeyByKey) {
  TextEditFormatterNvx formatter;
  formatter.initWithFilter(&kPrintable, 12);
  std::u16string typed;
  std::string error;
  for (char16_t key : std::u16string(u"abcdefghijklm")) {
    if (formatter.isPartialStringValid(typed + key, &error)) typed += key;
  }
  EXPECT_EQ(typed, u"abcdefghijkl");
  EXPECT_EQ(error, "String too long.");
}

TEST(Keystroke, TheObjectIsTheText) {
  TextEditFormatterNvx formatter;
  std::u16string object;
  EXPECT_TRUE(formatter.getObjectValue(&object, u"abc", nullptr));
  EXPECT_EQ(object, u"abc");
  EXPECT_EQ(formatter.stringForObjectValue(&object), std::optional<std::u16string>(u"abc"));
  EXPECT_EQ(formatter.stringForObjectValue(nullptr), std::nullopt);
}

TEST(CommitCheck, LengthThenCharacters) {
  const struct {
    uint32_t minLength, maxLength;
    const TextEditFilterData* filter;
    const char* value;
    TextCheck result;
  } rows[] = {
      {1, 8, &kPrintable, "", TextCheck::kValid},  // an empty password with minimum one
      {1, 8, &kPrintable, "1234", TextCheck::kValid},
      {4, 8, &kPrintable, "123", TextCheck::kBadLength},
      {1, 8, &kPrintable, "123456789", TextCheck::kBadLength},
      {1, 8, &kEverything, "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82", TextCheck::kBadLength},
      {1, 8, &kPrintable, "a\tb", TextCheck::kBadCharacter},
      {1, 8, &kEverything, "e\xCC\x81", TextCheck::kBadCharacter},
      {1, 8, nullptr, "a\tb", TextCheck::kValid},
      {1, 8, &kEverything, "a\xFF", TextCheck::kBadCharacter}};
  for (const auto& row : rows) {
    TextEditIniData ini;
    ini.minLength = row.minLength;
    ini.maxLength = row.maxLength;
    EXPECT_EQ(CheckCommittedText(&ini, row.filter, row.value), row.result) << row.value;
  }
  EXPECT_EQ(CheckCommittedText(nullptr, &kNothing, "anything"), TextCheck::kValid);
}

TEST(TenthsText, PointBeforeTheLastDigit) {
  const struct {
    int32_t value;
    size_t size;
    bool ok;
    const char* text;
  } rows[] = {{125, 8, true, "12.5"},
              {5, 8, true, "0.5"},
              {0, 8, true, "0.0"},
              {10, 8, true, "1.0"},
              {-125, 8, true, "-12.5"},
              {-5, 8, true, "-.5"},
              {INT_MIN, 16, true, "-214748364.8"},
              {125, 5, true, "12.5"},
              {125, 4, false, ""}};
  for (const auto& row : rows) {
    char out[24];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(ConvertIntToFloatStr(&row.value, out, row.size), row.ok) << row.value;
    EXPECT_STREQ(out, row.text);
    for (size_t i = std::strlen(row.text); i < row.size; ++i) ASSERT_EQ(out[i], '\0') << i;
    EXPECT_EQ(out[row.size], 'x');
  }
}

}  // namespace
