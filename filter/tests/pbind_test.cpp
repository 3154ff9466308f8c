#include "pbind.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"
#include "run_program.h"

namespace {

std::string Attr(const std::string& attribute) { return "@PJL SET JOBATTR=\"@" + attribute + "\"\n"; }
std::string Attrs(const std::vector<const char*>& attributes) {
  std::string out;
  for (const char* attribute : attributes) out += Attr(attribute);
  return out;
}

// ---- Arithmetic.

class TenthsTest : public ::testing::TestWithParam<std::pair<float, int>> {};
TEST_P(TenthsTest, WholeMillimetresInTenths) { EXPECT_EQ(PBindTenths(GetParam().first), GetParam().second); }

// ((trunc(v) x 60) / 17 / 10) x 10
INSTANTIATE_TEST_SUITE_P(Sizes, TenthsTest,
                         ::testing::ValuesIn(std::vector<std::pair<float, int>>{
                             {595.0f, 2100},  // 35700 / 17 = 2100
                             {842.0f, 2970},
                             {420.0f, 1480},  // 2971, 1482
                             {595.9f, 2100},  // the fraction is dropped first
                             {612.0f, 2160},
                             {792.0f, 2790},
                             {17.0f, 60},
                             {2.0f, 0},
                             {0.0f, 0}}));

class ShiftTest : public ::testing::TestWithParam<std::pair<int, int>> {};
TEST_P(ShiftTest, HalfTheDifference) { EXPECT_EQ(PBindCentringShift(GetParam().first), GetParam().second); }

// Odd differences: (d + 1) / 2.
INSTANTIATE_TEST_SUITE_P(Differences, ShiftTest,
                         ::testing::ValuesIn(std::vector<std::pair<int, int>>{
                             {620, 310}, {0, 0}, {621, 311}, {1, 1}, {-620, -310}, {-3, -1}, {-1, 0}}));

class TrimValueTest : public ::testing::TestWithParam<std::pair<const char*, int>> {};
TEST_P(TrimValueTest, DropsTheUnit) { EXPECT_EQ(PBindTrimValue(GetParam().first), GetParam().second); }

INSTANTIATE_TEST_SUITE_P(Texts, TrimValueTest,
                         ::testing::ValuesIn(std::vector<std::pair<const char*, int>>{
                             {"7mm", 7},
                             {"12mm", 12},
                             {"-3mm", -3},
                             {"mm", 0},
                             {"7", 0},
                             {"", 0},
                             {"abcmm", 0},
                             {"99999999999999mm", 2147483647}}));

// ---- Name table.

TEST(PerfectBindParam, HasSeventySevenPairsAndStaysWithinTheDestination) {
  int pairs = 0;
  while (PerfectBindParam[pairs].ppdName[0] != '\0') ++pairs;
  EXPECT_EQ(pairs, 77);
  char destination[4] = "xyz";
  EXPECT_TRUE(convertPBindPPDValue("ThickPaper", destination, sizeof destination));
  EXPECT_STREQ(destination, "THI");
}

class ConvertTest : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(ConvertTest, LooksTheNameUp) {
  const auto [name, value] = GetParam();
  char destination[kPBindTextSize] = "stale";
  EXPECT_EQ(convertPBindPPDValue(name, destination, sizeof destination), value[0] != '\0');
  EXPECT_STREQ(destination, value);
}

INSTANTIATE_TEST_SUITE_P(Names, ConvertTest,
                         ::testing::ValuesIn(std::vector<std::pair<const char*, const char*>>{
                             {"A4", "A4"},
                             {"B4", "JISB4"},
                             {"SRA3", "SA3"},
                             {"OV122x170", "DT_SPECIALA3"},
                             {"Tabloid", "LEDGER"},
                             {"TabloidExtra", "12X18"},
                             {"Default", "OFF"},
                             {"ThickPaper2S1", "SUPERTHICKS1"},
                             {"CustomSizedPaper5", "USER5"},
                             {"Any", "UNSPECIFIED"},
                             {"HCF2", "INTRAY7"},
                             {"PBindInserter", "INTRAY9"},
                             {"a4", ""},
                             {"A4 ", ""},
                             {"", ""},
                             {"DL", ""}}));

// ---- Normalisation, given cut size "A5", fore trim "10mm" and top trim "5mm" before.

// Edge and trimming before; edge, rotation, trimming, cut size kept, fore and top trims, minimum after.
using NormalCase =
    std::tuple<const char*, const char*, const char*, const char*, const char*, bool, const char*, const char*, int>;
class NormalizeTest : public ::testing::TestWithParam<NormalCase> {};

TEST_P(NormalizeTest, RewritesTheChoices) {
  const auto [position, trimming, positionAfter, rotation, trimmingAfter, keepsCut, fore, top, minimum] = GetParam();
  PBindOptions& p = psoptionpbind;
  p = PBindOptions{};
  std::strcpy(p.position, position);
  std::strcpy(p.trimming, trimming);
  std::strcpy(p.cutPageSize, "A5");
  std::strcpy(p.cutPositionFore, "10mm");
  std::strcpy(p.cutPositionTop, "5mm");
  PBindNormalize();
  EXPECT_STREQ(p.position, positionAfter);
  EXPECT_STREQ(p.rotation, rotation);
  EXPECT_STREQ(p.trimming, trimmingAfter);
  EXPECT_STREQ(p.cutPageSize, keepsCut ? "A5" : "");
  EXPECT_STREQ(p.cutPositionFore, fore);
  EXPECT_STREQ(p.cutPositionTop, top);
  EXPECT_EQ(p.minimumTrim, minimum);
}

INSTANTIATE_TEST_SUITE_P(Choices, NormalizeTest,
                         ::testing::ValuesIn(std::vector<NormalCase>{
                             {"None", "None", "OFF", "", "OFF", false, "", "", 0},
                             {"BindLeft", "3EdgeSpecifySize", "LEFT", "ROTSEFLAND", "FULLBLEED", true, "", "", 0},
                             {"BindRight", "1EdgeSpecifySize", "RIGHT", "ROTLEFPORT", "FACE", true, "", "", 0},
                             {"BindTop", "1EdgeCut", "TOP", "ROTSEFLAND", "FACE", false, "10mm", "", 0},
                             {"BindLeft", "3EdgeCutMinimum", "LEFT", "ROTSEFLAND", "FULLBLEED", false, "7mm", "7mm", 1},
                             {"BindLeft", "1EdgeCutMinimum", "LEFT", "ROTSEFLAND", "FACE", false, "7mm", "", 1},
                             {"BindLeft", "3EdgeCut", "LEFT", "ROTSEFLAND", "FULLBLEED", false, "10mm", "5mm", 0},
                             {"Sideways", "Trim2", "Sideways", "", "Trim2", false, "10mm", "5mm", 0},
                             {"", "", "", "", "", false, "10mm", "5mm", 0}}));

// ---- Digital lines and their signs.

using DigitalCase = std::tuple<const char*, const char*, int, const char*>;  // value, edge, mode, line
class DigitalTest : public ::testing::TestWithParam<DigitalCase> {};

TEST_P(DigitalTest, SignFollowsTheMode) {
  const auto [value, position, signMode, line] = GetParam();
  EXPECT_EQ(CaptureStdout([&] { OutputQPJLCommandforPBindDigital(value, 1, "PBAX", position, signMode); }),
            line == nullptr ? "" : Attr(line));
}

INSTANTIATE_TEST_SUITE_P(Modes, DigitalTest,
                         ::testing::ValuesIn(std::vector<DigitalCase>{
                             {"5", "RIGHT", kPBindSignNever, "PBAX=5"},
                             {"5", "LEFT", kPBindSignNever, "PBAX=5"},
                             {"5", "RIGHT", kPBindSignWhenRight, "PBAX=-5"},
                             {"5", "LEFT", kPBindSignWhenRight, "PBAX=5"},
                             {"5", "TOP", kPBindSignWhenRight, "PBAX=5"},
                             {"-4", "RIGHT", kPBindSignWhenRight, "PBAX=4"},
                             {"5", "TOP", kPBindSignWhenTopOrLeft, "PBAX=-5"},
                             {"5", "LEFT", kPBindSignWhenTopOrLeft, "PBAX=-5"},
                             {"5", "RIGHT", kPBindSignWhenTopOrLeft, "PBAX=5"},
                             {"0", "RIGHT", kPBindSignWhenRight, "PBAX=0"},
                             {"abc", "LEFT", kPBindSignNever, "PBAX=0"},  // not a number: 0
                             {"", "RIGHT", kPBindSignWhenRight, nullptr}}));

// ---- The whole group, with the test PPD's sizes (A4 595 x 842, A5 420 x 595,
// Letter 612 x 792). Adjustment and cover lines in full are golden cases.

PBindOptions& P = psoptionpbind;
void S(char* field, const char* value) { std::strcpy(field, value); }

struct BindCase {
  const char* position;
  const char* trimming;
  void (*setup)();
  std::vector<const char*> expected;
  bool withPPD = true;
};

// The group's lines for the edge and trimming after `setup`, with or without the test PPD.
std::string BindLines(const char* position, const char* trimming, void (*setup)(), bool withPPD) {
  ScopedJobPPD ppd(withPPD ? ReadFile(SourcePath("tests/fixtures/ppd/insert-pbind.ppd")) : "");
  P = PBindOptions{};
  P.imagePosition = -1;
  setup();
  S(P.position, position);
  S(P.trimming, trimming);
  PBindNormalize();
  return CaptureStdout([] { OutputQPJLCommandforPerfectBind(); });
}

class PerfectBindTest : public ::testing::TestWithParam<BindCase> {};

TEST_P(PerfectBindTest, WritesTheLines) {
  const BindCase& c = GetParam();
  EXPECT_EQ(BindLines(c.position, c.trimming, c.setup, c.withPPD), Attrs(c.expected));
}

const std::vector<const char*> kNone;

INSTANTIATE_TEST_SUITE_P(
    Settings, PerfectBindTest,
    ::testing::ValuesIn(std::vector<BindCase>{
        {"None", "3EdgeCutMinimum", [] { S(P.pageSize, "A4"); S(P.coverAdjustX, "5"); }, kNone},
        {"", "None", [] { S(P.pageSize, "A4"); }, kNone},
        // Cut size A5 centred in A4: S = (2100 - 1480) / 2; the left edge negates ISXO.
        {"BindLeft", "1EdgeSpecifySize", [] { S(P.pageSize, "A4"); S(P.cutPageSize, "A5"); S(P.cutPositionFore, "10mm"); },
         {"PBRE=LEFT", "MSDA=ROTSEFLAND", "PBTC=FACE", "PBBP=A4", "PBTP=A5", "PBTW=1480", "PBTH=2100", "ISXO=-310",
          "ISXT=310", "PBCI=OFF"}},
        // No trimming repeats the book size.
        {"BindRight", "None", [] { S(P.pageSize, "A4"); S(P.cutPageSize, "A5"); },
         {"PBRE=RIGHT", "MSDA=ROTLEFPORT", "PBTC=OFF", "PBBP=A4", "PBTP=A4", "PBCI=OFF"}},
        // Fore trim alone (the top trim is cleared): S = 10 x 5, ISXO carries S on the right edge.
        {"BindRight", "1EdgeCut", [] { S(P.pageSize, "A4"); S(P.cutPositionFore, "10mm"); S(P.cutPositionTop, "5mm"); },
         {"PBRE=RIGHT", "MSDA=ROTLEFPORT", "PBTC=FACE", "PBBP=A4", "PBTP=CUSTOM", "PBTW=2000", "PBTH=2970", "ISXO=50",
          "ISXT=-50", "PBCI=OFF"}},
        // Both trims: Letter 2160 x 2790, PBTW = 2160 - 100, PBTH = 2790 - 5 x 20.
        {"BindTop", "3EdgeCut", [] { S(P.pageSize, "Letter"); S(P.cutPositionFore, "10mm"); S(P.cutPositionTop, "5mm"); },
         {"PBRE=TOP", "MSDA=ROTSEFLAND", "PBTC=FULLBLEED", "PBBP=LETTER", "PBTP=CUSTOM", "PBTW=2060", "PBTH=2690",
          "ISXO=-50", "ISXT=50", "PBCI=OFF"}},
        // Names without a value leave their lines out; the colour is set, so the tray keeps its line.
        {"BindLeft", "None",
         [] {
           S(P.pageSize, "Postcard"); S(P.coverPageSize, "Postcard"); S(P.coverMediaType, "Vellum");
           S(P.coverMediaColor, "Teal"); S(P.coverPaperTray, "MSI");
         },
         {"PBRE=LEFT", "MSDA=ROTSEFLAND", "PBTC=OFF", "PBCT=INTRAY5", "PBCI=OFF"}},
        // Without a PPD the sizes count as zero.
        {"BindLeft", "1EdgeSpecifySize", [] { S(P.pageSize, "A4"); S(P.cutPageSize, "A5"); },
         {"PBRE=LEFT", "MSDA=ROTSEFLAND", "PBTC=FACE", "PBBP=A4", "PBTP=A5", "PBTW=0", "PBTH=0", "ISXO=0", "ISXT=0",
          "PBCI=OFF"},
         false},
        // Unknown edge and trimming are written as read.
        {"Spine", "Trim2", [] {},
         {"PBRE=Spine", "MSDA=", "PBTC=Trim2", "PBTP=CUSTOM", "PBTW=0", "PBTH=0", "ISXO=0", "ISXT=0", "PBCI=OFF"}}}));

// The first line for hostile edge values: cut to 99 bytes ("@PJL SET JOBATTR=\"@PBRE=", 73 of the
// value, quote, line feed), never inside a character, controls and quotes made harmless.
using EdgeCase = std::pair<std::string, std::string>;  // edge, the value in the first line
class EdgeLineTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EdgeLineTest, StaysOneWholeLine) {
  const std::string out = BindLines(
      GetParam().first.c_str(), "None", [] {}, true);
  EXPECT_EQ(out.substr(0, out.find('\n') + 1), Attr("PBRE=" + GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Values, EdgeLineTest,
                         ::testing::ValuesIn(std::vector<EdgeCase>{
                             {std::string(255, 'E'), std::string(73, 'E')},
                             {std::string(72, 'E') + "\xC3\xA9\xC3\xA9", std::string(72, 'E')},
                             {"Bind\"Left\"\nX", "Bind'Left' X"}}));

}  // namespace
