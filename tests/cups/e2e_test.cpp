// Whole jobs through a private CUPS scheduler: a queue per case with one of the
// shipped PPDs and a file: device, a real job submitted with lp, and the device
// file checked as the printer would read it. What the filter writes for each
// option in detail is for the golden cases; here each capability once, the way
// CUPS's own filters hand the job over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "escapes.h"
#include "ghostscript.h"
#include "param_name.h"
#include "run_program.h"
#include "scheduler.h"
#include "ticket_text.h"

namespace {

// A DSC document of `pages` pages that begin with "bp" and end with "ep", the
// way the watermark and finishing insertions expect them.
std::string PagedDocument(int pages) {
  std::string ps = "%!PS-Adobe-3.0\n%%Pages: " + std::to_string(pages) +
                   "\n%%EndComments\n%%BeginProlog\n/bp { /pgsave save def } bind def\n"
                   "/ep { pgsave restore showpage } bind def\n%%EndProlog\n%%BeginSetup\n%%EndSetup\n";
  for (int p = 1; p <= pages; ++p) {
    const std::string n = std::to_string(p);
    ps += "%%Page: " + n + " " + n + "\n%%BeginPageSetup\n%%EndPageSetup\nbp\n" +
          "/Helvetica findfont 24 scalefont setfont 72 700 moveto (Page " + n + ") show\nep\n";
  }
  return ps + "%%Trailer\n%%EOF\n";
}

// The documents, as Linux makes them: a DSC document with "ep" pages, PostScript
// from Ghostscript's ps2write, plain text with form feeds (CUPS's text filter),
// and 400 pages of ps2write.
const char* const kDocuments[] = {"paged.ps", "ps2write.ps", "text.txt", "long.ps"};
enum Document { kPaged, kPs2write, kText, kLong };
enum class Stamp { kNone, kEveryPage, kFirstPage };

struct JobCase {
  const char* name;
  const char* model = "OVQC300";  // PPD file stem
  Document document;
  std::string options = {};                      // as lp -o takes them
  std::vector<std::string> queue_defaults = {};  // set with lpadmin -o
  std::vector<std::string> expected = {};        // escaped texts (see Unescape) the device file holds
  std::vector<std::string> absent = {};          // escaped texts that it must not hold
  struct Counted {
    std::string text;  // escaped
    size_t times;
  };
  std::vector<Counted> counted = {};
  int copies = 1;  // made by the printer
  // The pages that show the watermark: its colour (255, 179, 179), and its text
  // once as Ghostscript draws it; no other page shows either.
  Stamp stamp = Stamp::kNone;
  const char* stamp_text = "DRAFT";
};

class SchedulerJob : public testing::TestWithParam<JobCase> {
 protected:
  static void SetUpTestSuite() {
    scheduler_ = new PrivateScheduler;
    if (!scheduler_->Start(BinaryPath("ovqfilter"), start_error_)) return;
    const std::string folder = scheduler_->Folder() + "/";
    WriteFile(folder + "paged.ps", PagedDocument(3));
    WriteFile(folder + "long-paged.ps", PagedDocument(400));
    WriteFile(folder + "text.txt", "Text page 1\n\fText page 2\n\fText page 3\n");
    auto make = [&](const std::string& device, const char* source, const char* target) {
      RunResult r = RunGhostscript({"-sDEVICE=" + device, "-sOutputFile=" + folder + target, folder + source});
      if (r.exit_status != 0) start_error_ += device + " failed: " + r.err;
    };
    make("ps2write", "paged.ps", "ps2write.ps");
    make("ps2write", "long-paged.ps", "long.ps");
  }
  static void TearDownTestSuite() { delete scheduler_; }

  static PrivateScheduler* scheduler_;
  static std::string start_error_;
};
PrivateScheduler* SchedulerJob::scheduler_ = nullptr;
std::string SchedulerJob::start_error_;

size_t Count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
  return n;
}

