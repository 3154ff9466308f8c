// Runs the stream passes in this process with standard output and standard
// error sent to files, or the real filter binary, and gives back what each received.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>

#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"
#include "run_program.h"
#include "stream.h"
#include "streamevents.h"
#include "ticket.h"
#include "version.h"

inline auto ParamName = [](const auto& info) { return std::string(info.param.name); };

// Filter arguments as CUPS passes them, with the document in a file.
struct FilterArgs {
  FilterArgs(const std::string& copies, const std::string& options, const std::string& file)
      : texts{"ovqfilter", "1", "alice", "Title", copies, options, file} {
    for (int i = 0; i < 7; ++i) pointers[i] = texts[i].data();
  }
  char** argv() { return pointers; }
  std::string texts[7];
  char* pointers[8] = {};
};

// Runs a stream pass on `document` after reading the job's options into the
// modules' records, as the job flow does.
inline CapturedOutput RunPass(void (*pass)(int, char**), const TempDir& dir, const std::string& document,
                              const std::string& copies = "2", const std::string& options = "") {
  WriteFile(dir.File("job.ps"), document);
  FilterArgs args(copies, options, dir.File("job.ps"));
  GetTicketFromPDE(args.argv());
  return CaptureOutput([&] { pass(7, args.argv()); });
}

// Writes "[event/page]" and a line feed into the stream at each stream event, so that the
// expected output shows where every event was raised.
inline void MarkEvent(int event, int page, FILE* stream) { std::fprintf(stream, "[%d/%d]\n", event, page); }

// Per-test process state: no cancellation, the event marks, a current system
// (page lines on), the given PPD (or none).
inline void ResetStreamState(const std::string& ppd_path = "") {
  CancelJob = 0;
  SetStreamEventObserver(MarkEvent);
  unsetenv("OVQ_KERNEL_RELEASE");
  ResetGestaltCache();
  ppd_path.empty() ? unsetenv("PPD") : setenv("PPD", ppd_path.c_str(), 1);
  CloseJobPPD();
}

// No cancellation, no observer, no PPD: the state the other tests expect.
inline void ClearStreamState() {
  ResetStreamState();
  SetStreamEventObserver(nullptr);
}

// A run of the real filter on a test PPD carrying `ppd_extra`, temporary files in `dir`.
inline RunSpec FilterRun(const TempDir& dir, const std::string& ppd_extra) {
  WriteFile(dir.File("test.ppd"), TestPPD(ppd_extra));
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.args = {"7", "alice", "Title", "1", ""};
  spec.env = {{"PPD", dir.File("test.ppd")}, {"TMPDIR", dir.path()}, {"OVQ_KERNEL_RELEASE", std::nullopt}};
  return spec;
}
