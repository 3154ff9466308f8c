// The Image Options panel and its windows on real widgets (offscreen), driven
// through a small host over a real libcups PPD that marks what the panel asks.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <QSpinBox>
#include <regex>
#include <set>

#include "host_session.h"
#include "image_options_plugin.h"
#include "param_name.h"
#include "ppd_text.h"
#include "qt_test_support.h"
#include "quick_xppd.h"
#include "run_program.h"
#include "ticket_keys.h"
#include "ui_support.h"

using namespace ovqimageoptions;

namespace {

// The dialogs' host session on a PPD file; it refuses the choices a test names.
class TestSession : public HostSession {
 public:
  bool willChangePPDOptionKeyValue(const char* option, const char* choice) override {
    if (refused.count(std::string(option) + ":" + choice) != 0) return false;
    return HostSession::willChangePPDOptionKeyValue(option, choice);
  }
  std::string Marked(const char* option) {
    ppd_choice_t* choice = ppdFindMarkedChoice(ppdFile(), option);
    return choice == nullptr ? "" : choice->choice;
  }
  std::set<std::string> refused;  // "Option:Choice"
};

std::string ShippedPPD(const std::string& name) { return ReadFile(SourcePath("ppd/" + name)); }

// The PPD text without the option `keyword` and the constraints that name it.
std::string WithoutOption(const std::string& text, const std::string& keyword) {
  std::regex block("\\*OpenUI \\*" + keyword + "/[\\s\\S]*?\\*CloseUI: \\*" + keyword + "\n");
  std::regex constraints("\\*UIConstraints:[^\n]*\\*" + keyword + "( [^\n]*)?\n");
  return std::regex_replace(std::regex_replace(text, block, ""), constraints, "");
}

// The PPD text with `option` (a PPDOption text) in the Image Options group.
std::string WithOption(std::string text, const std::string& option) {
  text.insert(text.find("*CloseGroup: OVImageOptions"), option);
  return text;
}

// As a person picks a menu item.
void Choose(QWidget* root, int tag, const char* choice) {
  auto* menu = qobject_cast<QComboBox*>(FindElementByTag(root, tag));
  ASSERT_NE(menu, nullptr) << tag;
  int index = menu->findData(QString::fromUtf8(choice));
  if (index < 0) index = menu->findText(QString::fromUtf8(choice));
  ASSERT_GE(index, 0) << tag << " " << choice;
  menu->setCurrentIndex(index);
  Q_EMIT menu->activated(index);
}

void Click(QWidget* root, int tag) {
  auto* button = qobject_cast<QAbstractButton*>(FindElementByTag(root, tag));
  ASSERT_NE(button, nullptr) << tag;
  button->click();
}

class ImageOptionsPanel : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    EnsureOffscreenApplication();
    ASSERT_NE(RegisterBundle(OVQ_IMAGEOPTIONS_BUNDLE_DIR), nullptr);
  }

  // Offers the panel for the PPD text and restores it, as a print dialog opens.
  bool Open(const std::string& text) {
    WriteFile(dir_.File("queue.ppd"), text);
    host_ = std::make_unique<TestSession>();
    std::string error;
    if (!host_->OpenPPDFile(dir_.File("queue.ppd"), &error)) return false;
    host_->printSettings()->Set(kPrintTypeTicketKey, printType_, false);
    auto panels = ImageOptionsOvqPDEPluginj15().PDEPanelsForType(kPrintDialogTypeID, host_.get());
    if (panels.size() != 1) return false;
    panel_.reset(static_cast<ImageOptionsOvqPDEj15*>(panels.front().release()));
    if (!panel_->restoreValuesAndReturnError(&error)) return false;
    panel_->willShow();
    return true;
  }

  QWidget* View() const { return panel_->panelView(); }
  QComboBox* List(int tag) const { return qobject_cast<QComboBox*>(FindElementByTag(View(), tag)); }
  bool ItemEnabled(int tag, int item) const {
    QComboBox* menu = List(tag);
    return menu != nullptr && (menu->model()->flags(menu->model()->index(item, 0)) & Qt::ItemIsEnabled);
  }

  TempDir dir_;
  std::string printType_ = "1";
  std::unique_ptr<TestSession> host_;
  std::unique_ptr<ImageOptionsOvqPDEj15> panel_;
};

