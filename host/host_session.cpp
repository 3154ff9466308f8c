#include "host_session.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "atomic_file.h"
#include "bundle.h"
#include "cups_ppd.h"
#include "strings_table.h"

namespace {

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

HostSession::~HostSession() { Close(); }

void HostSession::Close() {
  if (ppd_ != nullptr) ppdClose(ppd_);
  ppd_ = nullptr;
  if (!downloadedPPD_.empty()) unlink(downloadedPPD_.c_str());
  downloadedPPD_.clear();
}

bool HostSession::Open(const std::string& ppdPath, std::string* error) {
  ppd_ = ppdOpenFile(ppdPath.c_str());
  if (ppd_ == nullptr) {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    *error = ppdPath + ": " + ppdErrorString(status) + " (line " + std::to_string(line) + ")";
    return false;
  }
  ppdMarkDefaults(ppd_);
  session_.SetCurrentPrinter(printer_);
  session_.SetDestinationType(kPMDestinationPrinter);
  return true;
}

bool HostSession::OpenQueue(const std::string& queue, std::string* error) {
  Close();
  cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
  if (dest == nullptr) {
    *error = "no such queue: " + queue + " (" + cupsLastErrorString() + ")";
    return false;
  }
  char path[1024] = {};
  time_t modified = 0;
  if (cupsGetPPD3(CUPS_HTTP_DEFAULT, queue.c_str(), &modified, path, sizeof path) != HTTP_STATUS_OK) {
    *error = "queue " + queue + " has no PPD (" + cupsLastErrorString() + ")";
    if (path[0] != '\0') unlink(path);
    cupsFreeDests(1, dest);
    return false;
  }
  downloadedPPD_ = path;
  queue_ = queue;
  printer_ = queue;
  bool opened = Open(path, error);
  if (opened) cupsMarkOptions(ppd_, dest->num_options, dest->options);
  cupsFreeDests(1, dest);
  return opened;
}

bool HostSession::OpenPPDFile(const std::string& path, std::string* error) {
  Close();
  queue_.clear();
  printer_ = BaseName(path);
  if (EndsWith(printer_, ".ppd")) printer_.resize(printer_.size() - 4);
  return Open(path, error);
}

bool HostSession::willChangePPDOptionKeyValue(const char* option, const char* choice) {
  if (ppd_ == nullptr || option == nullptr || choice == nullptr) return false;
  ppd_option_t* found = ppdFindOption(ppd_, option);
  if (found == nullptr || ppdFindChoice(found, choice) == nullptr) return false;
  ppdMarkOption(ppd_, option, choice);
  return true;
}

// ---- remembered values -------------------------------------------------------------

std::string HostSession::RememberedValuesPath() const {
  // The printer's name is a file name here: refuse what could leave the folder.
  if (printer_.empty() || printer_.front() == '.' || printer_.find('/') != std::string::npos) return {};
  return EnvOr("XDG_CONFIG_HOME", EnvOr("HOME", "") + "/.config") + "/ovq/printers/" + printer_ + ".settings";
}

bool HostSession::IsRememberedKey(const std::string& key) const {
  return key.size() > printer_.size() && key.compare(0, printer_.size(), printer_) == 0 &&
         key.compare(printer_.size(), std::strlen(kPrivateKeyPrefix), kPrivateKeyPrefix) == 0;
}

void HostSession::LoadRememberedValues() {
  std::string path = RememberedValuesPath();
  std::string text;
  StringsTable table;
  if (path.empty() || !ReadWholeFile(path, &text) || !ParseStringsTable(text, &table)) return;
  for (const auto& [name, value] : table) {
    if (name.rfind(kPrivateKeyPrefix, 0) == 0) settings_.Set(printer_ + name, value, false);
  }
}

bool HostSession::SaveRememberedValues() const {
  std::string path = RememberedValuesPath();
  if (path.empty()) return false;
  StringsTable table;
  for (const auto& [key, value] : settings_.Values()) {
    if (IsRememberedKey(key)) table[key.substr(printer_.size())] = value.text;
  }
  return MakeFolders(path.substr(0, path.rfind('/')), 0700) &&
         WriteFileAtomically(path, FormatStringsTable(table), 0600);
}

// ---- the job -----------------------------------------------------------------------------

std::vector<JobOption> HostSession::JobOptions() const {
  std::vector<JobOption> options;
  for (const auto& [key, value] : settings_.Values()) {
    if (IsRememberedKey(key) || EndsWith(key, "Reference")) continue;
    options.emplace_back(key, value.text);
  }
  for (ppd_option_t* option = ppd_ == nullptr ? nullptr : ppdFirstOption(ppd_); option != nullptr;
       option = ppdNextOption(ppd_)) {
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd_, option->keyword);
    // A custom value has no keyword of its own to send.
    if (marked == nullptr || std::strcmp(marked->choice, "Custom") == 0) continue;
    if (std::strcmp(marked->choice, option->defchoice) != 0) options.emplace_back(option->keyword, marked->choice);
  }
  std::sort(options.begin(), options.end());
  return options;
}

int HostSession::SubmitFile(const std::string& file, const std::vector<JobOption>& options, std::string* error) const {
  if (queue_.empty()) {
    *error = "no queue to print on";
    return 0;
  }
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
  int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue_.c_str(), file.c_str(), BaseName(file).c_str(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (job == 0) *error = cupsLastErrorString();
  return job;
}
