// Perfect binding: names, and the group's lines for the job's options (read
// and normalised by the ticket pass); adjustment and cover lines in full, and
// the signs of every edge, are golden cases.
#include "pbind.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

TEST(PBindNames, LookedUpExactlyWithinTheDestination) {
  const struct {
    const char *name, *value;
  } rows[] = {{.name = "B4", .value = "JISB4"},
              {.name = "HCF2", .value = "INTRAY7"},
              {.name = "a4", .value = ""},
              {.name = "A4 ", .value = ""}};
  for (const auto& row : rows) {
    char destination[kPBindTextSize] = "stale";
    EXPECT_EQ(convertPBindPPDValue(row.name, destination, sizeof destination), row.value[0] != '\0') << row.name;
    EXPECT_STREQ(destination, row.value);
  }
  char small[4] = "xyz";
  EXPECT_TRUE(convertPBindPPDValue("ThickPaper", small, sizeof small));
  EXPECT_STREQ(small, "THI");
  EXPECT_EQ(PBindTrimValue("-3mm"), -3);
  EXPECT_EQ(PBindTrimValue("abcmm"), 0);
  EXPECT_EQ(PBindTrimValue("99999999999999mm"), INT_MAX);
}

// The test PPD's sizes: A4 595 x 842, A5 420 x 595 points; in tenths
// ((trunc(v) x 60) / 17 / 10) x 10: A4 2100 x 2970, A5 1480 x 2100.
struct BindCase {
  const char *name, *options;
  const char* lines;  // blank-separated attributes
  bool withPPD = true;
};
class PerfectBindTest : public ::testing::TestWithParam<BindCase> {};

TEST_P(PerfectBindTest, WritesTheLines) {
  ScopedJobPPD ppd(GetParam().withPPD ? ReadFile(SourcePath("tests/fixtures/ppd/insert-pbind.ppd")) : "");
  ResetJobState();
  PBindGetTicketFromPDE(JobArgs(GetParam().options).argv());
  std::string expected;
  for (const char* line = GetParam().lines; *line != '\0';) {
    const size_t length = std::strcspn(line, " ");
    expected += Attr(std::string(line, length));
    line += length + (line[length] == ' ');
  }
  EXPECT_EQ(CaptureStdout([] { OutputQPJLCommandforPerfectBind(); }), expected);
}

const char* const kA5InA4 =
    "OVPBindPosition=BindLeft OVPBindTrimming=1EdgeSpecifySize OVPBindPageSize=A4 OVPBindCutPageSize=A5";
const BindCase kBind[] = {
    // Cut size A5 centred in A4: S = (2100 - 1480) / 2; the left edge negates ISXO.
    {.name = "a5_centred_in_a4",
     .options = kA5InA4,
     .lines = "PBRE=LEFT MSDA=ROTSEFLAND PBTC=FACE PBBP=A4 PBTP=A5 PBTW=1480 PBTH=2100 ISXO=-310 ISXT=310 PBCI=OFF"},
    // Without a PPD the sizes count as zero.
    {.name = "no_ppd",
     .options = kA5InA4,
     .lines = "PBRE=LEFT MSDA=ROTSEFLAND PBTC=FACE PBBP=A4 PBTP=A5 PBTW=0 PBTH=0 ISXO=0 ISXT=0 PBCI=OFF",
     .withPPD = false},
    // Fore trim alone (the top trim is cleared): S = 10 x 5, ISXO carries S on the right edge.
    {.name = "fore_trim_right_edge",
     .options = "OVPBindPosition=BindRight OVPBindTrimming=1EdgeCut OVPBindPageSize=A4 OVPBindCutPositionFore=10mm "
                "OVPBindCutPositionTop=5mm",
     .lines = "PBRE=RIGHT MSDA=ROTLEFPORT PBTC=FACE PBBP=A4 PBTP=CUSTOM PBTW=2000 PBTH=2970 ISXO=50 ISXT=-50 PBCI=OFF"},
    // Names without a value leave their lines out; the colour is set, so the tray keeps its line.
    {.name = "names_without_value",
     .options = "OVPBindPosition=BindLeft OVPBindTrimming=None OVPBindPageSize=Postcard OVPBindCoverMediaType=Vellum "
                "OVPBindCoverMediaColor=Teal OVPBindCoverPaperTray=MSI",
     .lines = "PBRE=LEFT MSDA=ROTSEFLAND PBTC=OFF PBCT=INTRAY5 PBCI=OFF"},
    // Unknown edge and trimming are written as read.
    {.name = "unknown_kept",
     .options = "OVPBindPosition=Spine OVPBindTrimming=Trim2",
     .lines = "PBRE=Spine MSDA= PBTC=Trim2 PBTP=CUSTOM PBTW=0 PBTH=0 ISXO=0 ISXT=0 PBCI=OFF"},
};
INSTANTIATE_TEST_SUITE_P(Options, PerfectBindTest, ::testing::ValuesIn(kBind), RowName());

// The first line for hostile edge values: cut to 99 bytes ("@PJL SET JOBATTR=\"@PBRE=", 73 of the
// value, quote, line feed), never inside a character, controls and quotes made harmless.
TEST(PerfectBind, EdgeLineStaysOneWholeLine) {
  const struct {
    std::string edge, value;
  } rows[] = {{.edge = std::string(255, 'E'), .value = std::string(73, 'E')},
              {.edge = std::string(72, 'E') + "\xC3\xA9\xC3\xA9", .value = std::string(72, 'E')},
              {.edge = "Bind\"Left\"\nX", .value = "Bind'Left' X"}};
  for (const auto& row : rows) {
    ResetJobState();
    PBindGetTicketFromPDE(JobArgs("OVPBindTrimming=None").argv());
    std::snprintf(psoptionpbind.position, kPBindTextSize, "%s", row.edge.c_str());
    const std::string out = CaptureStdout([] { OutputQPJLCommandforPerfectBind(); });
    EXPECT_EQ(out.substr(0, out.find('\n') + 1), Attr("PBRE=" + row.value));
  }
}

}  // namespace
