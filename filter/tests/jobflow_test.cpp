// The job flow as a whole: argument handling, the choice of stream pass (through
// the real filter binary), the diagnostic job copy's path.
#include "jobflow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "escapes.h"
#include "stream_capture.h"

namespace {

const std::string kTrailer = "\x1b%-12345X@PJL EOJ\n";
const std::string kTwoPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n(one) pop\nshowpage\n"
    "%%Page: 2 2\n(two) pop\nshowpage\n%%EOF\n";

TEST(JobFlow, WrongArgumentCountIsAUsageError) {
  TempDir dir;
  for (size_t count : {0u, 4u, 7u}) {
    RunSpec spec = FilterRun(dir, "");
    spec.args.assign(count, "x");
    RunResult r = RunProgram(spec);
    EXPECT_EQ(r.exit_status, 1) << count;
    EXPECT_EQ(r.out, "") << count;
    EXPECT_NE(r.err.find("Usage: ovqfilter"), std::string::npos) << count;
  }
}

// The buffered pass writes colour-processing lines for a colour device; the
// direct pass does not. Only the exact value "1" selects the buffered pass.
TEST(JobFlow, OnlyExactOneSelectsBufferedPass) {
  const std::pair<const char*, bool> cases[] = {{"*OVPSDecompMode: \"1\"\n", true},
                                                {"*OVPSDecompMode: \"1 \"\n", false},
                                                {"*OVPSDecompMode: \"0\"\n", false},
                                                {"", false}};
  for (const auto& [decomp_attribute, buffered] : cases) {
    TempDir dir;
    RunSpec spec = FilterRun(dir, std::string("*ColorDevice: True\n") + decomp_attribute);
    spec.stdin_data = kTwoPages;
    RunResult r = RunProgram(spec);
    ASSERT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.out.find("@PJL SET JOBATTR=\"@TCPR=11\"\n") != std::string::npos, buffered) << MakeVisible(r.out);
    EXPECT_NE(r.out.find(kTwoPages + "\x04" + kTrailer), std::string::npos) << MakeVisible(r.out);
  }
}

TEST(JobCopyPath, FollowsVersionAndTmpdir) {
  const struct {
    int version;
    const char *tmpdir, *expected;  // tmpdir nullptr: unset
  } cases[] = {{0x10F0, "/var/spool/tmp", "/var/spool/tmp/kq20261206183000.job"},
               {0x10A0, "/t", "/t/kq20261206183000.job"},
               {0x10F0, nullptr, "/tmp/kq20261206183000.job"},
               {0x109F, "/t", "/private/tmp/ov20261206183000.job"},
               {0x1070, nullptr, "/private/tmp/ov20261206183000.job"}};
  char path[kJobCopyPathSize];
  for (const auto& c : cases) {
    c.tmpdir != nullptr ? setenv("TMPDIR", c.tmpdir, 1) : unsetenv("TMPDIR");
    ASSERT_TRUE(JobCopyPath(c.version, "20261206183000", nullptr, path, sizeof path));
    EXPECT_STREQ(path, c.expected);
  }
  // A job ID follows the stamp after a dash.
  ASSERT_TRUE(JobCopyPath(0x1070, "20261206183000", "77", path, sizeof path));
  EXPECT_STREQ(path, "/private/tmp/ov20261206183000-77.job");
  // A folder too long for the buffer means no copy; exactly filling the buffer
  // still fits: "/" + folder + "/kq" + 14 digits + ".job" + NUL.
  setenv("TMPDIR", ("/" + std::string(kJobCopyPathSize, 'd')).c_str(), 1);
  EXPECT_FALSE(JobCopyPath(0x10F0, "20261206183000", nullptr, path, sizeof path));
  EXPECT_STREQ(path, "");
  setenv("TMPDIR", ("/" + std::string(kJobCopyPathSize - 1 - 1 - 3 - 14 - 4, 'd')).c_str(), 1);
  EXPECT_TRUE(JobCopyPath(0x10F0, "20261206183000", nullptr, path, sizeof path));
  unsetenv("TMPDIR");
}

}  // namespace