// ---- product types ------------------------------------------------------------------------------------

struct ProductRow {
  const char* name;
  const char* ppd;
  int32_t type;          // the type whose keyword set the PPD offers
  bool overprintWindow;  // "OVBlackOverprint" or "OVInvalidateColorProfile" offered
};

class ShippedProductType : public ImageOptionsPanel, public ::testing::WithParamInterface<ProductRow> {};

TEST_P(ShippedProductType, IsTheTypeOfItsKeywords) {
  ASSERT_TRUE(Open(ShippedPPD(GetParam().ppd)));
  EXPECT_EQ(panel_->ProductType(), GetParam().type);
  EXPECT_EQ(List(kPluginTypeListTag)->currentIndex() + 1, GetParam().type);
  EXPECT_EQ(panel_->getImageAdjustmentBlackOverWnd() != nullptr, GetParam().overprintWindow);
  EXPECT_EQ(panel_->getImageAdjustmentWnd() != nullptr, !GetParam().overprintWindow);
  // Every text of the panel and its windows is translated (the PPD may select its own strings table).
  for (QWidget* element : View()->findChildren<QWidget*>()) {
    QStringList texts = {element->windowTitle(), element->property("text").toString(),
                         element->property("title").toString()};
    if (auto* menu = qobject_cast<QComboBox*>(element)) {
      for (int i = 0; i < menu->count(); ++i) texts << menu->itemText(i);
    }
    for (const QString& text : texts) EXPECT_NE(text, "no translation") << element->objectName().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    ImageOptions, ShippedProductType,
    ::testing::Values(ProductRow{.name = "QC300", .ppd = "OVQC300.ppd", .type = 5, .overprintWindow = true},
                      ProductRow{.name = "QC500", .ppd = "OVQC500.ppd", .type = 4, .overprintWindow = true},
                      ProductRow{.name = "QM200", .ppd = "OVQM200.ppd", .type = 1, .overprintWindow = false},
                      ProductRow{.name = "QU700", .ppd = "OVQU700.ppd", .type = 2, .overprintWindow = false}),
    RowName());

struct UnknownTypeRow {
  const char* name;
  std::string (*ppd)();
};

class NoProductType : public ImageOptionsPanel, public ::testing::WithParamInterface<UnknownTypeRow> {};

TEST_P(NoProductType, LeavesThePanelUninitialized) {
  EXPECT_FALSE(Open(GetParam().ppd()));
  ASSERT_NE(panel_, nullptr);
  EXPECT_EQ(panel_->ProductType(), -1);
  EXPECT_FALSE(panel_->restoreValuesAndReturnError(nullptr));
  EXPECT_TRUE(panel_->shouldPrint());  // the panel never stops a job
}

INSTANTIATE_TEST_SUITE_P(
    ImageOptions, NoProductType,
    ::testing::Values(UnknownTypeRow{.name = "OneTooMany",  // the type-1 set and an input profile
                                     .ppd =
                                         [] {
                                           return WithOption(ShippedPPD("OVQM200.ppd"),
                                                             PPDOption("OVRGBInputProfile", "SRGB", "SRGB"));
                                         }},
                      UnknownTypeRow{
                          .name = "OneTooFew",  // the type-2 set without colour temperature
                          .ppd = [] { return WithoutOption(ShippedPPD("OVQU700.ppd"), "OVColorTemperature"); }}),
    RowName());

// ---- conflicts and marks ------------------------------------------------------------------------------------

// QC300: "*UIConstraints: *OVOutputMode HighSpeed *OVRGBImageType Photo" and the reverse.
TEST_F(ImageOptionsPanel, ConflictingChoiceShowsDisabledUntilTheOtherOptionChanges) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  ASSERT_TRUE(ItemEnabled(kImageTypeListTag, 1));  // Photo
  Choose(View(), kOutputModeListTag, "HighSpeed");
  EXPECT_EQ(host_->Marked("OVOutputMode"), "HighSpeed");
  EXPECT_FALSE(ItemEnabled(kImageTypeListTag, 1));
  EXPECT_EQ(List(kImageTypeListTag)->currentIndex(), 0);
  Choose(View(), kOutputModeListTag, "Standard");
  EXPECT_TRUE(ItemEnabled(kImageTypeListTag, 1));
  EXPECT_EQ(List(kImageTypeListTag)->currentIndex(), 0);
}

