// What ovqprint's dialog turns into the job's options, on real widgets
// offscreen: a test PPD (its own printer, no scheduler), the person's choices
// made on the dialog's elements, and the options PrepareJob gives.
#include "print_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <map>
#include <optional>

#include "param_name.h"
#include "ppd_choice_box.h"
#include "ppd_text.h"
#include "qt_test_support.h"
#include "run_program.h"

namespace {

// A4 and A5 with their imageable areas, two-sided printing, a stapler whose saddle
// stitch rules out punching, and an installable disk.
const std::string kPPD = PPDHeader() +
                         "*OVXPrintTypeSettings: \"Default00-QC300\"\n"
                         "*OpenUI *PageSize/Media Size: PickOne\n*DefaultPageSize: A4\n"
                         "*PageSize A4/A4: \"\"\n*PageSize A5/A5: \"\"\n*CloseUI: *PageSize\n"
                         "*OpenUI *PageRegion/Media Size: PickOne\n*DefaultPageRegion: A4\n"
                         "*PageRegion A4/A4: \"\"\n*PageRegion A5/A5: \"\"\n*CloseUI: *PageRegion\n"
                         "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"12 12 583 830\"\n"
                         "*ImageableArea A5/A5: \"10 20 410 580\"\n"
                         "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n"
                         "*PaperDimension A5/A5: \"420 595\"\n"
                         "*OpenUI *Duplex/2-Sided Printing: PickOne\n*DefaultDuplex: None\n*Duplex None/Off: \"\"\n"
                         "*Duplex DuplexNoTumble/Long Edge: \"\"\n*Duplex DuplexTumble/Short Edge: \"\"\n"
                         "*CloseUI: *Duplex\n"
                         "*OpenGroup: InstallableOptions/Installable Options\n"
                         "*OpenUI *OVHardDisk/Hard Disk: Boolean\n*DefaultOVHardDisk: False\n"
                         "*OVHardDisk True/Installed: \"\"\n*OVHardDisk False/Not Installed: \"\"\n"
                         "*CloseUI: *OVHardDisk\n*CloseGroup: InstallableOptions\n"
                         "*OpenGroup: OVFinishing/Finishing\n"
                         "*OpenUI *OVStaple/Staple: PickOne\n*DefaultOVStaple: None\n*OVStaple None/Off: \"\"\n"
                         "*OVStaple Left/Top Left: \"\"\n*OVStaple SaddleStaple/Saddle: \"\"\n*CloseUI: *OVStaple\n"
                         "*OpenUI *OVPunch/Punch: PickOne\n*DefaultOVPunch: None\n*OVPunch None/Off: \"\"\n"
                         "*OVPunch On/On: \"\"\n*CloseUI: *OVPunch\n*CloseGroup: OVFinishing\n"
                         "*UIConstraints: *OVStaple SaddleStaple *OVPunch\n";

using Options = std::map<std::string, std::string>;

class PrintDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    setenv("OVQ_EXTENSIONS_PATH", OVQ_BINARY_DIR "/lib/ovq/extensions", 1);
    setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
    WriteFile(config_.File("Test.ppd"), kPPD);
    dialog_ =
        std::make_unique<PrintDialog>(std::vector<PrinterEntry>{{.name = "Test", .ppdPath = config_.File("Test.ppd")}},
                                      std::vector<std::string>{"/dev/null"});
    ASSERT_TRUE(dialog_->ChoosePrinter(0));
  }

  template <typename Element>
  Element* Find(const char* name) {
    auto* element = dialog_->findChild<Element*>(name);
    EXPECT_NE(element, nullptr) << name;
    return element;
  }
  // Chooses the item whose data is `data`, as a person does.
  void Choose(const char* name, const QVariant& data) {
    QComboBox* box = Find<QComboBox>(name);
    int index = box->findData(data);
    ASSERT_GE(index, 0) << name << " has no " << data.toString().toStdString();
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
  }
  std::optional<Options> Prepare() {
    std::vector<JobOption> list;
    if (!dialog_->PrepareJob(&list)) return std::nullopt;
    return Options(list.begin(), list.end());
  }
  static std::string Value(const Options& options, const std::string& key) {
    auto found = options.find(key);
    return found == options.end() ? "(absent)" : found->second;
  }

  TempDir config_;
  std::unique_ptr<PrintDialog> dialog_;
};

// Rows x columns of a sheet (PMLayoutRows, PMLayoutColumns); CUPS's number-up
// and number-up-layout; orientation-requested. "(absent)": not sent.
struct LayoutRow {
  const char* name;
  int perSheet;
  int orientation;
  int direction;
  const char* grid;
  const char* numberUp;
  const char* requested;
};

class LayoutKeys : public PrintDialogTest, public testing::WithParamInterface<LayoutRow> {};

