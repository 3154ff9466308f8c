// The principal class of ovqaccount: it offers the Job Accounting and Print Type
// panels for the printers whose PPDs enable them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "pde_namespace.h"
#include "pde_plugin.h"

namespace OVQ_PDE_NS {

class PrintAccountOvqPDEPlugInj15 : public PDEPlugIn {
 public:
  // Keeps the first bundle it is given for the life of the process.
  bool initWithBundle(const Bundle* bundle) override;
  // For the print dialog with a PPD: the Job Accounting panel first, then the
  // Print Type panel, each when its PPD attributes enable it and its interface
  // file and help page exist in the bundle.
  std::vector<std::unique_ptr<PDEPanel>> PDEPanelsForType(const std::string& dialogType,
                                                          PDEHostCallback* host) override;

  // True when the PPD has no such attribute or its value is not exactly "False".
  static bool CheckLoadCondition(ppd_file_t* ppd, const char* keyword);
  // True when the attribute's value is "Sorrel".
  static bool CheckDeviceModelFromPPD(ppd_file_t* ppd, const char* keyword);
};

// The bundle the first initWithBundle stored.
const Bundle* PluginBundle();

}  // namespace OVQ_PDE_NS