TEST_F(ImageOptionsPanel, RefusedMarkSelectsThePreviousItemWithoutConflictUpdate) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  host_->refused.insert("OVOutputMode:HighSpeed");
  // Marked behind the panel's back: a conflict update would now disable HighSpeed.
  ppdMarkOption(host_->ppdFile(), "OVRGBImageType", "Photo");
  Choose(View(), kOutputModeListTag, "HighSpeed");
  EXPECT_EQ(List(kOutputModeListTag)->currentIndex(), 0);
  EXPECT_EQ(host_->Marked("OVOutputMode"), "Standard");
  EXPECT_TRUE(ItemEnabled(kOutputModeListTag, 1));
}

TEST_F(ImageOptionsPanel, BlackAndWhiteDisablesTheColourSettingsUntilColourComesBack) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  const int disabled[] = {kBasicRadioTag, kAdvancedRadioTag, kImageTypeListTag, kImageSettingsButtonTag};
  Choose(View(), kColorModeListTag, "Black");
  for (int tag : disabled) EXPECT_FALSE(FindElementByTag(View(), tag)->isEnabled()) << tag;
  SummaryDictionary summary;
  SummaryOrder order;
  panel_->GetSummaryText(summary, order);
  EXPECT_EQ(summary["Color Mode"], "Black and White");
  EXPECT_EQ(summary.count("Image Type"), 0u);  // disabled: not in the summary
  Choose(View(), kColorModeListTag, "Color");
  for (int tag : disabled) EXPECT_TRUE(FindElementByTag(View(), tag)->isEnabled()) << tag;
}

TEST_F(ImageOptionsPanel, ScreenReturnsToItsDefaultWhenTheColourSettingsChange) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  Choose(View(), kScreenListTag, "Screen2");
  panel_->willShow();  // loading and showing leave it
  EXPECT_EQ(host_->Marked("OVEngineScreen"), "Screen2");
  Choose(View(), kColorModeListTag, "Black");
  EXPECT_EQ(List(kScreenListTag)->currentData().toString(), "Auto");
  EXPECT_EQ(host_->Marked("OVEngineScreen"), "Auto");
}

// ---- brightness ------------------------------------------------------------------------------------------

struct BrightnessRow {
  const char* name;
  int choices;       // "L0" (the first) to "L<n-1>", default "L3"
  int opened;        // the slider's value for the default choice: max - 3
  int lowest;        // where the lowest position settles
  const char* last;  // the choice marked there
};

class Brightness : public ImageOptionsPanel, public ::testing::WithParamInterface<BrightnessRow> {};

TEST_P(Brightness, RunsFromMinusToPlusHalfTheChoices) {
  std::string levels = "L0";
  for (int i = 1; i < GetParam().choices; ++i) levels += " L" + std::to_string(i);
  ASSERT_TRUE(Open(
      WithOption(WithoutOption(ShippedPPD("OVQM200.ppd"), "OVBrightness"), PPDOption("OVBrightness", "L3", levels))));
  auto* slider = qobject_cast<QSlider*>(FindElementByTag(View(), BrightnessSliderTag));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(slider->minimum(), -5);
  EXPECT_EQ(slider->maximum(), 5);
  EXPECT_EQ(slider->value(), GetParam().opened);
  auto slide = [slider](int value) {
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
  };
  slide(5);
  EXPECT_EQ(host_->Marked("OVBrightness"), "L0");
  slide(-5);
  EXPECT_EQ(slider->value(), GetParam().lowest);
  EXPECT_EQ(host_->Marked("OVBrightness"), GetParam().last);
}

INSTANTIATE_TEST_SUITE_P(
    ImageOptions, Brightness,
    ::testing::Values(BrightnessRow{.name = "Eleven", .choices = 11, .opened = 2, .lowest = -5, .last = "L10"},
                      BrightnessRow{.name = "Ten", .choices = 10, .opened = 2, .lowest = -4, .last = "L9"}),
    RowName());

// ---- RGB correction at print time --------------------------------------------------------------------------

struct CorrectionRow {
  const char* name;
  bool basicAgain;      // back to the basic settings after choosing the correction
  bool blackAndWhite;   // colour mode "Black" after choosing it
  const char* written;  // OVRGBCorrection marked by printing
};

