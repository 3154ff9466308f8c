#include "print_type_controls.h"

#include <QComboBox>
#include <QWidget>
#include <algorithm>
#include <cstring>

#include "account_panel.h"
#include "group_membership.h"
#include "ppd_access.h"
#include "print_type_panel.h"
#include "system_access.h"
#include "text_encoding.h"

namespace OVQ_PDE_NS {

namespace {

int32_t BlockInt(const ValueBlock& block) {
  int32_t value = 0;
  if (block.size() >= sizeof value) std::memcpy(&value, block.data(), sizeof value);
  return value;
}

std::u16string Units(const char* utf8) {
  std::u16string units;
  UTF8ToUTF16(utf8 == nullptr ? "" : utf8, &units);
  return units;
}

bool AllSpaces(const char* utf8) { return utf8 != nullptr && *utf8 != '\0' && IsAllSpace(Units(utf8)); }

// The storage-device tables of the menu: by the pick-one choice of "OVHardDisk",
// and by a true/false choice.
struct StorageRow {
  const char* choice;
  bool allRows;  // else "Job Type None" only
};
constexpr StorageRow kStorageDeviceRows[] = {{"None", false}, {"HardDisk", true}, {"RAMDisk", true}};
constexpr StorageRow kTrueFalseRows[] = {{"True", true}, {"False", false}};

std::optional<std::vector<std::string>> LookUpRows(std::span<const StorageRow> table, const char* choice) {
  for (const StorageRow& row : table) {
    if (std::strcmp(row.choice, choice) != 0) continue;
    if (row.allRows) return std::nullopt;
    return std::vector<std::string>{kPrintTypeKeys[0]};
  }
  return std::nullopt;  // a choice missing from its table sets no limit
}

}  // namespace

// ---- the print-type list ---------------------------------------------------------------------

std::optional<std::vector<std::string>> PTListCtrlNvx::EnabledRows(ppd_file_t* ppd) {
  if (ppd == nullptr || PPDAttrEquals(ppd, "OVPTSecurePrintDefault", "True")) return std::nullopt;
  ppd_choice_t* marked = ppdFindMarkedChoice(ppd, "OVHardDisk");
  ppd_option_t* option = ppdFindOption(ppd, "OVHardDisk");
  if (marked == nullptr || option == nullptr) return std::nullopt;
  if (option->ui == PPD_UI_PICKONE) return LookUpRows(kStorageDeviceRows, marked->choice);
  if (option->ui != PPD_UI_BOOLEAN || std::strcmp(marked->choice, "False") != 0) return std::nullopt;
  ppd_choice_t* ram = ppdFindMarkedChoice(ppd, "OVRAMDisk");
  return LookUpRows(kTrueFalseRows, ram != nullptr ? ram->choice : "False");
}

int PTListCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  AllocateBlocks();
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (menu == nullptr || iniData_ == nullptr) return kControlFailure;
  std::optional<std::vector<std::string>> enabled = EnabledRows(ppd);
  menu->clear();
  for (const char* key : iniData_->itemKeys) {
    if (key == nullptr) break;
    if (std::strcmp(key, kPrintTypeMailBoxKey) == 0 && !mailBoxAllowed_) continue;
    std::string title =
        bundle == nullptr ? kNoTranslation : bundle->LocalizedString(key, kNoTranslation, GetLocalizeTableName());
    menu->addItem(QString::fromStdString(title == kNoTranslation ? key : title), QString::fromUtf8(key));
    if (enabled && std::find(enabled->begin(), enabled->end(), key) == enabled->end()) {
      SetItemEnabled(menu->count() - 1, false);
    }
  }
  Show(chosen_);
  return kControlSuccess;
}

int PTListCtrlNvx::ItemOfValue(int32_t value) const {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (menu == nullptr || value < 1 || value > 5) return -1;
  return menu->findData(QString::fromUtf8(kPrintTypeKeys[value - 1]));
}

