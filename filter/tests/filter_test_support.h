// Helpers shared by the filter's unit tests: what a piece of filter code writes
// on its streams, and job PPDs made from text.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "jobstate.h"
#include "run_program.h"

// Everything written to `file` from its start.
inline std::string ReadWholeFile(FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
  return text;
}

// Runs `body` with a temporary stream and returns what it received.
template <typename Body>
std::string CaptureStream(Body body) {
  FILE* file = std::tmpfile();
  body(file);
  std::string text = ReadWholeFile(file);
  std::fclose(file);
  return text;
}

struct CapturedOutput {
  std::string out;
  std::string err;
};

// Runs `body` with standard output and standard error sent to temporary files.
template <typename Body>
CapturedOutput CaptureOutput(Body body) {
  std::fflush(stdout);
  std::fflush(stderr);
  FILE* out = std::tmpfile();
  FILE* err = std::tmpfile();
  const int saved_out = dup(STDOUT_FILENO);
  const int saved_err = dup(STDERR_FILENO);
  dup2(fileno(out), STDOUT_FILENO);
  dup2(fileno(err), STDERR_FILENO);
  body();
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, STDOUT_FILENO);
  dup2(saved_err, STDERR_FILENO);
  close(saved_out);
  close(saved_err);
  CapturedOutput captured{ReadWholeFile(out), ReadWholeFile(err)};
  std::fclose(out);
  std::fclose(err);
  return captured;
}

// Runs `body` with standard output sent to a temporary file; returns what it wrote.
template <typename Body>
std::string CaptureStdout(Body body) {
  return CaptureOutput(body).out;
}

// A small valid PPD carrying `lines` (attributes and options) after its header.
inline std::string TestPPD(const std::string& lines) {
  return "*PPD-Adobe: \"4.3\"\n"
         "*FormatVersion: \"4.3\"\n"
         "*FileVersion: \"1.0\"\n"
         "*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n"
         "*Manufacturer: \"Orvane\"\n"
         "*Product: \"(Orvane Unit Test)\"\n"
         "*ModelName: \"Orvane Unit Test\"\n"
         "*ShortNickName: \"Orvane Unit Test\"\n"
         "*NickName: \"Orvane Unit Test\"\n"
         "*PSVersion: \"(3010.000) 0\"\n" +
         lines +
         "*OpenUI *PageSize/Page Size: PickOne\n"
         "*DefaultPageSize: A4\n"
         "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
         "*CloseUI: *PageSize\n";
}

// A PickOne option with its default and choices (separated by blanks).
inline std::string TestOption(const std::string& key, const std::string& defaultChoice, const std::string& choices) {
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
