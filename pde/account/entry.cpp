// The one symbol ovqaccount exports: the host creates the principal class through it.
#include "account_plugin.h"

extern "C" __attribute__((visibility("default"))) PDEPlugIn* OvqPDEPrincipalClass() {
  return new OVQ_PDE_NS::PrintAccountOvqPDEPlugInj15;
}
