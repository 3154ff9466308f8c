// Whole jobs through a private CUPS scheduler: a queue per case with one of the
// shipped PPDs and a file: device, a real job submitted with lp, and the device
// file checked as the printer would read it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "escapes.h"
#include "ghostscript.h"
#include "param_name.h"
#include "run_program.h"
#include "scheduler.h"

namespace {

// A DSC document whose pages begin with "bp" and end with "ep", the way the
// watermark and finishing insertions expect them; every page shows its number.
std::string PagedDocument(int pages) {
  std::string ps =
      "%!PS-Adobe-3.0\n%%Title: e2e\n%%Pages: " + std::to_string(pages) +
      "\n%%EndComments\n%%BeginProlog\n/bp { /pgsave save def } bind def\n/ep { pgsave restore showpage } bind def\n"
      "%%EndProlog\n%%BeginSetup\n%%EndSetup\n";
  for (int p = 1; p <= pages; ++p) {
    std::string n = std::to_string(p);
    ps += "%%Page: " + n + " " + n +
          "\n%%BeginPageSetup\n%%EndPageSetup\nbp\n/Helvetica findfont 24 scalefont setfont\n"
          "72 700 moveto (Page " +
          n + " of " + std::to_string(pages) + ") show\nep\n";
  }
  return ps + "%%Trailer\n%%EOF\n";
}

// A plain text with form feeds: CUPS's text filters make one page per part.
std::string TextDocument(int pages) {
  std::string text;
  for (int p = 1; p <= pages; ++p) {
    if (p > 1) text += "\f";
    for (int line = 1; line <= 20; ++line) {
      text += "Text page " + std::to_string(p) + ", line " + std::to_string(line) + "\n";
    }
  }
  return text;
}

// kPaged is the DSC document above; the others are made the way Linux makes
// them: PostScript from Ghostscript's ps2write (also one of kLongPages), a PDF
// from Ghostscript (CUPS's pdftops turns it into PostScript), plain text.
enum class Document { kPaged, kPs2write, kText, kPdf, kLong };
enum class Stamp { kNone, kEveryPage, kFirstPage };

struct JobCase {
  const char* name;
  const char* model;  // PPD file stem
  Document document;
  const char* title = "";
  const char* user = "";
  std::string options = {};                                  // space-separated, as lp -o takes them
  std::vector<std::string> queue_defaults = {};              // name=value, set with lpadmin -p QUEUE -o
  std::vector<std::string> expected = {};                    // escaped texts (see Unescape) the device file holds
  std::vector<std::string> absent = {};                      // escaped texts that it must not hold
  std::vector<std::pair<std::string, size_t>> counted = {};  // escaped texts and how often they occur
  int copies = 1;  // made by the printer: CUPS counts pages × copies impressions
  // The pages that show the watermark: its colour (255, 179, 179), and its text
  // once as Ghostscript draws it; no other page shows either.
  Stamp stamp = Stamp::kNone;
  const char* stamp_text = "DRAFT";
  // A device file that takes nothing (/dev/full, a full file system): the job
  // must end stopped or aborted, never completed.
  const char* failing_device = nullptr;
};

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }

constexpr int kPages = 3;        // of every document
constexpr int kLongPages = 400;  // but kLong

int PageCount(Document document) { return document == Document::kLong ? kLongPages : kPages; }

struct Rendered {
  std::vector<size_t> stamp_pixels;  // per page: pixels of about the watermark's colour
  std::vector<std::string> texts;    // per page: the text Ghostscript draws
  std::string stack_after_job;       // the operand stack's depth after the job
};

