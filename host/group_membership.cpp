#include "group_membership.h"

#include <grp.h>
#include <pwd.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "bundle.h"

namespace {

constexpr size_t kFirstBufferSize = 4096;
constexpr size_t kLargestBufferSize = 1 << 20;
constexpr const char* kDefaultSystemGroup = "lpadmin";

// Runs a reentrant database lookup, growing its buffer while it reports ERANGE.
// Returns 0 with *found set (or nullptr when there is no entry), or the error.
template <typename Entry, typename Lookup>
int LookUp(Lookup lookup, Entry* entry, Entry** found, std::vector<char>* buffer) {
  buffer->assign(kFirstBufferSize, '\0');
  for (;;) {
    *found = nullptr;
    int error = lookup(entry, buffer->data(), buffer->size(), found);
    if (error != ERANGE) return error;
    if (buffer->size() >= kLargestBufferSize) return error;
    buffer->assign(buffer->size() * 2, '\0');
  }
}

}  // namespace

GroupQueryResult QueryGroupMembership(const std::string& group, const std::string& user) {
  struct group groupEntry {};
  struct group* foundGroup = nullptr;
  std::vector<char> groupBuffer;
  int error = LookUp([&](struct group* entry, char* buffer, size_t size,
                         struct group** found) { return getgrnam_r(group.c_str(), entry, buffer, size, found); },
                     &groupEntry, &foundGroup, &groupBuffer);
  if (error != 0 && error != ENOENT && error != ESRCH) return GroupQueryResult::kQueryFailed;
  if (foundGroup == nullptr) return GroupQueryResult::kNoSuchGroup;

  for (char** member = foundGroup->gr_mem; member != nullptr && *member != nullptr; ++member) {
    if (user == *member) return GroupQueryResult::kMember;
  }

  struct passwd userEntry {};
  struct passwd* foundUser = nullptr;
  std::vector<char> userBuffer;
  error = LookUp([&](struct passwd* entry, char* buffer, size_t size,
                     struct passwd** found) { return getpwnam_r(user.c_str(), entry, buffer, size, found); },
                 &userEntry, &foundUser, &userBuffer);
  if (error != 0 && error != ENOENT && error != ESRCH) return GroupQueryResult::kQueryFailed;
  if (foundUser == nullptr) return GroupQueryResult::kNoSuchUser;
  return foundUser->pw_gid == foundGroup->gr_gid ? GroupQueryResult::kMember : GroupQueryResult::kNotMember;
}

std::string LoginNameOfRealUser() {
  struct passwd userEntry {};
  struct passwd* foundUser = nullptr;
  std::vector<char> buffer;
  uid_t uid = getuid();
  int error = LookUp([&](struct passwd* entry, char* data, size_t size,
                         struct passwd** found) { return getpwuid_r(uid, entry, data, size, found); },
                     &userEntry, &foundUser, &buffer);
  if (error != 0 || foundUser == nullptr || foundUser->pw_name == nullptr) return std::string();
  return foundUser->pw_name;
}

std::vector<std::string> ParseSystemGroups(std::string_view confText) {
  std::vector<std::string> groups;
  std::istringstream lines{std::string(confText)};
  for (std::string line; std::getline(lines, line);) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string directive;
    if (!(words >> directive) || strcasecmp(directive.c_str(), "SystemGroup") != 0) continue;
    for (std::string group; words >> group;) groups.push_back(group);
  }
  if (groups.empty()) groups.emplace_back(kDefaultSystemGroup);
  return groups;
}

std::string CupsFilesConfPath() {
  const char* root = std::getenv("CUPS_SERVERROOT");
  return std::string(root != nullptr && *root != '\0' ? root : "/etc/cups") + "/cups-files.conf";
}

bool IsAdministrator(uid_t uid, const std::string& login, const std::string& confPath) {
  if (uid == 0) return true;
  if (login.empty()) return false;
  std::string text;
  if (!ReadWholeFile(confPath, &text)) text.clear();
  for (const std::string& group : ParseSystemGroups(text)) {
    if (QueryGroupMembership(group, login) == GroupQueryResult::kMember) return true;
  }
  return false;
}

bool IsProcessUserAdministrator() { return IsAdministrator(getuid(), LoginNameOfRealUser(), CupsFilesConfPath()); }