class PrintedCorrection : public ImageOptionsPanel, public ::testing::WithParamInterface<CorrectionRow> {};

TEST_P(PrintedCorrection, IsNoneWithoutTheAdvancedColourSetting) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  Click(View(), kAdvancedRadioTag);
  EXPECT_FALSE(FindElementByTag(View(), kImageTypeListTag)->isVisibleTo(View()));
  Choose(View(), kRGBCorrectionListTag, "Perceptual");
  if (GetParam().basicAgain) Click(View(), kBasicRadioTag);
  if (GetParam().blackAndWhite) Choose(View(), kColorModeListTag, "Black");
  EXPECT_TRUE(panel_->shouldPrint());
  EXPECT_EQ(host_->Marked("OVRGBCorrection"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    ImageOptions, PrintedCorrection,
    ::testing::Values(
        CorrectionRow{.name = "Advanced", .basicAgain = false, .blackAndWhite = false, .written = "Perceptual"},
        CorrectionRow{.name = "Basic", .basicAgain = true, .blackAndWhite = false, .written = "None"},
        CorrectionRow{.name = "BlackAndWhite", .basicAgain = false, .blackAndWhite = true, .written = "None"}),
    RowName());

TEST_F(ImageOptionsPanel, MailboxJobUsesTheMailboxOutputMode) {
  printType_ = "5";  // "OVXMailBoxSettings: 100-Standard"
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  Choose(View(), kOutputModeListTag, "HighSpeed");
  panel_->willShow();
  EXPECT_EQ(List(kOutputModeListTag)->currentData().toString(), "Standard");
  EXPECT_FALSE(List(kOutputModeListTag)->isEnabled());
  EXPECT_TRUE(panel_->shouldPrint());
  EXPECT_EQ(host_->Marked("OVOutputMode"), "Standard");
}

// ---- the windows ---------------------------------------------------------------------------------------------

struct BalanceRow {
  const char* name;
  bool trueFirst;          // the PPD lists "True" before "False"
  int button;              // that ends the window
  const char* cyanMid;     // OVColorDensityCyanMid afterwards
  const char* adjustment;  // OVColorBalanceAdjustment afterwards
};

class ColorBalance : public ImageOptionsPanel, public ::testing::WithParamInterface<BalanceRow> {};

TEST_P(ColorBalance, TypedDensityMovesItsArrowAndMarksThatChoice) {
  std::string text = ShippedPPD("OVQC300.ppd");
  if (GetParam().trueFirst) {
    text = std::regex_replace(
        text, std::regex("(\\*OVColorBalanceAdjustment False[^\n]*\n)(\\*OVColorBalanceAdjustment True[^\n]*\n)"),
        "$2$1");
  }
  ASSERT_TRUE(Open(text));
  ScriptedModalRuns runs;
  runs->AnswerWindow([this](QDialog& window) {
    EXPECT_FALSE(FindElementByTag(&window, DensityArrowTag(kMid, kCyan))->isEnabled());  // not adjusted yet
    Click(&window, kAdjustCheckBoxTag);
    EXPECT_EQ(host_->Marked("OVColorBalanceAdjustment"), "True");
    Choose(&window, kTargetColorListTag, "Target Color Cyan Text");
    EXPECT_FALSE(FindElementByTag(&window, DensityFieldTag(kMid, kBlack))->isVisibleTo(&window));
    auto* field = qobject_cast<QLineEdit*>(FindElementByTag(&window, DensityFieldTag(kMid, kCyan)));
    auto* arrows = qobject_cast<QSpinBox*>(FindElementByTag(&window, DensityArrowTag(kMid, kCyan)));
    for (const char* notADensity : {"33", "-"}) {
      field->setText(notADensity);
      Q_EMIT field->editingFinished();
      EXPECT_EQ(field->text(), "0");
    }
    field->setText("2");
    Q_EMIT field->editingFinished();
    EXPECT_EQ(arrows->value(), 2);
    EXPECT_EQ(host_->Marked("OVColorDensityCyanMid"), "+2");  // the PPD's second choice
    Click(&window, GetParam().button);
  });
  Click(View(), kColorBalanceButtonTag);
  EXPECT_EQ(host_->Marked("OVColorDensityCyanMid"), GetParam().cyanMid);
  EXPECT_TRUE(panel_->shouldPrint());
  EXPECT_EQ(host_->Marked("OVColorDensityCyanMid"), GetParam().cyanMid);
  EXPECT_EQ(host_->Marked("OVColorBalanceAdjustment"), GetParam().adjustment);
}

INSTANTIATE_TEST_SUITE_P(ImageOptions, ColorBalance,
                         ::testing::Values(BalanceRow{.name = "FalseFirstOK",
                                                      .trueFirst = false,
                                                      .button = kBalanceOKTag,
                                                      .cyanMid = "+2",
                                                      .adjustment = "True"},
                                           BalanceRow{.name = "TrueFirstCancel",
                                                      .trueFirst = true,
                                                      .button = kBalanceCancelTag,
                                                      .cyanMid = "0",
                                                      .adjustment = "False"}),
                         RowName());

struct AdjustmentEndRow {
  const char* name;
  int button;
  const char* kept;  // OVRGBInputProfile after the window and printing
};

class ImageAdjustment : public ImageOptionsPanel, public ::testing::WithParamInterface<AdjustmentEndRow> {};

TEST_P(ImageAdjustment, KeepsOrPutsBackTheMarks) {
  ASSERT_TRUE(Open(ShippedPPD("OVQU700.ppd")));  // the plain window
  Click(View(), kAdvancedRadioTag);
  ScriptedModalRuns runs;
  runs->AnswerWindow([this](QDialog& window) {
    Choose(&window, kAdjInputProfileListTag, "AdobeRGB");
    Choose(&window, kAdjRGBCorrectionListTag, "Saturation");
    EXPECT_EQ(host_->Marked("OVRGBInputProfile"), "AdobeRGB");
    Click(&window, GetParam().button);
  });
  Click(View(), kImageSettingsButtonTag);
  EXPECT_EQ(host_->Marked("OVRGBInputProfile"), GetParam().kept);
  EXPECT_EQ(List(kAdjInputProfileListTag)->currentData().toString(), GetParam().kept);
  EXPECT_TRUE(panel_->shouldPrint());
  EXPECT_EQ(host_->Marked("OVRGBInputProfile"), GetParam().kept);
  bool ok = GetParam().button == kAdjOKTag;
  EXPECT_EQ(host_->Marked("OVRGBCorrection"), ok ? "Saturation" : "None");
  EXPECT_EQ(List(kRGBCorrectionListTag)->currentData().toString(), ok ? "Saturation" : "None");
}

INSTANTIATE_TEST_SUITE_P(ImageOptions, ImageAdjustment,
                         ::testing::Values(AdjustmentEndRow{.name = "OK", .button = kAdjOKTag, .kept = "AdobeRGB"},
                                           AdjustmentEndRow{.name = "Cancel", .button = kAdjCancelTag, .kept = "SRGB"}),
                         RowName());

struct VariantRow {
  const char* name;
  const char* ppd;
  const char* option;  // the option of the window's check box
};

class OverprintVariant : public ImageOptionsPanel, public ::testing::WithParamInterface<VariantRow> {};

TEST_P(OverprintVariant, ChecksTheOptionThePrinterOffers) {
  ASSERT_TRUE(Open(ShippedPPD(GetParam().ppd)));
  ScriptedModalRuns runs;
  runs->AnswerWindow([this](QDialog& window) {
    EXPECT_EQ(FindElementByTag(&window, kAdjCMYKCorrectionListTag), nullptr);
    EXPECT_EQ(FindElementByTag(&window, kAdjTargetPaperListTag), nullptr);
    Click(&window, kAdjInvalidateProfileTag);
    Click(&window, kAdjOKTag);
  });
  Click(View(), kImageSettingsButtonTag);
  EXPECT_EQ(runs->WindowTitles(), std::vector<QString>{"Image Adjustment"});
  EXPECT_TRUE(panel_->shouldPrint());
  EXPECT_EQ(host_->Marked(GetParam().option), "True");
}

INSTANTIATE_TEST_SUITE_P(
    ImageOptions, OverprintVariant,
    ::testing::Values(
        VariantRow{.name = "InvalidateProfile", .ppd = "OVQC500.ppd", .option = "OVInvalidateColorProfile"},
        VariantRow{.name = "BlackOverprintOnly", .ppd = "OVQC300.ppd", .option = "OVBlackOverprint"}),
    RowName());

// The cache file the PPD names stands for its UIConstraints.
TEST_F(ImageOptionsPanel, ConflictsComeFromTheCacheFileThePPDNames) {
  std::string text = ShippedPPD("OVQC300.ppd");
  std::string cache = dir_.File("QC300.cdf");
  // Presentation conflicts while the location 2/1/0 (the output mode's Standard) is marked.
  WriteFile(cache, "ImageOptionPDETiger\nOVRGBImageType:Presentation@2@1@0@\n");
  text.insert(text.find("*OpenUI"), "*OVXCDFSetting: \"" + cache + "\"\n");
  ASSERT_TRUE(Open(text));
  ASSERT_STREQ(host_->ppdFile()->groups[2].options[1].choices[0].choice, "Standard");
  EXPECT_FALSE(ItemEnabled(kImageTypeListTag, 2));  // Presentation
  Choose(View(), kOutputModeListTag, "HighSpeed");
  EXPECT_TRUE(ItemEnabled(kImageTypeListTag, 2));
  EXPECT_TRUE(ItemEnabled(kImageTypeListTag, 1));  // Photo: the PPD's own constraints are not read
}

// ---- more of the panel and its windows ---------------------------------------------------------------------------

TEST_F(ImageOptionsPanel, RestoreDefaultsMarksThePPDDefaults) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  Choose(View(), kColorModeListTag, "Black");
  Choose(View(), kScreenListTag, "Screen3");
  Click(View(), kRestoreDefaultsButtonTag);
  EXPECT_EQ(host_->Marked("OVColorMode"), "Color");
  EXPECT_EQ(host_->Marked("OVEngineScreen"), "Auto");
  EXPECT_TRUE(FindElementByTag(View(), kImageSettingsButtonTag)->isEnabled());
}

