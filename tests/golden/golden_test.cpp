// Runs build/bin/ovqfilter on every case of tests/golden/cases and compares
// standard output, standard error and the exit status byte for byte.
#include <gtest/gtest.h>

#include "case_file.h"
#include "escapes.h"
#include "run_program.h"

namespace {

const std::string kCaseFolder = SourcePath("tests/golden/cases");

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, OutputMatches) {
  GoldenCase c = ParseGoldenCase(GetParam(), ReadFile(kCaseFolder + "/" + GetParam() + ".case"));
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.args = c.args;
  if (!c.input_file.empty()) spec.args.push_back(SourcePath("tests/" + c.input_file));
  if (!c.stdin_file.empty()) spec.stdin_data = ReadFile(SourcePath("tests/" + c.stdin_file));
  spec.env["PPD"] = std::nullopt;
  if (!c.ppd.empty() && c.ppd != "none") spec.env["PPD"] = SourcePath("tests/" + c.ppd);
  spec.env["OVQ_KERNEL_RELEASE"] = std::nullopt;
  for (const auto& [name, value] : c.env) spec.env[name] = value;
  spec.signal_marker = c.signal_after;
  spec.signal_number = c.signal_number;
  if (!c.stdin_after_signal_file.empty()) {
    spec.stdin_after_signal = ReadFile(SourcePath("tests/" + c.stdin_after_signal_file));
  }
  spec.close_stdout = c.close_stdout;

  RunResult r = RunProgram(spec);
  EXPECT_EQ(MakeVisible(r.out), MakeVisible(c.expected_out));
  EXPECT_EQ(MakeVisible(r.err), MakeVisible(c.expected_err));
  EXPECT_EQ(r.exit_status, c.status);
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenTest);
INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(GoldenCaseNames(kCaseFolder)), [](const auto& row) {
  std::string name = row.param;
  for (char& ch : name) {
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
});

}  // namespace
