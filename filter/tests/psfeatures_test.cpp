// The buffered pass's PJL from the document: feature sections, name-value lines
// and the choice of the colour-processing values.
#include "psfeatures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "escapes.h"
#include "stream_capture.h"

namespace {

using namespace std::string_literals;

// One "@PJL SET JOBATTR" line for each blank-separated name=value.
std::string Attrs(const std::string& pairs) {
  std::string lines;
  for (size_t start = 0, end; start < pairs.size(); start = end + 1) {
    end = std::min(pairs.find(' ', start), pairs.size());
    lines += "@PJL SET JOBATTR=\"@" + pairs.substr(start, end - start) + "\"\n";
  }
  return lines;
}
std::string Repeat(const std::string& unit, int count) {
  std::string text;
  while (count-- > 0) text += unit;
  return text;
}
const std::string kRaster600 = "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n" + Attrs("DRDM=RASTER");
const std::string kContone600 = "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n" + Attrs("DRDM=RASTER");
const std::string kMono = "*ColorDevice: False\n";

struct LineCase {
  const char* name;
  std::string ppd_extra, line, out;
};
class DocumentPJLTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DocumentPJLTest, WritesLinesForDocumentLine) {
  const LineCase& c = GetParam();
  ScopedJobPPD ppd(TestPPD(c.ppd_extra));
  FilterArgs args("1", "", "");
  FeatureCapture capture;
  CapturedOutput r = CaptureOutput([&] { InspectLineForPJL(c.line.data(), c.line.size(), &capture, args.argv()); });
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DocumentPJLTest,
    ::testing::Values(
        LineCase{"frame_mode_true", "", "%%BeginFeature: *OVFrameMode True", kRaster600},
        LineCase{"frame_mode_false_without_output_mode", "", "%%BeginFeature: *OVFrameMode False", kContone600},
        LineCase{"frame_mode_other_choice", "", "%%BeginFeature: *OVFrameMode Maybe", ""},
        LineCase{"frame_mode_needs_its_star", "", "%%BeginFeature: OVFrameMode True", ""},
        LineCase{"blanks_between_words_merge", "", "%%BeginFeature:   *OVFrameMode   True", kRaster600},
        LineCase{"two_words_give_nothing", "", "%%BeginFeature: *OVFrameMode", ""},
        LineCase{"only_first_99_characters_count", "", "%%BeginFeature: *OVFrameMode " + std::string(80, ' ') + "True",
                 ""},
        LineCase{"prefix_must_start_the_line", "", " %%BeginFeature: *OVFrameMode True", ""},
        LineCase{"monochrome_halftone_gradation", kMono, "%%BeginFeature: *OVHalftone Gradation",
                 Attrs("TTRC=66 GTRC=66 ITRC=66 TSCR=66 GSCR=66 ISCR=66")},
        LineCase{"monochrome_halftone_fineness", kMono, "%%BeginFeature: *OVHalftone Fineness",
                 Attrs("TTRC=64 GTRC=64 ITRC=64 TSCR=64 GSCR=64 ISCR=64")},
        LineCase{"monochrome_halftone_other", kMono, "%%BeginFeature: *OVHalftone Coarse", ""},
        LineCase{"halftone_without_monochrome_device", "", "%%BeginFeature: *OVHalftone Gradation", ""},
        LineCase{"comment_line_of_six_pairs", "", "% TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62 ITRC=62",
                 Attrs("TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62 ITRC=62")},
        LineCase{"three_cpr_pairs", "", "TCPR=13 GCPR=13 ICPR=14", Attrs("TCPR=13 GCPR=13 ICPR=14")},
        LineCase{"some_names_missing", "", "TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62", ""},
        LineCase{"digits_near_the_start_form_no_pair", "", "12 TCPR=1 GCPR=2 ICPR=3", Attrs("TCPR=1 GCPR=2 ICPR=3")},
        LineCase{"third_digit_is_a_value_of_its_own", "", "TCPR=123 GCPR ICPR", Attrs("TCPR=12 PR=1=3")},
        LineCase{"name_bytes_cannot_break_the_pjl_line", "", "\"\tCR=5 TCPR GCPR ICPR",
                 "@PJL SET JOBATTR=\"@' CR=5\"\n"},
        LineCase{"nul_in_name_becomes_blank", "", "T\0PR=7 TCPR GCPR ICPR"s, "@PJL SET JOBATTR=\"@T PR=7\"\n"},
        LineCase{"only_first_100_digits", "", "TCPR GCPR ICPR" + Repeat(" ABCD=1", 101),
                 Attrs(Repeat("ABCD=1 ", 100))}),
    ParamName);

TEST(FeatureCapture, KeepsLastChoiceCutTo19Characters) {
  FilterArgs args("1", "", "");
  FeatureCapture capture;
  CaptureOutput([&] {
    for (const std::string line :
         {"*KQColorMode Black", "*KQColorMode Color", "*KQRGBImageTypeSuffix Photo", "*KQRGBInputProfile AdobeRGB",
          "*KQRGBCorrection ABCDEFGHIJKLMNOPQRSTUVWXYZ", "*KQEngineScreen Screen2", "*KQEngineScreen"}) {
      const std::string full = "%%BeginFeature: " + line;
      InspectLineForPJL(full.data(), full.size(), &capture, args.argv());
    }
  });
  EXPECT_STREQ(capture.color_mode, "Color");
  EXPECT_STREQ(capture.image_type, "Photo");
  EXPECT_STREQ(capture.input_profile, "AdobeRGB");
  EXPECT_STREQ(capture.rgb_correction, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_STREQ(capture.engine_screen, "Screen2");
}

using V = std::vector<int>;
struct ColourCase {
  const char *colour, *correction, *image_type, *profile, *screen;
  V triple, six;  // empty: none
};
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
  EXPECT_EQ(chosen.has_triple ? V(chosen.triple, chosen.triple + 3) : V{}, c.triple);
  EXPECT_EQ(chosen.has_six ? V(chosen.six, chosen.six + 6) : V{}, c.six);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ColourProcessingTest,
    ::testing::Values(ColourCase{"Color", "None", "Photo", "", "Auto", V{13, 13, 14}, V{13, 13, 14, 13, 13, 14}},
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
                      ColourCase{"Color", "AbsoluteC", "", "AdobeRGB", "Auto", V{55, 55, 56},
                                 V{55, 55, 56, 55, 55, 56}},
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
