#include "jobflow.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "hostname.h"
#include "jobstate.h"
#include "modules.h"
#include "names.h"
#include "output.h"
#include "pjlheader.h"
#include "ppdattr.h"
#include "stream.h"
#include "textconv.h"
#include "ticket.h"
#include "version.h"

namespace {

void InstallSignalHandlers() {
  struct sigaction action = {};
  action.sa_handler = SignalHandler;
  // Writes and reads interrupted by a signal go on: only the flags tell.
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  action.sa_handler = SignalPipeHandler;
  sigaction(SIGPIPE, &action, nullptr);
}

void PrepareUserName(const char* user) {
  ConvertUTF8ToEncoding(user, StdUserName, kStdTextSize);
  CopyWholeCharacters(StdJBAUserName, sizeof StdJBAUserName, StdUserName);
}

void PrepareDocumentName(char* argv[]) {
  const char* title = argv[3];
  if (std::strchr(title, '\r') != nullptr || std::strchr(title, '\n') != nullptr) return;
  ConvertUTF8ToEncoding(title, StdDocumentName, kStdTextSize);
  InvalidateStdDocumentNameForProductType(argv);
}

bool IsAllDigits(const char* text) {
  if (*text == '\0') return false;
  for (; *text != '\0'; ++text) {
    if (*text < '0' || *text > '9') return false;
  }
  return true;
}

// A new file at `path`, never an existing one or one reached through a
// symbolic link, with the copy's mode; -1 when there is none.
int CreateJobCopyFile(const char* path) {
  int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) fchmod(fd, 0676);
  return fd;
}

// Opens the diagnostic job copy when the flag file exists. A copy of another
// job started in the same second keeps its name: this one then takes the job
// ID (all digits) into its name, or is not made.
void OpenJobCopy(const char* job_id) {
  gJobFilefp = nullptr;
  if (access(kJobCopyFlagFile, F_OK) != 0) return;
  int32_t version = 0;
  Gestalt_ALT(kGestaltSystemVersion, &version);
  char stamp[64] = {};
  time_t now = time(nullptr);
  struct tm local = {};
  localtime_r(&now, &local);
  strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
  char path[kJobCopyPathSize] = {};
  if (!JobCopyPath(version, stamp, nullptr, path, sizeof path)) return;
  int fd = CreateJobCopyFile(path);
  if (fd < 0 && errno == EEXIST && IsAllDigits(job_id) && JobCopyPath(version, stamp, job_id, path, sizeof path)) {
    fd = CreateJobCopyFile(path);
  }
  if (fd >= 0 && (gJobFilefp = fdopen(fd, "wb")) == nullptr) close(fd);
  if (gJobFilefp == nullptr) std::fprintf(stderr, "DEBUG: No diagnostic job copy: %s\n", std::strerror(errno));
}

// Before anything is written: a document file that cannot be read is reported,
// and the job sends nothing.
bool DocumentReadable(const char* file) {
  int fd = open(file, O_RDONLY | O_CLOEXEC);
  struct stat info = {};
  int error = fd < 0 ? errno : fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  if (fd >= 0) close(fd);
  if (error != 0) ReportJobFailure("Cannot read the document", error);
  return error == 0;
}

}  // namespace

bool JobCopyPath(int version, const char* stamp, const char* job_id, char* path, int capacity) {
  const char* dash = job_id != nullptr ? "-" : "";
  if (job_id == nullptr) job_id = "";
  int written;
  if (version > 0x109F) {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr) folder = "/tmp";
    written = std::snprintf(path, capacity, "%s/kq%s%s%s.job", folder, stamp, dash, job_id);
  } else {
    written = std::snprintf(path, capacity, "/private/tmp/ov%s%s%s.job", stamp, dash, job_id);
  }
  if (written < 0 || written >= capacity) {
    path[0] = '\0';
    return false;
  }
  return true;
}

void ResetJobState() {
  ResetBaseState();
  ResetModuleStates();
  std::memset(g_DLOutputMode, 0, sizeof g_DLOutputMode);
  ResetGestaltCache();
}

int FilterMain(int argc, char* argv[]) {
  if (argc < 6 || argc > 7) {
    std::fputs("Usage: ovqfilter job-id user title copies options [file]\n", stderr);
    return 1;
  }
  ResetJobState();
  if (argc == 7 && !DocumentReadable(argv[6])) return 1;
  PrepareUserName(argv[2]);
  InstallSignalHandlers();
  InvalidateStdUserName();
  PrepareDocumentName(argv);
  InializeDescriptionTable();
  OpenJobCopy(argv[1]);
  getHostName(HostNameStr);
  setvbuf(stderr, nullptr, _IONBF, 0);

  GetTicketFromPDE(argv);
  OutputQPJLCommand(argv);
  if (PPDAttrEquals(JobPPD(), "OVPSDecompMode", "1")) {
    OutputPSStreamtoFileandInsertPJLforFeaturePDE(argc, argv);
  } else {
    OutputPSStream(argc, argv);
  }
  OutputQPJLCommandTrailer(argv);
  KQfflush(stdout);
  CloseJobCopyFile();
  CloseJobPPD();
  if (CancelJobForPipe == 1) return 1;
  // A broken pipe is the designed case above; any other write error loses the job.
  const int output_error = StandardOutputError();
  if (output_error != 0 && output_error != EPIPE) ReportJobFailure("Cannot send the job to the printer", output_error);
  return JobFailed == 1 ? 1 : 0;
}
