#include "pjlheader.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "filter_test_support.h"
#include "jobstate.h"
#include "param_name.h"
#include "ppdchoices.h"

namespace {

auto Name = RowName();

struct ChoiceCase {
  const char *name, *keyword, *choice, *line;  // line nullptr: no line
};
class ChoiceLookupTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceLookupTest, FindsLine) {
  EXPECT_STREQ(GetThePJLCommandfromKeywordsandMarkedValue(GetParam().keyword, GetParam().choice), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChoiceLookupTest,
    testing::Values(
        ChoiceCase{"brightness_dark3", "*OVBrightnes", "Dark3", "@PJL SET JOBATTR=\"@PSBR=-3\"\n"},
        ChoiceCase{"brightness_without_star", "OVBrightnes", "Dark3", nullptr},
        ChoiceCase{"color_profile_first_row", "*OVInvalidateColorProfile", "False", "@PJL SET JOBATTR=\"@CPRO=OFF\"\n"},
        ChoiceCase{"output_mode", "*OVOutputMode", "HighSpeed", "@PJL SET BITSPERPIXEL=1\n"},
        ChoiceCase{"smoothing", "*Smoothing", "False", "@PJL SET RET=OFF\n"},
        ChoiceCase{"monochrome_last_named_row", "*OVMonochromePriority", "True", "@PJL SET JOBATTR=\"@BSPM=ON\"\n"},
        ChoiceCase{"cyan_low_minus3", "*OVColorDensityCyanLow", "-3", "@PJL SET JOBATTR=\"@AJCL=0\"\n"},
        ChoiceCase{"magenta_mid_0", "*OVColorDensityMagentaMid", "0", "@PJL SET JOBATTR=\"@AJMM=3\"\n"},
        ChoiceCase{"black_high_plus3_last_row", "*OVColorDensityBlackHigh", "+3", "@PJL SET JOBATTR=\"@AJKH=6\"\n"},
        ChoiceCase{"density_unsigned_choice", "*OVColorDensityCyanLow", "3", nullptr},
        ChoiceCase{"density_out_of_range", "*OVColorDensityBlackLow", "+4", nullptr},
        ChoiceCase{"choice_case_matters", "*Smoothing", "false", nullptr},
        ChoiceCase{"keyword_prefix_only", "*OVBrightness", "Dark3", nullptr},
        ChoiceCase{"star_alone", "*", "True", nullptr}, ChoiceCase{"unknown_keyword", "*OVStaple", "None", nullptr}),
    Name);

TEST(ChoiceTable, HasItsRowsOnce) {
  EXPECT_EQ(FeaturePPDKeyNameandMarkedValuetoPJLCommand.size(), 125u);
  std::set<std::string> pairs;
  int density = 0;
  for (const PPDChoiceRow& row : FeaturePPDKeyNameandMarkedValuetoPJLCommand) {
    EXPECT_TRUE(pairs.insert(std::string(row.keyword) + ":" + row.choice).second) << row.keyword << " " << row.choice;
    const std::string line = row.line;
    EXPECT_EQ(line.rfind("@PJL SET ", 0), 0u) << line;
    EXPECT_EQ(line.back(), '\n') << line;
    if (std::string(row.keyword).rfind("OVColorDensity", 0) == 0) ++density;
  }
  EXPECT_EQ(density, 84);
  EXPECT_EQ(GetThePJLCommandfromKeywordsandMarkedValue(nullptr, "True"), nullptr);
  EXPECT_EQ(GetThePJLCommandfromKeywordsandMarkedValue("*Smoothing", nullptr), nullptr);
}

std::string Fixture(const char* name) { return ReadFile(SourcePath(std::string("tests/fixtures/ppd/") + name)); }

// The header's frame: exit language first, the job-mode line after it, and the
// switch into PostScript last unless the PPD hands it to the buffered pass.
TEST(Header, Frame) {
  const std::pair<const char*, bool> cases[] = {
      {"engine-keys.ppd", true}, {"engine-decomp1.ppd", false}, {"engine-decomp1blank.ppd", true}};
  for (const auto& [fixture, enters_postscript] : cases) {
    ScopedJobPPD ppd(Fixture(fixture));
    InializeDescriptionTable();
    char options[] = "";
    char* argv[] = {const_cast<char*>("ovqfilter"),
                    const_cast<char*>("1"),
                    const_cast<char*>("u"),
                    const_cast<char*>("t"),
                    const_cast<char*>("1"),
                    options,
                    nullptr};
    const std::string out = CaptureStdout([&] { OutputQPJLCommand(argv); });
    const std::string head = "\x1b%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n@PJL JOB MODE=PRINTER\r\n";
    EXPECT_EQ(out.rfind(head, 0), 0u) << fixture << out;
    const std::string enter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    const bool ends_with_enter = out.size() > enter.size() && out.substr(out.size() - enter.size()) == enter;
    EXPECT_EQ(ends_with_enter, enters_postscript) << fixture;
    EXPECT_EQ(out.find(enter) == std::string::npos, !enters_postscript) << fixture;
  }
}

}  // namespace
