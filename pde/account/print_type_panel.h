// The Print Type panel: normal, secure, sample, delayed and mailbox print, each
// held type with its modal setup window, and the passcode notice window.
#pragma once
#include <QDialog>

#include "account_panel.h"
#include "clock_control.h"
#include "err_msg_window.h"
#include "print_type_controls.h"

namespace OVQ_PDE_NS {

class PrintTypeOvqPDEj15;

// A setup window: its fields, then help, Restore, OK and Cancel.
class PTSetupWindowNvx : public PopupWinInPanelNvx {
 public:
  PTSetupWindowNvx(PrintTypeOvqPDEj15* panel, int32_t printType, SetupWindowTags tags)
      : panel_(panel), printType_(printType), tags_(tags) {}
  // Finds the window in the view and builds its controls.
  int Build(QWidget* view, const char* objectName);
  int ActivateWindow() override;
  // OK: each field's first and full check (the first failure keeps the window
  // open), then the values are stored and the window closes.
  void OnOK();
  // Cancel: when a field's stored value fails its cancel check, or the delayed
  // row is chosen and the delayed window was never confirmed, the print type
  // goes back to 1.
  void OnCancel();
  void CancelWindow() override { OnCancel(); }
  // Contributes only while the print type is the window's.
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  int32_t PrintType() const { return printType_; }
  bool IsConfirmed() const { return confirmed_; }

 protected:
  virtual void BuildFields() = 0;
  template <typename Field>
  Field* AddField(int32_t tag, const FieldLimits* limits, const AccessInfo* access, const char* summaryKey);
  void AddLabel(int32_t tag, const char* key);
  // The document-name type list and the document name of every window.
  void AddDocumentFields(bool mailBoxWindow, std::span<const int32_t> validation, const ConstraintRecord* constraints);
  bool Bound() const;

  PrintTypeOvqPDEj15* panel_;
  int32_t printType_;
  SetupWindowTags tags_;
  bool confirmed_ = false;
};

class SamplePrintWindowNvx : public PTSetupWindowNvx {
 public:
  explicit SamplePrintWindowNvx(PrintTypeOvqPDEj15* panel) : PTSetupWindowNvx(panel, kPrintTypeSample, kSampleTags) {}

 protected:
  void BuildFields() override;
};

class SecurePrintWindowNvx : public PTSetupWindowNvx {
 public:
  explicit SecurePrintWindowNvx(PrintTypeOvqPDEj15* panel) : PTSetupWindowNvx(panel, kPrintTypeSecure, kSecureTags) {}
  PTPWTextEditCtrlNvx* Passcode() const { return passcode_; }

 protected:
  void BuildFields() override;

 private:
  PTPWTextEditCtrlNvx* passcode_ = nullptr;
};

class DelayedPrintWindowNvx : public PTSetupWindowNvx {
 public:
  explicit DelayedPrintWindowNvx(PrintTypeOvqPDEj15* panel)
      : PTSetupWindowNvx(panel, kPrintTypeDelayed, kDelayedTags) {}

 protected:
  void BuildFields() override;
};

class MailBoxPrintWindowNvx : public PTSetupWindowNvx {
 public:
  explicit MailBoxPrintWindowNvx(PrintTypeOvqPDEj15* panel)
      : PTSetupWindowNvx(panel, kPrintTypeMailBox, kMailBoxTags) {}

 protected:
  void BuildFields() override;
};

// The passcode notice window: OK prints as a normal job, Cancel returns to the dialog.
class AboutWindow : public PopupWinInPanelNvx {
 public:
  explicit AboutWindow(PrintTypeOvqPDEj15* panel) : panel_(panel) {}
  int Build(QWidget* view);
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;
  // Runs the window modally.
  int Present();
  void OnOK();
  void OnCancel();
  void CancelWindow() override { OnCancel(); }

 private:
  PrintTypeOvqPDEj15* panel_;
};

class PrintTypeOvqPDEj15 : public AccountPanelNvx {
 public:
  explicit PrintTypeOvqPDEj15(PDEHostCallback* callback);
  std::string panelKind() override { return "nvxops15.pde.PrintTypeKind"; }
  bool saveValuesAndReturnError(std::string* error) override;
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;
  using AccountPanelNvx::SetValueToTicket;
  // The product type, the three shared values (unless WKS PDF), then the controls.
  int SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray) override;
  ErrMsgWindow* GetErrMsgPanel() override { return errWindow_; }

  PTListCtrlNvx* getPrintTypeListCtrlPtr() const { return list_; }
  SecurePrintWindowNvx* getSecurePrintWndPtr() const { return secure_; }
  SamplePrintWindowNvx* getSamplePrintWndPtr() const { return sample_; }
  DelayedPrintWindowNvx* getDelayedPrintWndPtr() const { return delayed_; }
  MailBoxPrintWindowNvx* getMailBoxPrintWndPtr() const { return mailBox_; }
  AboutWindow* getPassCodeAboutWndPtr() const { return about_; }
  ValueBlock& getPrintTypeUserNameDataBlk() { return userNameBlock_; }
  ValueBlock& getPrintTypeDocumentListDataBlk() { return documentTypeBlock_; }
  ValueBlock& getPrintTypeDocumentNameDataBlk() { return documentNameBlock_; }
  bool IsPPDkeyPassCodeExist() const { return bPPDkeyPassCodeExist; }
  bool IsKeywordSupported() const { return keywordSupported_; }
  // The setup window of a print type (2 to 5), or nullptr.
  PTSetupWindowNvx* WindowForPrintType(int32_t value) const;
  // Puts the controls of `ids` back to their defaults and replays their change.
  void RestoreDefaults(std::span<const int32_t> ids);
  QWidget* SetupButton() const;

 protected:
  const char* TitleKey() const override { return "PDE Title"; }
  const char* LogName() const override { return "PrintTypePDE"; }
  int BuildPanel(QWidget* view, ppd_file_t* ppd) override;
  bool OnClickPrintCommand() override;
  int LoadRememberedValues() override;
  int RememberValues() override;
  bool RunHelpButton() override { return OpenHelpPage("SelectJobType_"); }

 private:
  void OnSetup();
  void OnRestore();

  PTListCtrlNvx* list_ = nullptr;
  SamplePrintWindowNvx* sample_ = nullptr;
  SecurePrintWindowNvx* secure_ = nullptr;
  DelayedPrintWindowNvx* delayed_ = nullptr;
  MailBoxPrintWindowNvx* mailBox_ = nullptr;
  AboutWindow* about_ = nullptr;
  ErrMsgWindow* errWindow_ = nullptr;
  bool bPPDkeyPassCodeExist = false;
  bool keywordSupported_ = false;
  ValueBlock documentTypeBlock_;
  ValueBlock documentNameBlock_;
  ValueBlock userNameBlock_;
};

}  // namespace OVQ_PDE_NS
