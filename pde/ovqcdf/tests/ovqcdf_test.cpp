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

struct UsageCase {
  const char* name;
  std::vector<std::string> args;  // "PPD" stands for the fixture's path
  int status;
  const char* message;
};

class OvqcdfUsage : public Ovqcdf, public testing::WithParamInterface<UsageCase> {};

TEST_P(OvqcdfUsage, RefusesBadArgumentsWithAMessageAndNoOutput) {
  std::vector<std::string> args = GetParam().args;
  for (std::string& arg : args) {
    if (arg == "PPD") arg = ppd_path_;
  }
  RunResult result = Run(args);
  EXPECT_EQ(result.exit_status, GetParam().status);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, OvqcdfUsage,
    testing::Values(
        UsageCase{"NoArguments", {}, 2, "usage: ovqcdf PPD"},
        UsageCase{"NoSection", {"PPD"}, 2, "usage: ovqcdf PPD"},
        UsageCase{"NoEquals", {"PPD", "Section"}, 2, "is not SECTION=KEYWORD"},
        UsageCase{"NoName", {"PPD", "=OVPunch"}, 2, "is not SECTION=KEYWORD"},
        UsageCase{"EmptyKeyword", {"PPD", "S=OVPunch,,Duplex"}, 2, "empty or malformed keyword"},
        UsageCase{"LineFeedInName", {"PPD", "S\nT=OVPunch"}, 2, "control characters"},
        UsageCase{"ElevenSections",
                  {"PPD", "a=X", "b=X", "c=X", "d=X", "e=X", "f=X", "g=X", "h=X", "i=X", "j=X", "k=X"},
                  2, "at most 10 sections"},
        UsageCase{"MissingPPD", {"/nonexistent/x.ppd", "S=OVPunch"}, 1, "cannot read PPD \"/nonexistent/x.ppd\""}),
    [](const auto& info) { return std::string(info.param.name); });

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
