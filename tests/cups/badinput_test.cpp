// Bad input for the real filter, one row per case with its defined outcome: the
// filter never crashes or hangs, writes nothing but the stream (and PAGE lines),
// and its stream is what the failure rules say.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "escapes.h"
#include "inspect.h"
#include "jobflow.h"
#include "param_name.h"
#include "run_program.h"

namespace {

const std::string kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
const std::string kHeader = "%!PS-Adobe-3.0\n%%EndComments\n";

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

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

enum class Ppd { kNone, kMissing, kFolder, kGarbage, kDirect, kBuffered };
enum class Input { kDocument, kMissing, kFolder, kEmpty, kBinary, kHugeLine, kCancelledStdin, kKilledStdin };

struct BadInput {
  const char* name;
  Ppd ppd;
  Input input;
  std::string user = "alice";
  std::string title = "Report";
  std::string options = {};
  bool close_stdout = false;
  int exit_status = 0;
  bool framed = true;                      // the inspector accepts the stream
  bool document_intact = true;             // the PostScript part equals the input
  std::vector<std::string> expected = {};  // escaped texts of the stream
  std::vector<std::string> absent = {};    // escaped texts the stream must not hold
  std::string ends_with = {};              // escaped end of the stream
  bool full_stdout = false;                // standard output is /dev/full (as a device on a full file system)
  long file_size_limit = 0;                // the largest file the filter may write (its temporary file)
  int term_signal = 0;                     // the signal that ends the filter
  std::string error = {};                  // its one "ERROR:" line
  bool nothing_sent = false;               // standard output stays empty
};

void PrintTo(const BadInput& c, std::ostream* os) { *os << c.name; }

// Options longer than the kernel lets a program argument be (128 KiB) cannot
// reach the binary; such rows run the filter's entry in a child process.
constexpr size_t kLongestArgument = 128 * 1024;

RunResult RunInChild(std::vector<std::string> args, const std::string& ppd, const TempDir& dir) {
  std::string out_path = dir.File("child.out"), err_path = dir.File("child.err");
  pid_t pid = fork();
  if (pid == 0) {
    ppd.empty() ? unsetenv("PPD") : setenv("PPD", ppd.c_str(), 1);
    if (!freopen(out_path.c_str(), "wb", stdout) || !freopen(err_path.c_str(), "wb", stderr)) _exit(99);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int status = FilterMain(static_cast<int>(args.size()), argv.data());
    std::fflush(stdout);
    _exit(status);
  }
  int status = 0;
  for (int i = 0; i < 1200 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(100000);
  if (waitpid(pid, &status, WNOHANG) == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  return {ReadFile(out_path), ReadFile(err_path), WIFEXITED(status) ? WEXITSTATUS(status) : -1,
          WIFSIGNALED(status) ? WTERMSIG(status) : 0};
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
    case Ppd::kNone:
      break;
    case Ppd::kMissing:
      ppd = dir.File("missing.ppd");
      break;
    case Ppd::kFolder:
      ppd = dir.path();
      break;
    case Ppd::kGarbage:
      WriteFile(ppd = dir.File("garbage.ppd"), "*PPD-Adobe: \"4.3\"\n" + RandomBytes(4096, 7));
      break;
    case Ppd::kDirect:
      ppd = SourcePath("ppd/OVQC300.ppd");
      break;
    case Ppd::kBuffered:
      ppd = SourcePath("ppd/OVQC500.ppd");
      break;
  }
  std::string document;
  std::string input = dir.File("job.ps");
  RunSpec spec;
  switch (c.input) {
    case Input::kDocument:
      document = kHeader + Pages(1, 2) + "%%EOF\n";
      break;
    case Input::kMissing:
      input = dir.File("missing.ps");
      break;
    case Input::kFolder:
      input = dir.path();
      break;
    case Input::kEmpty:
      break;
    case Input::kBinary:
      document = RandomBytes(64 * 1024, 11);
      break;
    case Input::kHugeLine:
      document = "%!PS\n%" + std::string(100u << 20, 'A') + "\nshowpage\n";
      break;
    case Input::kCancelledStdin:
      // SIGTERM once the filter has written page 2, then the rest of the job.
      spec.stdin_data = kHeader + Pages(1, 3, 16 * 1024);
      spec.signal_marker = "%%Page: 2 2\n";
      spec.signal_number = SIGTERM;
      spec.stdin_after_signal = Pages(4, 8, 16 * 1024) + "%%EOF\n";
      break;
    case Input::kKilledStdin:
      // SIGKILL once the buffered pass has begun (its header has left).
      spec.stdin_data = kHeader + Pages(1, 3, 16 * 1024);
      spec.signal_marker = "KQJOBINFO END\n";
      spec.signal_number = SIGKILL;
      break;
  }
  bool from_file = c.input != Input::kCancelledStdin && c.input != Input::kKilledStdin;
  if (from_file && c.input != Input::kMissing && c.input != Input::kFolder) WriteFile(input, document);
  std::vector<std::string> args = {"7", c.user, c.title, "1", c.options};
  if (from_file) args.push_back(input);

  RunResult r;
  if (c.options.size() >= kLongestArgument) {
    args.insert(args.begin(), BinaryPath("ovqfilter"));
    setenv("TMPDIR", tmp.path().c_str(), 1);
    r = RunInChild(args, ppd, dir);
    unsetenv("TMPDIR");
  } else {
    // Hangs end at the time limit of `timeout`, which then reports 124.
    spec.program = from_file ? "/usr/bin/timeout" : BinaryPath("ovqfilter");
    spec.args = args;
    if (from_file) spec.args.insert(spec.args.begin(), {"-s", "KILL", "300", BinaryPath("ovqfilter")});
    spec.env["PPD"] = ppd.empty() ? std::nullopt : std::optional<std::string>(ppd);
    spec.env["TMPDIR"] = tmp.path();
    spec.close_stdout = c.close_stdout;
    spec.stdout_file = c.full_stdout ? "/dev/full" : "";
    spec.file_size_limit = c.file_size_limit;
    r = RunProgram(spec);
  }

  EXPECT_EQ(r.term_signal, c.term_signal) << "the filter was killed by signal " << r.term_signal;
  EXPECT_NE(r.exit_status, 124) << "the filter hung";
  EXPECT_EQ(r.exit_status, c.exit_status);
  // Standard error carries page lines, and the row's error line once.
  std::istringstream err(r.err);
  size_t errors = 0;
  for (std::string line; std::getline(err, line);) {
    if (line.rfind("ERROR:", 0) == 0) {
      EXPECT_EQ(line, c.error);
      ++errors;
    } else {
      EXPECT_EQ(line.rfind("PAGE:", 0), 0u) << "standard error: " << MakeVisible(line.substr(0, 200));
    }
  }
  EXPECT_EQ(errors, c.error.empty() ? 0u : 1u) << r.err;
  // Nothing is left behind in the filter's temporary folder but, while the
  // flag file exists (other tests set it), the diagnostic job copy.
  for (const auto& entry : std::filesystem::directory_iterator(tmp.path())) {
    EXPECT_TRUE(IsJobCopy(entry.path().filename().string())) << "left in TMPDIR: " << entry.path();
  }
  if (c.nothing_sent) {
    EXPECT_EQ(MakeVisible(r.out), "");
  }
  if (c.close_stdout || c.full_stdout || c.term_signal != 0) return;

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
  for (const std::string& line : inspection.header_lines) EXPECT_LE(line.size(), 229u) << line.substr(0, 80);
  if (c.document_intact && inspection.ok()) {
    EXPECT_TRUE(r.out.substr(inspection.postscript_offset, inspection.postscript_size) == document)
        << "the document changed on its way";
  }
}

std::string Repeat(const std::string& text, size_t times) {
  std::string out;
  while (times-- > 0) out += text;
  return out;
}

const std::string kPT = "nvxjobs.printsettings.PrintType";

// Without a usable PPD the filter runs as with a PPD that has no attribute:
// no code-set line, no comment block, grayscale, the direct pass.
BadInput WithoutPPD(const char* name, Ppd ppd) {
  return {.name = name,
          .ppd = ppd,
          .input = Input::kDocument,
          .expected = {"\\e%-12345X@PJL JOB MODE=PRINTER\\r\n", "@PJL SET RENDERMODE=GRAYSCALE\n", kEnter},
          .absent = {"STRINGCODESET", "KQJOBINFO"},
          .ends_with = "%%EOF\n\\x04\\e%-12345X@PJL EOJ\n"};
}

// Rows without a document are not framed: no end-of-transmission byte.
const BadInput kCases[] = {
    WithoutPPD("NoPPDVariable", Ppd::kNone),
    WithoutPPD("MissingPPD", Ppd::kMissing),
    WithoutPPD("FolderAsPPD", Ppd::kFolder),
    WithoutPPD("GarbagePPD", Ppd::kGarbage),
    // A document that cannot be read is found before anything is sent.
    {.name = "MissingInputFile",
     .ppd = Ppd::kDirect,
     .input = Input::kMissing,
     .exit_status = 1,
     .framed = false,
     .error = "ERROR: Cannot read the document: No such file or directory",
     .nothing_sent = true},
    {.name = "MissingInputFileBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kMissing,
     .exit_status = 1,
     .framed = false,
     .error = "ERROR: Cannot read the document: No such file or directory",
     .nothing_sent = true},
    {.name = "FolderAsInputFile",
     .ppd = Ppd::kDirect,
     .input = Input::kFolder,
     .exit_status = 1,
     .framed = false,
     .error = "ERROR: Cannot read the document: Is a directory",
     .nothing_sent = true},
    {.name = "EmptyInputFile",
     .ppd = Ppd::kDirect,
     .input = Input::kEmpty,
     .ends_with = kEnter + "\\x04\\e%-12345X@PJL EOJ\n"},
    // An empty document gets no end-of-transmission byte on the buffered pass.
    {.name = "EmptyInputFileBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kEmpty,
     .framed = false,
     .ends_with = "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n" +
                  kEnter + "\\e%-12345X@PJL EOJ\n"},
    {.name = "BinaryInputWithNulBytes", .ppd = Ppd::kDirect, .input = Input::kBinary},
    {.name = "BinaryInputWithNulBytesBufferedPass", .ppd = Ppd::kBuffered, .input = Input::kBinary},
    {.name = "OneLineOf100MiB", .ppd = Ppd::kDirect, .input = Input::kHugeLine},
    {.name = "OptionStringOf1MiB",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .options = kPT + "TicketKey=2 " + kPT + "UserNameTicketKey=" + std::string(1u << 20, 'u'),
     .expected = {"@PJL SET HOLD=STORE\n", "@PJL SET USERNAME=\"" + std::string(72, 'u') + "\"\\r\n"}},
    {.name = "OptionStringOf1MiBManyOptions",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .options = Repeat("nvxjobs.printsettings.WMARKTextTicket=(x) sides=one-sided OVStaple=Left ", 14000)},
    {.name = "InvalidUtf8User",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .user = "\xff\xfe"
             "ab",
     .expected = {"@PJL SET JOBATTR=\"@LUNA=UnknownUser\"\n"},
     .absent = {"\\xFF"}},
    {.name = "InvalidUtf8Title",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .title = "Report \xc3\x28",
     .options = kPT + "TicketKey=3 " + kPT +
                "UserNameTicketKey=bob nvxjobs.printsettings.DocumentNameTypeTicketKey=1 " + kPT +
                "ProductTypeTicketKey=1",
     .expected = {"@PJL SET HOLD=PROOF\n"},
     .absent = {"JOBNAME", "DNAME", "\\xC3"}},
    {.name = "InvalidUtf8Options",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .options = kPT + "TicketKey=2 " + kPT + "UserNameTicketKey=\xe2\x82 OVStaple=\xff",
     .absent = {"HOLD=STORE", "USERNAME", "\\xE2", "\\xFF"}},
    // A cancelled direct pass ends without the end-of-transmission byte.
    {.name = "SigtermMidDocument",
     .ppd = Ppd::kDirect,
     .input = Input::kCancelledStdin,
     .framed = false,
     .document_intact = false,
     .expected = {"%%Page: 2 2\n"},
     .absent = {"%%Page: 8 8\n", "\\x04\\e%-12345X@PJL EOJ\n"},
     .ends_with = "\n\\e%-12345X@PJL EOJ\n"},
    {.name = "ClosedStandardOutput",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .close_stdout = true,
     .exit_status = 1},
    {.name = "FullStandardOutput",
     .ppd = Ppd::kDirect,
     .input = Input::kDocument,
     .exit_status = 1,
     .full_stdout = true,
     .error = "ERROR: Cannot send the job to the printer: No space left on device"},
    // A temporary file that takes only part of the document: none of it is
    // sent, and the header already sent is closed with the trailer.
    {.name = "TemporaryFileCannotBeWrittenInFull",
     .ppd = Ppd::kBuffered,
     .input = Input::kDocument,
     .exit_status = 1,
     .framed = false,
     .absent = {"ENTER LANGUAGE", "%!PS"},
     .ends_with = "@PJL COMMENT KQJOBINFO END\n\\e%-12345X@PJL EOJ\n",
     .file_size_limit = 100,
     .error = "ERROR: Cannot write the document to a temporary file: File too large"},
    // Killed while the buffered pass holds the document: no copy of it stays.
    {.name = "KilledMidDocumentBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kKilledStdin,
     .exit_status = -1,
     .framed = false,
     .term_signal = SIGKILL},
};

INSTANTIATE_TEST_SUITE_P(Table, FilterBadInput, testing::ValuesIn(kCases), RowName());

}  // namespace
