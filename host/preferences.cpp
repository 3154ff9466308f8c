#include "preferences.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <map>

#include "atomic_file.h"
#include "bundle.h"
#include "group_membership.h"
#include "strings_table.h"

namespace {

struct Domain {
  StringsTable stored;  // as last read from the file
  std::map<std::string, std::optional<std::string>> pending;
  bool loaded = false;
};

std::map<std::string, Domain>& Domains() {
  static std::map<std::string, Domain> domains;
  return domains;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

bool IsAnyUser(const char* user) { return std::strcmp(user, kCFPreferencesAnyUser) == 0; }

std::string UserFolder(const char* user) {
  if (IsAnyUser(user)) {
    std::string dirs = EnvOr("XDG_CONFIG_DIRS", "/etc/xdg");
    return dirs.substr(0, dirs.find(':')) + "/ovq";
  }
  if (std::strcmp(user, kCFPreferencesCurrentUser) != 0 && LoginNameOfRealUser() != user) return std::string();
  return EnvOr("XDG_CONFIG_HOME", EnvOr("HOME", "") + "/.config") + "/ovq";
}

std::string HostName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "localhost";
  return name;
}

StringsTable ReadStrings(const std::string& path) {
  StringsTable table;
  std::string text;
  if (ReadWholeFile(path, &text)) ParseStringsTable(text, &table);
  return table;
}

Domain* DomainFor(const std::string& path) {
  if (path.empty()) return nullptr;
  Domain& domain = Domains()[path];
  if (!domain.loaded) {
    domain.stored = ReadStrings(path);
    domain.loaded = true;
  }
  return &domain;
}

}  // namespace

std::string PreferencesFilePath(const char* application, const char* user, const char* host) {
  if (application == nullptr || user == nullptr || host == nullptr) return std::string();
  std::string folder = UserFolder(user);
  if (folder.empty()) return std::string();
  std::string name = std::strcmp(application, kCFPreferencesAnyApplication) == 0 ? "global" : application;
  if (name.empty() || name.find('/') != std::string::npos) return std::string();
  if (std::strcmp(host, kCFPreferencesCurrentHost) == 0) name += "@" + HostName();
  return folder + "/" + name + ".strings";
}

void CFPreferencesSetValue(const char* key, const char* value, const char* application, const char* user,
                           const char* host) {
  Domain* domain = DomainFor(PreferencesFilePath(application, user, host));
  if (domain == nullptr || key == nullptr) return;
  domain->pending[key] = value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

std::optional<std::string> CFPreferencesCopyValue(const char* key, const char* application, const char* user,
                                                  const char* host) {
  Domain* domain = DomainFor(PreferencesFilePath(application, user, host));
  if (domain == nullptr || key == nullptr) return std::nullopt;
  if (auto changed = domain->pending.find(key); changed != domain->pending.end()) return changed->second;
  auto found = domain->stored.find(key);
  if (found == domain->stored.end()) return std::nullopt;
  return found->second;
}

bool CFPreferencesSynchronize(const char* application, const char* user, const char* host) {
  std::string path = PreferencesFilePath(application, user, host);
  Domain* domain = DomainFor(path);
  if (domain == nullptr) return false;
  bool ok = true;
  if (!domain->pending.empty()) {
    bool anyUser = IsAnyUser(user);
    ok = !anyUser || IsProcessUserAdministrator();
    StringsTable merged = ReadStrings(path);
    for (const auto& [key, value] : domain->pending) {
      if (value) {
        merged[key] = *value;
      } else {
        merged.erase(key);
      }
    }
    std::string text = FormatStringsTable(merged);
    std::string folder = path.substr(0, path.rfind('/'));
    ok = ok && MakeFolders(folder, anyUser ? 0755 : 0700) && WriteFileAtomically(path, text, anyUser ? 0644 : 0600);
    domain->pending.clear();
  }
  domain->stored = ReadStrings(path);
  return ok;
}

void ForgetPreferencesCache() { Domains().clear(); }
