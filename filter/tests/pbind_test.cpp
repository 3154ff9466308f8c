#include "pbind.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "jobstate.h"
#include "modules.h"
#include "run_program.h"
#include "filter_test_support.h"

namespace {

std::string Attr(const std::string& attribute) { return "@PJL SET JOBATTR=\"@" + attribute + "\"\n"; }

// ---------------------------------------------------------------------------
// Arithmetic.

struct TenthsCase {
  float points;
  int tenths;
};
std::ostream& operator<<(std::ostream& os, const TenthsCase& c) { return os << c.points << " points"; }
class TenthsTest : public ::testing::TestWithParam<TenthsCase> {};

TEST_P(TenthsTest, WholeMillimetresInTenths) { EXPECT_EQ(PBindTenths(GetParam().points), GetParam().tenths); }

// ((trunc(v) x 60) / 17 / 10) x 10
INSTANTIATE_TEST_SUITE_P(Sizes, TenthsTest,
                         ::testing::Values(TenthsCase{595.0f, 2100},   // 35700 / 17 = 2100
                                           TenthsCase{842.0f, 2970},   // 50520 / 17 = 2971
                                           TenthsCase{420.0f, 1480},   // 25200 / 17 = 1482
                                           TenthsCase{595.9f, 2100},   // the fraction is dropped first
                                           TenthsCase{612.0f, 2160},   // 36720 / 17 = 2160
                                           TenthsCase{792.0f, 2790},   // 47520 / 17 = 2795
                                           TenthsCase{17.0f, 60}, TenthsCase{2.0f, 0}, TenthsCase{0.0f, 0}));

struct ShiftCase {
  int difference;
  int shift;
};
std::ostream& operator<<(std::ostream& os, const ShiftCase& c) { return os << "difference " << c.difference; }
class ShiftTest : public ::testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftTest, HalfTheDifference) { EXPECT_EQ(PBindCentringShift(GetParam().difference), GetParam().shift); }

INSTANTIATE_TEST_SUITE_P(Differences, ShiftTest,
                         ::testing::Values(ShiftCase{620, 310}, ShiftCase{0, 0}, ShiftCase{621, 311},  // odd: (d+1)/2
                                           ShiftCase{1, 1}, ShiftCase{-620, -310},
                                           ShiftCase{-3, -1},  // (-3 + 1) / 2
                                           ShiftCase{-1, 0}));