void PTListCtrlNvx::Show(int32_t value) {
  chosen_ = value;
  if (auto* menu = qobject_cast<QComboBox*>(ControlPtr)) menu->setCurrentIndex(ItemOfValue(value));
}

void PTListCtrlNvx::RequestControlAction() {
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (menu == nullptr || menu->currentIndex() < 0) return;
  std::string key = menu->currentData().toString().toStdString();
  chosen_ = 0;
  for (int32_t value = 1; value <= 5; ++value) {
    if (key == kPrintTypeKeys[value - 1]) chosen_ = value;
  }
  PopupControlNvx::RequestControlAction();
}

void PTListCtrlNvx::ScriptedChange() {
  UIEventHandler();
  GetValueFromUI();
}

void PTListCtrlNvx::UIEventHandler() {
  int32_t stored = GetValue();
  if (chosen_ != stored && !ctrlDataBlkPtr.empty()) {
    PTSetupWindowNvx* window = panel_ == nullptr ? nullptr : panel_->WindowForPrintType(chosen_);
    if (chosen_ == kPrintTypeNone) {
      SetValue(kPrintTypeNone);
    } else if (window != nullptr) {
      window->ActivateWindow();
      SetValue(chosen_);  // what the list holds once the window closed
    } else {
      Show(stored);
    }
  }
  PopupControlNvx::UIEventHandler();
}

int PTListCtrlNvx::SetControlValueToUI() {
  if (ctrlDataBlkPtr.empty() || ControlPtr == nullptr) return kControlFailure;
  int32_t value = GetValue();
  if (value < 1 || value > 5 || (value == kPrintTypeMailBox && !mailBoxAllowed_)) value = kPrintTypeNone;
  int item = ItemOfValue(value);
  if (!ControlPtr->isEnabled() || (item >= 0 && !IsItemEnabled(item))) value = kPrintTypeNone;
  SetValue(value);
  Show(value);
  return kControlSuccess;
}

int PTListCtrlNvx::SetExternalValueToUI(const void* data, size_t size) {
  int32_t value = 0;
  if (ControlPtr == nullptr || !ReadExternalInt(data, size, &value)) return kControlFailure;
  Show(value);
  return kControlSuccess;
}

int PTListCtrlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  int32_t value = GetValue();
  if (iniData_ == nullptr || value < 1 || value > 5) return kControlSuccess;
  std::string title = Localize(kPrintTypeKeys[value - 1]);
  AddSummaryLine(summary, order, Localize("PDE Menu Summary"),
                 title == kNoTranslation ? kPrintTypeKeys[value - 1] : title);
  return kControlSuccess;
}

std::optional<std::string> PTListCtrlNvx::ScriptValueText() const { return std::to_string(chosen_); }

// ---- document-name type lists ---------------------------------------------------------------

void PTListCtrlExtNvx::RequestControlAction() {
  if (!ValidationListPasses(*this, validation_)) {
    SelectValue(BlockInt(ctrlUIDataBlkPtr));  // the change is refused
    return;
  }
  PopupControlNvx::RequestControlAction();
}

int PTListCtrlExtNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (iniData_ == nullptr || summaryKey_ == nullptr) return kControlSuccess;
  Pull();
  int32_t value = GetValue();
  std::string item;
  for (int32_t i = 0; i < value && i < static_cast<int32_t>(iniData_->itemKeys.size()); ++i) {
    if (iniData_->itemKeys[static_cast<size_t>(i)] == nullptr) break;
    if (i == value - 1) item = Localize(iniData_->itemKeys[static_cast<size_t>(i)]);
  }
  AddSummaryLine(summary, order, Localize(summaryKey_), item);
  return kControlSuccess;
}

// ---- text fields --------------------------------------------------------------------------------

int PTTextFieldNvx::CreateField(QWidget* element, const FieldLimits* limits, const AccessInfo* access,
                                const char* summaryKey) {
  limits_ = limits;
  summaryKey_ = summaryKey;
  return CreateControl(element, limits == nullptr ? nullptr : &limits->ini, nullptr, access, nullptr,
                       limits == nullptr ? nullptr : &limits->filter);
}

