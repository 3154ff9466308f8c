// Runs build/bin/ovqfilter on every case of tests/golden/cases and compares
// standard output, standard error and the exit status byte for byte.
//
// A case is one filter run described in a small text file:
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
//   --- stderr
//   PAGE:1 1
//
// Output sections use the escapes of Unescape() ("\c" at a line's end drops its
// line feed); "@HOSTNAME@" stands for this machine's host name, cut at 96 bytes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "escapes.h"
#include "run_program.h"

namespace {

const std::string kCaseFolder = SourcePath("tests/golden/cases");

std::string WithHostName(std::string text) {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string name = std::string(host).substr(0, 96), marker = "@HOSTNAME@";
  for (size_t at = text.find(marker); at != std::string::npos; at = text.find(marker, at + name.size())) {
    text.replace(at, marker.size(), name);
  }
  return text;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(kCaseFolder)) {
    if (entry.path().extension() == ".case") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, OutputMatches) {
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.env = {{"PPD", std::nullopt}, {"OVQ_KERNEL_RELEASE", std::nullopt}};
  std::string out, err, input;
  int status = 0;
  std::string* section = nullptr;
  std::istringstream in(ReadFile(kCaseFolder + "/" + GetParam() + ".case"));
  for (std::string line; std::getline(in, line);) {
    if (line == "--- stdout" || line == "--- stderr") {
      section = line == "--- stdout" ? &out : &err;
    } else if (section != nullptr) {
      *section += line + "\n";
    } else if (!line.empty() && line[0] != '#') {
      const size_t colon = line.find(": ");
      ASSERT_NE(colon, std::string::npos) << "bad line: " << line;
      const std::string key = line.substr(0, colon), value = line.substr(colon + 2);
      const std::string file = SourcePath("tests/" + value);
      if (key == "ppd") {
        if (value != "none") spec.env["PPD"] = file;
      } else if (key == "arg") {
        spec.args.push_back(Unescape(value));
      } else if (key == "input") {
        input = file;
      } else if (key == "stdin") {
        spec.stdin_data = ReadFile(file);
      } else if (key == "env") {
        const size_t eq = value.find('=');
        spec.env[value.substr(0, eq)] = eq == std::string::npos ? "" : value.substr(eq + 1);
      } else if (key == "signal-after") {
        spec.signal_marker = Unescape(value);
      } else if (key == "signal") {
        spec.signal_number = std::stoi(value);
      } else if (key == "stdin-after-signal") {
        spec.stdin_after_signal = ReadFile(file);
      } else if (key == "close-stdout") {
        spec.close_stdout = value == "yes";
      } else {
        ASSERT_EQ(key, "status") << "unknown key";
        status = std::stoi(value);
      }
    }
  }
  if (!input.empty()) spec.args.push_back(input);
  const RunResult r = RunProgram(spec);
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(WithHostName(Unescape(out))));
  EXPECT_EQ(MakeVisible(r.err), MakeVisible(WithHostName(Unescape(err))));
  EXPECT_EQ(r.exit_status, status);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(CaseNames()), [](const auto& row) {
  std::string name = row.param;
  std::replace(name.begin(), name.end(), '-', '_');
  return name;
});

}  // namespace
