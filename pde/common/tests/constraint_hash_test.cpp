// The constraint hash: the four constraint shapes, the direct build and the
// conflict test against marks made by libcups.
#include <gtest/gtest.h>

#include "constraint_hash.h"
#include "test_ppd.h"

using namespace ovqpde;

namespace {

// ---- the hash function -----------------------------------------------------

struct HashCase {
  const char* name;
  std::string key;
  uint64_t hash;
};

class ConstraintHashFunction : public testing::TestWithParam<HashCase> {};

TEST_P(ConstraintHashFunction, FiveTimesPlusSignedByte) {
  EXPECT_EQ(constraintHash(GetParam().key), GetParam().hash);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ConstraintHashFunction,
    testing::Values(HashCase{"Empty", "", 0}, HashCase{"OneByte", "A", 65}, HashCase{"TwoBytes", "AB", 391},
                    HashCase{"Key", "A:B", 1981},
                    // 0xE9 is -23 as a signed character: 5 * (-23) + 65 = -50.
                    HashCase{"HighByteIsNegative", "\xE9" "A", static_cast<uint64_t>(-50)}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the shapes --------------------------------------------------------------

struct ShapeCase {
  const char* name;
  const char* constraint;  // one *UIConstraints value
  std::multiset<Entry> entries;
};

class ConstraintShapes : public testing::TestWithParam<ShapeCase> {
 protected:
  TempDir dir_;
};

TEST_P(ConstraintShapes, AddTheEntriesOfTheConstraint) {
  const ShapeCase& c = GetParam();
  PPDHandle ppd = OpenPPDText(dir_.File("shapes.ppd"), PPDHeader() + ShapesPPDOptions() +
                                                           "*UIConstraints: " + c.constraint + "\n");
  ASSERT_NE(ppd, nullptr);
  ASSERT_EQ(ppd->num_consts, 1);

  XppdHash byShape;
  int added = xConst2Hash(ppd.get(), &byShape, 0);
  EXPECT_EQ(EntriesOf(byShape), c.entries) << Describe(EntriesOf(byShape));
  EXPECT_EQ(added, static_cast<int>(c.entries.size()));

  // The builder named by the shape does the same on its own.
  const ppd_const_t& constraint = ppd->consts[0];
  bool first = constraint.choice1[0] != '\0';
  bool second = constraint.choice2[0] != '\0';
  XppdHash named;
  if (first && second) xConst2Hash_O1C1O2C2(ppd.get(), &named, 0);
  if (first && !second) xConst2Hash_O1C1O2(ppd.get(), &named, 0);
  if (!first && second) xConst2Hash_O1O2C2(ppd.get(), &named, 0);
  if (!first && !second) xConst2Hash_O1O2(ppd.get(), &named, 0);
  EXPECT_EQ(EntriesOf(named), c.entries);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ConstraintShapes,
    testing::Values(
        // O1C1O2C2: one entry under O2:C2 as the constraint spells it, at (O1, C1).
        ShapeCase{"O1C1O2C2", "*OVColor Color *OVStaple Left", {{"OVStaple:Left", 0, 0, 1}}},
        ShapeCase{"O1C1O2C2FirstChoiceAtIndexZero", "*OVColor Gray *OVPunch TwoHole", {{"OVPunch:TwoHole", 0, 0, 0}}},
        ShapeCase{"O1C1O2C2FirstChoiceNone", "*Duplex None *OVStaple Right", {{"OVStaple:Right", 0, 1, 0}}},
        ShapeCase{"O1C1O2C2MatchesIgnoringCaseKeepsSpelling", "*ovcolor color *DUPLEX none", {{"DUPLEX:none", 0, 0, 1}}},
        ShapeCase{"O1C1O2C2FirstOptionMissing", "*Missing On *Duplex None", {}},
        ShapeCase{"O1C1O2C2FirstChoiceMissing", "*OVColor Sepia *Duplex None", {}},
        // O1C1O2: every real choice of O2 (not index 0, not None/Off/False), keys as the PPD spells them.
        ShapeCase{"O1C1O2", "*OVColor Auto *OVStaple", {{"OVStaple:Left", 0, 0, 2}, {"OVStaple:Right", 0, 0, 2}}},
        ShapeCase{"O1C1O2SecondSpelledOtherwise", "*OVColor Auto *ovpunch", {{"OVPunch:TwoHole", 0, 0, 2}}},
        ShapeCase{"O1C1O2SecondOnlyNoneAndOff", "*OVColor Auto *OVSwitch", {}},
        ShapeCase{"O1C1O2FirstOptionMissing", "*Missing On *OVStaple", {}},
        ShapeCase{"O1C1O2SecondOptionMissing", "*OVColor Auto *Missing", {}},
        // O1O2C2: one entry under O2:C2 for each real choice of O1.
        ShapeCase{"O1O2C2IndexZeroNeverCounts", "*OVColor *OVStaple Right",
                  {{"OVStaple:Right", 0, 0, 1}, {"OVStaple:Right", 0, 0, 2}}},
        ShapeCase{"O1O2C2OffIsNotReal", "*OVStaple *OVPunch TwoHole",
                  {{"OVPunch:TwoHole", 1, 0, 1}, {"OVPunch:TwoHole", 1, 0, 2}}},
        ShapeCase{"O1O2C2FirstOnlyNoneAndOff", "*OVSwitch *Duplex DuplexTumble", {}},
        ShapeCase{"O1O2C2FirstOptionMissing", "*Missing *Duplex DuplexTumble", {}},
        // O1O2: the product of the two real-choice sets, for every option
        // that matches (Duplex and duplex both match "Duplex").
        ShapeCase{"O1O2Product", "*OVStaple *Duplex",
                  {{"Duplex:DuplexNoTumble", 1, 0, 1},
                   {"Duplex:DuplexNoTumble", 1, 0, 2},
                   {"Duplex:DuplexTumble", 1, 0, 1},
                   {"Duplex:DuplexTumble", 1, 0, 2},
                   {"duplex:Tumble", 1, 0, 1},
                   {"duplex:Tumble", 1, 0, 2}}},
        ShapeCase{"O1O2FalseIsNotReal", "*OVPunch *OVColor", {{"OVColor:Color", 1, 1, 1}, {"OVColor:Auto", 1, 1, 1}}},
        // Keys carry each matching option's own spelling.
        ShapeCase{"O1O2EveryMatchingOption", "*OVPunch *DUPLEX",
                  {{"Duplex:DuplexNoTumble", 1, 1, 1}, {"Duplex:DuplexTumble", 1, 1, 1}, {"duplex:Tumble", 1, 1, 1}}},
        ShapeCase{"O1O2FirstOnlyNoneAndOff", "*OVSwitch *Duplex", {}},
        ShapeCase{"O1O2SecondOnlyNoneAndOff", "*Duplex *OVSwitch", {}},
        ShapeCase{"O1O2FirstOptionMissing", "*Missing *Duplex", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the direct build ---------------------------------------------------------

class DirectBuild : public testing::Test {
 protected:
  void SetUp() override {
    ppd_ = OpenPPDText(dir_.File("build.ppd"),
                       PPDHeader() + ShapesPPDOptions() +
                           "*UIConstraints: *OVColor Color *OVStaple Left\n"
                           "*UIConstraints: *Duplex DuplexTumble *OVStaple Left\n"
                           "*UIConstraints: *ovcolor Auto *duplex Tumble\n"
                           "*UIConstraints: *OVPunch TwoHole *Duplex DuplexNoTumble\n");
    ASSERT_NE(ppd_, nullptr);
  }
  TempDir dir_;
  PPDHandle ppd_;
};

TEST_F(DirectBuild, TakesConstraintsWhoseFirstOrSecondOptionIsListedExactly) {
  struct Case {
    std::vector<std::string> keywords;
    std::multiset<Entry> entries;
  };
  const Case cases[] = {
      {{"OVStaple"}, {{"OVStaple:Left", 0, 0, 1}, {"OVStaple:Left", 0, 1, 2}}},
      {{"OVColor"}, {{"OVStaple:Left", 0, 0, 1}}},  // "ovcolor" is not "OVColor"
      {{"ovcolor"}, {{"duplex:Tumble", 0, 0, 2}}},
      {{"Duplex", "OVPunch"}, {{"OVStaple:Left", 0, 1, 2}, {"Duplex:DuplexNoTumble", 1, 1, 1}}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    XppdHash hash;
    EXPECT_EQ(BuildXppdFromKeywords(ppd_.get(), &hash, c.keywords), static_cast<int>(c.entries.size()));
    EXPECT_EQ(EntriesOf(hash), c.entries) << Describe(EntriesOf(hash));
  }
}

TEST_F(DirectBuild, MissingArgumentsAndIndicesAddNothing) {
  XppdHash hash;
  EXPECT_EQ(xConst2Hash(nullptr, &hash, 0), 0);
  EXPECT_EQ(xConst2Hash(ppd_.get(), nullptr, 0), 0);
  EXPECT_EQ(xConst2Hash(ppd_.get(), &hash, -1), 0);
  EXPECT_EQ(xConst2Hash(ppd_.get(), &hash, ppd_->num_consts), 0);
  EXPECT_EQ(xConst2Hash_O1O2(ppd_.get(), &hash, 99), 0);
  EXPECT_TRUE(hash.empty());
}

// ---- the conflict test against libcups's marks ------------------------------------

struct Mark {
  const char* option;
  const char* choice;
};

struct ConflictCase {
  const char* name;
  std::vector<Mark> marks;  // applied with ppdMarkOption after the defaults
  const char* option;
  const char* choice;
  bool conflicted;
};

class ConflictTest : public DirectBuild, public testing::WithParamInterface<ConflictCase> {};

TEST_P(ConflictTest, ConflictedWhileAnExcludingChoiceIsMarked) {
  const ConflictCase& c = GetParam();
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVColor", "ovcolor", "Duplex", "OVPunch", "OVStaple"});
  ppdMarkDefaults(ppd_.get());
  for (const Mark& mark : c.marks) ppdMarkOption(ppd_.get(), mark.option, mark.choice);
  EXPECT_EQ(IsPPDChoiceConflicted(ppd_.get(), &hash, c.option, c.choice), c.conflicted);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ConflictTest,
    testing::Values(
        ConflictCase{"DefaultsDoNotClash", {}, "OVStaple", "Left", false},
        ConflictCase{"FirstOfTwoEntries", {{"OVColor", "Color"}}, "OVStaple", "Left", true},
        ConflictCase{"SecondOfTwoEntries", {{"Duplex", "DuplexTumble"}}, "OVStaple", "Left", true},
        ConflictCase{"BothEntries", {{"OVColor", "Color"}, {"Duplex", "DuplexTumble"}}, "OVStaple", "Left", true},
        ConflictCase{"MarkMovedAway", {{"OVColor", "Color"}, {"OVColor", "Auto"}}, "OVStaple", "Left", false},
        ConflictCase{"OtherChoiceOfTheOption", {{"OVColor", "Color"}}, "OVStaple", "Right", false},
        // A constraint names its second option only: the first option is not found this way.
        ConflictCase{"FirstOptionIsNotAsked", {{"OVStaple", "Left"}}, "OVColor", "Color", false},
        // Keys are case-sensitive although options were matched ignoring case.
        ConflictCase{"KeyAsSpelled", {{"OVColor", "Auto"}}, "duplex", "Tumble", true},
        ConflictCase{"KeyOtherCase", {{"OVColor", "Auto"}}, "Duplex", "Tumble", false},
        ConflictCase{"ChoiceOtherCase", {{"OVColor", "Color"}}, "OVStaple", "left", false},
        ConflictCase{"UnknownKey", {{"OVColor", "Color"}}, "Nothing", "Here", false},
        ConflictCase{"ThroughIndexedMark", {{"OVPunch", "TwoHole"}}, "Duplex", "DuplexNoTumble", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DirectBuild, LocationsOutsideThePPDCountAsNotMarked) {
  ppdMarkDefaults(ppd_.get());
  XppdHash hash;
  hash.emplace("OVStaple:Left", x_constraints{2, 0, 0});      // no group 2
  hash.emplace("OVStaple:Left", x_constraints{0, 4, 0});      // General has 4 options
  hash.emplace("OVStaple:Left", x_constraints{0, 0, 3});      // OVColor has 3 choices
  hash.emplace("OVStaple:Left", x_constraints{65535, 65535, 65535});
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &hash, "OVStaple", "Left"));
  hash.emplace("OVStaple:Left", x_constraints{0, 0, 0});      // Gray, marked by default
  EXPECT_TRUE(IsPPDChoiceConflicted(ppd_.get(), &hash, "OVStaple", "Left"));
  EXPECT_EQ(ChoiceAtLocation(ppd_.get(), x_constraints{0, 3, 1}), &ppd_->groups[0].options[3].choices[1]);
  EXPECT_EQ(ChoiceAtLocation(ppd_.get(), x_constraints{1, 2, 0}), nullptr);
}

TEST_F(DirectBuild, EmptyOrMissingHashNeverConflicts) {
  XppdHash empty;
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &empty, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), nullptr, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(nullptr, &empty, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &empty, nullptr, "Left"));
}

TEST_F(DirectBuild, ReverseTestFindsTheExactOptionAndChoice) {
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVStaple"});
  // OVStaple:Left points to OVColor Color and to Duplex DuplexTumble, marked or not.
  EXPECT_TRUE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "OVColor", "Color"));
  EXPECT_TRUE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "Duplex", "DuplexTumble"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "OVColor", "Auto"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "ovcolor", "Color"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Right", "OVColor", "Color"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), nullptr, "OVStaple:Left", "OVColor", "Color"));
  EXPECT_FALSE(HashEntryPointsTo(nullptr, &hash, "OVStaple:Left", "OVColor", "Color"));
}

// ---- choice lists with conflict flags ----------------------------------------------

TEST_F(DirectBuild, ChoiceListHasARowForEveryChoice) {
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVStaple"});
  ppdMarkDefaults(ppd_.get());
  ppdMarkOption(ppd_.get(), "OVColor", "Color");
  std::vector<UIListRow> rows;
  uint16_t count = 3;
  EXPECT_EQ(GetUIListFromPPD(ppd_.get(), &hash, "OVStaple", &rows, &count), 0);
  EXPECT_EQ(count, 7);
  ASSERT_EQ(rows.size(), 4u);
  const UIListRow expected[] = {
      {"OVStaple", "None", "None", "ConflictFalse"},
      {"OVStaple", "Left", "Left", "ConflictTrue"},
      {"OVStaple", "Right", "Right", "ConflictFalse"},
      {"OVStaple", "off", "Off", "ConflictFalse"},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].option, expected[i].option);
    EXPECT_EQ(rows[i].choice, expected[i].choice);
    EXPECT_EQ(rows[i].title, expected[i].title);
    EXPECT_EQ(rows[i].conflict, expected[i].conflict) << i;
  }
  EXPECT_EQ(FindPPDKeyPairsMatch(rows, "OVStaple", "Right"), 2);
  EXPECT_EQ(FindPPDKeyPairsMatch(rows, "OVStaple", "right"), -1);
}

TEST_F(DirectBuild, ChoiceListOfMissingOptionStaysEmpty) {
  XppdHash hash;
  std::vector<UIListRow> rows;
  uint16_t count = 0;
  EXPECT_EQ(GetUIListFromPPD(ppd_.get(), &hash, "Missing", &rows, &count), 0);
  EXPECT_EQ(GetUIListFromPPD(ppd_.get(), &hash, "OVStaple", nullptr, &count), 0);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(count, 0);
  EXPECT_EQ(InitializeValueFromPPD(ppd_.get(), &hash, &rows, "Missing"), 1);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(InitializeValueFromPPD(ppd_.get(), &hash, &rows, "OVPunch"), 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].title, "2 Holes");
}

}  // namespace
