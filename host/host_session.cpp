#include "host_session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

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

std::string HostSession::PrinterFilePath(const std::string& extension) const {
  // The printer's name is a file name here: refuse what could leave the folder.
  if (printer_.empty() || printer_.front() == '.' || printer_.find('/') != std::string::npos) return {};
  return EnvOr("XDG_CONFIG_HOME", EnvOr("HOME", "") + "/.config") + "/ovq/printers/" + printer_ + "." + extension;
}

std::string HostSession::RememberedValuesPath() const { return PrinterFilePath("settings"); }

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

namespace {

bool WritePrinterFile(const std::string& path, const StringsTable& table) {
  return !path.empty() && MakeFolders(path.substr(0, path.rfind('/')), 0700) &&
         WriteFileAtomically(path, FormatStringsTable(table), 0600);
}

}  // namespace

bool HostSession::SaveRememberedValues() const {
  StringsTable table;
  for (const auto& [key, value] : settings_.Values()) {
    if (IsRememberedKey(key)) table[key.substr(printer_.size())] = value.text;
  }
  return WritePrinterFile(RememberedValuesPath(), table);
}

std::map<std::string, std::string> HostSession::LastUsedSettings() const {
  std::string path = PrinterFilePath("lastused");
  std::string text;
  StringsTable table;
  if (path.empty() || !ReadWholeFile(path, &text) || !ParseStringsTable(text, &table)) return {};
  return {table.begin(), table.end()};
}

bool HostSession::SaveLastUsedSettings(const std::map<std::string, std::string>& settings) const {
  return WritePrinterFile(PrinterFilePath("lastused"), StringsTable(settings.begin(), settings.end()));
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
  return SubmitFiles({file}, BaseName(file), options, nullptr, error);
}

namespace {

struct DestDeleter {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct InfoDeleter {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
struct HttpDeleter {
  void operator()(http_t* http) const { httpClose(http); }
};
// 0 when `fd` is an open document, else the reason (errno) it is not.
int DocumentProblem(int fd, struct stat* info) {
  if (fd < 0 || fstat(fd, info) != 0) return errno;
  return S_ISDIR(info->st_mode) ? EISDIR : 0;
}

// The documents of one job, open for reading until the job is sent.
struct OpenDocuments {
  OpenDocuments() = default;
  OpenDocuments(const OpenDocuments&) = delete;
  OpenDocuments& operator=(const OpenDocuments&) = delete;
  ~OpenDocuments() {
    for (int fd : fds) close(fd);
  }
  std::vector<int> fds;
};

// One job on the scheduler, cancelled unless it is kept.
class PendingJob {
 public:
  PendingJob(http_t* http, cups_dest_t* dest) : http_(http), dest_(dest) {}
  ~PendingJob() {
    if (id_ != 0 && !kept_) cupsCancelDestJob(http_, dest_, id_);
  }
  PendingJob(const PendingJob&) = delete;
  PendingJob& operator=(const PendingJob&) = delete;
  int* id() { return &id_; }
  int Keep() {
    kept_ = true;
    return id_;
  }

 private:
  http_t* http_;
  cups_dest_t* dest_;
  int id_ = 0;
  bool kept_ = false;
};

}  // namespace

bool ReadableDocument(const std::string& path, std::string* problem) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat info {};
  int reason = DocumentProblem(fd, &info);
  if (fd >= 0) close(fd);
  if (reason != 0) *problem = std::strerror(reason);
  return reason == 0;
}

int HostSession::SubmitFiles(const std::vector<std::string>& files, const std::string& title,
                             const std::vector<JobOption>& options, const SubmitProgress& progress,
                             std::string* error) const {
  if (queue_.empty() || files.empty()) {
    *error = queue_.empty() ? "no queue to print on" : "no document to print";
    return 0;
  }
  OpenDocuments documents;
  size_t total = 0;
  for (const std::string& file : files) {
    int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) documents.fds.push_back(fd);
    struct stat info {};
    if (int problem = DocumentProblem(fd, &info); problem != 0) {
      *error = file + ": " + std::strerror(problem);
      return 0;
    }
    if (S_ISREG(info.st_mode)) total += static_cast<size_t>(info.st_size);
  }
  std::unique_ptr<cups_dest_t, DestDeleter> dest(cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue_.c_str(), nullptr));
  std::unique_ptr<http_t, HttpDeleter> http(
      dest == nullptr ? nullptr
                      : httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr));
  std::unique_ptr<cups_dinfo_t, InfoDeleter> info(http == nullptr ? nullptr : cupsCopyDestInfo(http.get(), dest.get()));
  if (info == nullptr) {
    *error = dest != nullptr && http == nullptr ? "cannot reach the print server " + std::string(cupsServer())
                                                : std::string(cupsLastErrorString());
    return 0;
  }
  cups_option_t* cupsOptions = nullptr;
  int count = 0;
  for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &cupsOptions);
  PendingJob job(http.get(), dest.get());
  ipp_status_t created =
      cupsCreateDestJob(http.get(), dest.get(), info.get(), job.id(), title.c_str(), count, cupsOptions);
  cupsFreeOptions(count, cupsOptions);
  if (created > IPP_STATUS_OK_CONFLICTING || *job.id() == 0) {
    *error = cupsLastErrorString();
    return 0;
  }
  size_t sent = 0;
  std::vector<char> buffer(65536);
  for (size_t i = 0; i < files.size(); ++i) {
    bool last = i + 1 == files.size();
    if (cupsStartDestDocument(http.get(), dest.get(), info.get(), *job.id(), BaseName(files[i]).c_str(),
                              CUPS_FORMAT_AUTO, 0, nullptr, last ? 1 : 0) != HTTP_STATUS_CONTINUE) {
      *error = cupsLastErrorString();
      return 0;
    }
    for (;;) {
      ssize_t got = read(documents.fds[i], buffer.data(), buffer.size());
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        *error = files[i] + ": " + std::strerror(errno);
        cupsFinishDestDocument(http.get(), dest.get(), info.get());
        return 0;
      }
      if (got == 0) break;
      if (cupsWriteRequestData(http.get(), buffer.data(), static_cast<size_t>(got)) != HTTP_STATUS_CONTINUE) {
        *error = cupsLastErrorString();
        cupsFinishDestDocument(http.get(), dest.get(), info.get());
        return 0;
      }
      sent += static_cast<size_t>(got);
      if (progress) progress(sent, total);
    }
    if (cupsFinishDestDocument(http.get(), dest.get(), info.get()) > IPP_STATUS_OK_CONFLICTING) {
      *error = cupsLastErrorString();
      return 0;
    }
  }
  return job.Keep();
}