// The whole stream as Ghostscript draws it at 20 dpi, and its text.
Rendered Render(const std::string& stream_file) {
  TempDir dir;
  Rendered rendered;
  const std::vector<std::string> gs = {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"};
  std::vector<std::string> count = gs, text = gs;
  count.insert(count.end(), {"-sDEVICE=nullpage", stream_file, "-c", "count =="});
  text.insert(text.end(), {"-sDEVICE=txtwrite", "-sOutputFile=" + dir.File("page-%d.txt"), stream_file});
  rendered.stack_after_job = RunTool("/usr/bin/gs", count).out;
  RunTool("/usr/bin/gs", text);
  int number = 0;
  for (const Raster& page : RenderWithGhostscript(stream_file, 20).pages) {
    rendered.stamp_pixels.push_back(page.PixelsNear(255, 179, 179));
    rendered.texts.push_back(ReadFile(dir.File("page-" + std::to_string(++number) + ".txt")));
  }
  return rendered;
}

size_t Count(const std::string& haystack, const std::string& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + 1)) ++n;
  return n;
}

class SchedulerJob : public testing::TestWithParam<JobCase> {
 protected:
  static void SetUpTestSuite() {
    scheduler_ = new PrivateScheduler;
    if (!scheduler_->Start(BinaryPath("ovqfilter"), start_error_)) return;
    std::string folder = scheduler_->Folder();
    WriteFile(folder + "/paged.ps", PagedDocument(kPages));
    WriteFile(folder + "/text.txt", TextDocument(kPages));
    WriteFile(folder + "/long-paged.ps", PagedDocument(kLongPages));
    const struct {
      const char *device, *source, *target;
    } made[] = {{"ps2write", "/paged.ps", "/ps2write.ps"},
                {"ps2write", "/long-paged.ps", "/long.ps"},
                {"pdfwrite", "/paged.ps", "/paged.pdf"}};
    for (const auto& m : made) {
      RunResult r =
          RunTool("/usr/bin/gs", {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", std::string("-sDEVICE=") + m.device,
                                  "-sOutputFile=" + folder + m.target, folder + m.source});
      if (r.exit_status != 0) start_error_ += std::string(m.device) + " failed: " + r.err;
    }
  }

  static void TearDownTestSuite() {
    delete scheduler_;
    scheduler_ = nullptr;
  }

  static PrivateScheduler* scheduler_;
  static std::string start_error_;
};

PrivateScheduler* SchedulerJob::scheduler_ = nullptr;
std::string SchedulerJob::start_error_;

