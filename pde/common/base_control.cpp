#include "base_control.h"

#include <cstring>

#include "base_panel.h"
#include "preferences.h"
#include "qsp.h"
#include "settings_access.h"
#include "system_access.h"
#include "text_encoding.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

ControlIDList ListAt(std::span<const ControlIDList> lists, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= lists.size()) return {};
  return lists[static_cast<size_t>(index)];
}

bool NeedsByteNumberForm(std::string_view text) {
  return (!text.empty() && text.front() == '/') || text.find_first_of("',\\") != std::string_view::npos;
}

}  // namespace

std::string TicketTextForm(std::string_view text) {
  if (!NeedsByteNumberForm(text)) return std::string(text);
  std::string form;
  for (unsigned char byte : text) form += "/" + std::to_string(byte);
  return form;
}

BaseControlNvx::~BaseControlNvx() { QObject::disconnect(action_); }

int BaseControlNvx::CreateControl(QWidget* element) {
  ControlPtr = element;
  ctrlInWhichGroup = -1;
  ctrlDataSize = 0;
  ctrlDataBlkPtr.clear();
  ctrlUIDataBlkPtr.clear();
  ctrlConstrainCount = 0;
  ctrlHideCount = 0;
  return kControlSuccess;
}

void BaseControlNvx::SetRecords(const ConstraintRecord* constrain, const AccessInfo* access, const char* userName) {
  ctrlConstrainControlArray = constrain;
  ctrlDataAccessInfoPtr = access;
  userNameinPreference = userName != nullptr ? userName : kCFPreferencesCurrentUser;
}

void BaseControlNvx::setTargetandAction() {}

int BaseControlNvx::InitializeCtrl(const Bundle*, ppd_file_t*) { return kControlSuccess; }

int32_t BaseControlNvx::GetControlID() const { return TagOf(ControlPtr); }

const Bundle* BaseControlNvx::GetBundle() const {
  return ctrlParentPanelPtr == nullptr ? nullptr : ctrlParentPanelPtr->GetPDEBundleRef();
}

std::string BaseControlNvx::GetLocalizeTableName() const {
  if (!LocalizeTableName.empty() || ctrlParentPanelPtr == nullptr) return LocalizeTableName;
  return ctrlParentPanelPtr->GetLocalizeTableName();
}

std::string BaseControlNvx::Localize(const char* key) const {
  const Bundle* bundle = GetBundle();
  if (bundle == nullptr || key == nullptr) return kNoTranslation;
  return bundle->LocalizedString(key, kNoTranslation, GetLocalizeTableName());
}

int BaseControlNvx::InvalidateDataOnPrintCommand() {
  int pre = PreInvalidateData();
  int full = InvalidateData();
  return pre == kControlSuccess && full == kControlSuccess ? kControlSuccess : kControlFailure;
}

int BaseControlNvx::SetValueFromUIToControl() {
  if (ctrlDataSize == 0) return kControlSuccess;
  size_t size = std::min<size_t>({ctrlDataSize, ctrlUIDataBlkPtr.size(), ctrlDataBlkPtr.size()});
  std::memcpy(ctrlDataBlkPtr.data(), ctrlUIDataBlkPtr.data(), size);
  return kControlSuccess;
}

int BaseControlNvx::SetUIValueToIniData() {
  const uint8_t* ini = GetIniDataBlk();
  size_t size = GetIniDataSize();
  if (ini == nullptr || ctrlUIDataBlkPtr.empty() || size == 0) return kControlFailure;
  size = std::min(size, ctrlUIDataBlkPtr.size());
  std::memcpy(ctrlUIDataBlkPtr.data(), ini, size);
  ctrlDataSize = static_cast<uint32_t>(ctrlUIDataBlkPtr.size());
  return kControlSuccess;
}

