// Bad input for the real filter, one row per case with its defined outcome: the
// filter never crashes or hangs, writes nothing but the stream (and PAGE lines),
// and its stream is what the failure rules say.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "escapes.h"
#include "inspect.h"
#include "jobflow.h"
#include "run_program.h"

namespace {

const std::string kTrailer = "\x1b%-12345X@PJL EOJ\n";
const std::string kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";

// Pages `first` to `last`; each carries `padding` bytes of comment lines so that
// the filter's output reaches the pipe while the document is still being read.
std::string Pages(int first, int last, size_t padding = 0) {
  std::string ps;
  for (int p = first; p <= last; ++p) {
    std::string n = std::to_string(p);
    ps += "%%Page: " + n + " " + n + "\n";
    for (size_t done = 0; done < padding; done += 64) ps += "%" + std::string(62, 'p') + "\n";
    ps += "/Helvetica findfont 20 scalefont setfont 72 700 moveto (Page " + n + ") show\nshowpage\n";
  }
  return ps;
}

const std::string kHeader = "%!PS-Adobe-3.0\n%%EndComments\n";
const std::string kEOF = "%%EOF\n";

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

enum class Ppd { kNone, kMissing, kFolder, kGarbage, kDirect, kBuffered };
enum class Input { kDocument, kMissing, kFolder, kEmpty, kBinary, kHugeLine, kCancelledStdin };

struct BadInput {
  const char* name;
  Ppd ppd;
  Input input;
  std::string user = "alice";
  std::string title = "Report";
  std::string options = {};
  bool close_stdout = false;
  int exit_status = 0;
  bool framed = true;                 // the inspector accepts the stream
  bool document_intact = true;        // the PostScript part equals the input
  std::vector<std::string> expected = {};  // escaped texts of the stream
  std::vector<std::string> absent = {};    // escaped texts the stream must not hold
  std::string ends_with = {};              // escaped end of the stream
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

struct Outcome {
  std::string out, err;
  int exit_status = -1;
  int term_signal = 0;
};

// Options longer than the kernel lets a program argument be (128 KiB) cannot
// reach the binary; such rows run the filter's entry in a child process.
constexpr size_t kLongestArgument = 128 * 1024;

Outcome RunInChild(const std::vector<std::string>& args, const std::string& ppd, const TempDir& dir) {
  Outcome outcome;
  std::string out_path = dir.File("child.out"), err_path = dir.File("child.err");
  pid_t pid = fork();
  if (pid == 0) {
    if (ppd.empty()) {
      unsetenv("PPD");
    } else {
      setenv("PPD", ppd.c_str(), 1);
    }
    if (!freopen(out_path.c_str(), "wb", stdout) || !freopen(err_path.c_str(), "wb", stderr)) _exit(99);
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    int status = FilterMain(static_cast<int>(copy.size()), argv.data());
    std::fflush(stdout);
    _exit(status);
  }
  int status = 0;
  for (int i = 0; i < 1200 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(100000);
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  outcome.out = ReadFile(out_path);
  outcome.err = ReadFile(err_path);
  if (WIFEXITED(status)) outcome.exit_status = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) outcome.term_signal = WTERMSIG(status);
  return outcome;
}

// "kq", fourteen digits of local time, ".job".
bool IsJobCopy(const std::string& name) {
  return name.size() == 20 && name.rfind("kq", 0) == 0 && name.substr(16) == ".job" &&
         name.find_first_not_of("0123456789", 2) == 16;
}

class FilterBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(FilterBadInput, HasItsDefinedOutcome) {
  const BadInput& c = GetParam();
  TempDir dir;
  TempDir tmp;  // the filter's TMPDIR: empty again after the run
  std::string ppd;
  switch (c.ppd) {
    case Ppd::kNone: break;
    case Ppd::kMissing: ppd = dir.File("missing.ppd"); break;
    case Ppd::kFolder: ppd = dir.path(); break;
    case Ppd::kGarbage:
      ppd = dir.File("garbage.ppd");
      WriteFile(ppd, "*PPD-Adobe: \"4.3\"\n" + RandomBytes(4096, 7));
      break;
    case Ppd::kDirect: ppd = SourcePath("ppd/OVQC300.ppd"); break;
    case Ppd::kBuffered: ppd = SourcePath("ppd/OVQC500.ppd"); break;
  }
  std::string document;
  std::string input = dir.File("job.ps");
  RunSpec spec;
  switch (c.input) {
    case Input::kDocument: document = kHeader + Pages(1, 2) + kEOF; break;
    case Input::kMissing: input = dir.File("missing.ps"); break;
    case Input::kFolder: input = dir.path(); break;
    case Input::kEmpty: break;
    case Input::kBinary: document = RandomBytes(64 * 1024, 11); break;
    case Input::kHugeLine: document = "%!PS\n%" + std::string(100u << 20, 'A') + "\nshowpage\n"; break;
    case Input::kCancelledStdin:
      // SIGTERM once the filter has written page 2, then the rest of the job.
      spec.stdin_data = kHeader + Pages(1, 3, 16 * 1024);
      spec.signal_marker = "%%Page: 2 2\n";
      spec.signal_number = SIGTERM;
      spec.stdin_after_signal = Pages(4, 8, 16 * 1024) + kEOF;
      break;
  }
  if (c.input != Input::kMissing && c.input != Input::kFolder && c.input != Input::kCancelledStdin) {
    WriteFile(input, document);
  }
  std::vector<std::string> args = {"7", c.user, c.title, "1", c.options};
  if (c.input != Input::kCancelledStdin) args.push_back(input);

