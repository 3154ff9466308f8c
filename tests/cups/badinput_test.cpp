// Bad input for the real filter, one row per case with its defined outcome: the
// filter never crashes or hangs, writes nothing but the stream (and PAGE lines),
// leaves nothing in its TMPDIR, and its stream is what the failure rules say.
#include <gtest/gtest.h>
#include <signal.h>

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

const std::string kHeader = "%!PS-Adobe-3.0\n%%EndComments\n";
const std::string kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
const std::string kTrailer = "\\e%-12345X@PJL EOJ\n";

// Pages `first` to `last`, each with 16 KiB of comment lines so that the
// filter's output reaches the pipe while the document is still being read.
std::string Pages(int first, int last) {
  std::string ps;
  for (int p = first; p <= last; ++p) {
    ps += "%%Page: " + std::to_string(p) + " " + std::to_string(p) + "\n";
    for (int line = 0; line < 256; ++line) ps += "%" + std::string(62, 'p') + "\n";
    ps += "showpage\n";
  }
  return ps;
}

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(generator() & 0xFF);
  return bytes;
}

enum class Ppd { kNone, kGarbage, kDirect, kBuffered };
enum class Input { kDocument, kMissing, kFolder, kEmpty, kBinary, kHugeLine, kSigterm, kSigkill };

struct BadInput {
  const char* name;
  Ppd ppd = Ppd::kDirect;
  Input input = Input::kDocument;
  std::string user = "alice", title = "Report", options = {};
  int exit_status = 0;
  bool framed = true;                      // the inspector accepts the stream
  std::vector<std::string> expected = {};  // escaped texts of the stream
  std::vector<std::string> absent = {};    // escaped texts the stream must not hold
  std::string ends_with = {};              // escaped end of the stream
  bool full_stdout = false;                // standard output is /dev/full
  long file_size_limit = 0;                // the largest file the filter may write (its temporary file)
  int term_signal = 0;                     // the signal that ends the filter
  std::string error = {};                  // its one "ERROR:" line
};

class FilterBadInput : public testing::TestWithParam<BadInput> {};

TEST_P(FilterBadInput, HasItsDefinedOutcome) {
  const BadInput& c = GetParam();
  TempDir dir, tmp;  // tmp: the filter's TMPDIR, empty again after the run
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.env = {{"TMPDIR", tmp.path()}, {"PPD", std::nullopt}};
  const char* ppds[] = {nullptr, "", "ppd/OVQC300.ppd", "ppd/OVQC500.ppd"};
  if (c.ppd == Ppd::kGarbage) WriteFile(dir.File("garbage.ppd"), "*PPD-Adobe: \"4.3\"\n" + RandomBytes(4096, 7));
  if (c.ppd != Ppd::kNone) {
    spec.env["PPD"] = c.ppd == Ppd::kGarbage ? dir.File("garbage.ppd") : SourcePath(ppds[static_cast<int>(c.ppd)]);
  }
  std::string document = kHeader + "%%Page: 1 1\nshowpage\n%%EOF\n";
  std::string input = dir.File("job.ps");
  if (c.input == Input::kMissing) input = dir.File("missing.ps");
  if (c.input == Input::kFolder) input = dir.path();
  if (c.input == Input::kEmpty) document.clear();
  if (c.input == Input::kBinary) document = RandomBytes(64 * 1024, 11);
  if (c.input == Input::kHugeLine) document = "%!PS\n%" + std::string(100u << 20, 'A') + "\nshowpage\n";
  spec.args = {"7", c.user, c.title, "1", c.options};
  if (c.input == Input::kSigterm || c.input == Input::kSigkill) {
    // The signal once the buffered pass has begun (its header has left), then the rest of the job.
    spec.stdin_data = kHeader + Pages(1, 3);
    spec.signal_marker = "KQJOBINFO END\n";
    spec.signal_number = c.input == Input::kSigterm ? SIGTERM : SIGKILL;
    spec.stdin_after_signal = Pages(4, 8) + "%%EOF\n";
  } else {
    if (c.input != Input::kMissing && c.input != Input::kFolder) WriteFile(input, document);
    spec.args.push_back(input);
  }
  // Options longer than the kernel lets a program argument be (128 KiB) reach
  // the filter's entry in a child process.
  if (c.options.size() >= 128 * 1024) spec.entry = FilterMain;
  spec.stdout_file = c.full_stdout ? "/dev/full" : "";
  spec.file_size_limit = c.file_size_limit;
  const RunResult r = RunProgram(spec);

  EXPECT_EQ(r.term_signal, c.term_signal) << "the filter was killed by signal " << r.term_signal;
  EXPECT_EQ(r.exit_status, c.exit_status);
  // Standard error carries page lines, and the row's error line once.
  std::istringstream err(r.err);
  size_t errors = 0;
  for (std::string line; std::getline(err, line);) {
    const bool error = line.rfind("ERROR:", 0) == 0;
    errors += error;
    EXPECT_EQ(error ? line : line.substr(0, 5), error ? c.error : "PAGE:") << MakeVisible(line.substr(0, 200));
  }
  EXPECT_EQ(errors, c.error.empty() ? 0u : 1u) << r.err;
  // Nothing is left behind but, while the flag file exists (other tests set
  // it), the diagnostic job copy: "kq", fourteen digits, ".job".
  for (const auto& entry : std::filesystem::directory_iterator(tmp.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name.size() == 20 && name.rfind("kq", 0) == 0 && name.find_first_not_of("0123456789", 2) == 16)
        << "left in TMPDIR: " << name;
  }
  if (c.full_stdout || c.term_signal != 0) return;

  const std::string head = MakeVisible(r.out.substr(0, 3000));
  for (const std::string& text : c.expected) EXPECT_NE(r.out.find(Unescape(text)), std::string::npos) << text << head;
  for (const std::string& text : c.absent) EXPECT_EQ(r.out.find(Unescape(text)), std::string::npos) << text << head;
  const std::string end = Unescape(c.ends_with);
  EXPECT_EQ(MakeVisible(r.out.substr(r.out.size() - std::min(end.size(), r.out.size()))), MakeVisible(end));
  const ovqinspect::Inspection inspection = ovqinspect::InspectStream(r.out);
  EXPECT_TRUE(!c.framed || inspection.ok()) << inspection.errors.front().message << "\n" << head;
  for (const std::string& line : inspection.header_lines) EXPECT_LE(line.size(), 229u) << line.substr(0, 80);
  if (inspection.ok()) {
    EXPECT_TRUE(r.out.substr(inspection.postscript_offset, inspection.postscript_size) == document)
        << "the document changed on its way";
  }
}

