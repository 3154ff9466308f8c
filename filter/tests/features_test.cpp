#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>

#include "finishing.h"
#include "jobstate.h"
#include "modules.h"
#include "filter_test_support.h"
#include "stream.h"

namespace {

// The record as the ticket pass leaves it when no key is present.
void SetAllAbsent() {
  qpjlOptionFeatures = FeaturesOptions{};
  FeaturesOptions& f = qpjlOptionFeatures;
  for (int* value : {&f.tabMargin, &f.trimmer, &f.trimmerSelect, &f.bookletMargin, &f.numInSequence,
                     &f.offsetStacking, &f.separatorPageList, &f.autoFit, &f.ejectOptions, &f.specialPagesA5,
                     &f.specialPagesTab}) {
    *value = -1;
  }
}

void SetLayout(const char* rows, const char* columns) {
  std::strcpy(StdLayoutRowInfo, rows);
  std::strcpy(StdLayoutColumnInfo, columns);
}

std::string RunEvent(int event) {
  return CaptureStream([&](FILE* stream) { FeaturesOutputPSCommandFromFilter(event, stream); });
}

std::string Wrapped(const std::string& featureLine) {
  return "[{\n%%BeginNonPPDFeatures\n" + featureLine + "\n%%EndNonPPDFeatures\n} stopped cleartomark\n";
}

const std::string kSeparatorBlock =
    Wrapped("1 dict dup/SeparatorPages[1 3 5]put/Custom/ProcSet findresource/setcoverseparator get exec");
const std::string kBookletBlock =
    Wrapped("5.000/Custom/ProcSet findresource/setsignatureimageshift get exec");
const std::string kAutoFitTrue = Wrapped(
    "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get true exch exec} {pop pop} ifelse");
const std::string kAutoFitFalse = Wrapped(
    "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get false exch exec} {pop pop} ifelse");

class FeaturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAllAbsent();
    SetLayout("", "");
    FeaturesInializeDescriptionTableFromFilter();
  }
  void TearDown() override { SetLayout("", ""); }

  void SetBothBlocks() {
    qpjlOptionFeatures.separatorPageList = 2;
    std::strcpy(qpjlOptionFeatures.separatorPages, "1 3 5");
    qpjlOptionFeatures.bookletMargin = 1;
    std::strcpy(qpjlOptionFeatures.bookletMarginShift, "5");
  }
};

// ---------------------------------------------------------------------------
// Insertion points.

struct InsertionCase {
  const char* rows;
  const char* columns;
  int event;
  bool separator;
  bool booklet;
};
std::ostream& operator<<(std::ostream& os, const InsertionCase& c) {
  return os << "layout '" << c.rows << "' x '" << c.columns << "' event " << c.event;
}

class InsertionPointTest : public FeaturesTest, public ::testing::WithParamInterface<InsertionCase> {};

