// The PostScript stream passes: line ends, pieces, stream events and their
// moments, page lines, cancellation, the closing 0x04, NUL bytes. Events show up
// in the output as "[event/page]" lines written by a test observer.
#include "stream.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "escapes.h"
#include "output.h"
#include "stream_capture.h"

namespace {

using namespace std::string_literals;

constexpr size_t kBlock = 128 * 1024;  // the passes read the input in blocks of this size

struct PassCase {
  const char* name;
  std::string input, out, err;
  bool cancelled = false;
};  // err: page lines

class DirectPassTest : public ::testing::TestWithParam<PassCase> {};

// A cancelled job stops at the first page end: the line is not written, the
// "ep" event is still raised before the test, and no 0x04 follows.
TEST_P(DirectPassTest, WritesDocumentWithEvents) {
  ResetStreamState();
  CancelJob = GetParam().cancelled;
  TempDir dir;
  CapturedOutput r = RunPass(OutputPSStream, dir, GetParam().input);
  ClearStreamState();
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(GetParam().out));
  EXPECT_EQ(r.err, GetParam().err);
}

const std::string kLong8064(8064, 'x'), kLong8065(8065, 'x');
const std::string kHuge(3 * kBlock + 17, 'y');   // runs over several blocks
const std::string kToBlockEnd(kBlock - 6, 'a');  // the next line starts 5 bytes before the boundary

INSTANTIATE_TEST_SUITE_P(
    Lines, DirectPassTest,
    ::testing::Values(
        PassCase{"every_event_at_its_moment",
                 "%!PS\n%%BeginProlog\n%%EndProlog\n%%EndSetup\nuserdict/setpagedevice{pop}bind put\n"
                 "%%EndPageSetup\nbp\nx\nep\n",
                 "%!PS\n%%BeginProlog\n[13/0]\n[14/0]\n%%EndProlog\n[16/0]\n%%EndSetup\n[21/0]\n"
                 "userdict/setpagedevice{pop}bind put\n%%EndPageSetup\n[24/0]\nbp\n[23/0]\nx\n[27/1]\nep\n\x04",
                 "PAGE:1 2\n"},
        PassCase{"cr_lf_pairs_kept_each_end_makes_a_line", "%%BeginProlog\r\n%%EndSetup\r\nbp\r\nshowpage\r\nep\r\n",
                 "%%BeginProlog\r[13/0]\n\n[16/0]\n%%EndSetup\r\nbp\r[23/0]\n\nshowpage\r\n[27/1]\nep\r\n\x04",
                 "PAGE:1 2\n"},
        PassCase{"cr_only_line_ends", "bp\rep\r", "bp\r[23/0]\n[27/1]\nep\r\x04", "PAGE:1 2\n"},
        PassCase{"second_end_prolog_raises_nothing", "%%EndProlog\n%%EndProlog\n",
                 "[14/0]\n%%EndProlog\n%%EndProlog\n\x04", ""},
        PassCase{"ep_and_endp_count_pages_endp_writes_no_page_line", "ep\nendp\nep\n",
                 "[27/1]\nep\n[28/2]\nendp\n[27/3]\nep\n\x04", "PAGE:1 2\nPAGE:3 2\n"},
        PassCase{"keywords_compare_whole_lines", " ep\nep \nEP\n%%EndProlog \nbp2\nshowpage x\n",
                 " ep\nep \nEP\n%%EndProlog \nbp2\nshowpage x\n\x04", ""},
        PassCase{"last_line_without_end_is_still_a_keyword_line", "a\nep", "a\n[27/1]\nep\x04", "PAGE:1 2\n"},
        PassCase{"empty_document", "", "\x04", ""},
        PassCase{"nul_bytes_pass_through_and_spoil_no_keyword", "a\0b\nep\0\n\0\nbp\n"s,
                 "a\0b\nep\0\n\0\nbp\n[23/0]\n\x04"s, ""},
        PassCase{"line_of_8064_bytes_is_whole", kLong8064 + "\nep\n", kLong8064 + "\n[27/1]\nep\n\x04", "PAGE:1 2\n"},
        PassCase{"line_cut_in_pieces_is_never_a_keyword_line", kLong8065 + "ep\n" + kLong8065 + "\nbp\n",
                 kLong8065 + "ep\n" + kLong8065 + "\nbp\n[23/0]\n\x04", ""},
        PassCase{"keyword_line_across_a_block_boundary", kToBlockEnd + "\n%%EndSetup\n",
                 kToBlockEnd + "\n[16/0]\n%%EndSetup\n\x04", ""},
        PassCase{"line_over_several_blocks_passes_whole", kHuge + "\nbp\n" + kHuge,
                 kHuge + "\nbp\n[23/0]\n" + kHuge + "\x04", ""},
        PassCase{"cancelled_showpage", "a\nshowpage\nb\n", "a\n", "", true},
        PassCase{"cancelled_ep_after_its_event", "a\nep\nb\n", "a\n[27/1]\n", "", true},
        PassCase{"cancelled_endp_after_its_event", "bp\nendp\n", "bp\n[23/0]\n[28/1]\n", "", true},
        PassCase{"cancelled_no_page_end_no_stop", "a\nbp\n", "a\nbp\n[23/0]\n\x04", "", true},
        PassCase{"cancelled_dsc_page_not_reported", "%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n", "%%Page: 1 1\n",
                 "", true}),
    ParamName);

