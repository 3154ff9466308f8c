// One print dialog's session with a printer, shared by every host program: the
// queue's PPD, opened once and marked with the PPD defaults and the queue's saved
// options, which the panels read and mark through the host callback; the print
// settings and the print session; the printer's remembered values between dialog
// runs; and what becomes of it all: the job's CUPS options and the job itself.
#pragma once
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "pde_callback.h"
#include "print_session.h"
#include "print_settings.h"

using JobOption = std::pair<std::string, std::string>;

class HostSession : public PDEHostCallback {
 public:
  HostSession() = default;
  ~HostSession() override;
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // The queue's PPD from the scheduler, marked with its defaults and then with the
  // queue's saved options (lpoptions included). False with `error` set when the
  // queue is unknown or has no PPD.
  bool OpenQueue(const std::string& queue, std::string* error);
  // A PPD file without a queue, marked with its defaults; the printer is named
  // after the file (its base name without ".ppd").
  bool OpenPPDFile(const std::string& path, std::string* error);

  ppd_file_s* ppdFile() override { return ppd_; }
  PMPrintSettings printSettings() override { return &settings_; }
  PMPrintSession printSession() override { return &session_; }
  // Marks the choice when the PPD has it, even when it conflicts with other
  // marks (the panels show conflicts; they do not forbid them). A choice the
  // PPD lacks is refused and nothing changes.
  bool willChangePPDOptionKeyValue(const char* option, const char* choice) override;

  const std::string& Printer() const { return printer_; }
  bool HasQueue() const { return !queue_.empty(); }

  // Remembered values are the print-settings values that the panels keep per
  // printer: keys made of the printer's name and a private key
  // ("nvxjobs.printsettings..."). They live in
  // $XDG_CONFIG_HOME/ovq/printers/<printer>.settings (mode 0600, replaced
  // atomically) and never go with a job.
  std::string RememberedValuesPath() const;
  // A file of this printer's in $XDG_CONFIG_HOME/ovq/printers ("" when the
  // printer's name cannot be a file name).
  std::string PrinterFilePath(const std::string& extension) const;
  // Puts the printer's remembered values into the print settings (none is fine).
  void LoadRememberedValues();
  // Writes the remembered values now in the print settings; false when the file
  // cannot be written.
  bool SaveRememberedValues() const;

  // The print dialog's own last used settings of the printer (CUPS options and
  // PPD choices, name to value) in $XDG_CONFIG_HOME/ovq/printers/<printer>.lastused
  // (replaced atomically); empty when there are none.
  std::map<std::string, std::string> LastUsedSettings() const;
  bool SaveLastUsedSettings(const std::map<std::string, std::string>& settings) const;

  // The job's CUPS options, sorted by name: every print-settings value except the
  // remembered ones (and any "...Reference" key), and each PPD option whose
  // marked choice differs from the PPD's default.
  std::vector<JobOption> JobOptions() const;
  // Prints `file` on the queue with `options`, titled by the file's base name.
  // The job ID, or 0 with `error` set (CUPS's own text).
  int SubmitFile(const std::string& file, const std::vector<JobOption>& options, std::string* error) const;
  // Told the bytes sent so far and the bytes of all the documents.
  using SubmitProgress = std::function<void(size_t sent, size_t total)>;
  // Prints `files` as one job titled `title`, one document each, in order, as lp
  // does. Every file is opened before the job is made, so an unreadable file
  // makes no job; a job that fails on the way is cancelled, so nothing of it
  // prints. The job ID, or 0 with `error` set (CUPS's own text, or the file's
  // name and the system's reason).
  int SubmitFiles(const std::vector<std::string>& files, const std::string& title,
                  const std::vector<JobOption>& options, const SubmitProgress& progress, std::string* error) const;

 private:
  bool Open(const std::string& ppdPath, std::string* error);
  bool IsRememberedKey(const std::string& key) const;
  void Close();

  std::string queue_;
  std::string printer_;
  std::string downloadedPPD_;  // a temporary copy from the scheduler, removed on close
  ppd_file_s* ppd_ = nullptr;
  PrintSettings settings_;
  PrintSession session_;
};

// Whether `path` can be read as a document (it opens, and is not a folder);
// false with the system's reason in `problem`.
bool ReadableDocument(const std::string& path, std::string* problem);

// The private keys' common beginning.
inline constexpr char kPrivateKeyPrefix[] = "nvxjobs.printsettings.";