TEST_P(InsertionPointTest, WritesTheBlocksOfTheLayoutAtTheirEvent) {
  const InsertionCase& c = GetParam();
  SetBothBlocks();
  SetLayout(c.rows, c.columns);
  const std::string expected = (c.separator ? kSeparatorBlock : "") + (c.booklet ? kBookletBlock : "");
  EXPECT_EQ(RunEvent(c.event), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, InsertionPointTest,
    ::testing::Values(
        // Single cell (no layout, or 1 x 1): separator before "%%EndProlog", booklet before "%%EndSetup".
        InsertionCase{"", "", kEventEndProlog, true, false}, InsertionCase{"", "", kEventEndSetup, false, true},
        InsertionCase{"", "", kEventSetPageDevice, false, false},
        InsertionCase{"1", "1", kEventEndProlog, true, false}, InsertionCase{"1", "1", kEventEndSetup, false, true},
        InsertionCase{"1", "1", kEventSetPageDevice, false, false},
        // Several cells: both blocks, separator first, before the setpagedevice line only.
        InsertionCase{"2", "1", kEventSetPageDevice, true, true},
        InsertionCase{"2", "1", kEventEndProlog, false, false}, InsertionCase{"2", "1", kEventEndSetup, false, false},
        InsertionCase{"2", "2", kEventSetPageDevice, true, true},
        InsertionCase{"1", "4", kEventSetPageDevice, true, true},
        // Other events never write.
        InsertionCase{"", "", kEventBeginProlog, false, false}, InsertionCase{"", "", kEventEndPage, false, false},
        InsertionCase{"2", "1", kEventBeginPage, false, false},
        InsertionCase{"2", "1", kEventEndPageSetup, false, false}));

TEST(FeaturesLayout, CellsAreRowsTimesColumns) {
  SetLayout("", "");
  EXPECT_EQ(FeaturesLayoutCells(), 0);
  SetLayout("2", "");
  EXPECT_EQ(FeaturesLayoutCells(), 0);
  SetLayout("2", "3");
  EXPECT_EQ(FeaturesLayoutCells(), 6);
  SetLayout("99999999999", "99999999999");
  EXPECT_GE(FeaturesLayoutCells(), 2);
  SetLayout("", "");
}

// ---------------------------------------------------------------------------
// The blocks.

TEST_F(FeaturesTest, BookletMarginWithoutAutoFitHasNoAutoscaleBlock) {
  SetBothBlocks();
  EXPECT_EQ(RunEvent(kEventEndSetup), kBookletBlock);
}

TEST_F(FeaturesTest, AutoFitFollowsTheBookletMargin) {
  SetBothBlocks();
  qpjlOptionFeatures.autoFit = 0;
  EXPECT_EQ(RunEvent(kEventEndSetup), kBookletBlock + kAutoFitFalse);
  qpjlOptionFeatures.autoFit = 1;
  EXPECT_EQ(RunEvent(kEventEndSetup), kBookletBlock + kAutoFitTrue);
  qpjlOptionFeatures.autoFit = 3;
  EXPECT_EQ(RunEvent(kEventEndSetup), kBookletBlock + kAutoFitTrue);
}

TEST_F(FeaturesTest, NoBookletMarginMeansNoAutoFitEither) {
  SetBothBlocks();
  qpjlOptionFeatures.autoFit = 1;
  for (int off : {0, -1}) {
    qpjlOptionFeatures.bookletMargin = off;
    EXPECT_EQ(RunEvent(kEventEndSetup), "") << off;
  }
}

TEST_F(FeaturesTest, SeparatorListNoneOrAbsentWritesNothing) {
  SetBothBlocks();
  for (int none : {1, -1}) {
    qpjlOptionFeatures.separatorPageList = none;
    EXPECT_EQ(RunEvent(kEventEndProlog), "") << none;
  }
}

TEST_F(FeaturesTest, LongSeparatorListStaysWhole) {
  SetBothBlocks();
  std::string pages;
  while (pages.size() + 3 <= 99) pages += "12 ";
  std::strcpy(qpjlOptionFeatures.separatorPages, pages.c_str());
  EXPECT_EQ(RunEvent(kEventEndProlog),
            Wrapped("1 dict dup/SeparatorPages[" + pages +
                    "]put/Custom/ProcSet findresource/setcoverseparator get exec"));
}

TEST_F(FeaturesTest, LineEndsInValuesBecomeSpaces) {
  SetBothBlocks();
  std::strcpy(qpjlOptionFeatures.separatorPages, "1\n2\r3");
  std::strcpy(qpjlOptionFeatures.bookletMarginShift, "5\n");
  EXPECT_EQ(RunEvent(kEventEndProlog),
            Wrapped("1 dict dup/SeparatorPages[1 2 3]put/Custom/ProcSet findresource/setcoverseparator get exec"));
  EXPECT_EQ(RunEvent(kEventEndSetup), Wrapped("5 .000/Custom/ProcSet findresource/setsignatureimageshift get exec"));
}

// ---------------------------------------------------------------------------
// PJL table.

std::string RunTable() {
  return CaptureStdout([] { FeaturesOutputQPJLCommandFromFilter(nullptr); });
}

std::string Attr(const std::string& attribute) { return "@PJL SET JOBATTR=\"@" + attribute + "\"\n"; }

TEST_F(FeaturesTest, NothingIsWrittenWhenEveryKeyIsAbsent) { EXPECT_EQ(RunTable(), ""); }

TEST_F(FeaturesTest, OffSwitchesWriteTheirOffLines) {
  qpjlOptionFeatures.tabMargin = 0;
  qpjlOptionFeatures.trimmer = 0;
  qpjlOptionFeatures.numInSequence = 0;
  EXPECT_EQ(RunTable(), Attr("TABS=OFF") + Attr("TRMR=0") + Attr("MDOC=0"));
}

TEST_F(FeaturesTest, OnSwitchesCarryTheirValues) {
  FeaturesOptions& f = qpjlOptionFeatures;
  f.tabMargin = 1;
  std::strcpy(f.tabMarginShift, "12");
  f.numInSequence = 1;
  std::strcpy(f.numInSequenceStart, "7");
  EXPECT_EQ(RunTable(), Attr("TABS=12") + Attr("MDOC=7"));
}

TEST_F(FeaturesTest, TrimmerSelectionTwoUsesTheCuttingSize) {
  FeaturesOptions& f = qpjlOptionFeatures;
  f.trimmer = 1;
  f.trimmerSelect = 2;
  std::strcpy(f.trimmerCuttingSize, "15");
  std::strcpy(f.trimmerWidth, "20");
  EXPECT_EQ(RunTable(), Attr("TRMR=15") + Attr("TRMR=15") + Attr("TRFW=0") + Attr("TROP=0"));
}

TEST_F(FeaturesTest, TrimmerSelectionThreeUsesWidthHeightAndAdjustment) {
  FeaturesOptions& f = qpjlOptionFeatures;
  f.trimmerSelect = 3;
  std::strcpy(f.trimmerCuttingSize, "15");
  std::strcpy(f.trimmerWidth, "20");
  std::strcpy(f.trimmerHeight, "30");
  std::strcpy(f.trimmerAdjust, "-2");
  EXPECT_EQ(RunTable(), Attr("TRMR=20") + Attr("TRFW=30") + Attr("TROP=-2"));
}

TEST_F(FeaturesTest, OffsetStackingByPagesAndByCopies) {
  FeaturesOptions& f = qpjlOptionFeatures;
  std::strcpy(f.offsetStackingPages, "10");
  std::strcpy(f.offsetStackingUnits, "3");
  f.offsetStacking = 4;
  EXPECT_EQ(RunTable(), "@PJL SET JOBOFFSET=PAGES\n" + Attr("OCSN=10"));
  f.offsetStacking = 5;
  EXPECT_EQ(RunTable(), "@PJL SET JOBOFFSET=COPIES\n" + Attr("OCSN=3"));
  f.offsetStacking = 2;
  EXPECT_EQ(RunTable(), "");
}

TEST_F(FeaturesTest, ValuesCannotBreakTheirLine) {
  FeaturesOptions& f = qpjlOptionFeatures;
  f.tabMargin = 1;
  std::strcpy(f.tabMarginShift, "1\n\"2");
  EXPECT_EQ(RunTable(), Attr("TABS=1 '2"));
}

// Face rows: each case makes exactly one row of the table true (or none).
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
std::ostream& operator<<(std::ostream& os, const FaceCase& c) { return os << "row " << c.row; }

class FaceRowTest : public FeaturesTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(FaceRowTest, WritesTheFaceOfItsRow) {
  const FaceCase& c = GetParam();
  FeaturesOptions& f = qpjlOptionFeatures;
  f.ejectOptions = c.eject;
  std::strcpy(f.punchHoles, c.punch);
  std::strcpy(f.featuresMediaTypeTab, c.featuresTab);
  f.specialPagesTab = c.specialTab;
  std::strcpy(f.coilPunchFace, c.coilFace);
  std::strcpy(f.media, c.media);
  f.specialPagesA5 = c.specialA5;
  EXPECT_EQ(RunTable(), c.line == nullptr ? "" : Attr(c.line)) << "row " << c.row;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FaceRowTest,
    ::testing::Values(
        FaceCase{16, 1, "Coil", "false", 0, "true", "Letter,Plain", 0, "FACE=OFF"},
        FaceCase{17, 1, "2Hole", "false", 0, "true", "A5", 1, "FACE=OFF"},
        FaceCase{17, 1, "", "true", 1, "true", "", 0, "FACE=OFF"},  // no punching: not coil
        FaceCase{18, 1, "Coil", "true", 1, "false", "A5", 1, "FACE=OFF"},
        FaceCase{19, 2, "Coil", "false", 0, "true", "", 0, "FACE=DOWN"},
        FaceCase{20, 3, "", "", -1, "", "", -1, "FACE=UP"},
        FaceCase{21, 4, "", "", -1, "", "", -1, "FACE=DOWN_REVERSE"},
        FaceCase{22, 5, "", "", -1, "", "", -1, "FACE=UP_REVERSE"},
        FaceCase{23, 1, "Coil", "false", 0, "true", "A5,Plain", 0, "FACE=UP"},
        FaceCase{24, 1, "Coil", "false", 0, "true", "A4", 1, "FACE=UP"},
        FaceCase{25, 1, "Coil", "false", 0, "true", "A5", 1, "FACE=UP"},
        FaceCase{26, 1, "Coil", "true", 0, "true", "A4", 0, "FACE=UP"},
        FaceCase{27, 1, "Coil", "false", 1, "true", "A4", 0, "FACE=UP"},
        FaceCase{28, 1, "Coil", "true", 1, "true", "A5", 1, "FACE=UP"},
        // No row holds.
        FaceCase{-1, -1, "Coil", "false", 0, "true", "", 0, nullptr},  // eject absent
        FaceCase{-1, 1, "Coil", "false", 0, "", "", 0, nullptr},       // coil face absent
        FaceCase{-1, 1, "Coil", "", 0, "true", "", 0, nullptr},        // features tab absent
        FaceCase{-1, 1, "Coil", "false", -1, "true", "", 0, nullptr},  // special tab absent
        FaceCase{-1, 1, "Coil", "false", 0, "true", "", -1, nullptr},  // special A5 absent
        FaceCase{-1, 6, "", "", 0, "", "", 0, nullptr}),
    [](const ::testing::TestParamInfo<FaceCase>& info) {
      return (info.param.row >= 0 ? "Row" + std::to_string(info.param.row) : std::string("NoRow")) + "_" +
             std::to_string(info.index);
    });

}  // namespace
