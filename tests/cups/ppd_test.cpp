// The shipped PPDs: valid for CUPS, named as the filter's model list expects, and
// carrying every option and attribute that the filter and the print dialogs read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "escapes.h"
#include "param_name.h"
#include "ppdattr.h"
#include "run_program.h"

namespace {

const std::vector<std::string> kStems = {"OVQC300", "OVQC500", "OVQM200", "OVQU700"};

std::string PPDPath(const std::string& stem) { return SourcePath("ppd/" + stem + ".ppd"); }

struct PPDCloser {
  void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPD = std::unique_ptr<ppd_file_t, PPDCloser>;
PPD Open(const std::string& stem) { return PPD(ppdOpenFile(PPDPath(stem).c_str())); }

const auto kStemName = [](const testing::TestParamInfo<std::string>& row) { return row.param; };

class ShippedPPD : public testing::TestWithParam<std::string> {};

TEST_P(ShippedPPD, PassesCupstestppd) {
  // cupstestppd checks that the filter named by cupsFilter2 exists in the server
  // folder: give it a root folder holding our filter where CUPS keeps filters.
  TempDir root;
  std::string filter_dir = root.path() + OVQ_CUPS_SERVERBIN + "/filter";
  std::filesystem::create_directories(filter_dir);
  std::filesystem::copy_file(BinaryPath("ovqfilter"), filter_dir + "/ovqfilter");
  chmod((filter_dir + "/ovqfilter").c_str(), 0755);
  RunSpec spec;
  spec.program = "/usr/bin/cupstestppd";
  spec.args = {"-R", root.path()};
  if (geteuid() != 0) spec.args.insert(spec.args.end(), {"-I", "permissions"});
  spec.args.push_back(PPDPath(GetParam()));
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find(": PASS"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("FAIL"), std::string::npos) << r.out;
}

TEST_P(ShippedPPD, FileNameMatchesPCFileNameAndFilter) {
  PPD ppd = Open(GetParam());
  ASSERT_NE(ppd, nullptr);
  ppd_attr_t* name = ppdFindAttr_ALT(ppd.get(), "PCFileName");
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name->value, (GetParam() + ".PPD").c_str());
  ppd_attr_t* filter = ppdFindAttr(ppd.get(), "cupsFilter2", nullptr);
  ASSERT_NE(filter, nullptr);
  EXPECT_STREQ(filter->value, "application/vnd.cups-postscript application/vnd.cups-postscript 0 ovqfilter");
}

// The dialog extensions split the settings attributes at the first "-" into a
// product type name and a help name; the name must be one of the panel's rows.
TEST_P(ShippedPPD, SettingsAttributesNameKnownProductTypes) {
  const std::map<std::string, std::set<std::string>> product_types = {
      {"OVXPrintTypeSettings", {"Default00", "Default01", "Default02", "Default03", "Sorrel00"}},
      {"OVXAccountingSettings", {"Default00", "Default01", "Default02", "Sorrel00", "Printer00"}},
      {"OVXImageOptionsSettings", {"Default00", "Default01", "Default02", "Default03", "Sorrel00"}},
  };
  PPD ppd = Open(GetParam());
  ASSERT_NE(ppd, nullptr);
  for (const auto& [attribute, names] : product_types) {
    ppd_attr_t* attr = ppdFindAttr_ALT(ppd.get(), attribute.c_str());
    if (attr == nullptr) continue;
    std::string value = attr->value;
    size_t dash = value.find('-');
    ASSERT_NE(dash, std::string::npos) << attribute;
    EXPECT_TRUE(names.count(value.substr(0, dash))) << attribute << " " << value;
    EXPECT_GT(value.size(), dash + 1) << attribute << " has no help name";
  }
  // Mailbox: the maximum number in the first three characters, the output mode
  // choice from the fifth character on.
  if (ppd_attr_t* mailbox = ppdFindAttr_ALT(ppd.get(), "OVXMailBoxSettings")) {
    std::string value = mailbox->value;
    ASSERT_GE(value.size(), 5u);
    EXPECT_GT(std::stoi(value.substr(0, 3)), 0);
    EXPECT_NE(ppdFindChoice(ppdFindOption(ppd.get(), "OVOutputMode"), value.substr(4).c_str()), nullptr) << value;
  }
}

// Every shipped model is on the filter's comment-block model list: with the two
// attributes that force the block removed, the block still comes.
TEST_P(ShippedPPD, ModelReceivesTheCommentBlockThroughItsFileName) {
  TempDir dir;
  std::istringstream lines(ReadFile(PPDPath(GetParam())));
  std::string stripped;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("*KQPrinterLanguageEncoding:", 0) != 0 && line.rfind("*CommentOn:", 0) != 0) stripped += line + "\n";
  }
  WriteFile(dir.File("model.ppd"), stripped);
  WriteFile(dir.File("job.ps"), "%!PS-Adobe-3.0\n%%EndComments\nshowpage\n%%EOF\n");
  RunSpec spec;
  spec.program = BinaryPath("ovqfilter");
  spec.args = {"1", "user", "title", "1", "", dir.File("job.ps")};
  spec.env["PPD"] = dir.File("model.ppd");
  RunResult r = RunProgram(spec);
  EXPECT_EQ(r.exit_status, 0);
  EXPECT_NE(r.out.find("@PJL COMMENT KQJOBINFO BEGIN\n"), std::string::npos) << MakeVisible(r.out);
}

