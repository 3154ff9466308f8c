// The inspector's framing rules over hand-written streams, and the program's
// exit status, table and Ghostscript page count.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "escapes.h"
#include "inspect.h"
#include "run_program.h"

namespace {

using ovqinspect::CheckPJLLine;
using ovqinspect::InspectStream;
using ovqinspect::Setting;
using ovqinspect::SettingOfLine;

const std::string kHead = "\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n@PJL JOB MODE=PRINTER\\r\n";
const std::string kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
const std::string kPostScript = "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n";
const std::string kEnd = "\\x04\\e%-12345X@PJL EOJ\n";
const std::string kTicket =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE qpif SYSTEM \"qpif-v02030a.dtd\">\n"
    "<qpif version=\"1.0\" cpss-version=\"2.01\" xml:lang=\"en-US\">\n  <job-template-attributes>\n"
    "  </job-template-attributes>\n</qpif>\n";

struct StreamCase {
  const char* name;
  std::string stream;  // escaped, see Unescape
  const char* error;   // expected part of the first error message; nullptr when well framed
};

void PrintTo(const StreamCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(const struct LineCase& c, std::ostream* os);

class FramingTest : public testing::TestWithParam<StreamCase> {};

TEST_P(FramingTest, ReportsTheFirstBrokenRule) {
  const StreamCase& c = GetParam();
  ovqinspect::Inspection inspection = InspectStream(Unescape(c.stream));
  if (c.error == nullptr) {
    EXPECT_TRUE(inspection.ok()) << inspection.errors.front().message;
  } else {
    ASSERT_FALSE(inspection.ok());
    EXPECT_NE(inspection.errors.front().message.find(c.error), std::string::npos)
        << "got: " << inspection.errors.front().message;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Streams, FramingTest,
    testing::Values(
        StreamCase{"Minimal", kHead + kEnter + kPostScript + kEnd, nullptr},
        StreamCase{"WithTicket", kTicket + kHead + kEnter + kPostScript + kEnd, nullptr},
        StreamCase{"NoCodeSetLine", "\\e%-12345X@PJL JOB MODE=PRINTER\\r\n" + kEnter + kPostScript + kEnd, nullptr},
        StreamCase{"EmptyPostScript", kHead + kEnter + kEnd, nullptr},
        StreamCase{"Utf8Value", kHead + "@PJL SET USERNAME=\"J\\xC3\\xBCrgen\"\n" + kEnter + kPostScript + kEnd,
                   nullptr},
        StreamCase{"EmptyStream", "", "no universal exit language sequence"},
        StreamCase{"PostScriptOnly", kPostScript, "no universal exit language sequence"},
        StreamCase{"JunkBeforeExitSequence", "junk" + kHead + kEnter + kPostScript + kEnd,
                   "does not begin with the universal exit language sequence"},
        StreamCase{"BrokenTicket", "<?xml version=\"1.0\"?>\n<qpif><job-template-attributes></qpif>\n" + kHead +
                                       kEnter + kPostScript + kEnd,
                   "not well formed"},
        StreamCase{"ForeignTicket", "<?xml version=\"1.0\"?>\n<other/>\n" + kHead + kEnter + kPostScript + kEnd,
                   "root element"},
        StreamCase{"ControlCharacter", kHead + "@PJL SET USERNAME=\"a\\x01b\"\n" + kEnter + kPostScript + kEnd,
                   "control character 0x01"},
        StreamCase{"CarriageReturnInsideLine", kHead + "@PJL SET HOLD=STORE\\rX\n" + kEnter + kPostScript + kEnd,
                   "control character 0x0D"},
        StreamCase{"EscapeInsideLine", kHead + "@PJL SET USERNAME=\"\\e\"\n" + kEnter + kPostScript + kEnd,
                   "control character 0x1B"},
        StreamCase{"UnbalancedQuotes", kHead + "@PJL SET JOBATTR=\"@JOAU=abc\n" + kEnter + kPostScript + kEnd,
                   "unbalanced double quotes"},
        StreamCase{"NotAPJLLine", kHead + "SET HOLD=STORE\n" + kEnter + kPostScript + kEnd,
                   "does not begin with \"@PJL\""},
        StreamCase{"NoBlankAfterPrefix", kHead + "@PJLSET HOLD=STORE\n" + kEnter + kPostScript + kEnd,
                   "no blank after"},
        StreamCase{"LowerCaseCommand", kHead + "@PJL set hold=store\n" + kEnter + kPostScript + kEnd,
                   "no command word"},
        StreamCase{"NoJobLine", "\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n" + kEnter + kPostScript + kEnd,
                   "no \"@PJL JOB\" line"},
        StreamCase{"NoEnterLine", kHead + "\\e%-12345X@PJL EOJ\n", "no \"@PJL ENTER LANGUAGE=POSTSCRIPT\" line"},
        StreamCase{"HeaderLineWithoutEnd", "\\e%-12345X@PJL JOB MODE=PRINTER", "header line without a line end"},
        StreamCase{"NoEndOfTransmission", kHead + kEnter + kPostScript + "\\e%-12345X@PJL EOJ\n",
                   "no end-of-transmission byte"},
        StreamCase{"NoTrailer", kHead + kEnter + kPostScript + "\\x04", "does not end with the PJL trailer"},
        StreamCase{"TrailerWithoutLineFeed", kHead + kEnter + kPostScript + "\\x04\\e%-12345X@PJL EOJ",
                   "does not end with the PJL trailer"},
        StreamCase{"BytesAfterTrailer", kHead + kEnter + kPostScript + kEnd + "more",
                   "does not end with the PJL trailer"}),
    [](const testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

TEST(FramingTest, ErrorOffsetPointsAtTheBadLine) {
  std::string stream = Unescape(kHead + "@PJL SET A=\"x\n" + kEnter + kPostScript + kEnd);
  ovqinspect::Inspection inspection = InspectStream(stream);
  ASSERT_FALSE(inspection.ok());
  EXPECT_EQ(inspection.errors.front().offset, stream.find("@PJL SET A="));
}

TEST(FramingTest, MeasuresThePostScriptAndCountsPageComments) {
  ovqinspect::Inspection inspection = InspectStream(Unescape(kHead + kEnter + kPostScript + kEnd));
  ASSERT_TRUE(inspection.ok());
  EXPECT_EQ(inspection.postscript_size, kPostScript.size());
  EXPECT_EQ(inspection.page_comments, 2);
  EXPECT_EQ(inspection.header_lines.size(), 3u);
}

struct LineCase {
  const char* line;
  bool found;
  const char* group;
  const char* name;
  const char* value;
  bool secret;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.line; }

class SettingTest : public testing::TestWithParam<LineCase> {};

TEST_P(SettingTest, SplitsTheLine) {
  const LineCase& c = GetParam();
  bool found = false;
  Setting s = SettingOfLine(c.line, found);
  ASSERT_EQ(found, c.found);
  if (!found) return;
  EXPECT_EQ(s.group, c.group);
  EXPECT_EQ(s.name, c.name);
  EXPECT_EQ(s.value, c.value);
  EXPECT_EQ(s.secret, c.secret);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SettingTest,
    testing::Values(LineCase{"@PJL SET HOLD=STORE", true, "SET", "HOLD", "STORE", false},
                    LineCase{"@PJL SET USERNAME=\"bob\"", true, "SET", "USERNAME", "bob", false},
                    LineCase{"@PJL SET JOBATTR=\"@JOAU=alice\"", true, "JOBATTR", "@JOAU", "alice", false},
                    LineCase{"@PJL SET JOBATTR=\"@JOEP=\"", true, "JOBATTR", "@JOEP", "", true},
                    LineCase{"@PJL SET HOLDENCRYPTKEY=\"MTIz\"", true, "SET", "HOLDENCRYPTKEY", "MTIz", true},
                    LineCase{"@PJL SET BOXENCRYPTKEY=\"99\"", true, "SET", "BOXENCRYPTKEY", "99", true},
                    LineCase{"@PJL COMMENT KQJOBINFO JOBCOPIES=2", true, "KQJOBINFO", "JOBCOPIES", "2", false},
                    LineCase{"@PJL COMMENT KQJOBINFO BEGIN", false, "", "", "", false},
                    LineCase{"@PJL COMMENT DATE=12/01/2026", true, "COMMENT", "DATE", "12/01/2026", false},
                    LineCase{"@PJL JOB MODE=PRINTER", true, "JOB", "MODE", "PRINTER", false},
                    LineCase{"@PJL ENTER LANGUAGE=POSTSCRIPT", true, "ENTER", "LANGUAGE", "POSTSCRIPT", false}),
    [](const testing::TestParamInfo<LineCase>& info) { return "Line" + std::to_string(info.index); });

TEST(CheckPJLLineTest, AcceptsTheBareCommandPrefix) { EXPECT_EQ(CheckPJLLine("@PJL"), ""); }

TEST(FormatTableTest, HidesSecretsUnlessAsked) {
  ovqinspect::Inspection inspection =
      InspectStream(Unescape(kHead + "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\n" + kEnter + kPostScript + kEnd));
  std::string hidden = ovqinspect::FormatTable(inspection, false);
  EXPECT_EQ(hidden.find("MTIzNA=="), std::string::npos);
  EXPECT_NE(hidden.find("(hidden)"), std::string::npos);
  EXPECT_NE(ovqinspect::FormatTable(inspection, true).find("MTIzNA=="), std::string::npos);
}

// The program itself.
RunResult Inspect(const std::vector<std::string>& args, const std::string& input = "") {
  RunSpec spec;
  spec.program = BinaryPath("ovqinspect");
  spec.args = args;
  spec.stdin_data = input;
  return RunProgram(spec);
}

// Two pages that Ghostscript can draw.
const std::string kDrawnPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (one) show\nshowpage\n%%Page: 2 2\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (two) show\nshowpage\n%%EOF\n";

TEST(ProgramTest, WellFramedStreamExitsZeroWithTheTable) {
  TempDir dir;
  WriteFile(dir.File("job.prn"), Unescape(kHead + "@PJL SET HOLD=STORE\n" + kEnter + kPostScript + kEnd));
  RunResult r = Inspect({dir.File("job.prn")});
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_NE(r.out.find("HOLD"), std::string::npos);
  EXPECT_NE(r.out.find("STORE"), std::string::npos);
  EXPECT_NE(r.out.find("2 %%Page comment(s)"), std::string::npos);
}

TEST(ProgramTest, ReadsStandardInput) {
  RunResult r = Inspect({"-"}, Unescape(kHead + kEnter + kPostScript + kEnd));
  EXPECT_EQ(r.exit_status, 0) << r.err;
}

TEST(ProgramTest, FramingErrorExitsOneWithTheOffset) {
  RunResult r = Inspect({"-"}, Unescape(kHead + kEnter + kPostScript));
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_NE(r.err.find("framing error at byte"), std::string::npos) << r.err;
}

TEST(ProgramTest, MissingFileAndBadUsageExitTwo) {
  EXPECT_EQ(Inspect({"/nonexistent/job.prn"}).exit_status, 2);
  EXPECT_EQ(Inspect({"--dpi"}).exit_status, 2);
  EXPECT_EQ(Inspect({"--unknown"}).exit_status, 2);
}

TEST(ProgramTest, GhostscriptCountsThePagesOfTheWholeStream) {
  RunResult r = Inspect({"--pages", "-"}, Unescape(kTicket + kHead + kEnter) + kDrawnPages + Unescape(kEnd));
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_NE(r.out.find("Pages (Ghostscript): 2"), std::string::npos) << r.out;
}

TEST(ProgramTest, PostScriptErrorExitsThree) {
  RunResult r = Inspect({"--pages", "-"}, Unescape(kHead + kEnter) + "%!PS\nnosuchoperator\n" + Unescape(kEnd));
  EXPECT_EQ(r.exit_status, 3);
  EXPECT_NE(r.err.find("Ghostscript failed"), std::string::npos) << r.err;
}

TEST(ProgramTest, RendersEachPageToPNG) {
  TempDir dir;
  RunResult r = Inspect({"--render", dir.File("pages"), "--dpi", "20", "-"},
                        Unescape(kHead + kEnter) + kDrawnPages + Unescape(kEnd));
  ASSERT_EQ(r.exit_status, 0) << r.err;
  for (const char* name : {"/pages/page-001.png", "/pages/page-002.png"}) {
    std::string png = ReadFile(dir.path() + name);
    ASSERT_GE(png.size(), 8u) << name;
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/pages/page-003.png"));
}

}  // namespace
