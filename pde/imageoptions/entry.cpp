// The one symbol ovqimageoptions exports: the host creates the principal class through it.
#include "image_options_plugin.h"

extern "C" __attribute__((visibility("default"))) PDEPlugIn* OvqPDEPrincipalClass() {
  return new OVQ_PDE_NS::ImageOptionsOvqPDEPluginj15;
}