TEST_P(LayoutKeys, RowsColumnsAndDirectionFollowTheSheet) {
  const LayoutRow& row = GetParam();
  Choose("pagesPerSheet", row.perSheet);
  Choose("orientation", row.orientation);
  Choose("layoutDirection", row.direction);
  std::optional<Options> options = Prepare();
  ASSERT_TRUE(options);
  EXPECT_EQ(Value(*options, "com.apple.print.PrintSettings.PMLayoutRows..n.") + "x" +
                Value(*options, "com.apple.print.PrintSettings.PMLayoutColumns..n."),
            row.grid);
  EXPECT_EQ(Value(*options, "com.apple.print.PrintSettings.PMLayoutDirection..n."), std::to_string(row.direction));
  EXPECT_EQ(Value(*options, "number-up") + " " + Value(*options, "number-up-layout"), row.numberUp);
  EXPECT_EQ(Value(*options, "orientation-requested"), row.requested);
}

const LayoutRow kLayoutRows[] = {
    {.name = "one",
     .perSheet = 1,
     .orientation = 3,
     .direction = 1,
     .grid = "1x1",
     .numberUp = "(absent) (absent)",
     .requested = "(absent)"},
    {.name = "two_landscape",
     .perSheet = 2,
     .orientation = 4,
     .direction = 1,
     .grid = "2x1",
     .numberUp = "2 lrtb",
     .requested = "4"},
    {.name = "four_down",
     .perSheet = 4,
     .orientation = 3,
     .direction = 3,
     .grid = "2x2",
     .numberUp = "4 tblr",
     .requested = "(absent)"},
    {.name = "six_from_right",
     .perSheet = 6,
     .orientation = 3,
     .direction = 2,
     .grid = "2x3",
     .numberUp = "6 rltb",
     .requested = "(absent)"},
    {.name = "nine_reverse_landscape",
     .perSheet = 9,
     .orientation = 5,
     .direction = 4,
     .grid = "3x3",
     .numberUp = "9 tbrl",
     .requested = "5"},
    {.name = "sixteen_reverse_portrait",
     .perSheet = 16,
     .orientation = 6,
     .direction = 1,
     .grid = "4x4",
     .numberUp = "16 lrtb",
     .requested = "6"},
};

INSTANTIATE_TEST_SUITE_P(PagesPerSheet, LayoutKeys, testing::ValuesIn(kLayoutRows), RowName());

struct CopiesRow {
  const char* name;
  int copies;
  bool collate;
  const char* pages = nullptr;                     // typed into the page range field; nullptr for all pages
  std::optional<Options> expected = std::nullopt;  // nullopt: the dialog stops at an alert
};

class CopiesAndPages : public PrintDialogTest, public testing::WithParamInterface<CopiesRow> {};

TEST_P(CopiesAndPages, CopiesCollationAndRangesAsCupsTakesThem) {
  const CopiesRow& row = GetParam();
  Find<QSpinBox>("copies")->setValue(row.copies);
  Find<QCheckBox>("collate")->setChecked(row.collate);
  if (row.pages != nullptr) {
    Find<QRadioButton>("somePages")->setChecked(true);
    Find<QLineEdit>("pageRanges")->setText(row.pages);
  }
  ScriptedModalRuns runs;
  if (!row.expected) runs->AnswerAlert(0);
  std::optional<Options> options = Prepare();
  ASSERT_EQ(options.has_value(), row.expected.has_value());
  if (!options) {
    EXPECT_EQ(runs->Alerts().at(0).messageText.toStdString(), "The pages to print are not clear.");
    return;
  }
  for (const auto& [key, value] : *row.expected) EXPECT_EQ(Value(*options, key), value) << key;
}

INSTANTIATE_TEST_SUITE_P(
    Job, CopiesAndPages,
    testing::Values(CopiesRow{.name = "three_uncollated",
                              .copies = 3,
                              .collate = false,
                              .pages = nullptr,
                              .expected = Options{{"copies", "3"},
                                                  {"com.apple.print.PrintSettings.PMCopies..n.", "3"},
                                                  {"collate", "false"},
                                                  {"page-ranges", "(absent)"}}},
                    CopiesRow{.name = "one_collated_with_ranges",
                              .copies = 1,
                              .collate = true,
                              .pages = " 1 - 3, 5,7-7",
                              .expected = Options{{"copies", "1"},
                                                  {"com.apple.print.PrintSettings.PMCopies..n.", "1"},
                                                  {"collate", "true"},
                                                  {"page-ranges", "1-3,5,7"}}},
                    CopiesRow{.name = "descending_ranges_refused", .copies = 1, .collate = true, .pages = "5, 1-3"},
                    CopiesRow{.name = "overlapping_ranges_refused", .copies = 1, .collate = true, .pages = "1-3,3"},
                    CopiesRow{.name = "empty_range_refused", .copies = 2, .collate = true, .pages = ""}),
    RowName());

