// The standard control kinds on Qt widgets: check box (QAbstractButton),
// radio button and its group (QRadioButton), pop-up (QComboBox: item data is
// the item's key, items enabled one by one), button (QPushButton), group box,
// installable-option control and version text (QLabel).
#pragma once
#include <QGroupBox>
#include <QPointer>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base_control.h"
#include "constraint_hash.h"

namespace OVQ_PDE_NS {

// Sets the visible text of a label, button, text field, group box or time field.
void SetElementText(QWidget* element, const QString& text);

// What numeric controls share: a 4-byte value (check box, radio button: 0 or
// 1; pop-up: the 1-based index of the selected item), their initial-data record,
// "%d" as preference and ticket text.
class NumericControlNvx : public BaseControlNvx {
 public:
  int ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) override;
  // Text that is not a number reads as 0.
  int ConvertFromPreferenceString(const char* text) override;
  int ConvertToTickectData(TicketText& text) override;
  // The integer stored under the ticket key in the print settings: 1 when there is one.
  int GetValueToPreset() override;
  const uint8_t* GetDefaultDataBlk() const override;
  size_t GetDefaultDataSize() const override { return iniData_ == nullptr ? 0 : sizeof(int32_t); }
  const uint8_t* GetIniDataBlk() const override;
  size_t GetIniDataSize() const override { return iniData_ == nullptr ? 0 : sizeof(int32_t); }
  int32_t GetValue() const { return ReadInt(ctrlDataBlkPtr); }
  void SetValue(int32_t value) { WriteInt(ctrlDataBlkPtr, value); }
  const ControlIniData* GetIniData() const { return iniData_; }

 protected:
  int CreateNumeric(QWidget* element, const ControlIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName);
  void AllocateBlocks();

  const ControlIniData* iniData_ = nullptr;
};

class CheckBoxNvx : public NumericControlNvx {
 public:
  int CheckBox(QWidget* element, const ControlIniData* ini, const ConstraintRecord* constrain, const AccessInfo* access,
               const char* userName) {
    return CreateNumeric(element, ini, constrain, access, userName);
  }
  // The title from the title key; fails without a bundle or a key.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;
  const uint8_t* GetValueFromUI() override;
  int SetControlValueToUI() override;
  int SetExternalValueToUI(const void* data, size_t size) override;
  void DoControlUpdateConstrain() override;
  void DoControlHideConstrain() override;
  // Disables the new value's list, enables the previous value's, and records
  // the value applied as the previous one of the next reaction.
  void DoControlConstrain() override;

 protected:
  int32_t ElementValue() const;
  void SetElementValue(int32_t value);
  int32_t Previous() const { return ReadInt(ctrlUIDataBlkPtr); }
};

class RadioButtonNvx;

// The radio buttons of one choice: the current member's index, -1 when none.
class RadioGroupNvx {
 public:
  int RadioGroup() {
    members_.clear();
    current_ = -1;
    return kControlSuccess;
  }
  // Appends the button; its position in the group.
  int AddMember(RadioButtonNvx* button);
  // Accepts only 0 <= index < member count.
  int SetcurRadio(int index);
  int GetcurRadio() const { return current_; }
  int GetMemberCount() const { return static_cast<int>(members_.size()); }
  RadioButtonNvx* GetMember(int index) const;
  int IndexOf(const RadioButtonNvx* button) const;
  // The member whose element is on becomes current; with none on, a negative
  // current index becomes 0.
  void SyncCurrentFromElements();

 private:
  std::vector<RadioButtonNvx*> members_;
  int current_ = -1;
};

class RadioButtonNvx : public CheckBoxNvx {
 public:
  int RadioButton(QWidget* element, const ControlIniData* ini, const ConstraintRecord* constrain,
                  const AccessInfo* access, const char* userName) {
    return CreateNumeric(element, ini, constrain, access, userName);
  }
  // Joins `group`. Systems from 0x1080 on turn the other buttons of a group off
  // themselves (Qt's auto-exclusive radio buttons); older ones leave it to Update.
  void SetCtrlGrp(RadioGroupNvx* group);
  RadioGroupNvx* GetCtrlGrp() const { return group_; }
  int GetRadioIndex() const { return group_ == nullptr ? -1 : group_->IndexOf(this); }
  // Makes this button the group's current one.
  void SetGrpcurRadio();
  // A user's click always leaves a radio button on.
  void RequestControlAction() override;
  void UIEventHandler() override;
  void SimulationUIEventHandler() override;
  // Turns the button off when it is not the group's current one (from 0x1080
  // on whenever it is not current; before, only when it is on) and reacts.
  int Update() override;
  int GetValueToPreset() override;

