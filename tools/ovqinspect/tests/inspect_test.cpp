// The inspector's framing rules over hand-written streams, and the program's
// exit status, table and Ghostscript page count.
#include "inspect.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "escapes.h"
#include "param_name.h"
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

// A stream whose header holds `line` after the code-set and job lines.
std::string Framed(const std::string& line) { return kHead + line + kEnter + kPostScript + kEnd; }

struct StreamCase {
  const char* name;
  std::string stream;  // escaped, see Unescape
  const char* error;   // expected part of the first error message; nullptr when well framed
};

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

const char* const kNoTrailer = "does not end with the PJL trailer";

INSTANTIATE_TEST_SUITE_P(
    Streams, FramingTest,
    testing::Values(
        StreamCase{"Minimal", Framed(""), nullptr}, StreamCase{"WithTicket", kTicket + Framed(""), nullptr},
        StreamCase{"NoCodeSetLine", "\\e%-12345X@PJL JOB MODE=PRINTER\\r\n" + kEnter + kPostScript + kEnd, nullptr},
        StreamCase{"EmptyPostScript", kHead + kEnter + kEnd, nullptr},
        StreamCase{"Utf8Value", Framed("@PJL SET USERNAME=\"J\\xC3\\xBCrgen\"\n"), nullptr},
        StreamCase{"EmptyStream", "", "no universal exit language sequence"},
        StreamCase{"PostScriptOnly", kPostScript, "no universal exit language sequence"},
        StreamCase{"JunkBeforeExitSequence", "junk" + Framed(""),
                   "does not begin with the universal exit language sequence"},
        StreamCase{"BrokenTicket", "<?xml version=\"1.0\"?>\n<qpif><job-template-attributes></qpif>\n" + Framed(""),
                   "not well formed"},
        StreamCase{"ForeignTicket", "<?xml version=\"1.0\"?>\n<other/>\n" + Framed(""), "root element"},
        StreamCase{"ControlCharacter", Framed("@PJL SET USERNAME=\"a\\x01b\"\n"), "control character 0x01"},
        StreamCase{"CarriageReturnInsideLine", Framed("@PJL SET HOLD=STORE\\rX\n"), "control character 0x0D"},
        StreamCase{"EscapeInsideLine", Framed("@PJL SET USERNAME=\"\\e\"\n"), "control character 0x1B"},
        StreamCase{"UnbalancedQuotes", Framed("@PJL SET JOBATTR=\"@JOAU=abc\n"), "unbalanced double quotes"},
        StreamCase{"LineRunsIntoNextCommand", Framed("@PJL SET BOXNUMBER=@PJL SET BOXENCRYPTKEY=\"1\"\\r\n"),
                   "\"@PJL\" again at column 20"},
        StreamCase{"FragmentWithBalancedQuotes", Framed("@PJL SET JOBATTR=\"@PJL SET JOBATTR=\"@JOEP=\"\"\\r\n"),
                   "\"@PJL\" again at column 19"},
        StreamCase{"NotAPJLLine", Framed("SET HOLD=STORE\n"), "does not begin with \"@PJL\""},
        StreamCase{"NoBlankAfterPrefix", Framed("@PJLSET HOLD=STORE\n"), "no blank after"},
        StreamCase{"LowerCaseCommand", Framed("@PJL set hold=store\n"), "no command word"},
        StreamCase{"NoJobLine", "\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n" + kEnter + kPostScript + kEnd,
                   "no \"@PJL JOB\" line"},
        StreamCase{"NoEnterLine", kHead + "\\e%-12345X@PJL EOJ\n", "no \"@PJL ENTER LANGUAGE=POSTSCRIPT\" line"},
        StreamCase{"HeaderLineWithoutEnd", "\\e%-12345X@PJL JOB MODE=PRINTER", "header line without a line end"},
        StreamCase{"NoEndOfTransmission", kHead + kEnter + kPostScript + "\\e%-12345X@PJL EOJ\n",
                   "no end-of-transmission byte"},
        StreamCase{"NoTrailer", kHead + kEnter + kPostScript + "\\x04", kNoTrailer},
        StreamCase{"TrailerWithoutLineFeed", kHead + kEnter + kPostScript + "\\x04\\e%-12345X@PJL EOJ", kNoTrailer},
        StreamCase{"BytesAfterTrailer", Framed("") + "more", kNoTrailer}),
    RowName());