  Outcome r;
  if (c.options.size() >= kLongestArgument) {
    args.insert(args.begin(), BinaryPath("ovqfilter"));
    setenv("TMPDIR", tmp.path().c_str(), 1);
    r = RunInChild(args, ppd, dir);
    unsetenv("TMPDIR");
  } else {
    // Hangs end at the time limit of `timeout`, which then reports 124.
    spec.program = c.input == Input::kCancelledStdin ? BinaryPath("ovqfilter") : "/usr/bin/timeout";
    spec.args = args;
    if (c.input != Input::kCancelledStdin) spec.args.insert(spec.args.begin(), {"-s", "KILL", "300", BinaryPath("ovqfilter")});
    if (ppd.empty()) {
      spec.env["PPD"] = std::nullopt;
    } else {
      spec.env["PPD"] = ppd;
    }
    spec.env["TMPDIR"] = tmp.path();
    spec.close_stdout = c.close_stdout;
    RunResult run = RunProgram(spec);
    r = {run.out, run.err, run.exit_status, run.term_signal};
  }

  EXPECT_EQ(r.term_signal, 0) << "the filter was killed by signal " << r.term_signal;
  EXPECT_NE(r.exit_status, 124) << "the filter hung";
  EXPECT_EQ(r.exit_status, c.exit_status);
  // Standard error carries page lines only.
  size_t at = 0;
  while (at < r.err.size()) {
    size_t end = r.err.find('\n', at);
    std::string line = r.err.substr(at, end == std::string::npos ? std::string::npos : end - at);
    EXPECT_EQ(line.rfind("PAGE:", 0), 0u) << "standard error: " << MakeVisible(line.substr(0, 200));
    at = end == std::string::npos ? r.err.size() : end + 1;
  }
  // Nothing is left behind in the filter's temporary folder but, while the
  // flag file exists (other tests set it), the diagnostic job copy.
  for (const auto& entry : std::filesystem::directory_iterator(tmp.path())) {
    EXPECT_TRUE(IsJobCopy(entry.path().filename().string())) << "left in TMPDIR: " << entry.path();
  }
  if (c.close_stdout) return;

