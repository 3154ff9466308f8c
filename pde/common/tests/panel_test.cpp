// Panels and their windows: broadcast, finding controls, interface files,
// modal runs, remembered values in the print settings and in the preferences.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "base_panel.h"
#include "controls.h"
#include "err_msg_window.h"
#include "param_name.h"
#include "preferences.h"
#include "qt_test_support.h"
#include "run_program.h"
#include "test_ppd.h"
#include "text_controls.h"
#include "ticket_keys.h"

using namespace ovqpde;

namespace {

// ---- broadcast -------------------------------------------------------------------

// A window that records the operations it receives and answers them with `result`.
class ProbeWindow : public PopupWinInPanelNvx {
 public:
  explicit ProbeWindow(int result) : result_(result) {}
  int Open() override { return Hit(); }
  int SetUIDataToIniData() override { return Hit(); }
  int SetCurrentValueToUI() override { return Hit(); }
  int SetValueToPreferenceWithPrinterSettings() override { return Hit(); }
  int GetValueFromPreferenceWithPrinterSettings() override { return Hit(); }
  int calls = 0;

 private:
  int Hit() {
    ++calls;
    return result_;
  }
  int result_;
};

// Every operation stops at the first window that fails.
TEST(Broadcast, StopsAtTheFirstWindowThatFails) {
  for (int (BasePrintPanelNvx::*operation)() :
       {&BasePrintPanelNvx::Open, &BasePrintPanelNvx::SetUIDataToIniData, &BasePrintPanelNvx::SetCurrentValueToUI,
        &BasePrintPanelNvx::SetValueToPreferenceWithPrinterSettings,
        &BasePrintPanelNvx::GetValueFromPreferenceWithPrinterSettings}) {
    BasePrintPanelNvx panel;
    auto* first = panel.AddWindow(std::make_unique<ProbeWindow>(7));
    auto* second = panel.AddWindow(std::make_unique<ProbeWindow>(0));
    EXPECT_NE((panel.*operation)(), 0);
    EXPECT_EQ(first->calls, 1);
    EXPECT_EQ(second->calls, 0);
  }
}

// ---- a panel from an interface file -----------------------------------------------

constexpr AccessInfo kNameAccess{.ticketKey = kDocumentNameTicketKey, .preferenceKey = kDocumentNameReference};
constexpr TextEditIniData kNameIni{.defaultText = "Untitled", .maxLength = 32};

// The OK button of the test window: ends the run with code 5.
class FiveButton : public BaseButtonNvx {
 public:
  void RequestControlAction() override { static_cast<PopupWinInPanelNvx*>(GetParentPanel())->DeactivateWindow(5); }
};

class LoadedPanel : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    bundle_ = RegisterBundle(SourcePath("pde/common/tests/bundle"));  // the plug-in bundle of this core copy
    ASSERT_NE(bundle_, nullptr);
    ppd_ = OpenPPDText(dir_.File("t.ppd"), PPDHeader() + "*KQLocalizableFileIndex: \"7\"\n" + ShapesPPDOptions());
    ASSERT_NE(ppd_, nullptr);
    panel_ = Build(kCFPreferencesCurrentUser);
  }

  std::unique_ptr<BasePrintPanelNvx> Build(const char* user) {
    auto panel = std::make_unique<BasePrintPanelNvx>();
    panel->CreatePanel(nullptr);
    panel->SetCurrentPrintSettings(&settings_, ppd_.get(), nullptr, nullptr);
    EXPECT_EQ(panel->loadNibNamed("TestPanel", nullptr), 0);
    QWidget* view = panel->GetWindowRef();
    auto name = std::make_unique<TextEditCtrlNvx>();
    name->CreateControl(view->findChild<QLineEdit*>("nameField"), &kNameIni, nullptr, &kNameAccess, user, nullptr);
    name_ = panel->AddControl(std::move(name));
    auto window = std::make_unique<PopupWinInPanelNvx>();
    window->PopupWinInPanel(view->findChild<QDialog*>("detailWindow"), "Detail Title");
    auto detail = std::make_unique<TextEditCtrlNvx>();
    detail->CreateControl(view->findChild<QLineEdit*>("detailField"), &kNameIni, nullptr, nullptr, nullptr, nullptr);
    window->AddControl(std::move(detail));
    auto ok = std::make_unique<FiveButton>();
    ok->CreateControl(view->findChild<QPushButton*>("detailOK"), "PT Message OK Btn");
    window->AddControl(std::move(ok));
    window_ = panel->AddWindow(std::move(window));
    EXPECT_EQ(panel->InitializeUserPane(bundle_, ppd_.get()), 0);
    session_.SetCurrentPrinter("Office");
    panel->SetCurrentPrintSettings(&settings_, ppd_.get(), nullptr, &session_);
    return panel;
  }

  TempDir dir_;
  PPDHandle ppd_;
  const Bundle* bundle_ = nullptr;
  PrintSettings settings_;
  PrintSession session_;
  std::unique_ptr<BasePrintPanelNvx> panel_;
  TextEditCtrlNvx* name_ = nullptr;
  PopupWinInPanelNvx* window_ = nullptr;
};

