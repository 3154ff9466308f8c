#include "account_panel.h"

#include <syslog.h>

#include <cstdio>

#include "preferences.h"
#include "settings_access.h"
#include "system_access.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

constexpr const char* kHelpBookNameKey = "Help Viewer Title for Job Accounting";

}  // namespace

std::string ReplacePlaceholder(std::string text, const std::string& value) {
  for (size_t at = text.find("[n]"); at != std::string::npos; at = text.find("[n]", at + value.size())) {
    text.replace(at, 3, value);
  }
  return text;
}

std::string MaskText(const char* utf8, const char* mask) {
  std::string masked;
  for (const char* byte = utf8; byte != nullptr && *byte != '\0'; ++byte) {
    if ((static_cast<unsigned char>(*byte) & 0xC0) != 0x80) masked += mask;  // one per character
  }
  return masked;
}

void AddSummaryLine(SummaryDictionary& summary, SummaryOrder& order, const std::string& title,
                    const std::string& value) {
  summary[title] = value;
  order.push_back(title);
}

CallbackButtonNvx* AddButton(BasePrintPanelNvx& panel, QWidget* root, int32_t tag, const char* titleKey,
                             std::function<void()> action) {
  auto button = std::make_unique<CallbackButtonNvx>();
  button->CreateControl(FindElementByTag(root, tag), titleKey, std::move(action));
  return panel.AddControl(std::move(button));
}

StaticTextEditControlNvx* AddLabel(BasePrintPanelNvx& panel, QWidget* root, int32_t tag, const char* key) {
  auto label = std::make_unique<StaticTextEditControlNvx>();
  label->CreateControl(FindElementByTag(root, tag), nullptr, nullptr, nullptr, nullptr, nullptr, key);
  return panel.AddControl(std::move(label));
}

bool ValidationListPasses(const BaseControlNvx& control, std::span<const int32_t> ids) {
  for (int32_t id : ids) {
    BaseControlNvx* field =
        control.GetParentPanel() == nullptr ? nullptr : control.GetParentPanel()->GetPanelControl(id);
    if (field == nullptr) continue;
    field->GetValueFromUI();
    if (field->InvalidateData() != kControlSuccess) return false;
  }
  return true;
}

