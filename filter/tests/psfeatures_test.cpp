// The buffered pass's PJL from the document: feature sections, name-value lines
// and the choice of the colour-processing values.
#include "psfeatures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

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
const std::string kRaster600 = "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n" + Attrs("DRDM=RASTER");
const std::string kMono = "*ColorDevice: False\n";

struct LineCase {
  const char* name;
  std::string line, out;
  std::string ppd_extra = "";
};
class DocumentPJLTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DocumentPJLTest, WritesLinesForDocumentLine) {
  const LineCase& c = GetParam();
  ScopedJobPPD ppd(TestPPD(c.ppd_extra));
  JobArgs args("");
  FeatureCapture capture;
  CapturedOutput r = CaptureOutput([&] { InspectLineForPJL(c.line.data(), c.line.size(), &capture, args.argv()); });
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
}

const std::string kSix = "TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62 ITRC=62";
const LineCase kLines[] = {
    {.name = "frame_mode_needs_its_star", .line = "%%BeginFeature: OVFrameMode True", .out = ""},
    {.name = "blanks_between_words_merge", .line = "%%BeginFeature:   *OVFrameMode   True", .out = kRaster600},
    {.name = "only_first_99_characters_count",
     .line = "%%BeginFeature: *OVFrameMode " + std::string(80, ' ') + "True",
     .out = ""},
    {.name = "prefix_must_start_the_line", .line = " %%BeginFeature: *OVFrameMode True", .out = ""},
    {.name = "mono_halftone_fineness",
     .line = "%%BeginFeature: *OVHalftone Fineness",
     .out = Attrs("TTRC=64 GTRC=64 ITRC=64 TSCR=64 GSCR=64 ISCR=64"),
     .ppd_extra = kMono},
    {.name = "halftone_needs_a_mono_device", .line = "%%BeginFeature: *OVHalftone Gradation", .out = ""},
    {.name = "comment_line_of_six_pairs", .line = "% " + kSix, .out = Attrs(kSix)},
    {.name = "third_digit_is_a_value_of_its_own", .line = "TCPR=123 GCPR ICPR", .out = Attrs("TCPR=12 PR=1=3")},
    {.name = "name_bytes_cannot_break_the_line",
     .line = "\"\tCR=5 TCPR GCPR ICPR",
     .out = "@PJL SET JOBATTR=\"@' CR=5\"\n"},
    {.name = "nul_in_name_becomes_blank", .line = "T\0PR=7 TCPR GCPR ICPR"s, .out = "@PJL SET JOBATTR=\"@T PR=7\"\n"},
};
INSTANTIATE_TEST_SUITE_P(Lines, DocumentPJLTest, ::testing::ValuesIn(kLines), RowName());

TEST(FeatureCapture, KeepsLastChoiceCutTo19Characters) {
  JobArgs args("");
  FeatureCapture capture;
  CaptureOutput([&] {
    for (const std::string line : {"*KQColorMode Black", "*KQColorMode Color", "*KQRGBImageTypeSuffix Photo",
                                   "*KQRGBCorrection ABCDEFGHIJKLMNOPQRSTUVWXYZ", "*KQEngineScreen"}) {
      const std::string full = "%%BeginFeature: " + line;
      InspectLineForPJL(full.data(), full.size(), &capture, args.argv());
    }
  });
  EXPECT_STREQ(capture.color_mode, "Color");
  EXPECT_STREQ(capture.image_type, "Photo");
  EXPECT_STREQ(capture.rgb_correction, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_STREQ(capture.engine_screen, "");
}

// `in`: colour mode, correction, image type, input profile, screen ("-": none);
// `out`: the triple and the six values ("-": none).
struct ColourCase {
  const char *name, *in, *out;
};
class ColourProcessingTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ColourProcessingTest, ChoosesValues) {
  FeatureCapture capture;
  char* fields[] = {capture.color_mode, capture.rgb_correction, capture.image_type, capture.input_profile,
                    capture.engine_screen};
  std::string in = GetParam().in;
  for (char*& field : fields) {
    const std::string word = in.substr(0, in.find(' '));
    in.erase(0, word.size() + 1);
    std::strcpy(field, word == "-" ? "" : word.c_str());
  }
  const ColourProcessing chosen = ChooseColourProcessing(capture);
  std::string out;
  for (int i = 0; i < 3 && chosen.has_triple; ++i) out += std::to_string(chosen.triple[i]) + " ";
  out += chosen.has_triple ? "|" : "- |";
  for (int i = 0; i < 6 && chosen.has_six; ++i) out += " " + std::to_string(chosen.six[i]);
  EXPECT_EQ(out + (chosen.has_six ? "" : " -"), GetParam().out);
}

const ColourCase kColours[] = {
    {.name = "photo_auto", .in = "Color None Photo - Auto", .out = "13 13 14 | 13 13 14 13 13 14"},
    {.name = "absolute_other_profile", .in = "Color AbsoluteC - Other Auto", .out = "- | -"},
    {.name = "black_photo_screen2", .in = "Black - Photo - Screen2", .out = "33 33 34 | 65 65 65 65 65 65"},
    {.name = "black_screen4", .in = "Black - - - Screen4", .out = "11 11 12 | -"},
};
INSTANTIATE_TEST_SUITE_P(Table, ColourProcessingTest, ::testing::ValuesIn(kColours), RowName());

}  // namespace
