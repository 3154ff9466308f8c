#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "filter_test_support.h"
#include "finishing.h"
#include "jobstate.h"
#include "modules.h"
#include "stream.h"

namespace {

FeaturesOptions& F = qpjlOptionFeatures;
void S(char* field, const char* value) { std::strcpy(field, value); }

void SetLayout(const char* rows, const char* columns) {
  S(StdLayoutRowInfo, rows);
  S(StdLayoutColumnInfo, columns);
}

std::string RunEvent(int event) {
  return CaptureStream([&](FILE* stream) { FeaturesOutputPSCommandFromFilter(event, stream); });
}
std::string RunTable() {
  return CaptureStdout([] { FeaturesOutputQPJLCommandFromFilter(nullptr); });
}
std::string Attr(const std::string& attribute) { return "@PJL SET JOBATTR=\"@" + attribute + "\"\n"; }
std::string Wrapped(const std::string& featureLine) {
  return "[{\n%%BeginNonPPDFeatures\n" + featureLine + "\n%%EndNonPPDFeatures\n} stopped cleartomark\n";
}
std::string Separator(const std::string& pages) {
  return Wrapped("1 dict dup/SeparatorPages[" + pages + "]put/Custom/ProcSet findresource/setcoverseparator get exec");
}
std::string AutoFit(const char* flag) {
  return Wrapped(std::string("/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get ") + flag +
                 " exch exec} {pop pop} ifelse");
}

const std::string kSeparatorBlock = Separator("1 3 5");
const std::string kBookletBlock = Wrapped("5.000/Custom/ProcSet findresource/setsignatureimageshift get exec");

void SetBothBlocks() {
  F.separatorPageList = 2;
  S(F.separatorPages, "1 3 5");
  F.bookletMargin = 1;
  S(F.bookletMarginShift, "5");
}

// The record as the ticket pass leaves it when no key is present.
class FeaturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    F = FeaturesOptions{};
    for (int* value :
         {&F.tabMargin, &F.trimmer, &F.trimmerSelect, &F.bookletMargin, &F.numInSequence, &F.offsetStacking,
          &F.separatorPageList, &F.autoFit, &F.ejectOptions, &F.specialPagesA5, &F.specialPagesTab}) {
      *value = -1;
    }
    SetLayout("", "");
    FeaturesInializeDescriptionTableFromFilter();
  }
  void TearDown() override { SetLayout("", ""); }
};

// ---- Insertion points: the blocks of the layout at their event.

using InsertionCase = std::tuple<const char*, const char*, int, bool, bool>;  // rows, columns, event, blocks
class InsertionPointTest : public FeaturesTest, public ::testing::WithParamInterface<InsertionCase> {};

TEST_P(InsertionPointTest, WritesTheBlocksOfTheLayoutAtTheirEvent) {
  const auto [rows, columns, event, separator, booklet] = GetParam();
  SetBothBlocks();
  SetLayout(rows, columns);
  EXPECT_EQ(RunEvent(event), (separator ? kSeparatorBlock : "") + (booklet ? kBookletBlock : ""));
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InsertionPointTest,
    ::testing::ValuesIn(std::vector<InsertionCase>{
        // Single cell (no layout, or 1 x 1): separator before "%%EndProlog", booklet before "%%EndSetup"
        // (no layout: a golden case).
        {"", "", kEventSetPageDevice, false, false},
        {"1", "1", kEventEndProlog, true, false},
        {"1", "1", kEventEndSetup, false, true},
        {"1", "1", kEventSetPageDevice, false, false},
        // Several cells: both blocks, separator first, before the setpagedevice line only.
        {"2", "1", kEventSetPageDevice, true, true},
        {"2", "1", kEventEndProlog, false, false},
        {"2", "1", kEventEndSetup, false, false},
        {"2", "2", kEventSetPageDevice, true, true},
        {"1", "4", kEventSetPageDevice, true, true},
        // Rows without columns make no cells; huge counts do not wrap round to a single cell.
        {"2", "", kEventEndProlog, true, false},
        {"99999999999", "99999999999", kEventSetPageDevice, true, true},
        // Other events never write.
        {"", "", kEventBeginProlog, false, false},
        {"", "", kEventEndPage, false, false},
        {"2", "1", kEventBeginPage, false, false},
        {"2", "1", kEventEndPageSetup, false, false}}));

// ---- The blocks and the PJL table, beyond what the whole-filter cases show.

using BlockCase = std::tuple<void (*)(), int, std::string>;  // setup, event (-1: the PJL table), output
class BlockTest : public FeaturesTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(BlockTest, WritesWholeLines) {
  const auto& [setup, event, expected] = GetParam();
  setup();
  EXPECT_EQ(event < 0 ? RunTable() : RunEvent(event), expected);
}

const std::string kLongPages = [] {
  std::string pages;
  while (pages.size() + 3 <= 99) pages += "12 ";
  return pages;
}();

