#include "pjlheader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "filter_test_support.h"
#include "jobstate.h"
#include "ppdchoices.h"

namespace {

auto Name = [](const auto& info) { return std::string(info.param.name); };

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
        ChoiceCase{"brightness_bright5", "*OVBrightnes", "Bright5", "@PJL SET JOBATTR=\"@PSBR=5\"\n"},
        ChoiceCase{"brightness_normal", "*OVBrightnes", "Normal", "@PJL SET JOBATTR=\"@PSBR=0\"\n"},
        ChoiceCase{"color_profile_first_row", "*OVInvalidateColorProfile", "False", "@PJL SET JOBATTR=\"@CPRO=OFF\"\n"},
        ChoiceCase{"letterhead_auto", "*OVLetterHeadDuplexMode", "DupAuto", "@PJL SET JOBATTR=\"@DDPM=AUTO\"\n"},
        ChoiceCase{"gray_balance", "*OVGrayBalance", "True", "@PJL SET JOBATTR=\"@GRGU=TEXTGRAPHICS\"\n"},
        ChoiceCase{"output_mode", "*OVOutputMode", "HighSpeed", "@PJL SET BITSPERPIXEL=1\n"},
        ChoiceCase{"rgb_profile", "*OVRGBInputProfile", "AdobeRGB", "@PJL SET JOBATTR=\"@RGBP=ADOBERGB\"\n"},
        ChoiceCase{"rgb_correction_dark", "*OVRGBBCorrection", "Dark", "@PJL SET JOBATTR=\"@RGBG=22\"\n"},
        ChoiceCase{"smoothing", "*Smoothing", "False", "@PJL SET RET=OFF\n"},
        ChoiceCase{"toner_mode3", "*OVTonerSaver", "Mode3", "@PJL SET ECONOMODE=MODE3\n"},
        ChoiceCase{"blank_sheet", "*OVSaveBlankSheet", "True", "@PJL SET JOBATTR=\"@SBKP=ON\"\n"},
        ChoiceCase{"monochrome_last_named_row", "*OVMonochromePriority", "True", "@PJL SET JOBATTR=\"@BSPM=ON\"\n"},
        ChoiceCase{"cyan_low_minus3", "*OVColorDensityCyanLow", "-3", "@PJL SET JOBATTR=\"@AJCL=0\"\n"},
        ChoiceCase{"magenta_mid_0", "*OVColorDensityMagentaMid", "0", "@PJL SET JOBATTR=\"@AJMM=3\"\n"},
        ChoiceCase{"yellow_high_plus1", "*OVColorDensityYellowHigh", "+1", "@PJL SET JOBATTR=\"@AJYH=4\"\n"},
        ChoiceCase{"black_low_minus1", "*OVColorDensityBlackLow", "-1", "@PJL SET JOBATTR=\"@AJKL=2\"\n"},
        ChoiceCase{"black_high_plus3_last_row", "*OVColorDensityBlackHigh", "+3", "@PJL SET JOBATTR=\"@AJKH=6\"\n"},
        ChoiceCase{"density_unsigned_choice", "*OVColorDensityCyanLow", "3", nullptr},
        ChoiceCase{"density_out_of_range", "*OVColorDensityBlackLow", "+4", nullptr},
        ChoiceCase{"choice_case_matters", "*Smoothing", "false", nullptr},
        ChoiceCase{"keyword_prefix_only", "*OVBrightness", "Dark3", nullptr},
        ChoiceCase{"star_alone", "*", "True", nullptr},
        ChoiceCase{"unknown_keyword", "*OVStaple", "None", nullptr}),
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

// The job's PPD for one test: a fixture through the shared parse.
std::string Fixture(const char* name) { return ReadFile(SourcePath(std::string("tests/fixtures/ppd/") + name)); }

const std::string kKeyDefaults =
    "@PJL SET JOBATTR=\"@TRAP=OFF\"\n@PJL SET JOBATTR=\"@GRGU=OFF\"\n@PJL SET JOBATTR=\"@PSBR=0\"\n"
    "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n@PJL SET JOBATTR=\"@RGBG=22\"\n@PJL SET ECONOMODE=OFF\n";

