#include "image_options_plugin.h"

#include "ppd_access.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

namespace {

const Bundle* g_pluginBundle = nullptr;

}  // namespace

const Bundle* PluginBundle() { return g_pluginBundle; }

bool ImageOptionsOvqPDEPluginj15::initWithBundle(const Bundle* bundle) {
  if (g_pluginBundle == nullptr) g_pluginBundle = bundle;
  return true;
}

std::vector<std::unique_ptr<PDEPanel>> ImageOptionsOvqPDEPluginj15::PDEPanelsForType(const std::string& dialogType,
                                                                                     PDEHostCallback* host) {
  std::vector<std::unique_ptr<PDEPanel>> panels;
  ppd_file_t* ppd = host == nullptr ? nullptr : host->ppdFile();
  if (dialogType != kPrintDialogTypeID || ppd == nullptr) return panels;
  char keyword[256] = {};
  FixPPDKeywordAccordingToType(ppd, "OVXImageOptionsSettings", keyword, sizeof keyword);
  ppd_attr_t* settings = ppdFindAttr_ALT(ppd, keyword);
  // "Default01-xyz": product type Default01, help name xyz; a value without "-" names neither.
  if (settings == nullptr || settings->value == nullptr ||
      std::string(settings->value).find('-') == std::string::npos) {
    return panels;
  }
  std::string productType = GetAppResourceName(settings->value, 0);
  std::string helpName = GetAppResourceName(settings->value, 1);
  const Bundle* bundle = BundleWithIdentifier(kImageOptionsBundleID);
  if (bundle == nullptr || bundle->PathForResource("Graphics_" + helpName, "htm", "Help").empty() ||
      bundle->PathForResource("OVImageOptions_" + productType, "ui", "").empty()) {
    return panels;
  }
  auto panel = std::make_unique<ImageOptionsOvqPDEj15>(host);
  panel->setFirstInitialize(true);
  panel->setIsPrint(false);
  for (const ProductInfo& row : ImageOptionsOvqPDEj15::getProductInfoPtr()) {
    if (productType == row.name) panel->setPDEType(row.pdeType);
  }
  panel->setShouldPrintCalled(false);
  panels.push_back(std::move(panel));
  return panels;
}

}  // namespace OVQ_PDE_NS
