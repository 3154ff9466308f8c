// The constraint hash: the four constraint shapes, the direct build and the
// conflict test against marks made by libcups.
#include "constraint_hash.h"

#include <gtest/gtest.h>

#include "test_ppd.h"

using namespace ovqpde;

namespace {

// ---- the hash function -----------------------------------------------------

TEST(ConstraintHashFunction, FiveTimesPlusSignedByte) {
  EXPECT_EQ(constraintHash(""), 0u);
  EXPECT_EQ(constraintHash("A"), 65u);
  EXPECT_EQ(constraintHash("AB"), 391u);
  EXPECT_EQ(constraintHash("A:B"), 1981u);
  // 0xE9 is -23 as a signed character: 5 * (-23) + 65 = -50.
  EXPECT_EQ(constraintHash("\xE9"
                           "A"),
            static_cast<uint64_t>(-50));
}

// ---- the shapes --------------------------------------------------------------

TEST(ConstraintShapes, AddTheEntriesOfTheConstraint) {
  const struct {
    const char* name;
    const char* constraint;
    std::multiset<Entry> entries;
  } rows[] = {// O1C1O2C2: one entry under O2:C2 as the constraint spells it, at (O1, C1).
              {"O1C1O2C2", "*OVColor Color *OVStaple Left", {{"OVStaple:Left", 0, 0, 1}}},
              {"O1C1O2C2FirstChoiceAtIndexZero", "*OVColor Gray *OVPunch TwoHole", {{"OVPunch:TwoHole", 0, 0, 0}}},
              {"O1C1O2C2FirstChoiceNone", "*Duplex None *OVStaple Right", {{"OVStaple:Right", 0, 1, 0}}},
              {"O1C1O2C2MatchesIgnoringCaseKeepsSpelling", "*ovcolor color *DUPLEX none", {{"DUPLEX:none", 0, 0, 1}}},
              {"O1C1O2C2FirstOptionMissing", "*Missing On *Duplex None", {}},
              {"O1C1O2C2FirstChoiceMissing", "*OVColor Sepia *Duplex None", {}},
              // O1C1O2: every real choice of O2 (not index 0, not None/Off/False), keys as the PPD spells them.
              {"O1C1O2", "*OVColor Auto *OVStaple", {{"OVStaple:Left", 0, 0, 2}, {"OVStaple:Right", 0, 0, 2}}},
              {"O1C1O2SecondSpelledOtherwise", "*OVColor Auto *ovpunch", {{"OVPunch:TwoHole", 0, 0, 2}}},
              {"O1C1O2SecondOnlyNoneAndOff", "*OVColor Auto *OVSwitch", {}},
              {"O1C1O2FirstOptionMissing", "*Missing On *OVStaple", {}},
              {"O1C1O2SecondOptionMissing", "*OVColor Auto *Missing", {}},
              // O1O2C2: one entry under O2:C2 for each real choice of O1.
              {"O1O2C2IndexZeroNeverCounts",
               "*OVColor *OVStaple Right",
               {{"OVStaple:Right", 0, 0, 1}, {"OVStaple:Right", 0, 0, 2}}},
              {"O1O2C2OffIsNotReal",
               "*OVStaple *OVPunch TwoHole",
               {{"OVPunch:TwoHole", 1, 0, 1}, {"OVPunch:TwoHole", 1, 0, 2}}},
              {"O1O2C2FirstOnlyNoneAndOff", "*OVSwitch *Duplex DuplexTumble", {}},
              {"O1O2C2FirstOptionMissing", "*Missing *Duplex DuplexTumble", {}},
              // O1O2: the product of the two real-choice sets, for every option
              // that matches (Duplex and duplex both match "Duplex").
              {"O1O2Product",
               "*OVStaple *Duplex",
               {{"Duplex:DuplexNoTumble", 1, 0, 1},
                {"Duplex:DuplexNoTumble", 1, 0, 2},
                {"Duplex:DuplexTumble", 1, 0, 1},
                {"Duplex:DuplexTumble", 1, 0, 2},
                {"duplex:Tumble", 1, 0, 1},
                {"duplex:Tumble", 1, 0, 2}}},
              {"O1O2FalseIsNotReal", "*OVPunch *OVColor", {{"OVColor:Color", 1, 1, 1}, {"OVColor:Auto", 1, 1, 1}}},
              // Keys carry each matching option's own spelling.
              {"O1O2EveryMatchingOption",
               "*OVPunch *DUPLEX",
               {{"Duplex:DuplexNoTumble", 1, 1, 1}, {"Duplex:DuplexTumble", 1, 1, 1}, {"duplex:Tumble", 1, 1, 1}}},
              {"O1O2FirstOnlyNoneAndOff", "*OVSwitch *Duplex", {}},
              {"O1O2SecondOnlyNoneAndOff", "*Duplex *OVSwitch", {}},
              {"O1O2FirstOptionMissing", "*Missing *Duplex", {}}};
  TempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PPDHandle ppd = OpenPPDText(dir.File("shapes.ppd"),
                                PPDHeader() + ShapesPPDOptions() + "*UIConstraints: " + row.constraint + "\n");
    ASSERT_NE(ppd, nullptr);
    ASSERT_EQ(ppd->num_consts, 1);
    XppdHash byShape;
    EXPECT_EQ(xConst2Hash(ppd.get(), &byShape, 0), static_cast<int>(row.entries.size()));
    EXPECT_EQ(EntriesOf(byShape), row.entries) << Describe(EntriesOf(byShape));
    // The builder named by the shape (has choice 1, has choice 2) does the same on its own.
    using Builder = int (*)(ppd_file_t*, XppdHash*, int);
    const Builder builders[2][2] = {{xConst2Hash_O1O2, xConst2Hash_O1O2C2}, {xConst2Hash_O1C1O2, xConst2Hash_O1C1O2C2}};
    XppdHash named;
    builders[ppd->consts[0].choice1[0] != '\0'][ppd->consts[0].choice2[0] != '\0'](ppd.get(), &named, 0);
    EXPECT_EQ(EntriesOf(named), row.entries);
  }
}