TEST(FramingTest, ErrorOffsetPointsAtTheBadLineAndSizesAreMeasured) {
  std::string stream = Unescape(Framed("@PJL SET A=\"x\n"));
  ovqinspect::Inspection inspection = InspectStream(stream);
  ASSERT_FALSE(inspection.ok());
  EXPECT_EQ(inspection.errors.front().offset, stream.find("@PJL SET A="));
  inspection = InspectStream(Unescape(Framed("")));
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

class SettingTest : public testing::TestWithParam<LineCase> {};

TEST_P(SettingTest, SplitsTheLine) {
  const LineCase& c = GetParam();
  bool found = false;
  Setting s = SettingOfLine(c.line, found);
  ASSERT_EQ(found, c.found) << c.line;
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
                    LineCase{"@PJL ENTER LANGUAGE=POSTSCRIPT", true, "ENTER", "LANGUAGE", "POSTSCRIPT", false}));

TEST(CheckPJLLineTest, AcceptsTheBareCommandPrefix) { EXPECT_EQ(CheckPJLLine("@PJL"), ""); }

TEST(FormatTableTest, HidesSecretsUnlessAsked) {
  ovqinspect::Inspection inspection = InspectStream(Unescape(Framed("@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\n")));
  std::string hidden = ovqinspect::FormatTable(inspection, false);
  EXPECT_EQ(hidden.find("MTIzNA=="), std::string::npos);
  EXPECT_NE(hidden.find("(hidden)"), std::string::npos);
  EXPECT_NE(ovqinspect::FormatTable(inspection, true).find("MTIzNA=="), std::string::npos);
}

// The program itself. Two pages that Ghostscript can draw:
const std::string kDrawnPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (one) show\nshowpage\n%%Page: 2 2\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (two) show\nshowpage\n%%EOF\n";

struct ProgramCase {
  const char* name;
  std::vector<std::string> args;  // "FILE" stands for a file holding the input
  std::string input;              // raw bytes
  int status;
  std::vector<std::string> out;  // texts of standard output
  const char* err = "";          // text of standard error
};

RunResult Inspect(const std::vector<std::string>& args, const std::string& input) {
  RunSpec spec;
  spec.program = BinaryPath("ovqinspect");
  spec.args = args;
  spec.stdin_data = input;
  return RunProgram(spec);
}

class ProgramTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramTest, ExitStatusAndReport) {
  const ProgramCase& c = GetParam();
  TempDir dir;
  std::vector<std::string> args = c.args;
  for (std::string& arg : args) {
    if (arg == "FILE") WriteFile(arg = dir.File("job.prn"), c.input);
  }
  RunResult r = Inspect(args, c.input);
  EXPECT_EQ(r.exit_status, c.status) << r.err;
  for (const std::string& text : c.out) EXPECT_NE(r.out.find(text), std::string::npos) << text << "\n" << r.out;
  EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ProgramTest,
    testing::Values(
        ProgramCase{"WellFramedFile",
                    {"FILE"},
                    Unescape(Framed("@PJL SET HOLD=STORE\n")),
                    0,
                    {"HOLD", "STORE", "2 %%Page comment(s)"}},
        ProgramCase{"StandardInput", {"-"}, Unescape(Framed("")), 0, {}},
        ProgramCase{
            "FramingErrorWithOffset", {"-"}, Unescape(kHead + kEnter + kPostScript), 1, {}, "framing error at byte"},
        ProgramCase{"MissingFile", {"/nonexistent/job.prn"}, "", 2, {}},
        ProgramCase{"DpiWithoutValue", {"--dpi"}, "", 2, {}}, ProgramCase{"UnknownOption", {"--unknown"}, "", 2, {}},
        ProgramCase{"GhostscriptCountsTheWholeStream",
                    {"--pages", "-"},
                    Unescape(kTicket + kHead + kEnter) + kDrawnPages + Unescape(kEnd),
                    0,
                    {"Pages (Ghostscript): 2"}},
        ProgramCase{"PostScriptErrorExitsThree",
                    {"--pages", "-"},
                    Unescape(kHead + kEnter) + "%!PS\nnosuchoperator\n" + Unescape(kEnd),
                    3,
                    {},
                    "Ghostscript failed"}),
    RowName());

TEST(ProgramRender, RendersEachPageToPNG) {
  TempDir dir;
  RunResult r = Inspect({"--render", dir.File("pages"), "--dpi", "20", "-"},
                        Unescape(kHead + kEnter) + kDrawnPages + Unescape(kEnd));
  ASSERT_EQ(r.exit_status, 0) << r.err;
  for (const char* name : {"/pages/page-001.png", "/pages/page-002.png"}) {
    EXPECT_EQ(ReadFile(dir.path() + name).substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path() + "/pages/page-003.png"));
}

}  // namespace
