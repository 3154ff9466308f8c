// The controls of the Print Type panel and its setup windows.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "account_tables.h"
#include "controls.h"
#include "text_controls.h"

namespace OVQ_PDE_NS {

class PrintTypeOvqPDEj15;

// A control whose value lives in a block of the panel, shared by the same
// field of every setup window (user ID, document-name type, document name).
template <typename Base>
class SharedValueNvx : public Base {
 public:
  void ShareValue(ValueBlock* block) { shared_ = block; }
  int SetValueFromUIToControl() override {
    int result = Base::SetValueFromUIToControl();
    Push();
    return result;
  }
  int SetControlValueToUI() override {
    Pull();
    return Base::SetControlValueToUI();
  }
  int ConvertFromPreferenceString(const char* text) override {
    int result = Base::ConvertFromPreferenceString(text);
    Push();
    return result;
  }
  int SetControlValueToDefault() override {
    int result = Base::SetControlValueToDefault();
    Push();
    return result;
  }

 protected:
  // The control's own block takes the panel's value.
  void Pull() {
    if (shared_ != nullptr && shared_->size() == this->ctrlDataBlkPtr.size()) this->ctrlDataBlkPtr = *shared_;
  }
  void Push() {
    if (shared_ != nullptr && !this->ctrlDataBlkPtr.empty()) *shared_ = this->ctrlDataBlkPtr;
  }
  ValueBlock* shared_ = nullptr;
};

// The print-type list. Its value (1 to 5) can be one that the menu does not
// list (4 and 5 are handled although the menu shows three rows).
class PTListCtrlNvx : public PopupControlNvx {
 public:
  void Bind(PrintTypeOvqPDEj15* panel, bool mailBoxAllowed) {
    panel_ = panel;
    mailBoxAllowed_ = mailBoxAllowed;
  }
  // The menu from the rows: the mailbox row only when allowed, rows outside the
  // storage device's limits disabled.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  // A value that changes: 1 is stored at once; 2 to 5 open their setup window
  // and then store what the list holds; anything else goes back.
  void UIEventHandler() override;
  void RequestControlAction() override;
  void ScriptedChange() override;
  int SetControlValueToUI() override;
  int SetExternalValueToUI(const void* data, size_t size) override;
  int32_t UIValue() const override { return chosen_; }
  int GetCurrentControlArrayNumber() const override { return chosen_ - 1; }
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  std::optional<std::string> ScriptValueText() const override;
  int32_t Chosen() const { return chosen_; }

  // The menu rows that stay enabled for the storage device the PPD marks; nullopt: all of them.
  static std::optional<std::vector<std::string>> EnabledRows(ppd_file_t* ppd);

 private:
  // Shows `value`: its item, or none when the menu does not list it.
  void Show(int32_t value);
  int ItemOfValue(int32_t value) const;

  PrintTypeOvqPDEj15* panel_ = nullptr;
  bool mailBoxAllowed_ = false;
  int32_t chosen_ = 1;
};

// A setup window's document-name type list: before it changes, the fields of
// its validation list must pass their full check.
class PTListCtrlExtNvx : public SharedValueNvx<PopupControlNvx> {
 public:
  void SetValidation(std::span<const int32_t> ids, const char* summaryKey) {
    validation_ = ids;
    summaryKey_ = summaryKey;
  }
  void RequestControlAction() override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;

 private:
  std::span<const int32_t> validation_;
  const char* summaryKey_ = nullptr;
};

// What the text fields of the setup windows share: their limits, a summary
// (masked for passcodes), the focus on the window before a check.
class PTTextFieldNvx : public SharedValueNvx<TextEditCtrlNvx> {
 public:
  int CreateField(QWidget* element, const FieldLimits* limits, const AccessInfo* access, const char* summaryKey);
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // The summary's title and value.
  virtual std::string SummaryTitle() const { return Localize(summaryKey_); }
  virtual std::string SummaryValue() const { return GetText(); }
  // The width count of a value.
  static uint32_t Width(const char* utf8);
  // False on the WKS PDF model's secure and sample windows: nothing shown, checked or written.
  bool IsBound() const { return limits_ != nullptr; }
  // The full check of the fields that refuse spaces only: then length and characters.
  int SpacesRefusedCheck();

 protected:
  void FocusWindow() const;
  bool Unbound() const { return limits_ == nullptr; }

  const FieldLimits* limits_ = nullptr;
  const char* summaryKey_ = nullptr;
};

// The user ID of the secure and sample windows.
class PTUITextEditCtrlNvx : public PTTextFieldNvx {
 public:
  // An empty field with a minimum above 0 shows the empty-field message.
  int PreInvalidateData() override;
  // Spaces only are refused; then length and characters.
  int InvalidateData() override;
  // The stored value is not empty, or the minimum is 0.
  int InvalidateDataOnCancel() override;
};

// The user ID that defaults to the login name (PPDs with "OVXPrintTypeSettings").
class KPTWNDLOGINTECTRL : public PTUITextEditCtrlNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  const uint8_t* GetDefaultDataBlk() const override { return reinterpret_cast<const uint8_t*>(default_.defaultText); }
  // The login name cut to 32 bytes when it passes the login-name limits, else "UnknownUser".
  static std::string LoginNameDefault();

 private:
  TextEditIniData default_{};
};

// The secure passcode: its minimum length comes from the PPD.
class PTPWTextEditCtrlNvx : public PTTextFieldNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  int PreInvalidateData() override;
  int InvalidateData() override;
  int InvalidateDataOnCancel() override;
  std::string SummaryTitle() const override;
  std::string SummaryValue() const override;
  uint32_t Minimum() const { return ini_.minLength; }
  // "Message60" with the minimum in place of "[n]".
  std::string LengthMessage() const;
  // The minimum a PPD sets: its "OVPTPasswdLimit" attribute's first number, else
  // the digits of that option's default choice, else 1.
  static uint32_t MinimumFromPPD(ppd_file_t* ppd);

 private:
  TextEditIniData ini_{};
};

// The passcode's title: "Password Text" with the option's minimum in place of "[n]".
class PTPWStaticTextEditControlNvx : public StaticTextEditControlNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
};

// The document name: empty is allowed; the full check is length and characters.
class PTDUTextEditCtrlNvx : public PTTextFieldNvx {};

// The mailbox number: 1 to the PPD's maximum, stored without leading zeros.
class PTMBNTextEditCtrlNvx : public PTTextFieldNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  int PreInvalidateData() override;
  int InvalidateData() override;
  int InvalidateDataOnCancel() override;
  int SetValueFromUIToControl() override;
  int Maximum() const { return maximum_; }

 private:
  bool InRange(const char* text) const;
  int maximum_ = 0;
};

// The mailbox passcode: at most 20 digits.
class PTMBNTextEditCtrlExtNvx : public PTTextFieldNvx {
 public:
  int PreInvalidateData() override;
  std::string SummaryValue() const override;
};

// The version text: "ver." and the bundle's short version.
class PTVerStringSTextNvx : public VersionStringSTextNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
};

// The help button: hidden whenever its state is reset.
class PTHelpButtonNvx : public CallbackButtonNvx {
 public:
  void ResetStatus() override;
};

}  // namespace OVQ_PDE_NS
