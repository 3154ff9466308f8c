// The job flow as a whole: argument handling, the diagnostic job copy, signals
// and exit status, the choice of stream pass. Runs the real filter binary.
#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobflow.h"
#include "run_program.h"

namespace {

const std::string kTrailer = "\x1b%-12345X@PJL EOJ\n";

// A two-page document whose pages end with "showpage".
const std::string kTwoPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n(one) pop\nshowpage\n"
    "%%Page: 2 2\n(two) pop\nshowpage\n%%EOF\n";

class JobFlowTest : public ::testing::Test {
 protected:
  RunSpec Spec(const std::string& ppd_extra = "") {
    WriteFile(dir_.File("test.ppd"), TestPPD(ppd_extra));
    RunSpec spec;
    spec.program = BinaryPath("ovqfilter");
    spec.args = {"7", "alice", "Title", "1", ""};
    spec.env["PPD"] = dir_.File("test.ppd");
    spec.env["TMPDIR"] = dir_.path();
    spec.env["OVQ_KERNEL_RELEASE"] = std::nullopt;
    return spec;
  }
  TempDir dir_;
};

TEST_F(JobFlowTest, WrongArgumentCountIsAUsageError) {
  for (size_t count : {0u, 4u, 7u}) {
    RunSpec spec = Spec();
    spec.args.assign(count, "x");
    RunResult r = RunProgram(spec);
    EXPECT_EQ(r.exit_status, 1) << count;
    EXPECT_EQ(r.out, "") << count;
    EXPECT_NE(r.err.find("Usage: ovqfilter"), std::string::npos) << count;
  }
}

TEST_F(JobFlowTest, StreamIsFramedByExitLanguageAndTrailer) {
  RunSpec spec = Spec();
  spec.stdin_data = kTwoPages;
  RunResult r = RunProgram(spec);
  ASSERT_EQ(r.exit_status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("\x1b%-12345X", 0), 0u) << MakeVisible(r.out);
  EXPECT_NE(r.out.find("@PJL JOB MODE=PRINTER\r\n"), std::string::npos);
  std::string tail = "@PJL ENTER LANGUAGE=POSTSCRIPT\n" + kTwoPages + "\x04" + kTrailer;
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(MakeVisible(r.out.substr(r.out.size() - tail.size())), MakeVisible(tail));
}

TEST_F(JobFlowTest, InputFileArgumentIsRead) {
  RunSpec spec = Spec();
  WriteFile(dir_.File("job.ps"), kTwoPages);
  spec.args.push_back(dir_.File("job.ps"));
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find(kTwoPages + "\x04" + kTrailer), std::string::npos) << MakeVisible(r.out);
}

TEST_F(JobFlowTest, MissingInputFileStillWritesHeaderAndTrailer) {
  RunSpec spec = Spec();
  spec.args.push_back(dir_.File("absent.ps"));
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  std::string tail = "@PJL ENTER LANGUAGE=POSTSCRIPT\n" + kTrailer;
  ASSERT_GE(r.out.size(), tail.size());
  EXPECT_EQ(MakeVisible(r.out.substr(r.out.size() - tail.size())), MakeVisible(tail));
}

TEST_F(JobFlowTest, SigtermEndsAtNextPageEndWithTrailerAndStatusZero) {
  RunSpec spec = Spec();
  spec.stdin_data = "%!PS-Adobe-3.0\n%%Page: 1 1\n(one) pop\nshowpage\n%%Page: 2 2\n";
  spec.signal_marker = "%%Page: 2 2\n";
  spec.signal_number = SIGTERM;
  spec.stdin_after_signal = "(two) pop\nshowpage\n%%Page: 3 3\n(three) pop\nshowpage\n";
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  std::string expected_tail = "%%Page: 2 2\n(two) pop\n" + kTrailer;
  ASSERT_GE(r.out.size(), expected_tail.size()) << MakeVisible(r.out);
  EXPECT_EQ(MakeVisible(r.out.substr(r.out.size() - expected_tail.size())), MakeVisible(expected_tail));
}

