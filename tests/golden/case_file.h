// A golden case: one filter run described in a small text file.
//
//   # comment
//   ppd: fixtures/ppd/color.ppd      (relative to tests/; "none" leaves PPD unset)
//   arg: 7                            (argv[1..5], one line each, escapes allowed)
//   input: fixtures/ps/two-pages.ps   (passed as argv[6])
//   stdin: fixtures/ps/two-pages.ps   (fed on standard input instead)
//   env: NAME=value
//   signal-after: %%Page: 2 2\n       (once stdout holds this text, send the signal,
//   signal: 15                          then feed the `stdin-after-signal` file)
//   stdin-after-signal: fixtures/ps/rest.ps
//   close-stdout: yes                   (the printer connection is gone at once)
//   status: 0
//   --- stdout
//   \e%-12345X@PJL SET STRINGCODESET="SJISX0208"
//   ...
//   --- stderr
//   PAGE:1 1
//
// Output sections use the escapes of Unescape() ("\c" at a line's end drops its
// line feed); "@HOSTNAME@" stands for this machine's host name, cut at 96 bytes.
#pragma once
#include <map>
#include <string>
#include <vector>

struct GoldenCase {
  std::string name;
  std::string ppd;
  std::vector<std::string> args;
  std::string input_file;
  std::string stdin_file;
  std::map<std::string, std::string> env;
  std::string signal_after;
  int signal_number = 0;
  std::string stdin_after_signal_file;
  bool close_stdout = false;
  int status = 0;
  std::string expected_out;
  std::string expected_err;
};

GoldenCase ParseGoldenCase(const std::string& name, const std::string& text);
std::vector<std::string> GoldenCaseNames(const std::string& folder);
