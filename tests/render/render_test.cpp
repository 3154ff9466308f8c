// Ghostscript reads the filter's output stream as a printer would (it skips the
// PJL lines around the PostScript) and renders each page; the tests look for
// the watermark's pixels in the middle of each page.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>
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
    for (size_t i = static_cast<size_t>(height * from) * width; i < static_cast<size_t>(height * to) * width; ++i) {
      dark += static_cast<unsigned char>(pixels[i]) < 128;
    }
    return dark;
  }
};

// Reads a binary PGM file ("P5", comment lines, width, height, maximum, one blank).
bool ReadPgm(const std::string& data, Page* page) {
  std::istringstream in(data);
  std::string magic;
  int maximum = 0;
  in >> magic;
  while ((in >> std::ws).peek() == '#') in.ignore(data.size(), '\n');
  if (magic != "P5" || !(in >> page->width >> page->height >> maximum) || in.get() == EOF) return false;
  page->pixels = data.substr(static_cast<size_t>(in.tellg()));
  return page->pixels.size() == static_cast<size_t>(page->width) * page->height;
}

// Runs the filter on the two-page fixture with `options`, then Ghostscript on
// its standard output; returns the pages.
std::vector<Page> RenderJob(const std::string& options) {
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
  gs.args = {"-q",
             "-dSAFER",
             "-dBATCH",
             "-dNOPAUSE",
             "-sDEVICE=pgmraw",
             "-r20",
             "-sOutputFile=" + dir.File("page%d.pgm"),
             dir.File("job.prn")};
  const RunResult render = RunProgram(gs);
  EXPECT_EQ(render.exit_status, 0) << render.out << render.err;
  EXPECT_EQ((render.out + render.err).find("Error"), std::string::npos) << render.out << render.err;
  std::vector<Page> pages;
  for (int number = 1;; ++number) {
    const std::string path = dir.File("page" + std::to_string(number) + ".pgm");
    if (access(path.c_str(), F_OK) != 0) break;
    Page page;
    EXPECT_TRUE(ReadPgm(ReadFile(path), &page)) << path;
    pages.push_back(page);
  }
  return pages;
}

// Black 60-point text in a 400 x 60 box, centred on the A4 page.
const std::string kWatermark = [] {
  std::string options;
  for (const char* key : {"NameTicket=Stamp", "TypeTicket=0", "TextTicket=(CONFIDENTIAL)", "FontTicket=Helvetica-Bold",
                          "FontSizeTicket=60", "OrientationTicket=1", "PaperWidthTicket=595", "PaperHeightTicket=842",
                          "ColorRTicket=0", "ColorGTicket=0", "ColorBTicket=0", "DensityTicket=100", "AngleTicket=0",
                          "WidthTicket=400", "HeightTicket=60", "hOffsetTicket=0", "vOffsetTicket=0"}) {
    options += std::string("nvxjobs.printsettings.WMARK") + key + " ";
  }
  return options;
}();
const std::string kEveryPage = "nvxjobs.printsettings.WMARKOnlyFirstTicket=0 ";
const std::string kSeparatorAndBooklet =
    "nvxjobs.printsettings.SeparatorPageListTicket=2 nvxjobs.printsettings.SeparatorPageTicket=1 "
    "nvxjobs.printsettings.BookletMarginSwitchTicket=1 nvxjobs.printsettings.BookletMarginMMShiftTicket=5 "
    "nvxjobs.printsettings.AutoFitSwitchTicket=1 ";

struct RenderCase {
  std::string options;
  std::vector<bool> stamped;  // per page
};

class RenderTest : public ::testing::TestWithParam<RenderCase> {};

// The stamp spans the middle of the page; the fixture's own text is at the top
// and is there in every case.
TEST_P(RenderTest, StampsThePagesItShould) {
  const std::vector<Page> pages = RenderJob(GetParam().options);
  ASSERT_EQ(pages.size(), GetParam().stamped.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    const int dark = pages[i].DarkPixelsInBand(0.40, 0.60);
    if (GetParam().stamped[i]) {
      EXPECT_GT(dark, 200) << "page " << i + 1;
    } else {
      EXPECT_EQ(dark, 0) << "page " << i + 1;
    }
    EXPECT_GT(pages[i].DarkPixelsInBand(0.0, 0.1), 0) << "page " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, RenderTest,
    ::testing::ValuesIn(std::vector<RenderCase>{
        {"", {false, false}},
        {kWatermark + kEveryPage, {true, true}},
        {kWatermark + "nvxjobs.printsettings.WMARKOnlyFirstTicket=1", {true, false}},
        // The separator and booklet blocks, single cell and 2 x 1, do not break rendering.
        {kWatermark + kSeparatorAndBooklet + kEveryPage, {true, true}},
        {kWatermark + kSeparatorAndBooklet + kEveryPage +
             "com.apple.print.PrintSettings.PMLayoutRows..n.=2 com.apple.print.PrintSettings.PMLayoutColumns..n.=1",
         {true, true}},
        // "(CONFI" LF "DENTIAL)" in the byte-number form still gives the stamp.
        {kWatermark + kEveryPage +
             "nvxjobs.printsettings.WMARKTextTicket=/40/67/79/78/70/73/10/68/69/78/84/73/65/76/41",
         {true, true}}}));

}  // namespace