TEST(PPDKeyDefaults, OnlyForKeywordsThePPDLacks) {
  EXPECT_EQ(CaptureStdout([] { OutputPJLCommandForPPDKeyArray(PPDKeyArray, nullptr); }), kKeyDefaults);
  ScopedJobPPD ppd(Fixture("engine-keys.ppd"));  // defines OVSetTrapMode and OVBrightnes
  ASSERT_NE(JobPPD(), nullptr);
  EXPECT_EQ(CaptureStdout([] { OutputPJLCommandForPPDKeyArray(PPDKeyArray, JobPPD()); }),
            "@PJL SET JOBATTR=\"@GRGU=OFF\"\n@PJL SET JOBATTR=\"@RGBP=SRGB\"\n@PJL SET JOBATTR=\"@RGBG=22\"\n"
            "@PJL SET ECONOMODE=OFF\n");
}

TEST(AttributeLines, FromNumbers) {
  const int cpr[] = {1, 0, 2};
  EXPECT_EQ(CaptureStdout([&] { outputQPJLCommandFromArray(CPRCommand, cpr); }),
            "@PJL SET JOBATTR=\"@TCPR=1\"\n@PJL SET JOBATTR=\"@GCPR=0\"\n@PJL SET JOBATTR=\"@ICPR=2\"\n");
  const int trc[] = {64, 64, 64, 64, 64, -1};
  EXPECT_EQ(CaptureStdout([&] { outputQPJLCommandFromArray(TRCSCRCommand, trc); }),
            "@PJL SET JOBATTR=\"@TTRC=64\"\n@PJL SET JOBATTR=\"@GTRC=64\"\n@PJL SET JOBATTR=\"@ITRC=64\"\n"
            "@PJL SET JOBATTR=\"@TSCR=64\"\n@PJL SET JOBATTR=\"@GSCR=64\"\n@PJL SET JOBATTR=\"@ISCR=-1\"\n");
}

// argv as CUPS passes it, with `options` as argv[5].
struct Argv {
  explicit Argv(const char* text) { std::snprintf(options, sizeof options, "%s", text); }
  char options[64];
  char* argv[7] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                   const_cast<char*>("t"), const_cast<char*>("1"), options, nullptr};
};

TEST(GetDLOutputMode, ReadsOption) {
  const struct {
    const char* options;
    int result;
    const char* value;
  } cases[] = {{"OVOutputMode=1200x1200 copies=2", 1, "1200x1200"}, {"copies=2", 0, ""}, {"OVOutputMode=", 1, ""}};
  for (const auto& c : cases) {
    std::snprintf(g_DLOutputMode, sizeof g_DLOutputMode, "stale");
    Argv args(c.options);
    EXPECT_EQ(GetDLOutputMode(args.argv), c.result) << c.options;
    EXPECT_STREQ(g_DLOutputMode, c.value) << c.options;
  }
}

// The header's frame: exit language first, the job-mode line after it, and the
// switch into PostScript last unless the PPD hands it to the buffered pass.
TEST(Header, Frame) {
  const std::pair<const char*, bool> cases[] = {
      {"engine-keys.ppd", true}, {"engine-decomp1.ppd", false}, {"engine-decomp1blank.ppd", true}};
  for (const auto& [fixture, enters_postscript] : cases) {
    ScopedJobPPD ppd(Fixture(fixture));
    InializeDescriptionTable();
    Argv args("");
    const std::string out = CaptureStdout([&] { OutputQPJLCommand(args.argv); });
    const std::string head = "\x1b%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n@PJL JOB MODE=PRINTER\r\n";
    EXPECT_EQ(out.rfind(head, 0), 0u) << fixture << out;
    const std::string enter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
    const bool ends_with_enter = out.size() > enter.size() && out.substr(out.size() - enter.size()) == enter;
    EXPECT_EQ(ends_with_enter, enters_postscript) << fixture;
    EXPECT_EQ(out.find(enter) == std::string::npos, !enters_postscript) << fixture;
  }
}

}  // namespace
