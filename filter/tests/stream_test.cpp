// The PostScript stream passes: line ends, pieces, stream events and their
// moments, page lines (also of DSC-only documents), cancellation, the closing
// 0x04, NUL bytes. Events show up in the output as "[event/page]" lines.
#include "stream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "param_name.h"

namespace {

using namespace std::string_literals;

constexpr size_t kBlock = 128 * 1024;  // the passes read the input in blocks of this size

struct PassCase {
  const char* name;
  std::string input;
  std::string out = "-";  // "-": the input and 0x04
  std::string err = "";   // page lines
  const char* copies = "2";
  bool cancelled = false;
};
class DirectPassTest : public ::testing::TestWithParam<PassCase> {};

// A cancelled job stops at the first page end: the line is not written, the
// "ep" event is still raised before the test, and no 0x04 follows.
TEST_P(DirectPassTest, WritesDocumentWithEvents) {
  const PassCase& c = GetParam();
  FreshJob();
  CancelJob = c.cancelled;
  TempDir dir;
  CapturedOutput r = RunPass(OutputPSStream, dir, c.input, c.copies);
  ResetJobState();
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out == "-" ? c.input + "\x04" : c.out));
  EXPECT_EQ(r.err, c.err);
}

const std::string kLong8065(8065, 'x');          // one more than a line holds
const std::string kHuge(3 * kBlock + 17, 'y');   // runs over several blocks
const std::string kToBlockEnd(kBlock - 6, 'a');  // the next line starts 5 bytes before the boundary

const PassCase kPasses[] = {
    {.name = "every_event_at_its_moment",
     .input = "%!PS\n%%BeginProlog\n%%EndProlog\n%%EndSetup\nuserdict/setpagedevice{pop}bind put\n"
              "%%EndPageSetup\nbp\nx\nep\n",
     .out = "%!PS\n%%BeginProlog\n[13/0]\n[14/0]\n%%EndProlog\n[16/0]\n%%EndSetup\n[21/0]\n"
            "userdict/setpagedevice{pop}bind put\n%%EndPageSetup\n[24/0]\nbp\n[23/0]\nx\n[27/1]\nep\n\x04",
     .err = "PAGE:1 2\n"},
    {.name = "ep_and_endp_count_pages_endp_writes_no_page_line",
     .input = "ep\nendp\nep\n",
     .out = "[27/1]\nep\n[28/2]\nendp\n[27/3]\nep\n\x04",
     .err = "PAGE:1 2\nPAGE:3 2\n"},
    {.name = "keywords_compare_whole_lines", .input = " ep\nep \nEP\n%%EndProlog \nbp2\nshowpage x\n"},
    {.name = "nul_bytes_spoil_no_keyword",
     .input = "a\0b\nep\0\n\0\nbp\n"s,
     .out = "a\0b\nep\0\n\0\nbp\n[23/0]\n\x04"s},
    {.name = "line_cut_in_pieces_is_never_a_keyword_line",
     .input = kLong8065 + "ep\n" + kLong8065 + "\nbp\n",
     .out = kLong8065 + "ep\n" + kLong8065 + "\nbp\n[23/0]\n\x04"},
    {.name = "keyword_line_across_a_block_boundary",
     .input = kToBlockEnd + "\n%%EndSetup\n",
     .out = kToBlockEnd + "\n[16/0]\n%%EndSetup\n\x04"},
    {.name = "line_over_several_blocks_passes_whole",
     .input = kHuge + "\nbp\n" + kHuge,
     .out = kHuge + "\nbp\n[23/0]\n" + kHuge + "\x04"},
    {.name = "cancelled_endp_after_its_event", .input = "bp\nendp\n", .out = "bp\n[23/0]\n[28/1]\n", .cancelled = true},
    {.name = "cancelled_dsc_page_not_reported",
     .input = "%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n",
     .out = "%%Page: 1 1\n",
     .cancelled = true},
    // DSC pages (golden cases in full): a bad copies comment is ignored, a cut
    // line is no page comment.
    {.name = "dsc_bad_header_copies_ignored",
     .input = "%RBINumCopies: 2x\n%%Page: 1 1\n%RBINumCopies: 0\n",
     .err = "PAGE:1 5\n",
     .copies = "5"},
    {.name = "dsc_endp_document_reports_no_pages",
     .input = "%%Page: 1 1\nendp\n%%Page: 2 2\nendp\n%%Trailer\n",
     .out = "%%Page: 1 1\n[28/1]\nendp\n%%Page: 2 2\n[28/2]\nendp\n%%Trailer\n\x04"},
    {.name = "dsc_cut_line_is_no_page_comment", .input = "%%Page: 1 1 " + std::string(9000, 'z') + "\n"},
};
INSTANTIATE_TEST_SUITE_P(Lines, DirectPassTest, ::testing::ValuesIn(kPasses), RowName());

