// ovqcdf: the cache files it writes load back to the hash of the direct build.
#include <gtest/gtest.h>

#include <sstream>

#include "quick_xppd.h"
#include "test_ppd.h"

using namespace ovqpde;

namespace {

class Ovqcdf : public testing::Test {
 protected:
  void SetUp() override {
    ppd_path_ = dir_.File("cdf.ppd");
    ppd_ = OpenPPDText(ppd_path_, PPDHeader() + "*% Last Edit Date: Jul 4 2024\n" + ShapesPPDOptions() +
                                      "*UIConstraints: *OVColor Color *OVStaple Left\n"
                                      "*UIConstraints: *Duplex DuplexTumble *OVStaple Left\n"
                                      "*UIConstraints: *OVPunch TwoHole *Duplex DuplexNoTumble\n"
                                      "*UIConstraints: *OVStaple *Duplex\n");
    ASSERT_NE(ppd_, nullptr);
  }

  RunResult Run(const std::vector<std::string>& args) { return RunTool(BinaryPath("ovqcdf"), args); }

  TempDir dir_;
  std::string ppd_path_;
  PPDHandle ppd_;
};

TEST_F(Ovqcdf, WritesTheSectionsInArgumentOrderThenTheStamp) {
  RunResult result = Run({ppd_path_, "PrintFeaturePDETiger=OVPunch", "Empty=", "Other=Absent"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "PrintFeaturePDETiger\nDuplex:DuplexNoTumble@1@1@1@\nEmpty\n\nOther\n\n*% Last Edit Date: Jul 4 2024");
}

TEST_F(Ovqcdf, CacheLoadsBackToTheHashOfTheDirectBuild) {
  RunResult result = Run({ppd_path_, "ImageOptionPDEPanther=OVColor", "ImageOptionPDETiger=OVStaple,Duplex"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  std::string cache = dir_.File("cache.cdf");
  WriteFile(cache, result.out);

  // A PPD that names the cache file, loaded as a panel does.
  PPDHandle named = OpenPPDText(dir_.File("named.ppd"), ReadFile(ppd_path_) + "*OVXCDFSetting: \"" + cache + "\"\n");
  ASSERT_NE(named, nullptr);
  ASSERT_TRUE(CDFKeyExist(named.get(), "OVXCDFSetting"));
  XppdHash loaded;
  ASSERT_EQ(GetXPPD(named.get(), &loaded, "ImageOptionPDE", "OVXCDFSetting"), 0);

  XppdHash direct;
  BuildXppdFromKeywords(ppd_.get(), &direct, {"OVStaple", "Duplex"});
  EXPECT_EQ(direct.size(), 9u);  // 1 + 1 + 1 + 2 x (2 + 1)
  EXPECT_EQ(EntriesOf(loaded), EntriesOf(direct)) << Describe(EntriesOf(loaded));
  // The same entries give the same conflict answers; one through the loaded hash.
  ppdMarkDefaults(named.get());
  ppdMarkOption(named.get(), "OVStaple", "Right");
  EXPECT_TRUE(IsPPDChoiceConflicted(named.get(), &loaded, "Duplex", "DuplexTumble"));
}

TEST_F(Ovqcdf, RefusesBadArgumentsWithAMessageAndNoOutput) {
  const struct {
    std::vector<std::string> args;  // "PPD" stands for the fixture's path
    int status;
    const char* message;
  } rows[] = {
      {.args = {"PPD"}, .status = 2, .message = "usage: ovqcdf PPD"},
      {.args = {"PPD", "=OVPunch"}, .status = 2, .message = "is not SECTION=KEYWORD"},
      {.args = {"PPD", "S=OVPunch,,Duplex"}, .status = 2, .message = "empty or malformed keyword"},
      {.args = {"PPD", "S\nT=OVPunch"}, .status = 2, .message = "control characters"},
      {.args = {"PPD", "a=X", "b=X", "c=X", "d=X", "e=X", "f=X", "g=X", "h=X", "i=X", "j=X", "k=X"},
       .status = 2,
       .message = "at most 10 sections"},
      {.args = {"/nonexistent/x.ppd", "S=OVPunch"}, .status = 1, .message = "cannot read PPD \"/nonexistent/x.ppd\""},
      {.args = {"AT", "S=OVTray"}, .status = 1, .message = "1 constraint entries have a key with \"@\""}};
  const std::string at = dir_.File("at.ppd");
  WriteFile(at, PPDHeader() + ShapesPPDOptions() +
                    "*OpenUI *OVTray/Tray: PickOne\n*DefaultOVTray: Auto\n*OVTray Auto/Auto: \"\"\n"
                    "*OVTray A@B/Odd: \"\"\n*CloseUI: *OVTray\n*UIConstraints: *OVColor Color *OVTray\n");
  for (const auto& row : rows) {
    std::vector<std::string> args = row.args;
    for (std::string& arg : args) arg = arg == "PPD" ? ppd_path_ : arg == "AT" ? at : arg;
    RunResult result = RunTool(BinaryPath("ovqcdf"), args);
    EXPECT_EQ(result.exit_status, row.status) << row.message;
    EXPECT_EQ(result.out, "") << row.message;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << result.err;
  }
}

}  // namespace
