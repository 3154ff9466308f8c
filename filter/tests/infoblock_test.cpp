// Header settings lines and the job-information comment block.
#include "infoblock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "comment.h"
#include "escapes.h"
#include "filter_test_support.h"
#include "models.h"
#include "modules.h"
#include "ppdattr.h"

namespace {

void Set(char* field, const char* text) {
  std::memset(field, 0, kCommentTextSize);
  std::strncpy(field, text, kCommentTextSize - 1);
}

// A record as the normalisation leaves it for a plain job.
void PlainRecord() {
  psoptioncomment = {};
  Set(psoptioncomment.sides, "one-sided");
  Set(psoptioncomment.numberUp, "1");
  psoptioncomment.copies = psoptioncomment.orientation = psoptioncomment.layoutDirection = 1;
  psoptioncomment.duplexBindingEdge = psoptioncomment.printType = -1;
}

std::string Written(void (*writer)()) { return MakeVisible(CaptureStdout(writer)); }
std::string Encoding(const char* name) { return std::string("*KQPrinterLanguageEncoding: \"") + name + "\"\n"; }
std::string Attr(const std::string& value) { return "@PJL SET JOBATTR=\"@" + value + "\"\n"; }
std::string Info(const std::string& value) { return "@PJL COMMENT KQJOBINFO " + value + "\n"; }

const std::string kUtf8PPD = TestPPD(Encoding("UTF-8"));
const std::string kSjisPPD = TestPPD(Encoding("JIS83-RKSJ"));
const std::string kColorPPD = TestPPD("*ColorDevice: True\n" + TestOption("OVColorMode", "Color", "Color Black"));
const std::string kColorBlackPPD = TestPPD("*ColorDevice: True\n" + TestOption("OVColorMode", "Black", "Color Black"));
const std::string kMonoPPD = TestPPD("*ColorDevice: False\n");
const std::string kNoPPD;

// 64 distinct seven-character names, the shipped models first; every PPD we
// ship names a model of the list by its PCFileName stem.
TEST(ModelsWithCommentTest, ListHoldsTheShippedModels) {
  std::set<std::string> seen;
  for (const char* const* model = modelsWithComment; *model != nullptr; ++model) {
    EXPECT_EQ(std::strlen(*model), static_cast<size_t>(kModelNameLength)) << *model;
    EXPECT_TRUE(seen.insert(*model).second) << "twice: " << *model;
  }
  EXPECT_EQ(seen.size(), 64u);
  const char* first[] = {"OVQC300", "OVQC500", "OVQU700", "OVQM200"};
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(modelsWithComment[i], first[i]);
  EXPECT_TRUE(IsModelWithComment("OVQM200.PPD"));
  EXPECT_FALSE(IsModelWithComment("OVQX900.PPD"));
  EXPECT_FALSE(IsModelWithComment(nullptr));
  int shipped = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SourcePath("ppd"))) {
    if (entry.path().extension() != ".ppd") continue;
    ScopedJobPPD ppd(ReadFile(entry.path().string()));
    ppd_attr_t* pcFileName = ppdFindAttr_ALT(JobPPD(), "PCFileName");
    ASSERT_NE(pcFileName, nullptr) << entry.path();
    const std::string name = pcFileName->value;
    EXPECT_EQ(seen.count(name.substr(0, name.find('.'))), 1u) << name;
    ++shipped;
  }
  EXPECT_GE(shipped, 4);
}

// ---- String code set: encoding attribute (nullptr: no PPD) -> line.

using CodeSetCase = std::tuple<const char*, const char*>;  // code set, nullptr: no line
class CodeSetTest : public ::testing::TestWithParam<CodeSetCase> {};

TEST_P(CodeSetTest, NamesTheEncoding) {
  const auto [encoding, codeSet] = GetParam();
  ScopedJobPPD ppd(encoding == nullptr ? "" : TestPPD(*encoding ? Encoding(encoding) : ""));
  EXPECT_EQ(Written(OutputQPJLCommandLanguageEncoding),
            codeSet ? "@PJL SET STRINGCODESET=\"" + std::string(codeSet) + "\"\n" : "");
}

