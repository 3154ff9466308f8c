#include "watermark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "modules.h"
#include "filter_test_support.h"
#include "stream.h"

namespace {

// Portrait A4, a 200 x 50 box, black at full density, 40-point Helvetica.
void SetStandardWatermark() {
  psOptionWatermark = WatermarkOptions{};
  WatermarkOptions& w = psOptionWatermark;
  std::strcpy(w.name, "Confidential");
  std::strcpy(w.text, "(CONFIDENTIAL)");
  std::strcpy(w.font, "Helvetica");
  w.onlyFirst = 0;
  w.orientation = 1;
  w.paperWidth = 595;
  w.paperHeight = 842;
  w.type = 0;
  w.fontSize = 40;
  w.colorR = 0.0f;
  w.colorG = 0.0f;
  w.colorB = 0.0f;
  w.angle = 0;
  w.density = 100;
  w.width = 200.0f;
  w.height = 50.0f;
  w.hOffset = 0.0f;
  w.vOffset = 0.0f;
}

std::string RunEvents(const std::vector<int>& events) {
  return CaptureStream([&](FILE* stream) {
    for (int event : events) WatermarkOutputPSCommandFromFilter(event, 1, stream);
  });
}

const std::string kPrologue =
    "userdict/kqxInfo 2 dict dup begin\n"
    "/kqxpgsave 0 def\n"
    "/kqxbp{/kqxpgsave save restore} bind def\n";
const std::string kStampBody =
    "0.00 0.00 0.00 setrgbcolor\n"
    "/Helvetica 40 selectfont\n"
    "197.50 396.00 moveto\n"
    "0 rotate\n"
    "(CONFIDENTIAL) show\n"
    "grestore\n";
const std::string kStampEp = "pgsave restore /pgsave save store gsave\n" + kStampBody;
const std::string kStampEndp = "pm restore /pm save store gsave\n" + kStampBody;

class WatermarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetStandardWatermark();
    WatermarkResetFlags();
  }
};

// ---------------------------------------------------------------------------
// Start point: the rotated box is centred on the page centre (297.5, 421) in
// portrait, (421, 297.5) in landscape. At 90, 180 and 270 degrees the start
// point is the centre moved by the half box (w = 100, h = 25) along the rotated
// axes; 45 and the one-degree steps come from the formulas with cos and sin.

struct StartCase {
  int orientation;
  int angle;
  float x;
  float y;
};
std::ostream& operator<<(std::ostream& os, const StartCase& c) {
  return os << "orientation " << c.orientation << " angle " << c.angle;
}

class StartPointTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(StartPointTest, CentresTheRotatedBox) {
  SetStandardWatermark();
  psOptionWatermark.orientation = GetParam().orientation;
  psOptionWatermark.angle = GetParam().angle;
  float x = -1.0f;
  float y = -1.0f;
  GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, 0.0f, 0.0f);
  EXPECT_NEAR(x, GetParam().x, 0.006);
  EXPECT_NEAR(y, GetParam().y, 0.006);
}

INSTANTIATE_TEST_SUITE_P(
    Angles, StartPointTest,
    ::testing::Values(
        // Portrait: centre (297.5, 421).
        StartCase{1, 0, 197.5f, 396.0f},       // cx - w, cy - h
        StartCase{1, 45, 244.467f, 332.612f},  // 297.5 - 75 cos45, 421 - 125 sin45
        StartCase{1, 90, 322.5f, 321.0f},      // cx + h, cy - w
        StartCase{1, 91, 324.241f, 321.448f},  // s = 1 degree: cx + (w sin s + h cos s), cy - (w cos s - h sin s)
        StartCase{1, 180, 397.5f, 446.0f},     // cx + w, cy + h
        StartCase{1, 181, 397.052f, 447.741f},
        StartCase{1, 270, 272.5f, 521.0f},  // cx - h, cy + w
        StartCase{1, 271, 270.759f, 520.552f},
        StartCase{1, 360, 197.5f, 396.0f},
        StartCase{1, 400, 0.0f, 0.0f},  // outside 0..360: offsets alone
        StartCase{3, 0, 197.5f, 396.0f},
        // Landscape: width and height swap roles, centre (421, 297.5).
        StartCase{2, 0, 321.0f, 272.5f}, StartCase{2, 45, 367.967f, 209.112f}, StartCase{2, 90, 446.0f, 197.5f},
        StartCase{2, 91, 447.741f, 197.948f}, StartCase{2, 180, 521.0f, 322.5f},
        StartCase{2, 181, 520.552f, 324.241f}, StartCase{2, 270, 396.0f, 397.5f},
        StartCase{2, 271, 394.259f, 397.052f}, StartCase{2, 360, 321.0f, 272.5f}, StartCase{4, 400, 0.0f, 0.0f},
        StartCase{4, 90, 446.0f, 197.5f},
        // No known orientation: the centre is (0, 0).
        StartCase{0, 0, -100.0f, -25.0f},
        // An absent angle (-1) read as unsigned is out of range.
        StartCase{1, -1, 0.0f, 0.0f}));

