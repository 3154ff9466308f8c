#include "controls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base_panel.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

void SetElementText(QWidget* element, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(element)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(element)) {
    button->setText(text);
  } else if (auto* field = qobject_cast<QLineEdit*>(element)) {
    field->setText(text);
  } else if (auto* box = qobject_cast<QGroupBox*>(element)) {
    box->setTitle(text);
  } else if (element != nullptr) {
    element->setProperty("text", text);
  }
}

// ---- numeric controls -------------------------------------------------------

int NumericControlNvx::CreateNumeric(QWidget* element, const ControlIniData* ini, const ConstraintRecord* constrain,
                                     const AccessInfo* access, const char* userName) {
  BaseControlNvx::CreateControl(element);
  iniData_ = ini;
  SetRecords(constrain, access, userName);
  return kControlSuccess;
}

void NumericControlNvx::AllocateBlocks() {
  // A re-initialization keeps the value.
  if (ctrlDataBlkPtr.size() != sizeof(int32_t)) ctrlDataBlkPtr.assign(sizeof(int32_t), 0);
  if (ctrlUIDataBlkPtr.size() != sizeof(int32_t)) ctrlUIDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlDataSize = sizeof(int32_t);
}

const uint8_t* NumericControlNvx::GetDefaultDataBlk() const {
  return iniData_ == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(&iniData_->defaultValue);
}

const uint8_t* NumericControlNvx::GetIniDataBlk() const {
  return iniData_ == nullptr ? nullptr : reinterpret_cast<const uint8_t*>(&iniData_->initialValue);
}

int NumericControlNvx::ConvertToPreferenceString(char (&text)[kPreferenceTextSize]) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::snprintf(text, sizeof text, "%d", GetValue());
  return kControlSuccess;
}

int NumericControlNvx::ConvertFromPreferenceString(const char* text) {
  if (ctrlDataBlkPtr.empty() || text == nullptr) return kControlFailure;
  SetValue(static_cast<int32_t>(std::strtol(text, nullptr, 10)));
  return kControlSuccess;
}

int NumericControlNvx::ConvertToTickectData(TicketText& text) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::snprintf(text, sizeof text, "%d", GetValue());
  return kControlSuccess;
}

int NumericControlNvx::GetValueToPreset() {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->ticketKey == nullptr || ctrlDataBlkPtr.empty() ||
      ctrlParentPanelPtr == nullptr) {
    return kControlFailure;
  }
  std::string text;
  if (PMPrintSettingsGetValue(ctrlParentPanelPtr->GetCurrentPMPrintSettings(), ctrlDataAccessInfoPtr->ticketKey,
                              &text) != kHostNoErr) {
    return kControlFailure;
  }
  return ConvertFromPreferenceString(text.c_str());
}

// ---- check box ---------------------------------------------------------------

int CheckBoxNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t*) {
  if (bundle == nullptr || iniData_ == nullptr || iniData_->titleKey == nullptr) return kControlFailure;
  AllocateBlocks();
  SetElementText(ControlPtr, QString::fromStdString(
                                 bundle->LocalizedString(iniData_->titleKey, kNoTranslation, GetLocalizeTableName())));
  return kControlSuccess;
}

void CheckBoxNvx::setTargetandAction() { ConnectAction<QAbstractButton>(&QAbstractButton::clicked); }

int32_t CheckBoxNvx::ElementValue() const {
  auto* button = qobject_cast<QAbstractButton*>(ControlPtr);
  return button != nullptr && button->isChecked() ? 1 : 0;
}

void CheckBoxNvx::SetElementValue(int32_t value) {
  if (auto* button = qobject_cast<QAbstractButton*>(ControlPtr)) button->setChecked(value != 0);
}

const uint8_t* CheckBoxNvx::GetValueFromUI() {
  if (ctrlUIDataBlkPtr.empty() || ControlPtr == nullptr) return nullptr;
  WriteInt(ctrlUIDataBlkPtr, ElementValue());
  return ctrlUIDataBlkPtr.data();
}

int CheckBoxNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  SetElementValue(GetValue());
  return kControlSuccess;
}

int CheckBoxNvx::SetExternalValueToUI(const void* data, size_t size) {
  int32_t value = 0;
  if (ControlPtr == nullptr || !ReadExternalInt(data, size, &value)) return kControlFailure;
  SetElementValue(value);
  return kControlSuccess;
}

void CheckBoxNvx::DoControlUpdateConstrain() { ReactUpdate(ElementValue(), Previous()); }

void CheckBoxNvx::DoControlHideConstrain() { ReactHide(ElementValue(), Previous(), 0); }

void CheckBoxNvx::DoControlConstrain() {
  int32_t value = ElementValue();
  int32_t previous = Previous();
  if (value == previous) return;
  DisableControlConstrains(DisableList(value));
  if (previous >= 0) EnableControlConstrains(DisableList(previous));
  WriteInt(ctrlUIDataBlkPtr, value);
}

// ---- radio buttons ------------------------------------------------------------

