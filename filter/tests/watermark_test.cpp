#include "watermark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "filter_test_support.h"
#include "modules.h"
#include "param_name.h"
#include "stream.h"

namespace {

WatermarkOptions& W = psOptionWatermark;

// Portrait A4, a 200 x 50 box, black at full density, 40-point Helvetica.
void SetStandardWatermark() {
  W = WatermarkOptions{};
  std::strcpy(W.name, "Confidential");
  std::strcpy(W.text, "(CONFIDENTIAL)");
  std::strcpy(W.font, "Helvetica");
  W.onlyFirst = W.type = W.angle = 0;
  W.colorR = W.colorG = W.colorB = W.hOffset = W.vOffset = 0.0f;
  W.orientation = 1, W.fontSize = 40, W.density = 100;
  W.paperWidth = 595, W.paperHeight = 842;
  W.width = 200.0f, W.height = 50.0f;
}

std::string RunEvents(const std::vector<int>& events) {
  return CaptureStream([&](FILE* stream) {
    for (int event : events) WatermarkOutputPSCommandFromFilter(event, 1, stream);
  });
}

// ---- Start point: the rotated box is centred on the page centre (297.5, 421) in
// portrait, (421, 297.5) in landscape. At 90, 180 and 270 degrees the start
// point is the centre moved by the half box (w = 100, h = 25) along the rotated
// axes; 45 and the one-degree steps come from the formulas with cos and sin.

using StartCase = std::tuple<int, int, float, float>;  // orientation, angle, x, y
class StartPointTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartPointTest, CentresTheRotatedBox) {
  SetStandardWatermark();
  float x = -1.0f, y = -1.0f;
  std::tie(W.orientation, W.angle, std::ignore, std::ignore) = GetParam();
  GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, 0.0f, 0.0f);
  EXPECT_NEAR(x, std::get<2>(GetParam()), 0.006);
  EXPECT_NEAR(y, std::get<3>(GetParam()), 0.006);
}

INSTANTIATE_TEST_SUITE_P(Angles, StartPointTest,
                         ::testing::ValuesIn(std::vector<StartCase>{
                             {1, 0, 197.5f, 396.0f},       // cx - w, cy - h
                             {1, 45, 244.467f, 332.612f},  // 297.5 - 75 cos45, 421 - 125 sin45
                             {1, 90, 322.5f, 321.0f},      // cx + h, cy - w
                             {1, 91, 324.241f,
                              321.448f},  // s = 1 degree: cx + (w sin s + h cos s), cy - (w cos s - h sin s)
                             {1, 180, 397.5f, 446.0f},  // cx + w, cy + h
                             {1, 181, 397.052f, 447.741f},
                             {1, 270, 272.5f, 521.0f},  // cx - h, cy + w
                             {1, 271, 270.759f, 520.552f},
                             {1, 360, 197.5f, 396.0f},
                             {1, 400, 0.0f, 0.0f},  // outside 0..360: offsets alone
                             {3, 0, 197.5f, 396.0f},
                             // Landscape: width and height swap roles, centre (421, 297.5).
                             {2, 0, 321.0f, 272.5f},
                             {2, 45, 367.967f, 209.112f},
                             {2, 90, 446.0f, 197.5f},
                             {2, 91, 447.741f, 197.948f},
                             {2, 180, 521.0f, 322.5f},
                             {2, 181, 520.552f, 324.241f},
                             {2, 270, 396.0f, 397.5f},
                             {2, 271, 394.259f, 397.052f},
                             {2, 360, 321.0f, 272.5f},
                             {4, 400, 0.0f, 0.0f},
                             {4, 90, 446.0f, 197.5f},
                             {0, 0, -100.0f, -25.0f},  // no known orientation: the centre is (0, 0)
                             {1, -1, 0.0f, 0.0f}}));   // an absent angle (-1) read as unsigned is out of range

// Offsets are added to the start point (golden cases); outside 0..360 they are all of it.
TEST(StartPoint, OutOfRangeAngleGivesTheOffsetsAlone) {
  SetStandardWatermark();
  W.angle = 400;
  float x = 0.0f, y = 0.0f;
  GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, 10.0f, -20.5f);
  EXPECT_FLOAT_EQ(x, 10.0f);
  EXPECT_FLOAT_EQ(y, -20.5f);
}

// ---- Colour: 1 - (1 - C) x d / 100.

using ColorCase = std::tuple<float, int, const char*>;  // colour, density, component
class ColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTest, AppliesTheDensity) {
  const auto [color, density, expected] = GetParam();
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", WatermarkColorComponent(color, density));
  EXPECT_STREQ(text, expected);
}

INSTANTIATE_TEST_SUITE_P(Densities, ColorTest,
                         ::testing::ValuesIn(std::vector<ColorCase>{
                             {0.0f, 100, "0.00"},
                             {0.25f, 100, "0.25"},  // full density: colour unchanged
                             {0.0f, 0, "1.00"},
                             {0.7f, 0, "1.00"},  // density 0: white
                             {0.0f, 50, "0.50"},
                             {0.2f, 50, "0.60"},     // 1 - 0.8 x 0.5
                             {1.0f, 30, "1.00"},     // white stays white
                             {0.0f, -1, "1.01"}}));  // absent density is used as -1

