// The job flow as a whole: argument handling, the choice of stream pass, the
// diagnostic job copy's path.
#include "jobflow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"

namespace {

const std::string kTwoPages = "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%EOF\n";

// FilterMain in this process on `ppd_extra`; the status, and what it wrote.
CapturedOutput Filter(const std::string& ppd_extra, int argc, int* status) {
  TempDir dir;
  ScopedJobPPD ppd(TestPPD(ppd_extra));
  WriteFile(dir.File("job.ps"), kTwoPages);
  JobArgs args("", "1", dir.File("job.ps"));
  setenv("TMPDIR", dir.path().c_str(), 1);
  CapturedOutput r = CaptureOutput([&] { *status = FilterMain(argc, args.argv()); });
  unsetenv("TMPDIR");
  return r;
}

TEST(JobFlow, WrongArgumentCountIsAUsageError) {
  for (int argc : {1, 5, 8}) {
    int status = -1;
    CapturedOutput r = Filter("", argc, &status);
    EXPECT_EQ(status, 1) << argc;
    EXPECT_EQ(r.out, "") << argc;
    EXPECT_EQ(r.err.rfind("Usage: ovqfilter", 0), 0u) << argc;
  }
}

// The buffered pass writes colour-processing lines for a colour device; the
// direct pass does not. Only the exact value "1" selects the buffered pass.
TEST(JobFlow, OnlyExactOneSelectsBufferedPass) {
  const struct {
    const char* attribute;  // the value of "*OVPSDecompMode", "" for none
    bool buffered;
  } rows[] = {{.attribute = "\"1\"", .buffered = true},
              {.attribute = "\"1 \"", .buffered = false},
              {.attribute = "\"0\"", .buffered = false},
              {.attribute = "", .buffered = false}};
  for (const auto& [attribute, buffered] : rows) {
    int status = -1;
    const std::string decomp = *attribute != '\0' ? std::string("*OVPSDecompMode: ") + attribute + "\n" : "";
    CapturedOutput r = Filter("*ColorDevice: True\n" + decomp, 7, &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(r.out.find("@PJL SET JOBATTR=\"@TCPR=11\"\n") != std::string::npos, buffered) << attribute;
    EXPECT_NE(r.out.find(kTwoPages + "\x04\x1b%-12345X@PJL EOJ\n"), std::string::npos) << MakeVisible(r.out);
  }
}

TEST(JobCopyPath, FollowsVersionAndTmpdir) {
  const struct {
    int version;
    const char *tmpdir, *job_id, *expected;  // tmpdir nullptr: unset
  } rows[] = {
      {.version = 0x10F0, .tmpdir = "/var/tmp", .job_id = nullptr, .expected = "/var/tmp/kq20261206183000.job"},
      {.version = 0x10A0, .tmpdir = nullptr, .job_id = nullptr, .expected = "/tmp/kq20261206183000.job"},
      {.version = 0x109F, .tmpdir = "/t", .job_id = nullptr, .expected = "/private/tmp/ov20261206183000.job"},
      {.version = 0x1070, .tmpdir = nullptr, .job_id = "77", .expected = "/private/tmp/ov20261206183000-77.job"},
  };
  char path[kJobCopyPathSize];
  for (const auto& row : rows) {
    row.tmpdir != nullptr ? setenv("TMPDIR", row.tmpdir, 1) : unsetenv("TMPDIR");
    ASSERT_TRUE(JobCopyPath(row.version, "20261206183000", row.job_id, path, sizeof path));
    EXPECT_STREQ(path, row.expected);
  }
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
