#include "jobflow.h"

#include <sys/stat.h>
#include <unistd.h>

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

// Path of the open job copy, for its mode after closing.
char g_job_copy_path[kJobCopyPathSize] = {};

void InstallSignalHandlers() {
  struct sigaction action = {};
  action.sa_handler = SignalHandler;
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
  std::memset(StdDocumentName, 0, sizeof StdDocumentName);
  std::memset(PTStdDocumentName, 0, sizeof PTStdDocumentName);
  const char* title = argv[3];
  if (std::strchr(title, '\r') != nullptr || std::strchr(title, '\n') != nullptr) return;
  ConvertUTF8ToEncoding(title, StdDocumentName, kStdTextSize);
  InvalidateStdDocumentNameForProductType(argv);
}

// Opens the diagnostic job copy when the flag file exists.
void OpenJobCopy() {
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
  if (!JobCopyPath(version, stamp, path, sizeof path)) return;
  gJobFilefp = std::fopen(path, "wb");
  if (gJobFilefp != nullptr) std::snprintf(g_job_copy_path, sizeof g_job_copy_path, "%s", path);
}

void CloseJobCopy() {
  if (gJobFilefp == nullptr) return;
  std::fclose(gJobFilefp);
  gJobFilefp = nullptr;
  chmod(g_job_copy_path, 0676);
}

}  // namespace

bool JobCopyPath(int version, const char* stamp, char* path, int capacity) {
  int written;
  if (version > 0x109F) {
    const char* folder = std::getenv("TMPDIR");
    if (folder == nullptr) folder = "/tmp";
    written = std::snprintf(path, capacity, "%s/kq%s.job", folder, stamp);
  } else {
    written = std::snprintf(path, capacity, "/private/tmp/ov%s.job", stamp);
  }
  if (written < 0 || written >= capacity) {
    path[0] = '\0';
    return false;
  }
  return true;
}

int FilterMain(int argc, char* argv[]) {
  if (argc < 6 || argc > 7) {
    std::fputs("Usage: ovqfilter job-id user title copies options [file]\n", stderr);
    return 1;
  }
  PrepareUserName(argv[2]);
  ClearLayoutGlobals();
  InstallSignalHandlers();
  InvalidateStdUserName();
  PrepareDocumentName(argv);
  InializeDescriptionTable();
  OpenJobCopy();
  std::memset(HostNameStr, 0, sizeof HostNameStr);
  std::memset(IPAddressStr, 0, sizeof IPAddressStr);
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
  std::fflush(stdout);
  CloseJobCopy();
  CloseJobPPD();
  return CancelJobForPipe == 1 ? 1 : 0;
}