INSTANTIATE_TEST_SUITE_P(Attributes, CodeSetTest,
                         ::testing::ValuesIn(std::vector<CodeSetCase>{{"", "SJISX0208"},
                                                                      {"UTF-8", "UTF8"},
                                                                      {"JIS83-RKSJ", "SJISX0208"},
                                                                      {"ISOLatin1", "HPROMAN8"},
                                                                      {"EUC-JP", nullptr},
                                                                      {nullptr, nullptr}}));

// ---- Booklet

using OrientationCase = std::tuple<const char*, int, bool>;  // number up, orientation, landscape
class BookletOrientationTest : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(BookletOrientationTest, ChoosesTheLine) {
  const auto [numberUp, orientation, landscape] = GetParam();
  EXPECT_EQ(BookletOrientationLine(numberUp, orientation), Attr(landscape ? "DIND=LANDSCAPE" : "DIND=PORTRAIT"));
}

INSTANTIATE_TEST_SUITE_P(Table, BookletOrientationTest,
                         ::testing::ValuesIn(std::vector<OrientationCase>{{"", 4, false},
                                                                          {"2", 1, true},
                                                                          {"2", 6, true},
                                                                          {"2", 4, false},
                                                                          {"6", 1, true},
                                                                          {"6", 5, false},
                                                                          {"4", 4, true},
                                                                          {"4", 5, true},
                                                                          {"4", 1, false},
                                                                          {"1", 4, true},
                                                                          {"9", 6, false},
                                                                          {"16", 5, true},
                                                                          {"25", 4, true},
                                                                          {"-2", 4, true},
                                                                          {"-2", 1, false}}));

// PPD, signature, volume, the lines after the orientation line ("-": no output at all).
using BookletCase = std::tuple<const std::string*, const char*, const char*, std::string>;
class BookletLinesTest : public ::testing::TestWithParam<BookletCase> {};

TEST_P(BookletLinesTest, FollowTheSignature) {
  const auto& [text, signature, volume, expected] = GetParam();
  ScopedJobPPD ppd(*text);
  PlainRecord();
  Set(psoptioncomment.signature, signature);
  Set(psoptioncomment.signatureVolume, volume);
  EXPECT_EQ(Written(OutputQPJLCommandforBooklet), expected == "-" ? "" : MakeVisible(Attr("DIND=PORTRAIT") + expected));
}

INSTANTIATE_TEST_SUITE_P(Signatures, BookletLinesTest,
                         ::testing::ValuesIn(std::vector<BookletCase>{
                             {&kUtf8PPD, "", "5Sheets", ""},
                             {&kUtf8PPD, "Booklet", "", Attr("DIBK=NONEDIVIDE")},
                             {&kSjisPPD, "BookletLeft", "", "-"}}));  // nothing without UTF-8

// ---- Banner sheet

using BannerCase = std::tuple<const char*, int, const char*>;  // banner, print type, value (nullptr: none)
class BannerTest : public ::testing::TestWithParam<BannerCase> {};

TEST_P(BannerTest, TestsInOrder) {
  const auto [banner, printType, value] = GetParam();
  const char* line = BannerSheetLine(banner, printType);
  EXPECT_EQ(line ? std::string(line) : "-", value ? Attr(std::string("BANR=") + value) : "-");
}

INSTANTIATE_TEST_SUITE_P(Choices, BannerTest,
                         ::testing::ValuesIn(std::vector<BannerCase>{{"UserPrinterSetting", 2, "OFF"},
                                                                     {"Other", 2, "OFF"},  // secure print first
                                                                     {"UserPrinterSetting", 3, "DEVICE"},
                                                                     {"PrintStartPage", -1, "START"},
                                                                     {"None", 1, "OFF"},
                                                                     {"PrintEndPage", 1, nullptr},
                                                                     {"", 2, nullptr}}));

// ---- Registration

using RegiTextCase = std::tuple<const char*, const char*>;
class RegistrationTextTest : public ::testing::TestWithParam<RegiTextCase> {};