int RadioGroupNvx::AddMember(RadioButtonNvx* button) {
  members_.push_back(button);
  return static_cast<int>(members_.size()) - 1;
}

int RadioGroupNvx::SetcurRadio(int index) {
  if (index < 0 || index >= GetMemberCount()) return kControlFailure;
  current_ = index;
  return kControlSuccess;
}

RadioButtonNvx* RadioGroupNvx::GetMember(int index) const {
  return index < 0 || index >= GetMemberCount() ? nullptr : members_[static_cast<size_t>(index)];
}

int RadioGroupNvx::IndexOf(const RadioButtonNvx* button) const {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (members_[i] == button) return static_cast<int>(i);
  }
  return -1;
}

void RadioGroupNvx::SyncCurrentFromElements() {
  for (size_t i = 0; i < members_.size(); ++i) {
    auto* element = qobject_cast<QAbstractButton*>(members_[i]->GetControlPtr());
    if (element != nullptr && element->isChecked()) {
      current_ = static_cast<int>(i);
      return;
    }
  }
  if (current_ < 0) SetcurRadio(0);
}

void RadioButtonNvx::SetCtrlGrp(RadioGroupNvx* group) {
  group_ = group;
  if (group_ != nullptr) group_->AddMember(this);
  if (auto* radio = qobject_cast<QRadioButton*>(ControlPtr)) {
    radio->setAutoExclusive(GetSystemVersion() >= kSystemVersion1080);
  }
}

void RadioButtonNvx::SetGrpcurRadio() {
  if (group_ != nullptr) group_->SetcurRadio(GetRadioIndex());
}

void RadioButtonNvx::RequestControlAction() {
  SetElementValue(1);
  CheckBoxNvx::RequestControlAction();
}

void RadioButtonNvx::UIEventHandler() {
  if (ElementValue() == 1) SetGrpcurRadio();
  reacting_ = true;
  CheckBoxNvx::UIEventHandler();
  reacting_ = false;
}

void RadioButtonNvx::SimulationUIEventHandler() {
  if (group_ != nullptr) group_->SyncCurrentFromElements();
  reacting_ = true;
  CheckBoxNvx::UIEventHandler();
  reacting_ = false;
}

int RadioButtonNvx::Update() {
  if (reacting_ || group_ == nullptr || group_->GetcurRadio() == GetRadioIndex()) return 0;
  bool on = ElementValue() == 1;
  if (GetSystemVersion() < kSystemVersion1080 && !on) return 0;
  SetElementValue(0);
  reacting_ = true;
  CheckBoxNvx::UIEventHandler();
  reacting_ = false;
  return 0;
}

int RadioButtonNvx::GetValueToPreset() {
  int result = CheckBoxNvx::GetValueToPreset();
  if (result == kControlSuccess) SetElementValue(GetValue());
  return result;
}

// ---- pop-up --------------------------------------------------------------------

int PopupControlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t*) {
  AllocateBlocks();
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (menu == nullptr || iniData_ == nullptr) return kControlFailure;
  menu->clear();
  for (const char* key : iniData_->itemKeys) {
    if (key == nullptr) break;
    std::string title =
        bundle == nullptr ? kNoTranslation : bundle->LocalizedString(key, kNoTranslation, GetLocalizeTableName());
    if (title == kNoTranslation) title = key;
    menu->addItem(QString::fromStdString(title), QString::fromUtf8(key));
  }
  return kControlSuccess;
}

void PopupControlNvx::setTargetandAction() { ConnectAction<QComboBox>(&QComboBox::activated); }

int PopupControlNvx::GetCurrentControlArrayNumber() const {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  return menu == nullptr ? -1 : menu->currentIndex();
}

int32_t PopupControlNvx::ReactionValue() const { return std::max(1, UIValue()); }

void PopupControlNvx::SelectValue(int32_t value) {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (menu == nullptr || menu->count() == 0) return;
  int index = value < 1 || value > menu->count() ? 0 : value - 1;
  menu->setCurrentIndex(index);
}

const uint8_t* PopupControlNvx::GetValueFromUI() {
  if (ctrlUIDataBlkPtr.empty() || ControlPtr == nullptr) return nullptr;
  WriteInt(ctrlUIDataBlkPtr, UIValue());
  return ctrlUIDataBlkPtr.data();
}

int PopupControlNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  SelectValue(GetValue());
  return kControlSuccess;
}

int PopupControlNvx::SetExternalValueToUI(const void* data, size_t size) {
  int32_t value = 0;
  if (ControlPtr == nullptr || !ReadExternalInt(data, size, &value)) return kControlFailure;
  SelectValue(value);
  return kControlSuccess;
}

void PopupControlNvx::DoControlUpdateConstrain() { ReactUpdate(ReactionValue(), ReadInt(ctrlUIDataBlkPtr)); }

void PopupControlNvx::DoControlHideConstrain() { ReactHide(ReactionValue(), ReadInt(ctrlUIDataBlkPtr), 1); }

