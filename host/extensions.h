// Finding and loading the print-dialog extensions. An extension is a bundle
// folder "<name>.plugin" holding Info.strings (CFBundleIdentifier,
// CFBundleExecutable: the shared library beside it), the library, and
// Resources/. Hosts look, in this order, in the folders of OVQ_EXTENSIONS_PATH
// (colon-separated), in lib/ovq/extensions beside their own bin folder (so a
// host run from the build tree finds the bundles of that build), and in the
// installed folder <prefix>/lib/ovq/extensions. Within a folder bundles are
// taken in name order; of two bundles with one identifier the first found wins.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "bundle.h"
#include "pde_plugin.h"

struct LoadedExtension {
  const Bundle* bundle = nullptr;  // registered with the process's bundles
  std::unique_ptr<PDEPlugIn> plugin;
};

// The folder of the running program (empty when unknown).
std::string ExecutableFolder();

// The folders searched, in order (folders that do not exist included).
std::vector<std::string> ExtensionFolders();

// The process's extensions, loaded at the first call: every bundle found is
// registered with the process's bundles, its library opened, its principal class
// created and initialized with the bundle. A bundle that cannot be loaded is
// skipped with a line in `problems` (first call only). The libraries stay loaded
// for the life of the process.
const std::vector<LoadedExtension>& ProcessExtensions(std::vector<std::string>* problems);
