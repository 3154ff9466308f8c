#include "ppd_controls.h"

#include <QAbstractSlider>
#include <QComboBox>
#include <QSignalBlocker>
#include <QSlider>
#include <cstdlib>
#include <cstring>

#include "ppd_access.h"
#include "system_access.h"
#include "text_encoding.h"

namespace OVQ_PDE_NS {

namespace {

constexpr size_t kMenuTextLimit = 99;      // bytes of a menu item's title and key
constexpr size_t kCheckSummaryLimit = 23;  // bytes of a check box's summary text

QComboBox* MenuOf(const BaseControlNvx& control) { return qobject_cast<QComboBox*>(control.GetControlPtr()); }

const char* ChoiceKeyword(const BaseControlNvx& control, int index) {
  const std::vector<PDEChoiceNvx>& choices = control.getPPDChoices();
  if (index < 0 || static_cast<size_t>(index) >= choices.size() ||
      choices[static_cast<size_t>(index)].choice() == nullptr) {
    return nullptr;
  }
  return choices[static_cast<size_t>(index)].choice()->choice;
}

}  // namespace

void AddSummaryEntry(SummaryDictionary& summary, SummaryOrder& order, const std::string& title,
                     const std::string& value) {
  if (title.empty()) return;
  if (summary.find(title) == summary.end()) order.push_back(title);
  summary[title] = value;
}

int OpenFromMarks(BaseControlNvx& control) {
  ppd_file_t* ppd = PanelPPD(control);
  if (ppd == nullptr) return kControlSuccess;
  control.UpdateConflictsPanelControlFromPPD(ppd);
  control.GetValueToPreset();
  control.SetControlValueToUI();
  control.SimulationUIEventHandler();
  return kControlSuccess;
}

bool MarkThroughHost(const BasePrintPanelNvx* panel, const char* option, const char* choice) {
  PDEHostCallback* host = panel == nullptr ? nullptr : panel->GetCurrentPDECallbackObj();
  if (host == nullptr || option == nullptr || choice == nullptr) return false;
  return host->willChangePPDOptionKeyValue(option, choice);
}

BasePrintPanelNvx* TopPanel(BasePrintPanelNvx* panel) {
  while (panel != nullptr && panel->GetParentWnd() != nullptr) panel = panel->GetParentWnd();
  return panel;
}

void UpdatePanelConflicts(BasePrintPanelNvx* panel, ppd_file_t* ppd) {
  if (BasePrintPanelNvx* top = TopPanel(panel)) top->UpdateConflictsPanelControlFromPPD(ppd);
}

ppd_file_t* PanelPPD(const BaseControlNvx& control) {
  return control.GetParentPanel() == nullptr ? nullptr : control.GetParentPanel()->GetCurrentPPD();
}

bool BindToPPDOption(BaseControlNvx& control, const char* keyword, ppd_file_t* ppd, std::vector<UIListRow>* rows) {
  rows->clear();
  const XppdHash* hash = control.GetParentPanel() == nullptr ? nullptr : control.GetParentPanel()->Getxppd();
  if (hash == nullptr || ppd == nullptr || keyword == nullptr) return false;
  InitializeValueFromPPD(ppd, hash, rows, keyword);
  ppd_option_t* option = ppdFindOption(ppd, keyword);
  control.setPPDOptions(option);
  control.setPPDChoices(ArrayFromPPDOption(option));
  return true;
}

// ---- pop-up list -----------------------------------------------------------------------------

int PPDPopupControlNvxImageOptions::CreateControl(QWidget* element, const char* ppdKey, const ControlIniData* ini,
                                                  const ConstraintRecord* constrain, const AccessInfo* access,
                                                  const char* userName, ControlID titleControl) {
  PopupControlNvx::CreateControl(element, ini, constrain, access, userName);
  kPPDMainKey = ppdKey;
  ctrlPPDInfoArrayRef.clear();
  titleTextRef.clear();
  ctrlIDTitleExPtr = titleControl;
  defaultValue_ = ini == nullptr ? 1 : ini->defaultValue;
  return kControlSuccess;
}

int PPDPopupControlNvxImageOptions::InitializeMenu(const Bundle*, ppd_file_t* ppd) {
  AllocateBlocks();
  if (!BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef)) {
    if (QComboBox* menu = MenuOf(*this)) menu->clear();
    return kControlFailure;
  }
  if (QComboBox* menu = MenuOf(*this)) menu->clear();
  ReInitializeMenu();
  if (QComboBox* menu = MenuOf(*this); menu != nullptr && menu->count() > 0) menu->setCurrentIndex(0);
  if (!ctrlPPDInfoArrayRef.empty()) {
    GetDefaultValueFromPPD(ppd, &defaultValue_);
    std::string title;
    if (GetUITitleFromPPD(ppd, kPPDMainKey, &title)) {
      titleTextRef = title;
      SetTitleWithCFStringEx(title);
    }
  }
  return kControlSuccess;
}

