// The constraint hash: the four constraint shapes, the direct build and the
// conflict test against marks made by libcups.
#include "constraint_hash.h"

#include <gtest/gtest.h>

#include <sstream>

#include "test_ppd.h"

using namespace ovqpde;

namespace {

// ---- the shapes --------------------------------------------------------------

TEST(ConstraintShapes, AddTheEntriesOfTheConstraint) {
  const struct {
    const char *constraint, *entries;  // entries as Describe() spells them
  } rows[] = {
      // O1C1O2C2: one entry under O2:C2 as the constraint spells it, at (O1, C1).
      {.constraint = "*OVColor Gray *OVPunch TwoHole", .entries = "OVPunch:TwoHole@0@0@0@ "},
      {.constraint = "*ovcolor color *DUPLEX none", .entries = "DUPLEX:none@0@0@1@ "},
      {.constraint = "*OVColor Sepia *Duplex None", .entries = ""},
      // O1C1O2: every real choice of O2 (not index 0, not None/Off/False), keys as the PPD spells them.
      {.constraint = "*OVColor Auto *ovpunch", .entries = "OVPunch:TwoHole@0@0@2@ "},
      {.constraint = "*OVColor Auto *OVSwitch", .entries = ""},
      // O1O2C2: one entry under O2:C2 for each real choice of O1.
      {.constraint = "*OVColor *OVStaple Right", .entries = "OVStaple:Right@0@0@1@ OVStaple:Right@0@0@2@ "},
      {.constraint = "*OVStaple *OVPunch TwoHole", .entries = "OVPunch:TwoHole@1@0@1@ OVPunch:TwoHole@1@0@2@ "},
      // O1O2: the product of the real-choice sets, for every option that matches
      // (Duplex and duplex both match "DUPLEX"), keys as each option spells them.
      {.constraint = "*OVPunch *DUPLEX",
       .entries = "Duplex:DuplexNoTumble@1@1@1@ Duplex:DuplexTumble@1@1@1@ duplex:Tumble@1@1@1@ "},
      {.constraint = "*OVSwitch *Duplex", .entries = ""},
  };
  TempDir dir;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.constraint);
    PPDHandle ppd = OpenPPDText(dir.File("shapes.ppd"),
                                PPDHeader() + ShapesPPDOptions() + "*UIConstraints: " + row.constraint + "\n");
    ASSERT_NE(ppd, nullptr);
    ASSERT_EQ(ppd->num_consts, 1);
    XppdHash byShape;
    xConst2Hash(ppd.get(), &byShape, 0);
    EXPECT_EQ(Describe(EntriesOf(byShape)), row.entries);
    // The builder named by the shape (has choice 1, has choice 2) does the same on its own.
    using Builder = int (*)(ppd_file_t*, XppdHash*, int);
    const Builder builders[2][2] = {{xConst2Hash_O1O2, xConst2Hash_O1O2C2}, {xConst2Hash_O1C1O2, xConst2Hash_O1C1O2C2}};
    XppdHash named;
    builders[ppd->consts[0].choice1[0] != '\0'][ppd->consts[0].choice2[0] != '\0'](ppd.get(), &named, 0);
    EXPECT_EQ(Describe(EntriesOf(named)), row.entries);
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
    const char* entries;
  } rows[] = {
      {.keywords = {"OVStaple"}, .entries = "OVStaple:Left@0@0@1@ OVStaple:Left@0@1@2@ "},
      {.keywords = {"OVColor"}, .entries = "OVStaple:Left@0@0@1@ "},  // "ovcolor" is not "OVColor"
      {.keywords = {"ovcolor"}, .entries = "duplex:Tumble@0@0@2@ "},
      {.keywords = {"Duplex", "OVPunch"}, .entries = "Duplex:DuplexNoTumble@1@1@1@ OVStaple:Left@0@1@2@ "},
  };
  for (const auto& row : rows) {
    XppdHash hash;
    BuildXppdFromKeywords(ppd_.get(), &hash, row.keywords);
    EXPECT_EQ(Describe(EntriesOf(hash)), row.entries);
  }
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
  const struct {
    const char* marks;  // option=choice, marked after the defaults
    const char *option, *choice;
    bool conflicted;
  } rows[] = {
      {.marks = "", .option = "OVStaple", .choice = "Left", .conflicted = false},
      {.marks = "OVColor=Color", .option = "OVStaple", .choice = "Left", .conflicted = true},
      {.marks = "OVColor=Color OVColor=Auto", .option = "OVStaple", .choice = "Left", .conflicted = false},
      {.marks = "OVColor=Color", .option = "OVStaple", .choice = "Right", .conflicted = false},
      // A constraint names its second option only: the first option is not found this way.
      {.marks = "OVStaple=Left", .option = "OVColor", .choice = "Color", .conflicted = false},
      // Keys are case-sensitive although options were matched ignoring case.
      {.marks = "OVColor=Auto", .option = "duplex", .choice = "Tumble", .conflicted = true},
      {.marks = "OVColor=Auto", .option = "Duplex", .choice = "Tumble", .conflicted = false},
      {.marks = "OVPunch=TwoHole", .option = "Duplex", .choice = "DuplexNoTumble", .conflicted = true},
  };
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVColor", "ovcolor", "Duplex", "OVPunch", "OVStaple"});
  for (const auto& row : rows) {
    ppdMarkDefaults(ppd_.get());
    std::istringstream marks(row.marks);
    for (std::string mark; marks >> mark;) {
      ppdMarkOption(ppd_.get(), mark.substr(0, mark.find('=')).c_str(), mark.substr(mark.find('=') + 1).c_str());
    }
    EXPECT_EQ(IsPPDChoiceConflicted(ppd_.get(), &hash, row.option, row.choice), row.conflicted)
        << row.marks << " " << row.option << ":" << row.choice;
  }
  XppdHash empty;
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &empty, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), nullptr, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(nullptr, &hash, "OVStaple", "Left"));
  EXPECT_FALSE(IsPPDChoiceConflicted(ppd_.get(), &hash, nullptr, "Left"));
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

TEST_F(DirectBuild, ReverseTestFindsTheExactOptionAndChoice) {
  XppdHash hash;
  BuildXppdFromKeywords(ppd_.get(), &hash, {"OVStaple"});
  // OVStaple:Left points to OVColor Color and to Duplex DuplexTumble, marked or not.
  EXPECT_TRUE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "OVColor", "Color"));
  EXPECT_TRUE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "Duplex", "DuplexTumble"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Left", "OVColor", "Auto"));
  EXPECT_FALSE(HashEntryPointsTo(ppd_.get(), &hash, "OVStaple:Right", "OVColor", "Color"));
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

}  // namespace