INSTANTIATE_TEST_SUITE_P(
    Settings, BlockTest,
    ::testing::ValuesIn(std::vector<BlockCase>{
        // Auto fit follows the booklet margin: absent, off, on, any other value on.
        {[] { SetBothBlocks(); }, kEventEndSetup, kBookletBlock},
        {[] {
           SetBothBlocks();
           F.autoFit = 0;
         },
         kEventEndSetup, kBookletBlock + AutoFit("false")},
        {[] {
           SetBothBlocks();
           F.autoFit = 3;
         },
         kEventEndSetup, kBookletBlock + AutoFit("true")},
        {[] {
           SetBothBlocks();
           F.autoFit = 1;
           F.bookletMargin = 0;
         },
         kEventEndSetup, ""},
        {[] {
           SetBothBlocks();
           F.autoFit = 1;
           F.bookletMargin = -1;
         },
         kEventEndSetup, ""},
        // A separator list "none" or absent.
        {[] {
           SetBothBlocks();
           F.separatorPageList = 1;
         },
         kEventEndProlog, ""},
        {[] {
           SetBothBlocks();
           F.separatorPageList = -1;
         },
         kEventEndProlog, ""},
        // Long values stay whole; line ends become spaces.
        {[] {
           SetBothBlocks();
           S(F.separatorPages, kLongPages.c_str());
         },
         kEventEndProlog, Separator(kLongPages)},
        {[] {
           SetBothBlocks();
           S(F.separatorPages, "1\n2\r3");
         },
         kEventEndProlog, Separator("1 2 3")},
        {[] {
           SetBothBlocks();
           S(F.bookletMarginShift, "5\n");
         },
         kEventEndSetup, Wrapped("5 .000/Custom/ProcSet findresource/setsignatureimageshift get exec")},
        // PJL: nothing when every key is absent; stacking neither by pages nor copies; values stay on their line.
        {[] {}, -1, ""},
        {[] {
           S(F.offsetStackingPages, "10");
           F.offsetStacking = 2;
         },
         -1, ""},
        {[] {
           F.tabMargin = 1;
           S(F.tabMarginShift, "1\n\"2");
         },
         -1, Attr("TABS=1 '2")}}));

// ---- Face rows: each case makes exactly one row of the table true (or none).
// Rows 19, 21 and 22 (eject 2, 4, 5) are golden cases.

struct FaceCase {
  int row;  // table row expected to write, -1 for none
  int eject;
  const char* punch;
  const char* featuresTab;
  int specialTab;
  const char* coilFace;
  const char* media;
  int specialA5;
  const char* line;
};

class FaceRowTest : public FeaturesTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(FaceRowTest, WritesTheFaceOfItsRow) {
  const FaceCase& c = GetParam();
  F.ejectOptions = c.eject;
  S(F.punchHoles, c.punch);
  S(F.featuresMediaTypeTab, c.featuresTab);
  F.specialPagesTab = c.specialTab;
  S(F.coilPunchFace, c.coilFace);
  S(F.media, c.media);
  F.specialPagesA5 = c.specialA5;
  EXPECT_EQ(RunTable(), c.line == nullptr ? "" : Attr(c.line)) << "row " << c.row;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FaceRowTest,
    ::testing::ValuesIn(std::vector<FaceCase>{
        {16, 1, "Coil", "false", 0, "true", "Letter,Plain", 0, "FACE=OFF"},
        {17, 1, "2Hole", "false", 0, "true", "A5", 1, "FACE=OFF"},
        {17, 1, "", "true", 1, "true", "", 0, "FACE=OFF"},  // no punching: not coil
        {18, 1, "Coil", "true", 1, "false", "A5", 1, "FACE=OFF"},
        {20, 3, "", "", -1, "", "", -1, "FACE=UP"},
        {23, 1, "Coil", "false", 0, "true", "A5,Plain", 0, "FACE=UP"},
        {24, 1, "Coil", "false", 0, "true", "A4", 1, "FACE=UP"},
        {25, 1, "Coil", "false", 0, "true", "A5", 1, "FACE=UP"},
        {26, 1, "Coil", "true", 0, "true", "A4", 0, "FACE=UP"},
        {27, 1, "Coil", "false", 1, "true", "A4", 0, "FACE=UP"},
        {28, 1, "Coil", "true", 1, "true", "A5", 1, "FACE=UP"},
        // No row holds: eject, coil face, features tab, special tab, special A5 absent; unknown eject.
        {-1, -1, "Coil", "false", 0, "true", "", 0, nullptr},
        {-1, 1, "Coil", "false", 0, "", "", 0, nullptr},
        {-1, 1, "Coil", "", 0, "true", "", 0, nullptr},
        {-1, 1, "Coil", "false", -1, "true", "", 0, nullptr},
        {-1, 1, "Coil", "false", 0, "true", "", -1, nullptr},
        {-1, 6, "", "", 0, "", "", 0, nullptr}}));

}  // namespace