int PPDPopupControlNvxImageOptions::ReInitializeCtrl(const Bundle*, ppd_file_t*) {
  QComboBox* menu = MenuOf(*this);
  int selected = menu == nullptr ? -1 : menu->currentIndex();
  ReInitializeMenu();
  if (menu != nullptr && selected >= 0 && selected < menu->count()) menu->setCurrentIndex(selected);
  return kControlSuccess;
}

void PPDPopupControlNvxImageOptions::ReInitializeMenu() {
  QComboBox* menu = MenuOf(*this);
  if (menu == nullptr || ctrlPPDInfoArrayRef.empty()) return;
  QSignalBlocker quiet(menu);
  menu->clear();
  for (size_t i = 0; i < ctrlPPDInfoArrayRef.size(); ++i) {
    const UIListRow& row = ctrlPPDInfoArrayRef[i];
    menu->addItem(QString::fromStdString(std::string(CutUTF8(row.title, kMenuTextLimit))),
                  QString::fromStdString(std::string(CutUTF8(row.choice, kMenuTextLimit))));
    SetItemEnabled(static_cast<int>(i), row.conflict != kConflictTrue);
  }
}

const char* PPDPopupControlNvxImageOptions::ChoiceAt(int index) const { return ChoiceKeyword(*this, index); }

bool PPDPopupControlNvxImageOptions::PPDMarkOptionByIndex(ppd_file_t* ppd, int index) {
  if (index < 0 || ppd == nullptr || ctrlPPDInfoArrayRef.empty()) return true;
  return MarkThroughHost(GetParentPanel(), kPPDMainKey, ChoiceAt(index));
}

void PPDPopupControlNvxImageOptions::UIEventHandler() {
  if (ppd_file_t* ppd = PanelPPD(*this)) {
    if (SetPPD(ppd)) {
      UpdatePanelConflicts(GetParentPanel(), ppd);
      valueDidChange = true;
    } else if (QComboBox* menu = MenuOf(*this)) {
      menu->setCurrentIndex(std::max(0, ReadInt(ctrlUIDataBlkPtr) - 1));
    }
  }
  PopupControlNvx::UIEventHandler();
}

int PPDPopupControlNvxImageOptions::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
  if (!BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef)) return 0;
  for (size_t i = 0; i < ctrlPPDInfoArrayRef.size(); ++i) {
    SetItemEnabled(static_cast<int>(i), ctrlPPDInfoArrayRef[i].conflict != kConflictTrue);
  }
  return 0;
}

int PPDPopupControlNvxImageOptions::GetValueToPreset() {
  ppd_file_t* ppd = PanelPPD(*this);
  int index = GetIndexOfMarkedOptionWithKey(nullptr, ppd, kPPDMainKey);
  if (index < 0 || static_cast<size_t>(index) >= ctrlPPDInfoArrayRef.size()) return kControlFailure;
  if (!MarkThroughHost(GetParentPanel(), kPPDMainKey, ChoiceAt(index))) return kControlFailure;
  return ConvertFromPresetIndex(index);
}

int PPDPopupControlNvxImageOptions::ConvertFromPresetIndex(int index) {
  if (ctrlDataBlkPtr.empty() || index < 0 || static_cast<size_t>(index) >= ctrlPPDInfoArrayRef.size()) {
    return kControlFailure;
  }
  SetValue(index + 1);
  return kControlSuccess;
}