// Page lines ("ep" pages and DSC pages alike) only from a system of 0x1070 on.
TEST(DirectPass, PageLinesOnlyFromSystemWith0x1070) {
  const std::pair<const char*, const char*> cases[] = {
      {"11.0", "PAGE:1 3\nPAGE:2 3\n"}, {"10.9", ""}, {"10.0", ""}, {"19.0", "PAGE:1 3\nPAGE:2 3\n"}};
  for (const auto& [release, err] : cases) {
    for (const char* document : {"bp\nep\nbp\nep\n", "%%Page: 1 1\n%%Page: 2 2\n"}) {
      ResetStreamState();
      setenv("OVQ_KERNEL_RELEASE", release, 1);
      ResetGestaltCache();
      TempDir dir;
      EXPECT_EQ(RunPass(OutputPSStream, dir, document, "3").err, err) << release << " " << document;
    }
  }
  ClearStreamState();
}

TEST(SubString, CopiesInclusiveRangeInsideText) {
  const struct {
    const char* text;
    int first, last;
    const char* expected;
  } cases[] = {{"%%BeginFeature: *X Y", 0, 14, "%%BeginFeature:"},
               {"abc", 1, 1, "b"},
               {"abc", 1, 99, "bc"},
               {"abc", -3, 0, "a"},
               {"abc", 2, 1, ""},
               {"abc", 5, 9, ""},
               {nullptr, 0, 3, ""}};
  for (const auto& c : cases) {
    char* copy = GetSubString(c.text, c.first, c.last);
    ASSERT_NE(copy, nullptr);
    EXPECT_STREQ(copy, c.expected) << c.first << ".." << c.last;
    std::free(copy);
  }
}

// The buffered pass: the document goes to a temporary file first, the PJL it
// calls for goes to standard output at once, the document follows at the end.
class BufferedPass : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv("TMPDIR"), ClearStreamState(); }
  CapturedOutput Run(const std::string& input, const std::string& ppd_extra = "", const std::string& options = "",
                     StreamEventObserver observer = MarkEvent, int cancel = 0) {
    WriteFile(dir_.File("test.ppd"), TestPPD("*OVPSDecompMode: \"1\"\n" + ppd_extra));
    ResetStreamState(dir_.File("test.ppd"));
    SetStreamEventObserver(observer);
    CancelJob = cancel;
    std::filesystem::create_directories(dir_.File("tmp"));
    setenv("TMPDIR", dir_.File("tmp").c_str(), 1);
    return RunPass(OutputPSStreamtoFileandInsertPJLforFeaturePDE, dir_, input, "2", options);
  }
  TempDir dir_;
};

