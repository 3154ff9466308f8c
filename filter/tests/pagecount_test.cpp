// Page lines for documents that mark their pages with DSC comments only (as
// CUPS's PostScript filter writes them), and their interplay with "ep" pages.
#include "pagecount.h"

#include <gtest/gtest.h>

#include <string>

#include "stream.h"
#include "stream_capture.h"

namespace {

struct CountCase {
  const char* name;
  std::string document, copies, err;
};  // copies: argv[4]
class PageCountTest : public ::testing::TestWithParam<CountCase> {};

// Through the whole direct pass, as the filter runs it.
TEST_P(PageCountTest, ReportsEachPageOnce) {
  ClearStreamState();
  TempDir dir;
  CapturedOutput r = RunPass(OutputPSStream, dir, GetParam().document, GetParam().copies);
  EXPECT_EQ(r.err, GetParam().err);
  EXPECT_EQ(r.out, GetParam().document + "\x04");  // the printer stream is the document
}

// Documents as CUPS's PostScript filter writes them: header comments with the
// copies the printer makes, pages marked by "%%Page:" comments.
INSTANTIATE_TEST_SUITE_P(
    Documents, PageCountTest,
    ::testing::Values(
        CountCase{"copies_from_argv_without_header_comment",
                  "%!PS\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%Trailer\n", "2", "PAGE:1 2\nPAGE:2 2\n"},
        CountCase{"printer_copies_from_header", "%!PS\n%RBINumCopies: 4\n%%Page: 1 1\nshowpage\n", "4", "PAGE:1 4\n"},
        CountCase{"header_copies_blanks_leading_zero", "%RBINumCopies:   07 \n%%Page: 1 1\n", "1", "PAGE:1 7\n"},
        CountCase{"bad_header_copies_ignored", "%RBINumCopies: 2x\n%%Page: 1 1\n%RBINumCopies: 0\n", "5", "PAGE:1 5\n"},
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
    ParamName);

}  // namespace
