// Runs a stream-pass function in this process with standard output and standard
// error sent to files, and gives back what each received.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "filter_test_support.h"
#include "jobstate.h"
#include "ticket.h"
#include "run_program.h"
#include "streamevents.h"
#include "version.h"

// Filter arguments as CUPS passes them, with the document in a file.
class FilterArgs {
 public:
  FilterArgs(const std::string& copies, const std::string& options, const std::string& file)
      : texts_{"ovqfilter", "1", "alice", "Title", copies, options, file} {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
  }
  int argc() const { return 7; }
  // The job's options read into the modules' records, as the job flow does
  // before the stream pass.
  void ReadTickets() { GetTicketFromPDE(argv()); }
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> texts_;
  std::vector<char*> pointers_;
};

// Writes "[event/page]" and a line feed into the stream at each stream event, so that the
// expected output shows where every event was raised.
inline void MarkEvent(int event, int page, FILE* stream) {
  std::fprintf(stream, "[%d/%d]\n", event, page);
}

// Per-test process state: no cancellation, the event marks, a current system
// (page lines on), the given PPD (or none).
inline void ResetStreamState(const std::string& ppd_path = "") {
  CancelJob = 0;
  SetStreamEventObserver(MarkEvent);
  unsetenv("OVQ_KERNEL_RELEASE");
  ResetGestaltCache();
  if (ppd_path.empty()) {
    unsetenv("PPD");
  } else {
    setenv("PPD", ppd_path.c_str(), 1);
  }
  CloseJobPPD();
}

