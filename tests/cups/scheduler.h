// A private CUPS scheduler for end-to-end tests: its own server root, spool,
// logs and server folder (CUPS's own filters and backends plus our ovqfilter),
// listening on a local socket in a temporary folder, with file: devices allowed.
#pragma once
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "run_program.h"

struct JobStatus {
  int state = 0;                   // IPP job-state: 3 pending ... 9 completed
  int impressions_completed = -1;  // job-impressions-completed
  std::string reasons;             // job-state-reasons, comma-separated
};

class PrivateScheduler {
 public:
  ~PrivateScheduler() { Stop(); }

  // Starts cupsd with `filter` (a path to ovqfilter) in its filter folder;
  // false with `error` set when it does not come up.
  bool Start(const std::string& filter, std::string& error);
  std::string Folder() const { return dir_->path(); }
  std::string ErrorLog() const;  // for failure messages

  // Adds an enabled queue `name` with the PPD file, the queue defaults
  // `defaults` (name=value, as lpadmin -o takes them) and a file: device, a
  // new file in the scheduler's folder; returns the device file's path, or an
  // empty text with `error` set.
  std::string AddQueue(const std::string& name, const std::string& ppd, std::string& error,
                       const std::vector<std::string>& defaults = {});

  // Submits `file` with `lp` (`options`: space-separated name=value pairs);
  // returns the job id, or 0 with `error` set.
  int Submit(const std::string& queue, const std::string& file, const std::string& title, const std::string& user,
             const std::string& options, std::string& error);

  // Waits until the job is completed, canceled, aborted or stopped (at most
  // `seconds`) and returns its last status.
  JobStatus WaitForJob(int job_id, int seconds);
  // Every attribute the scheduler keeps of the job, one "name=value" line each
  // (values of a set joined by ","); empty when the request fails.
  std::string JobAttributes(int job_id);

 private:
  void WriteConfiguration(const std::string& filter);
  bool WaitUntilReady(int seconds);
  void Stop();

  std::unique_ptr<TempDir> dir_;
  std::string socket_;
  pid_t pid_ = -1;
};
