#include "scheduler.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

void Sleep(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Links every entry of `from` into `to` (created), except the names in `skip`.
void LinkEntries(const std::string& from, const std::string& to, const std::string& skip) {
  fs::create_directories(to);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(from, ec)) {
    if (entry.path().filename() == skip) continue;
    fs::create_symlink(entry.path(), to + "/" + entry.path().filename().string(), ec);
  }
}

}  // namespace

std::string CupsProgram(const std::string& name) {
  for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/usr/local/sbin/", "/usr/local/bin/"}) {
    std::string path = folder + name;
    if (access(path.c_str(), X_OK) == 0) return path;
  }
  return name;
}

PrivateScheduler::~PrivateScheduler() { Stop(); }

std::string PrivateScheduler::ErrorLog() const { return dir_ ? ReadFile(dir_->File("log/error_log")) : ""; }

bool PrivateScheduler::WriteConfiguration(const std::string& filter, std::string& error) {
  const std::string base = dir_->path();
  // cupsd runs the filters as "lp": every folder on their way must be open to it,
  // and cupsd refuses programs in folders that others may write to.
  chmod(base.c_str(), 0755);
  for (const char* folder : {"root", "spool", "spool/tmp", "cache", "state", "log", "bin"}) {
    fs::create_directories(base + "/" + folder);
    chmod((base + "/" + folder).c_str(), 0755);
  }
  const std::string serverbin = OVQ_CUPS_SERVERBIN;
  LinkEntries(serverbin + "/filter", base + "/bin/filter", "ovqfilter");
  chmod((base + "/bin/filter").c_str(), 0755);
  std::error_code ec;
  fs::copy_file(filter, base + "/bin/filter/ovqfilter", fs::copy_options::overwrite_existing, ec);
  if (ec) {
    error = "cannot copy " + filter + ": " + ec.message();
    return false;
  }
  chmod((base + "/bin/filter/ovqfilter").c_str(), 0755);
  for (const char* folder : {"backend", "daemon", "driver", "monitor", "notifier", "cgi-bin"}) {
    fs::create_symlink(serverbin + "/" + folder, base + "/bin/" + folder, ec);
  }

  std::string files = "ServerRoot " + base + "/root\n" + "RequestRoot " + base + "/spool\n" + "TempDir " + base +
                      "/spool/tmp\n" + "CacheDir " + base + "/cache\n" + "StateDir " + base + "/state\n" +
                      "ServerBin " + base + "/bin\n" + "DataDir " + OVQ_CUPS_DATADIR + "\n" + "AccessLog " + base +
                      "/log/access_log\n" + "ErrorLog " + base + "/log/error_log\n" + "PageLog " + base +
                      "/log/page_log\n" + "FileDevice Yes\n";
  if (geteuid() == 0) {
    files += "User lp\nGroup lp\nSystemGroup root\n";
  } else if (struct group* g = getgrgid(getegid())) {
    files += std::string("SystemGroup ") + g->gr_name + "\n";
  }
  WriteFile(base + "/root/cups-files.conf", files);
  WriteFile(base + "/root/cupsd.conf",
            "LogLevel debug\nMaxLogSize 0\nListen " + socket_ +
                "\nBrowsing Off\nWebInterface No\nDefaultAuthType None\nErrorPolicy abort-job\n"
                "PreserveJobHistory Yes\nMaxJobs 0\n"
                "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
  return true;
}

bool PrivateScheduler::Start(const std::string& filter, std::string& error) {
  dir_ = std::make_unique<TempDir>();
  socket_ = dir_->File("cupsd.sock");
  if (!WriteConfiguration(filter, error)) return false;
  std::string cupsd = CupsProgram("cupsd");
  std::string conf = dir_->File("root/cupsd.conf"), files = dir_->File("root/cups-files.conf");
  std::string out = dir_->File("log/cupsd.out");
  pid_ = fork();
  if (pid_ < 0) {
    error = "fork failed";
    return false;
  }
  if (pid_ == 0) {
    int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
      dup2(fd, 1);
      dup2(fd, 2);
      close(fd);
    }
    setsid();
    execl(cupsd.c_str(), cupsd.c_str(), "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (!WaitUntilReady(30)) {
    error = "cupsd did not come up:\n" + ReadFile(out) + ErrorLog();
    Stop();
    return false;
  }
  return true;
}

bool PrivateScheduler::WaitUntilReady(int seconds) {
  for (int i = 0; i < seconds * 10; ++i) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    if (access(socket_.c_str(), F_OK) == 0) {
      RunSpec spec;
      spec.program = CupsProgram("lpstat");
      spec.args = {"-h", socket_, "-r"};
      if (RunProgram(spec).out.find("scheduler is running") != std::string::npos) return true;
    }
    Sleep(100);
  }
  return false;
}

void PrivateScheduler::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    Sleep(100);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

std::string PrivateScheduler::AddQueue(const std::string& name, const std::string& ppd, std::string& error) {
  std::string device = dir_->File(name + ".prn");
  RunSpec spec;
  spec.program = CupsProgram("lpadmin");
  spec.args = {"-h", socket_, "-p", name, "-E", "-v", "file://" + device, "-P", ppd};
  RunResult r = RunProgram(spec);
  if (r.exit_status != 0) {
    error = "lpadmin failed: " + r.err;
    return {};
  }
  return device;
}

int PrivateScheduler::Submit(const std::string& queue, const std::string& file, const std::string& title,
                             const std::string& user, const std::vector<std::string>& options, std::string& error) {
  RunSpec spec;
  spec.program = CupsProgram("lp");
  spec.args = {"-h", socket_, "-d", queue, "-t", title};
  if (!user.empty()) spec.args.insert(spec.args.end(), {"-U", user});
  for (const std::string& option : options) spec.args.insert(spec.args.end(), {"-o", option});
  spec.args.push_back(file);
  RunResult r = RunProgram(spec);
  // "request id is QUEUE-ID (1 file(s))"
  std::string marker = "request id is " + queue + "-";
  size_t at = r.out.find(marker);
  if (r.exit_status != 0 || at == std::string::npos) {
    error = "lp failed: " + r.out + r.err;
    return 0;
  }
  return std::atoi(r.out.c_str() + at + marker.size());
}

JobStatus PrivateScheduler::WaitForJob(int job_id, int seconds) {
  JobStatus status;
  http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 30000, nullptr);
  if (http == nullptr) return status;
  char uri[256];
  std::snprintf(uri, sizeof uri, "ipp://localhost/jobs/%d", job_id);
  static const char* const kAttributes[] = {"job-state", "job-impressions-completed", "job-state-reasons"};
  for (int i = 0; i < seconds * 10; ++i) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kAttributes);
    ipp_t* response = cupsDoRequest(http, request, "/");
    if (response != nullptr) {
      if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) status.state = ippGetInteger(a, 0);
      if (ipp_attribute_t* a = ippFindAttribute(response, "job-impressions-completed", IPP_TAG_INTEGER)) {
        status.impressions_completed = ippGetInteger(a, 0);
      }
      status.reasons.clear();
      if (ipp_attribute_t* a = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD)) {
        for (int v = 0; v < ippGetCount(a); ++v) {
          if (v > 0) status.reasons += ",";
          status.reasons += ippGetString(a, v, nullptr);
        }
      }
      ippDelete(response);
    }
    if (status.state >= IPP_JSTATE_STOPPED) break;
    Sleep(100);
  }
  httpClose(http);
  return status;
}