TEST_P(SchedulerJob, PrinterReceivesTheFramedJobAndCupsCountsItsPages) {
  const JobCase& c = GetParam();
  ASSERT_TRUE(start_error_.empty()) << start_error_;
  std::string error;
  const std::string device =
      scheduler_->AddQueue(c.name, SourcePath(std::string("ppd/") + c.model + ".ppd"), error, c.queue_defaults);
  ASSERT_FALSE(device.empty()) << error;
  const int pages = c.document == kLong ? 400 : 3;
  const std::string document = scheduler_->Folder() + "/" + kDocuments[c.document];
  const int job = scheduler_->Submit(c.name, document, c.name, "alice", c.options, error);
  ASSERT_GT(job, 0) << error;
  const JobStatus status = scheduler_->WaitForJob(job, 120);
  ASSERT_EQ(status.state, 9) << "job-state-reasons " << status.reasons << "\n" << scheduler_->ErrorLog();

  const std::string stream = ReadFile(device);
  const std::string head = MakeVisible(stream.substr(0, stream.find("%%BeginProlog")));
  for (const std::string& text : c.expected) EXPECT_NE(stream.find(Unescape(text)), std::string::npos) << text << head;
  for (const std::string& text : c.absent) EXPECT_EQ(stream.find(Unescape(text)), std::string::npos) << text << head;
  for (const auto& [text, times] : c.counted) EXPECT_EQ(Count(stream, Unescape(text)), times) << text;

  // Framing and page count, as the inspector and Ghostscript see the stream;
  // the pages in order and the document's end.
  const RunResult r = RunTool(BinaryPath("ovqinspect"), {"--pages", device});
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("Pages (Ghostscript): " + std::to_string(pages) + "\n"), std::string::npos) << r.out << r.err;
  size_t at = 0;
  for (int p = 1; p <= pages; ++p) {
    ASSERT_NE(at = stream.find("%%Page: " + std::to_string(p) + " " + std::to_string(p) + "\n", at), std::string::npos);
  }
  EXPECT_NE(stream.find("%%EOF", at), std::string::npos);
  EXPECT_EQ(status.impressions_completed, pages * c.copies) << "job-impressions-completed";

  if (c.stamp == Stamp::kNone) return;
  const std::vector<Raster> rasters = RenderWithGhostscript(device, 20);
  const std::vector<std::string> texts = PageTexts(device);
  ASSERT_EQ(rasters.size(), static_cast<size_t>(pages));
  ASSERT_EQ(texts.size(), static_cast<size_t>(pages));
  for (size_t page = 0; page < rasters.size(); ++page) {
    const bool stamped = c.stamp == Stamp::kEveryPage || page == 0;
    EXPECT_EQ(rasters[page].PixelsNear(255, 179, 179) > 20, stamped) << "page " << page + 1;
    EXPECT_EQ(Count(texts[page], c.stamp_text), stamped ? 1u : 0u) << "page " << page + 1 << ":\n" << texts[page];
  }
  // Nothing is left on the operand stack page by page: only the three objects of
  // the watermark prologue's open dictionary ("userdict/kqxInfo 2 dict dup begin").
  EXPECT_EQ(RunGhostscript({"-sDEVICE=nullpage", device, "-c", "count =="}).out, "3\n");
}

// A light red watermark (density 30) of `text`, on every page or the first only.
std::string WatermarkTicket(const std::string& text, bool first_page_only) {
  return Ticket(std::string("WMARKNameTicket=Draft WMARKTypeTicket=0 WMARKOnlyFirstTicket=") +
                (first_page_only ? "1" : "0") +
                " WMARKFontTicket=Helvetica-Bold WMARKFontSizeTicket=72 WMARKOrientationTicket=1 "
                "WMARKPaperWidthTicket=595 WMARKPaperHeightTicket=842 WMARKWidthTicket=260 WMARKHeightTicket=72 "
                "WMARKAngleTicket=0 WMARKDensityTicket=30 WMARKColorRTicket=1 WMARKColorGTicket=0 "
                "WMARKColorBTicket=0 WMARKhOffsetTicket=0 WMARKvOffsetTicket=0") +
         " nvxjobs.printsettings.WMARKTextTicket='" + text + "'";
}

