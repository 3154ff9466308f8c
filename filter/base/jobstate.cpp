#include "jobstate.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "output.h"

char StdUserName[kStdTextSize + 1] = {};
char StdJBAUserName[kStdJBAUserNameSize] = {};
char StdDocumentName[kStdTextSize + 1] = {};
char PTStdDocumentName[kStdTextSize + 1] = {};

char StdNUpInfo[kStdTextSize + 1] = {};
char StdLayoutInfo[kStdTextSize + 1] = {};
char StdLayoutDirectionInfo[kStdTextSize + 1] = {};
char StdLayoutRowInfo[kStdTextSize + 1] = {};
char StdLayoutColumnInfo[kStdTextSize + 1] = {};

char StdPaperInfoRectOriginXKey[kStdTextSize + 1] = {};
char StdPaperInfoRectOriginYKey[kStdTextSize + 1] = {};
char StdPaperInfoRectHeightKey[kStdTextSize + 1] = {};
char StdPaperInfoRectWidthKey[kStdTextSize + 1] = {};
char StdAdobePaperInfoRectOriginXKey[kStdTextSize + 1] = {};
char StdAdobePaperInfoRectOriginYKey[kStdTextSize + 1] = {};
char StdAdobePaperInfoRectHeightKey[kStdTextSize + 1] = {};
char StdAdobePaperInfoRectWidthKey[kStdTextSize + 1] = {};

char HostNameStr[kHostNameSize] = {};
char IPAddressStr[kIPAddressSize] = {};

volatile sig_atomic_t CancelJob = 0;
volatile sig_atomic_t CancelJobForPipe = 0;

int JobFailed = 0;

void ReportJobFailure(const char* what, int error) {
  if (JobFailed == 0) std::fprintf(stderr, "ERROR: %s: %s\n", what, std::strerror(error));
  JobFailed = 1;
}

void SignalHandler(int) { CancelJob = 1; }
void SignalPipeHandler(int) { CancelJobForPipe = 1; }

void ClearLayoutGlobals() {
  char* const layout[] = {StdNUpInfo,
                          StdLayoutInfo,
                          StdLayoutDirectionInfo,
                          StdLayoutRowInfo,
                          StdLayoutColumnInfo,
                          StdPaperInfoRectOriginXKey,
                          StdPaperInfoRectOriginYKey,
                          StdPaperInfoRectHeightKey,
                          StdPaperInfoRectWidthKey,
                          StdAdobePaperInfoRectOriginXKey,
                          StdAdobePaperInfoRectOriginYKey,
                          StdAdobePaperInfoRectHeightKey,
                          StdAdobePaperInfoRectWidthKey};
  for (char* text : layout) std::memset(text, 0, kStdTextSize + 1);
}

namespace {

bool g_ppd_opened = false;
ppd_file_t* g_ppd = nullptr;

}  // namespace

ppd_file_t* JobPPD() {
  if (!g_ppd_opened) {
    g_ppd_opened = true;
    const char* path = std::getenv("PPD");
    g_ppd = path != nullptr ? ppdOpenFile(path) : nullptr;
  }
  return g_ppd;
}

void CloseJobPPD() {
  if (g_ppd != nullptr) ppdClose(g_ppd);
  g_ppd = nullptr;
  g_ppd_opened = false;
}

void ResetBaseState() {
  char* const texts[] = {StdUserName, StdDocumentName, PTStdDocumentName};
  for (char* text : texts) std::memset(text, 0, kStdTextSize + 1);
  std::memset(StdJBAUserName, 0, sizeof StdJBAUserName);
  ClearLayoutGlobals();
  std::memset(HostNameStr, 0, sizeof HostNameStr);
  std::memset(IPAddressStr, 0, sizeof IPAddressStr);
  CancelJob = 0;
  CancelJobForPipe = 0;
  JobFailed = 0;
  ResetOutputState();
  CloseJobPPD();
}
