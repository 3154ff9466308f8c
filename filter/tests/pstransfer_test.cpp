// The final transfer of the buffered pass: every byte while the job runs; once
// it is cancelled, up to and including the next "ep", "endp" or "showpage"
// line, also when that line began in the part already sent.
#include "pstransfer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "escapes.h"
#include "param_name.h"
#include "run_program.h"

namespace {

// The cancellation test answers "not yet" this many times, then "cancelled".
int g_checks_before_cancel = 0;
bool CancelAfterChecks() { return g_checks_before_cancel-- <= 0; }
bool NeverCancelled() { return false; }

// `checks`: how often the cancellation test answers "not yet" (-1: never
// cancelled); `done`: the transfer completes.
struct TransferCase {
  const char* name;
  std::string in;
  size_t chunk;
  int checks;
  std::string out;
  bool done = false;
};
class TransferTest : public ::testing::TestWithParam<TransferCase> {};

TEST_P(TransferTest, SendsDocumentUpToPageEndAfterCancel) {
  const TransferCase& c = GetParam();
  TempDir dir;
  WriteFile(dir.File("buffered"), c.in);
  int input = open(dir.File("buffered").c_str(), O_RDONLY);
  FILE* out = std::fopen(dir.File("out").c_str(), "wb");
  ASSERT_TRUE(input >= 0 && out != nullptr);
  std::fputs("@PJL ENTER LANGUAGE=POSTSCRIPT\n", out);  // buffered output goes first
  g_checks_before_cancel = c.checks;
  EXPECT_EQ(TransferDocument(input, out, c.checks < 0 ? NeverCancelled : CancelAfterChecks, c.chunk),
            c.done ? TransferResult::kComplete : TransferResult::kStopped);
  std::fclose(out);
  close(input);
  EXPECT_EQ(MakeVisible(ReadFile(dir.File("out"))), MakeVisible("@PJL ENTER LANGUAGE=POSTSCRIPT\n" + c.out));
}

const std::string kBig(3 * kTransferChunkSize + 5, 'q');
const TransferCase kTransfers[] = {
    {.name = "never_cancelled", .in = "a\nep\nb\x04", .chunk = 4, .checks = -1, .out = "a\nep\nb\x04", .done = true},
    {.name = "large_document",
     .in = kBig + "\nep\n",
     .chunk = kTransferChunkSize,
     .checks = -1,
     .out = kBig + "\nep\n",
     .done = true},
    {.name = "only_whole_lines_stop",
     .in = "xshowpage\nshowpage \nendp\nrest\n",
     .chunk = 64,
     .checks = 0,
     .out = "xshowpage\nshowpage \nendp\n"},
    {.name = "page_end_before_cancel_does_not_stop",
     .in = "ep\nAB\nep\nC\n",
     .chunk = 3,
     .checks = 1,
     .out = "ep\nAB\nep\n"},
    {.name = "line_begun_before_cancel_counts", .in = "ep\nX\n", .chunk = 1, .checks = 2, .out = "ep\n"},
    {.name = "long_line_ending_in_ep",
     .in = "xxxxxxxxxxxep\nep\nZ",
     .chunk = 4,
     .checks = 3,
     .out = "xxxxxxxxxxxep\nep\n"},
    {.name = "carriage_return_ends_the_line", .in = "ep\r\nZ", .chunk = 16, .checks = 0, .out = "ep\r"},
    {.name = "no_page_end_sends_rest", .in = "ep\nabc", .chunk = 2, .checks = 2, .out = "ep\nabc", .done = true},
};
INSTANTIATE_TEST_SUITE_P(Documents, TransferTest, ::testing::ValuesIn(kTransfers), RowName());

// An output that takes nothing (a full device) is reported, while the job runs
// and once it is cancelled.
TEST(Transfer, ReportsAnOutputThatTakesNothing) {
  TempDir dir;
  WriteFile(dir.File("buffered"), "a\nep\nb\n");
  int input = open(dir.File("buffered").c_str(), O_RDONLY);
  int full = open("/dev/full", O_WRONLY);
  FILE* out = fdopen(full, "wb");
  ASSERT_TRUE(input >= 0 && out != nullptr);
  for (CancelTest cancelled : {NeverCancelled, CancelAfterChecks}) {
    g_checks_before_cancel = 0;
    EXPECT_EQ(TransferDocument(input, out, cancelled), TransferResult::kOutputFailed);
  }
  std::fclose(out);
  close(input);
}

}  // namespace