TEST_P(RegistrationTextTest, InTenths) {
  char text[4] = {'x', 'x', 'x', 'x'};
  RegistrationNumberText(std::get<0>(GetParam()), text);
  EXPECT_STREQ(text, std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Values, RegistrationTextTest,
                         ::testing::ValuesIn(std::vector<RegiTextCase>{
                             {"1.5", "15"},
                             {"-0.25", "-3"},
                             {"0.0", "0"},
                             {"+0.25", "3"},
                             {"Regi7ch", "0"},
                             {"1234567", "0"},  // seven characters: nothing left
                             {"Horizon5", "50"},
                             {"Horizon-1.25", "-13"},  // eight: the first seven dropped
                             {"2.0000", "20"},
                             {"123456", "123"},
                             {"-99.99", "-10"},         // cut to three characters
                             {"Horizon1.00009", "10"},  // the number text holds six
                             {"9e9999", "100"},
                             {"abc", "0"}}));

// Both lines are golden cases; an empty horizontal value has no line.
TEST(RegistrationLinesTest, EmptyValueHasNoLine) {
  PlainRecord();
  Set(psoptioncomment.regiVertical, "-0.25");
  EXPECT_EQ(Written(OutputQPJLCommandforSRRLAdjustRegi), MakeVisible(Attr("RCFS=-3")));
}

// ---- Line weight and render mode

using OthersCase = std::tuple<const std::string*, const char*, const char*, std::string>;  // PPD, weight, mode
class OthersTest : public ::testing::TestWithParam<OthersCase> {};

TEST_P(OthersTest, WritesWeightAndRenderMode) {
  const auto& [text, lineWeight, colorMode, expected] = GetParam();
  ScopedJobPPD ppd(*text);
  PlainRecord();
  Set(psoptioncomment.lineWeight, lineWeight);
  Set(psoptioncomment.colorMode, colorMode);
  EXPECT_EQ(Written(OutputQPJLCommandOthers), MakeVisible(expected));
}

const std::string kColor = "@PJL SET RENDERMODE=COLOR\n";
const std::string kGray = "@PJL SET RENDERMODE=GRAYSCALE\n";

INSTANTIATE_TEST_SUITE_P(Choices, OthersTest,
                         ::testing::ValuesIn(std::vector<OthersCase>{
                             // weights -2, 0, 1: golden cases
                             {&kColorPPD, "3Weakly", "Color", Attr("LWAD=3") + kColor},
                             {&kColorPPD, "Strongly", "Color", kColor},  // no digit: no line
                             {&kColorPPD, "Medium3", "Color", kColor},   // neither word: no line
                             {&kColorPPD, "", "Auto", ""},               // unknown mode, option present
                             {&kMonoPPD, "", "Auto", kGray},
                             {&kColorPPD, "", "", kColor},  // empty mode: the PPD's default
                             {&kColorBlackPPD, "", "", kGray},
                             {&kMonoPPD, "", "", kGray},
                             {&kNoPPD, "", "", kGray}}));  // no PPD: no colour device

// ---- Comment block condition

using ConditionCase = std::tuple<std::string, int>;  // PPD attributes ("-": no PPD), wanted
class CommentConditionTest : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(CommentConditionTest, FollowsEncodingModelAndCommentOn) {
  const auto& [attributes, wanted] = GetParam();
  ScopedJobPPD ppd(attributes == "-" ? "" : TestPPD(attributes));
  EXPECT_EQ(IsCommentBlockWanted(), wanted);
  PlainRecord();
  EXPECT_TRUE(attributes != "-" || Written(OutputQPJLCommandforComment).empty());
}

const std::string kOn = "*CommentOn: \"True\"\n";

INSTANTIATE_TEST_SUITE_P(PPDs, CommentConditionTest,
                         ::testing::ValuesIn(std::vector<ConditionCase>{
                             {Encoding("JIS83-RKSJ"), 1},
                             {Encoding("UTF-8") + "*PCFileName: \"OVQC300.PPD\"\n", 0},
                             {Encoding("UTF-8") + kOn, 1},
                             {Encoding("UTF-8") + "*CommentOn: \"False\"\n", 0},
                             {"*PCFileName: \"OVQC500.PPD\"\n", 1},
                             {"*PCFileName: \"OVQM350.PPD\"\n", 1},  // a reserved model
                             {"*PCFileName: \"OVQX900.PPD\"\n", 0},
                             {"*PCFileName: \"OVQX900.PPD\"\n" + kOn, 1},
                             {kOn, 0},  // no encoding and no PCFileName
                             {"-", 0}}));

// ---- Comment block lines the whole-filter cases do not reach

using BasicCase = std::tuple<void (*)(), std::string>;
class CommentBasicTest : public ::testing::TestWithParam<BasicCase> {};

TEST_P(CommentBasicTest, WritesTheLines) {
  ScopedJobPPD ppd(kColorPPD);
  PlainRecord();
  Set(psoptioncomment.colorMode, "Color");
  Set(psoptioncomment.numberUp, "");
  std::get<0>(GetParam())();
  EXPECT_EQ(Written(OutputQPJLCommandforCommentBasic), MakeVisible(std::get<1>(GetParam())));
}

const std::string kColorLine = Info("COLORMODE=COLOR");
const std::string kSimplexColor = Info("DUPLEXTYPE=SIMPLEX") + kColorLine;
const std::string kLong(300, 'A');
const std::string kThresholdPrefix = "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[";

INSTANTIATE_TEST_SUITE_P(
    Fields, CommentBasicTest,
    ::testing::ValuesIn(std::vector<BasicCase>{
        {[] { psoptioncomment.duplexBindingEdge = 2; }, Info("DUPLEXTYPE=DUPLEX") + kColorLine},  // wins over sides
        {[] {
           Set(psoptioncomment.sides, "other");
           psoptioncomment.duplexBindingEdge = 3;
         },
         Info("DUPLEXTYPE=TUMBLE") + kColorLine},
        {[] { Set(psoptioncomment.sides, "other"); }, kColorLine},
        {[] { Set(psoptioncomment.colorMode, "Auto"); }, Info("DUPLEXTYPE=SIMPLEX")},
        {[] { Set(psoptioncomment.signature, "BookletLeft"); }, kSimplexColor + Info("BOOKLETTYPE=TYPE[NOBOOKLET]")},
        {[] {
           Set(psoptioncomment.signature, "BookletLeft");
           Set(psoptioncomment.signatureVolume, "12");
         },
         kSimplexColor + Info("BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[12]")},
        // Values that try to start a command: controls become spaces, quotes apostrophes.
        {[] { Set(psoptioncomment.numberUp, "2\r\n@PJL \"X\""); }, kSimplexColor + Info("NUP=2   PJL 'X'")},
        // A long value is cut, the line keeps its end.
        {[] {
           Set(psoptioncomment.signature, "BookletLeft");
           Set(psoptioncomment.signatureVolume, kLong.c_str());
         },
         kSimplexColor + kThresholdPrefix + std::string(99 - kThresholdPrefix.size() - 2, 'A') + "]\n"}}));

// Every line of the block is one PJL command: it begins with "@PJL", holds
// no control character other than its final line feed and no double quote.
using InjectionCase = std::tuple<const char*, const char*>;  // number up, volume
class CommentInjectionTest : public ::testing::TestWithParam<InjectionCase> {};

TEST_P(CommentInjectionTest, ValuesStayInsideTheirLine) {
  ScopedJobPPD ppd(kSjisPPD);
  PlainRecord();
  Set(psoptioncomment.numberUp, std::get<0>(GetParam()));
  Set(psoptioncomment.signature, "BookletLeft");
  Set(psoptioncomment.signatureVolume, std::get<1>(GetParam()));
  const std::string out = CaptureStdout(OutputQPJLCommandforComment);
  ASSERT_EQ(out.back(), '\n');
  int lines = 0;
  for (size_t start = 0, end; start < out.size(); start = end + 1, ++lines) {
    end = out.find('\n', start);
    const std::string line = out.substr(start, end - start);
    EXPECT_EQ(line.rfind("@PJL COMMENT KQJOBINFO ", 0), 0u) << MakeVisible(line);
    EXPECT_LT(line.size(), 100u);
    for (char ch : line)
      EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F || ch == '"') << MakeVisible(line);
  }
  EXPECT_EQ(lines, 9);
}

INSTANTIATE_TEST_SUITE_P(Values, CommentInjectionTest,
                         ::testing::ValuesIn(std::vector<InjectionCase>{
                             {"2\n@PJL DEFAULT COPIES=99\n", "5\n@PJL DEFAULT COPIES=99\nSheets"},
                             {"2\r@PJL RESET\r", "\r\n@PJL RESET\r\nSheets"},
                             {"2\"\x1B%-12345X", "\"5\"\x7FSheets"},
                             {kLong.c_str(), kLong.c_str()}}));

}  // namespace
