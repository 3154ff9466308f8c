#include "bundle.h"

#include <sys/stat.h>

#include <fstream>
#include <sstream>

namespace {

std::map<std::string, std::unique_ptr<Bundle>>& Registry() {
  static std::map<std::string, std::unique_ptr<Bundle>> registry;
  return registry;
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* contents) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  *contents = buffer.str();
  return true;
}

Bundle::Bundle(std::string path, StringsTable info) : path_(std::move(path)), info_(std::move(info)) {
  identifier_ = InfoValue("CFBundleIdentifier");
}

std::unique_ptr<Bundle> Bundle::Open(const std::string& path) {
  std::string text;
  StringsTable info;
  if (!ReadWholeFile(path + "/Info.strings", &text) || !ParseStringsTable(text, &info)) return nullptr;
  std::unique_ptr<Bundle> bundle(new Bundle(path, std::move(info)));
  if (bundle->identifier_.empty()) return nullptr;
  return bundle;
}

std::string Bundle::InfoValue(const std::string& key) const {
  auto found = info_.find(key);
  return found == info_.end() ? std::string() : found->second;
}

const StringsTable& Bundle::Table(const std::string& table) const {
  auto found = tables_.find(table);
  if (found != tables_.end()) return found->second;
  StringsTable loaded;
  std::string text;
  if (ReadWholeFile(ResourcePath() + "/" + table + ".strings", &text)) ParseStringsTable(text, &loaded);
  return tables_.emplace(table, std::move(loaded)).first->second;
}

std::string Bundle::LocalizedString(const std::string& key, const std::string& fallback,
                                    const std::string& table) const {
  const StringsTable& strings = Table(table.empty() ? "Localizable" : table);
  auto found = strings.find(key);
  return found == strings.end() ? fallback : found->second;
}

std::string Bundle::PathForResource(const std::string& name, const std::string& extension,
                                    const std::string& folder) const {
  std::string path = ResourcePath() + "/";
  if (!folder.empty()) path += folder + "/";
  path += name;
  if (!extension.empty()) path += "." + extension;
  return IsRegularFile(path) ? path : std::string();
}

const Bundle* RegisterBundle(const std::string& path) {
  std::unique_ptr<Bundle> bundle = Bundle::Open(path);
  if (bundle == nullptr) return nullptr;
  std::string identifier = bundle->Identifier();
  auto& slot = Registry()[identifier];
  slot = std::move(bundle);
  return slot.get();
}

const Bundle* BundleWithIdentifier(const std::string& identifier) {
  auto found = Registry().find(identifier);
  return found == Registry().end() ? nullptr : found->second.get();
}

void ForgetRegisteredBundles() { Registry().clear(); }
