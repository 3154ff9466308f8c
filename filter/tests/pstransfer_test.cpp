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

struct TransferCase {
  const char* name;
  std::string document;
  size_t chunk;
  int checks_before_cancel;  // -1: never cancelled
  std::string out;
  bool complete;
};

class TransferTest : public ::testing::TestWithParam<TransferCase> {};

TEST_P(TransferTest, SendsDocumentUpToPageEndAfterCancel) {
  const TransferCase& c = GetParam();
  TempDir dir;
  WriteFile(dir.File("buffered"), c.document);
  int input = open(dir.File("buffered").c_str(), O_RDONLY);
  FILE* out = std::fopen(dir.File("out").c_str(), "wb");
  ASSERT_TRUE(input >= 0 && out != nullptr);
  std::fputs("@PJL ENTER LANGUAGE=POSTSCRIPT\n", out);  // buffered output goes first
  g_checks_before_cancel = c.checks_before_cancel;
  EXPECT_EQ(TransferDocument(input, out, c.checks_before_cancel < 0 ? NeverCancelled : CancelAfterChecks, c.chunk),
            c.complete ? TransferResult::kComplete : TransferResult::kStopped);
  std::fclose(out);
  close(input);
  EXPECT_EQ(MakeVisible(ReadFile(dir.File("out"))), MakeVisible("@PJL ENTER LANGUAGE=POSTSCRIPT\n" + c.out));
}

const std::string kBig(3 * kTransferChunkSize + 5, 'q');
constexpr size_t kChunk = kTransferChunkSize;

INSTANTIATE_TEST_SUITE_P(
    Documents, TransferTest,
    ::testing::Values(
        TransferCase{"never_cancelled_sends_all", "a\nep\nb\x04", 4, -1, "a\nep\nb\x04", true},
        TransferCase{"large_document_default_chunks", kBig + "\nep\n", kTransferChunkSize, -1, kBig + "\nep\n", true},
        TransferCase{"cancelled_at_start_stops_after_page_end", "a\nep\nb\nep\n", kChunk, 0, "a\nep\n", false},
        TransferCase{"only_whole_lines_stop", "abc\nxshowpage\nshowpage \nendp\nrest\n", kChunk, 0,
                     "abc\nxshowpage\nshowpage \nendp\n", false},
        TransferCase{"page_end_before_cancel_does_not_stop", "ep\nAB\nep\nC\n", 3, 1, "ep\nAB\nep\n", false},
        TransferCase{"line_begun_before_cancel_counts", "ep\nX\n", 1, 2, "ep\n", false},
        TransferCase{"showpage_split_over_chunks", "0123456789\nshowpage\nZ", 14, 1, "0123456789\nshowpage\n", false},
        TransferCase{"long_line_ending_in_ep_no_page_end", "xxxxxxxxxxxep\nep\nZ", 4, 3, "xxxxxxxxxxxep\nep\n", false},
        TransferCase{"carriage_return_ends_the_line", "ep\r\nZ", 16, 0, "ep\r", false},
        TransferCase{"cancelled_without_page_end_sends_rest", "ep\nabc", 2, 2, "ep\nabc", true},
        TransferCase{"empty_file", "", 16, -1, "", true}),
    RowName());

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