const std::string kRasterLines =
    "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n";
const std::string kEnterPS = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";

// The job copy holds the document where it was first written: each feature
// section's PJL right before its line, the document once.
TEST_F(BufferedPass, JobCopyHoldsDocumentOnceInWritingOrder) {
  gJobFilefp = std::fopen(dir_.File("copy.job").c_str(), "wb");
  ASSERT_NE(gJobFilefp, nullptr);
  Run("%!PS\n%%BeginFeature: *OVFrameMode True\n%%EndFeature\n");
  std::fclose(gJobFilefp);
  gJobFilefp = nullptr;
  EXPECT_EQ(MakeVisible(ReadFile(dir_.File("copy.job"))),
            MakeVisible("%!PS\n" + kRasterLines + "%%BeginFeature: *OVFrameMode True\n%%EndFeature\n\x04" + kEnterPS));
}

void MarkAndCancelAtBp(int event, int page, FILE* stream) {
  MarkEvent(event, page, stream);
  if (event == kEventBeginPage) CancelJob = 1;
}

// Whole output of the buffered pass: the document's PJL as it is found, then
// the colour-processing lines, the switch to PostScript and the document; no
// temporary file is left, whether the job ends or is cancelled.
struct BufferedCase {
  const char* name;
  std::string ppd_extra, options, input, out, err = "";
  StreamEventObserver observer = MarkEvent;
  int cancelled = 0;
};
class BufferedPassTest : public BufferedPass, public ::testing::WithParamInterface<BufferedCase> {};

TEST_P(BufferedPassTest, WritesPJLThenDocument) {
  const BufferedCase& c = GetParam();
  CapturedOutput r = Run(c.input, c.ppd_extra, c.options, c.observer, c.cancelled);
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
  EXPECT_EQ(r.err, c.err);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.File("tmp")));
}

const std::string kColorDevice = "*ColorDevice: True\n";
const std::string kDefaultTriple =
    "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n";
const std::string kPhotoDocument =
    "%!PS\n%%BeginFeature: *KQColorMode Color\n%%EndFeature\n%%BeginFeature: *KQRGBCorrection None\n"
    "%%EndFeature\n%%BeginFeature: *KQRGBImageType Photo\n%%EndFeature\n"
    "%%BeginFeature: *KQEngineScreen Auto\n%%EndFeature\n";
const std::string kPhotoSixLines =
    "@PJL SET JOBATTR=\"@TTRC=13\"\n@PJL SET JOBATTR=\"@GTRC=13\"\n@PJL SET JOBATTR=\"@ITRC=14\"\n"
    "@PJL SET JOBATTR=\"@TSCR=13\"\n@PJL SET JOBATTR=\"@GSCR=13\"\n@PJL SET JOBATTR=\"@ISCR=14\"\n";
const std::string kFrameFalse = "%!PS\n%%BeginFeature: *OVFrameMode False\n%%EndFeature\n";
const std::string kTonerSaver = TestOption("OVTonerSaver", "False", "False True");
const std::string kTonerSections = "%%BeginFeature: *OVTonerSaver True\n%%BeginFeature: *OVTonerSaver False\n";
const std::string kNulLong = "%!PS\n\0\0x\n"s + std::string(200000, 'h') + "\r\n";
const std::string kCancelledInFeatures =
    "%%BeginFeature: *OVFrameMode True\nshowpage\n%%BeginFeature: *OVFrameMode False\n";