uint32_t PTTextFieldNvx::Width(const char* utf8) { return GetUTF8StringLength(utf8); }

void PTTextFieldNvx::FocusWindow() const {
  if (ControlPtr != nullptr && ControlPtr->window()->isVisible()) ControlPtr->window()->activateWindow();
}

int PTTextFieldNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (Unbound() || summaryKey_ == nullptr) return kControlSuccess;
  Pull();
  AddSummaryLine(summary, order, SummaryTitle(), SummaryValue());
  return kControlSuccess;
}

int PTUITextEditCtrlNvx::PreInvalidateData() {
  if (Unbound()) return kControlSuccess;
  FocusWindow();
  if (*GetUIText() != '\0' || limits_->ini.minLength == 0) return kControlSuccess;
  ShowErrMsgText(Localize(limits_->emptyMessageKey));
  return kControlFailure;
}

int PTTextFieldNvx::SpacesRefusedCheck() {
  if (Unbound()) return kControlSuccess;
  FocusWindow();
  if (AllSpaces(GetUIText())) {
    ShowErrMsg();
    return kControlFailure;
  }
  return TextEditCtrlNvx::InvalidateData();
}

int PTUITextEditCtrlNvx::InvalidateData() { return SpacesRefusedCheck(); }

int PTUITextEditCtrlNvx::InvalidateDataOnCancel() {
  if (Unbound()) return kControlSuccess;
  Pull();
  return *GetText() != '\0' || limits_->ini.minLength == 0 ? kControlSuccess : kControlFailure;
}

std::string KPTWNDLOGINTECTRL::LoginNameDefault() {
  std::string login(CutUTF8(LoginNameOfRealUser(), 32));
  if (!login.empty() && validateInput(Units(login.c_str()), &kLoginNameDefault.filter)) return login;
  return "UnknownUser";
}

int KPTWNDLOGINTECTRL::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  std::string login = LoginNameDefault();
  default_ = TextEditIniData{};
  std::memcpy(default_.defaultText, login.data(), std::min(login.size(), sizeof default_.defaultText - 1));
  return PTUITextEditCtrlNvx::InitializeCtrl(bundle, ppd);
}

// ---- the secure passcode ----------------------------------------------------------------------

uint32_t PTPWTextEditCtrlNvx::MinimumFromPPD(ppd_file_t* ppd) {
  int minimum = 1;
  if (CheckPPDKeyIsExist(ppd, "OVPTPasswdLimit")) {
    int fromOption = GetPWMiniIntValueFromPPD(ppd, "OVPTPasswdLimit");
    if (fromOption >= 0) minimum = fromOption;
  }
  int fromAttribute = GetSorrelPWMiniIntValueFromPPD(ppd, "OVPTPasswdLimit");  // wins over the option
  if (fromAttribute >= 0) minimum = fromAttribute;
  return static_cast<uint32_t>(minimum);
}

int PTPWTextEditCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  if (limits_ != nullptr) {
    ini_ = limits_->ini;
    ini_.minLength = MinimumFromPPD(ppd);
    iniData_ = &ini_;
  }
  return PTTextFieldNvx::InitializeCtrl(bundle, ppd);
}

std::string PTPWTextEditCtrlNvx::LengthMessage() const {
  return ReplacePlaceholder(Localize("Message60"), std::to_string(ini_.minLength));
}

int PTPWTextEditCtrlNvx::PreInvalidateData() {
  if (Unbound()) return kControlSuccess;
  FocusWindow();
  uint32_t width = Width(GetUIText());
  if (width >= ini_.minLength && width <= ini_.maxLength) return kControlSuccess;
  ShowErrMsgText(LengthMessage());
  return kControlFailure;
}

int PTPWTextEditCtrlNvx::InvalidateData() {
  if (Unbound()) return kControlSuccess;
  if (PreInvalidateData() != kControlSuccess) return kControlFailure;
  if (CheckCommittedText(iniData_, filter_, GetUIText()) == TextCheck::kValid) return kControlSuccess;
  ShowErrMsgText(LengthMessage());
  return kControlFailure;
}