TEST(StartPoint, AddsTheOffsets) {
  SetStandardWatermark();
  float x = 0.0f;
  float y = 0.0f;
  GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, 10.0f, -20.5f);
  EXPECT_FLOAT_EQ(x, 207.5f);
  EXPECT_FLOAT_EQ(y, 375.5f);
  psOptionWatermark.angle = 400;
  GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, 10.0f, -20.5f);
  EXPECT_FLOAT_EQ(x, 10.0f);
  EXPECT_FLOAT_EQ(y, -20.5f);
}

// ---------------------------------------------------------------------------
// Colour: 1 - (1 - C) x d / 100.

struct ColorCase {
  float color;
  int density;
  const char* text;
};
std::ostream& operator<<(std::ostream& os, const ColorCase& c) {
  return os << "colour " << c.color << " density " << c.density;
}

class ColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(ColorTest, AppliesTheDensity) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", WatermarkColorComponent(GetParam().color, GetParam().density));
  EXPECT_STREQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Densities, ColorTest,
                         ::testing::Values(ColorCase{0.0f, 100, "0.00"},  // full density: colour unchanged
                                           ColorCase{0.25f, 100, "0.25"}, ColorCase{0.0f, 0, "1.00"},
                                           ColorCase{0.7f, 0, "1.00"},    // density 0: white
                                           ColorCase{0.0f, 50, "0.50"},   // black at half: grey
                                           ColorCase{0.2f, 50, "0.60"},   // 1 - 0.8 x 0.5
                                           ColorCase{1.0f, 30, "1.00"},   // white stays white
                                           ColorCase{0.0f, -1, "1.01"}));  // absent density is used as -1

TEST_F(WatermarkTest, ColourLineCarriesEachComponent) {
  psOptionWatermark.colorR = 1.0f;
  psOptionWatermark.colorG = 0.5f;
  psOptionWatermark.colorB = 0.0f;
  psOptionWatermark.density = 50;
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find("\n1.00 0.75 0.50 setrgbcolor\n"), std::string::npos) << out;
}

// ---------------------------------------------------------------------------
// Events and flags.

TEST_F(WatermarkTest, EachAnsweredEventWritesItsBlock) {
  EXPECT_EQ(RunEvents({kEventBeginProlog}), kPrologue);
  EXPECT_EQ(RunEvents({kEventEndPageSetup}), "kqxbp\n");
  EXPECT_EQ(RunEvents({kEventEndPage}), kStampEp);
  EXPECT_EQ(RunEvents({kEventEndPageP}), kStampEndp);
}

TEST_F(WatermarkTest, OtherEventsWriteNothing) {
  EXPECT_EQ(RunEvents({kEventEndProlog, kEventEndSetup, kEventSetPageDevice, kEventBeginPage, 0, 99}), "");
}

TEST_F(WatermarkTest, EveryPageStampsEachOccurrence) {
  psOptionWatermark.onlyFirst = 0;
  const std::string out = RunEvents({kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageSetup,
                                     kEventEndPage, kEventEndPageP, kEventEndPageP});
  EXPECT_EQ(out, kPrologue + "kqxbp\n" + kStampEp + "kqxbp\n" + kStampEp + kStampEndp + kStampEndp);
}

