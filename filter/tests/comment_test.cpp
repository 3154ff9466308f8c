// Comment fields: reading and normalisation.
#include "comment.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filter_test_support.h"
#include "modules.h"

namespace {

void ResetRecord() { psoptioncomment = {}; }

void Set(char* field, const char* text) {
  std::memset(field, 0, kCommentTextSize);
  std::strncpy(field, text, kCommentTextSize - 1);
}

struct CollationCase {
  const char* name;
  const char* options;
  const char* expected;
};

class CollationTest : public ::testing::TestWithParam<CollationCase> {};

TEST_P(CollationTest, FoundAnywhereInTheOptionString) {
  ScopedJobPPD noPPD("");
  ResetRecord();
  NormalizeComment(GetParam().options, "1");
  EXPECT_STREQ(psoptioncomment.collation, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Options, CollationTest,
    ::testing::Values(CollationCase{"NoCollateWins", "collate=true noCollate nocollate", "nocollate"},
                      CollationCase{"CollateInsideAnotherValue",
                                    "multiple-document-handling=separate-documents-collated-copies", "collate"},
                      CollationCase{"Neither", "sides=one-sided", ""},
                      CollationCase{"NoOptionString", nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct SidesCase {
  const char* name;
  const char* sides;
  int bindingEdge;
  const char* signature;
  const char* expected;
};

class SidesTest : public ::testing::TestWithParam<SidesCase> {};

TEST_P(SidesTest, Normalises) {
  ScopedJobPPD noPPD("");
  ResetRecord();
  Set(psoptioncomment.sides, GetParam().sides);
  Set(psoptioncomment.signature, GetParam().signature);
  psoptioncomment.duplexBindingEdge = GetParam().bindingEdge;
  NormalizeComment("", "1");
  EXPECT_STREQ(psoptioncomment.sides, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SidesTest,
    ::testing::Values(SidesCase{"AbsentBecomesOneSided", "", -1, "", "one-sided"},
                      SidesCase{"LongEdgeKept", "two-sided-long-edge", -1, "", "two-sided-long-edge"},
                      SidesCase{"BindingEdgeZeroBecomesOneSided", "two-sided-long-edge", 0, "", "one-sided"},
                      SidesCase{"SignatureNoneLeavesSides", "two-sided-long-edge", 2, "None", "two-sided-long-edge"},
                      SidesCase{"SignatureMakesShortEdge", "one-sided", 1, "BookletLeft", "two-sided-short-edge"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommentNormaliseTest, AbsentOrientationAndDirectionBecomeOne) {
  ScopedJobPPD noPPD("");
  ResetRecord();
  psoptioncomment.orientation = -1;
  psoptioncomment.layoutDirection = -1;
  NormalizeComment("", "1");
  EXPECT_EQ(psoptioncomment.orientation, 1);
  EXPECT_EQ(psoptioncomment.layoutDirection, 1);

  psoptioncomment.orientation = 4;
  NormalizeComment("", "1");
  EXPECT_EQ(psoptioncomment.orientation, 4);
}

struct CopiesCase {
  const char* name;
  int copies;
  const char* argument;
  int expected;
};

class CopiesTest : public ::testing::TestWithParam<CopiesCase> {};

// Absent copies never reach the block as -1: the copies argument stands in.
TEST_P(CopiesTest, AbsentCopiesTakeTheArgument) {
  ScopedJobPPD noPPD("");
  ResetRecord();
  psoptioncomment.copies = GetParam().copies;
  NormalizeComment("", GetParam().argument);
  EXPECT_EQ(psoptioncomment.copies, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, CopiesTest,
                         ::testing::Values(CopiesCase{"Given", 3, "1", 3}, CopiesCase{"AbsentArgument3", -1, "3", 3},
                                           CopiesCase{"AbsentArgumentBad", -1, "x", 1},
                                           CopiesCase{"AbsentNoArgument", -1, nullptr, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RegiCase {
  const char* name;
  bool horizontalOption;
  bool verticalOption;
  const char* options;
  const char* horizontal;
  const char* vertical;
};

class RegistrationDefaultTest : public ::testing::TestWithParam<RegiCase> {};

TEST_P(RegistrationDefaultTest, DefaultsFromThePPD) {
  std::string options;
  if (GetParam().horizontalOption) options += TestOption("OVSRRLAdjustRegiHorizontal", "0.0", "0.0 1.5");
  if (GetParam().verticalOption) options += TestOption("OVSRRLAdjustRegiVertical", "0.0", "0.0 1.5");
  ScopedJobPPD ppd(TestPPD(options));
  ResetRecord();
  NormalizeComment(GetParam().options, "1");
  EXPECT_STREQ(psoptioncomment.regiHorizontal, GetParam().horizontal);
  EXPECT_STREQ(psoptioncomment.regiVertical, GetParam().vertical);
}

INSTANTIATE_TEST_SUITE_P(
    PPDs, RegistrationDefaultTest,
    ::testing::Values(RegiCase{"HorizontalOnly", true, false, "", "0.0", ""},
                      RegiCase{"Both", true, true, "", "0.0", "0.0"},
                      RegiCase{"NamedInOptionsKeepsValue", true, true, "OVSRRLAdjustRegiVertical=1.5", "0.0", ""},
                      RegiCase{"NeitherOption", false, false, "", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommentNormaliseTest, NoPPDLeavesRegistrationEmpty) {
  ScopedJobPPD noPPD("");
  ResetRecord();
  NormalizeComment("", "1");
  EXPECT_STREQ(psoptioncomment.regiHorizontal, "");
}

TEST(CommentGetTicketTest, ReadsAndNormalises) {
  ScopedJobPPD ppd(TestPPD(TestOption("OVSRRLAdjustRegiHorizontal", "0.0", "0.0 1.5")));
  std::string options =
      "sides=two-sided-long-edge OVColorMode=Black number-up=4 OVStaple=None OVSignature=BookletLeft "
      "OVSigVol=10Sheets orientation-requested=4 nvxjobs.printsettings.PrintTypeTicketKey=2 nocollate";
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"),         const_cast<char*>("2"), options.data(),
                  nullptr};
  Set(psoptioncomment.staple, "stale");
  CommentGetTicketFromPDE(argv);
  const PSOptionComment& c = psoptioncomment;
  EXPECT_STREQ(c.sides, "two-sided-short-edge");
  EXPECT_STREQ(c.colorMode, "Black");
  EXPECT_STREQ(c.numberUp, "4");
  EXPECT_STREQ(c.staple, "None");
  EXPECT_STREQ(c.punch, "");
  EXPECT_STREQ(c.signatureVolume, "10Sheets");
  EXPECT_STREQ(c.regiHorizontal, "0.0");
  EXPECT_STREQ(c.collation, "nocollate");
  EXPECT_EQ(c.orientation, 4);
  EXPECT_EQ(c.layoutDirection, 1);
  EXPECT_EQ(c.printType, 2);
  EXPECT_EQ(c.copies, 2);
  EXPECT_EQ(c.duplexBindingEdge, -1);
}

}  // namespace
