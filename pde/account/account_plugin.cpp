#include "account_plugin.h"

#include "jba_panel.h"
#include "ppd_access.h"
#include "print_type_panel.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

namespace {

const Bundle* g_pluginBundle = nullptr;

// The settings attribute's product type name and help name ("Default01-xyz");
// false when it is missing or holds no "-".
bool SettingsOf(ppd_file_t* ppd, const char* keyword, std::string* productType, std::string* helpName) {
  char fixed[256] = {};
  FixPPDKeywordAccordingToType(ppd, keyword, fixed, sizeof fixed);
  ppd_attr_t* attribute = ppdFindAttr_ALT(ppd, fixed);
  if (attribute == nullptr || attribute->value == nullptr) return false;
  std::string value = attribute->value;
  if (value.find('-') == std::string::npos) return false;
  *productType = GetAppResourceName(value, 0);
  *helpName = GetAppResourceName(value, 1);
  return true;
}

// Offers `panel` when the bundle holds its interface file and help page.
template <typename Panel>
std::unique_ptr<Panel> Offer(PDEHostCallback* host, ppd_file_t* ppd, const char* settingsKeyword,
                             const char* helpPrefix, const char* nibPrefix) {
  std::string productType, helpName;
  const Bundle* bundle = GetAppBundleRef();
  if (bundle == nullptr || !SettingsOf(ppd, settingsKeyword, &productType, &helpName)) return nullptr;
  if (bundle->PathForResource(helpPrefix + helpName, "htm", "Help").empty() ||
      bundle->PathForResource(nibPrefix + productType, "ui", "").empty()) {
    return nullptr;
  }
  auto panel = std::make_unique<Panel>(host);
  panel->setFirstInitialize(true);
  panel->setHelpName(helpName);
  for (const ProductRow& row : panel->getProductInfo()) {
    if (productType != row.name) continue;
    panel->setPDEType(row.type);
    panel->setIsWKSPDFDriver(PrintAccountOvqPDEPlugInj15::CheckDeviceModelFromPPD(ppd, "OVDeviceModel"));
  }
  return panel;
}

}  // namespace

const Bundle* PluginBundle() { return g_pluginBundle; }

bool PrintAccountOvqPDEPlugInj15::initWithBundle(const Bundle* bundle) {
  if (g_pluginBundle == nullptr) g_pluginBundle = bundle;
  return true;
}

bool PrintAccountOvqPDEPlugInj15::CheckLoadCondition(ppd_file_t* ppd, const char* keyword) {
  ppd_attr_t* attribute = ppdFindAttr_ALT(ppd, keyword);
  return attribute == nullptr || attribute->value == nullptr || std::string(attribute->value) != "False";
}

bool PrintAccountOvqPDEPlugInj15::CheckDeviceModelFromPPD(ppd_file_t* ppd, const char* keyword) {
  return PPDAttrEquals(ppd, keyword, "Sorrel");
}

std::vector<std::unique_ptr<PDEPanel>> PrintAccountOvqPDEPlugInj15::PDEPanelsForType(const std::string& dialogType,
                                                                                     PDEHostCallback* host) {
  std::vector<std::unique_ptr<PDEPanel>> panels;
  ppd_file_t* ppd = host == nullptr ? nullptr : host->ppdFile();
  if (dialogType != kPrintDialogTypeID || ppd == nullptr) return panels;
  if (CheckLoadCondition(ppd, "OVXEnableAccounting")) {
    if (auto panel = Offer<JBAOvqPDEj15>(host, ppd, "OVXAccountingSettings", "JBA_", "OVPrintJBA_")) {
      panels.push_back(std::move(panel));
    }
  }
  if (!CheckLoadCondition(ppd, "OVXEnablePrintType")) return panels;
  if (auto panel = Offer<PrintTypeOvqPDEj15>(host, ppd, "OVXPrintTypeSettings", "SelectJobType_", "OVPrintType_")) {
    panels.push_back(std::move(panel));
  }
  return panels;
}

}  // namespace OVQ_PDE_NS
