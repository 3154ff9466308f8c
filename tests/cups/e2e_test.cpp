// Whole jobs through a private CUPS scheduler: a queue per case with one of the
// shipped PPDs and a file: device, a real job submitted with lp, and the device
// file checked as the printer would read it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "escapes.h"
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
    ps += "%%Page: " + n + " " + n + "\n%%BeginPageSetup\n%%EndPageSetup\nbp\n/Helvetica findfont 24 scalefont setfont\n"
          "72 700 moveto (Page " + n + " of " + std::to_string(pages) + ") show\nep\n";
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

enum class Document { kPaged, kPs2write, kText };

struct JobCase {
  const char* name;
  const char* model;  // PPD file stem
  Document document;
  int pages;
  const char* title;
  const char* user;
  std::vector<std::string> options;
  std::vector<std::string> expected;  // escaped texts (see Unescape) that the device file holds
  std::vector<std::string> absent;    // escaped texts that it must not hold
  std::vector<std::pair<std::string, size_t>> counted;  // escaped texts and how often they occur
  int copies = 1;  // made by the printer: CUPS counts pages × copies impressions
  bool stamped = false;  // every page shows the watermark's colour (255, 179, 179)
};

void PrintTo(const JobCase& c, std::ostream* os) { *os << c.name; }

