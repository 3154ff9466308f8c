// Controls on real widgets (offscreen): counted state, the constraint
// reaction and its value conventions, items and titles, text checks.
#include "controls.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cstdlib>

#include "alert_sound.h"
#include "base_panel.h"
#include "param_name.h"
#include "qt_test_support.h"
#include "run_program.h"
#include "text_controls.h"
#include "version.h"

using namespace ovqpde;

namespace {

constexpr int32_t kTagA[] = {201};
constexpr int32_t kTagB[] = {202};
constexpr int32_t kRadioA[] = {301};
constexpr int32_t kRadioB[] = {302};
constexpr ControlIDList kByValue[] = {kTagA, kTagB};  // value 0 (pop-up: 1) names A, value 1 (pop-up: 2) B
constexpr ConstraintRecord kDisableByValue{.disable = kByValue};
constexpr ControlIDList kHideA[] = {kTagA};
constexpr ControlIDList kHideB[] = {kTagB};
constexpr ControlIDList kUpdateA[] = {kRadioA};
constexpr ControlIDList kUpdateB[] = {kRadioB};
// Radio A hides A while off and refreshes B; radio B hides B while off and refreshes A.
constexpr ConstraintRecord kRadioAConstraint{.hide = kHideA, .update = kUpdateB};
constexpr ConstraintRecord kRadioBConstraint{.hide = kHideB, .update = kUpdateA};
constexpr const char* kItems[] = {"Item One", "Untranslated Key"};

// A panel on a plain view, with the test bundle and two target fields (tags 201, 202).
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    view_ = std::make_unique<QWidget>();
    bundle_ = Bundle::Open(SourcePath("pde/common/tests/bundle"));
    ASSERT_NE(bundle_, nullptr);
    panel_.CreatePanel(view_.get());
    a_ = AddField(201);
    b_ = AddField(202);
  }

  TextEditCtrlNvx* AddField(int tag) {
    auto* element = new QLineEdit(view_.get());
    element->setProperty("tag", tag);
    auto control = std::make_unique<TextEditCtrlNvx>();
    control->CreateControl(element, nullptr, nullptr, nullptr, nullptr, nullptr);
    return panel_.AddControl(std::move(control));
  }

  template <typename Control, typename Element>
  Control* Add(int tag, const ControlIniData* ini, const ConstraintRecord* constraint) {
    auto* element = new Element(view_.get());
    element->setProperty("tag", tag);
    auto control = std::make_unique<Control>();
    if constexpr (std::is_same_v<Control, PopupControlNvx>) {
      control->CreateControl(element, ini, constraint, nullptr, nullptr);
    } else {
      control->CheckBox(element, ini, constraint, nullptr, nullptr);
    }
    return panel_.AddControl(std::move(control));
  }

  void Start() {
    panel_.InitializeUserPane(bundle_.get(), nullptr);
    panel_.SetUIDataToIniData();
  }

  std::unique_ptr<QWidget> view_;
  std::unique_ptr<Bundle> bundle_;
  BasePrintPanelNvx panel_;
  TextEditCtrlNvx* a_ = nullptr;
  TextEditCtrlNvx* b_ = nullptr;
};

// ---- counted enable and hide -------------------------------------------------------

struct CountedRow {
  const char* name;
  const char* steps;  // D disable, E enable, H hide, S show, R reset
  bool enabled;
  bool hidden;
};

class CountedState : public ControlsTest, public ::testing::WithParamInterface<CountedRow> {};

TEST_P(CountedState, ElementFollowsTheCounters) {
  for (const char* step = GetParam().steps; *step != '\0'; ++step) {
    switch (*step) {
      case 'D':
        a_->Disable();
        break;
      case 'E':
        a_->Enable();
        break;
      case 'H':
        a_->Hide();
        break;
      case 'S':
        a_->Show();
        break;
      default:
        a_->ResetStatus();
        break;
    }
  }
  EXPECT_EQ(a_->GetControlPtr()->isEnabled(), GetParam().enabled);
  EXPECT_EQ(a_->GetControlPtr()->isHidden(), GetParam().hidden);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, CountedState,
    ::testing::Values(CountedRow{.name = "DisabledTwiceEnabledOnce", .steps = "DDE", .enabled = false, .hidden = false},
                      CountedRow{
                          .name = "DisabledTwiceEnabledTwice", .steps = "DDEE", .enabled = true, .hidden = false},
                      CountedRow{.name = "EnabledBeforeDisabled", .steps = "ED", .enabled = true, .hidden = false},
                      CountedRow{.name = "HiddenTwiceShownOnce", .steps = "HHS", .enabled = true, .hidden = true},
                      CountedRow{.name = "ResetReleasesAll", .steps = "DDHHR", .enabled = true, .hidden = false}),
    RowName());

