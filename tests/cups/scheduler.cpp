#include "scheduler.h"

#include <cups/cups.h>
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Full path of a CUPS program ("cupsd", "lp", "lpadmin", ...), or the bare name.
std::string CupsProgram(const std::string& name) {
  for (const char* folder : {"/usr/sbin/", "/usr/bin/", "/usr/local/sbin/", "/usr/local/bin/"}) {
    if (access((folder + name).c_str(), X_OK) == 0) return folder + name;
  }
  return name;
}

void MakeOpenFolder(const std::string& path) {
  fs::create_directories(path);
  chmod(path.c_str(), 0755);
}

bool Exited(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == pid; }

}  // namespace

std::string PrivateScheduler::ErrorLog() const { return dir_ ? ReadFile(dir_->File("log/error_log")) : ""; }

void PrivateScheduler::WriteConfiguration(const std::string& filter) {
  const std::string base = dir_->path();
  const std::string serverbin = OVQ_CUPS_SERVERBIN;
  // cupsd runs the filters as "lp": every folder on their way must be open to it,
  // and cupsd refuses programs in folders that others may write to.
  chmod(base.c_str(), 0755);
  for (const char* folder : {"root", "spool", "spool/tmp", "cache", "state", "log", "bin", "bin/filter"}) {
    MakeOpenFolder(base + "/" + folder);
  }
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(serverbin + "/filter", ec)) {
    fs::create_symlink(entry.path(), base + "/bin/filter/" + entry.path().filename().string(), ec);
  }
  fs::remove(base + "/bin/filter/ovqfilter", ec);
  fs::copy_file(filter, base + "/bin/filter/ovqfilter", ec);
  chmod((base + "/bin/filter/ovqfilter").c_str(), 0755);
  for (const char* folder : {"backend", "daemon", "driver", "monitor", "notifier", "cgi-bin"}) {
    fs::create_symlink(serverbin + "/" + folder, base + "/bin/" + folder, ec);
  }
  std::string files;
  const std::pair<const char*, const char*> folders[] = {
      {"ServerRoot", "/root"},          {"RequestRoot", "/spool"},      {"TempDir", "/spool/tmp"},
      {"CacheDir", "/cache"},           {"StateDir", "/state"},         {"ServerBin", "/bin"},
      {"AccessLog", "/log/access_log"}, {"ErrorLog", "/log/error_log"}, {"PageLog", "/log/page_log"}};
  for (const auto& [key, folder] : folders) files += std::string(key) + " " + base + folder + "\n";
  files += std::string("DataDir ") + OVQ_CUPS_DATADIR + "\nFileDevice Yes\n";
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
}

bool PrivateScheduler::Start(const std::string& filter, std::string& error) {
  dir_ = std::make_unique<TempDir>();
  socket_ = dir_->File("cupsd.sock");
  WriteConfiguration(filter);
  if (!fs::exists(dir_->File("bin/filter/ovqfilter"))) {
    error = "cannot copy " + filter;
    return false;
  }
  std::string cupsd = CupsProgram("cupsd"), out = dir_->File("log/cupsd.out");
  std::string conf = dir_->File("root/cupsd.conf"), files = dir_->File("root/cups-files.conf");
  if ((pid_ = fork()) == 0) {
    int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    dup2(fd, 2);
    setsid();
    execl(cupsd.c_str(), cupsd.c_str(), "-f", "-c", conf.c_str(), "-s", files.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid_ > 0 && WaitUntilReady(30)) return true;
  error = "cupsd did not come up:\n" + ReadFile(out) + ErrorLog();
  Stop();
  return false;
}

bool PrivateScheduler::WaitUntilReady(int seconds) {
  for (int i = 0; i < seconds * 10; ++i, usleep(100000)) {
    if (Exited(pid_)) {
      pid_ = -1;
      return false;
    }
    if (access(socket_.c_str(), F_OK) != 0) continue;
    RunResult r = RunTool(CupsProgram("lpstat"), {"-h", socket_, "-r"});
    if (r.out.find("scheduler is running") != std::string::npos) return true;
  }
  return false;
}

void PrivateScheduler::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  bool gone = false;
  for (int i = 0; i < 100 && !(gone = Exited(pid_)); ++i) usleep(100000);
  if (!gone) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  pid_ = -1;
}