// ---- the direct build ---------------------------------------------------------

class DirectBuild : public testing::Test {
 protected:
  void SetUp() override {
    ppd_ = OpenPPDText(dir_.File("build.ppd"), PPDHeader() + ShapesPPDOptions() +
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
  const struct {
    std::vector<std::string> keywords;
    std::multiset<Entry> entries;
  } cases[] = {
      {{"OVStaple"}, {{"OVStaple:Left", 0, 0, 1}, {"OVStaple:Left", 0, 1, 2}}},
      {{"OVColor"}, {{"OVStaple:Left", 0, 0, 1}}},  // "ovcolor" is not "OVColor"
      {{"ovcolor"}, {{"duplex:Tumble", 0, 0, 2}}},
      {{"Duplex", "OVPunch"}, {{"OVStaple:Left", 0, 1, 2}, {"Duplex:DuplexNoTumble", 1, 1, 1}}},
      {{}, {}},
  };
  for (const auto& c : cases) {
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

TEST_F(DirectBuild, ConflictedWhileAnExcludingChoiceIsMarked) {
  struct Mark {
    const char* option;
    const char* choice;
  };
  const struct {
    const char* name;
    std::vector<Mark> marks;  // applied with ppdMarkOption after the defaults
    const char* option;
    const char* choice;
    bool conflicted;
  } rows[] = {{"DefaultsDoNotClash", {}, "OVStaple", "Left", false},
              {"FirstOfTwoEntries", {{"OVColor", "Color"}}, "OVStaple", "Left", true},
              {"SecondOfTwoEntries", {{"Duplex", "DuplexTumble"}}, "OVStaple", "Left", true},
              {"BothEntries", {{"OVColor", "Color"}, {"Duplex", "DuplexTumble"}}, "OVStaple", "Left", true},
              {"MarkMovedAway", {{"OVColor", "Color"}, {"OVColor", "Auto"}}, "OVStaple", "Left", false},
              {"OtherChoiceOfTheOption", {{"OVColor", "Color"}}, "OVStaple", "Right", false},
              // A constraint names its second option only: the first option is not found this way.
              {"FirstOptionIsNotAsked", {{"OVStaple", "Left"}}, "OVColor", "Color", false},
              // Keys are case-sensitive although options were matched ignoring case.
              {"KeyAsSpelled", {{"OVColor", "Auto"}}, "duplex", "Tumble", true},
              {"KeyOtherCase", {{"OVColor", "Auto"}}, "Duplex", "Tumble", false},
              {"ChoiceOtherCase", {{"OVColor", "Color"}}, "OVStaple", "left", false},
              {"UnknownKey", {{"OVColor", "Color"}}, "Nothing", "Here", false},
              {"ThroughIndexedMark", {{"OVPunch", "TwoHole"}}, "Duplex", "DuplexNoTumble", true}};
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVColor", "ovcolor", "Duplex", "OVPunch", "OVStaple"});
  for (const auto& row : rows) {
    ppdMarkDefaults(ppd_.get());
    for (const Mark& mark : row.marks) ppdMarkOption(ppd_.get(), mark.option, mark.choice);
    EXPECT_EQ(IsPPDChoiceConflicted(ppd_.get(), &hash, row.option, row.choice), row.conflicted) << row.name;
  }
}

TEST_F(DirectBuild, LocationsOutsideThePPDCountAsNotMarked) {
  ppdMarkDefaults(ppd_.get());
  XppdHash hash;
  hash.emplace("OVStaple:Left", x_constraints{2, 0, 0});  // no group 2
  hash.emplace("OVStaple:Left", x_constraints{0, 4, 0});  // General has 4 options
  hash.emplace("OVStaple:Left", x_constraints{0, 0, 3});  // OVColor has 3 choices
  hash.emplace("OVStaple:Left", x_constraints{65535, 65535, 65535});
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &hash, "OVStaple", "Left"));
  hash.emplace("OVStaple:Left", x_constraints{0, 0, 0});  // Gray, marked by default
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
  std::vector<std::string> seen;
  for (const UIListRow& row : rows)
    seen.push_back(row.option + "/" + row.choice + "/" + row.title + "/" + row.conflict);
  EXPECT_EQ(seen, (std::vector<std::string>{"OVStaple/None/None/ConflictFalse", "OVStaple/Left/Left/ConflictTrue",
                                            "OVStaple/Right/Right/ConflictFalse", "OVStaple/off/Off/ConflictFalse"}));
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
