// The comment module's header lines and the job-information comment block,
// beyond what the whole-filter cases show.
#include "infoblock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "comment.h"
#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

namespace {

PSOptionComment& C = psoptioncomment;

std::string Attr(const std::string& value) { return "@PJL SET JOBATTR=\"@" + value + "\"\n"; }

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

// Every line of the block is one PJL command: it begins with "@PJL", holds no
// control character other than its final line feed and no double quote, and
// is cut to 99 bytes.
TEST(CommentBlock, ValuesStayInsideTheirLine) {
  ScopedJobPPD ppd(TestPPD("*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n"));
  const std::string kLong(300, 'A');
  const struct {
    const char *numberUp, *volume;
  } rows[] = {{.numberUp = "2\n@PJL DEFAULT COPIES=99\n", .volume = "5\r\n@PJL RESET\r\nSheets"},
              {.numberUp = "2\"\x1B%-12345X", .volume = kLong.c_str()}};
  for (const auto& [numberUp, volume] : rows) {
    ResetJobState();
    CommentGetTicketFromPDE(JobArgs("").argv());
    std::snprintf(C.numberUp, kCommentTextSize, "%s", numberUp);
    std::snprintf(C.signature, kCommentTextSize, "%s", "BookletLeft");
    std::snprintf(C.signatureVolume, kCommentTextSize, "%s", volume);
    const std::string out = CaptureStdout(OutputQPJLCommandforComment);
    ASSERT_EQ(out.back(), '\n');
    int lines = 0;
    for (size_t start = 0, end; start < out.size(); start = end + 1, ++lines) {
      end = out.find('\n', start);
      const std::string line = out.substr(start, end - start);
      EXPECT_EQ(line.rfind("@PJL COMMENT KQJOBINFO ", 0), 0u) << MakeVisible(line);
      EXPECT_LT(line.size(), 100u);
      for (char ch : line) EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F || ch == '"') << line;
    }
    EXPECT_EQ(lines, 9);
  }
  EXPECT_NE(CaptureStdout(OutputQPJLCommandforComment).find("THRESHOLD[AAAAA"), std::string::npos);
}

}  // namespace
