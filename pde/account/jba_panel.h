// The Job Accounting panel: the management mode, the details window of each
// mode, and the input window that asks for the user ID and password at print time.
#pragma once
#include <QDialog>

#include "account_panel.h"

namespace OVQ_PDE_NS {

class JBAOvqPDEj15;

// The management mode list (mode value 1: user mode, keys with Admin; 2: the other).
class JBAListCtrlNvx : public PopupControlNvx {
 public:
  void UIEventHandler() override;
  // The reaction at load time; from 10.7 on the list is then disabled for everyone.
  void SimulationUIEventHandler() override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // The selected index: 0 for value 1, 1 for value 2.
  int whichPreferenceKey = 1;
};

// A details window's radio buttons: before one changes, the fields of its
// validation list must pass their full checks, else it goes back.
class JBAWndRadioButtonNvx : public RadioButtonNvx {
 public:
  void SetValidation(std::span<const int32_t> ids) { validation_ = ids; }
  void RequestControlAction() override;
  const char* TitleKey() const { return iniData_ == nullptr ? nullptr : iniData_->titleKey; }

 private:
  std::span<const int32_t> validation_;
};

// The user-name source list: before it changes, the user ID must pass its full
// check; a change empties the password.
class JBAWndListCtrlNvx : public PopupControlNvx {
 public:
  void SetValidation(std::span<const int32_t> ids, int32_t passwordTag) {
    validation_ = ids;
    passwordTag_ = passwordTag;
  }
  void RequestControlAction() override;

 private:
  std::span<const int32_t> validation_;
  int32_t passwordTag_ = 0;
};

// The text fields: checked only while neither hidden nor disabled, and not
// remembered while hidden.
class JBATextFieldNvx : public TextEditCtrlNvx {
 public:
  int CreateField(QWidget* element, const FieldLimits* limits, const AccessInfo* access);
  int SetValueToPreference() override;
  int SetValueToPreferenceWithPrinterSettings() override;

 protected:
  bool Checked() const;
  bool Hidden() const;
  const FieldLimits* limits_ = nullptr;
};

// A user ID: 1 to 32 wide, not spaces only.
class JBAWndUserIDTextEditCtrlNvx : public JBATextFieldNvx {
 public:
  int InvalidateData() override;
};

// The input window's user ID: an empty field already fails the first check.
class JBAInputWndTextEditCtrlExtNvx : public JBAWndUserIDTextEditCtrlNvx {
 public:
  int PreInvalidateData() override;
};

// A password: length and characters; spaces only and empty are fine.
class JBAWndTextEditCtrlExtPwdNvx : public JBATextFieldNvx {
 public:
  int InvalidateData() override;
};

// The login name: its default is the user's login name; it never loads a
// remembered value and always passes.
class JBAWndLoginTECtrlNvx : public JBATextFieldNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  const uint8_t* GetDefaultDataBlk() const override { return reinterpret_cast<const uint8_t*>(default_.defaultText); }
  int GetValueFromPreference() override { return kControlFailure; }
  int GetValueFromPreferenceWithPrinterSettings() override { return kControlFailure; }
  int InvalidateData() override { return kControlSuccess; }
  // The login name cut to 32 bytes when it passes the field's filter, else "UnknownUser".
  static std::string LoginNameDefault();

 private:
  TextEditIniData default_{};
};

// What tells the two details windows apart.
struct JBAWindowSpec {
  int32_t base;   // 2000 (user mode) or 3000
  int modeIndex;  // the mode list's index that opens it
  const char* objectName;
  const char* titleKey;
  const JBAWindowKeys* keys;
  const ConstraintRecord* commonRecord;
  const ConstraintRecord* jobRecord;
  std::span<const int32_t> jobValidation;
  const ConstraintRecord* sourceRecord;
  std::span<const int32_t> sourceValidation;
};

class JBAInfoWindowNvx : public PopupWinInPanelNvx {
 public:
  JBAInfoWindowNvx(JBAOvqPDEj15* panel, const JBAWindowSpec& spec) : panel_(panel), spec_(spec) {}
  int Build(QWidget* view);
  // Later openings reinitialize and reset; every opening shows the values,
  // applies the constraints and runs the window modally.
  int ActivateWindow() override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // "JBA Job User Type" is on.
  bool getbEnterUserDetails() const;
  // The source list is 1 (the login name).
  bool getbUseLoginNameSelect() const;
  // The window has no last-input check box.
  bool getbDisplayPrevious() const { return true; }
  const JBAWindowSpec& Spec() const { return spec_; }

 private:
  void OnOK();
  int32_t Value(int32_t tag) const;

  JBAOvqPDEj15* panel_;
  JBAWindowSpec spec_;
  RadioGroupNvx group_;
};

class JBAInputWindowNvx : public PopupWinInPanelNvx {
 public:
  explicit JBAInputWindowNvx(JBAOvqPDEj15* panel) : panel_(panel) {}
  int Build(QWidget* view);
  // Shows the values and runs the window modally.
  int Present();
  void CancelWindow() override;

 private:
  void OnOK();
  JBAOvqPDEj15* panel_;
};

class JBAOvqPDEj15 : public AccountPanelNvx {
 public:
  explicit JBAOvqPDEj15(PDEHostCallback* callback);
  std::string panelKind() override { return "nvxops15.pde.AccountKind"; }
  void willShow() override {}
  bool shouldHide() override { return BasePrintPanelNvx::shouldHide(); }
  bool saveValuesAndReturnError(std::string* error) override;
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;

  // The mode list's index (0 or 1), or -1 without the list.
  int getAccountMode() const;
  JBAInfoWindowNvx* getjbaInfoWnd() const { return other_; }
  JBAInfoWindowNvx* getjbaInfoAdminWnd() const { return userMode_; }
  JBAInputWindowNvx* getjbaInputWnd() const { return input_; }
  JBAListCtrlNvx* getjobAcctTypeListCtrlPtr() const { return modeList_; }
  // The details window of the current mode, or nullptr.
  JBAInfoWindowNvx* CurrentModeWindow() const;
  bool checkIsCostomizeUserPromptExist() const { return hasSelectID_; }
  // The index of the marked "OVSelectID" choice among UserID_AccountID, UserID, AccountID and None; -1 without one.
  int getCostomizeUserPromptValue() const { return selectIDValue_; }
  // Locks the user-mode window's entries again for a user who is not an
  // administrator while mode value 1 is chosen (after its states were reset).
  void ApplyAdminLock(JBAInfoWindowNvx* window);

 protected:
  const char* TitleKey() const override { return "Job Authentication Title"; }
  const char* LogName() const override { return "JBAPDE"; }
  int BuildPanel(QWidget* view, ppd_file_t* ppd) override;
  bool OnClickPrintCommand() override;
  bool MayPrintToDestination() override;
  // The controls' keys, then the client information.
  bool WriteTicket() override;
  bool RunHelpButton() override { return OpenHelpPage("JBA_"); }

 private:
  void OnDetails();

  JBAListCtrlNvx* modeList_ = nullptr;
  JBAInfoWindowNvx* userMode_ = nullptr;
  JBAInfoWindowNvx* other_ = nullptr;
  JBAInputWindowNvx* input_ = nullptr;
  bool hasSelectID_ = false;
  int selectIDValue_ = -1;
};

}  // namespace OVQ_PDE_NS
