#include "image_controls.h"

#include <QComboBox>
#include <cstring>

#include "image_options_panel.h"
#include "ppd_access.h"
#include "product_checker.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

namespace {

constexpr size_t kAttributeBuffer = 256;
// "OVXMailBoxSettings" names the mailbox output mode from its fifth character on ("100-Standard").
constexpr size_t kMailBoxChoiceOffset = 4;

void ReportPresence(const char* keyword, bool present) {
  if (keyword != nullptr) CPPDChecker::Instance().AddCheck(keyword, present);
}

}  // namespace

ImageOptionsOvqPDEj15* OwningPanel(const BaseControlNvx& control) {
  return dynamic_cast<ImageOptionsOvqPDEj15*>(TopPanel(control.GetParentPanel()));
}

// ---- lists -----------------------------------------------------------------------------------------

int GPPDListCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = PPDPopupControlNvxImageOptions::InitializeCtrl(bundle, ppd);
  ReportPresence(kPPDMainKey, result == kControlSuccess && !ctrlPPDInfoArrayRef.empty());
  return result;
}

int GOutputModeListCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = GPPDListCtrlNvx::InitializeCtrl(bundle, ppd);
  mailBoxValue_ = 0;
  char keyword[kAttributeBuffer] = {};
  FixPPDKeywordAccordingToType(ppd, "OVXMailBoxSettings", keyword, sizeof keyword);
  ppd_attr_t* attribute = ppd == nullptr ? nullptr : ppdFindAttr_ALT(ppd, keyword);
  if (attribute != nullptr && attribute->value != nullptr && std::strlen(attribute->value) > kMailBoxChoiceOffset) {
    int index = GetIndexByStr(attribute->value + kMailBoxChoiceOffset);
    if (index >= 0) mailBoxValue_ = index + 1;
  }
  return result;
}

bool GOutputModeListCtrlNvx::MailBoxJob() const {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  return mailBoxValue_ > 0 && panel != nullptr && panel->IsPrintTypeSavetoMailbox();
}

const uint8_t* GOutputModeListCtrlNvx::GetValueFromUI() {
  if (!MailBoxJob()) return GPPDListCtrlNvx::GetValueFromUI();
  if (ctrlUIDataBlkPtr.empty()) return nullptr;
  WriteInt(ctrlUIDataBlkPtr, mailBoxValue_);
  return ctrlUIDataBlkPtr.data();
}

int GOutputModeListCtrlNvx::GetValueToPreset() {
  if (!MailBoxJob()) return GPPDListCtrlNvx::GetValueToPreset();
  if (ctrlDataBlkPtr.empty() || !PPDMarkOptionByIndex(PanelPPD(*this), mailBoxValue_ - 1)) return kControlFailure;
  SetValue(mailBoxValue_);
  return kControlSuccess;
}

int GOutputModeListCtrlNvx::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
  GPPDListCtrlNvx::UpdateConflictsPanelControlFromPPD(ppd);
  BaseControlNvx* label =
      ctrlParentPanelPtr == nullptr ? nullptr : ctrlParentPanelPtr->GetPanelControl(ctrlIDTitleExPtr);
  ResetStatus();
  if (label != nullptr) label->ResetStatus();
  if (MailBoxJob()) {
    Disable();
    if (label != nullptr) label->Disable();
  }
  return 0;
}

int GOutputModeListCtrlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (!MailBoxJob()) return GPPDListCtrlNvx::GetSummaryText(summary, order);
  if (static_cast<size_t>(mailBoxValue_) <= ctrlPPDInfoArrayRef.size()) {
    AddSummaryEntry(summary, order, titleTextRef, ctrlPPDInfoArrayRef[static_cast<size_t>(mailBoxValue_ - 1)].title);
  }
  return kControlSuccess;
}

int RGBCorrectionListCtrlNvx::ForcedNoneIndex() const {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  if (panel == nullptr || !panel->IsPrintUnderWay()) return -1;
  if (panel->IsAdvancedSettingAvailable() && panel->IsColorModeAvailable()) return -1;
  return GetIndexByStr("None");
}

int RGBCorrectionListCtrlNvx::SetValueToTicket(PMPrintSettings settings, bool locked) {
  int none = ForcedNoneIndex();
  if (none < 0) return GPPDListCtrlNvx::SetValueToTicket(settings, locked);
  return PPDMarkOptionByIndex(PanelPPD(*this), none) ? kControlSuccess : kControlFailure;
}

int RGBCorrectionListCtrlIANvx::SetValueToTicket(PMPrintSettings, bool) {
  int none = ForcedNoneIndex();
  if (none < 0) return kControlSuccess;
  return PPDMarkOptionByIndex(PanelPPD(*this), none) ? kControlSuccess : kControlFailure;
}

int CMYKTargetMediaListCtrlIANvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  if (ctrlConstrainCount > 0 || panel == nullptr || !panel->IsAdvancedSettingAvailable()) return kControlSuccess;
  // The panel has no CMYK correction list of its own: the window's list holds that option.
  auto* correction = dynamic_cast<const PPDPopupControlNvxImageOptions*>(
      ctrlParentPanelPtr == nullptr ? nullptr : ctrlParentPanelPtr->GetPanelControl(kAdjCMYKCorrectionListTag));
  if (correction != nullptr && correction->GetUISelectStr() == "None") return kControlSuccess;
  return GPPDListCtrlNvx::GetSummaryText(summary, order);
}

