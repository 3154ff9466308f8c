// The shipped PPDs: valid for CUPS, named as the filter's model list expects, and
// carrying every option and attribute that the filter and the print dialogs read.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "escapes.h"
#include "ppdattr.h"
#include "run_program.h"

namespace {

const std::vector<std::string> kStems = {"OVQC300", "OVQC500", "OVQM200", "OVQU700"};

std::string PPDPath(const std::string& stem) { return SourcePath("ppd/" + stem + ".ppd"); }

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
  ppd_file_t* ppd = ppdOpenFile(PPDPath(GetParam()).c_str());
  ASSERT_NE(ppd, nullptr);
  ppd_attr_t* name = ppdFindAttr_ALT(ppd, "PCFileName");
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name->value, (GetParam() + ".PPD").c_str());
  ppd_attr_t* filter = ppdFindAttr(ppd, "cupsFilter2", nullptr);
  ASSERT_NE(filter, nullptr);
  EXPECT_STREQ(filter->value, "application/vnd.cups-postscript application/vnd.cups-postscript 0 ovqfilter");
  ppdClose(ppd);
}

// The dialog extensions split the settings attributes at the first "-" into a
// product type name and a help name; the name must be one of the panel's rows.
TEST_P(ShippedPPD, SettingsAttributesNameKnownProductTypes) {
  const std::map<std::string, std::set<std::string>> product_types = {
      {"OVXPrintTypeSettings", {"Default00", "Default01", "Default02", "Default03", "Sorrel00"}},
      {"OVXAccountingSettings", {"Default00", "Default01", "Default02", "Sorrel00", "Printer00"}},
      {"OVXImageOptionsSettings", {"Default00", "Default01", "Default02", "Default03", "Sorrel00"}},
  };
  ppd_file_t* ppd = ppdOpenFile(PPDPath(GetParam()).c_str());
  ASSERT_NE(ppd, nullptr);
  for (const auto& [attribute, names] : product_types) {
    ppd_attr_t* attr = ppdFindAttr_ALT(ppd, attribute.c_str());
    if (attr == nullptr) continue;
    std::string value = attr->value;
    size_t dash = value.find('-');
    ASSERT_NE(dash, std::string::npos) << attribute;
    EXPECT_TRUE(names.count(value.substr(0, dash))) << attribute << " " << value;
    EXPECT_GT(value.size(), dash + 1) << attribute << " has no help name";
  }
  // Mailbox: the maximum number in the first three characters, the output mode
  // choice from the fifth character on.
  if (ppd_attr_t* mailbox = ppdFindAttr_ALT(ppd, "OVXMailBoxSettings")) {
    std::string value = mailbox->value;
    ASSERT_GE(value.size(), 5u);
    EXPECT_GT(std::stoi(value.substr(0, 3)), 0);
    EXPECT_NE(ppdFindChoice(ppdFindOption(ppd, "OVOutputMode"), value.substr(4).c_str()), nullptr) << value;
  }
  ppdClose(ppd);
}

