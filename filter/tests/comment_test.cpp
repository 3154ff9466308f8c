// Comment fields: reading and normalisation.
#include "comment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "filter_test_support.h"
#include "modules.h"
#include "param_name.h"

namespace {

PSOptionComment& C = psoptioncomment;

void Set(char* field, const char* text) {
  std::memset(field, 0, kCommentTextSize);
  std::strncpy(field, text, kCommentTextSize - 1);
}

// Normalises a fresh record after `setup`, without a PPD.
void Normalize(
    const char* options, const char* copies, void (*setup)() = [] {}) {
  ScopedJobPPD noPPD("");
  C = {};
  setup();
  NormalizeComment(options, copies);
}

using CollationCase = std::pair<const char*, const char*>;  // options, collation
class CollationTest : public ::testing::TestWithParam<CollationCase> {};

TEST_P(CollationTest, FoundAnywhereInTheOptionString) {
  Normalize(GetParam().first, "1");
  EXPECT_STREQ(C.collation, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Options, CollationTest,
                         ::testing::ValuesIn(std::vector<CollationCase>{
                             {"collate=true noCollate nocollate", "nocollate"},
                             {"multiple-document-handling=separate-documents-collated-copies", "collate"},
                             {"sides=one-sided", ""},
                             {nullptr, ""}}));

using SidesCase = std::tuple<const char*, int, const char*, const char*>;  // sides, edge, signature, sides after
class SidesTest : public ::testing::TestWithParam<SidesCase> {};

TEST_P(SidesTest, Normalises) {
  const auto [sides, bindingEdge, signature, expected] = GetParam();
  ScopedJobPPD noPPD("");
  C = {};
  Set(C.sides, sides);
  Set(C.signature, signature);
  C.duplexBindingEdge = bindingEdge;
  NormalizeComment("", "1");
  EXPECT_STREQ(C.sides, expected);
}

INSTANTIATE_TEST_SUITE_P(Values, SidesTest,
                         ::testing::ValuesIn(std::vector<SidesCase>{
                             {"", -1, "", "one-sided"},
                             {"two-sided-long-edge", -1, "", "two-sided-long-edge"},
                             {"two-sided-long-edge", 0, "", "one-sided"},  // binding edge 0
                             {"two-sided-long-edge", 2, "None", "two-sided-long-edge"},
                             {"one-sided", 1, "BookletLeft", "two-sided-short-edge"}}));

TEST(CommentNormaliseTest, AbsentOrientationAndDirectionBecomeOne) {
  Normalize("", "1", [] { C.orientation = C.layoutDirection = -1; });
  EXPECT_EQ(C.orientation, 1);
  EXPECT_EQ(C.layoutDirection, 1);
  Normalize("", "1", [] { C.orientation = 4; });
  EXPECT_EQ(C.orientation, 4);
}

using CopiesCase = std::tuple<int, const char*, int>;  // copies, copies argument, copies after
class CopiesTest : public ::testing::TestWithParam<CopiesCase> {};

// Absent copies never reach the block as -1: the copies argument stands in.
TEST_P(CopiesTest, AbsentCopiesTakeTheArgument) {
  ScopedJobPPD noPPD("");
  C = {};
  C.copies = std::get<0>(GetParam());
  NormalizeComment("", std::get<1>(GetParam()));
  EXPECT_EQ(C.copies, std::get<2>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Values, CopiesTest,
                         ::testing::ValuesIn(std::vector<CopiesCase>{
                             {3, "1", 3}, {-1, "3", 3}, {-1, "x", 1}, {-1, nullptr, 1}}));

void ReadComment(std::string options) {
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("u"),
                  const_cast<char*>("t"),
                  const_cast<char*>("2"),
                  options.data(),
                  nullptr};
  CommentGetTicketFromPDE(argv);
}

// The registration fields as read and normalised: a PPD option the job leaves
// out takes the PPD's default; "0.0" stands in only when that default names no
// choice, and an option counts as set by its name, not by text in other values.
struct RegiCase {
  const char* name;
  std::string ppd;  // PPD options; "-": no PPD
  const char* options;
  const char *horizontal, *vertical;
};
class RegistrationDefaultTest : public ::testing::TestWithParam<RegiCase> {};

TEST_P(RegistrationDefaultTest, ReadingAndNormalisingAgree) {
  const RegiCase& c = GetParam();
  ScopedJobPPD ppd(c.ppd == "-" ? "" : TestPPD(c.ppd));
  ReadComment(c.options);
  EXPECT_STREQ(C.regiHorizontal, c.horizontal);
  EXPECT_STREQ(C.regiVertical, c.vertical);
}

const std::string kHV = TestOption("OVSRRLAdjustRegiHorizontal", "1.5", "0.0 1.5") +
                        TestOption("OVSRRLAdjustRegiVertical", "1.5", "0.0 1.5");
const std::string kNoDefaults = TestOption("OVSRRLAdjustRegiHorizontal", "Auto", "0.0 1.5") +
                                TestOption("OVSRRLAdjustRegiVertical", "Auto", "0.0 1.5");

INSTANTIATE_TEST_SUITE_P(
    PPDs, RegistrationDefaultTest,
    ::testing::Values(RegiCase{"PPDDefaults", kHV, "", "1.5", "1.5"},
                      RegiCase{"NamedKeepsItsValue", kHV, "OVSRRLAdjustRegiVertical=0.5", "1.5", "0.5"},
                      RegiCase{"DefaultNamesNoChoice", kNoDefaults, "", "0.0", "0.0"},
                      RegiCase{"NameInsideAnotherValue", kNoDefaults, "OVStaple=OVSRRLAdjustRegiVertical", "0.0",
                               "0.0"},
                      RegiCase{"PPDWithoutTheOptions", "", "", "", ""}, RegiCase{"NoPPD", "-", "", "", ""}),
    RowName());

TEST(CommentGetTicketTest, ReadsAndNormalises) {
  ScopedJobPPD ppd(TestPPD(TestOption("OVSRRLAdjustRegiHorizontal", "0.0", "0.0 1.5")));
  Set(C.staple, "stale");
  ReadComment(
      "sides=two-sided-long-edge OVColorMode=Black number-up=4 OVStaple=None OVSignature=BookletLeft "
      "OVSigVol=10Sheets orientation-requested=4 nvxjobs.printsettings.PrintTypeTicketKey=2 nocollate");
  EXPECT_STREQ(C.sides, "two-sided-short-edge");
  EXPECT_STREQ(C.colorMode, "Black");
  EXPECT_STREQ(C.numberUp, "4");
  EXPECT_STREQ(C.staple, "None");
  EXPECT_STREQ(C.punch, "");
  EXPECT_STREQ(C.signatureVolume, "10Sheets");
  EXPECT_STREQ(C.regiHorizontal, "0.0");
  EXPECT_STREQ(C.collation, "nocollate");
  EXPECT_EQ(C.orientation, 4);
  EXPECT_EQ(C.layoutDirection, 1);
  EXPECT_EQ(C.printType, 2);
  EXPECT_EQ(C.copies, 2);
  EXPECT_EQ(C.duplexBindingEdge, -1);
}

}  // namespace
