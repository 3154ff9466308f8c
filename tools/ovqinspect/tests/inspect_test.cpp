// The inspector's framing rules over hand-written streams, and the program's
// exit status, table and Ghostscript page count.
#include "inspect.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
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
const StreamCase kStreams[] = {
    {.name = "Utf8Value", .stream = Framed("@PJL SET USERNAME=\"J\\xC3\\xBCrgen\"\n"), .error = nullptr},
    {.name = "PostScriptOnly", .stream = kPostScript, .error = "no universal exit language sequence"},
    {.name = "JunkBefore", .stream = "junk" + Framed(""), .error = "does not begin with the universal exit language"},
    {.name = "BrokenTicket",
     .stream = "<?xml version=\"1.0\"?>\n<qpif><job-template-attributes></qpif>\n" + Framed(""),
     .error = "not well formed"},
    {.name = "ForeignTicket", .stream = "<?xml version=\"1.0\"?>\n<other/>\n" + Framed(""), .error = "root element"},
    {.name = "CarriageReturnInsideLine",
     .stream = Framed("@PJL SET HOLD=STORE\\rX\n"),
     .error = "control character 0x0D"},
    {.name = "UnbalancedQuotes",
     .stream = Framed("@PJL SET JOBATTR=\"@JOAU=abc\n"),
     .error = "unbalanced double quotes"},
    {.name = "FragmentWithBalancedQuotes",
     .stream = Framed("@PJL SET JOBATTR=\"@PJL SET JOBATTR=\"@JOEP=\"\"\\r\n"),
     .error = "\"@PJL\" again at column 19"},
    {.name = "NotAPJLLine", .stream = Framed("SET HOLD=STORE\n"), .error = "does not begin with \"@PJL\""},
    {.name = "NoBlankAfterPrefix", .stream = Framed("@PJLSET HOLD=STORE\n"), .error = "no blank after"},
    {.name = "LowerCaseCommand", .stream = Framed("@PJL set hold=store\n"), .error = "no command word"},
    {.name = "NoJobLine",
     .stream = "\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n" + kEnter + kPostScript + kEnd,
     .error = "no \"@PJL JOB\" line"},
    {.name = "NoEnterLine",
     .stream = kHead + "\\e%-12345X@PJL EOJ\n",
     .error = "no \"@PJL ENTER LANGUAGE=POSTSCRIPT\" line"},
    {.name = "HeaderLineWithoutEnd",
     .stream = "\\e%-12345X@PJL JOB MODE=PRINTER",
     .error = "header line without a line end"},
    {.name = "NoEndOfTransmission",
     .stream = kHead + kEnter + kPostScript + "\\e%-12345X@PJL EOJ\n",
     .error = "no end-of-transmission byte"},
    {.name = "BytesAfterTrailer", .stream = Framed("") + "more", .error = kNoTrailer},
};
INSTANTIATE_TEST_SUITE_P(Streams, FramingTest, testing::ValuesIn(kStreams), RowName());

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

// A line's group, name and value, and whether the value is a secret; lines
// that set nothing are not found.
TEST(SettingTest, SplitsTheLine) {
  const struct {
    const char *line, *setting;  // setting: group|name|value|secret, "" when not found
  } rows[] = {
      {.line = "@PJL SET USERNAME=\"bob\"", .setting = "SET|USERNAME|bob|0"},
      {.line = "@PJL SET JOBATTR=\"@JOAU=alice\"", .setting = "JOBATTR|@JOAU|alice|0"},
      {.line = "@PJL SET JOBATTR=\"@JOEP=\"", .setting = "JOBATTR|@JOEP||1"},
      {.line = "@PJL COMMENT KQJOBINFO JOBCOPIES=2", .setting = "KQJOBINFO|JOBCOPIES|2|0"},
      {.line = "@PJL COMMENT KQJOBINFO BEGIN", .setting = ""},
  };
  for (const auto& row : rows) {
    bool found = false;
    const Setting s = SettingOfLine(row.line, found);
    EXPECT_EQ(found ? s.group + "|" + s.name + "|" + s.value + "|" + (s.secret ? "1" : "0") : "", row.setting);
  }
  EXPECT_EQ(CheckPJLLine("@PJL"), "");
}

// The program itself. Two pages that Ghostscript can draw:
const std::string kDrawnPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (one) show\nshowpage\n%%Page: 2 2\n/Helvetica findfont 24 scalefont setfont\n"
    "72 700 moveto (two) show\nshowpage\n%%EOF\n";

struct ProgramCase {
  const char* name;
  const char* args;  // blank-separated; "FILE" stands for a file holding the input
  std::string input;
  int status;
  const char* text;  // found in standard output and error
};

RunResult Inspect(const std::vector<std::string>& args, const std::string& input) {
  return RunProgram({.program = BinaryPath("ovqinspect"), .args = args, .stdin_data = input});
}

class ProgramTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(ProgramTest, ExitStatusAndReport) {
  const ProgramCase& c = GetParam();
  TempDir dir;
  std::vector<std::string> args;
  std::istringstream words(c.args);
  for (std::string arg; words >> arg;) args.push_back(arg == "FILE" ? dir.File("job.prn") : arg);
  WriteFile(dir.File("job.prn"), c.input);
  const RunResult r = Inspect(args, c.input);
  EXPECT_EQ(r.exit_status, c.status) << r.err;
  EXPECT_NE((r.out + r.err).find(c.text), std::string::npos) << r.out << r.err;
}

const std::string kKey = "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\n";
const ProgramCase kRuns[] = {
    // The table hides secrets unless asked.
    {.name = "WellFramedFile", .args = "FILE", .input = Unescape(Framed(kKey)), .status = 0, .text = "(hidden)"},
    {.name = "SecretsShown",
     .args = "--show-secrets -",
     .input = Unescape(Framed(kKey)),
     .status = 0,
     .text = "MTIzNA=="},
    {.name = "FramingError",
     .args = "-",
     .input = Unescape(kHead + kEnter + kPostScript),
     .status = 1,
     .text = "framing error at byte"},
    {.name = "DpiWithoutValue", .args = "--dpi", .input = "", .status = 2, .text = "usage"},
    {.name = "PostScriptErrorExitsThree",
     .args = "--pages -",
     .input = Unescape(kHead + kEnter) + "%!PS\nnosuchoperator\n" + Unescape(kEnd),
     .status = 3,
     .text = "Ghostscript failed"},
};
INSTANTIATE_TEST_SUITE_P(Runs, ProgramTest, testing::ValuesIn(kRuns), RowName());

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
