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
#include "run_program.h"
#include "stream_capture.h"

namespace {

using namespace std::string_literals;

constexpr size_t kBlock = 128 * 1024;  // the passes read the input in blocks of this size

struct PassCase {
  const char* name;
  std::string input;
  std::string out;  // what standard output receives
  std::string err;  // page lines
};

std::ostream& operator<<(std::ostream& os, const PassCase& c) { return os << c.name; }

CapturedOutput RunDirectPass(const TempDir& dir, const std::string& input, const std::string& copies = "2") {
  WriteFile(dir.File("job.ps"), input);
  FilterArgs args(copies, "", dir.File("job.ps"));
  args.ReadTickets();
  return CaptureOutput([&] { OutputPSStream(args.argc(), args.argv()); });
}

class DirectPassTest : public ::testing::TestWithParam<PassCase> {
 protected:
  void SetUp() override { ResetStreamState(); }
  void TearDown() override { SetStreamEventObserver(nullptr); }
  TempDir dir_;
};

TEST_P(DirectPassTest, WritesDocumentWithEvents) {
  const PassCase& c = GetParam();
  CapturedOutput r = RunDirectPass(dir_, c.input);
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
  EXPECT_EQ(r.err, c.err);
}

const std::string kLong8064(8064, 'x');
const std::string kLong8065(8065, 'x');

// Keyword lines sit at the block boundary or run across several blocks.
std::string AcrossBlock(const std::string& line) { return std::string(kBlock - 5 - 1, 'a') + "\n" + line + "\n"; }
const std::string kHuge(3 * kBlock + 17, 'y');

INSTANTIATE_TEST_SUITE_P(
    Lines, DirectPassTest,
    ::testing::Values(
        PassCase{"every_event_at_its_moment",
                 "%!PS\n%%BeginProlog\n%%EndProlog\n%%EndSetup\nuserdict/setpagedevice{pop}bind put\n"
                 "%%EndPageSetup\nbp\nx\nep\n",
                 "%!PS\n%%BeginProlog\n[13/0]\n[14/0]\n%%EndProlog\n[16/0]\n%%EndSetup\n[21/0]\n"
                 "userdict/setpagedevice{pop}bind put\n%%EndPageSetup\n[24/0]\nbp\n[23/0]\nx\n[27/1]\nep\n\x04",
                 "PAGE:1 2\n"},
        PassCase{"cr_lf_pairs_kept_each_end_makes_a_line",
                 "%%BeginProlog\r\n%%EndSetup\r\nbp\r\nshowpage\r\nep\r\n",
                 "%%BeginProlog\r[13/0]\n\n[16/0]\n%%EndSetup\r\nbp\r[23/0]\n\nshowpage\r\n[27/1]\nep\r\n\x04",
                 "PAGE:1 2\n"},
        PassCase{"cr_only_line_ends", "bp\rep\r", "bp\r[23/0]\n[27/1]\nep\r\x04", "PAGE:1 2\n"},
        PassCase{"second_end_prolog_raises_nothing", "%%EndProlog\n%%EndProlog\n",
                 "[14/0]\n%%EndProlog\n%%EndProlog\n\x04", ""},
        PassCase{"page_counter_counts_ep_and_endp_endp_writes_no_page_line", "ep\nendp\nep\n",
                 "[27/1]\nep\n[28/2]\nendp\n[27/3]\nep\n\x04", "PAGE:1 2\nPAGE:3 2\n"},
        PassCase{"keywords_compare_whole_lines", " ep\nep \nEP\n%%EndProlog \nbp2\nshowpage x\n",
                 " ep\nep \nEP\n%%EndProlog \nbp2\nshowpage x\n\x04", ""},
        PassCase{"last_line_without_line_end", "a\nlast", "a\nlast\x04", ""},
        PassCase{"last_line_without_end_is_still_a_keyword_line", "a\nep", "a\n[27/1]\nep\x04", "PAGE:1 2\n"},
        PassCase{"empty_document", "", "\x04", ""},
        PassCase{"nul_bytes_pass_through_and_spoil_no_keyword", "a\0b\nep\0\n\0\nbp\n"s,
                 "a\0b\nep\0\n\0\nbp\n[23/0]\n\x04"s, ""},
        PassCase{"line_of_8064_bytes_is_whole", kLong8064 + "\nep\n", kLong8064 + "\n[27/1]\nep\n\x04",
                 "PAGE:1 2\n"},
        PassCase{"line_cut_in_pieces_is_never_a_keyword_line", kLong8065 + "ep\n" + kLong8065 + "\nbp\n",
                 kLong8065 + "ep\n" + kLong8065 + "\nbp\n[23/0]\n\x04", ""},
        PassCase{"keyword_line_across_a_block_boundary", AcrossBlock("%%EndSetup"),
                 std::string(kBlock - 6, 'a') + "\n[16/0]\n%%EndSetup\n\x04", ""},
        PassCase{"line_over_several_blocks_passes_whole", kHuge + "\nbp\n" + kHuge,
                 kHuge + "\nbp\n[23/0]\n" + kHuge + "\x04", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DirectPass, PageLinesOnlyFromSystemWith0x1070) {
  struct {
    const char* release;
    const char* err;
  } const cases[] = {{"11.0", "PAGE:1 3\nPAGE:2 3\n"}, {"10.9", ""}, {"10.0", ""}, {"19.0", "PAGE:1 3\nPAGE:2 3\n"}};
  for (const auto& c : cases) {
    ResetStreamState();
    setenv("OVQ_KERNEL_RELEASE", c.release, 1);
    ResetGestaltCache();
    TempDir dir;
    CapturedOutput r = RunDirectPass(dir, "bp\nep\nbp\nep\n", "3");
    EXPECT_EQ(r.err, c.err) << c.release;
  }
  unsetenv("OVQ_KERNEL_RELEASE");
  ResetGestaltCache();
  SetStreamEventObserver(nullptr);
}

TEST(DirectPass, MissingInputFileWritesNothing) {
  ResetStreamState();
  TempDir dir;
  FilterArgs args("1", "", dir.File("absent.ps"));
  args.ReadTickets();
  CapturedOutput r = CaptureOutput([&] { OutputPSStream(args.argc(), args.argv()); });
  EXPECT_EQ(r.out, "");
  SetStreamEventObserver(nullptr);
}

// A cancelled job stops at the first page end: the line is not written, the
// "ep" event is still raised before the test, and no 0x04 follows.
struct CancelCase {
  const char* name;
  std::string input;
  std::string out;
};

class CancelledDirectPassTest : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelledDirectPassTest, StopsAtFirstPageEnd) {
  ResetStreamState();
  CancelJob = 1;
  TempDir dir;
  CapturedOutput r = RunDirectPass(dir, GetParam().input);
  CancelJob = 0;
  SetStreamEventObserver(nullptr);
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(GetParam().out));
  EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(Cancel, CancelledDirectPassTest,
                         ::testing::Values(CancelCase{"showpage", "a\nshowpage\nb\n", "a\n"},
                                           CancelCase{"ep_after_its_event", "a\nep\nb\n", "a\n[27/1]\n"},
                                           CancelCase{"endp_after_its_event", "bp\nendp\n", "bp\n[23/0]\n[28/1]\n"},
                                           CancelCase{"no_page_end_no_stop", "a\nbp\n", "a\nbp\n[23/0]\n\x04"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SubString, CopiesInclusiveRangeInsideText) {
  struct {
    const char* text;
    int first;
    int last;
    const char* expected;
  } const cases[] = {{"%%BeginFeature: *X Y", 0, 14, "%%BeginFeature:"},
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
class BufferedPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_.File("test.ppd"), TestPPD("*OVPSDecompMode: \"1\"\n"));
    ResetStreamState(dir_.File("test.ppd"));
    std::filesystem::create_directory(dir_.File("tmp"));
    setenv("TMPDIR", dir_.File("tmp").c_str(), 1);
  }
  void TearDown() override {
    CancelJob = 0;
    unsetenv("TMPDIR");
    unsetenv("PPD");
    CloseJobPPD();
    SetStreamEventObserver(nullptr);
  }
  CapturedOutput Run(const std::string& input) {
    WriteFile(dir_.File("job.ps"), input);
    FilterArgs args("2", "", dir_.File("job.ps"));
    args.ReadTickets();
    return CaptureOutput([&] { OutputPSStreamtoFileandInsertPJLforFeaturePDE(args.argc(), args.argv()); });
  }
  bool TempFolderEmpty() { return std::filesystem::is_empty(dir_.File("tmp")); }
  TempDir dir_;
};

const std::string kRasterLines =
    "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n";

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST_F(BufferedPassTest, FeaturePJLComesFirstDocumentLast) {
  CapturedOutput r = Run("%!PS\n%%BeginFeature: *OVFrameMode True\n%%EndFeature\nbp\nep\n");
  EXPECT_EQ(MakeVisible(r.out),
            MakeVisible(kRasterLines + "@PJL ENTER LANGUAGE=POSTSCRIPT\n%!PS\n%%BeginFeature: *OVFrameMode True\n"
                                       "%%EndFeature\nbp\n[23/0]\n[27/1]\nep\n\x04"));
  EXPECT_EQ(r.err, "PAGE:1 2\n");
  EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(BufferedPassTest, ClosingByteAddedOnlyWhenMissing) {
  struct {
    std::string input;
    std::string tail;
  } const cases[] = {{"a\nb\x04", "\na\nb\x04"}, {"a\x04\n", "\na\x04\n\x04"}, {"a\nlast", "\na\nlast\x04"}};
  for (const auto& c : cases) {
    CapturedOutput r = Run(c.input);
    EXPECT_TRUE(EndsWith(r.out, c.tail)) << MakeVisible(r.out);
    EXPECT_FALSE(EndsWith(r.out, c.tail + "\x04")) << MakeVisible(r.out);
  }
}

TEST_F(BufferedPassTest, EmptyDocumentGetsNoClosingByte) {
  CapturedOutput r = Run("");
  EXPECT_EQ(r.out, "@PJL ENTER LANGUAGE=POSTSCRIPT\n");
  EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(BufferedPassTest, NulBytesAndLongLinesReachThePrinter) {
  std::string document = "%!PS\n\0\0x\n"s + std::string(200000, 'h') + "\r\n";
  CapturedOutput r = Run(document);
  EXPECT_TRUE(EndsWith(r.out, "POSTSCRIPT\n" + document + "\x04")) << r.out.size();
}

TEST_F(BufferedPassTest, CancelledWhileBufferingSendsOnlyEarlierPJL) {
  CancelJob = 1;
  CapturedOutput r = Run("%%BeginFeature: *OVFrameMode True\nshowpage\n%%BeginFeature: *OVFrameMode False\n");
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(kRasterLines));
  EXPECT_TRUE(TempFolderEmpty());
}

void MarkAndCancelAtBp(int event, int page, FILE* stream) {
  MarkEvent(event, page, stream);
  if (event == kEventBeginPage) CancelJob = 1;
}

// Cancelled after the document was buffered: the transfer stops after the
// first page end.
TEST_F(BufferedPassTest, CancelledDuringTransferStopsAfterPageEnd) {
  SetStreamEventObserver(MarkAndCancelAtBp);
  CapturedOutput r = Run("a\nep\nb\nep\nbp\n");
  EXPECT_EQ(MakeVisible(r.out), MakeVisible("@PJL ENTER LANGUAGE=POSTSCRIPT\na\n[27/1]\nep\n"));
  EXPECT_EQ(r.err, "PAGE:1 2\nPAGE:2 2\n");
  EXPECT_TRUE(TempFolderEmpty());
}

// The job copy holds the document where it was first written: each feature
// section's PJL right before its line, the document once.
TEST_F(BufferedPassTest, JobCopyHoldsDocumentOnceInWritingOrder) {
  gJobFilefp = std::fopen(dir_.File("copy.job").c_str(), "wb");
  ASSERT_NE(gJobFilefp, nullptr);
  CapturedOutput r = Run("%!PS\n%%BeginFeature: *OVFrameMode True\n%%EndFeature\n");
  std::fclose(gJobFilefp);
  gJobFilefp = nullptr;
  std::string copy = ReadFile(dir_.File("copy.job"));
  std::string head = "%!PS\n" + kRasterLines + "%%BeginFeature: *OVFrameMode True\n%%EndFeature\n\x04";
  EXPECT_EQ(MakeVisible(copy), MakeVisible(head + "@PJL ENTER LANGUAGE=POSTSCRIPT\n"));
}

// Whole output of the buffered pass: the document's PJL as it is found, then
// the colour-processing lines, the switch to PostScript and the document.
struct BufferedCase {
  const char* name;
  std::string ppd_extra;
  std::string options;
  std::string input;
  std::string out;
};

std::ostream& operator<<(std::ostream& os, const BufferedCase& c) { return os << c.name; }

class BufferedOutputTest : public ::testing::TestWithParam<BufferedCase> {
 protected:
  void TearDown() override {
    unsetenv("TMPDIR");
    unsetenv("PPD");
    CloseJobPPD();
    SetStreamEventObserver(nullptr);
  }
  TempDir dir_;
};

TEST_P(BufferedOutputTest, WritesPJLThenDocument) {
  const BufferedCase& c = GetParam();
  WriteFile(dir_.File("test.ppd"), TestPPD("*OVPSDecompMode: \"1\"\n" + c.ppd_extra));
  ResetStreamState(dir_.File("test.ppd"));
  SetStreamEventObserver(nullptr);
  setenv("TMPDIR", dir_.path().c_str(), 1);
  WriteFile(dir_.File("job.ps"), c.input);
  FilterArgs args("1", c.options, dir_.File("job.ps"));
  args.ReadTickets();
  CapturedOutput r =
      CaptureOutput([&] { OutputPSStreamtoFileandInsertPJLforFeaturePDE(args.argc(), args.argv()); });
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.out));
}

const std::string kEnterPS = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
const std::string kColorDevice = "*ColorDevice: True\n";
const std::string kKeyDefaults =
    "@PJL SET JOBATTR=\"@TRAP=OFF\"\n@PJL SET JOBATTR=\"@GRGU=OFF\"\n@PJL SET JOBATTR=\"@PSBR=0\"\n"
    "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n@PJL SET JOBATTR=\"@RGBG=22\"\n@PJL SET ECONOMODE=OFF\n";
const std::string kPhotoDocument =
    "%!PS\n%%BeginFeature: *KQColorMode Color\n%%EndFeature\n%%BeginFeature: *KQRGBCorrection None\n"
    "%%EndFeature\n%%BeginFeature: *KQRGBImageType Photo\n%%EndFeature\n"
    "%%BeginFeature: *KQEngineScreen Auto\n%%EndFeature\n";
const std::string kPhotoLines =
    "@PJL SET JOBATTR=\"@TCPR=13\"\n@PJL SET JOBATTR=\"@GCPR=13\"\n@PJL SET JOBATTR=\"@ICPR=14\"\n"
    "@PJL SET JOBATTR=\"@TTRC=13\"\n@PJL SET JOBATTR=\"@GTRC=13\"\n@PJL SET JOBATTR=\"@ITRC=14\"\n"
    "@PJL SET JOBATTR=\"@TSCR=13\"\n@PJL SET JOBATTR=\"@GSCR=13\"\n@PJL SET JOBATTR=\"@ISCR=14\"\n";
const std::string kFrameFalse = "%!PS\n%%BeginFeature: *OVFrameMode False\n%%EndFeature\n";
const std::string kSixPairs = "% TSCR=61 GSCR=61 ISCR=61 TTRC=62 GTRC=62 ITRC=62\nshowpage\n";

INSTANTIATE_TEST_SUITE_P(
    Documents, BufferedOutputTest,
    ::testing::Values(
        BufferedCase{"frame_mode_false_at_1200", "", "OVOutputMode=1200x1200", kFrameFalse,
                     "@PJL SET RESOLUTION=1200\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n" +
                         kEnterPS + kFrameFalse + "\x04"},
        BufferedCase{"frame_mode_false_at_600", "", "OVOutputMode=HighSpeed", kFrameFalse,
                     "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n" +
                         kEnterPS + kFrameFalse + "\x04"},
        BufferedCase{"colour_photo_auto_on_colour_device", kColorDevice, "", kPhotoDocument,
                     kKeyDefaults + kPhotoLines + kEnterPS + kPhotoDocument + "\x04"},
        BufferedCase{"colour_photo_auto_on_other_device", "", "", kPhotoDocument,
                     kPhotoLines.substr(kPhotoLines.find("@PJL SET JOBATTR=\"@TTRC")) + kEnterPS + kPhotoDocument +
                         "\x04"},
        BufferedCase{"ppd_choice_line", "", "", "%%BeginFeature: *OVBrightnes Dark3\n",
                     "@PJL SET JOBATTR=\"@PSBR=-3\"\n" + kEnterPS + "%%BeginFeature: *OVBrightnes Dark3\n\x04"},
        BufferedCase{"monochrome_gradation", "*ColorDevice: False\n", "", "%%BeginFeature: *OVHalftone Gradation\n",
                     "@PJL SET JOBATTR=\"@TTRC=66\"\n@PJL SET JOBATTR=\"@GTRC=66\"\n@PJL SET JOBATTR=\"@ITRC=66\"\n"
                     "@PJL SET JOBATTR=\"@TSCR=66\"\n@PJL SET JOBATTR=\"@GSCR=66\"\n@PJL SET JOBATTR=\"@ISCR=66\"\n" +
                         kEnterPS + "%%BeginFeature: *OVHalftone Gradation\n\x04"},
        BufferedCase{"comment_line_pairs", "", "", kSixPairs,
                     "@PJL SET JOBATTR=\"@TSCR=61\"\n@PJL SET JOBATTR=\"@GSCR=61\"\n@PJL SET JOBATTR=\"@ISCR=61\"\n"
                     "@PJL SET JOBATTR=\"@TTRC=62\"\n@PJL SET JOBATTR=\"@GTRC=62\"\n@PJL SET JOBATTR=\"@ITRC=62\"\n" +
                         kEnterPS + kSixPairs + "\x04"},
        BufferedCase{"empty_document_on_colour_device", kColorDevice, "", "",
                     "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n" +
                         kEnterPS},
        BufferedCase{"defaults_once_and_only_for_absent_options",
                     kColorDevice + "*OpenUI *OVTonerSaver: PickOne\n*DefaultOVTonerSaver: False\n"
                                    "*OVTonerSaver False: \"\"\n*OVTonerSaver True: \"\"\n*CloseUI: *OVTonerSaver\n",
                     "", "%%BeginFeature: *OVTonerSaver True\n%%BeginFeature: *OVTonerSaver False\n",
                     kKeyDefaults.substr(0, kKeyDefaults.find("@PJL SET ECONOMODE")) +
                         "@PJL SET ECONOMODE=ON\n@PJL SET ECONOMODE=OFF\n"
                         "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n" +
                         kEnterPS + "%%BeginFeature: *OVTonerSaver True\n%%BeginFeature: *OVTonerSaver False\n\x04"}),
    [](const auto& info) { return std::string(info.param.name); });

// The real filter, cancelled by SIGTERM while it waits for the rest of the job.
class StreamSignalTest : public ::testing::Test {
 protected:
  RunSpec Spec(const std::string& ppd_extra) {
    WriteFile(dir_.File("test.ppd"), TestPPD(ppd_extra));
    RunSpec spec;
    spec.program = BinaryPath("ovqfilter");
    spec.args = {"7", "alice", "Title", "1", ""};
    spec.env["PPD"] = dir_.File("test.ppd");
    spec.env["TMPDIR"] = dir_.path();
    spec.env["OVQ_KERNEL_RELEASE"] = std::nullopt;
    spec.signal_number = SIGTERM;
    return spec;
  }
  size_t FilesLeft() {
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      if (entry.path().filename() != "test.ppd") ++count;
    }
    return count;
  }
  TempDir dir_;
};

TEST_F(StreamSignalTest, DirectPassStopsBeforeSecondShowpage) {
  RunSpec spec = Spec("");
  spec.stdin_data = "%!PS\n(one) pop\nshowpage\n";
  spec.signal_marker = "showpage\n";
  spec.stdin_after_signal = "(two) pop\nshowpage\n(three) pop\nshowpage\n";
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  size_t at = r.out.find("%!PS\n");
  ASSERT_NE(at, std::string::npos) << MakeVisible(r.out);
  std::string rest = r.out.substr(at);
  EXPECT_EQ(MakeVisible(rest), MakeVisible("%!PS\n(one) pop\nshowpage\n(two) pop\n\x1b%-12345X@PJL EOJ\n"));
}

TEST_F(StreamSignalTest, BufferedPassSendsNoDocumentAndLeavesNoFile) {
  RunSpec spec = Spec("*OVPSDecompMode: \"1\"\n");
  spec.stdin_data = "%!PS\n%%BeginFeature: *OVFrameMode True\n%%EndFeature\n(one) pop\n";
  spec.signal_marker = "@DRDM=RASTER\"\n";
  spec.stdin_after_signal = "showpage\n(two) pop\nshowpage\n";
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find("@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=1\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n"),
            std::string::npos)
      << MakeVisible(r.out);
  EXPECT_EQ(r.out.find("%!PS"), std::string::npos) << MakeVisible(r.out);
  EXPECT_EQ(r.out.find("ENTER LANGUAGE"), std::string::npos) << MakeVisible(r.out);
  EXPECT_EQ(FilesLeft(), 0u);
}

}  // namespace
