// Helpers for the job-header tests: what a piece of the filter writes on
// standard output, and a job PPD made from text.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "jobstate.h"
#include "run_program.h"

// Runs `body` with standard output sent to a file; returns what it wrote.
inline std::string CaptureStdout(const std::function<void()>& body) {
  TempDir dir;
  std::string path = dir.File("stdout");
  std::fflush(stdout);
  int saved = dup(STDOUT_FILENO);
  int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(file, STDOUT_FILENO);
  close(file);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  return ReadFile(path);
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

// A small valid PPD carrying `lines` (attributes and options) after its header.
inline std::string TestPPD(const std::string& lines) {
  return "*PPD-Adobe: \"4.3\"\n"
         "*FormatVersion: \"4.3\"\n"
         "*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n"
         "*Manufacturer: \"Orvane\"\n"
         "*ModelName: \"Orvane Unit Test\"\n"
         "*NickName: \"Orvane Unit Test\"\n"
         "*PSVersion: \"(3010.000) 0\"\n" +
         lines +
         "*OpenUI *PageSize/Page Size: PickOne\n"
         "*DefaultPageSize: A4\n"
         "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*CloseUI: *PageSize\n";
}

// A PickOne option with its default and choices (separated by blanks).
inline std::string TestOption(const std::string& key, const std::string& defaultChoice,
                              const std::string& choices) {
  std::string text = "*OpenUI *" + key + ": PickOne\n*Default" + key + ": " + defaultChoice + "\n";
  size_t start = 0;
  while (start < choices.size()) {
    size_t end = choices.find(' ', start);
    if (end == std::string::npos) end = choices.size();
    text += "*" + key + " " + choices.substr(start, end - start) + ": \"\"\n";
    start = end + 1;
  }
  return text + "*CloseUI: *" + key + "\n";
}