int ScreenListCtrlNvx::Update() {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  if (panel == nullptr || panel->IsSyncSetUI()) return 0;
  SetDefaultValueToUI();
  GetValueFromUI();
  if (ppd_file_t* ppd = PanelPPD(*this)) UpdatePanelConflicts(GetParentPanel(), ppd);
  return 0;
}

int PluginTypeListCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = PopupControlNvx::InitializeCtrl(bundle, ppd);
  PPDCtrlHide();
  return result;
}

void PluginTypeListCtrlNvx::ResetStatus() {
  PopupControlNvx::ResetStatus();
  PPDCtrlHide();
}

void PluginTypeListCtrlNvx::SetProductType(int32_t type) {
  type_ = type;
  if (!ctrlDataBlkPtr.empty()) SetValue(type);
}

int PluginTypeListCtrlNvx::GetValueToPreset() {
  if (type_ < 1 || ctrlDataBlkPtr.empty()) return kControlFailure;
  SetValue(type_);
  return kControlSuccess;
}

// ---- brightness --------------------------------------------------------------------------------------

int GPPDSliderBarControlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = PPDSliderBarControlNvxImageOptions::InitializeCtrl(bundle, ppd);
  int32_t count = static_cast<int32_t>(getPPDChoices().size());
  SetRange(-(count / 2), count / 2);
  int defaultIndex = GetUIDefaultValueFromPPD(ppd, kPPDMainKey);
  defaultValue_ = defaultIndex < 0 ? 0 : ValueForChoiceIndex(defaultIndex);
  title_.clear();
  GetUITitleFromPPD(ppd, kPPDMainKey, &title_);
  ReportPresence(kPPDMainKey, result == kControlSuccess && count > 0);
  return result;
}

int GPPDSliderBarControlNvx::ChoiceIndexForValue(int32_t value) const {
  int count = static_cast<int>(getPPDChoices().size());
  if (count == 0 || value < minimum_ || value > maximum_) return -1;
  return std::min(maximum_ - value, count - 1);
}

bool GPPDSliderBarControlNvx::MarkValue(int32_t value) {
  int index = ChoiceIndexForValue(value);
  if (index < 0 || PanelPPD(*this) == nullptr) return true;
  return MarkThroughHost(GetParentPanel(), kPPDMainKey, getPPDChoices()[static_cast<size_t>(index)].choice()->choice);
}

void GPPDSliderBarControlNvx::UIEventHandler() {
  int32_t value = ElementValue();
  int index = ChoiceIndexForValue(value);
  if (index >= 0 && ValueForChoiceIndex(index) != value) {
    value = ValueForChoiceIndex(index);  // a position without a choice
    SetElementValue(value);
  }
  if (ppd_file_t* ppd = PanelPPD(*this)) {
    if (MarkValue(value)) {
      UpdatePanelConflicts(GetParentPanel(), ppd);
      valueDidChange = true;
    } else {
      SetElementValue(ReadInt(ctrlUIDataBlkPtr));
    }
  }
  BaseControlNvx::UIEventHandler();
}

int GPPDSliderBarControlNvx::GetValueToPreset() {
  int index = GetIndexOfMarkedOptionWithKey(nullptr, PanelPPD(*this), kPPDMainKey);
  if (index < 0 || static_cast<size_t>(index) >= getPPDChoices().size() || ctrlDataBlkPtr.empty()) {
    return kControlFailure;
  }
  if (!MarkThroughHost(GetParentPanel(), kPPDMainKey, getPPDChoices()[static_cast<size_t>(index)].choice()->choice)) {
    return kControlFailure;
  }
  WriteInt(ctrlDataBlkPtr, ValueForChoiceIndex(index));
  return kControlSuccess;
}

int GPPDSliderBarControlNvx::SetDefaultValueToUI() {
  int result = PPDSliderBarControlNvxImageOptions::SetDefaultValueToUI();
  MarkValue(ElementValue());
  return result;
}

int GPPDSliderBarControlNvx::SetValueToTicket(PMPrintSettings, bool) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  return MarkValue(GetValue()) ? kControlSuccess : kControlFailure;
}

int GPPDSliderBarControlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  int index = ChoiceIndexForValue(GetValue());
  if (ctrlDataBlkPtr.empty() || index < 0 || ctrlConstrainCount > 0 || ctrlHideCount > 0) return kControlSuccess;
  AddSummaryEntry(summary, order, title_, getPPDChoices()[static_cast<size_t>(index)].userTitle());
  return kControlSuccess;
}

// ---- radios, check boxes, buttons --------------------------------------------------------------------------

void GRadioButtonNvx::DisableAgainForShownValue() { DisableControlConstrains(DisableList(ElementValue())); }

int GCheckBoxNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = PPDCheckBoxNvxImageOptions::InitializeCtrl(bundle, ppd);
  ReportPresence(kPPDMainKey, result == kControlSuccess && !ctrlPPDInfoArrayRef.empty());
  return result;
}

}  // namespace OVQ_PDE_NS