// ---- the check box reaction ----------------------------------------------------------

struct FirstReactionRow {
  const char* name;
  int32_t initial;  // ini data's initial value: the previous value of the first reaction
  int32_t loaded;
  int32_t countA;  // disable counters after the first reaction
  int32_t countB;
};

class FirstReaction : public ControlsTest, public ::testing::WithParamInterface<FirstReactionRow> {};

TEST_P(FirstReaction, AppliesTheListsOfTheNewValueOnly) {
  ControlIniData ini{.titleKey = "Color"};
  ini.initialValue = GetParam().initial;
  auto* box = Add<CheckBoxNvx, QCheckBox>(11, &ini, &kDisableByValue);
  Start();
  box->SetValue(GetParam().loaded);
  panel_.SetCurrentValueToUI();
  EXPECT_EQ(a_->GetConstrainCount(), GetParam().countA);
  EXPECT_EQ(b_->GetConstrainCount(), GetParam().countB);
  EXPECT_EQ(static_cast<QCheckBox*>(box->GetControlPtr())->text(), "Colour printing");
}

INSTANTIATE_TEST_SUITE_P(
    Controls, FirstReaction,
    ::testing::Values(FirstReactionRow{.name = "NoInitialValue", .initial = -1, .loaded = 1, .countA = 0, .countB = 1},
                      FirstReactionRow{.name = "InitialZero", .initial = 0, .loaded = 1, .countA = -1, .countB = 1},
                      FirstReactionRow{
                          .name = "InitialEqualsLoaded", .initial = 1, .loaded = 1, .countA = 0, .countB = 0}),
    RowName());

// A value loaded without a user's action is the previous value of the next one:
// the click releases the loaded value's list.
TEST_F(ControlsTest, ClickAfterLoadReleasesTheLoadedValuesList) {
  ControlIniData ini{.titleKey = "Color"};
  auto* box = Add<CheckBoxNvx, QCheckBox>(11, &ini, &kDisableByValue);
  Start();
  box->SetValue(1);
  panel_.SetCurrentValueToUI();
  static_cast<QCheckBox*>(box->GetControlPtr())->click();
  EXPECT_FALSE(a_->GetControlPtr()->isEnabled());
  EXPECT_TRUE(b_->GetControlPtr()->isEnabled());
  EXPECT_EQ(b_->GetConstrainCount(), 0);
}

// ---- pop-ups -------------------------------------------------------------------------

TEST_F(ControlsTest, PopupWithoutSelectionCountsAsOne) {
  ControlIniData ini{.defaultValue = 1, .itemKeys = kItems};
  auto* popup = Add<PopupControlNvx, QComboBox>(12, &ini, &kDisableByValue);
  Start();
  static_cast<QComboBox*>(popup->GetControlPtr())->setCurrentIndex(-1);
  popup->SimulationUIEventHandler();
  EXPECT_FALSE(a_->GetControlPtr()->isEnabled());  // the list of value 1
  EXPECT_TRUE(b_->GetControlPtr()->isEnabled());
  int32_t stored = -1;
  std::memcpy(&stored, popup->GetValueFromUIDataBlk().data(), sizeof stored);
  EXPECT_EQ(stored, 0);
}

TEST_F(ControlsTest, PopupItemsShowTitlesOrTheirKeys) {
  ControlIniData ini{.defaultValue = 1, .itemKeys = kItems};
  auto* popup = Add<PopupControlNvx, QComboBox>(12, &ini, nullptr);
  Start();
  auto* menu = static_cast<QComboBox*>(popup->GetControlPtr());
  ASSERT_EQ(menu->count(), 2);
  EXPECT_EQ(menu->itemText(0), "First");
  EXPECT_EQ(menu->itemText(1), "Untranslated Key");
  EXPECT_EQ(popup->RequestPopupList(), (std::vector<std::string>{"Item One", "Untranslated Key"}));
}

// ---- radio groups ----------------------------------------------------------------------

struct RadioRow {
  const char* name;
  const char* kernelRelease;  // 11.0 packs to 0x1070, below the 0x1080 rule; 19.0 is the current system
};

class RadioGroups : public ControlsTest, public ::testing::WithParamInterface<RadioRow> {
 protected:
  void SetUp() override {
    setenv(kKernelReleaseEnv, GetParam().kernelRelease, 1);
    ResetGestaltCache();
    ControlsTest::SetUp();
  }
  void TearDown() override {
    unsetenv(kKernelReleaseEnv);
    ResetGestaltCache();
  }
};