std::string PrivateScheduler::AddQueue(const std::string& name, const std::string& ppd, std::string& error,
                                       const std::vector<std::string>& defaults) {
  std::string device = dir_->File(name + ".prn");
  RunResult r = RunTool(CupsProgram("lpadmin"), {"-h", socket_, "-p", name, "-E", "-v", "file://" + device, "-P", ppd});
  if (r.exit_status == 0 && !defaults.empty()) {
    std::vector<std::string> args = {"-h", socket_, "-p", name};
    for (const std::string& option : defaults) args.insert(args.end(), {"-o", option});
    r = RunTool(CupsProgram("lpadmin"), args);
  }
  if (r.exit_status == 0) return device;
  error = "lpadmin failed: " + r.err;
  return {};
}

int PrivateScheduler::Submit(const std::string& queue, const std::string& file, const std::string& title,
                             const std::string& user, const std::string& options, std::string& error) {
  std::vector<std::string> args = {"-h", socket_, "-d", queue, "-t", title};
  if (!user.empty()) args.insert(args.end(), {"-U", user});
  if (!options.empty()) args.insert(args.end(), {"-o", options});
  args.push_back(file);
  RunResult r = RunTool(CupsProgram("lp"), args);
  // "request id is QUEUE-ID (1 file(s))"
  std::string marker = "request id is " + queue + "-";
  size_t at = r.out.find(marker);
  if (r.exit_status == 0 && at != std::string::npos) return std::atoi(r.out.c_str() + at + marker.size());
  error = "lp failed: " + r.out + r.err;
  return 0;
}

std::string PrivateScheduler::JobAttributes(int job_id) {
  http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 30000, nullptr);
  if (http == nullptr) return {};
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
  std::string uri = "ipp://localhost/jobs/" + std::to_string(job_id);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
  ipp_t* response = cupsDoRequest(http, request, "/");
  std::string text;
  for (ipp_attribute_t* a = response == nullptr ? nullptr : ippFirstAttribute(response); a != nullptr;
       a = ippNextAttribute(response)) {
    if (ippGetName(a) == nullptr) continue;
    char value[4096] = {};
    ippAttributeString(a, value, sizeof value);
    text += std::string(ippGetName(a)) + "=" + value + "\n";
  }
  ippDelete(response);
  httpClose(http);
  return text;
}

JobStatus PrivateScheduler::WaitForJob(int job_id, int seconds) {
  JobStatus status;
  http_t* http = httpConnect2(socket_.c_str(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 30000, nullptr);
  if (http == nullptr) return status;
  std::string uri = "ipp://localhost/jobs/" + std::to_string(job_id);
  static const char* const kAttributes[] = {"job-state", "job-impressions-completed", "job-state-reasons"};
  for (int i = 0; i < seconds * 10 && status.state < IPP_JSTATE_STOPPED; ++i, usleep(100000)) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, kAttributes);
    ipp_t* response = cupsDoRequest(http, request, "/");
    if (response == nullptr) continue;
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) status.state = ippGetInteger(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-impressions-completed", IPP_TAG_INTEGER)) {
      status.impressions_completed = ippGetInteger(a, 0);
    }
    status.reasons.clear();
    ipp_attribute_t* reasons = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD);
    for (int v = 0; reasons != nullptr && v < ippGetCount(reasons); ++v) {
      status.reasons += (v > 0 ? "," : "") + std::string(ippGetString(reasons, v, nullptr));
    }
    ippDelete(response);
  }
  httpClose(http);
  return status;
}