  std::string head = MakeVisible(r.out.substr(0, 3000));
  for (const std::string& text : c.expected) {
    EXPECT_NE(r.out.find(Unescape(text)), std::string::npos) << "missing: " << text << "\n" << head;
  }
  for (const std::string& text : c.absent) {
    EXPECT_EQ(r.out.find(Unescape(text)), std::string::npos) << "present: " << text << "\n" << head;
  }
  if (!c.ends_with.empty()) {
    std::string end = Unescape(c.ends_with);
    ASSERT_GE(r.out.size(), end.size());
    EXPECT_EQ(MakeVisible(r.out.substr(r.out.size() - end.size())), MakeVisible(end));
  }
  ovqinspect::Inspection inspection = ovqinspect::InspectStream(r.out);
  if (c.framed) {
    EXPECT_TRUE(inspection.ok()) << inspection.errors.front().message << "\n" << head;
  }
  for (const std::string& line : inspection.header_lines) {
    EXPECT_LE(line.size(), 229u) << line.substr(0, 80);
  }
  if (c.document_intact && inspection.ok()) {
    EXPECT_TRUE(r.out.substr(inspection.postscript_offset, inspection.postscript_size) == document)
        << "the document changed on its way";
  }
}

std::string Repeat(const std::string& text, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i) out += text;
  return out;
}

std::vector<BadInput> Cases() {
  const std::string no_document_direct = "@PJL ENTER LANGUAGE=POSTSCRIPT\n\\e%-12345X@PJL EOJ\n";
  std::vector<BadInput> cases;
  auto add = [&](BadInput c) { cases.push_back(std::move(c)); };
  // Without a usable PPD the filter runs as with a PPD that has no attribute:
  // no code-set line, no comment block, grayscale, the direct pass.
  for (auto [name, ppd] : {std::pair{"NoPPDVariable", Ppd::kNone}, std::pair{"MissingPPD", Ppd::kMissing},
                           std::pair{"FolderAsPPD", Ppd::kFolder}, std::pair{"GarbagePPD", Ppd::kGarbage}}) {
    BadInput c{name, ppd, Input::kDocument};
    c.expected = {"\\e%-12345X@PJL JOB MODE=PRINTER\\r\n", "@PJL SET RENDERMODE=GRAYSCALE\n", kEnter};
    c.absent = {"STRINGCODESET", "KQJOBINFO"};
    c.ends_with = "%%EOF\n\\x04\\e%-12345X@PJL EOJ\n";
    add(c);
  }
  {
    BadInput c{"MissingInputFile", Ppd::kDirect, Input::kMissing};
    c.framed = false;  // no document, so no end-of-transmission byte
    c.ends_with = no_document_direct;
    add(c);
  }
  {
    BadInput c{"MissingInputFileBufferedPass", Ppd::kBuffered, Input::kMissing};
    c.framed = false;
    c.absent = {"ENTER LANGUAGE"};
    c.ends_with = "@PJL COMMENT KQJOBINFO END\n\\e%-12345X@PJL EOJ\n";
    add(c);
  }
  {
    BadInput c{"FolderAsInputFile", Ppd::kDirect, Input::kFolder};
    c.framed = false;
    c.document_intact = false;
    c.expected = {kEnter};
    c.absent = {"%!PS"};
    add(c);
  }
  {
    BadInput c{"EmptyInputFile", Ppd::kDirect, Input::kEmpty};
    c.ends_with = "@PJL ENTER LANGUAGE=POSTSCRIPT\n\\x04\\e%-12345X@PJL EOJ\n";
    add(c);
  }
  {
    BadInput c{"EmptyInputFileBufferedPass", Ppd::kBuffered, Input::kEmpty};
    c.framed = false;  // an empty document gets no end-of-transmission byte on this pass
    c.ends_with =
        "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n"
        "@PJL ENTER LANGUAGE=POSTSCRIPT\n\\e%-12345X@PJL EOJ\n";
    add(c);
  }
  add(BadInput{"BinaryInputWithNulBytes", Ppd::kDirect, Input::kBinary});
  add(BadInput{"BinaryInputWithNulBytesBufferedPass", Ppd::kBuffered, Input::kBinary});
  add(BadInput{"OneLineOf100MiB", Ppd::kDirect, Input::kHugeLine});
  {
    BadInput c{"OptionStringOf1MiB", Ppd::kDirect, Input::kDocument};
    c.options = "nvxjobs.printsettings.PrintTypeTicketKey=2 nvxjobs.printsettings.PrintTypeUserNameTicketKey=" +
                std::string(1u << 20, 'u');
    c.expected = {"@PJL SET HOLD=STORE\n", "@PJL SET USERNAME=\"" + std::string(72, 'u') + "\"\\r\n"};
    add(c);
  }
  {
    BadInput c{"OptionStringOf1MiBManyOptions", Ppd::kDirect, Input::kDocument};
    c.options = Repeat("nvxjobs.printsettings.WMARKTextTicket=(x) sides=one-sided OVStaple=Left ", 14000);
    add(c);
  }
  {
    BadInput c{"InvalidUtf8User", Ppd::kDirect, Input::kDocument};
    c.user = "\xff\xfe" "ab";
    c.expected = {"@PJL SET JOBATTR=\"@LUNA=UnknownUser\"\n"};
    c.absent = {"\\xFF"};
    add(c);
  }
  {
    BadInput c{"InvalidUtf8Title", Ppd::kDirect, Input::kDocument};
    c.title = "Report \xc3\x28";
    c.options = "nvxjobs.printsettings.PrintTypeTicketKey=3 nvxjobs.printsettings.PrintTypeUserNameTicketKey=bob "
                "nvxjobs.printsettings.DocumentNameTypeTicketKey=1 "
                "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=1";
    c.expected = {"@PJL SET HOLD=PROOF\n"};
    c.absent = {"JOBNAME", "DNAME", "\\xC3"};
    add(c);
  }
  {
    BadInput c{"InvalidUtf8Options", Ppd::kDirect, Input::kDocument};
    c.options = "nvxjobs.printsettings.PrintTypeTicketKey=2 nvxjobs.printsettings.PrintTypeUserNameTicketKey=\xe2\x82 "
                "OVStaple=\xff";
    c.absent = {"HOLD=STORE", "USERNAME", "\\xE2", "\\xFF"};
    add(c);
  }
  {
    BadInput c{"SigtermMidDocument", Ppd::kDirect, Input::kCancelledStdin};
    c.framed = false;  // a cancelled direct pass ends without the end-of-transmission byte
    c.document_intact = false;
    c.expected = {"%%Page: 2 2\n"};
    c.absent = {"%%Page: 8 8\n", "\\x04\\e%-12345X@PJL EOJ\n"};
    c.ends_with = "\n\\e%-12345X@PJL EOJ\n";
    add(c);
  }
  {
    BadInput c{"ClosedStandardOutput", Ppd::kDirect, Input::kDocument};
    c.close_stdout = true;
    c.exit_status = 1;
    add(c);
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, FilterBadInput, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

}  // namespace
