// Watermark: the start point, events without a stamp, and stamps that stay
// whole lines; the blocks of every event in full (first page only or every
// page) are golden cases.
#include "watermark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

WatermarkOptions& W = psOptionWatermark;

// Portrait A4, a 200 x 50 box, black at full density, 40-point Helvetica, every page.
void StandardWatermark() {
  ResetJobState();
  std::strcpy(W.name, "Confidential");
  std::strcpy(W.text, "(CONFIDENTIAL)");
  std::strcpy(W.font, "Helvetica");
  W.orientation = 1, W.fontSize = 40, W.density = 100;
  W.paperWidth = 595, W.paperHeight = 842;
  W.width = 200.0f, W.height = 50.0f;
}

std::string RunEvents(const std::vector<int>& events) {
  return CaptureStream([&](FILE* stream) {
    for (int event : events) WatermarkOutputPSCommandFromFilter(event, 1, stream);
  });
}

// The rotated box is centred on the page centre (297.5, 421) in portrait,
// (421, 297.5) in landscape: at 90, 180 and 270 degrees the centre moved by
// the half box (w = 100, h = 25) along the rotated axes; other angles from the
// formulas with cos and sin (s = 1 degree: cx + (w sin s + h cos s), cy - (w cos s
// - h sin s)). Outside 0..360 the offsets alone.
TEST(WatermarkStart, CentresTheRotatedBox) {
  const struct {
    int orientation, angle;
    float dx = 0, dy = 0, x, y;
  } rows[] = {
      {.orientation = 1, .angle = 45, .x = 244.467f, .y = 332.612f},
      {.orientation = 1, .angle = 91, .x = 324.241f, .y = 321.448f},
      {.orientation = 1, .angle = 271, .x = 270.759f, .y = 520.552f},
      {.orientation = 1, .angle = 400, .dx = 10.0f, .dy = -20.5f, .x = 10.0f, .y = -20.5f},
      {.orientation = 1, .angle = -1, .x = 0.0f, .y = 0.0f},      // an absent angle read as unsigned
      {.orientation = 0, .angle = 0, .x = -100.0f, .y = -25.0f},  // no known orientation: centre (0, 0)
  };
  for (const auto& row : rows) {
    StandardWatermark();
    W.orientation = row.orientation;
    W.angle = row.angle;
    float x = -1.0f, y = -1.0f;
    GetWatermarkPostion(&x, &y, 0, 200.0f, 50.0f, row.dx, row.dy);
    EXPECT_NEAR(x, row.x, 0.006) << row.orientation << " " << row.angle;
    EXPECT_NEAR(y, row.y, 0.006) << row.orientation << " " << row.angle;
  }
}

const std::vector<int> kAllEvents = {kEventBeginProlog, kEventEndPageSetup, kEventEndPage, kEventEndPageP};

TEST(WatermarkEvents, NothingForOtherEventsTypesOrWithoutName) {
  StandardWatermark();
  EXPECT_EQ(RunEvents({kEventEndProlog, kEventEndSetup, kEventSetPageDevice, kEventBeginPage, 0, 99}), "");
  W.type = -1;
  EXPECT_EQ(RunEvents(kAllEvents), "");
  W.type = 0;
  W.name[0] = '\0';
  EXPECT_EQ(RunEvents(kAllEvents), "");
}

// Every prologue of an every-page watermark gets the three lines; only the first
// one installs the EndPage procedure.
TEST(WatermarkEvents, EndPageResourceOnlyWithTheFirstPrologue) {
  StandardWatermark();
  const std::string out = RunEvents({kEventBeginProlog, kEventBeginProlog});
  auto count = [&out](const std::string& text) {
    size_t n = 0;
    for (size_t at = out.find(text); at != std::string::npos; at = out.find(text, at + 1)) ++n;
    return n;
  };
  EXPECT_EQ(count("%%BeginResource: procset kqxWatermark 1.0 0\n"), 1u) << out;
  EXPECT_EQ(count("/kqxbp{"), 2u) << out;
}

// Each stamp is seven whole lines, whatever its values; the text operand is one
// string: a valid one keeps its bytes; between the first "(" and the last ")",
// what would end it early or leave it open is escaped.
struct StampCase {
  const char* name;
  std::string text, font, line;  // `line`: found in the stamp
  float offset = 0;
};
class StampTest : public ::testing::TestWithParam<StampCase> {};

TEST_P(StampTest, ValuesStayOnTheirLines) {
  StandardWatermark();
  std::snprintf(W.text, sizeof W.text, "%s", GetParam().text.c_str());
  std::snprintf(W.font, sizeof W.font, "%s", GetParam().font.c_str());
  W.hOffset = GetParam().offset;
  const std::string out = RunEvents({kEventEndPage});
  EXPECT_NE(out.find(GetParam().line), std::string::npos) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 7);
}

const std::string kLongText = "(" + std::string(253, 'W') + ")";  // 255 bytes, the most the record holds
const std::string kLongFont(255, 'F');
const StampCase kStamps[] = {
    {.name = "valid_string_kept",
     .text = "(Draft (v2) \\(old\\) \\\\)",
     .font = "H",
     .line = "\n(Draft (v2) \\(old\\) \\\\) show\n"},
    {.name = "unbalanced_close", .text = "(Draft :))", .font = "H", .line = "\n(Draft :\\)) show\n"},
    {.name = "lone_backslash_at_end", .text = "(C:\\)", .font = "H", .line = "\n(C:\\\\) show\n"},
    {.name = "long_text", .text = kLongText, .font = "H", .line = "\n" + kLongText + " show\ngrestore\n"},
    {.name = "line_ends_and_code",
     .text = "(TOP\nSECRET\r) show erasepage (x)",
     .font = "Helvetica\nBold",
     .line = "\n/Helvetica Bold 40 selectfont\n197.50 396.00 moveto\n0 rotate\n(TOP SECRET \\) show erasepage \\(x) "
             "show\n"},
};
INSTANTIATE_TEST_SUITE_P(Values, StampTest, ::testing::ValuesIn(kStamps), RowName());

}  // namespace