// ---- Events and flags. The blocks of every event in full are golden cases.

class WatermarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WatermarkResetState();
    SetStandardWatermark();
  }
};

const std::vector<int> kAllEvents = {kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageP};

// 1 asks for the first page only; an absent key (-1) or any other value means the same.
class FirstPageOnlyTest : public WatermarkTest, public ::testing::WithParamInterface<int> {};

TEST_P(FirstPageOnlyTest, StampsOnlyTheFirstOccurrenceOfEachEvent) {
  W.onlyFirst = GetParam();
  const std::string once = RunEvents(kAllEvents);
  WatermarkResetState();
  SetStandardWatermark();
  W.onlyFirst = GetParam();
  EXPECT_EQ(RunEvents({kEventBeginProlog, kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageSetup,
                       kEventEndPage, kEventEndPageP, kEventEndPageP}),
            once);
  EXPECT_NE(once.find("kqxbp\n"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Flags, FirstPageOnlyTest, ::testing::Values(1, -1, 7));

TEST_F(WatermarkTest, NothingForOtherEventsTypesOrWithoutName) {
  EXPECT_EQ(RunEvents({kEventEndProlog, kEventEndSetup, kEventSetPageDevice, kEventBeginPage, 0, 99}), "");
  for (int type : {1, 2, -1}) {
    W.type = type;
    EXPECT_EQ(RunEvents(kAllEvents), "") << type;
  }
  W.type = 0;
  W.name[0] = '\0';
  EXPECT_EQ(RunEvents(kAllEvents), "");
}

// ---- Each stamp is seven whole lines, whatever its values.

using LinesCase = std::pair<void (*)(), std::vector<std::string>>;  // setup, lines found in the stamp
class StampLinesTest : public WatermarkTest, public ::testing::WithParamInterface<LinesCase> {};

TEST_P(StampLinesTest, ValuesStayOnTheirLines) {
  GetParam().first();
  const std::string out = RunEvents({kEventEndPage});
  for (const std::string& line : GetParam().second) EXPECT_NE(out.find(line), std::string::npos) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 7);
}

const std::string kLongText = "(" + std::string(253, 'W') + ")";  // 255 bytes, the most the record holds
const std::string kLongFont(255, 'F');

INSTANTIATE_TEST_SUITE_P(Values, StampLinesTest,
                         ::testing::ValuesIn(std::vector<LinesCase>{
                             {[] { std::strcpy(W.text, kLongText.c_str()); }, {"\n" + kLongText + " show\ngrestore\n"}},
                             {[] { std::strcpy(W.font, kLongFont.c_str()); },
                              {"\n/" + kLongFont + " 40 selectfont\n197.50 396.00 moveto\n"}},
                             {[] {
                                std::strcpy(W.text, "(TOP\nSECRET\r) show erasepage (x)");
                                std::strcpy(W.font, "Helvetica\nBold");
                              },
                              {"\n(TOP SECRET \\) show erasepage \\(x) show\n", "\n/Helvetica Bold 40 selectfont\n"}},
                             {[] {
                                W.hOffset = 3.0e38f;
                                W.colorR = -3.0e38f;
                              },
                              {" moveto\n0 rotate\n"}}}));

// ---- The text operand is one string: a valid one keeps its bytes; between the
// first "(" and the last ")", what would end it early or leave it open is escaped.

struct OperandRow {
  const char* name;
  const char* text;
  const char* operand;
};
class TextOperandTest : public WatermarkTest, public ::testing::WithParamInterface<OperandRow> {};

TEST_P(TextOperandTest, IsWrittenAsOneString) {
  std::strcpy(W.text, GetParam().text);
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find(std::string("\n") + GetParam().operand + " show\n"), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(Texts, TextOperandTest,
                         ::testing::ValuesIn(std::vector<OperandRow>{
                             {"valid_string_kept", "(Draft (v2) \\(old\\) \\\\)", "(Draft (v2) \\(old\\) \\\\)"},
                             {"unbalanced_close", "(Draft :))", "(Draft :\\))"},
                             {"unbalanced_open", "(Draft :()", "(Draft :\\()"},
                             {"lone_backslash_at_end", "(C:\\)", "(C:\\\\)"},
                             {"code_after_string", "(x) show erasepage (y)", "(x\\) show erasepage \\(y)"},
                             {"open_without_close", "(Draft (v2", "(Draft \\(v2)"},
                             {"no_string", "<4452414654>", "<4452414654>"}}),
                         RowName());

// Every prologue of an every-page watermark gets the three lines; only the first
// one installs the EndPage procedure.
TEST_F(WatermarkTest, EndPageResourceOnlyWithTheFirstPrologue) {
  const std::string out = RunEvents({kEventBeginProlog, kEventBeginProlog});
  auto count = [&out](const std::string& text) {
    size_t n = 0;
    for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("%%BeginResource: procset kqxWatermark 1.0 0\n"), 1u) << out;
  EXPECT_EQ(count("/kqxbp{"), 2u) << out;
}

}  // namespace