int BaseControlNvx::SetControlValueToDefault() {
  const uint8_t* value = GetDefaultDataBlk();
  size_t size = GetDefaultDataSize();
  if (value == nullptr || ctrlDataBlkPtr.empty() || size == 0) return kControlFailure;
  size = std::min(size, ctrlDataBlkPtr.size());
  std::memcpy(ctrlDataBlkPtr.data(), value, size);
  ctrlDataSize = static_cast<uint32_t>(ctrlDataBlkPtr.size());
  return kControlSuccess;
}

int32_t BaseControlNvx::ReadInt(const ValueBlock& block) {
  int32_t value = 0;
  if (block.size() >= sizeof value) std::memcpy(&value, block.data(), sizeof value);
  return value;
}

void BaseControlNvx::WriteInt(ValueBlock& block, int32_t value) {
  if (block.size() >= sizeof value) std::memcpy(block.data(), &value, sizeof value);
}

bool BaseControlNvx::ReadExternalInt(const void* data, size_t size, int32_t* value) {
  if (data == nullptr || size < sizeof *value) return false;
  std::memcpy(value, data, sizeof *value);
  return true;
}

const char* BaseControlNvx::TextOf(const ValueBlock& block) {
  if (block.empty() || block.back() != 0) return "";
  return reinterpret_cast<const char*>(block.data());
}

void BaseControlNvx::WriteText(ValueBlock& block, std::string_view utf8) {
  if (block.empty()) return;
  std::fill(block.begin(), block.end(), 0);
  std::string_view text = CutUTF8(utf8.substr(0, utf8.find('\0')), block.size() - 1);
  std::memcpy(block.data(), text.data(), text.size());
}

int BaseControlNvx::setExternalValueToData(const void* data, size_t size, int valueType) {
  if (data == nullptr) return kControlFailure;
  if (valueType == 0) {
    ValueBlock text(kTextBlockSize, 0);
    std::memcpy(text.data(), data, std::min(size, kTextBlockSize - 1));
    ctrlDataBlkPtr = std::move(text);
    return kControlSuccess;
  }
  if (valueType == 2 && size >= sizeof(int32_t)) {
    if (ctrlDataBlkPtr.size() < sizeof(int32_t)) ctrlDataBlkPtr.assign(sizeof(int32_t), 0);
    std::memcpy(ctrlDataBlkPtr.data(), data, sizeof(int32_t));
    return kControlSuccess;
  }
  return kControlFailure;
}

int BaseControlNvx::SetDefaultValueToUI() { return SetExternalValueToUI(GetDefaultDataBlk(), GetDefaultDataSize()); }

// ---- constraint lists -----------------------------------------------------

ControlIDList BaseControlNvx::DisableList(int32_t index) const {
  return ctrlConstrainControlArray == nullptr ? ControlIDList{} : ListAt(ctrlConstrainControlArray->disable, index);
}

ControlIDList BaseControlNvx::HideList(int32_t index) const {
  return ctrlConstrainControlArray == nullptr ? ControlIDList{} : ListAt(ctrlConstrainControlArray->hide, index);
}

ControlIDList BaseControlNvx::UpdateList(int32_t index) const {
  return ctrlConstrainControlArray == nullptr ? ControlIDList{} : ListAt(ctrlConstrainControlArray->update, index);
}

void BaseControlNvx::ForEachControl(ControlIDList ids, void (BaseControlNvx::*operation)()) {
  if (ctrlParentPanelPtr == nullptr) return;
  for (int32_t id : ids) {
    if (BaseControlNvx* control = ctrlParentPanelPtr->GetPanelControl(id)) (control->*operation)();
  }
}

void BaseControlNvx::HideControlConstrains(ControlIDList ids) { ForEachControl(ids, &BaseControlNvx::Hide); }
void BaseControlNvx::ShowControlConstrains(ControlIDList ids) { ForEachControl(ids, &BaseControlNvx::Show); }
void BaseControlNvx::EnableControlConstrains(ControlIDList ids) { ForEachControl(ids, &BaseControlNvx::Enable); }
void BaseControlNvx::DisableControlConstrains(ControlIDList ids) { ForEachControl(ids, &BaseControlNvx::Disable); }

