// Ghostscript reads the filter's output stream as a printer would (it skips the
// PJL lines around the PostScript) and renders each page; the tests look for
// the watermark's pixels in the middle of each page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ghostscript.h"
#include "run_program.h"

namespace {

// Runs the filter on the two-page fixture with `options`, then Ghostscript on
// its standard output; returns the pages.
std::vector<Raster> RenderJob(const std::string& options) {
  TempDir dir;
  RunSpec filter;
  filter.program = BinaryPath("ovqfilter");
  filter.args = {"7", "alice", "Render", "1", options, SourcePath("tests/fixtures/ps/insert-two-pages.ps")};
  filter.env["PPD"] = SourcePath("tests/fixtures/ppd/insert-pbind.ppd");
  const RunResult job = RunProgram(filter);
  EXPECT_EQ(job.exit_status, 0);
  EXPECT_EQ(job.out.rfind("\x1b%-12345X@PJL", 0), 0u) << "the stream begins with its PJL header";
  WriteFile(dir.File("job.prn"), job.out);

  const Rendering rendering = RenderWithGhostscript(dir.File("job.prn"), 20, false);
  EXPECT_TRUE(rendering.ok()) << rendering.messages;
  return rendering.pages;
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
  const std::vector<Raster> pages = RenderJob(GetParam().options);
  ASSERT_EQ(pages.size(), GetParam().stamped.size());
  for (size_t i = 0; i < pages.size(); ++i) {
    const size_t dark = pages[i].DarkPixelsInBand(0.40, 0.60);
    if (GetParam().stamped[i]) {
      EXPECT_GT(dark, 200u) << "page " << i + 1;
    } else {
      EXPECT_EQ(dark, 0u) << "page " << i + 1;
    }
    EXPECT_GT(pages[i].DarkPixelsInBand(0.0, 0.1), 0u) << "page " << i + 1;
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
