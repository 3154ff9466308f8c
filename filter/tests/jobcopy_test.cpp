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

const std::string kTwoPages =
    "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n(one) pop\nshowpage\n"
    "%%Page: 2 2\n(two) pop\nshowpage\n%%EOF\n";

// The flag file is a fixed system path; these tests need root to create it.
class JobCopyTest : public ::testing::Test {
 protected:
  RunSpec Spec() {
    WriteFile(dir_.File("test.ppd"), TestPPD(""));
    RunSpec spec;
    spec.program = BinaryPath("ovqfilter");
    spec.args = {"7", "alice", "Title", "1", ""};
    spec.env["PPD"] = dir_.File("test.ppd");
    spec.env["TMPDIR"] = dir_.path();
    return spec;
  }
  void SetUp() override {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to create " << kJobCopyFlagFile;
    flag_existed_ = fs::exists(kJobCopyFlagFile);
  }
  void SetFlag(bool present) {
    if (present) {
      fs::create_directories(fs::path(kJobCopyFlagFile).parent_path());
      WriteFile(kJobCopyFlagFile, "");
    } else {
      fs::remove(kJobCopyFlagFile);
    }
  }
  void TearDown() override {
    if (geteuid() == 0) SetFlag(flag_existed_);
  }
  std::vector<fs::path> CopiesIn(const std::string& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
      std::string name = entry.path().filename().string();
      if (name.rfind("kq", 0) == 0 && name.size() == 2 + 14 + 4 && name.substr(16) == ".job") {
        found.push_back(entry.path());
      }
    }
    return found;
  }
  TempDir dir_;
  bool flag_existed_ = false;
};

TEST_F(JobCopyTest, FlagPresentCopiesTheStreamIntoTmpdir) {
  SetFlag(true);
  RunSpec spec = Spec();
  spec.stdin_data = kTwoPages;
  RunResult r = RunProgram(spec);
  ASSERT_EQ(r.exit_status, 0);
  auto copies = CopiesIn(dir_.path());
  ASSERT_EQ(copies.size(), 1u);
  std::string name = copies[0].filename().string();
  EXPECT_EQ(name.find_first_not_of("0123456789", 2), 16u) << name;
  EXPECT_EQ(MakeVisible(ReadFile(copies[0])), MakeVisible(r.out));
  struct stat st = {};
  ASSERT_EQ(stat(copies[0].c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0676u);
}

TEST_F(JobCopyTest, FlagAbsentMakesNoCopy) {
  SetFlag(false);
  RunSpec spec = Spec();
  spec.stdin_data = kTwoPages;
  RunResult r = RunProgram(spec);
  ASSERT_EQ(r.exit_status, 0);
  EXPECT_TRUE(CopiesIn(dir_.path()).empty());
}

}  // namespace