int PPDPopupControlNvxImageOptions::SetControlValueToUI() {
  QComboBox* menu = MenuOf(*this);
  if (ctrlDataBlkPtr.empty() || menu == nullptr) return kControlFailure;
  int before = menu->currentIndex();
  SelectValue(GetValue());
  if (menu->currentIndex() != before) valueDidChange = true;
  return kControlSuccess;
}

int PPDPopupControlNvxImageOptions::SetDefaultValueToUI() {
  int result = PopupControlNvx::SetDefaultValueToUI();
  if (ppd_file_t* ppd = PanelPPD(*this)) SetPPD(ppd);
  return result;
}

int PPDPopupControlNvxImageOptions::SetValueToTicket(PMPrintSettings, bool) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  return PPDMarkOptionByIndex(PanelPPD(*this), GetValue() - 1) ? kControlSuccess : kControlFailure;
}

int PPDPopupControlNvxImageOptions::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  int32_t value = GetValue();
  if (!ToGetSummaryText() || ctrlDataBlkPtr.empty() || value < 1 ||
      static_cast<size_t>(value) > ctrlPPDInfoArrayRef.size()) {
    return kControlSuccess;
  }
  AddSummaryEntry(summary, order, titleTextRef, ctrlPPDInfoArrayRef[static_cast<size_t>(value - 1)].title);
  return kControlSuccess;
}

std::string PPDPopupControlNvxImageOptions::GetUISelectStr() const {
  int index = GetCurrentControlArrayNumber();
  if (index < 0 || static_cast<size_t>(index) >= ctrlPPDInfoArrayRef.size()) return {};
  return ctrlPPDInfoArrayRef[static_cast<size_t>(index)].choice;
}

int PPDPopupControlNvxImageOptions::GetIndexByStr(const char* choice) const {
  if (choice == nullptr) return -1;
  for (size_t i = 0; i < ctrlPPDInfoArrayRef.size(); ++i) {
    if (ctrlPPDInfoArrayRef[i].choice == choice) return static_cast<int>(i);
  }
  return -1;
}

bool PPDPopupControlNvxImageOptions::GetDefaultValueFromPPD(ppd_file_t* ppd, int32_t* value) const {
  std::string choice;
  if (!GetUIDefaultFromPPD(ppd, kPPDMainKey, &choice)) return false;
  int index = GetIndexByStr(choice.c_str());
  if (index < 0) return false;
  *value = index + 1;
  return true;
}

void PPDPopupControlNvxImageOptions::SetTitleWithCFStringEx(const std::string& text) {
  if (ctrlIDTitleExPtr == 0 || ctrlParentPanelPtr == nullptr) return;
  if (BaseControlNvx* label = ctrlParentPanelPtr->GetPanelControl(ctrlIDTitleExPtr)) {
    std::string titled = text + ":";
    label->SetExternalValueToUI(titled.c_str(), titled.size() + 1);
  }
}

void PPDPopupControlNvxImageOptions::HideTitleCtrl() {
  if (ctrlIDTitleExPtr == 0 || ctrlParentPanelPtr == nullptr) return;
  if (BaseControlNvx* label = ctrlParentPanelPtr->GetPanelControl(ctrlIDTitleExPtr)) {
    if (label->GetControlPtr() != nullptr) label->GetControlPtr()->setHidden(true);
  }
}

// ---- check box --------------------------------------------------------------------------------

int PPDCheckBoxNvxImageOptions::PPDCheckBox(QWidget* element, const char* ppdKey, const ControlIniData* ini,
                                            const ConstraintRecord* constrain, const AccessInfo* access,
                                            const char* userName) {
  CheckBox(element, ini, constrain, access, userName);
  kPPDMainKey = ppdKey;
  ctrlPPDInfoArrayRef.clear();
  defaultValue_ = ini == nullptr ? 0 : ini->defaultValue;
  return kControlSuccess;
}

int PPDCheckBoxNvxImageOptions::InitializeTitle(const Bundle* bundle, ppd_file_t* ppd) {
  std::string title;
  if (GetUITitleFromPPD(ppd, kPPDMainKey, &title) && !title.empty()) {
    titleTextRef = title;
  } else if (bundle != nullptr && iniData_ != nullptr && iniData_->titleKey != nullptr) {
    titleTextRef = bundle->LocalizedString(iniData_->titleKey, kNoTranslation, GetLocalizeTableName());
  }
  SetElementText(ControlPtr, QString::fromStdString(titleTextRef));
  return titleTextRef.empty() ? kControlFailure : kControlSuccess;
}

