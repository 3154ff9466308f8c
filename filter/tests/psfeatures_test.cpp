// The buffered pass's PJL from the document: feature sections, name-value lines
// and the choice of the colour-processing values.
#include "psfeatures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "escapes.h"
#include "stream_capture.h"

namespace {

using namespace std::string_literals;

const std::string kRaster600 =
    "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n";
const std::string kContone600 =
    "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n";

std::string ScreenLines(const std::string& value) {
  std::string lines;
  for (const char* name : {"TTRC", "GTRC", "ITRC", "TSCR", "GSCR", "ISCR"}) {
    lines += "@PJL SET JOBATTR=\"@"s + name + "=" + value + "\"\n";
  }
  return lines;
}

struct LineCase {
  const char* name;
  std::string ppd_extra;
  std::string line;
  std::string out;
};

std::ostream& operator<<(std::ostream& os, const LineCase& c) { return os << c.name; }

class DocumentPJLTest : public ::testing::TestWithParam<LineCase> {
 protected:
  void TearDown() override {
    unsetenv("PPD");
    CloseJobPPD();
    SetStreamEventObserver(nullptr);
  }
  TempDir dir_;
};

TEST_P(DocumentPJLTest, WritesLinesForDocumentLine) {
  const LineCase& c = GetParam();
  WriteFile(dir_.File("test.ppd"), TestPPD(c.ppd_extra));
  ResetStreamState(dir_.File("test.ppd"));
  FilterArgs args("1", "", "");
  FeatureCapture capture;
  CapturedOutput r = CaptureOutput([&] { InspectLineForPJL(c.line.data(), c.line.size(), &capture, args.argv()); });
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
}

const std::string kMono = "*ColorDevice: False\n";
const std::string kManyDigits = [] {
  std::string line = "TCPR GCPR ICPR";
  for (int i = 0; i < 101; ++i) line += " ABCD=1";
  return line;
}();
const std::string kHundredLines = [] {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "@PJL SET JOBATTR=\"@ABCD=1\"\n";
  return lines;
}();

INSTANTIATE_TEST_SUITE_P(
    Lines, DocumentPJLTest,
    ::testing::Values(
        LineCase{"frame_mode_true", "", "%%BeginFeature: *OVFrameMode True", kRaster600},
        LineCase{"frame_mode_false_without_output_mode", "", "%%BeginFeature: *OVFrameMode False", kContone600},
        LineCase{"frame_mode_other_choice", "", "%%BeginFeature: *OVFrameMode Maybe", ""},
        LineCase{"frame_mode_needs_its_star", "", "%%BeginFeature: OVFrameMode True", ""},
        LineCase{"blanks_between_words_merge", "", "%%BeginFeature:   *OVFrameMode   True", kRaster600},
        LineCase{"two_words_give_nothing", "", "%%BeginFeature: *OVFrameMode", ""},
        LineCase{"only_first_99_characters_count", "",
                 "%%BeginFeature: *OVFrameMode " + std::string(80, ' ') + "True", ""},
        LineCase{"prefix_must_start_the_line", "", " %%BeginFeature: *OVFrameMode True", ""},
        LineCase{"monochrome_halftone_gradation", kMono, "%%BeginFeature: *OVHalftone Gradation", ScreenLines("66")},
        LineCase{"monochrome_halftone_fineness", kMono, "%%BeginFeature: *OVHalftone Fineness", ScreenLines("64")},
        LineCase{"monochrome_halftone_other", kMono, "%%BeginFeature: *OVHalftone Coarse", ""},
        LineCase{"halftone_without_monochrome_device", "", "%%BeginFeature: *OVHalftone Gradation", ""},
        LineCase{"comment_line_of_six_pairs", "",
                 "% TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62 ITRC=62",
                 "@PJL SET JOBATTR=\"@TSCR=61\"\n@PJL SET JOBATTR=\"@GSCR=61\"\n@PJL SET JOBATTR=\"@ISCR=61\"\n"
                 "@PJL SET JOBATTR=\"@TTRC=62\"\n@PJL SET JOBATTR=\"@GTRC=62\"\n@PJL SET JOBATTR=\"@ITRC=62\"\n"},
        LineCase{"three_cpr_pairs", "", "TCPR=13 GCPR=13 ICPR=14",
                 "@PJL SET JOBATTR=\"@TCPR=13\"\n@PJL SET JOBATTR=\"@GCPR=13\"\n@PJL SET JOBATTR=\"@ICPR=14\"\n"},
        LineCase{"some_names_missing", "", "TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62", ""},
        LineCase{"digits_near_the_start_form_no_pair", "", "12 TCPR=1 GCPR=2 ICPR=3",
                 "@PJL SET JOBATTR=\"@TCPR=1\"\n@PJL SET JOBATTR=\"@GCPR=2\"\n@PJL SET JOBATTR=\"@ICPR=3\"\n"},
        LineCase{"third_digit_is_a_value_of_its_own", "", "TCPR=123 GCPR ICPR",
                 "@PJL SET JOBATTR=\"@TCPR=12\"\n@PJL SET JOBATTR=\"@PR=1=3\"\n"},
        LineCase{"name_bytes_cannot_break_the_pjl_line", "", "\"\tCR=5 TCPR GCPR ICPR",
                 "@PJL SET JOBATTR=\"@' CR=5\"\n"},
        LineCase{"nul_in_name_becomes_blank", "", "T\0PR=7 TCPR GCPR ICPR"s, "@PJL SET JOBATTR=\"@T PR=7\"\n"},
        LineCase{"only_first_100_digits", "", kManyDigits, kHundredLines}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FeatureCapture, KeepsLastChoiceCutTo19Characters) {
  TempDir dir;
  ResetStreamState();
  FilterArgs args("1", "", "");
  FeatureCapture capture;
  const std::string lines[] = {
      "%%BeginFeature: *KQColorMode Black",
      "%%BeginFeature: *KQColorMode Color",
      "%%BeginFeature: *KQRGBImageTypeSuffix Photo",
      "%%BeginFeature: *KQRGBInputProfile AdobeRGB",
      "%%BeginFeature: *KQRGBCorrection ABCDEFGHIJKLMNOPQRSTUVWXYZ",
      "%%BeginFeature: *KQEngineScreen Screen2",
      "%%BeginFeature: *KQEngineScreen",
  };
  CaptureOutput([&] {
    for (const std::string& line : lines) InspectLineForPJL(line.data(), line.size(), &capture, args.argv());
  });
  EXPECT_STREQ(capture.color_mode, "Color");
  EXPECT_STREQ(capture.image_type, "Photo");
  EXPECT_STREQ(capture.input_profile, "AdobeRGB");
  EXPECT_STREQ(capture.rgb_correction, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_STREQ(capture.engine_screen, "Screen2");
  SetStreamEventObserver(nullptr);
}

struct ColourCase {
  const char* colour;
  const char* correction;
  const char* image_type;
  const char* profile;
  const char* screen;
  std::vector<int> triple;  // empty: none
  std::vector<int> six;     // empty: none
};

std::ostream& operator<<(std::ostream& os, const ColourCase& c) {
  return os << c.colour << "/" << c.correction << "/" << c.image_type << "/" << c.profile << "/" << c.screen;
}

class ColourProcessingTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourProcessingTest, ChoosesValues) {
  const ColourCase& c = GetParam();
  FeatureCapture capture;
  std::strcpy(capture.color_mode, c.colour);
  std::strcpy(capture.rgb_correction, c.correction);
  std::strcpy(capture.image_type, c.image_type);
  std::strcpy(capture.input_profile, c.profile);
  std::strcpy(capture.engine_screen, c.screen);
  ColourProcessing chosen = ChooseColourProcessing(capture);
  ASSERT_EQ(chosen.has_triple, !c.triple.empty());
  if (chosen.has_triple) {
    EXPECT_EQ(std::vector<int>(chosen.triple, chosen.triple + 3), c.triple);
  }
  ASSERT_EQ(chosen.has_six, !c.six.empty());
  if (chosen.has_six) {
    EXPECT_EQ(std::vector<int>(chosen.six, chosen.six + 6), c.six);
  }
}

using V = std::vector<int>;
INSTANTIATE_TEST_SUITE_P(
    Table, ColourProcessingTest,
    ::testing::Values(
        ColourCase{"Color", "None", "Photo", "", "Auto", V{13, 13, 14}, V{13, 13, 14, 13, 13, 14}},
        ColourCase{"Color", "None", "Standard", "", "Screen1", V{11, 11, 12}, V(6, 61)},
        ColourCase{"Color", "None", "Presentation", "", "", V{15, 15, 16}, V{}},
        ColourCase{"Color", "None", "sRGB", "", "Screen3", V{17, 17, 18}, V(6, 63)},
        ColourCase{"Color", "None", "POP", "", "Auto", V{19, 19, 20}, V{19, 19, 20, 19, 19, 20}},
        ColourCase{"Color", "None", "Off", "", "Auto", V{31, 31, 31}, V(6, 31)},
        ColourCase{"Color", "None", "Vivid", "", "Auto", V{}, V{}},
        ColourCase{"Color", "None", "Vivid", "", "Screen2", V{}, V(6, 62)},
        ColourCase{"Color", "Perceptual", "", "SRGB", "Auto", V{41, 41, 42}, V{41, 41, 42, 41, 41, 42}},
        ColourCase{"Color", "Perceptual", "", "AdobeRGB", "", V{49, 49, 50}, V{}},
        ColourCase{"Color", "Saturation", "Photo", "SRGB", "", V{43, 43, 44}, V{}},
        ColourCase{"Color", "Saturation", "", "AdobeRGB", "", V{51, 51, 52}, V{}},
        ColourCase{"Color", "RelativeC", "", "SRGB", "", V{45, 45, 46}, V{}},
        ColourCase{"Color", "RelativeC", "", "AdobeRGB", "", V{53, 53, 54}, V{}},
        ColourCase{"Color", "AbsoluteC", "", "SRGB", "", V{47, 47, 48}, V{}},
        ColourCase{"Color", "AbsoluteC", "", "AdobeRGB", "Auto", V{55, 55, 56}, V{55, 55, 56, 55, 55, 56}},
        ColourCase{"Color", "AbsoluteC", "", "Other", "Auto", V{}, V{}},
        ColourCase{"Color", "Vivid", "", "", "Auto", V{11, 11, 12}, V{11, 11, 12, 11, 11, 12}},
        ColourCase{"Color", "", "Photo", "", "Auto", V{}, V{}},
        ColourCase{"Black", "None", "Photo", "", "Auto", V{33, 33, 34}, V{33, 33, 34, 33, 33, 34}},
        ColourCase{"Black", "None", "", "", "Auto", V{11, 11, 12}, V{11, 11, 12, 11, 11, 12}},
        ColourCase{"", "", "", "", "Screen1", V{11, 11, 12}, V(6, 64)},
        ColourCase{"Black", "", "Photo", "", "Screen2", V{33, 33, 34}, V(6, 65)},
        ColourCase{"", "", "", "", "Screen3", V{11, 11, 12}, V(6, 66)},
        ColourCase{"", "", "", "", "", V{11, 11, 12}, V{}},
        ColourCase{"Black", "", "", "", "Screen4", V{11, 11, 12}, V{}}));

}  // namespace