TEST_F(JobFlowTest, BrokenPipeGivesStatusOne) {
  RunSpec spec = Spec();
  spec.stdin_data = kTwoPages;
  spec.close_stdout = true;
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.term_signal, 0);
  EXPECT_EQ(r.exit_status, 1);
}

// The buffered pass writes colour-processing lines for a colour device; the
// direct pass does not. Only the exact value "1" selects the buffered pass.
struct PassCase {
  const char* decomp_attribute;
  bool buffered;
};

class PassChoiceTest : public JobFlowTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(PassChoiceTest, OnlyExactOneSelectsBufferedPass) {
  std::string extra = "*ColorDevice: True\n";
  if (GetParam().decomp_attribute != nullptr) extra += GetParam().decomp_attribute;
  RunSpec spec = Spec(extra);
  spec.stdin_data = kTwoPages;
  RunResult r = RunProgram(spec);
  ASSERT_EQ(r.exit_status, 0);
  bool has_colour_lines = r.out.find("@PJL SET JOBATTR=\"@TCPR=11\"\n") != std::string::npos;
  EXPECT_EQ(has_colour_lines, GetParam().buffered) << MakeVisible(r.out);
  EXPECT_NE(r.out.find(kTwoPages + "\x04" + kTrailer), std::string::npos) << MakeVisible(r.out);
}

INSTANTIATE_TEST_SUITE_P(DecompMode, PassChoiceTest,
                         ::testing::Values(PassCase{"*OVPSDecompMode: \"1\"\n", true},
                                           PassCase{"*OVPSDecompMode: \"1 \"\n", false},
                                           PassCase{"*OVPSDecompMode: \"0\"\n", false},
                                           PassCase{nullptr, false}));

// Job copy paths.
struct CopyPathCase {
  int version;
  const char* tmpdir;  // nullptr: unset
  const char* expected;
};

class JobCopyPathTest : public ::testing::TestWithParam<CopyPathCase> {
 protected:
  void TearDown() override { unsetenv("TMPDIR"); }
};

TEST_P(JobCopyPathTest, PathFollowsVersionAndTmpdir) {
  if (GetParam().tmpdir != nullptr) {
    setenv("TMPDIR", GetParam().tmpdir, 1);
  } else {
    unsetenv("TMPDIR");
  }
  char path[kJobCopyPathSize];
  ASSERT_TRUE(JobCopyPath(GetParam().version, "20261206183000", path, sizeof path));
  EXPECT_STREQ(path, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, JobCopyPathTest,
    ::testing::Values(CopyPathCase{0x10F0, "/var/spool/tmp", "/var/spool/tmp/kq20261206183000.job"},
                      CopyPathCase{0x10A0, "/t", "/t/kq20261206183000.job"},
                      CopyPathCase{0x10F0, nullptr, "/tmp/kq20261206183000.job"},
                      CopyPathCase{0x109F, "/t", "/private/tmp/ov20261206183000.job"},
                      CopyPathCase{0x1070, nullptr, "/private/tmp/ov20261206183000.job"}));

TEST(JobCopyPath, FolderTooLongForTheBufferMeansNoCopy) {
  std::string folder(kJobCopyPathSize, 'd');
  setenv("TMPDIR", ("/" + folder).c_str(), 1);
  char path[kJobCopyPathSize];
  EXPECT_FALSE(JobCopyPath(0x10F0, "20261206183000", path, sizeof path));
  EXPECT_STREQ(path, "");
  // Exactly filling the buffer still fits: "/" + folder + "/kq" + 14 digits + ".job" + NUL.
  folder.assign(kJobCopyPathSize - 1 - 1 - 3 - 14 - 4, 'd');
  setenv("TMPDIR", ("/" + folder).c_str(), 1);
  EXPECT_TRUE(JobCopyPath(0x10F0, "20261206183000", path, sizeof path));
  unsetenv("TMPDIR");
}

}  // namespace
