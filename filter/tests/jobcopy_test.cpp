// The diagnostic job copy, made while the flag file exists. The flag is one
// system path, so these tests run alone (no other filter run may see it).
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobflow.h"
#include "run_program.h"

namespace {

namespace fs = std::filesystem;

// The flag file is a fixed system path; these tests need root to create it.
class JobCopyTest : public ::testing::TestWithParam<bool> {
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

// With the flag, the stream is copied into TMPDIR as "kq" + 14 digits + ".job", mode 0676.
TEST_P(JobCopyTest, CopiesTheStreamIntoTmpdirWhileTheFlagExists) {
  SetFlag(GetParam());
  WriteFile(dir_.File("test.ppd"), TestPPD(""));
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.args = {"7", "alice", "Title", "1", ""};
  spec.env["PPD"] = dir_.File("test.ppd");
  spec.env["TMPDIR"] = dir_.path();
  spec.stdin_data =
      "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n(one) pop\nshowpage\n"
      "%%Page: 2 2\n(two) pop\nshowpage\n%%EOF\n";
  const RunResult r = RunProgram(spec);
  ASSERT_EQ(r.exit_status, 0);
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(dir_.path())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("kq", 0) == 0 && name.size() == 20 && name.substr(16) == ".job") copies.push_back(entry.path());
  }
  ASSERT_EQ(copies.size(), GetParam() ? 1u : 0u);
  if (!GetParam()) return;
  EXPECT_EQ(copies[0].filename().string().find_first_not_of("0123456789", 2), 16u) << copies[0];
  EXPECT_EQ(MakeVisible(ReadFile(copies[0])), MakeVisible(r.out));
  struct stat st = {};
  ASSERT_EQ(stat(copies[0].c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0676u);
}

INSTANTIATE_TEST_SUITE_P(Flag, JobCopyTest, ::testing::Bool());

}  // namespace