TEST_P(SchedulerJob, PrinterReceivesTheFramedJobAndCupsCountsItsPages) {
  const JobCase& c = GetParam();
  ASSERT_TRUE(start_error_.empty()) << start_error_;
  std::string error;
  std::string device = scheduler_->AddQueue(c.name, SourcePath(std::string("ppd/") + c.model + ".ppd"), error,
                                            c.queue_defaults, c.failing_device != nullptr ? c.failing_device : "");
  ASSERT_FALSE(device.empty()) << error;
  const char* documents[] = {"/paged.ps", "/ps2write.ps", "/text.txt", "/paged.pdf", "/long.ps"};
  const int pages = PageCount(c.document);
  std::string document = scheduler_->Folder() + documents[static_cast<int>(c.document)];
  int job = scheduler_->Submit(c.name, document, c.title, c.user, c.options, error);
  ASSERT_GT(job, 0) << error;
  JobStatus status = scheduler_->WaitForJob(job, 120);
  if (c.failing_device != nullptr) {
    std::string state = scheduler_->JobStateFromIpptool(job);
    EXPECT_TRUE(state == "aborted" || state == "processing-stopped") << state << "\n" << scheduler_->ErrorLog();
    return;
  }
  ASSERT_EQ(status.state, 9) << "job-state-reasons " << status.reasons << "\n" << scheduler_->ErrorLog();

  std::string stream = ReadFile(device);
  std::string head = MakeVisible(stream.substr(0, stream.find("%%BeginProlog")));
  for (const std::string& text : c.expected) {
    EXPECT_NE(stream.find(Unescape(text)), std::string::npos) << "missing: " << text << "\n" << head;
  }
  for (const std::string& text : c.absent) {
    EXPECT_EQ(stream.find(Unescape(text)), std::string::npos) << "present: " << text << "\n" << head;
  }
  for (const auto& [text, times] : c.counted) EXPECT_EQ(Count(stream, Unescape(text)), times) << text;

  // Framing and page count, as the inspector and Ghostscript see the stream.
  RunResult r = RunTool(BinaryPath("ovqinspect"), {"--pages", device});
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("Pages (Ghostscript): " + std::to_string(pages) + "\n"), std::string::npos) << r.out << r.err;

  // The PostScript keeps every page of the document, in order, and its end.
  size_t at = 0;
  for (int p = 1; p <= pages; ++p) {
    std::string page = "%%Page: " + std::to_string(p) + " " + std::to_string(p) + "\n";
    ASSERT_NE(at = stream.find(page, at), std::string::npos) << page;
  }
  EXPECT_NE(stream.find("%%EOF", at), std::string::npos);
  EXPECT_EQ(status.impressions_completed, pages * c.copies) << "job-impressions-completed";

  if (c.stamp == Stamp::kNone) return;
  Rendered rendered = Render(device);
  ASSERT_EQ(rendered.stamp_pixels.size(), static_cast<size_t>(pages));
  for (size_t page = 0; page < rendered.stamp_pixels.size(); ++page) {
    bool stamped = c.stamp == Stamp::kEveryPage || page == 0;
    EXPECT_EQ(rendered.stamp_pixels[page] > 20, stamped) << "page " << page + 1 << ": " << rendered.stamp_pixels[page];
    EXPECT_EQ(Count(rendered.texts[page], c.stamp_text), stamped ? 1u : 0u) << "page " << page + 1 << ":\n"
                                                                            << rendered.texts[page];
  }
  // Nothing is left on the operand stack page by page: only the three objects of
  // the watermark prologue's open dictionary ("userdict/kqxInfo 2 dict dup begin").
  EXPECT_EQ(rendered.stack_after_job, "3\n");
}