INSTANTIATE_TEST_SUITE_P(Family, ShippedPPD, testing::ValuesIn(kStems),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

// Keywords the filter and the dialogs read, each as an option or an attribute.
struct Keyword {
  const char* name;
  bool option;  // true: a UI option; false: a main-keyword attribute
};

bool FamilyHas(const Keyword& keyword) {
  for (const std::string& stem : kStems) {
    ppd_file_t* ppd = ppdOpenFile(PPDPath(stem).c_str());
    if (ppd == nullptr) continue;
    bool found = keyword.option ? ppdFindOption(ppd, keyword.name) != nullptr
                                : ppdFindAttr(ppd, keyword.name, nullptr) != nullptr;
    ppdClose(ppd);
    if (found) return true;
  }
  return false;
}

class FamilyKeyword : public testing::TestWithParam<Keyword> {};

TEST_P(FamilyKeyword, SomeModelCarriesIt) { EXPECT_TRUE(FamilyHas(GetParam())) << GetParam().name; }

INSTANTIATE_TEST_SUITE_P(
    FilterReads, FamilyKeyword,
    testing::Values(
        // attributes of the job flow, the header and the comment block
        Keyword{"OVPSDecompMode", false}, Keyword{"KQPrinterLanguageEncoding", false},
        Keyword{"CommentOn", false}, Keyword{"PCFileName", false}, Keyword{"ColorDevice", false},
        // options of the comment fields and header settings lines
        Keyword{"OVColorMode", true}, Keyword{"OVStaple", true}, Keyword{"OVPunch", true},
        Keyword{"OVNumPunchHoles", true}, Keyword{"OVSignature", true}, Keyword{"OVSigVol", true},
        Keyword{"OVLineWeightAdjustment", true}, Keyword{"OVBannerSheet", true},
        Keyword{"OVSRRLAdjustRegiHorizontal", true}, Keyword{"OVSRRLAdjustRegiVertical", true},
        // perfect binding
        Keyword{"OVPBindPosition", true}, Keyword{"OVPBindTrimming", true}, Keyword{"OVPBindCutPageSize", true},
        Keyword{"OVPBindCutPositionTop", true}, Keyword{"OVPBindCutPositionFore", true},
        Keyword{"OVPBindPageSize", true}, Keyword{"OVPBindCoverPageSize", true},
        Keyword{"OVPBindCoverMediaType", true}, Keyword{"OVPBindCoverMediaColor", true},
        Keyword{"OVPBindCoverPaperTray", true}, Keyword{"OVPBindRotationAdjustTop", true},
        Keyword{"OVPBindRotationAdjustBot", true}, Keyword{"OVPBindRotationAdjustFore", true},
        Keyword{"OVPBindCutPageAdjustmentTB", true}, Keyword{"OVPBindCutPageAdjustmentFore", true},
        Keyword{"OVPBindCutPositionAdjustmentTB", true}, Keyword{"OVPBindCoverAdjustX", true},
        Keyword{"OVPBindCoverAdjustY", true},
        // feature sections read by the buffered pass
        Keyword{"OVFrameMode", true}, Keyword{"OVHalftone", true}, Keyword{"KQColorMode", true},
        Keyword{"KQRGBImageType", true}, Keyword{"KQRGBInputProfile", true}, Keyword{"KQRGBCorrection", true},
        Keyword{"KQEngineScreen", true}, Keyword{"OVInvalidateColorProfile", true},
        Keyword{"OVSetTrapMode", true}, Keyword{"OVLetterHeadDuplexMode", true}, Keyword{"OVGrayBalance", true},
        Keyword{"OVOutputMode", true}, Keyword{"OVBrightnes", true}, Keyword{"OVRGBInputProfile", true},
        Keyword{"OVRGBBCorrection", true}, Keyword{"Smoothing", true}, Keyword{"OVTonerSaver", true},
        Keyword{"OVSaveBlankSheet", true}, Keyword{"OVMonochromePriority", true},
        Keyword{"OVColorDensityCyanLow", true}, Keyword{"OVColorDensityBlackHigh", true}),
    [](const testing::TestParamInfo<Keyword>& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    DialogsRead, FamilyKeyword,
    testing::Values(Keyword{"OVXEnableAccounting", false}, Keyword{"OVXAccountingSettings", false},
                    Keyword{"OVXEnablePrintType", false}, Keyword{"OVXPrintTypeSettings", false},
                    Keyword{"OVXImageOptionsSettings", false}, Keyword{"OVXMailBoxSettings", false},
                    Keyword{"OVPTSecurePrintDefault", false}, Keyword{"OVDeviceModel", false},
                    Keyword{"KQLocalizableFileIndex", false}, Keyword{"Manufacturer", false},
                    Keyword{"OVPTPasswdLimit", false}, Keyword{"OVPTPasswdLimit", true},
                    Keyword{"OVHardDisk", true}, Keyword{"OVRAMDisk", true}, Keyword{"OVSelectID", true},
                    Keyword{"OVBlackOverprint", true}, Keyword{"OVColorBalanceAdjustment", true}),
    [](const testing::TestParamInfo<Keyword>& info) {
      return std::string(info.param.name) + (info.param.option ? "Option" : "Attribute");
    });

// The Image Options panel decides a printer's product type from the exact set of
// its 24 image keywords that the PPD offers; a PPD that offers the panel must
// match one type, and every type has a model.
const std::vector<std::string> kImageKeywords = {
    "OVColorMode", "OVOutputMode", "OVBrightness", "OVRGBImageType", "OVRGBCorrection", "OVCMYKCorrectionSTD",
    "OVEngineScreen", "OVRGBInputProfile", "OVRGBGammaCorrection", "OVColorTemperature", "OVCMYKCorrectionTarget",
    "OVColorBalanceAdjustment", "OVColorDensityBlackLow", "OVColorDensityCyanLow", "OVColorDensityMagentaLow",
    "OVColorDensityYellowLow", "OVColorDensityBlackMid", "OVColorDensityCyanMid", "OVColorDensityMagentaMid",
    "OVColorDensityYellowMid", "OVColorDensityBlackHigh", "OVColorDensityCyanHigh", "OVColorDensityMagentaHigh",
    "OVColorDensityYellowHigh"};

// Keywords outside the common set, by type number.
const std::map<int, std::set<std::string>> kTypeExtras = {
    {1, {}},
    {2, {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature"}},
    {4, {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD"}},
    {5, {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD",
         "OVCMYKCorrectionTarget"}},
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
    ppd_file_t* ppd = ppdOpenFile(PPDPath(stem).c_str());
    ASSERT_NE(ppd, nullptr);
    if (ppdFindAttr_ALT(ppd, "OVXImageOptionsSettings") != nullptr) {
      int type = ImageProductType(ppd);
      EXPECT_NE(type, -1) << stem;
      types.insert(type);
    }
    ppdClose(ppd);
  }
  EXPECT_EQ(types, (std::set<int>{1, 2, 4, 5}));
}

// The colour-density arrows map the value v to the choice at index 3 - v, so the
// choices run from "+3" to "-3"; the filter's PJL table knows the same names.
TEST(ImageOptionsProductTypes, DensityChoicesRunFromPlusThreeToMinusThree) {
  const std::vector<std::string> expected = {"+3", "+2", "+1", "0", "-1", "-2", "-3"};
  for (const std::string& stem : kStems) {
    ppd_file_t* ppd = ppdOpenFile(PPDPath(stem).c_str());
    ASSERT_NE(ppd, nullptr);
    if (ppd_option_t* option = ppdFindOption(ppd, "OVColorDensityMagentaMid")) {
      std::vector<std::string> choices;
      for (int i = 0; i < option->num_choices; ++i) choices.push_back(option->choices[i].choice);
      EXPECT_EQ(choices, expected) << stem;
      EXPECT_STREQ(option->defchoice, "0") << stem;
    }
    ppdClose(ppd);
  }
}

// Every shipped model is on the filter's comment-block model list: with the two
// attributes that force the block removed, the block still comes.
class ModelList : public testing::TestWithParam<std::string> {};

TEST_P(ModelList, ModelReceivesTheCommentBlockThroughItsFileName) {
  TempDir dir;
  std::string text = ReadFile(PPDPath(GetParam()));
  std::string stripped;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    std::string line = text.substr(at, end - at);
    if (line.rfind("*KQPrinterLanguageEncoding:", 0) != 0 && line.rfind("*CommentOn:", 0) != 0) stripped += line;
    at = end;
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

INSTANTIATE_TEST_SUITE_P(Family, ModelList, testing::ValuesIn(kStems),
                         [](const testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
