// The comment module's header lines and the job-information comment block,
// beyond what the whole-filter cases show.
#include "infoblock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "comment.h"
#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

namespace {

PSOptionComment& C = psoptioncomment;

TEST(CommentLines, BookletOrientationBannerAndRegistration) {
  const struct {
    const char* numberUp;
    int orientation;
    const char* value;
  } booklet[] = {{.numberUp = "", .orientation = 4, .value = "PORTRAIT"},
                 {.numberUp = "2", .orientation = 6, .value = "LANDSCAPE"},
                 {.numberUp = "4", .orientation = 5, .value = "LANDSCAPE"},
                 {.numberUp = "25", .orientation = 4, .value = "LANDSCAPE"},
                 {.numberUp = "-2", .orientation = 1, .value = "PORTRAIT"}};
  for (const auto& row : booklet) {
    EXPECT_EQ(BookletOrientationLine(row.numberUp, row.orientation), Attr(std::string("DIND=") + row.value))
        << row.numberUp << " " << row.orientation;
  }
  // The secure-print test comes first; an unknown banner choice has no line.
  EXPECT_EQ(BannerSheetLine("Other", 2), Attr("BANR=OFF"));
  EXPECT_EQ(BannerSheetLine("PrintEndPage", 1), nullptr);
  // In tenths, rounded; a prefix of letters is dropped; three characters at most.
  const struct {
    const char *value, *text;
  } regi[] = {{.value = "-0.25", .text = "-3"},
              {.value = "Horizon-1.25", .text = "-13"},
              {.value = "-99.99", .text = "-10"},
              {.value = "9e9999", .text = "100"},
              {.value = "abc", .text = "0"}};
  for (const auto& row : regi) {
    char out[4] = {'x', 'x', 'x', 'x'};
    RegistrationNumberText(row.value, out);
    EXPECT_STREQ(out, row.text) << row.value;
  }
}

// The lines for the job's options, read and normalised as the ticket pass does.
struct LinesCase {
  const char* name;
  const std::string* ppd;  // nullptr: no PPD
  const char* options;
  void (*writer)();
  std::string lines;
};
class CommentLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(CommentLinesTest, WritesTheLines) {
  ScopedJobPPD ppd(GetParam().ppd != nullptr ? *GetParam().ppd : "");
  ResetJobState();
  CommentGetTicketFromPDE(JobArgs(GetParam().options).argv());
  EXPECT_EQ(MakeVisible(CaptureStdout(GetParam().writer)), MakeVisible(GetParam().lines));
}

const std::string kColorPPD = TestPPD("*ColorDevice: True\n" + PPDOption("OVColorMode", "Color", "Color Black"));
const std::string kColor = "@PJL SET RENDERMODE=COLOR\n";
const std::string kColorInfo = "@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n";
const std::string kOneUp = "@PJL COMMENT KQJOBINFO NUP=1\n";  // no layout: one page a sheet
const LinesCase kLines[] = {
    {.name = "weight_without_digit",
     .ppd = &kColorPPD,
     .options = "OVLineWeightAdjustment=Strongly",
     .writer = OutputQPJLCommandOthers,
     .lines = kColor},
    {.name = "edge_wins_over_sides",
     .ppd = &kColorPPD,
     .options = "DuplexBindingEdge..n.=2",
     .writer = OutputQPJLCommandforCommentBasic,
     .lines = "@PJL COMMENT KQJOBINFO DUPLEXTYPE=DUPLEX\n" + kColorInfo + kOneUp},
    {.name = "unknown_colour",
     .ppd = &kColorPPD,
     .options = "OVColorMode=Auto",
     .writer = OutputQPJLCommandforCommentBasic,
     .lines = "@PJL COMMENT KQJOBINFO DUPLEXTYPE=SIMPLEX\n" + kOneUp},
};
INSTANTIATE_TEST_SUITE_P(Options, CommentLinesTest, ::testing::ValuesIn(kLines), RowName());

// The block is wanted for a non-UTF-8 encoding, a listed model, or "CommentOn".
TEST(CommentCondition, FollowsEncodingModelAndCommentOn) {
  const std::string kUtf8 = "*KQPrinterLanguageEncoding: \"UTF-8\"\n";
  const struct {
    std::string attributes;  // "-": no PPD
    int wanted;
  } rows[] = {{.attributes = kUtf8 + "*CommentOn: \"False\"\n", .wanted = 0},
              {.attributes = "*PCFileName: \"OVQM350.PPD\"\n", .wanted = 1},  // a reserved model
              {.attributes = "-", .wanted = 0}};
  for (const auto& [attributes, wanted] : rows) {
    ScopedJobPPD ppd(attributes == "-" ? "" : TestPPD(attributes));
    EXPECT_EQ(IsCommentBlockWanted(), wanted) << attributes;
  }
}

// Each line of the block is cut to 99 bytes (values made safe inside their line
// are a whole-filter case).
TEST(CommentBlock, LinesAreCutTo99Bytes) {
  ScopedJobPPD ppd(TestPPD("*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n"));
  ResetJobState();
  CommentGetTicketFromPDE(JobArgs("").argv());
  std::snprintf(C.signature, kCommentTextSize, "%s", "BookletLeft");
  std::snprintf(C.signatureVolume, kCommentTextSize, "%s", std::string(300, 'A').c_str());
  const std::string out = CaptureStdout(OutputQPJLCommandforComment);
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) EXPECT_LT(line.size(), 100u) << line;
  EXPECT_NE(out.find("THRESHOLD[AAAAA"), std::string::npos) << out;
}

}  // namespace
