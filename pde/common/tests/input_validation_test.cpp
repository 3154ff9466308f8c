// Checks of typed text: characters by range, composed sequences, width count.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "alert_sound.h"
#include "input_validation.h"

using namespace ovqpde;

namespace {

TextEditFilterData Filter(std::initializer_list<CodeRange> ranges) {
  TextEditFilterData filter;
  for (const CodeRange& range : ranges) filter.charFilter.ranges[static_cast<size_t>(filter.charFilter.count++)] = range;
  filter.messageKey = "Message41";
  return filter;
}

const TextEditFilterData kPrintable = Filter({{32, 126}});
const TextEditFilterData kHalfWidthKana = Filter({{0xFF61, 0xFF9D}});  // without the sound marks
const TextEditFilterData kEverything = Filter({{0, 0xFFFF}});
const TextEditFilterData kNothing = Filter({});

// ---- validateInput and validateInputForUTF8 -------------------------------------

struct CharCase {
  const char* name;
  std::u16string text;
  const TextEditFilterData* filter;
  bool composed;  // validateInput
  bool units;     // validateInputForUTF8
};

class CharacterChecks : public testing::TestWithParam<CharCase> {};

TEST_P(CharacterChecks, ByComposedSequenceAndByUnit) {
  EXPECT_EQ(validateInput(GetParam().text, GetParam().filter), GetParam().composed);
  EXPECT_EQ(validateInputForUTF8(GetParam().text, GetParam().filter), GetParam().units);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CharacterChecks,
    testing::Values(
        CharCase{"LettersAndSpace", u"a b", &kPrintable, true, true},
        CharCase{"Tab", u"a\tb", &kPrintable, false, false},
        CharCase{"Empty", u"", &kPrintable, true, true},
        CharCase{"EmptyWithoutRanges", u"", &kNothing, true, true},
        CharCase{"NoRangesAcceptNothing", u"a", &kNothing, false, false},
        // A half-width letter with a sound mark is one sequence; the mark itself is not looked up.
        CharCase{"KanaWithVoicedMark", u"\uFF76\uFF9E", &kHalfWidthKana, true, false},
        CharCase{"KanaWithSemiVoicedMark", u"\uFF8A\uFF9F\uFF71", &kHalfWidthKana, true, false},
        CharCase{"LetterOutsideBeforeMark", u"a\uFF9E", &kHalfWidthKana, false, false},
        CharCase{"LoneSoundMark", u"\uFF9E", &kHalfWidthKana, false, false},
        // A combining accent makes a two-unit sequence not ending in a sound mark.
        CharCase{"CombiningAccent", u"e\u0301", &kEverything, false, true},
        CharCase{"CombiningAccentPrintable", u"e\u0301", &kPrintable, false, false},
        CharCase{"PrecomposedAccent", u"\u00E9", &kEverything, true, true},
        // A character outside the Basic Multilingual Plane is a surrogate pair.
        CharCase{"SurrogatePair", u"\U0001D11E", &kEverything, false, true},
        CharCase{"SurrogatePairAmongLetters", u"a\U0001F600b", &kEverything, false, true},
        CharCase{"HiraganaInRange", u"\u3042\u3044", &kEverything, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CharacterChecksFilter, RangesPastTheCountAreIgnored) {
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

// ---- IsAllSpace ---------------------------------------------------------------------------

TEST(AllSpace, SpacesAndIdeographicSpaces) {
  EXPECT_TRUE(IsAllSpace(u""));
  EXPECT_TRUE(IsAllSpace(u"   "));
  EXPECT_TRUE(IsAllSpace(u"\u3000\u3000"));
  EXPECT_TRUE(IsAllSpace(u" \u3000 "));
  EXPECT_FALSE(IsAllSpace(u"\t"));
  EXPECT_FALSE(IsAllSpace(u" a "));
  EXPECT_FALSE(IsAllSpace(u"\u00A0"));
}

// ---- width count ------------------------------------------------------------------------

struct WidthCase {
  const char* name;
  std::u16string text;
  const char* utf8;
  uint32_t width;
};

class WidthCount : public testing::TestWithParam<WidthCase> {};

TEST_P(WidthCount, OneForLatin1UnitsTwoForOthers) {
  EXPECT_EQ(GetStringLength(GetParam().text), GetParam().width);
  EXPECT_EQ(GetUTF8StringLength(GetParam().utf8), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WidthCount,
    testing::Values(WidthCase{"Empty", u"", "", 0}, WidthCase{"Ascii", u"abc", "abc", 3},
                    WidthCase{"LatinEAcute", u"\u00E9", "\xC3\xA9", 1},
                    WidthCase{"LastLatin1", u"\u00FF", "\xC3\xBF", 1},
                    WidthCase{"FirstBeyondLatin1", u"\u0100", "\xC4\x80", 2},
                    WidthCase{"Hiragana", u"\u3042", "\xE3\x81\x82", 2},
                    WidthCase{"CombiningAccent", u"e\u0301", "e\xCC\x81", 3},
                    WidthCase{"SurrogatePair", u"\U0001D11E", "\xF0\x9D\x84\x9E", 4},
                    WidthCase{"HalfWidthKanaWithMark", u"\uFF76\uFF9E", "\xEF\xBD\xB6\xEF\xBE\x9E", 4},
                    WidthCase{"Mixed", u"a\u3042\u00E9", "a\xE3\x81\x82\xC3\xA9", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WidthCountUTF8, MissingAndIllFormedText) {
  EXPECT_EQ(GetUTF8StringLength(nullptr), 0u);
  // Each ill-formed sequence counts as one replacement character.
  EXPECT_EQ(GetUTF8StringLength("a\xFF" "b"), 4u);
  EXPECT_EQ(GetUTF8StringLength("\xC0\xAF"), 4u);
}

// ---- keystroke check -----------------------------------------------------------------------

struct KeystrokeCase {
  const char* name;
  std::u16string text;
  uint32_t maxLength;
  bool accepted;
};

class Keystroke : public testing::TestWithParam<KeystrokeCase> {};

TEST_P(Keystroke, AcceptsWithinWidthAndFilter) {
  const KeystrokeCase& c = GetParam();
  TextEditFormatterNvx formatter;
  formatter.initWithFilter(&kEverything, c.maxLength);
  std::string error = "none";
  int beeps = SysBeepCount();
  EXPECT_EQ(formatter.isPartialStringValid(c.text, &error), c.accepted);
  EXPECT_EQ(error, c.accepted ? "none" : "String too long.");
  EXPECT_EQ(SysBeepCount(), beeps + (c.accepted ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Keystroke,
    testing::Values(KeystrokeCase{"FourKanaInEight", u"\u3042\u3044\u3046\u3048", 8, true},
                    KeystrokeCase{"FiveKanaInEight", u"\u3042\u3044\u3046\u3048\u304A", 8, false},
                    KeystrokeCase{"EightLatinInEight", u"abcdefgh", 8, true},
                    KeystrokeCase{"NineLatinInEight", u"abcdefghi", 8, false},
                    KeystrokeCase{"WidthThirteenInTwelve", u"abcdefghijk\u3042", 12, false},
                    KeystrokeCase{"WidthTwelveInTwelve", u"abcdefghij\u3042", 12, true},
                    KeystrokeCase{"BadCharacterSameWords", u"e\u0301", 12, false},
                    KeystrokeCase{"EmptyText", u"", 0, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeystrokeTyping, WidthThirteenIsRefusedKeyByKey) {
  TextEditFormatterNvx formatter;
  formatter.initWithFilter(&kPrintable, 12);
  std::u16string typed;
  std::string error;
  for (char16_t key : std::u16string(u"abcdefghijklm")) {
    std::u16string proposed = typed + key;
    if (formatter.isPartialStringValid(proposed, &error)) typed = proposed;
  }
  EXPECT_EQ(typed, u"abcdefghijkl");
  EXPECT_EQ(error, "String too long.");
}

TEST(KeystrokeObjects, TheObjectIsTheText) {
  TextEditFormatterNvx formatter;
  std::u16string object;
  EXPECT_TRUE(formatter.getObjectValue(&object, u"abc", nullptr));
  EXPECT_EQ(object, u"abc");
  EXPECT_EQ(formatter.stringForObjectValue(&object), std::optional<std::u16string>(u"abc"));
  EXPECT_EQ(formatter.stringForObjectValue(nullptr), std::nullopt);
}

// ---- commit check ---------------------------------------------------------------------------

struct CommitCase {
  const char* name;
  uint32_t minLength;
  uint32_t maxLength;
  const TextEditFilterData* filter;
  const char* value;
  TextCheck result;
};

class CommitCheck : public testing::TestWithParam<CommitCase> {};

TEST_P(CommitCheck, LengthThenCharacters) {
  TextEditIniData ini;
  ini.minLength = GetParam().minLength;
  ini.maxLength = GetParam().maxLength;
  EXPECT_EQ(CheckCommittedText(&ini, GetParam().filter, GetParam().value), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CommitCheck,
    testing::Values(CommitCase{"EmptyPasswordWithMinimumOne", 1, 8, &kPrintable, "", TextCheck::kValid},
                    CommitCase{"Fits", 1, 8, &kPrintable, "1234", TextCheck::kValid},
                    CommitCase{"TooShort", 4, 8, &kPrintable, "123", TextCheck::kBadLength},
                    CommitCase{"TooLong", 1, 8, &kPrintable, "123456789", TextCheck::kBadLength},
                    CommitCase{"KanaCountsTwo", 1, 8, &kEverything, "\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82\xE3\x81\x82",
                               TextCheck::kBadLength},
                    CommitCase{"BadCharacter", 1, 8, &kPrintable, "a\tb", TextCheck::kBadCharacter},
                    CommitCase{"CombiningAccent", 1, 8, &kEverything, "e\xCC\x81", TextCheck::kBadCharacter},
                    CommitCase{"NoFilter", 1, 8, nullptr, "a\tb", TextCheck::kValid},
                    CommitCase{"NotUTF8", 1, 8, &kEverything, "a\xFF", TextCheck::kBadCharacter}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommitCheckIni, WithoutInitialDataEverythingIsValid) {
  EXPECT_EQ(CheckCommittedText(nullptr, &kNothing, "anything"), TextCheck::kValid);
}

// ---- tenths as text ------------------------------------------------------------------------

struct TenthsCase {
  const char* name;
  int32_t value;
  size_t size;
  bool ok;
  const char* text;
};

class TenthsText : public testing::TestWithParam<TenthsCase> {};

TEST_P(TenthsText, PointBeforeTheLastDigit) {
  char out[24];
  std::memset(out, 'x', sizeof out);
  EXPECT_EQ(ConvertIntToFloatStr(&GetParam().value, out, GetParam().size), GetParam().ok);
  EXPECT_STREQ(out, GetParam().text);
  for (size_t i = std::strlen(GetParam().text); i < GetParam().size; ++i) ASSERT_EQ(out[i], '\0') << i;
  EXPECT_EQ(out[GetParam().size], 'x');
}

INSTANTIATE_TEST_SUITE_P(
    Values, TenthsText,
    testing::Values(TenthsCase{"Positive", 125, 8, true, "12.5"}, TenthsCase{"OneDigit", 5, 8, true, "0.5"},
                    TenthsCase{"Zero", 0, 8, true, "0.0"}, TenthsCase{"Ten", 10, 8, true, "1.0"},
                    TenthsCase{"Negative", -125, 8, true, "-12.5"}, TenthsCase{"NegativeOneDigit", -5, 8, true, "-.5"},
                    TenthsCase{"Smallest", INT_MIN, 16, true, "-214748364.8"},
                    TenthsCase{"ExactFit", 125, 5, true, "12.5"}, TenthsCase{"TooSmall", 125, 4, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
