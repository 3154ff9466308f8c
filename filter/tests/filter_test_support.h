// Helpers of the filter's unit tests: job PPDs made from text, job arguments,
// PJL attribute lines, a fresh job state, and the stream passes run in this
// process.
#pragma once
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "capture.h"
#include "jobflow.h"
#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "ppd_text.h"
#include "run_program.h"
#include "stream.h"
#include "streamevents.h"
#include "ticket_text.h"
#include "version.h"

// A small valid PPD carrying `lines` (attributes and options) after its header.
inline std::string TestPPD(const std::string& lines) {
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n*Manufacturer: \"Orvane\"\n*Product: \"(Orvane Unit Test)\"\n"
         "*ModelName: \"Orvane Unit Test\"\n*ShortNickName: \"Orvane Unit Test\"\n*NickName: \"Orvane Unit Test\"\n"
         "*PSVersion: \"(3010.000) 0\"\n" +
         lines +
         "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n"
         "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n";
}

// The job's PPD for the lifetime of the object: `text` written to a file and
// named by the environment variable "PPD"; an empty text leaves "PPD" unset.
class ScopedJobPPD {
 public:
  explicit ScopedJobPPD(const std::string& text) {
    CloseJobPPD();
    if (text.empty()) {
      unsetenv("PPD");
      return;
    }
    WriteFile(dir_.File("job.ppd"), text);
    setenv("PPD", dir_.File("job.ppd").c_str(), 1);
  }
  ~ScopedJobPPD() {
    CloseJobPPD();
    unsetenv("PPD");
  }
  ScopedJobPPD(const ScopedJobPPD&) = delete;
  ScopedJobPPD& operator=(const ScopedJobPPD&) = delete;

 private:
  TempDir dir_;
};

// Filter arguments as CUPS passes them (job 1, user "alice", title "Title"),
// with the document's path as argv[6] when one is given.
struct JobArgs {
  explicit JobArgs(const std::string& options, const std::string& copies = "1", const std::string& file = "")
      : texts{"ovqfilter", "1", "alice", "Title", copies, options, file} {
    for (int i = 0; i < 7; ++i) pointers[i] = texts[i].data();
    if (file.empty()) pointers[6] = nullptr;
  }
  char** argv() { return pointers; }
  std::string texts[7];
  char* pointers[8] = {};
};

// One "@PJL SET JOBATTR" line of `attribute` (name=value).
inline std::string Attr(const std::string& attribute) { return "@PJL SET JOBATTR=\"@" + attribute + "\"\n"; }

// Writes "[event/page]" and a line feed into the stream at each stream event,
// so that the expected output shows where every event was raised.
inline void MarkEvent(int event, int page, FILE* stream) { std::fprintf(stream, "[%d/%d]\n", event, page); }

// A job as at program start, on a current system (page lines on), with the
// PPD at `ppd_path` (or none) and the event marks on.
inline void FreshJob(const std::string& ppd_path = "") {
  ResetJobState();
  unsetenv("OVQ_KERNEL_RELEASE");
  ResetGestaltCache();
  ppd_path.empty() ? unsetenv("PPD") : setenv("PPD", ppd_path.c_str(), 1);
  SetStreamEventObserver(MarkEvent);
}

// Runs a stream pass on `document` after reading the job's options into the
// modules' records, as the job flow does.
inline CapturedOutput RunPass(void (*pass)(int, char**), const TempDir& dir, const std::string& document,
                              const std::string& copies = "2", const std::string& options = "") {
  WriteFile(dir.File("job.ps"), document);
  JobArgs args(options, copies, dir.File("job.ps"));
  GetTicketFromPDE(args.argv());
  return CaptureOutput([&] { pass(7, args.argv()); });
}