TEST_F(ImageOptionsPanel, BasicSettingsDisableTheWindowsCorrectionsEachTimeItOpens) {
  ASSERT_TRUE(Open(ShippedPPD("OVQU700.ppd")));
  const int corrections[] = {kAdjRGBCorrectionListTag, kAdjInputProfileListTag, kAdjTemperatureListTag};
  for (bool advanced : {false, true}) {
    if (advanced) Click(View(), kAdvancedRadioTag);
    ScriptedModalRuns runs;
    runs->AnswerWindow([&](QDialog& window) {
      for (int tag : corrections) EXPECT_EQ(FindElementByTag(&window, tag)->isEnabled(), advanced) << tag;
      EXPECT_TRUE(FindElementByTag(&window, kAdjGammaListTag)->isEnabled());
      Click(&window, kAdjCancelTag);
    });
    Click(View(), kImageSettingsButtonTag);
  }
}

struct TargetPaperRow {
  const char* name;
  const char* without;  // the option taken out: the plain window and this type
  int32_t type;
  bool shown;
};

class TargetPaper : public ImageOptionsPanel, public ::testing::WithParamInterface<TargetPaperRow> {};

TEST_P(TargetPaper, IsHiddenForType02) {
  ASSERT_TRUE(
      Open(WithoutOption(ShippedPPD(GetParam().type == 4 ? "OVQC500.ppd" : "OVQC300.ppd"), GetParam().without)));
  ASSERT_EQ(panel_->ProductType(), GetParam().type);
  ScriptedModalRuns runs;
  runs->AnswerWindow([&](QDialog& window) {
    EXPECT_EQ(FindElementByTag(&window, kAdjTargetPaperListTag)->isVisibleTo(&window), GetParam().shown);
    Click(&window, kAdjOKTag);
  });
  Click(View(), kImageSettingsButtonTag);
}