// Controls are found by tag across windows; a window runs modally with its
// localized title and hands back what was typed.
TEST_F(LoadedPanel, FindsControlsAndRunsTheWindowModally) {
  ASSERT_EQ(panel_->TopLevelObjects().size(), 2u);  // the view and its window
  EXPECT_EQ(panel_->GetPanelControl(13), name_);
  ASSERT_NE(panel_->GetPanelControl(21), nullptr);
  EXPECT_EQ(panel_->GetPanelControl(21)->GetParentPanel(), window_);
  EXPECT_EQ(panel_->GetPanelControl(99), nullptr);
  EXPECT_STREQ(window_->GetCurrentPrinterString(), "Office");
  ScriptedModalRuns runs;
  runs->AnswerWindow([](QDialog& window) {
    window.findChild<QLineEdit*>("detailField")->setText("typed");
    window.findChild<QPushButton*>("detailOK")->click();
  });
  EXPECT_EQ(window_->ActivateWindow(), 5);
  EXPECT_EQ(runs->WindowTitles(), std::vector<QString>{"Details (table 7)"});  // the table of KQLocalizableFileIndex
  window_->SycValueFromUI();
  EXPECT_STREQ(static_cast<TextEditCtrlNvx*>(panel_->GetPanelControl(21))->GetUIText(), "typed");
}

// A window whose Cancel ends its run with code 7.
class SevenOnCancel : public PopupWinInPanelNvx {
 public:
  void CancelWindow() override { DeactivateWindow(7); }
};

// The close button (and the Escape key, which reaches the same reject()) acts as Cancel.
TEST(ClosingAWindow, ActsAsItsCancelAndShowsTheNibNameWithoutATitleKey) {
  EnsureOffscreenApplication();
  QDialog dialog;
  dialog.setObjectName("NoticeWindow");
  SevenOnCancel window;
  window.PopupWinInPanel(&dialog, nullptr);
  window.InitializeUserPane(nullptr, nullptr);
  ScriptedModalRuns runs;
  runs->AnswerWindow([](QDialog& shown) { shown.close(); });
  EXPECT_EQ(window.ActivateWindow(), 7);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(runs->WindowTitles(), std::vector<QString>{"NoticeWindow"});
}

TEST_F(LoadedPanel, ErrorWindowShowsTheLocalizedMessageUntilOK) {
  ErrMsgWindow window;
  window.CreateErrMsgWindow(nullptr, "Detail Title");
  window.InitializeUserPane(bundle_, nullptr);
  ScriptedModalRuns runs;
  runs->AnswerWindow([&window](QDialog&) {
    EXPECT_EQ(window.GetMessageField()->text(), "The document name holds a character the printer cannot print.");
    EXPECT_EQ(static_cast<QPushButton*>(window.GetOKButton())->text(), "OK");
    static_cast<QPushButton*>(window.GetOKButton())->click();
  });
  EXPECT_EQ(window.Present(bundle_, "Message41"), QDialog::Accepted);
  EXPECT_EQ(runs->WindowTitles(), std::vector<QString>{"Details"});
}

TEST_F(LoadedPanel, RemembersInThePrintSettingsPerPrinter) {
  name_->ConvertFromPreferenceString("Budget, 2026");
  ASSERT_EQ(panel_->SetValueToPreferenceWithPrinterSettings(), 0);
  const PrintSettingsValue* stored = settings_.Find("Officenvxjobs.printsettings.DocumentNameReference");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->text, "Budget, 2026");
  EXPECT_FALSE(stored->locked);

  auto again = Build(kCFPreferencesCurrentUser);
  again->GetValueFromPreference();  // the current system keeps no preferences: the default
  EXPECT_STREQ(name_->GetText(), "Untitled");
  again->GetValueFromPreferenceWithPrinterSettings();
  EXPECT_STREQ(name_->GetText(), "Budget, 2026");
}

TEST_F(LoadedPanel, RememberingFailsWhenAnyControlFails) {
  auto unready = std::make_unique<TextEditCtrlNvx>();  // never initialized: no value block
  auto* element = new QLineEdit(panel_->GetWindowRef());
  unready->CreateControl(element, &kNameIni, nullptr, &kNameAccess, nullptr, nullptr);
  panel_->AddControl(std::move(unready));
  auto last = std::make_unique<TextEditCtrlNvx>();
  last->CreateControl(new QLineEdit(panel_->GetWindowRef()), &kNameIni, nullptr, &kNameAccess, nullptr, nullptr);
  panel_->AddControl(std::move(last))->InitializeCtrl(bundle_, nullptr);
  EXPECT_NE(panel_->SetValueToPreferenceWithPrinterSettings(), 0);
}

}  // namespace