TEST_P(RadioGroups, ClickMovesTheGroupAndBothButtonsLists) {
  ControlIniData on{.defaultValue = 1, .initialValue = -1, .titleKey = "Color"};
  ControlIniData off{.defaultValue = 0, .initialValue = -1, .titleKey = "Color"};
  RadioGroupNvx group;
  group.RadioGroup();
  auto* first = Add<RadioButtonNvx, QRadioButton>(301, &on, &kRadioAConstraint);
  auto* second = Add<RadioButtonNvx, QRadioButton>(302, &off, &kRadioBConstraint);
  first->SetCtrlGrp(&group);
  second->SetCtrlGrp(&group);
  Start();
  first->SetValue(1);
  second->SetValue(0);
  panel_.SetCurrentValueToUI();
  ASSERT_EQ(group.GetcurRadio(), 0);
  ASSERT_TRUE(b_->GetControlPtr()->isHidden());

  static_cast<QRadioButton*>(second->GetControlPtr())->click();
  EXPECT_EQ(group.GetcurRadio(), 1);
  EXPECT_FALSE(static_cast<QRadioButton*>(first->GetControlPtr())->isChecked());
  EXPECT_TRUE(static_cast<QRadioButton*>(second->GetControlPtr())->isChecked());
  EXPECT_TRUE(a_->GetControlPtr()->isHidden());
  EXPECT_FALSE(b_->GetControlPtr()->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Controls, RadioGroups,
                         ::testing::Values(RadioRow{.name = "Before0x1080", .kernelRelease = "11.0"},
                                           RadioRow{.name = "Current", .kernelRelease = "19.0"}),
                         RowName());

// ---- text fields -------------------------------------------------------------------------

constexpr TextEditFilterData kPrintable{.charFilter = {.count = 1, .ranges = {CodeRange{0x20, 0x7A}}},
                                        .messageKey = "Message41"};

class TextFields : public ControlsTest {
 protected:
  TextEditCtrlNvx* AddName(const TextEditIniData* ini) {
    auto* element = new QLineEdit(view_.get());
    element->setProperty("tag", 13);
    auto control = std::make_unique<TextEditCtrlNvx>();
    control->CreateControl(element, ini, nullptr, nullptr, nullptr, &kPrintable);
    return panel_.AddControl(std::move(control));
  }
};

TEST_F(TextFields, KeystrokesBeyondTheMaximumAreRefusedWithABeep) {
  TextEditIniData ini{.minLength = 0, .maxLength = 4};
  auto* name = AddName(&ini);
  Start();
  int beeps = SysBeepCount();
  QTest::keyClicks(name->GetControlPtr(), "ab{cdef");  // "{" lies outside the filter
  EXPECT_EQ(static_cast<QLineEdit*>(name->GetControlPtr())->text(), "abcd");
  EXPECT_EQ(SysBeepCount() - beeps, 3);  // the brace, e and f
}

TEST_F(TextFields, FailedCommitShowsTheLocalizedAlert) {
  TextEditIniData ini{.minLength = 2, .maxLength = 8};
  auto* name = AddName(&ini);
  Start();
  ScriptedModalRuns runs;
  runs->AnswerAlert(0);
  static_cast<QLineEdit*>(name->GetControlPtr())->setText("x");
  name->GetValueFromUI();
  EXPECT_EQ(name->InvalidateData(), kControlFailure);
  ASSERT_EQ(runs->Alerts().size(), 1u);
  EXPECT_EQ(runs->Alerts()[0].informativeText.toStdString(),
            "The document name holds a character the printer cannot print.");
  EXPECT_EQ(runs->Alerts()[0].messageText, "");
  EXPECT_EQ(runs->Alerts()[0].buttons, QStringList{"OK"});
  name->CorrectCtrlUI();
  name->GetValueFromUI();
  EXPECT_EQ(name->InvalidateData(), kControlSuccess);  // empty is always valid
}

// The value block moves whole: a text of two-cell characters is not cut at its width count.
TEST_F(TextFields, CommitKeepsMultibyteText) {
  TextEditIniData ini{.minLength = 0, .maxLength = 64};
  auto* name = AddName(&ini);
  Start();
  static_cast<QLineEdit*>(name->GetControlPtr())->setText(QString::fromUtf8("\xE3\x81\x82\xE3\x81\x84 report"));
  panel_.SetValueFromUIToControl();
  EXPECT_STREQ(name->GetText(), "\xE3\x81\x82\xE3\x81\x84 report");
}

}  // namespace
