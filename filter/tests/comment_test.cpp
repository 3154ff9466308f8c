// Comment fields: reading and normalisation.
#include "comment.h"

#include <gtest/gtest.h>

#include <string>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

PSOptionComment& C = psoptioncomment;

// Reads and normalises `options` (copies argument "2") on the PPD with `ppd_lines` ("-": no PPD).
void Read(const std::string& ppd_lines, const std::string& options) {
  ScopedJobPPD ppd(ppd_lines == "-" ? "" : TestPPD(ppd_lines));
  ResetJobState();
  CommentGetTicketFromPDE(JobArgs(options, "2").argv());
}

struct NormalCase {
  const char* name;
  std::string options = "";
  const char *sides = "one-sided", *collation = "";
  int copies = 2, orientation = 1;
};
class NormaliseTest : public ::testing::TestWithParam<NormalCase> {};

TEST_P(NormaliseTest, DerivesTheFields) {
  Read("-", GetParam().options);
  EXPECT_STREQ(C.sides, GetParam().sides);
  EXPECT_STREQ(C.collation, GetParam().collation);
  EXPECT_EQ(C.copies, GetParam().copies);
  EXPECT_EQ(C.orientation, GetParam().orientation);
  EXPECT_EQ(C.layoutDirection, 1);
}

const std::string kEdge = "DuplexBindingEdge..n.=";
const NormalCase kNormal[] = {
    {.name = "nothing_given"},
    {.name = "collation_anywhere", .options = "collate=true noCollate nocollate", .collation = "nocollate"},
    {.name = "binding_edge_0_is_one_sided", .options = "sides=two-sided-long-edge " + kEdge + "0"},
};
INSTANTIATE_TEST_SUITE_P(Options, NormaliseTest, ::testing::ValuesIn(kNormal), RowName());

// Absent copies never reach the block as -1: the copies argument stands in, else 1.
TEST(CommentNormalise, AbsentCopiesTakeTheArgument) {
  ResetJobState();
  C.copies = -1;
  NormalizeComment("", "3");
  EXPECT_EQ(C.copies, 3);
  C.copies = -1;
  NormalizeComment("", "x");
  EXPECT_EQ(C.copies, 1);
  C.copies = -1;
  NormalizeComment("", nullptr);
  EXPECT_EQ(C.copies, 1);
}

// A PPD option the job leaves out takes the PPD's default; "0.0" stands in only
// when that default names no choice, and an option counts as set by its name,
// not by text in other values.
struct RegiCase {
  const char* name;
  std::string ppd;  // PPD options; "-": no PPD
  const char* options;
  const char *horizontal, *vertical;
};
class RegistrationDefaultTest : public ::testing::TestWithParam<RegiCase> {};

TEST_P(RegistrationDefaultTest, ReadingAndNormalisingAgree) {
  Read(GetParam().ppd, GetParam().options);
  EXPECT_STREQ(C.regiHorizontal, GetParam().horizontal);
  EXPECT_STREQ(C.regiVertical, GetParam().vertical);
}

std::string Regi(const char* defaultChoice) {
  return PPDOption("OVSRRLAdjustRegiHorizontal", defaultChoice, "0.0 1.5") +
         PPDOption("OVSRRLAdjustRegiVertical", defaultChoice, "0.0 1.5");
}
const RegiCase kRegi[] = {
    // The defaults standing in and a value given by the job are whole-filter cases.
    {.name = "default_names_no_choice", .ppd = Regi("Auto"), .options = "", .horizontal = "0.0", .vertical = "0.0"},
    {.name = "name_inside_another_value",
     .ppd = Regi("Auto"),
     .options = "OVStaple=OVSRRLAdjustRegiVertical",
     .horizontal = "0.0",
     .vertical = "0.0"},
    {.name = "ppd_without_the_options", .ppd = "", .options = "", .horizontal = "", .vertical = ""},
    {.name = "no_ppd", .ppd = "-", .options = "", .horizontal = "", .vertical = ""},
};
INSTANTIATE_TEST_SUITE_P(PPDs, RegistrationDefaultTest, ::testing::ValuesIn(kRegi), RowName());

}  // namespace