TEST_F(PrintDialogTest, PaperSizeAndTwoSidedMarkThePPDAndGiveTheRectangleAndSides) {
  std::optional<Options> before = Prepare();
  ASSERT_TRUE(before);
  // A4: 595 x 842 points, imageable from (12, 12) to (583, 830): top, left, bottom, right.
  const std::string rect =
      "com.apple.print.subTicket.page_format_ticket..d.com.apple.print.subTicket.paper_info_ticket..d."
      "com.apple.print.PaperInfo.PMUnadjustedPaperRect..a.";
  EXPECT_EQ(Value(*before, rect + "0..n."), "-12");
  EXPECT_EQ(Value(*before, rect + "1..n."), "-12");
  EXPECT_EQ(Value(*before, rect + "2..n."), "830");
  EXPECT_EQ(Value(*before, rect + "3..n."), "583");
  EXPECT_EQ(Value(*before, "sides"), "one-sided");
  EXPECT_EQ(Value(*before, "PageSize"), "(absent)");

  Choose("paperSize", "A5");
  Choose("twoSided", "DuplexTumble");
  std::optional<Options> after = Prepare();
  ASSERT_TRUE(after);
  // A5: 420 x 595, imageable from (10, 20) to (410, 580).
  EXPECT_EQ(Value(*after, rect + "0..n."), "-15");
  EXPECT_EQ(Value(*after, rect + "1..n."), "-10");
  EXPECT_EQ(Value(*after, rect + "2..n."), "580");
  EXPECT_EQ(Value(*after, rect + "3..n."), "410");
  EXPECT_EQ(Value(*after, "PageSize"), "A5");
  EXPECT_EQ(Value(*after, "Duplex"), "DuplexTumble");
  EXPECT_EQ(Value(*after, "sides"), "two-sided-short-edge");
}

TEST_F(PrintDialogTest, FeaturesDisableConflictingChoicesAsTheMarksChange) {
  ASSERT_NE(dialog_->Features(), nullptr);
  std::vector<std::string> keywords;
  for (PPDChoiceBox* box : dialog_->Features()->Boxes()) keywords.push_back(box->Keyword());
  // Paper size and two-sided are on top; installable options are the printer's, not the job's.
  EXPECT_EQ(keywords, (std::vector<std::string>{"OVStaple", "OVPunch"}));

  auto punchOnEnabled = [this] {
    auto* punch = Find<QComboBox>("OVPunch");
    auto* items = qobject_cast<QStandardItemModel*>(punch->model());
    return items->item(punch->findData("On"))->isEnabled();
  };
  EXPECT_TRUE(punchOnEnabled());
  Choose("OVStaple", "SaddleStaple");
  EXPECT_FALSE(punchOnEnabled());
  std::optional<Options> options = Prepare();
  ASSERT_TRUE(options);
  EXPECT_EQ(Value(*options, "OVStaple"), "SaddleStaple");
  EXPECT_EQ(Value(*options, "OVHardDisk"), "(absent)");
  Choose("OVStaple", "Left");
  EXPECT_TRUE(punchOnEnabled());
  EXPECT_EQ(Find<QComboBox>("OVStaple")->currentData().toString(), "Left");
}

TEST_F(PrintDialogTest, PanelsArePagesAndWriteTheirKeys) {
  QStringList titles = dialog_->PageTitles();
  ASSERT_EQ(titles.size(), 4) << titles.join(", ").toStdString();
  EXPECT_EQ(titles.front(), "Layout");
  EXPECT_EQ(titles.back(), "Summary");
  ASSERT_TRUE(dialog_->ShowPage(2));  // the Print Type panel
  ASSERT_TRUE(dialog_->ShowPage(3));  // the summary, after the panel is saved
  std::optional<Options> options = Prepare();
  ASSERT_TRUE(options);
  EXPECT_EQ(Value(*options, "nvxjobs.printsettings.PrintTypeTicketKey"), "1");
  EXPECT_EQ(Value(*options, "com.apple.print.PrintSettings.PMCopies..n."), "1");
  bool panelSection = false;
  for (const auto& [title, value] : dialog_->SummaryLines()) panelSection |= title == titles[2].toStdString();
  EXPECT_TRUE(panelSection);
}

// ovqprint's command line: usage errors end with status 2 before any window.
struct UsageRow {
  const char* name;
  std::vector<std::string> args;
  int status;
  const char* message;  // on standard error
};

class CommandLine : public testing::TestWithParam<UsageRow> {};

TEST_P(CommandLine, UsageErrorsEndWithStatusTwo) {
  const UsageRow& row = GetParam();
  RunResult result = RunTool(BinaryPath("ovqprint"), row.args);
  EXPECT_EQ(result.exit_status, row.status);
  EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("usage: ovqprint [--queue NAME] FILE..."), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Ovqprint, CommandLine,
    testing::Values(
        UsageRow{.name = "no_file", .args = {}, .status = 2, .message = "no file to print"},
        UsageRow{.name = "queue_without_name",
                 .args = {"report.pdf", "--queue"},
                 .status = 2,
                 .message = "--queue needs a value"},
        UsageRow{.name = "unknown_option", .args = {"-o", "report.pdf"}, .status = 2, .message = "unknown option -o"}),
    RowName());

}  // namespace