 private:
  RadioGroupNvx* group_ = nullptr;
  bool reacting_ = false;
};

class PopupControlNvx : public NumericControlNvx {
 public:
  int CreateControl(QWidget* element, const ControlIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName) {
    return CreateNumeric(element, ini, constrain, access, userName);
  }
  // Items from the item keys: the localized key as title (the key itself
  // without translation), the key as item data; every item enabled.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;
  const uint8_t* GetValueFromUI() override;
  int SetControlValueToUI() override;
  // Values below 1 select the first item.
  int SetExternalValueToUI(const void* data, size_t size) override;
  int GetCurrentControlArrayNumber() const override;
  int32_t CurrentListIndex() const override { return GetValue() - 1; }
  // The value the element shows now: the selected index + 1 (0 without a selection).
  virtual int32_t UIValue() const { return GetCurrentControlArrayNumber() + 1; }
  void DoControlUpdateConstrain() override;
  void DoControlHideConstrain() override;
  void DoControlConstrain() override;
  // The keys of the items, in order.
  std::vector<std::string> RequestPopupList() const;
  bool isChoiceConflicted(const XppdHash* hash, const char* option, const char* choice, ppd_file_t* ppd) const;
  // Item state (items count from 0).
  void SetItemEnabled(int index, bool enabled);
  bool IsItemEnabled(int index) const;

 protected:
  // Selected index + 1, at least 1: the value the constraint lists see.
  int32_t ReactionValue() const;
  void SelectValue(int32_t value);
};

class BaseButtonNvx : public BaseControlNvx {
 public:
  int CreateControl(QWidget* element, const char* titleKey);
  // The title key localized; fails without a bundle or a key.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;

 protected:
  const char* titleKey_ = nullptr;
};

// A button whose action is a function of the panel's (target/action as a closure).
class CallbackButtonNvx : public BaseButtonNvx {
 public:
  int CreateControl(QWidget* element, const char* titleKey, std::function<void()> action);
  void RequestControlAction() override;

 private:
  std::function<void()> action_;
};

// A titled box; not a control.
class GroupBoxControlNvx {
 public:
  int CreateControl(QGroupBox* box, const char* titleKey);
  int InitializeCtrl(const Bundle* bundle, const std::string& table);
  QGroupBox* GetBox() const { return box_; }

 private:
  QPointer<QGroupBox> box_;
  const char* titleKey_ = nullptr;
};

// One row of an installable-option table: the IDs to disable while the marked
// choice of the main keyword begins with `choice`.
struct InstallableRow {
  const char* choice = nullptr;
  ControlIDList ids;
};

inline constexpr int kInstallableConstrained = 1000;

class InstallableControlNvx : public BaseControlNvx {
 public:
  int CreateControl(const char* keyword, std::span<const InstallableRow> table);
  // At the first row whose choice the marked choice begins with, disables the
  // row's IDs: 1000; 0 otherwise.
  int ConstrainPanelControlFromPPD(ppd_file_t* ppd) override;

 private:
  const char* keyword_ = nullptr;
  std::span<const InstallableRow> table_;
};

class VersionStringSTextNvx : public BaseControlNvx {
 public:
  int CreateControl(QWidget* element, const char* titleKey, bool cdfSupported);
  // "Ver." and the bundle's CFBundleVersion with " Build " as "."; a further
  // "." without CDF support. Hidden.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  // Hidden again before 0x1070.
  void ResetStatus() override;
  // The text for a bundle version.
  static std::string VersionText(const std::string& bundleVersion, bool cdfSupported);

 private:
  const char* titleKey_ = nullptr;
  bool cdfSupported_ = true;
};

}  // namespace OVQ_PDE_NS
