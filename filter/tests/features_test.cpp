// Finishing: the PostScript blocks at their events and the PJL table, beyond
// what the whole-filter cases show.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filter_test_support.h"
#include "finishing.h"
#include "param_name.h"

namespace {

FeaturesOptions& F = qpjlOptionFeatures;
void S(char* field, const char* value) { std::strcpy(field, value); }

std::string Wrapped(const std::string& line) {
  return "[{\n%%BeginNonPPDFeatures\n" + line + "\n%%EndNonPPDFeatures\n} stopped cleartomark\n";
}
std::string Separator(const std::string& pages) {
  return Wrapped("1 dict dup/SeparatorPages[" + pages + "]put/Custom/ProcSet findresource/setcoverseparator get exec");
}
const std::string kSeparator = Separator("1 3 5");
const std::string kBooklet = Wrapped("5.000/Custom/ProcSet findresource/setsignatureimageshift get exec");

// A job with both blocks asked for (separator pages "1 3 5", booklet margin 5)
// and the layout `rows` x `columns`, then `setup`; `event` -1 runs the PJL table.
struct BlockCase {
  const char* name;
  const char *rows = "", *columns = "";
  int event = kEventSetPageDevice;
  void (*setup)() = [] {};
  std::string out = "";
};
class BlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockTest, WritesWholeBlocksAtTheirEvent) {
  const BlockCase& c = GetParam();
  ResetJobState();
  F.separatorPageList = 2;
  S(F.separatorPages, "1 3 5");
  F.bookletMargin = 1;
  S(F.bookletMarginShift, "5");
  S(StdLayoutRowInfo, c.rows);
  S(StdLayoutColumnInfo, c.columns);
  c.setup();
  FeaturesInializeDescriptionTableFromFilter();
  const std::string out = c.event < 0 ? CaptureStdout([] { FeaturesOutputQPJLCommandFromFilter(nullptr); })
                                      : CaptureStream([&](FILE* f) { FeaturesOutputPSCommandFromFilter(c.event, f); });
  EXPECT_EQ(out, c.out);
}

const BlockCase kBlocks[] = {
    // Rows without columns make no cells; huge counts do not wrap round to a single cell.
    {.name = "rows_only", .rows = "2", .event = kEventEndProlog, .out = kSeparator},
    {.name = "huge_layout", .rows = "99999999999", .columns = "99999999999", .out = kSeparator + kBooklet},
    {.name = "auto_fit_no_margin", .event = kEventEndSetup, .setup = [] { F.autoFit = 1, F.bookletMargin = 0; }},
    {.name = "separator_none", .event = kEventEndProlog, .setup = [] { F.separatorPageList = 1; }},
    // Line ends in values become spaces.
    {.name = "separator_line_ends",
     .event = kEventEndProlog,
     .setup = [] { S(F.separatorPages, "1\n2\r3"); },
     .out = Separator("1 2 3")},
    {.name = "pjl_stacking_other", .event = -1, .setup = [] { S(F.offsetStackingPages, "10"), F.offsetStacking = 2; }},
    {.name = "pjl_value_on_its_line",
     .event = -1,
     .setup = [] { F.tabMargin = 1, S(F.tabMarginShift, "1\n\"2"); },
     .out = Attr("TABS=1 '2")},
};
INSTANTIATE_TEST_SUITE_P(Settings, BlockTest, ::testing::ValuesIn(kBlocks), RowName());

// The face line; the rows of its table are golden cases, and so are rows 19,
// 21 and 22 (eject 2, 4, 5). `in`: eject, punching, features tab, special tab,
// coil face, media, special A5.
struct FaceCase {
  const char *name, *in, *line;
};
class FaceRowTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FaceRowTest, WritesTheFaceOfItsRow) {
  ResetJobState();
  ASSERT_EQ(std::sscanf(GetParam().in, "%d %99s %99s %d %99s %99s %d", &F.ejectOptions, F.punchHoles,
                        F.featuresMediaTypeTab, &F.specialPagesTab, F.coilPunchFace, F.media, &F.specialPagesA5),
            7);
  for (char* field : {F.punchHoles, F.featuresMediaTypeTab, F.coilPunchFace, F.media}) {
    if (std::strcmp(field, "-") == 0) field[0] = '\0';
  }
  EXPECT_EQ(CaptureStdout([] { FeaturesOutputQPJLCommandFromFilter(nullptr); }),
            GetParam().line[0] == '\0' ? "" : Attr(GetParam().line));
}

const FaceCase kFaces[] = {
    {.name = "none_coil_face_absent", .in = "1 Coil false 0 - - 0", .line = ""},
    {.name = "none_unknown_eject", .in = "6 - - 0 - - 0", .line = ""},
};
INSTANTIATE_TEST_SUITE_P(Rows, FaceRowTest, ::testing::ValuesIn(kFaces), RowName());

}  // namespace