INSTANTIATE_TEST_SUITE_P(
    Documents, BufferedPassTest,
    ::testing::Values(
        BufferedCase{"frame_mode_false_at_600", "", "OVOutputMode=HighSpeed", kFrameFalse,
                     "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n" +
                         kEnterPS + kFrameFalse + "\x04"},
        BufferedCase{"colour_photo_auto_on_other_device", "", "", kPhotoDocument,
                     kPhotoSixLines + kEnterPS + kPhotoDocument + "\x04"},
        BufferedCase{"empty_document_gets_no_closing_byte", kColorDevice, "", "", kDefaultTriple + kEnterPS},
        BufferedCase{"defaults_once_and_only_for_absent_options", kColorDevice + kTonerSaver, "", kTonerSections,
                     "@PJL SET JOBATTR=\"@TRAP=OFF\"\n@PJL SET JOBATTR=\"@GRGU=OFF\"\n@PJL SET JOBATTR=\"@PSBR=0\"\n"
                     "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n@PJL SET JOBATTR=\"@RGBG=22\"\n"
                     "@PJL SET ECONOMODE=ON\n@PJL SET ECONOMODE=OFF\n" +
                         kDefaultTriple + kEnterPS + kTonerSections + "\x04"},
        BufferedCase{"closing_byte_inside_gets_one_more", "", "", "a\x04\n", kEnterPS + "a\x04\n\x04"},
        BufferedCase{"last_line_without_line_end", "", "", "a\nlast", kEnterPS + "a\nlast\x04"},
        BufferedCase{"nul_bytes_and_long_lines_reach_the_printer", "", "", kNulLong, kEnterPS + kNulLong + "\x04"},
        BufferedCase{"cancelled_while_buffering_sends_only_earlier_pjl", "", "", kCancelledInFeatures, kRasterLines, "",
                     MarkEvent, 1},
        // Cancelled after the document was buffered: the transfer stops after the first page end.
        BufferedCase{"cancelled_during_transfer_stops_after_page_end", "", "", "a\nep\nb\nep\nbp\n",
                     kEnterPS + "a\n[27/1]\nep\n", "PAGE:1 2\nPAGE:2 2\n", MarkAndCancelAtBp}),
    ParamName);

// The real filter, cancelled by SIGTERM while it waits for the rest of the job.
TEST(StreamSignal, BufferedPassSendsNoDocumentAndLeavesNoFile) {
  TempDir dir;
  RunSpec spec = FilterRun(dir, "*OVPSDecompMode: \"1\"\n");
  spec.stdin_data = "%!PS\n%%BeginFeature: *OVFrameMode True\n%%EndFeature\n(one) pop\n";
  spec.signal_marker = "@DRDM=RASTER\"\n";
  spec.signal_number = SIGTERM;
  spec.stdin_after_signal = "showpage\n(two) pop\nshowpage\n";
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find(kRasterLines), std::string::npos) << MakeVisible(r.out);
  EXPECT_EQ(r.out.find("%!PS"), std::string::npos) << MakeVisible(r.out);
  EXPECT_EQ(r.out.find("ENTER LANGUAGE"), std::string::npos) << MakeVisible(r.out);
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    files += entry.path().filename() != "test.ppd";
  EXPECT_EQ(files, 0u);
}

// A document that opens but cannot be read (a folder) is reported; neither pass
// sends any of it. One run reports only its first failure.
TEST(StreamFailure, UnreadableDocumentIsReportedAndNothingSent) {
  TempDir dir;
  FilterArgs args("1", "", dir.path());
  for (auto pass : {OutputPSStream, OutputPSStreamtoFileandInsertPJLforFeaturePDE}) {
    CapturedOutput captured = CaptureOutput([&] { pass(7, args.argv()); });
    EXPECT_EQ(captured.out, "");
    EXPECT_EQ(JobFailed, 1);
    EXPECT_EQ(captured.err, pass == OutputPSStream ? "ERROR: Cannot read the document: Is a directory\n" : "");
  }
}

}  // namespace
