#include "pjlheader.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "inspect.h"
#include "jobflow.h"
#include "jobstate.h"
#include "param_name.h"
#include "ppdchoices.h"
#include "random_job.h"

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

// Every header line is exactly one complete PJL command, whatever the job's
// options, user and title: random jobs (a fixed seed) through the whole filter,
// each stream read by the job-stream inspector's strict framing check.
TEST(Header, EveryLineIsOneCompleteCommand) {
  const char* const ppds[] = {nullptr, "tests/fixtures/ppd/header-utf8.ppd", "tests/fixtures/ppd/header-sjis.ppd",
                              "ppd/OVQU700.ppd", "ppd/OVQC500.ppd"};
  TempDir dir;
  WriteFile(dir.File("job.ps"), "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n");
  setenv("TMPDIR", dir.path().c_str(), 1);
  std::mt19937 random(9);
  auto next = [&] { return static_cast<uint8_t>(random()); };
  for (int run = 0; run < 64; ++run) {
    const char* ppd = ppds[run % std::size(ppds)];
    ppd != nullptr ? setenv("PPD", SourcePath(ppd).c_str(), 1) : unsetenv("PPD");
    CloseJobPPD();
    RandomJob job = MakeRandomJob(next, JobPPD());
    std::string args[] = {"ovqfilter", "1", job.user, job.title, "1", job.options, dir.File("job.ps")};
    char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(),
                    args[4].data(), args[5].data(), args[6].data(), nullptr};
    int status = -1;
    const std::string out = CaptureStdout([&] { status = FilterMain(7, argv); });
    const ovqinspect::Inspection inspection = ovqinspect::InspectStream(out);
    ASSERT_TRUE(status == 0 && inspection.ok())
        << "run " << run << ", PPD " << (ppd != nullptr ? ppd : "none") << ": "
        << (inspection.ok() ? "exit status " + std::to_string(status) : inspection.errors.front().message) << "\nuser "
        << MakeVisible(job.user) << "\ntitle " << MakeVisible(job.title) << "\noptions " << MakeVisible(job.options)
        << "\n"
        << MakeVisible(out.substr(0, out.find("%!PS")));
  }
  unsetenv("PPD");
  unsetenv("TMPDIR");
  CloseJobPPD();
}

}  // namespace
