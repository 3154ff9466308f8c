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

// PPD options ("-": no PPD), job options, horizontal and vertical values after.
using RegiCase = std::tuple<std::string, const char*, const char*, const char*>;
class RegistrationDefaultTest : public ::testing::TestWithParam<RegiCase> {};

TEST_P(RegistrationDefaultTest, DefaultsFromThePPD) {
  const auto& [ppdOptions, options, horizontal, vertical] = GetParam();
  ScopedJobPPD ppd(ppdOptions == "-" ? "" : TestPPD(ppdOptions));
  C = {};
  NormalizeComment(options, "1");
  EXPECT_STREQ(C.regiHorizontal, horizontal);
  EXPECT_STREQ(C.regiVertical, vertical);
}

const std::string kH = TestOption("OVSRRLAdjustRegiHorizontal", "0.0", "0.0 1.5");
const std::string kHV = kH + TestOption("OVSRRLAdjustRegiVertical", "0.0", "0.0 1.5");

INSTANTIATE_TEST_SUITE_P(PPDs, RegistrationDefaultTest,
                         ::testing::ValuesIn(std::vector<RegiCase>{
                             {kH, "", "0.0", ""},
                             {kHV, "", "0.0", "0.0"},
                             {kHV, "OVSRRLAdjustRegiVertical=1.5", "0.0", ""},  // named: keeps its value
                             {"", "", "", ""},
                             {"-", "", "", ""}}));

TEST(CommentGetTicketTest, ReadsAndNormalises) {
  ScopedJobPPD ppd(TestPPD(TestOption("OVSRRLAdjustRegiHorizontal", "0.0", "0.0 1.5")));
  std::string options =
      "sides=two-sided-long-edge OVColorMode=Black number-up=4 OVStaple=None OVSignature=BookletLeft "
      "OVSigVol=10Sheets orientation-requested=4 nvxjobs.printsettings.PrintTypeTicketKey=2 nocollate";
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("u"),
                  const_cast<char*>("t"),
                  const_cast<char*>("2"),
                  options.data(),
                  nullptr};
  Set(C.staple, "stale");
  CommentGetTicketFromPDE(argv);
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