int PTPWTextEditCtrlNvx::InvalidateDataOnCancel() {
  if (Unbound()) return kControlSuccess;
  uint32_t width = Width(GetText());
  return width >= ini_.minLength && width <= ini_.maxLength ? kControlSuccess : kControlFailure;
}

std::string PTPWTextEditCtrlNvx::SummaryTitle() const {
  return ReplacePlaceholder(Localize(summaryKey_),
                            std::to_string(ini_.minLength) + " to " + std::to_string(ini_.maxLength));
}

std::string PTPWTextEditCtrlNvx::SummaryValue() const { return MaskText(GetText(), "\xEF\xBD\xA5"); }  // U+FF65

int PTPWStaticTextEditControlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  StaticTextEditControlNvx::InitializeCtrl(bundle, ppd);
  int minimum = GetPWMiniIntValueFromPPD(ppd, "OVPTPasswdLimit");
  if (bundle != nullptr && summaryKey_ != nullptr) {
    std::string title = bundle->LocalizedString(summaryKey_, kNoTranslation, GetLocalizeTableName());
    SetElementText(ControlPtr, QString::fromStdString(ReplacePlaceholder(title, std::to_string(std::max(0, minimum)))));
  }
  return kControlSuccess;
}

// ---- the mailbox fields ---------------------------------------------------------------------------

int PTMBNTextEditCtrlNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  maximum_ = GetMBMaxNumberFromPPD(ppd, "OVXMailBoxSettings");
  return PTTextFieldNvx::InitializeCtrl(bundle, ppd);
}

bool PTMBNTextEditCtrlNvx::InRange(const char* text) const {
  size_t length = std::strlen(text);
  if (length > 3) return false;
  int number = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = number * 10 + (text[i] - '0');
  }
  return number >= 1 && number <= maximum_;
}

int PTMBNTextEditCtrlNvx::PreInvalidateData() {
  if (Unbound()) return kControlSuccess;
  FocusWindow();
  if (InRange(GetUIText())) return kControlSuccess;
  ShowErrMsgText(ReplacePlaceholder(Localize("Warning22"), std::to_string(maximum_) + " "));
  return kControlFailure;
}

int PTMBNTextEditCtrlNvx::InvalidateData() { return SpacesRefusedCheck(); }

int PTMBNTextEditCtrlNvx::InvalidateDataOnCancel() {
  return Unbound() || InRange(GetText()) ? kControlSuccess : kControlFailure;
}

int PTMBNTextEditCtrlNvx::SetValueFromUIToControl() {
  int result = PTTextFieldNvx::SetValueFromUIToControl();
  std::string number = GetText();
  size_t zeros = 0;
  while (zeros + 1 < number.size() && number[zeros] == '0') ++zeros;  // 007 is stored as 7
  WriteText(ctrlDataBlkPtr, number.substr(zeros));
  return result;
}

int PTMBNTextEditCtrlExtNvx::PreInvalidateData() {
  if (Unbound()) return kControlSuccess;
  FocusWindow();
  if (Width(GetUIText()) <= limits_->ini.maxLength) return kControlSuccess;
  ShowErrMsg();
  return kControlFailure;
}

std::string PTMBNTextEditCtrlExtNvx::SummaryValue() const { return MaskText(GetText(), "\xC2\xA5"); }  // U+00A5

// ---- version text and help button -------------------------------------------------------------------

int PTVerStringSTextNvx::InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) {
  int result = VersionStringSTextNvx::InitializeCtrl(bundle, ppd);
  if (result == kControlSuccess) {
    SetElementText(ControlPtr, QString::fromStdString("ver." + bundle->InfoValue("CFBundleShortVersionString")));
  }
  return result;
}

void PTHelpButtonNvx::ResetStatus() {
  CallbackButtonNvx::ResetStatus();
  PPDCtrlHide();
}

}  // namespace OVQ_PDE_NS