const std::string kPT = "nvxjobs.printsettings.PrintType";

const BadInput kCases[] = {
    // Without a usable PPD the filter runs as with a PPD that has no attribute:
    // no code-set line, no comment block, grayscale, the direct pass.
    {.name = "NoPPDVariable",
     .ppd = Ppd::kNone,
     .expected = {"\\e%-12345X@PJL JOB MODE=PRINTER\\r\n", "@PJL SET RENDERMODE=GRAYSCALE\n", kEnter},
     .absent = {"STRINGCODESET", "KQJOBINFO"}},
    {.name = "GarbagePPD", .ppd = Ppd::kGarbage, .absent = {"STRINGCODESET", "KQJOBINFO"}},
    // A document that cannot be read is found before anything is sent.
    {.name = "MissingInputFile",
     .input = Input::kMissing,
     .exit_status = 1,
     .framed = false,
     .error = "ERROR: Cannot read the document: No such file or directory"},
    {.name = "FolderAsInputFileBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kFolder,
     .exit_status = 1,
     .framed = false,
     .error = "ERROR: Cannot read the document: Is a directory"},
    // An empty document gets no end-of-transmission byte on the buffered pass.
    {.name = "EmptyInputFileBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kEmpty,
     .framed = false,
     .ends_with = "@PJL SET JOBATTR=\"@ICPR=12\"\n" + kEnter + kTrailer},
    {.name = "BinaryInputWithNulBytesBufferedPass", .ppd = Ppd::kBuffered, .input = Input::kBinary},
    {.name = "OneLineOf100MiB", .input = Input::kHugeLine},
    {.name = "OptionStringOf1MiB",
     .options = kPT + "TicketKey=2 " + kPT + "UserNameTicketKey=" + std::string(1u << 20, 'u'),
     .expected = {"@PJL SET HOLD=STORE\n", "@PJL SET USERNAME=\"" + std::string(72, 'u') + "\"\\r\n"}},
    {.name = "InvalidUtf8User",
     .user = "\xff\xfe"
             "ab",
     .expected = {"@PJL SET JOBATTR=\"@LUNA=UnknownUser\"\n"},
     .absent = {"\\xFF"}},
    // A title outside the product's character ranges: no job name reaches the printer.
    {.name = "InvalidUtf8Title",
     .title = "Report \xc3\x28",
     .options = kPT + "TicketKey=3 " + kPT +
                "UserNameTicketKey=bob nvxjobs.printsettings.DocumentNameTypeTicketKey=1 " + kPT +
                "ProductTypeTicketKey=1",
     .expected = {"@PJL SET HOLD=PROOF\n"},
     .absent = {"JOBNAME", "DNAME", "\\xC3"}},
    {.name = "InvalidUtf8Options",
     .options = kPT + "TicketKey=2 " + kPT + "UserNameTicketKey=\xe2\x82 OVStaple=\xff",
     .absent = {"HOLD=STORE", "USERNAME", "\\xE2", "\\xFF"}},
    // Cancelled while the buffered pass waits for the rest of the job: none of
    // the document is sent, the header is closed by the trailer.
    {.name = "SigtermBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kSigterm,
     .framed = false,
     .absent = {"%!PS", "ENTER LANGUAGE"},
     .ends_with = "@PJL COMMENT KQJOBINFO END\n" + kTrailer},
    {.name = "FullStandardOutput",
     .exit_status = 1,
     .full_stdout = true,
     .error = "ERROR: Cannot send the job to the printer: No space left on device"},
    // A temporary file that takes only part of the document: none of it is
    // sent, and the header already sent is closed with the trailer.
    {.name = "TemporaryFileCannotBeWrittenInFull",
     .ppd = Ppd::kBuffered,
     .exit_status = 1,
     .framed = false,
     .absent = {"ENTER LANGUAGE", "%!PS"},
     .ends_with = "@PJL COMMENT KQJOBINFO END\n" + kTrailer,
     .file_size_limit = 40,
     .error = "ERROR: Cannot write the document to a temporary file: File too large"},
    // Killed while the buffered pass holds the document: no copy of it stays.
    {.name = "KilledMidDocumentBufferedPass",
     .ppd = Ppd::kBuffered,
     .input = Input::kSigkill,
     .exit_status = -1,
     .framed = false,
     .term_signal = SIGKILL},
};
INSTANTIATE_TEST_SUITE_P(Table, FilterBadInput, testing::ValuesIn(kCases), RowName());

}  // namespace