int PPDCheckBoxNvxImageOptions::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  InitializeTitle(bundle, ppd);
  ctrlDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlUIDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlDataSize = sizeof(int32_t);
  if (!BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef)) return kControlFailure;
  std::string choice;
  defaultValue_ = GetUIDefaultFromPPD(ppd, kPPDMainKey, &choice) && choice == "True" ? 1 : 0;
  return kControlSuccess;
}

int PPDCheckBoxNvxImageOptions::RowForValue(int32_t value) const {
  if (ctrlPPDInfoArrayRef.empty()) return -1;
  bool falseFirst = ctrlPPDInfoArrayRef.front().choice == "False";
  int row = (value != 0) == falseFirst ? 1 : 0;
  return static_cast<size_t>(row) < ctrlPPDInfoArrayRef.size() ? row : -1;
}

bool PPDCheckBoxNvxImageOptions::MarkValue(ppd_file_t* ppd, int32_t value) {
  int row = RowForValue(value);
  if (ppd == nullptr || row < 0) return true;
  return MarkThroughHost(GetParentPanel(), kPPDMainKey, ChoiceKeyword(*this, row));
}

void PPDCheckBoxNvxImageOptions::UIEventHandler() {
  int32_t previous = Previous() >= 0 ? Previous() : GetValue();
  CheckBoxNvx::UIEventHandler();
  ppd_file_t* ppd = PanelPPD(*this);
  if (ppd == nullptr) return;
  if (MarkValue(ppd, ElementValue())) {
    UpdatePanelConflicts(GetParentPanel(), ppd);
    valueDidChange = true;
    return;
  }
  SetElementValue(previous);
  CheckBoxNvx::UIEventHandler();
}

int PPDCheckBoxNvxImageOptions::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
  BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef);
  return 0;
}

int PPDCheckBoxNvxImageOptions::GetValueToPreset() {
  ppd_file_t* ppd = PanelPPD(*this);
  ppd_choice_t* marked = ppd == nullptr || kPPDMainKey == nullptr ? nullptr : ppdFindMarkedChoice(ppd, kPPDMainKey);
  if (marked == nullptr) return kControlSuccess;
  if (ctrlDataBlkPtr.empty() || !MarkThroughHost(GetParentPanel(), kPPDMainKey, marked->choice)) {
    return kControlFailure;
  }
  SetValue(std::strcmp(marked->choice, "True") == 0 ? 1 : 0);
  return kControlSuccess;
}

int PPDCheckBoxNvxImageOptions::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  if (ElementValue() != GetValue()) valueDidChange = true;
  SetElementValue(GetValue());
  return kControlSuccess;
}

int PPDCheckBoxNvxImageOptions::SetDefaultValueToUI() {
  int result = CheckBoxNvx::SetDefaultValueToUI();
  if (ppd_file_t* ppd = PanelPPD(*this)) MarkValue(ppd, ElementValue());
  return result;
}

int PPDCheckBoxNvxImageOptions::SetValueToTicket(PMPrintSettings, bool) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  return MarkValue(PanelPPD(*this), GetValue()) ? kControlSuccess : kControlFailure;
}

int PPDCheckBoxNvxImageOptions::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  int row = RowForValue(GetValue());
  if (ctrlDataBlkPtr.empty() || row < 0) return kControlSuccess;
  const std::string& text = ctrlPPDInfoArrayRef[static_cast<size_t>(row)].title;
  AddSummaryEntry(summary, order, titleTextRef, std::string(CutUTF8(text, kCheckSummaryLimit)));
  return kControlSuccess;
}

// ---- integer value ------------------------------------------------------------------------------

const uint8_t* PPDIntegerControlNvx::GetValueFromUI() {
  if (ctrlUIDataBlkPtr.empty() || ControlPtr == nullptr) return nullptr;
  WriteInt(ctrlUIDataBlkPtr, ElementValue());
  return ctrlUIDataBlkPtr.data();
}

int PPDIntegerControlNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  SetElementValue(GetValue());
  WriteInt(ctrlUIDataBlkPtr, GetValue());  // what the element shows now
  return kControlSuccess;
}

