// Process-wide state of one filter run: the text globals with their capacities,
// the signal flags and the job's PPD.
#pragma once
#include <csignal>
#include <cstddef>

#include "cups_ppd.h"

// Capacity used for the 255-byte text globals (bytes including the terminating zero).
inline constexpr int kStdTextSize = 255;
inline constexpr int kStdJBAUserNameSize = 33;
inline constexpr int kHostNameSize = 97;
inline constexpr int kIPAddressSize = 40;

extern char StdUserName[kStdTextSize + 1];
extern char StdJBAUserName[kStdJBAUserNameSize];
extern char StdDocumentName[kStdTextSize + 1];
extern char PTStdDocumentName[kStdTextSize + 1];

extern char StdNUpInfo[kStdTextSize + 1];
extern char StdLayoutInfo[kStdTextSize + 1];
extern char StdLayoutDirectionInfo[kStdTextSize + 1];
extern char StdLayoutRowInfo[kStdTextSize + 1];
extern char StdLayoutColumnInfo[kStdTextSize + 1];

extern char StdPaperInfoRectOriginXKey[kStdTextSize + 1];
extern char StdPaperInfoRectOriginYKey[kStdTextSize + 1];
extern char StdPaperInfoRectHeightKey[kStdTextSize + 1];
extern char StdPaperInfoRectWidthKey[kStdTextSize + 1];
extern char StdAdobePaperInfoRectOriginXKey[kStdTextSize + 1];
extern char StdAdobePaperInfoRectOriginYKey[kStdTextSize + 1];
extern char StdAdobePaperInfoRectHeightKey[kStdTextSize + 1];
extern char StdAdobePaperInfoRectWidthKey[kStdTextSize + 1];

extern char HostNameStr[kHostNameSize];
extern char IPAddressStr[kIPAddressSize];

// Set to 1 by the SIGTERM and SIGPIPE handlers; read by the main flow.
extern volatile sig_atomic_t CancelJob;
extern volatile sig_atomic_t CancelJobForPipe;

// 1 once the job is lost (ReportJobFailure): the filter then exits with status 1.
extern int JobFailed;
// Reports a lost job to CUPS: one "ERROR:" line with `what` and the system's
// text for `error` (for the first report only; `what` never holds a job option),
// and sets JobFailed.
void ReportJobFailure(const char* what, int error);

void SignalHandler(int signal_number);
void SignalPipeHandler(int signal_number);

// Clears the layout and paper-rectangle globals.
void ClearLayoutGlobals();
// The base layer's part of a job's "nothing given" state: every text global
// empty, no cancellation, no failure, no output error, the PPD closed.
void ResetBaseState();

// The job's PPD (environment variable "PPD"), parsed once per run and shared by
// every reader; nullptr when the variable is unset or the file cannot be parsed.
ppd_file_t* JobPPD();
// Closes the shared PPD; the next JobPPD() parses the file again.
void CloseJobPPD();
