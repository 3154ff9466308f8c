#include "hosted_panel.h"

#include <cerrno>
#include <cstdlib>

#include "controls.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

std::string HostedPanelNvx::LocalizeTableForPPD(ppd_file_t* ppd) {
  ppd_attr_t* index = ppd == nullptr ? nullptr : ppdFindAttr(ppd, "KQLocalizableFileIndex", nullptr);
  return index == nullptr || index->value == nullptr ? std::string() : std::string("Localizable") + index->value;
}

QWidget* HostedPanelNvx::panelView() {
  if (!IsViewLoaded()) loadNibNamed(NibName(), nullptr);
  return GetWindowRef();
}

std::string HostedPanelNvx::panelName() {
  if (name_.empty()) {
    std::string table = LocalizeTableForPPD(HostPPD());
    if (!table.empty()) SetLocalizeTableName(table);
    const Bundle* bundle = GetPDEBundleRef() != nullptr ? GetPDEBundleRef() : GetAppBundleRef();
    name_ = bundle == nullptr ? kNoTranslation
                              : bundle->LocalizedString(TitleKey(), kNoTranslation, GetLocalizeTableName());
  }
  return name_;
}

PDESummary HostedPanelNvx::summaryInfo() {
  PDESummary summary;
  GetSummaryText(summary.values, summary.order);
  return summary;
}

std::optional<std::string> HostedPanelNvx::scriptValue(int tag) {
  BaseControlNvx* control = GetPanelControl(tag);
  return control == nullptr ? std::nullopt : control->ScriptValueText();
}

bool HostedPanelNvx::scriptSetValue(int tag, const std::string& value) {
  BaseControlNvx* control = GetPanelControl(tag);
  if (control == nullptr || control->GetControlBlkPtr().empty()) return false;
  if (dynamic_cast<NumericControlNvx*>(control) != nullptr) {
    char* end = nullptr;
    errno = 0;
    long number = std::strtol(value.c_str(), &end, 10);
    if (value.empty() || *end != '\0' || errno != 0 || number < INT32_MIN || number > INT32_MAX) return false;
  }
  if (control->ConvertFromPreferenceString(value.c_str()) != kControlSuccess) return false;
  control->SetControlValueToUI();
  control->ScriptedChange();
  return true;
}

}  // namespace OVQ_PDE_NS