struct TrimCase {
  const char* text;
  int value;
};
std::ostream& operator<<(std::ostream& os, const TrimCase& c) { return os << '"' << c.text << '"'; }
class TrimValueTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimValueTest, DropsTheUnit) { EXPECT_EQ(PBindTrimValue(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, TrimValueTest,
                         ::testing::Values(TrimCase{"7mm", 7}, TrimCase{"12mm", 12}, TrimCase{"-3mm", -3},
                                           TrimCase{"mm", 0}, TrimCase{"7", 0}, TrimCase{"", 0},
                                           TrimCase{"abcmm", 0}, TrimCase{"99999999999999mm", 2147483647}));

// ---------------------------------------------------------------------------
// Name table.

TEST(PerfectBindParam, HasSeventySevenPairsAndAnEnd) {
  int pairs = 0;
  while (PerfectBindParam[pairs].ppdName[0] != '\0') ++pairs;
  EXPECT_EQ(pairs, 77);
}

struct NameCase {
  const char* name;
  const char* value;
};
std::ostream& operator<<(std::ostream& os, const NameCase& c) { return os << '"' << c.name << '"'; }
class ConvertTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ConvertTest, LooksTheNameUp) {
  char destination[kPBindTextSize] = "stale";
  EXPECT_EQ(convertPBindPPDValue(GetParam().name, destination, sizeof destination), GetParam().value[0] != '\0');
  EXPECT_STREQ(destination, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Names, ConvertTest,
                         ::testing::Values(NameCase{"A4", "A4"}, NameCase{"B4", "JISB4"}, NameCase{"SRA3", "SA3"},
                                           NameCase{"OV122x170", "DT_SPECIALA3"}, NameCase{"Tabloid", "LEDGER"},
                                           NameCase{"TabloidExtra", "12X18"}, NameCase{"Default", "OFF"},
                                           NameCase{"ThickPaper2S1", "SUPERTHICKS1"},
                                           NameCase{"CustomSizedPaper5", "USER5"}, NameCase{"Any", "UNSPECIFIED"},
                                           NameCase{"HCF2", "INTRAY7"}, NameCase{"PBindInserter", "INTRAY9"},
                                           NameCase{"a4", ""}, NameCase{"A4 ", ""}, NameCase{"", ""},
                                           NameCase{"DL", ""}));

TEST(Convert, StaysWithinTheDestination) {
  char destination[4] = "xyz";
  EXPECT_TRUE(convertPBindPPDValue("ThickPaper", destination, sizeof destination));
  EXPECT_STREQ(destination, "THI");
}

// ---------------------------------------------------------------------------
// Normalisation.

struct NormalCase {
  const char* position;
  const char* trimming;
  const char* positionAfter;
  const char* rotation;
  const char* trimmingAfter;
  bool keepsCut;
  const char* fore;  // fore trim after, given "10mm" before
  const char* top;   // top trim after, given "5mm" before
  int minimumTrim;
};
std::ostream& operator<<(std::ostream& os, const NormalCase& c) { return os << c.position << " " << c.trimming; }

class NormalizeTest : public ::testing::TestWithParam<NormalCase> {};

TEST_P(NormalizeTest, RewritesTheChoices) {
  const NormalCase& c = GetParam();
  psoptionpbind = PBindOptions{};
  std::strcpy(psoptionpbind.position, c.position);
  std::strcpy(psoptionpbind.trimming, c.trimming);
  std::strcpy(psoptionpbind.cutPageSize, "A5");
  std::strcpy(psoptionpbind.cutPositionFore, "10mm");
  std::strcpy(psoptionpbind.cutPositionTop, "5mm");
  PBindNormalize();
  EXPECT_STREQ(psoptionpbind.position, c.positionAfter);
  EXPECT_STREQ(psoptionpbind.rotation, c.rotation);
  EXPECT_STREQ(psoptionpbind.trimming, c.trimmingAfter);
  EXPECT_STREQ(psoptionpbind.cutPageSize, c.keepsCut ? "A5" : "");
  EXPECT_STREQ(psoptionpbind.cutPositionFore, c.fore);
  EXPECT_STREQ(psoptionpbind.cutPositionTop, c.top);
  EXPECT_EQ(psoptionpbind.minimumTrim, c.minimumTrim);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, NormalizeTest,
    ::testing::Values(NormalCase{"None", "None", "OFF", "", "OFF", false, "", "", 0},
                      NormalCase{"BindLeft", "3EdgeSpecifySize", "LEFT", "ROTSEFLAND", "FULLBLEED", true, "", "", 0},
                      NormalCase{"BindRight", "1EdgeSpecifySize", "RIGHT", "ROTLEFPORT", "FACE", true, "", "", 0},
                      NormalCase{"BindTop", "1EdgeCut", "TOP", "ROTSEFLAND", "FACE", false, "10mm", "", 0},
                      NormalCase{"BindLeft", "3EdgeCutMinimum", "LEFT", "ROTSEFLAND", "FULLBLEED", false, "7mm",
                                 "7mm", 1},
                      NormalCase{"BindLeft", "1EdgeCutMinimum", "LEFT", "ROTSEFLAND", "FACE", false, "7mm", "", 1},
                      NormalCase{"BindLeft", "3EdgeCut", "LEFT", "ROTSEFLAND", "FULLBLEED", false, "10mm", "5mm", 0},
                      NormalCase{"Sideways", "Trim2", "Sideways", "", "Trim2", false, "10mm", "5mm", 0},
                      NormalCase{"", "", "", "", "", false, "10mm", "5mm", 0}));

// ---------------------------------------------------------------------------
// Digital lines and their signs.

struct DigitalCase {
  const char* value;
  const char* position;
  int signMode;
  const char* line;  // nullptr: no line
};
std::ostream& operator<<(std::ostream& os, const DigitalCase& c) { return os << c.value << " " << c.position << " mode " << c.signMode; }

class DigitalTest : public ::testing::TestWithParam<DigitalCase> {};

TEST_P(DigitalTest, SignFollowsTheMode) {
  const DigitalCase& c = GetParam();
  const std::string out =
      CaptureStdout([&] { OutputQPJLCommandforPBindDigital(c.value, 1, "PBAX", c.position, c.signMode); });
  EXPECT_EQ(out, c.line == nullptr ? "" : Attr(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, DigitalTest,
    ::testing::Values(DigitalCase{"5", "RIGHT", kPBindSignNever, "PBAX=5"},
                      DigitalCase{"5", "LEFT", kPBindSignNever, "PBAX=5"},
                      DigitalCase{"5", "RIGHT", kPBindSignWhenRight, "PBAX=-5"},
                      DigitalCase{"5", "LEFT", kPBindSignWhenRight, "PBAX=5"},
                      DigitalCase{"5", "TOP", kPBindSignWhenRight, "PBAX=5"},
                      DigitalCase{"-4", "RIGHT", kPBindSignWhenRight, "PBAX=4"},
                      DigitalCase{"5", "TOP", kPBindSignWhenTopOrLeft, "PBAX=-5"},
                      DigitalCase{"5", "LEFT", kPBindSignWhenTopOrLeft, "PBAX=-5"},
                      DigitalCase{"5", "RIGHT", kPBindSignWhenTopOrLeft, "PBAX=5"},
                      DigitalCase{"0", "RIGHT", kPBindSignWhenRight, "PBAX=0"},
                      DigitalCase{"abc", "LEFT", kPBindSignNever, "PBAX=0"},  // not a number: 0
                      DigitalCase{"", "RIGHT", kPBindSignWhenRight, nullptr}));

// ---------------------------------------------------------------------------
// The whole group, with the test PPD's sizes (A4 595 x 842, A5 420 x 595,
// Letter 612 x 792).

class PerfectBindTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UsePPD(SourcePath("tests/fixtures/ppd/insert-pbind.ppd").c_str());
    psoptionpbind = PBindOptions{};
    psoptionpbind.imagePosition = -1;
  }
  void TearDown() override { UsePPD(nullptr); }

  static void UsePPD(const char* path) {
    CloseJobPPD();
    if (path != nullptr) {
      setenv("PPD", path, 1);
    } else {
      unsetenv("PPD");
    }
  }

  static void Set(char* field, const char* value) { std::strcpy(field, value); }

  static std::string Run(const char* position, const char* trimming) {
    Set(psoptionpbind.position, position);
    Set(psoptionpbind.trimming, trimming);
    PBindNormalize();
    return CaptureStdout([] { OutputQPJLCommandforPerfectBind(); });
  }
};

TEST_F(PerfectBindTest, NoBindingWritesNothing) {
  Set(psoptionpbind.pageSize, "A4");
  Set(psoptionpbind.coverAdjustX, "5");
  EXPECT_EQ(Run("None", "3EdgeCutMinimum"), "");
  EXPECT_EQ(Run("", "None"), "");
}

TEST_F(PerfectBindTest, ThreeEdgeMinimumTrimsSevenMillimetres) {
  Set(psoptionpbind.pageSize, "A4");
  EXPECT_EQ(Run("BindLeft", "3EdgeCutMinimum"),
            Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=FULLBLEED") + Attr("PBBP=A4") +
                Attr("PBTP=CUSTOM") + Attr("PBTW=2030") + Attr("PBTH=2830") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, SpecifiedCutSizeIsCentred) {
  Set(psoptionpbind.pageSize, "A4");
  Set(psoptionpbind.cutPageSize, "A5");
  Set(psoptionpbind.cutPositionFore, "10mm");
  EXPECT_EQ(Run("BindLeft", "1EdgeSpecifySize"),
            Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=FACE") + Attr("PBBP=A4") + Attr("PBTP=A5") +
                Attr("PBTW=1480") + Attr("PBTH=2100") + Attr("ISXO=-310") + Attr("ISXT=310") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, NoTrimmingRepeatsTheBookSize) {
  Set(psoptionpbind.pageSize, "A4");
  Set(psoptionpbind.cutPageSize, "A5");
  EXPECT_EQ(Run("BindRight", "None"), Attr("PBRE=RIGHT") + Attr("MSDA=ROTLEFPORT") + Attr("PBTC=OFF") +
                                          Attr("PBBP=A4") + Attr("PBTP=A4") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, ForeTrimAloneKeepsTheBookHeight) {
  Set(psoptionpbind.pageSize, "A4");
  Set(psoptionpbind.cutPositionFore, "10mm");
  Set(psoptionpbind.cutPositionTop, "5mm");  // cleared by "1EdgeCut"
  // S = 10 x 5 = 50; the edge is RIGHT, so ISXO carries S and ISXT -S.
  EXPECT_EQ(Run("BindRight", "1EdgeCut"), Attr("PBRE=RIGHT") + Attr("MSDA=ROTLEFPORT") + Attr("PBTC=FACE") +
                                              Attr("PBBP=A4") + Attr("PBTP=CUSTOM") + Attr("PBTW=2000") +
                                              Attr("PBTH=2970") + Attr("ISXO=50") + Attr("ISXT=-50") +
                                              Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, BothTrimsGiven) {
  Set(psoptionpbind.pageSize, "Letter");
  Set(psoptionpbind.cutPositionFore, "10mm");
  Set(psoptionpbind.cutPositionTop, "5mm");
  // Letter: W = 2160, H = 2790; PBTW = 2160 - 100, PBTH = 2790 - 5 x 20.
  EXPECT_EQ(Run("BindTop", "3EdgeCut"), Attr("PBRE=TOP") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=FULLBLEED") +
                                            Attr("PBBP=LETTER") + Attr("PBTP=CUSTOM") + Attr("PBTW=2060") +
                                            Attr("PBTH=2690") + Attr("ISXO=-50") + Attr("ISXT=50") +
                                            Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, AdjustmentLinesInOrder) {
  PBindOptions& p = psoptionpbind;
  Set(p.cutPageAdjustmentFore, "1");
  Set(p.cutPageAdjustmentTB, "2");
  Set(p.rotationAdjustTop, "3");
  Set(p.rotationAdjustBot, "4");
  Set(p.rotationAdjustFore, "5");
  Set(p.coverAdjustX, "6");
  Set(p.coverAdjustY, "7");
  Set(p.cutPositionAdjustmentTB, "8");
  const std::string head = Attr("PBRE=RIGHT") + Attr("MSDA=ROTLEFPORT") + Attr("PBTC=OFF");
  EXPECT_EQ(Run("BindRight", "None"), head + Attr("PBAW=1") + Attr("PBAH=2") + Attr("PBAB=3") + Attr("PBAT=4") +
                                          Attr("PBAF=-5") + Attr("PBAX=-6") + Attr("PBAY=7") + Attr("PBAV=-8") +
                                          Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, CoverAdjustmentSigns) {
  Set(psoptionpbind.coverAdjustX, "5");
  EXPECT_NE(Run("BindRight", "None").find(Attr("PBAX=-5")), std::string::npos);
  Set(psoptionpbind.coverAdjustX, "");
  Set(psoptionpbind.coverAdjustY, "5");
  EXPECT_NE(Run("BindTop", "None").find(Attr("PBAY=-5")), std::string::npos);
  EXPECT_NE(Run("BindLeft", "None").find(Attr("PBAY=-5")), std::string::npos);
  EXPECT_NE(Run("BindRight", "None").find(Attr("PBAY=5")), std::string::npos);
}

TEST_F(PerfectBindTest, CoverLines) {
  PBindOptions& p = psoptionpbind;
  Set(p.coverPageSize, "DL");
  Set(p.coverMediaType, "ThickPaper");
  Set(p.coverMediaColor, "Blue");
  Set(p.coverPaperTray, "MSI");
  EXPECT_EQ(Run("BindLeft", "None"), Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=OFF") +
                                         Attr("PBCP=LEDGER") + Attr("PBCQ=THICK") + Attr("PBCC=BLUE") +
                                         Attr("PBCT=INTRAY5") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, TrayWithoutColourHasNoLine) {
  Set(psoptionpbind.coverPaperTray, "MSI");
  EXPECT_EQ(Run("BindLeft", "None"),
            Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=OFF") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, NamesWithoutValueLeaveTheirLinesOut) {
  PBindOptions& p = psoptionpbind;
  Set(p.pageSize, "Postcard");
  Set(p.coverPageSize, "Postcard");
  Set(p.coverMediaType, "Vellum");
  Set(p.coverMediaColor, "Teal");
  Set(p.coverPaperTray, "MSI");  // the colour is set, so the tray still has its line
  EXPECT_EQ(Run("BindLeft", "None"), Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=OFF") +
                                         Attr("PBCT=INTRAY5") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, WithoutPPDSizesCountAsZero) {
  UsePPD(nullptr);
  Set(psoptionpbind.pageSize, "A4");
  Set(psoptionpbind.cutPageSize, "A5");
  EXPECT_EQ(Run("BindLeft", "1EdgeSpecifySize"),
            Attr("PBRE=LEFT") + Attr("MSDA=ROTSEFLAND") + Attr("PBTC=FACE") + Attr("PBBP=A4") + Attr("PBTP=A5") +
                Attr("PBTW=0") + Attr("PBTH=0") + Attr("ISXO=0") + Attr("ISXT=0") + Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, UnknownEdgeAndTrimmingAreWrittenAsRead) {
  EXPECT_EQ(Run("Spine", "Trim2"), Attr("PBRE=Spine") + Attr("MSDA=") + Attr("PBTC=Trim2") + Attr("PBTP=CUSTOM") +
                                       Attr("PBTW=0") + Attr("PBTH=0") + Attr("ISXO=0") + Attr("ISXT=0") +
                                       Attr("PBCI=OFF"));
}

TEST_F(PerfectBindTest, LongValueIsCutButItsLineStaysWhole) {
  const std::string edge(255, 'E');
  const std::string out = Run(edge.c_str(), "None");
  const std::string first = out.substr(0, out.find('\n') + 1);
  // 99 bytes: 19 for the prefix "@PJL SET JOBATTR=\"@", "PBRE=", 73 of the value, quote, line feed.
  EXPECT_EQ(first, "@PJL SET JOBATTR=\"@PBRE=" + std::string(73, 'E') + "\"\n");
}

TEST_F(PerfectBindTest, CutNeverSplitsACharacter) {
  std::string edge(72, 'E');
  edge += "\xC3\xA9\xC3\xA9";  // the first é would straddle the limit
  const std::string out = Run(edge.c_str(), "None");
  EXPECT_EQ(out.substr(0, out.find('\n') + 1), "@PJL SET JOBATTR=\"@PBRE=" + std::string(72, 'E') + "\"\n");
}

TEST_F(PerfectBindTest, ValuesCannotBreakTheLine) {
  const std::string out = Run("Bind\"Left\"\nX", "None");
  EXPECT_EQ(out.substr(0, out.find('\n') + 1), "@PJL SET JOBATTR=\"@PBRE=Bind'Left' X\"\n");
}

}  // namespace