// Options of the print dialogs' tickets: "nvxjobs.printsettings." before each name.
std::string Ticket(const std::string& names) {
  std::istringstream in(names);
  std::string out;
  for (std::string name; in >> name;) out += (out.empty() ? "" : " ") + ("nvxjobs.printsettings." + name);
  return out;
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
    // A plain job on the direct pass: the header frames the document.
    {.name = "plain_c300",
     .model = "OVQC300",
     .document = Document::kPs2write,
     .title = "Plain job",
     .expected = {"\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n@PJL JOB MODE=PRINTER\\r\n",
                  "@PJL SET RENDERMODE=COLOR\n", "@PJL COMMENT KQJOBINFO BEGIN\n",
                  "@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n", "@PJL ENTER LANGUAGE=POSTSCRIPT\n%!PS-Adobe-3.0\n",
                  "\\x04\\e%-12345X@PJL EOJ\n"},
     .absent = {"@PJL SET HOLD"}},
    // Secure print with a user ID for job accounting.
    {.name = "secure_print_c300",
     .model = "OVQC300",
     .document = Document::kText,
     .title = "Quarterly report",
     .user = "alice",
     .options = Ticket("PrintTypeTicketKey=2 PrintTypeUserNameTicketKey=alice PrintTypePasswordTicketKey=MTIzNA== "
                       "DocumentNameTypeTicketKey=1 PrintTypeProductTypeTicketKey=1 JBAManageTypeListTicketKey=2 "
                       "JBAUserSettingRadioBtnTicket=1 JBAUserIDListCtrlTicket=2 JBAUserIDTextEditTicket=u100 "
                       "JBAUserPasswordTextEditTicket=pw42"),
     .expected = {"@PJL JOB MODE=PRINTER\\r\n@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n",
                  "@PJL SET USERNAME=\"alice\"\\r\n", "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\\r\n",
                  "@PJL SET JOBNAME=\"Quarterly report\"\\r\n", "@PJL COMMENT DNAME=Quarterly report\n",
                  "@PJL SET JOBATTR=\"@LUNA=alice\"\n", "@PJL SET JOBATTR=\"@JOAU=u100\"\\r\n",
                  "@PJL SET JOBATTR=\"@JOEP=pw42\"\\r\n"}},
    // A watermark on every page of a document whose pages end with "ep": the
    // stamps at "ep"; the EndPage procedure draws none.
    {.name = "watermark_c300",
     .model = "OVQC300",
     .document = Document::kPaged,
     .title = "Watermarked",
     .options = WatermarkTicket("(DRAFT)", false),
     .expected = {"%%BeginProlog\nuserdict/kqxInfo 2 dict dup begin\n/kqxpgsave 0 def\n"
                  "/kqxbp{/kqxpgsave save restore pop} bind def\n%%BeginResource: procset kqxWatermark 1.0 0\n",
                  "pgsave restore /pgsave save store gsave\n1.00 0.70 0.70 setrgbcolor\n"
                  "/Helvetica-Bold 72 selectfont\n167.50 385.00 moveto\n0 rotate\n(DRAFT) show\ngrestore\nep\n"},
     .counted = {{"(DRAFT) show\n", 3 + 1}, {"%%EndPageSetup\nkqxbp\n", 3}},
     .stamp = Stamp::kEveryPage},
    // Linux jobs end their pages with showpage: the EndPage procedure stamps
    // them.
    {.name = "watermark_pdf_c300",
     .model = "OVQC300",
     .document = Document::kPdf,
     .options = WatermarkTicket("(DRAFT)", false),
     .stamp = Stamp::kEveryPage},
    {.name = "watermark_text_first_page_c500",
     .model = "OVQC500",
     .document = Document::kText,
     .options = WatermarkTicket("(DRAFT)", true),
     .stamp = Stamp::kFirstPage},
    // Hundreds of pages through pstops, which writes "%%EndPageSetup" twice a
    // page. The text's unbalanced ")" is escaped.
    {.name = "watermark_long_c300",
     .model = "OVQC300",
     .document = Document::kLong,
     .options = WatermarkTicket("(Draft :))", false),
     .expected = {"\n(Draft :\\)) show\n"},
     .counted = {{"\nkqxbp\n", 2 * kLongPages}},
     .stamp = Stamp::kEveryPage,
     .stamp_text = "Draft :)"},
    // A printer connection that takes nothing: the filter reports the failure.
    {.name = "full_device_c300", .model = "OVQC300", .document = Document::kPs2write, .failing_device = "/dev/full"},
    // Booklet and finishing on the UTF-8 model.
    {.name = "finishing_u700",
     .model = "OVQU700",
     .document = Document::kPs2write,
     .title = "Booklet",
     .options = "OVStaple=Left OVPunch=Left OVNumPunchHoles=2Holes OVSignature=BookletLeft OVSigVol=10Sheet "
                "sides=two-sided-long-edge",
     .expected = {"\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n",
                  "@PJL SET JOBATTR=\"@DIND=PORTRAIT\"\n@PJL SET JOBATTR=\"@DIBB=LEFT\"\n"
                  "@PJL SET JOBATTR=\"@DIBK=MANUALDIVIDE\"\n",
                  "@PJL COMMENT KQJOBINFO DUPLEXTYPE=TUMBLE\n", "@PJL COMMENT KQJOBINFO STAPLE=ON\n",
                  "@PJL COMMENT KQJOBINFO PUNCH=ON\n",
                  "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[10]\n"}},
    // Perfect binding: the minimum three-edge trim of an A4 book with a DL cover;
    // the adjustments that the job leaves out take the PPD's defaults (0).
    {.name = "perfect_binding_u700",
     .model = "OVQU700",
     .document = Document::kPaged,
     .title = "Bound book",
     .options = "OVPBindPosition=BindLeft OVPBindTrimming=3EdgeCutMinimum OVPBindPageSize=A4 OVPBindCoverPageSize=DL "
                "OVPBindCoverMediaType=ThickPaper OVPBindCoverMediaColor=White OVPBindCoverPaperTray=PBindInserter "
                "OVPBindCoverAdjustX=2",
     .expected = {"@PJL SET JOBATTR=\"@PBRE=LEFT\"\n@PJL SET JOBATTR=\"@MSDA=ROTSEFLAND\"\n"
                  "@PJL SET JOBATTR=\"@PBTC=FULLBLEED\"\n@PJL SET JOBATTR=\"@PBBP=A4\"\n"
                  "@PJL SET JOBATTR=\"@PBTP=CUSTOM\"\n@PJL SET JOBATTR=\"@PBTW=2030\"\n"
                  "@PJL SET JOBATTR=\"@PBTH=2830\"\n@PJL SET JOBATTR=\"@PBAW=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAH=0\"\n@PJL SET JOBATTR=\"@PBAT=0\"\n@PJL SET JOBATTR=\"@PBAB=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAF=0\"\n@PJL SET JOBATTR=\"@PBAX=2\"\n@PJL SET JOBATTR=\"@PBAY=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAV=0\"\n"
                  "@PJL SET JOBATTR=\"@PBCP=LEDGER\"\n@PJL SET JOBATTR=\"@PBCQ=THICK\"\n"
                  "@PJL SET JOBATTR=\"@PBCC=WHITE\"\n@PJL SET JOBATTR=\"@PBCT=INTRAY9\"\n"
                  "@PJL SET JOBATTR=\"@PBCI=OFF\"\n"},
     .absent = {"@ISXO="}},
    // Perfect binding set up as the queue's defaults (lpadmin -o changes the
    // PPD's default choices) and a job that names none of its options: the
    // header carries the PPD's defaults, the fore-edge trim of an A4 book to A5.
    {.name = "perfect_binding_queue_defaults_u700",
     .model = "OVQU700",
     .document = Document::kPaged,
     .title = "Bound by default",
     .queue_defaults = {"OVPBindPosition=BindLeft", "OVPBindTrimming=1EdgeSpecifySize"},
     .expected = {"@PJL SET JOBATTR=\"@PBRE=LEFT\"\n@PJL SET JOBATTR=\"@MSDA=ROTSEFLAND\"\n"
                  "@PJL SET JOBATTR=\"@PBTC=FACE\"\n@PJL SET JOBATTR=\"@PBBP=A4\"\n"
                  "@PJL SET JOBATTR=\"@PBTP=A5\"\n@PJL SET JOBATTR=\"@PBTW=1480\"\n"
                  "@PJL SET JOBATTR=\"@PBTH=2100\"\n@PJL SET JOBATTR=\"@ISXO=-310\"\n"
                  "@PJL SET JOBATTR=\"@ISXT=310\"\n@PJL SET JOBATTR=\"@PBAW=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAH=0\"\n@PJL SET JOBATTR=\"@PBAT=0\"\n@PJL SET JOBATTR=\"@PBAB=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAF=0\"\n@PJL SET JOBATTR=\"@PBAX=0\"\n@PJL SET JOBATTR=\"@PBAY=0\"\n"
                  "@PJL SET JOBATTR=\"@PBAV=0\"\n@PJL SET JOBATTR=\"@PBCP=A3\"\n"
                  "@PJL SET JOBATTR=\"@PBCQ=OFF\"\n@PJL SET JOBATTR=\"@PBCC=UNSPECIFIED\"\n"
                  "@PJL SET JOBATTR=\"@PBCT=AUTO\"\n@PJL SET JOBATTR=\"@PBCI=OFF\"\n"},
     .absent = {"@PBTC=\"", "@PBTP=CUSTOM"}},
    // Special pages: the XML job ticket precedes the PJL; the buffered pass of
    // the colour model derives its colour lines from the document's features.
    {.name = "special_pages_c500",
     .model = "OVQC500",
     .document = Document::kPs2write,
     .title = "Covers",
     .options = Ticket("QPIFCoverCountTicket=1 QPIFCoverValueTicket_0=0,1,front,stationery,white,100,200 "
                       "QPIFExceptionCountTicket=1 QPIFExceptionValueTicket_0=0,1,1,3,5,one-sided,Thick"),
     .expected =
         {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE qpif SYSTEM \"qpif-v02030a.dtd\">\n",
          "    <cover-front syntax=\"collection\">\n        <cover-type syntax=\"keyword\">front</cover-type>\n",
          "<sides syntax=\"keyword\">one-sided</sides>\n", "</qpif>\n\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n",
          "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n",
          "@PJL SET ECONOMODE=OFF\n",
          "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n"
          "@PJL SET JOBATTR=\"@TTRC=11\"\n@PJL SET JOBATTR=\"@GTRC=11\"\n@PJL SET JOBATTR=\"@ITRC=12\"\n"
          "@PJL SET JOBATTR=\"@TSCR=11\"\n@PJL SET JOBATTR=\"@GSCR=11\"\n@PJL SET JOBATTR=\"@ISCR=12\"\n"
          "@PJL ENTER LANGUAGE=POSTSCRIPT\n"}},
    // The monochrome model: halftone lines from its feature section, no colour triples.
    {.name = "mono_m200",
     .model = "OVQM200",
     .document = Document::kText,
     .title = "Mono",
     .options = "OVHalftone=Gradation OVTonerSaver=Mode2 " +
                Ticket("PrintTypeTicketKey=4 DelayPrintTicketKey=2026:12:24:18:30"),
     .expected = {"\\e%-12345X@PJL SET STRINGCODESET=\"HPROMAN8\"\n",
                  "@PJL SET JOBATTR=\"@PRTM=2026:12:24:18:30\"\\r\n", "@PJL SET RENDERMODE=GRAYSCALE\n",
                  "@PJL SET JOBATTR=\"@TTRC=66\"\n@PJL SET JOBATTR=\"@GTRC=66\"\n@PJL SET JOBATTR=\"@ITRC=66\"\n"
                  "@PJL SET JOBATTR=\"@TSCR=66\"\n@PJL SET JOBATTR=\"@GSCR=66\"\n@PJL SET JOBATTR=\"@ISCR=66\"\n",
                  "@PJL SET ECONOMODE=MODE2\n", "@PJL SET RET=ON\n"},
     .absent = {"@TCPR=", "@PJL SET USERNAME"}},
    // Two copies made by the printer (the PPDs leave copies to the device): the
    // document's three pages once, with NumCopies 2 from pstops; CUPS counts six.
    {.name = "copies_c300",
     .model = "OVQC300",
     .document = Document::kPaged,
     .title = "Two copies",
     .options = "copies=2",
     .expected = {"/NumCopies exch def"},
     .copies = 2},
    // Sample print of a text job on the UTF-8 model, with a title outside the
    // product's character ranges: no job name reaches the printer.
    {.name = "sample_print_u700",
     .model = "OVQU700",
     .document = Document::kText,
     .title = "Bericht \xC4\x80 2",
     .user = "bob",
     .options = Ticket("PrintTypeTicketKey=3 PrintTypeUserNameTicketKey=bob DocumentNameTypeTicketKey=1 "
                       "PrintTypeProductTypeTicketKey=3"),
     .expected = {"@PJL SET HOLD=PROOF\n", "@PJL SET USERNAME=\"bob\"\\r\n", "@PJL SET JOBATTR=\"@LUNA=bob\"\n"},
     .absent = {"JOBNAME", "DNAME"}},
};

INSTANTIATE_TEST_SUITE_P(Jobs, SchedulerJob, testing::ValuesIn(kJobs), RowName());

}  // namespace