bool IsCDFSupported(ppd_file_t* ppd) {
  ppd_attr_t* attribute = ppdFindAttr_ALT(ppd, "OVXCDFSetting");
  if (attribute == nullptr || attribute->value == nullptr) return true;
  FILE* file = std::fopen(attribute->value, "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

AccountPanelNvx::AccountPanelNvx(PDEHostCallback* callback, std::span<const ProductRow> products)
    : HostedPanelNvx(callback), products_(products) {}

std::string AccountPanelNvx::getPDENibFileNamePrintType() const {
  for (const ProductRow& row : products_) {
    if (row.type == pdeType_) return row.nib;
  }
  return products_.empty() ? std::string() : products_.front().nib;
}

QWidget* AccountPanelNvx::Element(int32_t tag) const { return FindElementByTag(GetWindowRef(), tag); }

QWidget* AccountPanelNvx::panelView() {
  QWidget* view = HostedPanelNvx::panelView();
  syslog(LOG_DEBUG, "%s : panelView - %d", LogName(), static_cast<int>(getCtrlGroupArrayRef().size()));
  return view;
}

int AccountPanelNvx::SimulationOpenPDE() {
  ppd_file_t* ppd = HostPPD();
  if (ppd == nullptr) return kControlSuccess;
  QWidget* view = panelView();
  if (view == nullptr) return kControlFailure;
  if (bFirstInitialzePDE) {
    CreatePanel(view);
    std::string table = LocalizeTableForPPD(ppd);
    if (!table.empty()) SetLocalizeTableName(table);
    if (BuildPanel(view, ppd) != kPanelNoErr || RegisterMyHelpBook() != 0) return kControlFailure;
    InitializeUserPane(GetAppBundleRef(), ppd);
  }
  PDEHostCallback* host = GetCurrentPDECallbackObj();
  SetCurrentPrintSettings(host->printSettings(), ppd, host, host->printSession());
  SetUIDataToIniData();
  if (!bFirstInitialzePDE) ResetControlStatus();
  LoadRememberedValues();
  SetCurrentValueToUI();
  bFirstInitialzePDE = false;
  return kControlSuccess;
}

bool AccountPanelNvx::restoreValuesAndReturnError(std::string* error) {
  if (SimulationOpenPDE() == kControlSuccess) return true;
  if (error != nullptr) *error = "the panel cannot be built (interface file or help book missing)";
  return false;
}

bool AccountPanelNvx::shouldPrint() {
  if (!MayPrintToDestination()) return true;
  if (bFirstInitialzePDE) SimulationOpenPDE();
  if (!OnClickPrintCommand()) return false;
  if (IsViewLoaded()) SetValueFromUIToControl();
  if (RememberValues() != kPanelNoErr) return false;
  if (GetCurrentPMPrintSettings() == nullptr) return true;
  WriteTicket();
  return true;
}

bool AccountPanelNvx::shouldShowHelp() { return !HasHelpButton() || !RunHelpButton(); }

void AccountPanelNvx::terminate() {
  encryptArray_.clear();
  HostedPanelNvx::terminate();
}

bool AccountPanelNvx::OpenHelpPage(const char* prefix) {
  std::string page = std::string(prefix) + helpName_ + ".htm";
  return GotoHelpPage(GetAppBundleRef(), page.c_str(), nullptr, kHelpBookNameKey) == 0;
}

bool AccountPanelNvx::ReadRemembered(const char* preferenceKey, std::string* text) const {
  const char* printer = GetCurrentPrinterString();
  std::string key;
  if (!CreateKeyWithCurrentPrinter(preferenceKey, printer != nullptr ? printer : "", &key)) return false;
  if (GetSystemVersion() >= kSystemVersion1070) {
    return PMPrintSettingsGetValue(GetCurrentPMPrintSettings(), key.c_str(), text) == kHostNoErr;
  }
  std::optional<std::string> value = CFPreferencesCopyValue(key.c_str(), kCFPreferencesAnyApplication,
                                                            kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
  if (!value) return false;
  *text = *value;
  return true;
}

bool AccountPanelNvx::WriteRemembered(const char* preferenceKey, const std::string& text) {
  const char* printer = GetCurrentPrinterString();
  std::string key;
  if (!CreateKeyWithCurrentPrinter(preferenceKey, printer != nullptr ? printer : "", &key)) return false;
  if (GetSystemVersion() >= kSystemVersion1070) {
    PMPrintSettings settings = GetCurrentPMPrintSettings();
    return settings == nullptr || PMPrintSettingsSetValue(settings, key.c_str(), text.c_str(), false) == kHostNoErr;
  }
  CFPreferencesSetValue(key.c_str(), text.c_str(), kCFPreferencesAnyApplication, kCFPreferencesCurrentUser,
                        kCFPreferencesCurrentHost);
  return CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
}

int AccountPanelNvx::LoadRememberedValues() {
  return GetSystemVersion() >= kSystemVersion1070 ? GetValueFromPreferenceWithPrinterSettings()
                                                  : GetValueFromPreference();
}

int AccountPanelNvx::RememberValues() {
  return GetSystemVersion() >= kSystemVersion1070 ? SetValueToPreferenceWithPrinterSettings() : SetValueToPreference();
}

bool AccountPanelNvx::SaveValues(std::string* error) {
  if (IsViewLoaded()) SetValueFromUIToControl();
  if (RememberValues() != kPanelNoErr) {
    if (error != nullptr) *error = "the values cannot be remembered";
    return false;
  }
  WriteTicket();
  return true;
}

bool AccountPanelNvx::WriteTicket() {
  SetValueToTicket(GetCurrentPMPrintSettings(), false, &encryptArray_);
  return true;
}

}  // namespace OVQ_PDE_NS