void PopupControlNvx::DoControlConstrain() {
  int32_t value = ReactionValue();
  int32_t previous = ReadInt(ctrlUIDataBlkPtr);
  if (value == previous) return;
  if (previous >= 1) EnableControlConstrains(DisableList(previous - 1));
  WriteInt(ctrlUIDataBlkPtr, UIValue());
  DisableControlConstrains(DisableList(value - 1));
}

std::vector<std::string> PopupControlNvx::RequestPopupList() const {
  std::vector<std::string> keys;
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  for (int i = 0; menu != nullptr && i < menu->count(); ++i) keys.push_back(menu->itemData(i).toString().toStdString());
  return keys;
}

bool PopupControlNvx::isChoiceConflicted(const XppdHash* hash, const char* option, const char* choice,
                                         ppd_file_t* ppd) const {
  return IsPPDChoiceConflicted(ppd, hash, option, choice);
}

void PopupControlNvx::SetItemEnabled(int index, bool enabled) {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  auto* model = menu == nullptr ? nullptr : qobject_cast<QStandardItemModel*>(menu->model());
  QStandardItem* item = model == nullptr ? nullptr : model->item(index);
  if (item != nullptr) item->setEnabled(enabled);
}

bool PopupControlNvx::IsItemEnabled(int index) const {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  auto* model = menu == nullptr ? nullptr : qobject_cast<QStandardItemModel*>(menu->model());
  QStandardItem* item = model == nullptr ? nullptr : model->item(index);
  return item != nullptr && item->isEnabled();
}

// ---- buttons, boxes, installable options, version text -------------------------------

int BaseButtonNvx::CreateControl(QWidget* element, const char* titleKey) {
  BaseControlNvx::CreateControl(element);
  titleKey_ = titleKey;
  return kControlSuccess;
}

int BaseButtonNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t*) {
  if (bundle == nullptr || titleKey_ == nullptr) return kControlFailure;
  SetElementText(ControlPtr,
                 QString::fromStdString(bundle->LocalizedString(titleKey_, kNoTranslation, GetLocalizeTableName())));
  return kControlSuccess;
}

void BaseButtonNvx::setTargetandAction() { ConnectAction<QAbstractButton>(&QAbstractButton::clicked); }

int CallbackButtonNvx::CreateControl(QWidget* element, const char* titleKey, std::function<void()> action) {
  BaseButtonNvx::CreateControl(element, titleKey);
  action_ = std::move(action);
  return kControlSuccess;
}

void CallbackButtonNvx::RequestControlAction() {
  if (action_) action_();
}

int GroupBoxControlNvx::CreateControl(QGroupBox* box, const char* titleKey) {
  box_ = box;
  titleKey_ = titleKey;
  return kControlSuccess;
}

int GroupBoxControlNvx::InitializeCtrl(const Bundle* bundle, const std::string& table) {
  if (box_ == nullptr || bundle == nullptr || titleKey_ == nullptr) return kControlFailure;
  box_->setTitle(QString::fromStdString(bundle->LocalizedString(titleKey_, kNoTranslation, table)));
  return kControlSuccess;
}

int InstallableControlNvx::CreateControl(const char* keyword, std::span<const InstallableRow> table) {
  BaseControlNvx::CreateControl(nullptr);
  keyword_ = keyword;
  table_ = table;
  return kControlSuccess;
}

int InstallableControlNvx::ConstrainPanelControlFromPPD(ppd_file_t* ppd) {
  if (ppd == nullptr || keyword_ == nullptr) return 0;
  ppd_choice_t* marked = ppdFindMarkedChoice(ppd, keyword_);
  if (marked == nullptr) return 0;
  for (const InstallableRow& row : table_) {
    if (row.choice == nullptr) break;
    if (std::strncmp(marked->choice, row.choice, std::strlen(row.choice)) == 0) {
      DisableControlConstrains(row.ids);
      return kInstallableConstrained;
    }
  }
  return 0;
}

int VersionStringSTextNvx::CreateControl(QWidget* element, const char* titleKey, bool cdfSupported) {
  BaseControlNvx::CreateControl(element);
  titleKey_ = titleKey;
  cdfSupported_ = cdfSupported;
  return kControlSuccess;
}

std::string VersionStringSTextNvx::VersionText(const std::string& bundleVersion, bool cdfSupported) {
  std::string version = bundleVersion;
  for (size_t at = version.find(" Build "); at != std::string::npos; at = version.find(" Build ", at + 1)) {
    version.replace(at, 7, ".");
  }
  return "Ver." + version + (cdfSupported ? "" : ".");
}

int VersionStringSTextNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t*) {
  if (bundle == nullptr || ControlPtr == nullptr) return kControlFailure;
  SetElementText(ControlPtr, QString::fromStdString(VersionText(bundle->InfoValue("CFBundleVersion"), cdfSupported_)));
  PPDCtrlHide();
  return kControlSuccess;
}

void VersionStringSTextNvx::ResetStatus() {
  BaseControlNvx::ResetStatus();
  if (GetSystemVersion() < kSystemVersion1070) PPDCtrlHide();
}

}  // namespace OVQ_PDE_NS
