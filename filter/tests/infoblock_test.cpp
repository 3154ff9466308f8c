// Header settings lines and the job-information comment block.
#include "infoblock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "comment.h"
#include "escapes.h"
#include "filter_test_support.h"
#include "models.h"
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
  psoptioncomment.copies = 1;
  psoptioncomment.orientation = 1;
  psoptioncomment.layoutDirection = 1;
  psoptioncomment.duplexBindingEdge = -1;
  psoptioncomment.printType = -1;
}

std::string Written(void (*writer)()) { return MakeVisible(CaptureStdout(writer)); }

// ---- Model list

TEST(ModelsWithCommentTest, SixtyFourSevenCharacterNamesShippedFirst) {
  std::set<std::string> seen;
  int count = 0;
  for (const char* const* model = modelsWithComment; *model != nullptr; ++model, ++count) {
    EXPECT_EQ(std::strlen(*model), static_cast<size_t>(kModelNameLength)) << *model;
    EXPECT_TRUE(seen.insert(*model).second) << "twice: " << *model;
  }
  EXPECT_EQ(count, 64);
  EXPECT_STREQ(modelsWithComment[0], "OVQC300");
  EXPECT_STREQ(modelsWithComment[1], "OVQC500");
  EXPECT_STREQ(modelsWithComment[2], "OVQU700");
  EXPECT_STREQ(modelsWithComment[3], "OVQM200");
  EXPECT_TRUE(IsModelWithComment("OVQM200.PPD"));
  EXPECT_FALSE(IsModelWithComment("OVQX900.PPD"));
  EXPECT_FALSE(IsModelWithComment(nullptr));
}

// Every PPD we ship names a model of the list by its PCFileName stem.
TEST(ModelsWithCommentTest, ShippedPPDStemsAreOnTheList) {
  int shipped = 0;
  for (const auto& entry : std::filesystem::directory_iterator(SourcePath("ppd"))) {
    if (entry.path().extension() != ".ppd") continue;
    ScopedJobPPD ppd(ReadFile(entry.path().string()));
    ppd_attr_t* pcFileName = ppdFindAttr_ALT(JobPPD(), "PCFileName");
    ASSERT_NE(pcFileName, nullptr) << entry.path();
    std::string stem = std::string(pcFileName->value).substr(0, std::string(pcFileName->value).find('.'));
    bool listed = false;
    for (const char* const* model = modelsWithComment; *model != nullptr; ++model) listed |= stem == *model;
    EXPECT_TRUE(listed) << stem;
    ++shipped;
  }
  EXPECT_GE(shipped, 4);
}

// ---- String code set

struct CodeSetCase {
  const char* name;
  std::string attributes;
  bool withPPD;
  std::string expected;
};

class CodeSetTest : public ::testing::TestWithParam<CodeSetCase> {};