INSTANTIATE_TEST_SUITE_P(Family, ShippedPPD, testing::ValuesIn(kStems), kStemName);

// Keywords the filter and the dialogs read, each as a UI option or a main-keyword
// attribute of some model.
struct Keywords {
  const char* name;
  bool option;
  const char* names;  // space-separated
};

class FamilyKeywords : public testing::TestWithParam<Keywords> {};

TEST_P(FamilyKeywords, SomeModelCarriesEach) {
  std::vector<PPD> family;
  for (const std::string& stem : kStems) family.push_back(Open(stem));
  std::istringstream names(GetParam().names);
  for (std::string name; names >> name;) {
    bool found = false;
    for (const PPD& ppd : family) {
      if (ppd != nullptr && (GetParam().option ? ppdFindOption(ppd.get(), name.c_str()) != nullptr
                                               : ppdFindAttr(ppd.get(), name.c_str(), nullptr) != nullptr)) {
        found = true;
      }
    }
    EXPECT_TRUE(found) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FamilyKeywords,
    testing::Values(
        // attributes of the job flow, the header and the comment block
        Keywords{"FilterAttributes", false,
                 "OVPSDecompMode KQPrinterLanguageEncoding CommentOn PCFileName ColorDevice"},
        // options of the comment fields and header settings lines
        Keywords{"FilterOptions", true,
                 "OVColorMode OVStaple OVPunch OVNumPunchHoles OVSignature OVSigVol OVLineWeightAdjustment "
                 "OVBannerSheet OVSRRLAdjustRegiHorizontal OVSRRLAdjustRegiVertical"},
        Keywords{"PerfectBindingOptions", true,
                 "OVPBindPosition OVPBindTrimming OVPBindCutPageSize OVPBindCutPositionTop OVPBindCutPositionFore "
                 "OVPBindPageSize OVPBindCoverPageSize OVPBindCoverMediaType OVPBindCoverMediaColor "
                 "OVPBindCoverPaperTray OVPBindRotationAdjustTop OVPBindRotationAdjustBot OVPBindRotationAdjustFore "
                 "OVPBindCutPageAdjustmentTB OVPBindCutPageAdjustmentFore OVPBindCutPositionAdjustmentTB "
                 "OVPBindCoverAdjustX OVPBindCoverAdjustY"},
        // feature sections read by the buffered pass
        Keywords{"FeatureOptions", true,
                 "OVFrameMode OVHalftone KQColorMode KQRGBImageType KQRGBInputProfile KQRGBCorrection KQEngineScreen "
                 "OVInvalidateColorProfile OVSetTrapMode OVLetterHeadDuplexMode OVGrayBalance OVOutputMode "
                 "OVBrightnes OVRGBInputProfile OVRGBBCorrection Smoothing OVTonerSaver OVSaveBlankSheet "
                 "OVMonochromePriority OVColorDensityCyanLow OVColorDensityBlackHigh"},
        Keywords{"DialogAttributes", false,
                 "OVXEnableAccounting OVXAccountingSettings OVXEnablePrintType OVXPrintTypeSettings "
                 "OVXImageOptionsSettings OVXMailBoxSettings OVPTSecurePrintDefault OVDeviceModel "
                 "KQLocalizableFileIndex Manufacturer OVPTPasswdLimit"},
        Keywords{"DialogOptions", true,
                 "OVPTPasswdLimit OVHardDisk OVRAMDisk OVSelectID OVBlackOverprint OVColorBalanceAdjustment"}),
    RowName());

// The Image Options panel decides a printer's product type from the exact set of
// its 24 image keywords that the PPD offers; a PPD that offers the panel must
// match one type, and every type has a model.
const std::vector<std::string> kImageKeywords = {"OVColorMode",
                                                 "OVOutputMode",
                                                 "OVBrightness",
                                                 "OVRGBImageType",
                                                 "OVRGBCorrection",
                                                 "OVCMYKCorrectionSTD",
                                                 "OVEngineScreen",
                                                 "OVRGBInputProfile",
                                                 "OVRGBGammaCorrection",
                                                 "OVColorTemperature",
                                                 "OVCMYKCorrectionTarget",
                                                 "OVColorBalanceAdjustment",
                                                 "OVColorDensityBlackLow",
                                                 "OVColorDensityCyanLow",
                                                 "OVColorDensityMagentaLow",
                                                 "OVColorDensityYellowLow",
                                                 "OVColorDensityBlackMid",
                                                 "OVColorDensityCyanMid",
                                                 "OVColorDensityMagentaMid",
                                                 "OVColorDensityYellowMid",
                                                 "OVColorDensityBlackHigh",
                                                 "OVColorDensityCyanHigh",
                                                 "OVColorDensityMagentaHigh",
                                                 "OVColorDensityYellowHigh"};

// Keywords outside the common set, by type number.
const std::map<int, std::set<std::string>> kTypeExtras = {
    {1, {}},
    {2, {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature"}},
    {4, {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD"}},
    {5,
     {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD", "OVCMYKCorrectionTarget"}},
};

std::set<std::string> TypeSet(int type) {
  const std::set<std::string> optional = kTypeExtras.at(5);
  std::set<std::string> keywords;
  for (const std::string& k : kImageKeywords) {
    if (!optional.count(k) || kTypeExtras.at(type).count(k)) keywords.insert(k);
  }
  return keywords;
}

int ImageProductType(ppd_file_t* ppd) {
  std::set<std::string> present;
  for (const std::string& k : kImageKeywords) {
    ppd_option_t* option = ppdFindOption(ppd, k.c_str());
    if (option != nullptr && option->num_choices > 0) present.insert(k);
  }
  for (const auto& [type, extras] : kTypeExtras) {
    if (present == TypeSet(type)) return type;
  }
  return -1;
}

TEST(ImageOptionsProductTypes, EveryPanelModelMatchesATypeAndEveryTypeHasAModel) {
  std::set<int> types;
  for (const std::string& stem : kStems) {
    PPD ppd = Open(stem);
    ASSERT_NE(ppd, nullptr);
    if (ppdFindAttr_ALT(ppd.get(), "OVXImageOptionsSettings") != nullptr) {
      int type = ImageProductType(ppd.get());
      EXPECT_NE(type, -1) << stem;
      types.insert(type);
    }
  }
  EXPECT_EQ(types, (std::set<int>{1, 2, 4, 5}));
}

// The colour-density arrows map the value v to the choice at index 3 - v, so the
// choices run from "+3" to "-3"; the filter's PJL table knows the same names.
TEST(ImageOptionsProductTypes, DensityChoicesRunFromPlusThreeToMinusThree) {
  const std::vector<std::string> expected = {"+3", "+2", "+1", "0", "-1", "-2", "-3"};
  for (const std::string& stem : kStems) {
    PPD ppd = Open(stem);
    ASSERT_NE(ppd, nullptr);
    if (ppd_option_t* option = ppdFindOption(ppd.get(), "OVColorDensityMagentaMid")) {
      std::vector<std::string> choices;
      for (int i = 0; i < option->num_choices; ++i) choices.push_back(option->choices[i].choice);
      EXPECT_EQ(choices, expected) << stem;
      EXPECT_STREQ(option->defchoice, "0") << stem;
    }
  }
}

}  // namespace
