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

// ---- counted enable and hide, and the check box reaction ------------------------

TEST_F(ControlsTest, ElementFollowsTheCounters) {
  const struct {
    const char* steps;  // D disable, E enable, H hide, S show, R reset
    bool enabled, hidden;
  } rows[] = {{.steps = "DDE", .enabled = false, .hidden = false},
              {.steps = "HHS", .enabled = true, .hidden = true},
              {.steps = "DDHHR", .enabled = true, .hidden = false}};
  for (const auto& row : rows) {
    for (const char* step = row.steps; *step != '\0'; ++step) {
      *step == 'D'   ? a_->Disable()
      : *step == 'E' ? a_->Enable()
      : *step == 'H' ? a_->Hide()
      : *step == 'S' ? a_->Show()
                     : a_->ResetStatus();
    }
    EXPECT_EQ(a_->GetControlPtr()->isEnabled(), row.enabled) << row.steps;
    EXPECT_EQ(a_->GetControlPtr()->isHidden(), row.hidden) << row.steps;
    a_->ResetStatus();
  }
}

// The first reaction applies the lists of the new value only; the ini data's
// initial value is the previous value of the first reaction.
struct FirstReactionRow {
  const char* name;
  int32_t initial, countA, countB;  // counters after loading the value 1
};
class FirstReaction : public ControlsTest, public ::testing::WithParamInterface<FirstReactionRow> {};

TEST_P(FirstReaction, AppliesTheListsOfTheNewValueOnly) {
  ControlIniData ini{.titleKey = "Color"};
  ini.initialValue = GetParam().initial;
  auto* box = Add<CheckBoxNvx, QCheckBox>(11, &ini, &kDisableByValue);
  Start();
  box->SetValue(1);
  panel_.SetCurrentValueToUI();
  EXPECT_EQ(a_->GetConstrainCount(), GetParam().countA);
  EXPECT_EQ(b_->GetConstrainCount(), GetParam().countB);
  EXPECT_EQ(static_cast<QCheckBox*>(box->GetControlPtr())->text(), "Colour printing");
}

const FirstReactionRow kFirstReactions[] = {{.name = "NoInitialValue", .initial = -1, .countA = 0, .countB = 1},
                                            {.name = "InitialZero", .initial = 0, .countA = -1, .countB = 1},
                                            {.name = "InitialEqualsLoaded", .initial = 1, .countA = 0, .countB = 0}};
INSTANTIATE_TEST_SUITE_P(Controls, FirstReaction, ::testing::ValuesIn(kFirstReactions), RowName());

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

// Items show their titles, else their keys; a pop-up without a selection
// counts as its first item.
TEST_F(ControlsTest, PopupItemsAndNoSelection) {
  ControlIniData ini{.defaultValue = 1, .itemKeys = kItems};
  auto* popup = Add<PopupControlNvx, QComboBox>(12, &ini, &kDisableByValue);
  Start();
  auto* menu = static_cast<QComboBox*>(popup->GetControlPtr());
  ASSERT_EQ(menu->count(), 2);
  EXPECT_EQ(menu->itemText(0), "First");
  EXPECT_EQ(menu->itemText(1), "Untranslated Key");
  EXPECT_EQ(popup->RequestPopupList(), (std::vector<std::string>{"Item One", "Untranslated Key"}));
  menu->setCurrentIndex(-1);
  popup->SimulationUIEventHandler();
  EXPECT_FALSE(a_->GetControlPtr()->isEnabled());  // the list of value 1
  EXPECT_TRUE(b_->GetControlPtr()->isEnabled());
  int32_t stored = -1;
  std::memcpy(&stored, popup->GetValueFromUIDataBlk().data(), sizeof stored);
  EXPECT_EQ(stored, 0);
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

// Keystrokes beyond the maximum or outside the filter are refused with a beep;
// a failed commit shows the localized alert; a committed value moves whole
// (two-cell characters are not cut at their width count).
TEST_F(ControlsTest, TextFieldRefusesKeysAlertsAndCommitsWholeText) {
  auto* element = new QLineEdit(view_.get());
  TextEditIniData ini{.minLength = 2, .maxLength = 4};
  auto control = std::make_unique<TextEditCtrlNvx>();
  control->CreateControl(element, &ini, nullptr, nullptr, nullptr, &kPrintable);
  auto* name = panel_.AddControl(std::move(control));
  Start();
  const int beeps = SysBeepCount();
  QTest::keyClicks(element, "ab{cdef");  // "{" lies outside the filter
  EXPECT_EQ(element->text(), "abcd");
  EXPECT_EQ(SysBeepCount() - beeps, 3);  // the brace, e and f
  ScriptedModalRuns runs;
  runs->AnswerAlert(0);
  element->setText("x");
  name->GetValueFromUI();
  EXPECT_EQ(name->InvalidateData(), kControlFailure);
  ASSERT_EQ(runs->Alerts().size(), 1u);
  EXPECT_EQ(runs->Alerts()[0].informativeText.toStdString(),
            "The document name holds a character the printer cannot print.");
  EXPECT_EQ(runs->Alerts()[0].buttons, QStringList{"OK"});
  name->CorrectCtrlUI();
  name->GetValueFromUI();
  EXPECT_EQ(name->InvalidateData(), kControlSuccess);  // empty is always valid
  element->setText(QString::fromUtf8("\xE3\x81\x82\xE3\x81\x84"));
  panel_.SetValueFromUIToControl();
  EXPECT_STREQ(name->GetText(), "\xE3\x81\x82\xE3\x81\x84");
}

}  // namespace