INSTANTIATE_TEST_SUITE_P(ImageOptions, TargetPaper,
                         ::testing::Values(
                             TargetPaperRow{
                                 .name = "Type02", .without = "OVInvalidateColorProfile", .type = 4, .shown = false},
                             TargetPaperRow{.name = "Type03", .without = "OVBlackOverprint", .type = 5, .shown = true}),
                         RowName());

TEST_F(ImageOptionsPanel, DensitiesInTheSummaryFollowAdjustmentAndColourMode) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  ScriptedModalRuns runs;
  runs->AnswerWindow([](QDialog& window) {
    Click(&window, kAdjustCheckBoxTag);
    qobject_cast<QSpinBox*>(FindElementByTag(&window, DensityArrowTag(kHigh, kCyan)))->stepBy(-1);
    qobject_cast<QSpinBox*>(FindElementByTag(&window, DensityArrowTag(kLow, kBlack)))->stepBy(2);
    Click(&window, kBalanceOKTag);
  });
  Click(View(), kColorBalanceButtonTag);
  EXPECT_EQ(host_->Marked("OVColorDensityCyanHigh"), "-1");
  SummaryDictionary summary;
  SummaryOrder order;
  panel_->GetSummaryText(summary, order);
  EXPECT_EQ(summary["Cyan Density High"], "-1");
  EXPECT_EQ(summary["Black Density Low"], "+2");
  // In black and white only the black densities count.
  Choose(View(), kColorModeListTag, "Black");
  summary.clear();
  panel_->GetSummaryText(summary, order);
  EXPECT_EQ(summary.count("Cyan Density High"), 0u);
  EXPECT_EQ(summary["Black Density Low"], "+2");
}