// The buffered pass: the document goes to a temporary file first, the PJL it
// calls for goes to standard output at once, the document follows at the end;
// no temporary file is left (cancelled jobs: the bad-input table).
struct BufferedCase {
  const char* name;
  std::string ppd_extra = "", options = "", input = "", out = "", err = "";
  StreamEventObserver observer = MarkEvent;
};

CapturedOutput RunBuffered(const TempDir& dir, const BufferedCase& c, FILE* job_copy = nullptr) {
  WriteFile(dir.File("test.ppd"), TestPPD("*OVPSDecompMode: \"1\"\n" + c.ppd_extra));
  FreshJob(dir.File("test.ppd"));
  gJobFilefp = job_copy;
  SetStreamEventObserver(c.observer);
  std::filesystem::create_directories(dir.File("tmp"));
  setenv("TMPDIR", dir.File("tmp").c_str(), 1);
  CapturedOutput r = RunPass(OutputPSStreamtoFileandInsertPJLforFeaturePDE, dir, c.input, "2", c.options);
  unsetenv("TMPDIR");
  ResetJobState();
  return r;
}

class BufferedPassTest : public ::testing::TestWithParam<BufferedCase> {};

TEST_P(BufferedPassTest, WritesPJLThenDocument) {
  TempDir dir;
  CapturedOutput r = RunBuffered(dir, GetParam());
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(GetParam().out));
  EXPECT_EQ(r.err, GetParam().err);
  EXPECT_TRUE(std::filesystem::is_empty(dir.File("tmp")));
}

// The job copy holds the document where it was first written: each feature
// section's PJL right before its line, the document once.
TEST(BufferedPass, JobCopyHoldsDocumentOnceInWritingOrder) {
  TempDir dir;
  FILE* copy = std::fopen(dir.File("copy.job").c_str(), "wb");
  RunBuffered(dir, {.name = "copy", .input = "%!PS\n%%BeginFeature: *OVFrameMode True\n", .observer = nullptr}, copy);
  std::fclose(copy);
  EXPECT_EQ(MakeVisible(ReadFile(dir.File("copy.job"))),
            MakeVisible("%!PS\n@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n"
                        "%%BeginFeature: *OVFrameMode True\n\x04@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
}

void MarkAndCancelAtBp(int event, int page, FILE* stream) {
  MarkEvent(event, page, stream);
  if (event == kEventBeginPage) CancelJob = 1;
}

const std::string kEnterPS = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
const std::string kDefaultTriple =
    "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n";
const std::string kFrameFalse = "%!PS\n%%BeginFeature: *OVFrameMode False\n%%EndFeature\n";
const std::string kTonerSections = "%%BeginFeature: *OVTonerSaver True\n%%BeginFeature: *OVTonerSaver False\n";

const BufferedCase kBuffered[] = {
    {.name = "frame_mode_false_at_600",
     .options = "OVOutputMode=HighSpeed",
     .input = kFrameFalse,
     .out = "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n" + kEnterPS +
            kFrameFalse + "\x04"},
    {.name = "defaults_once_and_only_for_absent_options",
     .ppd_extra = "*ColorDevice: True\n" + PPDOption("OVTonerSaver", "False", "False True"),
     .input = kTonerSections,
     .out = "@PJL SET JOBATTR=\"@TRAP=OFF\"\n@PJL SET JOBATTR=\"@GRGU=OFF\"\n@PJL SET JOBATTR=\"@PSBR=0\"\n"
            "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n@PJL SET JOBATTR=\"@RGBG=22\"\n@PJL SET ECONOMODE=ON\n"
            "@PJL SET ECONOMODE=OFF\n" +
            kDefaultTriple + kEnterPS + kTonerSections + "\x04"},
    // Cancelled after the document was buffered: the transfer stops after the first page end.
    {.name = "cancelled_during_transfer_stops_after_page_end",
     .input = "a\nep\nb\nep\nbp\n",
     .out = kEnterPS + "a\n[27/1]\nep\n",
     .err = "PAGE:1 2\nPAGE:2 2\n",
     .observer = MarkAndCancelAtBp},
};
INSTANTIATE_TEST_SUITE_P(Documents, BufferedPassTest, ::testing::ValuesIn(kBuffered), RowName());

// A document that opens but cannot be read (a folder) is reported; neither pass
// sends any of it. One run reports only its first failure.
TEST(StreamFailure, UnreadableDocumentIsReportedAndNothingSent) {
  TempDir dir;
  JobArgs args("", "1", dir.path());
  ResetJobState();
  for (auto pass : {OutputPSStream, OutputPSStreamtoFileandInsertPJLforFeaturePDE}) {
    CapturedOutput captured = CaptureOutput([&] { pass(7, args.argv()); });
    EXPECT_EQ(captured.out, "");
    EXPECT_EQ(JobFailed, 1);
    EXPECT_EQ(captured.err, pass == OutputPSStream ? "ERROR: Cannot read the document: Is a directory\n" : "");
  }
}

}  // namespace