TEST_P(CodeSetTest, NamesTheEncoding) {
  ScopedJobPPD ppd(GetParam().withPPD ? TestPPD(GetParam().attributes) : "");
  EXPECT_EQ(Written(OutputQPJLCommandLanguageEncoding), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Attributes, CodeSetTest,
    ::testing::Values(
        CodeSetCase{"Absent", "", true, "@PJL SET STRINGCODESET=\"SJISX0208\"\n"},
        CodeSetCase{"Utf8", "*KQPrinterLanguageEncoding: \"UTF-8\"\n", true, "@PJL SET STRINGCODESET=\"UTF8\"\n"},
        CodeSetCase{"Sjis", "*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n", true,
                    "@PJL SET STRINGCODESET=\"SJISX0208\"\n"},
        CodeSetCase{"Latin1", "*KQPrinterLanguageEncoding: \"ISOLatin1\"\n", true,
                    "@PJL SET STRINGCODESET=\"HPROMAN8\"\n"},
        CodeSetCase{"Other", "*KQPrinterLanguageEncoding: \"EUC-JP\"\n", true, ""},
        CodeSetCase{"NoPPD", "", false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Booklet

struct OrientationCase {
  const char* numberUp;
  int orientation;
  bool landscape;
};

class BookletOrientationTest : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(BookletOrientationTest, ChoosesTheLine) {
  std::string expected = GetParam().landscape ? "@PJL SET JOBATTR=\"@DIND=LANDSCAPE\"\n"
                                              : "@PJL SET JOBATTR=\"@DIND=PORTRAIT\"\n";
  EXPECT_EQ(BookletOrientationLine(GetParam().numberUp, GetParam().orientation), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BookletOrientationTest,
    ::testing::Values(OrientationCase{"", 4, false}, OrientationCase{"2", 1, true}, OrientationCase{"2", 6, true},
                      OrientationCase{"2", 4, false}, OrientationCase{"6", 1, true}, OrientationCase{"6", 5, false},
                      OrientationCase{"4", 4, true}, OrientationCase{"4", 5, true}, OrientationCase{"4", 1, false},
                      OrientationCase{"1", 4, true}, OrientationCase{"9", 6, false}, OrientationCase{"16", 5, true},
                      OrientationCase{"25", 4, true}, OrientationCase{"-2", 4, true},
                      OrientationCase{"-2", 1, false}));

struct BookletCase {
  const char* name;
  const char* signature;
  const char* volume;
  std::string expected;  // after the orientation line
};

class BookletLinesTest : public ::testing::TestWithParam<BookletCase> {};

const std::string kUtf8PPD = TestPPD("*KQPrinterLanguageEncoding: \"UTF-8\"\n");
const std::string kPortrait = "@PJL SET JOBATTR=\"@DIND=PORTRAIT\"\n";

TEST_P(BookletLinesTest, FollowTheSignature) {
  ScopedJobPPD ppd(kUtf8PPD);
  PlainRecord();
  Set(psoptioncomment.signature, GetParam().signature);
  Set(psoptioncomment.signatureVolume, GetParam().volume);
  EXPECT_EQ(Written(OutputQPJLCommandforBooklet), MakeVisible(kPortrait + GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, BookletLinesTest,
    ::testing::Values(
        BookletCase{"NoSignature", "", "5Sheets", ""},
        BookletCase{"None", "None", "5Sheets",
                    "@PJL SET JOBATTR=\"@DIBB=OFF\"\n@PJL SET JOBATTR=\"@DIBK=OFF\"\n"},
        BookletCase{"LeftDivided", "BookletLeft", "5Sheets",
                    "@PJL SET JOBATTR=\"@DIBB=LEFT\"\n@PJL SET JOBATTR=\"@DIBK=MANUALDIVIDE\"\n"},
        BookletCase{"RightVolumeNone", "BookletRight", "None",
                    "@PJL SET JOBATTR=\"@DIBB=RIGHT\"\n@PJL SET JOBATTR=\"@DIBK=NONEDIVIDE\"\n"},
        BookletCase{"NoSideVolumeEmpty", "Booklet", "", "@PJL SET JOBATTR=\"@DIBK=NONEDIVIDE\"\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BookletTest, NothingWithoutUtf8) {
  ScopedJobPPD ppd(TestPPD("*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n"));
  PlainRecord();
  Set(psoptioncomment.signature, "BookletLeft");
  EXPECT_EQ(Written(OutputQPJLCommandforBooklet), "");
}

// ---- Banner sheet

struct BannerCase {
  const char* name;
  const char* banner;
  int printType;
  const char* expected;
};

class BannerTest : public ::testing::TestWithParam<BannerCase> {};

TEST_P(BannerTest, TestsInOrder) {
  const char* line = BannerSheetLine(GetParam().banner, GetParam().printType);
  EXPECT_STREQ(line, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, BannerTest,
    ::testing::Values(BannerCase{"SecurePrintFirst", "UserPrinterSetting", 2, "@PJL SET JOBATTR=\"@BANR=OFF\"\n"},
                      BannerCase{"SecurePrintUnknownChoice", "Other", 2, "@PJL SET JOBATTR=\"@BANR=OFF\"\n"},
                      BannerCase{"Device", "UserPrinterSetting", 3, "@PJL SET JOBATTR=\"@BANR=DEVICE\"\n"},
                      BannerCase{"Start", "PrintStartPage", -1, "@PJL SET JOBATTR=\"@BANR=START\"\n"},
                      BannerCase{"None", "None", 1, "@PJL SET JOBATTR=\"@BANR=OFF\"\n"},
                      BannerCase{"Other", "PrintEndPage", 1, nullptr},
                      BannerCase{"EmptySecure", "", 2, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Registration

struct RegiTextCase {
  const char* name;
  const char* value;
  const char* expected;
};

class RegistrationTextTest : public ::testing::TestWithParam<RegiTextCase> {};

TEST_P(RegistrationTextTest, InTenths) {
  char text[4] = {'x', 'x', 'x', 'x'};
  RegistrationNumberText(GetParam().value, text);
  EXPECT_STREQ(text, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RegistrationTextTest,
    ::testing::Values(RegiTextCase{"OnePointFive", "1.5", "15"}, RegiTextCase{"MinusQuarter", "-0.25", "-3"},
                      RegiTextCase{"Default", "0.0", "0"}, RegiTextCase{"PlusTwoQuarters", "+0.25", "3"},
                      RegiTextCase{"SevenCharacters", "Regi7ch", "0"},
                      RegiTextCase{"SevenDigits", "1234567", "0"},
                      RegiTextCase{"EightCharactersLoseSeven", "Horizon5", "50"},
                      RegiTextCase{"PrefixedNegative", "Horizon-1.25", "-13"},
                      RegiTextCase{"SixCharactersAsTheyStand", "2.0000", "20"},
                      RegiTextCase{"CutToThreeCharacters", "123456", "123"},
                      RegiTextCase{"NegativeCut", "-99.99", "-10"},
                      RegiTextCase{"NumberTextHoldsSix", "Horizon1.00009", "10"},
                      RegiTextCase{"HugeValueBounded", "9e9999", "100"},
                      RegiTextCase{"NotANumber", "abc", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RegistrationLinesTest, HorizontalThenVertical) {
  PlainRecord();
  Set(psoptioncomment.regiHorizontal, "1.5");
  Set(psoptioncomment.regiVertical, "-0.25");
  EXPECT_EQ(Written(OutputQPJLCommandforSRRLAdjustRegi),
            MakeVisible("@PJL SET JOBATTR=\"@RCFM=15\"\n@PJL SET JOBATTR=\"@RCFS=-3\"\n"));
  Set(psoptioncomment.regiHorizontal, "");
  EXPECT_EQ(Written(OutputQPJLCommandforSRRLAdjustRegi), MakeVisible("@PJL SET JOBATTR=\"@RCFS=-3\"\n"));
}

// ---- Line weight and render mode

struct OthersCase {
  const char* name;
  std::string ppd;
  const char* lineWeight;
  const char* colorMode;
  std::string expected;
};

class OthersTest : public ::testing::TestWithParam<OthersCase> {};

TEST_P(OthersTest, WritesWeightAndRenderMode) {
  ScopedJobPPD ppd(GetParam().ppd);
  PlainRecord();
  Set(psoptioncomment.lineWeight, GetParam().lineWeight);
  Set(psoptioncomment.colorMode, GetParam().colorMode);
  EXPECT_EQ(Written(OutputQPJLCommandOthers), MakeVisible(GetParam().expected));
}

const std::string kColorPPD = TestPPD("*ColorDevice: True\n" + TestOption("OVColorMode", "Color", "Color Black"));
const std::string kColorDeviceBlackDefault =
    TestPPD("*ColorDevice: True\n" + TestOption("OVColorMode", "Black", "Color Black"));
const std::string kMonoPPD = TestPPD("*ColorDevice: False\n");
const std::string kColor = "@PJL SET RENDERMODE=COLOR\n";
const std::string kGray = "@PJL SET RENDERMODE=GRAYSCALE\n";

INSTANTIATE_TEST_SUITE_P(
    Choices, OthersTest,
    ::testing::Values(
        OthersCase{"Normal", kColorPPD, "Normal", "Color", "@PJL SET JOBATTR=\"@LWAD=0\"\n" + kColor},
        OthersCase{"Strongly2", kColorPPD, "Strongly2", "Black", "@PJL SET JOBATTR=\"@LWAD=-2\"\n" + kGray},
        OthersCase{"Weakly1", kColorPPD, "Weakly1", "Color", "@PJL SET JOBATTR=\"@LWAD=1\"\n" + kColor},
        OthersCase{"DigitFirst", kColorPPD, "3Weakly", "Color", "@PJL SET JOBATTR=\"@LWAD=3\"\n" + kColor},
        OthersCase{"NoDigitNoLine", kColorPPD, "Strongly", "Color", kColor},
        OthersCase{"NeitherWordNoLine", kColorPPD, "Medium3", "Color", kColor},
        OthersCase{"UnknownModeWithOption", kColorPPD, "", "Auto", ""},
        OthersCase{"UnknownModeWithoutOption", kMonoPPD, "", "Auto", kGray},
        OthersCase{"EmptyModeColourDefault", kColorPPD, "", "", kColor},
        OthersCase{"EmptyModeBlackDefault", kColorDeviceBlackDefault, "", "", kGray},
        OthersCase{"EmptyModeMonoDevice", kMonoPPD, "", "", kGray}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorDeviceTest, ReadsThePPD) {
  {
    ScopedJobPPD ppd(kColorPPD);
    EXPECT_EQ(IsColorDeivce(), 1);
    EXPECT_EQ(getDefaultColorMode(), 1);
  }
  {
    ScopedJobPPD ppd(kColorDeviceBlackDefault);
    EXPECT_EQ(IsColorDeivce(), 1);
    EXPECT_EQ(getDefaultColorMode(), 0);
  }
  {
    ScopedJobPPD ppd("");
    EXPECT_EQ(IsColorDeivce(), 0);
    EXPECT_EQ(getDefaultColorMode(), 0);
  }
}

// ---- Comment block condition

struct ConditionCase {
  const char* name;
  std::string attributes;
  int wanted;
};

class CommentConditionTest : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(CommentConditionTest, FollowsEncodingModelAndCommentOn) {
  ScopedJobPPD ppd(TestPPD(GetParam().attributes));
  EXPECT_EQ(IsCommentBlockWanted(), GetParam().wanted);
}

INSTANTIATE_TEST_SUITE_P(
    PPDs, CommentConditionTest,
    ::testing::Values(
        ConditionCase{"NotUtf8", "*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n", 1},
        ConditionCase{"Utf8WithoutCommentOn", "*KQPrinterLanguageEncoding: \"UTF-8\"\n*PCFileName: \"OVQC300.PPD\"\n",
                      0},
        ConditionCase{"Utf8CommentOn", "*KQPrinterLanguageEncoding: \"UTF-8\"\n*CommentOn: \"True\"\n", 1},
        ConditionCase{"Utf8CommentOff", "*KQPrinterLanguageEncoding: \"UTF-8\"\n*CommentOn: \"False\"\n", 0},
        ConditionCase{"NoEncodingListedModel", "*PCFileName: \"OVQC500.PPD\"\n", 1},
        ConditionCase{"NoEncodingReservedModel", "*PCFileName: \"OVQM350.PPD\"\n", 1},
        ConditionCase{"NoEncodingUnlistedModel", "*PCFileName: \"OVQX900.PPD\"\n", 0},
        ConditionCase{"NoEncodingUnlistedCommentOn", "*PCFileName: \"OVQX900.PPD\"\n*CommentOn: \"True\"\n", 1},
        ConditionCase{"NoEncodingNoPCFileNameCommentOn", "*CommentOn: \"True\"\n", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommentConditionTest, NoPPDNoBlock) {
  ScopedJobPPD ppd("");
  EXPECT_EQ(IsCommentBlockWanted(), 0);
  PlainRecord();
  EXPECT_EQ(Written(OutputQPJLCommandforComment), "");
}

// ---- Comment block lines

TEST(CommentBlockTest, WholeBlockInOrder) {
  ScopedJobPPD ppd(TestPPD("*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n"));
  PlainRecord();
  EXPECT_EQ(Written(OutputQPJLCommandforComment),
            MakeVisible("@PJL COMMENT KQJOBINFO VERSION=1.3.0\n"
                        "@PJL COMMENT KQJOBINFO BEGIN\n"
                        "@PJL COMMENT KQJOBINFO PDLTYPE=PDL[POSTSCRIPT]:VERSION[3]\n"
                        "@PJL COMMENT KQJOBINFO JOBTYPE=PRINT\n"
                        "@PJL COMMENT KQJOBINFO DUPLEXTYPE=SIMPLEX\n"
                        "@PJL COMMENT KQJOBINFO COLORMODE=GRAYSCALE\n"
                        "@PJL COMMENT KQJOBINFO NUP=1\n"
                        "@PJL COMMENT KQJOBINFO END\n"));
}

struct BasicCase {
  const char* name;
  void (*setup)();
  std::string expected;
};

class CommentBasicTest : public ::testing::TestWithParam<BasicCase> {};

TEST_P(CommentBasicTest, WritesTheLines) {
  ScopedJobPPD ppd(kColorPPD);
  PlainRecord();
  Set(psoptioncomment.colorMode, "Color");
  Set(psoptioncomment.numberUp, "");
  GetParam().setup();
  EXPECT_EQ(Written(OutputQPJLCommandforCommentBasic), MakeVisible(GetParam().expected));
}

const std::string kSimplexColor =
    "@PJL COMMENT KQJOBINFO DUPLEXTYPE=SIMPLEX\n@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n";

// The lines the whole-filter cases do not reach.
INSTANTIATE_TEST_SUITE_P(
    Fields, CommentBasicTest,
    ::testing::Values(
        BasicCase{"BindingEdge2WinsOverOneSided", [] { psoptioncomment.duplexBindingEdge = 2; },
                  "@PJL COMMENT KQJOBINFO DUPLEXTYPE=DUPLEX\n@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n"},
        BasicCase{"BindingEdge3", [] { Set(psoptioncomment.sides, "other"); psoptioncomment.duplexBindingEdge = 3; },
                  "@PJL COMMENT KQJOBINFO DUPLEXTYPE=TUMBLE\n@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n"},
        BasicCase{"UnknownSides", [] { Set(psoptioncomment.sides, "other"); },
                  "@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n"},
        BasicCase{"UnknownColourWithOption", [] { Set(psoptioncomment.colorMode, "Auto"); },
                  "@PJL COMMENT KQJOBINFO DUPLEXTYPE=SIMPLEX\n"},
        BasicCase{"VolumeEmpty", [] { Set(psoptioncomment.signature, "BookletLeft"); },
                  kSimplexColor + "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[NOBOOKLET]\n"},
        BasicCase{"VolumeWithoutSheet",
                  [] {
                    Set(psoptioncomment.signature, "BookletLeft");
                    Set(psoptioncomment.signatureVolume, "12");
                  },
                  kSimplexColor + "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[12]\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommentBasicTest, VolumeIsCutInTheRecord) {
  ScopedJobPPD ppd(kColorPPD);
  PlainRecord();
  Set(psoptioncomment.signature, "BookletRight");
  Set(psoptioncomment.signatureVolume, "10Sheets");
  CaptureStdout(OutputQPJLCommandforCommentBasic);
  EXPECT_STREQ(psoptioncomment.signatureVolume, "10");
}

// ---- Values that try to start a PJL command of their own

struct InjectionCase {
  const char* name;
  const char* numberUp;
  const char* volume;
};

class CommentInjectionTest : public ::testing::TestWithParam<InjectionCase> {};

// Every line of the block is one PJL command: it begins with "@PJL", holds
// no control character other than its final line feed and no double quote.
TEST_P(CommentInjectionTest, ValuesStayInsideTheirLine) {
  ScopedJobPPD ppd(TestPPD("*KQPrinterLanguageEncoding: \"JIS83-RKSJ\"\n"));
  PlainRecord();
  Set(psoptioncomment.numberUp, GetParam().numberUp);
  Set(psoptioncomment.signature, "BookletLeft");
  Set(psoptioncomment.signatureVolume, GetParam().volume);
  std::string out = CaptureStdout(OutputQPJLCommandforComment);
  size_t start = 0;
  int lines = 0;
  while (start < out.size()) {
    size_t end = out.find('\n', start);
    ASSERT_NE(end, std::string::npos);
    std::string line = out.substr(start, end - start);
    EXPECT_EQ(line.rfind("@PJL COMMENT KQJOBINFO ", 0), 0u) << MakeVisible(line);
    for (char ch : line) {
      EXPECT_FALSE(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F || ch == '"') << MakeVisible(line);
    }
    EXPECT_LT(line.size(), 100u);
    start = end + 1;
    ++lines;
  }
  EXPECT_EQ(lines, 9);
}

const std::string kLong(300, 'A');

INSTANTIATE_TEST_SUITE_P(
    Values, CommentInjectionTest,
    ::testing::Values(InjectionCase{"LineFeeds", "2\n@PJL DEFAULT COPIES=99\n", "5\n@PJL DEFAULT COPIES=99\nSheets"},
                      InjectionCase{"CarriageReturns", "2\r@PJL RESET\r", "\r\n@PJL RESET\r\nSheets"},
                      InjectionCase{"QuotesAndEscape", "2\"\x1B%-12345X", "\"5\"\x7FSheets"},
                      InjectionCase{"LongValues", kLong.c_str(), kLong.c_str()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommentInjectionTest, ControlsBecomeSpacesAndQuotesApostrophes) {
  ScopedJobPPD ppd(kColorPPD);
  PlainRecord();
  Set(psoptioncomment.colorMode, "Color");
  Set(psoptioncomment.numberUp, "2\r\n@PJL \"X\"");
  EXPECT_EQ(Written(OutputQPJLCommandforCommentBasic),
            MakeVisible(kSimplexColor + "@PJL COMMENT KQJOBINFO NUP=2  @PJL 'X'\n"));
}

TEST(CommentInjectionTest, LongValueKeepsTheLineEnd) {
  ScopedJobPPD ppd(kColorPPD);
  PlainRecord();
  Set(psoptioncomment.colorMode, "Color");
  Set(psoptioncomment.numberUp, "");
  Set(psoptioncomment.signature, "BookletLeft");
  Set(psoptioncomment.signatureVolume, kLong.c_str());
  std::string prefix = "@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[";
  std::string expected = prefix + std::string(99 - prefix.size() - 2, 'A') + "]\n";
  EXPECT_EQ(Written(OutputQPJLCommandforCommentBasic), MakeVisible(kSimplexColor + expected));
}

}  // namespace