// Pixels of about the given colour on each page, as Ghostscript draws the
// whole stream at 20 dpi.
std::vector<size_t> ColourPixels(const std::string& stream_file, int r, int g, int b) {
  TempDir dir;
  RunSpec gs;
  gs.program = "/usr/bin/gs";
  gs.args = {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ppmraw", "-r20",
             "-sOutputFile=" + dir.File("page-%d.ppm"), stream_file};
  RunProgram(gs);
  std::vector<size_t> counts;
  for (int page = 1;; ++page) {
    std::string ppm = ReadFile(dir.File("page-" + std::to_string(page) + ".ppm"));
    if (ppm.empty()) break;
    // Header: "P6", width, height, maximum value, with comment lines between;
    // one blank byte, then the RGB bytes.
    size_t at = 0;
    for (int fields = 0; fields < 4 && at < ppm.size();) {
      if (ppm[at] == '#') {
        at = ppm.find('\n', at);
        at = at == std::string::npos ? ppm.size() : at + 1;
      } else if (std::isspace(static_cast<unsigned char>(ppm[at]))) {
        ++at;
      } else {
        while (at < ppm.size() && !std::isspace(static_cast<unsigned char>(ppm[at]))) ++at;
        ++fields;
      }
    }
    size_t data = at + 1;
    size_t n = 0;
    for (size_t i = data; i + 2 < ppm.size(); i += 3) {
      auto near = [](unsigned char v, int want) { return v >= want - 8 && v <= want + 8; };
      if (near(ppm[i], r) && near(ppm[i + 1], g) && near(ppm[i + 2], b)) ++n;
    }
    counts.push_back(n);
  }
  return counts;
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
    std::string error;
    if (!scheduler_->Start(BinaryPath("ovqfilter"), error)) {
      start_error_ = error;
      return;
    }
    std::string folder = scheduler_->Folder();
    WriteFile(folder + "/paged.ps", PagedDocument(3));
    WriteFile(folder + "/text.txt", TextDocument(3));
    RunSpec gs;
    gs.program = "/usr/bin/gs";
    gs.args = {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ps2write",
               "-sOutputFile=" + folder + "/ps2write.ps", folder + "/paged.ps"};
    RunResult r = RunProgram(gs);
    if (r.exit_status != 0) start_error_ = "ps2write failed: " + r.err;
  }

  static void TearDownTestSuite() {
    delete scheduler_;
    scheduler_ = nullptr;
  }

  static std::string DocumentPath(Document document) {
    switch (document) {
      case Document::kPaged: return scheduler_->Folder() + "/paged.ps";
      case Document::kPs2write: return scheduler_->Folder() + "/ps2write.ps";
      case Document::kText: return scheduler_->Folder() + "/text.txt";
    }
    return {};
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
  std::string device = scheduler_->AddQueue(c.name, SourcePath(std::string("ppd/") + c.model + ".ppd"), error);
  ASSERT_FALSE(device.empty()) << error;
  int job = scheduler_->Submit(c.name, DocumentPath(c.document), c.title, c.user, c.options, error);
  ASSERT_GT(job, 0) << error;
  JobStatus status = scheduler_->WaitForJob(job, 120);
  ASSERT_EQ(status.state, 9) << "job-state-reasons " << status.reasons << "\n" << scheduler_->ErrorLog();

  std::string stream = ReadFile(device);
  std::string head = MakeVisible(stream.substr(0, stream.find("%%BeginProlog")));
  for (const std::string& text : c.expected) {
    EXPECT_NE(stream.find(Unescape(text)), std::string::npos) << "missing: " << text << "\n" << head;
  }
  for (const std::string& text : c.absent) {
    EXPECT_EQ(stream.find(Unescape(text)), std::string::npos) << "present: " << text << "\n" << head;
  }
  for (const auto& [text, times] : c.counted) {
    EXPECT_EQ(Count(stream, Unescape(text)), times) << text;
  }

  // Framing and page count, as the inspector and Ghostscript see the stream.
  RunSpec inspect;
  inspect.program = BinaryPath("ovqinspect");
  inspect.args = {"--pages", device};
  RunResult r = RunProgram(inspect);
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("Pages (Ghostscript): " + std::to_string(c.pages) + "\n"), std::string::npos) << r.out << r.err;

  // The PostScript keeps every page of the document, in order, and its end.
  size_t at = 0;
  for (int p = 1; p <= c.pages; ++p) {
    std::string page = "%%Page: " + std::to_string(p) + " " + std::to_string(p) + "\n";
    at = stream.find(page, at);
    ASSERT_NE(at, std::string::npos) << page;
  }
  EXPECT_NE(stream.find("%%EOF", at), std::string::npos);

  EXPECT_EQ(status.impressions_completed, c.pages * c.copies) << "job-impressions-completed";

  if (c.stamped) {
    std::vector<size_t> stamped = ColourPixels(device, 255, 179, 179);
    ASSERT_EQ(stamped.size(), static_cast<size_t>(c.pages));
    for (size_t page = 0; page < stamped.size(); ++page) EXPECT_GT(stamped[page], 20u) << "page " << page + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, SchedulerJob,
    testing::Values(
        // A plain job on the direct pass: the header frames the document.
        JobCase{"plain_c300", "OVQC300", Document::kPs2write, 3, "Plain job", "", {},
                {"\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n@PJL JOB MODE=PRINTER\\r\n",
                 "@PJL SET RENDERMODE=COLOR\n", "@PJL COMMENT KQJOBINFO BEGIN\n",
                 "@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n", "@PJL ENTER LANGUAGE=POSTSCRIPT\n%!PS-Adobe-3.0\n",
                 "\\x04\\e%-12345X@PJL EOJ\n"},
                {"@PJL SET HOLD"},
                {}},
        // Secure print with a user ID for job accounting.
        JobCase{"secure_print_c300", "OVQC300", Document::kText, 3, "Quarterly report", "alice",
                {"nvxjobs.printsettings.PrintTypeTicketKey=2",
                 "nvxjobs.printsettings.PrintTypeUserNameTicketKey=alice",
                 "nvxjobs.printsettings.PrintTypePasswordTicketKey=MTIzNA==",
                 "nvxjobs.printsettings.DocumentNameTypeTicketKey=1",
                 "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=1",
                 "nvxjobs.printsettings.JBAManageTypeListTicketKey=2",
                 "nvxjobs.printsettings.JBAUserSettingRadioBtnTicket=1",
                 "nvxjobs.printsettings.JBAUserIDListCtrlTicket=2",
                 "nvxjobs.printsettings.JBAUserIDTextEditTicket=u100",
                 "nvxjobs.printsettings.JBAUserPasswordTextEditTicket=pw42"},
                {"@PJL JOB MODE=PRINTER\\r\n@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n",
                 "@PJL SET USERNAME=\"alice\"\\r\n", "@PJL SET HOLDENCRYPTKEY=\"MTIzNA==\"\\r\n",
                 "@PJL SET JOBNAME=\"Quarterly report\"\\r\n", "@PJL COMMENT DNAME=Quarterly report\n",
                 "@PJL SET JOBATTR=\"@LUNA=alice\"\n", "@PJL SET JOBATTR=\"@JOAU=u100\"\\r\n",
                 "@PJL SET JOBATTR=\"@JOEP=pw42\"\\r\n"},
                {},
                {}},
        // A watermark on every page of a document whose pages end with "ep".
        JobCase{"watermark_c300", "OVQC300", Document::kPaged, 3, "Watermarked", "",
                {"nvxjobs.printsettings.WMARKNameTicket=Draft", "nvxjobs.printsettings.WMARKTypeTicket=0",
                 "nvxjobs.printsettings.WMARKOnlyFirstTicket=0", "nvxjobs.printsettings.WMARKTextTicket=(DRAFT)",
                 "nvxjobs.printsettings.WMARKFontTicket=Helvetica-Bold",
                 "nvxjobs.printsettings.WMARKFontSizeTicket=72", "nvxjobs.printsettings.WMARKOrientationTicket=1",
                 "nvxjobs.printsettings.WMARKPaperWidthTicket=595",
                 "nvxjobs.printsettings.WMARKPaperHeightTicket=842", "nvxjobs.printsettings.WMARKWidthTicket=260",
                 "nvxjobs.printsettings.WMARKHeightTicket=72", "nvxjobs.printsettings.WMARKAngleTicket=0",
                 "nvxjobs.printsettings.WMARKDensityTicket=30", "nvxjobs.printsettings.WMARKColorRTicket=1",
                 "nvxjobs.printsettings.WMARKColorGTicket=0", "nvxjobs.printsettings.WMARKColorBTicket=0",
                 "nvxjobs.printsettings.WMARKhOffsetTicket=0", "nvxjobs.printsettings.WMARKvOffsetTicket=0"},
                {"%%BeginProlog\nuserdict/kqxInfo 2 dict dup begin\n/kqxpgsave 0 def\n"
                 "/kqxbp{/kqxpgsave save restore} bind def\n",
                 "pgsave restore /pgsave save store gsave\n1.00 0.70 0.70 setrgbcolor\n"
                 "/Helvetica-Bold 72 selectfont\n167.50 385.00 moveto\n0 rotate\n(DRAFT) show\ngrestore\nep\n"},
                {},
                {{"(DRAFT) show\n", 3}, {"%%EndPageSetup\nkqxbp\n", 3}}, 1, true},
        // Booklet and finishing on the UTF-8 model.
        JobCase{"finishing_u700", "OVQU700", Document::kPs2write, 3, "Booklet", "",
                {"OVStaple=Left", "OVPunch=Left", "OVNumPunchHoles=2Holes", "OVSignature=BookletLeft",
                 "OVSigVol=10Sheet", "sides=two-sided-long-edge"},
                {"\\e%-12345X@PJL SET STRINGCODESET=\"UTF8\"\n",
                 "@PJL SET JOBATTR=\"@DIND=PORTRAIT\"\n@PJL SET JOBATTR=\"@DIBB=LEFT\"\n"
                 "@PJL SET JOBATTR=\"@DIBK=MANUALDIVIDE\"\n",
                 "@PJL COMMENT KQJOBINFO DUPLEXTYPE=TUMBLE\n", "@PJL COMMENT KQJOBINFO STAPLE=ON\n",
                 "@PJL COMMENT KQJOBINFO PUNCH=ON\n",
                 "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[10]\n"},
                {},
                {}},
        // Perfect binding: the minimum three-edge trim of an A4 book with a DL cover.
        JobCase{"perfect_binding_u700", "OVQU700", Document::kPaged, 3, "Bound book", "",
                {"OVPBindPosition=BindLeft", "OVPBindTrimming=3EdgeCutMinimum", "OVPBindPageSize=A4",
                 "OVPBindCoverPageSize=DL", "OVPBindCoverMediaType=ThickPaper", "OVPBindCoverMediaColor=White",
                 "OVPBindCoverPaperTray=PBindInserter", "OVPBindCoverAdjustX=2"},
                {"@PJL SET JOBATTR=\"@PBRE=LEFT\"\n@PJL SET JOBATTR=\"@MSDA=ROTSEFLAND\"\n"
                 "@PJL SET JOBATTR=\"@PBTC=FULLBLEED\"\n@PJL SET JOBATTR=\"@PBBP=A4\"\n"
                 "@PJL SET JOBATTR=\"@PBTP=CUSTOM\"\n@PJL SET JOBATTR=\"@PBTW=2030\"\n"
                 "@PJL SET JOBATTR=\"@PBTH=2830\"\n@PJL SET JOBATTR=\"@PBAX=2\"\n"
                 "@PJL SET JOBATTR=\"@PBCP=LEDGER\"\n@PJL SET JOBATTR=\"@PBCQ=THICK\"\n"
                 "@PJL SET JOBATTR=\"@PBCC=WHITE\"\n@PJL SET JOBATTR=\"@PBCT=INTRAY9\"\n"
                 "@PJL SET JOBATTR=\"@PBCI=OFF\"\n"},
                {"@ISXO="},
                {}},
        // Special pages: the XML job ticket precedes the PJL; the buffered pass of
        // the colour model derives its colour lines from the document's features.
        JobCase{"special_pages_c500", "OVQC500", Document::kPs2write, 3, "Covers", "",
                {"nvxjobs.printsettings.QPIFCoverCountTicket=1",
                 "nvxjobs.printsettings.QPIFCoverValueTicket_0=0,1,front,stationery,white,100,200",
                 "nvxjobs.printsettings.QPIFExceptionCountTicket=1",
                 "nvxjobs.printsettings.QPIFExceptionValueTicket_0=0,1,1,3,5,one-sided,Thick"},
                {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE qpif SYSTEM \"qpif-v02030a.dtd\">\n",
                 "    <cover-front syntax=\"collection\">\n        <cover-type syntax=\"keyword\">front</cover-type>\n",
                 "<sides syntax=\"keyword\">one-sided</sides>\n",
                 "</qpif>\n\\e%-12345X@PJL SET STRINGCODESET=\"SJISX0208\"\n",
                 "@PJL SET RESOLUTION=600\n@PJL SET BITSPERPIXEL=8\n@PJL SET JOBATTR=\"@DRDM=RASTER\"\n",
                 "@PJL SET ECONOMODE=OFF\n",
                 "@PJL SET JOBATTR=\"@TCPR=11\"\n@PJL SET JOBATTR=\"@GCPR=11\"\n@PJL SET JOBATTR=\"@ICPR=12\"\n"
                 "@PJL SET JOBATTR=\"@TTRC=11\"\n@PJL SET JOBATTR=\"@GTRC=11\"\n@PJL SET JOBATTR=\"@ITRC=12\"\n"
                 "@PJL SET JOBATTR=\"@TSCR=11\"\n@PJL SET JOBATTR=\"@GSCR=11\"\n@PJL SET JOBATTR=\"@ISCR=12\"\n"
                 "@PJL ENTER LANGUAGE=POSTSCRIPT\n"},
                {},
                {}},
        // The monochrome model: halftone lines from its feature section, no colour triples.
        JobCase{"mono_m200", "OVQM200", Document::kText, 3, "Mono", "",
                {"OVHalftone=Gradation", "OVTonerSaver=Mode2", "nvxjobs.printsettings.PrintTypeTicketKey=4",
                 "nvxjobs.printsettings.DelayPrintTicketKey=2026:12:24:18:30"},
                {"\\e%-12345X@PJL SET STRINGCODESET=\"HPROMAN8\"\n",
                 "@PJL SET JOBATTR=\"@PRTM=2026:12:24:18:30\"\\r\n", "@PJL SET RENDERMODE=GRAYSCALE\n",
                 "@PJL SET JOBATTR=\"@TTRC=66\"\n@PJL SET JOBATTR=\"@GTRC=66\"\n@PJL SET JOBATTR=\"@ITRC=66\"\n"
                 "@PJL SET JOBATTR=\"@TSCR=66\"\n@PJL SET JOBATTR=\"@GSCR=66\"\n@PJL SET JOBATTR=\"@ISCR=66\"\n",
                 "@PJL SET ECONOMODE=MODE2\n", "@PJL SET RET=ON\n"},
                {"@TCPR=", "@PJL SET USERNAME"},
                {}},
        // Two copies made by the printer (the PPDs leave copies to the device): the
        // document's three pages once, with NumCopies 2 from pstops; CUPS counts six.
        JobCase{"copies_c300", "OVQC300", Document::kPaged, 3, "Two copies", "", {"copies=2"},
                {"/NumCopies exch def"}, {}, {}, 2},
        // Sample print of a text job on the UTF-8 model, with a title outside the
        // product's character ranges: no job name reaches the printer.
        JobCase{"sample_print_u700", "OVQU700", Document::kText, 3, "Bericht \xC4\x80 2", "bob",
                {"nvxjobs.printsettings.PrintTypeTicketKey=3",
                 "nvxjobs.printsettings.PrintTypeUserNameTicketKey=bob",
                 "nvxjobs.printsettings.DocumentNameTypeTicketKey=1",
                 "nvxjobs.printsettings.PrintTypeProductTypeTicketKey=3"},
                {"@PJL SET HOLD=PROOF\n", "@PJL SET USERNAME=\"bob\"\\r\n", "@PJL SET JOBATTR=\"@LUNA=bob\"\n"},
                {"JOBNAME", "DNAME"},
                {}}),
    [](const testing::TestParamInfo<JobCase>& info) { return std::string(info.param.name); });

}  // namespace
