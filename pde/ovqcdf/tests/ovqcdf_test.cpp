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

  RunResult Run(const std::vector<std::string>& args) {
    RunSpec spec;
    spec.program = BinaryPath("ovqcdf");
    spec.args = args;
    return RunProgram(spec);
  }

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

  // Both hashes answer the conflict test alike for every choice.
  ppdMarkDefaults(named.get());
  ppdMarkOption(named.get(), "OVStaple", "Right");
  ppdMarkDefaults(ppd_.get());
  ppdMarkOption(ppd_.get(), "OVStaple", "Right");
  for (int o = 0; o < ppd_->groups[0].num_options; ++o) {
    ppd_option_t& option = ppd_->groups[0].options[o];
    for (int c = 0; c < option.num_choices; ++c) {
      EXPECT_EQ(IsPPDChoiceConflicted(named.get(), &loaded, option.keyword, option.choices[c].choice),
                IsPPDChoiceConflicted(ppd_.get(), &direct, option.keyword, option.choices[c].choice));
    }
  }
  EXPECT_TRUE(IsPPDChoiceConflicted(named.get(), &loaded, "Duplex", "DuplexTumble"));
}

TEST_F(Ovqcdf, RefusesBadArgumentsWithAMessageAndNoOutput) {
  const struct {
    const char* name;
    std::vector<std::string> args;  // "PPD" stands for the fixture's path
    int status;
    const char* message;
  } rows[] = {{"NoArguments", {}, 2, "usage: ovqcdf PPD"},
              {"NoSection", {"PPD"}, 2, "usage: ovqcdf PPD"},
              {"NoEquals", {"PPD", "Section"}, 2, "is not SECTION=KEYWORD"},
              {"NoName", {"PPD", "=OVPunch"}, 2, "is not SECTION=KEYWORD"},
              {"EmptyKeyword", {"PPD", "S=OVPunch,,Duplex"}, 2, "empty or malformed keyword"},
              {"LineFeedInName", {"PPD", "S\nT=OVPunch"}, 2, "control characters"},
              {"ElevenSections",
               {"PPD", "a=X", "b=X", "c=X", "d=X", "e=X", "f=X", "g=X", "h=X", "i=X", "j=X", "k=X"},
               2,
               "at most 10 sections"},
              {"MissingPPD", {"/nonexistent/x.ppd", "S=OVPunch"}, 1, "cannot read PPD \"/nonexistent/x.ppd\""}};
  for (const auto& row : rows) {
    std::vector<std::string> args = row.args;
    for (std::string& arg : args) {
      if (arg == "PPD") arg = ppd_path_;
    }
    RunResult result = Run(args);
    EXPECT_EQ(result.exit_status, row.status) << row.name;
    EXPECT_EQ(result.out, "") << row.name;
    EXPECT_NE(result.err.find(row.message), std::string::npos) << row.name << ": " << result.err;
  }
}

TEST_F(Ovqcdf, RefusesKeysTheFormatCannotHold) {
  std::string path = dir_.File("at.ppd");
  WriteFile(path, PPDHeader() + ShapesPPDOptions() +
                      "*OpenUI *OVTray/Tray: PickOne\n*DefaultOVTray: Auto\n*OVTray Auto/Auto: \"\"\n"
                      "*OVTray A@B/Odd: \"\"\n*CloseUI: *OVTray\n*UIConstraints: *OVColor Color *OVTray\n");
  RunResult result = Run({path, "S=OVTray"});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("1 constraint entries have a key with \"@\""), std::string::npos) << result.err;
}

TEST_F(Ovqcdf, HelpGoesToStandardOutput) {
  RunResult result = Run({"--help"});
  EXPECT_EQ(result.exit_status, 0);
  EXPECT_EQ(result.out.rfind("usage: ovqcdf PPD SECTION=KEYWORD[,KEYWORD...] [SECTION=...]\n", 0), 0u);
}

}  // namespace
