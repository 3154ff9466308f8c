// The principal class of ovqimageoptions: it offers the Image Options panel
// for printers whose PPD names the panel's product type and help in
// "OVXImageOptionsSettings", when the bundle holds that interface file and help page.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "image_options_panel.h"
#include "pde_plugin.h"

namespace OVQ_PDE_NS {

inline constexpr char kImageOptionsBundleID[] = "nvxops15.pde.ImageOptions";

class ImageOptionsOvqPDEPluginj15 : public PDEPlugIn {
 public:
  // Keeps the first bundle it is given for the life of the process.
  bool initWithBundle(const Bundle* bundle) override;
  // The panel for the print dialog with a PPD that offers it; none otherwise.
  std::vector<std::unique_ptr<PDEPanel>> PDEPanelsForType(const std::string& dialogType,
                                                          PDEHostCallback* host) override;
};

// The bundle the first initWithBundle stored.
const Bundle* PluginBundle();

}  // namespace OVQ_PDE_NS
