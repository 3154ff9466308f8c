// The filter's entry: one job from arguments to exit status.
#pragma once

// Path of the flag file whose existence turns the diagnostic job copy on.
inline constexpr const char* kJobCopyFlagFile = "/Library/Printers/Orvane/ovjobcopy";
inline constexpr int kJobCopyPathSize = 1035;

// Runs one job as CUPS starts it: argv[1] job id, [2] user, [3] title,
// [4] copies, [5] options, [6] optional file. Returns the exit status.
int FilterMain(int argc, char* argv[]);

// The one reset point of a job's state: every layer's globals and module
// records back to "nothing given", as at program start. FilterMain begins
// with it; tests and fuzz targets that run jobs in one process share it.
void ResetJobState();

// Builds the job copy's path for `version` (packed system version) and the
// fourteen-digit `stamp`, with "-" and `job_id` after the stamp unless it is
// nullptr; false when the path does not fit `capacity`.
bool JobCopyPath(int version, const char* stamp, const char* job_id, char* path, int capacity);