void BaseControlNvx::HideControlConstrains() { HideControlConstrains(HideList(CurrentListIndex())); }
void BaseControlNvx::ShowControlConstrains() { ShowControlConstrains(HideList(CurrentListIndex())); }
void BaseControlNvx::DisableControlConstrains() { DisableControlConstrains(DisableList(CurrentListIndex())); }
void BaseControlNvx::EnableControlConstrains() { EnableControlConstrains(DisableList(CurrentListIndex())); }

void BaseControlNvx::DoControlUpdateConstrain() {
  int32_t index = GetCurrentControlArrayNumber();
  for (int32_t id : UpdateList(index < 0 ? 0 : index)) {
    if (ctrlParentPanelPtr == nullptr) return;
    if (BaseControlNvx* control = ctrlParentPanelPtr->GetPanelControl(id)) control->Update();
  }
}

void BaseControlNvx::UIEventHandler() {
  DoControlUpdateConstrain();
  DoSelfUpdate();
  DoControlHideConstrain();
  DoControlConstrain();
}

void BaseControlNvx::ReactUpdate(int32_t value, int32_t previous) {
  if (value != previous) BaseControlNvx::DoControlUpdateConstrain();
}

void BaseControlNvx::ReactHide(int32_t value, int32_t previous, int32_t offset) {
  if (value == previous) return;
  HideControlConstrains(HideList(value - offset));
  if (previous - offset >= 0) ShowControlConstrains(HideList(previous - offset));
}

void BaseControlNvx::RequestControlAction() {
  UIEventHandler();
  GetValueFromUI();
}

// ---- counted state ----------------------------------------------------------

void BaseControlNvx::Disable() {
  if (++ctrlConstrainCount >= 1 && ControlPtr != nullptr) ControlPtr->setEnabled(false);
}

void BaseControlNvx::Enable() {
  if (--ctrlConstrainCount <= 0 && ControlPtr != nullptr) ControlPtr->setEnabled(true);
}

void BaseControlNvx::Hide() {
  if (++ctrlHideCount >= 1 && ControlPtr != nullptr) ControlPtr->setHidden(true);
}

void BaseControlNvx::Show() {
  if (--ctrlHideCount <= 0 && ControlPtr != nullptr) ControlPtr->setHidden(false);
}

void BaseControlNvx::PPDCtrlShow() {
  if (ControlPtr != nullptr) ControlPtr->setHidden(false);
}

void BaseControlNvx::PPDCtrlHide() {
  if (ControlPtr != nullptr) ControlPtr->setHidden(true);
}

void BaseControlNvx::ResetStatus() {
  ctrlConstrainCount = 0;
  ctrlHideCount = 0;
  if (ControlPtr == nullptr) return;
  ControlPtr->setEnabled(true);
  ControlPtr->setHidden(false);
}

// ---- remembered values ------------------------------------------------------

bool BaseControlNvx::StorageKey(std::string* key) const {
  const char* printer = ctrlParentPanelPtr == nullptr ? nullptr : ctrlParentPanelPtr->GetCurrentPrinterString();
  return CreateKeyWithCurrentPrinter(ctrlDataAccessInfoPtr->preferenceKey, printer != nullptr ? printer : "", key);
}

bool BaseControlNvx::MayWritePreference() const {
  return userNameinPreference == kCFPreferencesCurrentUser || IsUserAdmin();
}

int BaseControlNvx::SetValueToPreference() {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->preferenceKey == nullptr) return kControlSuccess;
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::string key;
  char text[kPreferenceTextSize] = {};
  if (!StorageKey(&key) || ConvertToPreferenceString(text) != kControlSuccess) return kControlFailure;
  if (!MayWritePreference() || GetSystemVersion() >= kSystemVersion1070) return kControlSuccess;
  CFPreferencesSetValue(key.c_str(), text, kCFPreferencesAnyApplication, userNameinPreference.c_str(),
                        kCFPreferencesCurrentHost);
  return CFPreferencesSynchronize(kCFPreferencesAnyApplication, userNameinPreference.c_str(), kCFPreferencesCurrentHost)
             ? kControlSuccess
             : kControlFailure;
}