TEST_F(ImageOptionsPanel, RefusedCheckBoxMarkShowsThePreviousState) {
  ASSERT_TRUE(Open(ShippedPPD("OVQC300.ppd")));
  host_->refused.insert("OVColorBalanceAdjustment:True");
  ScriptedModalRuns runs;
  runs->AnswerWindow([](QDialog& window) {
    Click(&window, kAdjustCheckBoxTag);
    EXPECT_FALSE(qobject_cast<QAbstractButton*>(FindElementByTag(&window, kAdjustCheckBoxTag))->isChecked());
    EXPECT_FALSE(FindElementByTag(&window, DensityArrowTag(kLow, kBlack))->isEnabled());
    Click(&window, kBalanceCancelTag);
  });
  Click(View(), kColorBalanceButtonTag);
  EXPECT_EQ(host_->Marked("OVColorBalanceAdjustment"), "False");
}

// ovqdialog offers the panel after the account panels, reaches its controls and
// its windows, and prints the choices that differ from the PPD's defaults.
TEST(ImageOptionsInOvqdialog, ActsOnThePanelAndPrintsItsChoices) {
  TempDir home;
  RunSpec spec;
  spec.program = BinaryPath("ovqdialog");
  spec.args = {"--ppd",        SourcePath("ppd/OVQC300.ppd"),
               "panels",       "open nvxops15.pde.ImageOptionsKind",
               "items 106",    "select 102 2",
               "items 106",    "slide 103 -2",
               "press 104",    "check 3101 1",
               "step 3600 -2", "state 3500",
               "press 3001",   "state 103",
               "print"};
  spec.env = {{"HOME", home.path()}, {"XDG_CONFIG_HOME", home.File("config")}, {"QT_QPA_PLATFORM", "offscreen"}};
  RunResult run = RunProgram(spec);
  ASSERT_EQ(run.exit_status, 0) << run.out << run.err;
  size_t account = run.out.find("nvxops15.pde.PrintTypeKind\t");
  size_t panel = run.out.find("nvxops15.pde.ImageOptionsKind\tImage Options\n");
  EXPECT_LT(account, panel) << run.out;
  const char* lines[] = {
      "1\tenabled=1\tStandard\n2\tenabled=1\tPhoto\n3\tenabled=1\tPresentation\n",
      "1\tenabled=1\tStandard\n2\tenabled=0\tPhoto\n3\tenabled=1\tPresentation\n",  // HighSpeed excludes Photo
      "window: Color Balance\n3500 enabled=1 hidden=0 value=-2\nwindow closed\n",
      "103 enabled=1 hidden=0 value=-2\n",
      "print: go\n",
      "OVBrightness=Dark2\n",  // position -2 of 11 choices: the eighth choice
      "OVColorBalanceAdjustment=True\n",
      "OVColorDensityBlackLow=-2\n",
      "OVOutputMode=HighSpeed\n",
      "nvxjobs.printsettings.TargetColorLboxTicketKey=1\n",
  };
  for (const char* line : lines) EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  EXPECT_EQ(run.out.find("OVColorMode="), std::string::npos);  // the default is not sent
}

}  // namespace
