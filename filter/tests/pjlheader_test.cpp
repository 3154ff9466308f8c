#include "pjlheader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "filter_test_support.h"
#include "jobstate.h"
#include "ppdchoices.h"

namespace {

struct ChoiceCase {
  const char* name;
  const char* keyword;
  const char* choice;
  const char* line;  // nullptr: no line
};

std::ostream& operator<<(std::ostream& out, const ChoiceCase& c) { return out << c.name; }

class ChoiceLookupTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(ChoiceLookupTest, FindsLine) {
  const ChoiceCase& c = GetParam();
  const char* line = GetThePJLCommandfromKeywordsandMarkedValue(c.keyword, c.choice);
  if (c.line == nullptr) {
    EXPECT_EQ(line, nullptr) << line;
  } else {
    ASSERT_NE(line, nullptr);
    EXPECT_STREQ(line, c.line);
  }
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
    [](const testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

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

// The job's PPD for one test, through the shared parse.
class JobPPDScope {
 public:
  explicit JobPPDScope(const std::string& fixture) {
    CloseJobPPD();
    if (fixture.empty()) {
      unsetenv("PPD");
    } else {
      setenv("PPD", SourcePath("tests/fixtures/ppd/" + fixture).c_str(), 1);
    }
  }
  ~JobPPDScope() {
    CloseJobPPD();
    unsetenv("PPD");
  }
};

TEST(PPDKeyDefaults, OnlyForKeywordsThePPDLacks) {
  JobPPDScope scope("engine-keys.ppd");
  ASSERT_NE(JobPPD(), nullptr);
  // The fixture defines OVSetTrapMode and OVBrightnes.
  EXPECT_EQ(CaptureStdout([] { OutputPJLCommandForPPDKeyArray(PPDKeyArray, JobPPD()); }),
            "@PJL SET JOBATTR=\"@GRGU=OFF\"\n"
            "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n"
            "@PJL SET JOBATTR=\"@RGBG=22\"\n"
            "@PJL SET ECONOMODE=OFF\n");
}

TEST(PPDKeyDefaults, AllWithoutPPD) {
  EXPECT_EQ(CaptureStdout([] { OutputPJLCommandForPPDKeyArray(PPDKeyArray, nullptr); }),
            "@PJL SET JOBATTR=\"@TRAP=OFF\"\n"
            "@PJL SET JOBATTR=\"@GRGU=OFF\"\n"
            "@PJL SET JOBATTR=\"@PSBR=0\"\n"
            "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n"
            "@PJL SET JOBATTR=\"@RGBG=22\"\n"
            "@PJL SET ECONOMODE=OFF\n");
}

TEST(AttributeLines, FromNumbers) {
  const int cpr[] = {1, 0, 2};
  EXPECT_EQ(CaptureStdout([&] { outputQPJLCommandFromArray(CPRCommand, cpr); }),
            "@PJL SET JOBATTR=\"@TCPR=1\"\n"
            "@PJL SET JOBATTR=\"@GCPR=0\"\n"
            "@PJL SET JOBATTR=\"@ICPR=2\"\n");
  const int trc[] = {64, 64, 64, 64, 64, -1};
  EXPECT_EQ(CaptureStdout([&] { outputQPJLCommandFromArray(TRCSCRCommand, trc); }),
            "@PJL SET JOBATTR=\"@TTRC=64\"\n"
            "@PJL SET JOBATTR=\"@GTRC=64\"\n"
            "@PJL SET JOBATTR=\"@ITRC=64\"\n"
            "@PJL SET JOBATTR=\"@TSCR=64\"\n"
            "@PJL SET JOBATTR=\"@GSCR=64\"\n"
            "@PJL SET JOBATTR=\"@ISCR=-1\"\n");
}

struct DLCase {
  const char* name;
  const char* options;
  int result;
  const char* value;
};

std::ostream& operator<<(std::ostream& out, const DLCase& c) { return out << c.name; }

class DLOutputModeTest : public testing::TestWithParam<DLCase> {};

TEST_P(DLOutputModeTest, ReadsOption) {
  const DLCase& c = GetParam();
  std::snprintf(g_DLOutputMode, sizeof g_DLOutputMode, "stale");
  char options[64];
  std::snprintf(options, sizeof options, "%s", c.options);
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"), const_cast<char*>("1"), options, nullptr};
  EXPECT_EQ(GetDLOutputMode(argv), c.result);
  EXPECT_STREQ(g_DLOutputMode, c.value);
}

INSTANTIATE_TEST_SUITE_P(Options, DLOutputModeTest,
                         testing::Values(DLCase{"present", "OVOutputMode=1200x1200 copies=2", 1, "1200x1200"},
                                         DLCase{"absent", "copies=2", 0, ""},
                                         DLCase{"empty_value", "OVOutputMode=", 1, ""}),
                         [](const testing::TestParamInfo<DLCase>& info) { return std::string(info.param.name); });

TEST(CoreTables, TrailerAndEnterPostScript) {
  InializeDescriptionTable();
  EXPECT_EQ(CaptureStdout([] { OutputQPJLCommandTrailer(nullptr); }), "\x1b%-12345X@PJL EOJ\n");
  EXPECT_EQ(CaptureStdout([] { OutputQPJLCommandEnterPS(nullptr); }), "@PJL ENTER LANGUAGE=POSTSCRIPT\n");
}

// The header's frame: exit language first, the job-mode line after it, and the
// switch into PostScript last unless the PPD hands it to the buffered pass.
struct HeaderCase {
  const char* name;
  const char* ppd;
  bool enters_postscript;
};

std::ostream& operator<<(std::ostream& out, const HeaderCase& c) { return out << c.name; }

class HeaderTest : public testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, Frame) {
  JobPPDScope scope(GetParam().ppd);
  InializeDescriptionTable();
  char options[] = "";
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"), const_cast<char*>("1"), options, nullptr};
  const std::string out = CaptureStdout([&] { OutputQPJLCommand(argv); });
  EXPECT_EQ(out.rfind("\x1b%-12345X", 0), 0u) << out;
  const size_t job_mode = out.find("@PJL JOB MODE=PRINTER\r\n");
  EXPECT_NE(job_mode, std::string::npos);
  const std::string enter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
  const size_t enter_at = out.find(enter);
  if (GetParam().enters_postscript) {
    ASSERT_NE(enter_at, std::string::npos);
    EXPECT_EQ(enter_at + enter.size(), out.size()) << "not the last line";
    EXPECT_LT(job_mode, enter_at);
  } else {
    EXPECT_EQ(enter_at, std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(PPDs, HeaderTest,
                         testing::Values(HeaderCase{"no_decomp_attribute", "engine-keys.ppd", true},
                                         HeaderCase{"decomp_1", "engine-decomp1.ppd", false},
                                         HeaderCase{"decomp_1_blank", "engine-decomp1blank.ppd", true}),
                         [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

}  // namespace