int BaseControlNvx::GetValueFromPreference() {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->preferenceKey == nullptr) return kControlSuccess;
  if (ctrlDataBlkPtr.empty() || GetSystemVersion() >= kSystemVersion1070) return kControlFailure;
  std::string key;
  if (!StorageKey(&key)) return kControlFailure;
  std::optional<std::string> value = CFPreferencesCopyValue(key.c_str(), kCFPreferencesAnyApplication,
                                                            userNameinPreference.c_str(), kCFPreferencesCurrentHost);
  if (!value) return kControlFailure;
  return ConvertFromPreferenceString(std::string(CutUTF8(*value, kPreferenceTextSize - 1)).c_str());
}

int BaseControlNvx::SetValueToPreferenceWithPrinterSettings() {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->preferenceKey == nullptr) return kControlSuccess;
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::string key;
  char text[kPreferenceTextSize] = {};
  if (!StorageKey(&key) || ConvertToPreferenceString(text) != kControlSuccess) return kControlFailure;
  PMPrintSettings settings = ctrlParentPanelPtr->GetCurrentPMPrintSettings();
  if (!MayWritePreference() || settings == nullptr) return kControlSuccess;
  return PMPrintSettingsSetValue(settings, key.c_str(), text, false) == kHostNoErr ? kControlSuccess : kControlFailure;
}

int BaseControlNvx::GetValueFromPreferenceWithPrinterSettings() {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->preferenceKey == nullptr) return kControlSuccess;
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  std::string key;
  std::string value;
  if (!StorageKey(&key)) return kControlFailure;
  if (PMPrintSettingsGetValue(ctrlParentPanelPtr->GetCurrentPMPrintSettings(), key.c_str(), &value) != kHostNoErr) {
    return kControlFailure;
  }
  return ConvertFromPreferenceString(std::string(CutUTF8(value, kPreferenceTextSize - 1)).c_str());
}

// ---- ticket values ---------------------------------------------------------

int BaseControlNvx::SetValueToTicket(PMPrintSettings settings, bool locked) {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->ticketKey == nullptr) return kControlFailure;
  TicketText text = {};
  if (ConvertToTickectData(text) != kControlSuccess) return kControlFailure;
  std::string form = IsOutputNullToTicket() ? std::string() : TicketTextForm(text);
  return SetValueToSettingsWithTicketKeyAndLock(form.c_str(), settings, ctrlDataAccessInfoPtr->ticketKey, locked) ==
                 kHostNoErr
             ? kControlSuccess
             : kControlFailure;
}

int BaseControlNvx::SetValueToTicketWithQSPEnc(PMPrintSettings settings, bool locked) {
  if (ctrlDataAccessInfoPtr == nullptr || ctrlDataAccessInfoPtr->ticketKey == nullptr) return kControlFailure;
  TicketText text = {};
  if (ConvertToTickectData(text) != kControlSuccess) return kControlFailure;
  char encoded[kTextBlockSize] = {};
  if (!QSPEncodeTicketText(text, encoded)) return kControlFailure;
  if (IsOutputNullToTicket()) encoded[0] = '\0';
  return SetValueToSettingsWithTicketKeyAndLock(encoded, settings, ctrlDataAccessInfoPtr->ticketKey, locked) ==
                 kHostNoErr
             ? kControlSuccess
             : kControlFailure;
}

int BaseControlNvx::SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray) {
  if (encryptArray != nullptr && HasTag(ControlPtr)) {
    for (const QPointer<QWidget>& element : *encryptArray) {
      if (HasTag(element) && TagOf(element) == TagOf(ControlPtr)) return SetValueToTicketWithQSPEnc(settings, locked);
    }
  }
  return SetValueToTicket(settings, locked);
}

}  // namespace OVQ_PDE_NS