const JobCase kJobs[] = {
    // Secure print with job accounting; two copies made by the printer (the
    // document once, NumCopies 2 from pstops; CUPS counts six impressions).
    {.name = "secure_print_copies_c300",
     .document = kPs2write,
     .options = "copies=2 " + Ticket("PrintTypeTicketKey=2 PrintTypeUserNameTicketKey=alice "
                                     "PrintTypePasswordTicketKey=MTIzNA== JBAManageTypeListTicketKey=2 "
                                     "JBAUserSettingRadioBtnTicket=1 JBAUserIDListCtrlTicket=2 "
                                     "JBAUserIDTextEditTicket=u100 JBAUserPasswordTextEditTicket=pw42"),
     .expected = {"\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n@PJL JOB MODE=PRINTER\\r\n@PJL SET HOLD=STORE\n",
                  "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\\r\n", "@PJL SET JOBATTR=\"@JOEP=pw42\"\\r\n",
                  "/NumCopies exch def"},
     .copies = 2},
    // A watermark on every page of a document whose pages end with "ep" (the
    // stamps at "ep", once: the EndPage procedure draws none). The finishing
    // blocks on a 2 x 1 layout do not break the page or its stamp; a line feed
    // in the text (byte-number form) is drawn as a blank.
    {.name = "watermark_blocks_2x1_c300",
     .document = kPaged,
     .options = WatermarkTicket("/40/68/82/10/65/70/84/41", false) + " " +
                Ticket("SeparatorPageListTicket=2 SeparatorPageTicket=1 BookletMarginSwitchTicket=1 "
                       "BookletMarginMMShiftTicket=5 AutoFitSwitchTicket=1") +
                " com.apple.print.PrintSettings.PMLayoutRows..n.=2 com.apple.print.PrintSettings.PMLayoutColumns..n.=1",
     .stamp = Stamp::kEveryPage,
     .stamp_text = "DR AFT"},
    {.name = "watermark_text_first_page_c500",
     .model = "OVQC500",
     .document = kText,
     .options = WatermarkTicket("(DRAFT)", true),
     .stamp = Stamp::kFirstPage},
    // Hundreds of showpage pages (the EndPage procedure stamps them) through
    // pstops, which writes "%%EndPageSetup" twice a page. The text's unbalanced
    // ")" is escaped.
    {.name = "watermark_long_c300",
     .document = kLong,
     .options = WatermarkTicket("(Draft :))", false),
     .counted = {{.text = "\nkqxbp\n", .times = 2 * 400}},
     .stamp = Stamp::kEveryPage,
     .stamp_text = "Draft :)"},
    // Booklet and finishing on the UTF-8 model.
    {.name = "finishing_u700",
     .model = "OVQU700",
     .document = kPs2write,
     .options = "OVStaple=Left OVSignature=BookletLeft OVSigVol=10Sheet sides=two-sided-long-edge",
     .expected = {"\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n", "@PJL SET JOBATTR=\"@DIBK=MANUALDIVIDE\"\n",
                  "@PJL COMMENT KQJOBINFO DUPLEXTYPE=TUMBLE\n", "@PJL COMMENT KQJOBINFO STAPLE=ON\n"}},
    // Perfect binding as the queue's defaults (lpadmin -o changes the PPD's
    // default choices) and a job that names none of its options.
    {.name = "perfect_binding_queue_defaults_u700",
     .model = "OVQU700",
     .document = kPaged,
     .queue_defaults = {"OVPBindPosition=BindLeft", "OVPBindTrimming=1EdgeSpecifySize"},
     .expected = {"@PJL SET JOBATTR=\"@PBRE=LEFT\"\n@PJL SET JOBATTR=\"@MSDA=ROTSEFLAND\"\n"
                  "@PJL SET JOBATTR=\"@PBTC=FACE\"\n@PJL SET JOBATTR=\"@PBBP=A4\"\n@PJL SET JOBATTR=\"@PBTP=A5\"\n"}},
    // Special pages: the XML job ticket precedes the PJL; the buffered pass of
    // the colour model derives its colour lines from the document's features.
    {.name = "special_pages_c500",
     .model = "OVQC500",
     .document = kPs2write,
     .options = Ticket("QPIFCoverCountTicket=1 QPIFCoverValueTicket_0=0,1,front,stationery,white,100,200"),
     .expected = {"<cover-type syntax=\"keyword\">front</cover-type>\n",
                  "</qpif>\n\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n",
                  "@PJL SET JOBATTR=\"@ISCR=12\"\n@PJL ENTER LANGUAGE=POSTSCRIPT\n"}},
    // The monochrome model: halftone lines from its feature section, no colour
    // triples; a delayed job.
    {.name = "mono_m200",
     .model = "OVQM200",
     .document = kText,
     .options = "OVHalftone=Gradation " + Ticket("PrintTypeTicketKey=4 DelayPrintTicketKey=2026:12:24:18:30"),
     .expected = {"@PJL SET JOBATTR=\"@PRTM=2026:12:24:18:30\"\\r\n", "@PJL SET JOBATTR=\"@ISCR=66\"\n"},
     .absent = {"@TCPR="}},
};
INSTANTIATE_TEST_SUITE_P(Jobs, SchedulerJob, testing::ValuesIn(kJobs), RowName());

}  // namespace
