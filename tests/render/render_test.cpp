// Ghostscript reads the filter's output stream as a printer would (it skips the
// PJL lines around the PostScript) and renders each page; the tests look for
// the watermark's pixels in the middle of each page.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <string>
#include <vector>

#include "run_program.h"

namespace {

struct Page {
  int width = 0;
  int height = 0;
  std::string pixels;  // one byte per pixel, 0 black to 255 white

  // Dark pixels in the rows between the given fractions of the height.
  int DarkPixelsInBand(double from, double to) const {
    int dark = 0;
    for (int y = static_cast<int>(height * from); y < static_cast<int>(height * to); ++y) {
      for (int x = 0; x < width; ++x) {
        if (static_cast<unsigned char>(pixels[static_cast<size_t>(y) * width + x]) < 128) ++dark;
      }
    }
    return dark;
  }
};

// Reads a binary PGM file ("P5", optional comments, width, height, maximum).
bool ReadPgm(const std::string& data, Page* page) {
  size_t position = 0;
  std::vector<std::string> fields;
  while (fields.size() < 4 && position < data.size()) {
    if (std::isspace(static_cast<unsigned char>(data[position]))) {
      ++position;
    } else if (data[position] == '#') {
      position = data.find('\n', position);
      if (position == std::string::npos) return false;
    } else {
      const size_t end = data.find_first_of(" \t\r\n", position);
      if (end == std::string::npos) return false;
      fields.push_back(data.substr(position, end - position));
      position = end;
    }
  }
  if (fields.size() != 4 || fields[0] != "P5") return false;
  ++position;  // the single blank after the maximum
  page->width = std::stoi(fields[1]);
  page->height = std::stoi(fields[2]);
  page->pixels = data.substr(position);
  return page->pixels.size() == static_cast<size_t>(page->width) * page->height;
}

struct Rendering {
  int status = -1;
  std::string messages;
  std::vector<Page> pages;
};

// Runs the filter on the two-page fixture with `options`, then Ghostscript on
// its standard output.
Rendering RenderJob(const std::string& options) {
  TempDir dir;
  RunSpec filter;
  filter.program = BinaryPath("ovqfilter");
  filter.args = {"7", "alice", "Render", "1", options, SourcePath("tests/fixtures/ps/insert-two-pages.ps")};
  filter.env["PPD"] = SourcePath("tests/fixtures/ppd/insert-pbind.ppd");
  const RunResult job = RunProgram(filter);
  EXPECT_EQ(job.exit_status, 0);
  EXPECT_EQ(job.out.rfind("\x1b%-12345X@PJL", 0), 0u) << "the stream begins with its PJL header";
  WriteFile(dir.File("job.prn"), job.out);

  RunSpec gs;
  gs.program = "/usr/bin/gs";
  gs.args = {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r20",
             "-sOutputFile=" + dir.File("page%d.pgm"), dir.File("job.prn")};
  const RunResult render = RunProgram(gs);
  Rendering result;
  result.status = render.exit_status;
  result.messages = render.out + render.err;
  for (int number = 1;; ++number) {
    const std::string path = dir.File("page" + std::to_string(number) + ".pgm");
    if (access(path.c_str(), F_OK) != 0) break;
    Page page;
    EXPECT_TRUE(ReadPgm(ReadFile(path), &page)) << path;
    result.pages.push_back(page);
  }
  return result;
}

// Black 60-point text in a 400 x 60 box, centred on the A4 page.
const std::string kWatermark =
    "nvxjobs.printsettings.WMARKNameTicket=Stamp "
    "nvxjobs.printsettings.WMARKTypeTicket=0 "
    "nvxjobs.printsettings.WMARKTextTicket=(CONFIDENTIAL) "
    "nvxjobs.printsettings.WMARKFontTicket=Helvetica-Bold "
    "nvxjobs.printsettings.WMARKFontSizeTicket=60 "
    "nvxjobs.printsettings.WMARKOrientationTicket=1 "
    "nvxjobs.printsettings.WMARKPaperWidthTicket=595 "
    "nvxjobs.printsettings.WMARKPaperHeightTicket=842 "
    "nvxjobs.printsettings.WMARKColorRTicket=0 "
    "nvxjobs.printsettings.WMARKColorGTicket=0 "
    "nvxjobs.printsettings.WMARKColorBTicket=0 "
    "nvxjobs.printsettings.WMARKDensityTicket=100 "
    "nvxjobs.printsettings.WMARKAngleTicket=0 "
    "nvxjobs.printsettings.WMARKWidthTicket=400 "
    "nvxjobs.printsettings.WMARKHeightTicket=60 "
    "nvxjobs.printsettings.WMARKhOffsetTicket=0 "
    "nvxjobs.printsettings.WMARKvOffsetTicket=0 ";

const std::string kSeparatorAndBooklet =
    "nvxjobs.printsettings.SeparatorPageListTicket=2 "
    "nvxjobs.printsettings.SeparatorPageTicket=1 "
    "nvxjobs.printsettings.BookletMarginSwitchTicket=1 "
    "nvxjobs.printsettings.BookletMarginMMShiftTicket=5 "
    "nvxjobs.printsettings.AutoFitSwitchTicket=1 ";

// The stamp spans the middle of the page; the fixture's own text is at the top.
constexpr double kBandFrom = 0.40;
constexpr double kBandTo = 0.60;
constexpr int kStampPixels = 200;

void ExpectStamps(const Rendering& r, std::vector<bool> stamped) {
  EXPECT_EQ(r.status, 0) << r.messages;
  EXPECT_EQ(r.messages.find("Error"), std::string::npos) << r.messages;
  ASSERT_EQ(r.pages.size(), stamped.size()) << r.messages;
  for (size_t i = 0; i < stamped.size(); ++i) {
    const int dark = r.pages[i].DarkPixelsInBand(kBandFrom, kBandTo);
    if (stamped[i]) {
      EXPECT_GT(dark, kStampPixels) << "page " << i + 1;
    } else {
      EXPECT_EQ(dark, 0) << "page " << i + 1;
    }
    // The page's own text is there in every case.
    EXPECT_GT(r.pages[i].DarkPixelsInBand(0.0, 0.1), 0) << "page " << i + 1;
  }
}

TEST(Render, WithoutWatermarkThePagesHaveNoStamp) { ExpectStamps(RenderJob(""), {false, false}); }

TEST(Render, WatermarkOnEveryPage) {
  ExpectStamps(RenderJob(kWatermark + "nvxjobs.printsettings.WMARKOnlyFirstTicket=0"), {true, true});
}

TEST(Render, WatermarkOnTheFirstPageOnly) {
  ExpectStamps(RenderJob(kWatermark + "nvxjobs.printsettings.WMARKOnlyFirstTicket=1"), {true, false});
}

TEST(Render, SeparatorAndBookletBlocksDoNotBreakRendering) {
  ExpectStamps(RenderJob(kWatermark + kSeparatorAndBooklet + "nvxjobs.printsettings.WMARKOnlyFirstTicket=0"),
               {true, true});
}

TEST(Render, BlocksOfAMultiCellLayoutDoNotBreakRendering) {
  ExpectStamps(RenderJob(kWatermark + kSeparatorAndBooklet +
                         "com.apple.print.PrintSettings.PMLayoutRows..n.=2 "
                         "com.apple.print.PrintSettings.PMLayoutColumns..n.=1 "
                         "nvxjobs.printsettings.WMARKOnlyFirstTicket=0"),
               {true, true});
}

TEST(Render, LineFeedInTheTextStillGivesTheStamp) {
  // "(CONFI" LF "DENTIAL)" in the byte-number form.
  ExpectStamps(RenderJob(kWatermark +
                         "nvxjobs.printsettings.WMARKTextTicket=/40/67/79/78/70/73/10/68/69/78/84/73/65/76/41 "
                         "nvxjobs.printsettings.WMARKOnlyFirstTicket=0"),
               {true, true});
}

}  // namespace
