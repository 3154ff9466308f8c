#include "system_access.h"

#include <cstdio>

#include "group_membership.h"
#include "help_viewer.h"
#include "host_status.h"

#if !defined(OVQ_PDE_BUNDLE_ID) || !defined(OVQ_PDE_CLIENT_ID)
#error "the build names the extension's bundle identifier and client ID"
#endif

namespace OVQ_PDE_NS {

int32_t GetSystemVersion() {
  int32_t version = 0x1000;
  if (Gestalt_ALT(kGestaltSystemVersion, &version) != 0) return 0x1000;
  return version;
}

bool checkIfAdminUser(const char* userName) {
  if (userName == nullptr || *userName == '\0') return false;
  std::string text;
  if (!ReadWholeFile(CupsFilesConfPath(), &text)) text.clear();
  for (const std::string& group : ParseSystemGroups(text)) {
    switch (QueryGroupMembership(group, userName)) {
      case GroupQueryResult::kMember:
        return true;
      case GroupQueryResult::kQueryFailed:
        std::fprintf(stderr, "UtilityService - CSIdentityQueryExecute failed.\n");
        return false;
      default:
        break;
    }
  }
  return false;
}

bool IsUserAdmin() { return IsProcessUserAdministrator(); }

const char* GetAppBundleIdentifier() { return OVQ_PDE_BUNDLE_ID; }

const char* GetAppClientID() { return OVQ_PDE_CLIENT_ID; }

const Bundle* GetAppBundleRef() { return BundleWithIdentifier(OVQ_PDE_BUNDLE_ID); }

int RegisterMyHelpBook() {
  const Bundle* bundle = GetAppBundleRef();
  if (bundle == nullptr) return kHostNotFoundErr;
  return AHRegisterHelpBook(bundle);
}

int GotoHelpPage(const Bundle* bundle, const char* pagePath, const char* anchor, const char* bookNameKey) {
  if (bundle == nullptr || bookNameKey == nullptr) return kHostNotFoundErr;
  std::string bookName = bundle->LocalizedString(bookNameKey, kNoTranslation, "");
  return AHGotoPage(bookName.c_str(), pagePath, anchor);
}

std::string GetAppResourceName(std::string_view text, int part) {
  size_t dash = text.find('-');
  if (part == 0) return std::string(text.substr(0, dash));
  if (part == 1 && dash != std::string_view::npos) return std::string(text.substr(dash + 1));
  return std::string();
}

std::string GetAppFullResourceName(const std::string& name, int mode, const std::string& prefixA,
                                   const std::string& prefixB) {
  if (mode == 0) return prefixA + name;
  if (mode == 1) return prefixB + name;
  return name;
}

char* itoa(int value, char* buffer, size_t size) {
  if (buffer == nullptr || size == 0) return nullptr;
  char* end = buffer + size - 1;
  *end = '\0';
  char* first = end;
  for (unsigned int rest = value > 0 ? static_cast<unsigned int>(value) : 0; rest > 0; rest /= 10) {
    if (first == buffer) return end;  // no room for every digit
    *--first = static_cast<char>('0' + rest % 10);
  }
  return first;
}

}  // namespace OVQ_PDE_NS
