// Page lines for documents that mark their pages with DSC comments only (as
// CUPS's PostScript filter writes them), and their interplay with "ep" pages.
#include "pagecount.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "stream.h"
#include "stream_capture.h"

namespace {

struct CountCase {
  const char* name;
  std::string document;
  std::string copies;  // argv[4]
  std::string err;
};

std::ostream& operator<<(std::ostream& os, const CountCase& c) { return os << c.name; }

class PageCountTest : public ::testing::TestWithParam<CountCase> {
 protected:
  void SetUp() override {
    ResetStreamState();
    SetStreamEventObserver(nullptr);
  }
  TempDir dir_;
};

// Through the whole direct pass, as the filter runs it.
TEST_P(PageCountTest, ReportsEachPageOnce) {
  const CountCase& c = GetParam();
  WriteFile(dir_.File("job.ps"), c.document);
  FilterArgs args(c.copies, "", dir_.File("job.ps"));
  args.ReadTickets();
  CapturedOutput r = CaptureOutput([&] { OutputPSStream(args.argc(), args.argv()); });
  EXPECT_EQ(r.err, c.err);
  EXPECT_EQ(r.out, c.document + "\x04");  // the printer stream is the document
}

// What CUPS's PostScript filter writes: header comments with the copies the
// printer makes, pages that end in procedures or "showpage", a trailer.
const std::string kFromPstops =
    "%!PS-Adobe-3.0\n%%Pages: (atend)\n%RBINumCopies: 1\n%%EndComments\n%%BeginProlog\n%%EndProlog\n"
    "%%BeginSetup\n%%EndSetup\n%%Page: 1 1\n%%BeginPageSetup\n%%EndPageSetup\n(one) pop\n%%PageTrailer\n"
    "%%Page: 2 2\n(two) pop\nshowpage\n%%PageTrailer\n%%Page: 3 3\n(three) pop\nshowpage\n%%PageTrailer\n"
    "%%Trailer\n%%Pages: 3\n%%EOF\n";

INSTANTIATE_TEST_SUITE_P(
    Documents, PageCountTest,
    ::testing::Values(
        CountCase{"pstops_document_copies_from_header", kFromPstops, "3", "PAGE:1 1\nPAGE:2 1\nPAGE:3 1\n"},
        CountCase{"copies_from_argv_without_header_comment",
                  "%!PS\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%Trailer\n", "2", "PAGE:1 2\nPAGE:2 2\n"},
        CountCase{"printer_copies_from_header", "%!PS\n%RBINumCopies: 4\n%%Page: 1 1\nshowpage\n", "4",
                  "PAGE:1 4\n"},
        CountCase{"header_copies_with_blanks_and_leading_zero", "%RBINumCopies:   07 \n%%Page: 1 1\n", "1",
                  "PAGE:1 7\n"},
        CountCase{"bad_header_copies_are_ignored", "%RBINumCopies: 2x\n%%Page: 1 1\n%RBINumCopies: 0\n", "5",
                  "PAGE:1 5\n"},
        CountCase{"header_copies_after_first_page_ignored", "%%Page: 1 1\n%RBINumCopies: 9\n%%Page: 2 2\n", "1",
                  "PAGE:1 1\nPAGE:2 1\n"},
        CountCase{"last_page_closed_by_end_of_input", "%%Page: 1 1\nx\n%%Page: 2 2\ny", "1", "PAGE:1 1\nPAGE:2 1\n"},
        CountCase{"embedded_document_pages_not_counted",
                  "%%Page: 1 1\n%%BeginDocument: a.eps\n%%Page: 1 1\n%%BeginDocument: b\n%%Page: 1 1\n"
                  "%%EndDocument\n%%Trailer\n%%EndDocument\n%%Page: 2 2\n%%Trailer\n",
                  "1", "PAGE:1 1\nPAGE:2 1\n"},
        CountCase{"ep_document_counts_its_own_pages", "%%Page: 1 1\nbp\nep\n%%Page: 2 2\nbp\nep\n%%Trailer\n", "1",
                  "PAGE:1 1\nPAGE:2 1\n"},
        CountCase{"endp_document_reports_no_pages", "%%Page: 1 1\nendp\n%%Page: 2 2\nendp\n%%Trailer\n", "1", ""},
        CountCase{"no_page_comments_no_lines", "%!PS\nshowpage\nshowpage\n", "1", ""},
        CountCase{"page_comment_must_start_the_line", " %%Page: 1 1\n%%Pages: 1\n%%PageTrailer\n", "1", ""},
        CountCase{"cut_line_is_not_a_page_comment", "%%Page: 1 1 " + std::string(9000, 'z') + "\n", "1", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageCount, CancelledPageIsNotReported) {
  ResetStreamState();
  SetStreamEventObserver(nullptr);
  TempDir dir;
  WriteFile(dir.File("job.ps"), "%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n");
  FilterArgs args("1", "", dir.File("job.ps"));
  args.ReadTickets();
  CancelJob = 1;
  CapturedOutput r = CaptureOutput([&] { OutputPSStream(args.argc(), args.argv()); });
  CancelJob = 0;
  EXPECT_EQ(r.out, "%%Page: 1 1\n");
  EXPECT_EQ(r.err, "");
}

TEST(PageCount, OlderSystemWritesNoPageLines) {
  ResetStreamState();
  setenv("OVQ_KERNEL_RELEASE", "10.0", 1);
  ResetGestaltCache();
  TempDir dir;
  CapturedOutput r = CaptureOutput([] {
    DscPageCounter counter("1");
    for (const char* line : {"%%Page: 1 1", "%%Page: 2 2"}) counter.OnLine(line, std::strlen(line));
    counter.OnEnd();
  });
  unsetenv("OVQ_KERNEL_RELEASE");
  ResetGestaltCache();
  EXPECT_EQ(r.err, "");
}

}  // namespace