// ---- slider -------------------------------------------------------------------------------------

int PPDSliderBarControlNvxImageOptions::CreateControl(QWidget* element, const char* ppdKey, const SliderIniData* ini,
                                                      const ConstraintRecord* constrain, const AccessInfo* access,
                                                      const char* userName) {
  BaseControlNvx::CreateControl(element);
  SetRecords(constrain, access, userName);
  kPPDMainKey = ppdKey;
  iniData_ = ini;
  if (ini != nullptr) {
    minimum_ = ini->minimum;
    maximum_ = ini->maximum;
    defaultValue_ = ini->defaultValue;
  }
  return kControlSuccess;
}

void PPDSliderBarControlNvxImageOptions::SetRange(int32_t minimum, int32_t maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  auto* slider = qobject_cast<QAbstractSlider*>(ControlPtr);
  if (slider == nullptr) return;
  QSignalBlocker quiet(slider);
  slider->setRange(minimum, maximum);
  slider->setSingleStep(1);
  slider->setPageStep(1);
  if (auto* ticked = qobject_cast<QSlider*>(slider)) {
    ticked->setTickPosition(QSlider::TicksBelow);
    ticked->setTickInterval(1);
  }
}

int PPDSliderBarControlNvxImageOptions::InitializeCtrl(const Bundle*, ppd_file_t* ppd) {
  SetRange(minimum_, maximum_);
  ctrlDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlUIDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlDataSize = sizeof(int32_t);
  return BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef) ? kControlSuccess : kControlFailure;
}

void PPDSliderBarControlNvxImageOptions::setTargetandAction() {
  auto* slider = qobject_cast<QAbstractSlider*>(ControlPtr.data());
  if (slider == nullptr) return;
  QObject::disconnect(action_);
  QObject::disconnect(released_);
  // Dragging ends with the release; keys and clicks on the track change the value directly.
  action_ = QObject::connect(slider, &QAbstractSlider::valueChanged, slider, [this, slider] {
    if (!slider->isSliderDown()) RequestControlAction();
  });
  released_ = QObject::connect(slider, &QAbstractSlider::sliderReleased, slider, [this] { RequestControlAction(); });
}

int32_t PPDSliderBarControlNvxImageOptions::ElementValue() const {
  auto* slider = qobject_cast<QAbstractSlider*>(ControlPtr);
  return slider == nullptr ? 0 : slider->value();
}

void PPDSliderBarControlNvxImageOptions::SetElementValue(int32_t value) {
  auto* slider = qobject_cast<QAbstractSlider*>(ControlPtr);
  if (slider == nullptr) return;
  QSignalBlocker quiet(slider);
  slider->setValue(value);
}

int PPDSliderBarControlNvxImageOptions::SetExternalValueToUI(const void* data, size_t size) {
  int32_t value = 0;
  if (ControlPtr == nullptr || !ControlPtr->isEnabled() || !ReadExternalInt(data, size, &value)) return kControlFailure;
  SetElementValue(value);
  return kControlSuccess;
}

int PPDSliderBarControlNvxImageOptions::ConvertFromPreferenceString(const char* text) {
  if (ctrlDataBlkPtr.empty() || text == nullptr) return kControlFailure;
  WriteInt(ctrlDataBlkPtr, std::atoi(text));
  return kControlSuccess;
}

// ---- title label --------------------------------------------------------------------------------

int PPDStaticTextCtrlNvxImageOptions::CreateControl(QWidget* element, const char* ppdKey, const TextEditIniData* ini,
                                                    const ConstraintRecord* constrain, const AccessInfo* access,
                                                    const char* userName, const TextEditFilterData* filter) {
  StaticTextEditControlNvx::CreateControl(element, ini, constrain, access, userName, filter, nullptr);
  kPPDMainKey = ppdKey;
  return kControlSuccess;
}

int PPDStaticTextCtrlNvxImageOptions::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  StaticTextEditControlNvx::InitializeCtrl(bundle, ppd);
  std::string title;
  if (GetUITitleFromPPD(ppd, kPPDMainKey, &title)) SetElementText(ControlPtr, QString::fromStdString(title + ":"));
  return kControlSuccess;
}

}  // namespace OVQ_PDE_NS
