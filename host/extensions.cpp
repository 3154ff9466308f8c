#include "extensions.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#ifndef OVQ_INSTALLED_EXTENSIONS_DIR
#error "the build names the installed extensions folder"
#endif

namespace {

constexpr char kBundleSuffix[] = ".plugin";

std::vector<std::string> BundlesIn(const std::string& folder) {
  std::vector<std::string> bundles;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return bundles;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    size_t suffix = sizeof kBundleSuffix - 1;
    if (name.size() > suffix && name.compare(name.size() - suffix, suffix, kBundleSuffix) == 0) {
      bundles.push_back(folder + "/" + name);
    }
  }
  closedir(dir);
  std::sort(bundles.begin(), bundles.end());
  return bundles;
}

std::unique_ptr<PDEPlugIn> OpenPlugIn(const Bundle& bundle, std::string* problem) {
  std::string executable = bundle.InfoValue("CFBundleExecutable");
  if (executable.empty() || executable.find('/') != std::string::npos) {
    *problem = bundle.Path() + ": no CFBundleExecutable";
    return nullptr;
  }
  void* library = dlopen((bundle.Path() + "/" + executable).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    *problem = bundle.Path() + ": " + dlerror();
    return nullptr;
  }
  auto entry = reinterpret_cast<PDEPrincipalClassFunction>(dlsym(library, kPDEPrincipalClassEntry));
  if (entry == nullptr) {
    *problem = bundle.Path() + ": no " + kPDEPrincipalClassEntry;
    return nullptr;
  }
  std::unique_ptr<PDEPlugIn> plugin(entry());
  if (plugin == nullptr || !plugin->initWithBundle(&bundle)) {
    *problem = bundle.Path() + ": the principal class does not start";
    return nullptr;
  }
  return plugin;
}

}  // namespace

std::string ExecutableFolder() {
  char path[4096] = {};
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return {};
  std::string exe(path, static_cast<size_t>(length));
  return exe.substr(0, exe.rfind('/'));
}

std::vector<std::string> ExtensionFolders() {
  std::vector<std::string> folders;
  if (const char* path = std::getenv("OVQ_EXTENSIONS_PATH")) {
    std::string list = path;
    for (size_t start = 0; start <= list.size();) {
      size_t colon = std::min(list.find(':', start), list.size());
      if (colon > start) folders.push_back(list.substr(start, colon - start));
      start = colon + 1;
    }
  }
  std::string bin = ExecutableFolder();
  if (!bin.empty()) folders.push_back(bin.substr(0, bin.rfind('/')) + "/lib/ovq/extensions");
  folders.push_back(OVQ_INSTALLED_EXTENSIONS_DIR);
  return folders;
}

namespace {

std::vector<LoadedExtension> LoadExtensions(std::vector<std::string>* problems) {
  std::vector<LoadedExtension> loaded;
  std::set<std::string> identifiers;
  std::set<std::string> seenFolders;
  for (const std::string& folder : ExtensionFolders()) {
    char resolved[4096] = {};
    if (realpath(folder.c_str(), resolved) == nullptr || !seenFolders.insert(resolved).second) continue;
    for (const std::string& path : BundlesIn(resolved)) {
      std::unique_ptr<Bundle> probe = Bundle::Open(path);
      if (probe == nullptr) {
        if (problems != nullptr) problems->push_back(path + ": no Info.strings with a CFBundleIdentifier");
        continue;
      }
      if (!identifiers.insert(probe->Identifier()).second) continue;
      const Bundle* bundle = RegisterBundle(path);
      std::string problem;
      std::unique_ptr<PDEPlugIn> plugin = bundle == nullptr ? nullptr : OpenPlugIn(*bundle, &problem);
      if (plugin == nullptr) {
        if (problems != nullptr) problems->push_back(problem);
        continue;
      }
      loaded.push_back(LoadedExtension{bundle, std::move(plugin)});
    }
  }
  return loaded;
}

}  // namespace

const std::vector<LoadedExtension>& ProcessExtensions(std::vector<std::string>* problems) {
  static const std::vector<LoadedExtension> extensions = LoadExtensions(problems);
  return extensions;
}
