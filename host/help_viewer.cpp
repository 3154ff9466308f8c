#include "help_viewer.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <map>

#include "host_status.h"

extern char** environ;

namespace {

std::map<std::string, std::string>& Books() {
  static std::map<std::string, std::string> books;
  return books;
}

int RunDesktopOpener(const std::string& url) {
  char program[] = "xdg-open";
  std::string argument = url;
  char* argv[] = {program, argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return kHostNotFoundErr;
  int status = 0;
  if (waitpid(child, &status, 0) != child) return kHostNotFoundErr;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? kHostNoErr : kHostNotFoundErr;
}

HelpOpener& Opener() {
  static HelpOpener opener = RunDesktopOpener;
  return opener;
}

bool Exists(const std::string& path, bool wantFolder) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return false;
  return wantFolder ? S_ISDIR(info.st_mode) : S_ISREG(info.st_mode);
}

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

std::string PercentEncode(const std::string& text, bool keepSlash) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (IsUnreserved(c) || (keepSlash && c == '/')) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back('%');
      out.push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 0xF]);
    }
  }
  return out;
}

}  // namespace

std::string FileURL(const std::string& path, const std::string& anchor) {
  std::string url = "file://" + PercentEncode(path, true);
  if (!anchor.empty()) url += "#" + PercentEncode(anchor, false);
  return url;
}

int AHRegisterHelpBook(const Bundle* bundle) {
  if (bundle == nullptr) return kHostNotFoundErr;
  std::string name = bundle->InfoValue("CFBundleHelpBookName");
  std::string folder = bundle->InfoValue("CFBundleHelpBookFolder");
  if (name.empty() || folder.empty()) return kHostNotFoundErr;
  std::string path = bundle->ResourcePath() + "/" + folder;
  if (!Exists(path, true)) return kHostNotFoundErr;
  Books()[name] = path;
  return kHostNoErr;
}

int AHGotoPage(const char* bookName, const char* pagePath, const char* anchor) {
  if (bookName == nullptr) return kHostParamErr;
  auto found = Books().find(bookName);
  if (found == Books().end()) return kHostNotFoundErr;
  std::string page = pagePath == nullptr || *pagePath == '\0' ? "index.html" : pagePath;
  std::string path = found->second + "/" + page;
  if (!Exists(path, false)) return kHostNotFoundErr;
  return Opener()(FileURL(path, anchor == nullptr ? "" : anchor));
}

std::string HelpBookFolder(const std::string& bookName) {
  auto found = Books().find(bookName);
  return found == Books().end() ? std::string() : found->second;
}

void ForgetHelpBooks() { Books().clear(); }

int OpenHostHelpPage(const std::string& path) {
  if (path.empty() || path.front() != '/' || !Exists(path, false)) return kHostNotFoundErr;
  return Opener()(FileURL(path, ""));
}

void SetHelpOpener(HelpOpener opener) { Opener() = opener ? std::move(opener) : HelpOpener(RunDesktopOpener); }
