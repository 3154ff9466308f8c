// The shipped PPDs: valid for CUPS, and each on the filter's comment-block
// model list by its file name (their filter line is what the end-to-end jobs
// run).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "escapes.h"
#include "run_program.h"

namespace {

std::string PPDPath(const std::string& stem) { return SourcePath("ppd/" + stem + ".ppd"); }

class ShippedPPD : public testing::TestWithParam<std::string> {};

TEST_P(ShippedPPD, PassesCupstestppd) {
  // cupstestppd checks that the filter named by cupsFilter2 exists in the server
  // folder: give it a root folder holding our filter where CUPS keeps filters.
  TempDir root;
  const std::string filter_dir = root.path() + OVQ_CUPS_SERVERBIN + "/filter";
  std::filesystem::create_directories(filter_dir);
  std::filesystem::copy_file(BinaryPath("ovqfilter"), filter_dir + "/ovqfilter");
  chmod((filter_dir + "/ovqfilter").c_str(), 0755);
  std::vector<std::string> args = {"-R", root.path()};
  if (geteuid() != 0) args.insert(args.end(), {"-I", "permissions"});
  args.push_back(PPDPath(GetParam()));
  const RunResult r = RunTool("/usr/bin/cupstestppd", args);
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find(": PASS"), std::string::npos) << r.out;
}

// With the two attributes that force the comment block removed, the block
// still comes: the model is on the filter's list by its file name.
TEST_P(ShippedPPD, ModelReceivesTheCommentBlockThroughItsFileName) {
  TempDir dir;
  std::istringstream lines(ReadFile(PPDPath(GetParam())));
  std::string stripped;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("*KQPrinterLanguageEncoding:", 0) != 0 && line.rfind("*CommentOn:", 0) != 0) stripped += line + "\n";
  }
  WriteFile(dir.File("model.ppd"), stripped);
  WriteFile(dir.File("job.ps"), "%!PS-Adobe-3.0\n%%EndComments\nshowpage\n%%EOF\n");
  const RunResult r = RunProgram({.program = BinaryPath("ovqfilter"),
                                  .args = {"1", "user", "title", "1", "", dir.File("job.ps")},
                                  .env = {{"PPD", dir.File("model.ppd")}}});
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find("@PJL COMMENT KQJOBINFO BEGIN\n"), std::string::npos) << MakeVisible(r.out);
}

INSTANTIATE_TEST_SUITE_P(Family, ShippedPPD, testing::Values("OVQC300", "OVQC500", "OVQM200", "OVQU700"),
                         [](const testing::TestParamInfo<std::string>& row) { return row.param; });

}  // namespace