class FirstPageOnlyTest : public WatermarkTest, public ::testing::WithParamInterface<int> {};

TEST_P(FirstPageOnlyTest, StampsOnlyTheFirstOccurrenceOfEachEvent) {
  psOptionWatermark.onlyFirst = GetParam();
  const std::string out = RunEvents({kEventBeginProlog, kEventBeginProlog, kEventEndPageSetup, kEventEndPage,
                                     kEventEndPageSetup, kEventEndPage, kEventEndPageP, kEventEndPageP});
  EXPECT_EQ(out, kPrologue + "kqxbp\n" + kStampEp + kStampEndp);
}

// 1 asks for the first page only; an absent key (-1) means the same.
INSTANTIATE_TEST_SUITE_P(Flags, FirstPageOnlyTest, ::testing::Values(1, -1, 7));

TEST_F(WatermarkTest, PagesEndingWithShowpageOnlyGetNoStamp) {
  // The stream pass raises no page-end event for "showpage".
  EXPECT_EQ(RunEvents({kEventBeginProlog, kEventEndPageSetup}), kPrologue + "kqxbp\n");
}

TEST_F(WatermarkTest, NoNameMeansNoWatermark) {
  psOptionWatermark.name[0] = '\0';
  EXPECT_EQ(RunEvents({kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageP}), "");
}

TEST_F(WatermarkTest, OnlyTextWatermarksAreDrawn) {
  for (int type : {1, 2, -1}) {
    psOptionWatermark.type = type;
    EXPECT_EQ(RunEvents({kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageP}), "") << type;
  }
}

TEST_F(WatermarkTest, StampFollowsTheSettings) {
  WatermarkOptions& w = psOptionWatermark;
  std::strcpy(w.font, "Times-Bold");
  w.fontSize = 72;
  w.angle = 90;
  w.orientation = 2;
  w.hOffset = 1.5f;
  w.vOffset = -2.0f;
  std::strcpy(w.text, "<48656c6c6f>");
  EXPECT_EQ(RunEvents({kEventEndPageP}),
            "pm restore /pm save store gsave\n"
            "0.00 0.00 0.00 setrgbcolor\n"
            "/Times-Bold 72 selectfont\n"
            "447.50 195.50 moveto\n"
            "90 rotate\n"
            "<48656c6c6f> show\n"
            "grestore\n");
}

// ---------------------------------------------------------------------------
// Each stamp line is written whole.

TEST_F(WatermarkTest, LongTextKeepsItsClosingParenthesisAndLineEnd) {
  std::string text = "(" + std::string(253, 'W') + ")";  // 255 bytes, the most the record holds
  std::strcpy(psOptionWatermark.text, text.c_str());
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find("\n" + text + " show\ngrestore\n"), std::string::npos) << out;
}

TEST_F(WatermarkTest, LongFontNameStaysOnItsLine) {
  const std::string font(255, 'F');
  std::strcpy(psOptionWatermark.font, font.c_str());
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find("\n/" + font + " 40 selectfont\n197.50 396.00 moveto\n"), std::string::npos) << out;
}

TEST_F(WatermarkTest, LineEndsInTheTextBecomeSpaces) {
  std::strcpy(psOptionWatermark.text, "(TOP\nSECRET\r) show erasepage (x)");
  std::strcpy(psOptionWatermark.font, "Helvetica\nBold");
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find("\n(TOP SECRET ) show erasepage (x) show\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n/Helvetica Bold 40 selectfont\n"), std::string::npos) << out;
  // Seven lines: nothing of the values escaped onto a line of its own.
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 7);
}

TEST_F(WatermarkTest, HugeNumbersStillGiveWholeLines) {
  psOptionWatermark.hOffset = 3.0e38f;
  psOptionWatermark.colorR = -3.0e38f;
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 7);
  EXPECT_NE(out.find(" moveto\n0 rotate\n"), std::string::npos) << out;
}

}  // namespace
