// The diagnostic job copy, made while the flag file exists. The flag is one
// system path, so these tests run alone (no other filter run may see it).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobflow.h"
#include "param_name.h"
#include "run_program.h"

namespace {

namespace fs = std::filesystem;

struct CopyCase {
  const char* name;
  bool flag;
  const char* job_id = "7";
  bool names_taken = false;  // symbolic links to another file at the copy names of the next seconds
  long file_size_limit = 0;  // the largest file the filter may write
  const char* copy = "";     // the copy's name after "kq" and the 14-digit stamp; "" for none
  bool debug = false;        // a "DEBUG:" line on standard error
};

// The flag file is a fixed system path; these tests need root to create it.
class JobCopyTest : public ::testing::TestWithParam<CopyCase> {
 protected:
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to create " << kJobCopyFlagFile;
    flag_existed_ = fs::exists(kJobCopyFlagFile);
  }
  void TearDown() override {
    if (geteuid() == 0) SetFlag(flag_existed_);
  }
  static void SetFlag(bool present) {
    if (!present) {
      fs::remove(kJobCopyFlagFile);
      return;
    }
    fs::create_directories(fs::path(kJobCopyFlagFile).parent_path());
    WriteFile(kJobCopyFlagFile, "");
  }
  TempDir dir_;
  bool flag_existed_ = false;
};

// The copy holds the stream in TMPDIR, "kq" + 14 digits (+ "-" + job ID when
// the name is taken) + ".job", mode 0676; a planted link is never followed.
TEST_P(JobCopyTest, CopiesTheStreamIntoTmpdirWhileTheFlagExists) {
  const CopyCase& c = GetParam();
  SetFlag(c.flag);
  const std::string victim = dir_.File("victim");
  WriteFile(victim, "not the job");
  chmod(victim.c_str(), 0600);
  for (time_t t = time(nullptr); c.names_taken && t < time(nullptr) + 5; ++t) {
    char stamp[32];
    struct tm local = {};
    strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", localtime_r(&t, &local));
    fs::create_symlink(victim, dir_.File(std::string("kq") + stamp + ".job"));
  }
  const RunResult r =
      RunProgram({.program = BinaryPath("ovqfilter"),
                  .args = {c.job_id, "alice", "Title", "1", ""},
                  .env = {{"PPD", SourcePath("tests/fixtures/ppd/jobflow-plain.ppd")}, {"TMPDIR", dir_.path()}},
                  .stdin_data = "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n",
                  .file_size_limit = c.file_size_limit});
  ASSERT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find("%%EOF\n\x04\x1b%-12345X@PJL EOJ\n"), std::string::npos) << MakeVisible(r.out);
  EXPECT_EQ(r.err.find("DEBUG:") != std::string::npos, c.debug) << r.err;
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("kq", 0) == 0 && !entry.is_symlink()) copies.push_back(entry.path());
  }
  EXPECT_EQ(ReadFile(victim), "not the job");
  struct stat st = {};
  ASSERT_EQ(stat(victim.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  ASSERT_EQ(copies.size(), *c.copy != '\0' ? 1u : 0u);
  if (copies.empty()) return;
  const std::string name = copies[0].filename().string();
  EXPECT_EQ(name.find_first_not_of("0123456789", 2), 16u) << name;
  EXPECT_EQ(name.substr(16), c.copy);
  const std::string expected = c.file_size_limit > 0 ? r.out.substr(0, static_cast<size_t>(c.file_size_limit)) : r.out;
  EXPECT_EQ(MakeVisible(ReadFile(copies[0])), MakeVisible(expected));
  ASSERT_EQ(stat(copies[0].c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0676u);
}

INSTANTIATE_TEST_SUITE_P(
    Flag, JobCopyTest,
    ::testing::ValuesIn(std::vector<CopyCase>{
        {.name = "no_flag", .flag = false},
        {.name = "flag", .flag = true, .copy = ".job"},
        {.name = "name_taken_job_id_added", .flag = true, .job_id = "77", .names_taken = true, .copy = "-77.job"},
        {.name = "name_taken_job_id_not_digits", .flag = true, .job_id = "7a", .names_taken = true, .debug = true},
        // A copy that cannot be written in full stops; the job goes on.
        {.name = "copy_cannot_be_written", .flag = true, .file_size_limit = 100, .copy = ".job", .debug = true}}),
    RowName());

}  // namespace
