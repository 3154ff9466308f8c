#include "pjlheader.h"

#include <cstdio>
#include <cstring>

#include "infoblock.h"
#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "pjlengine.h"
#include "ppdattr.h"
#include "ppdchoices.h"
#include "ticket.h"

namespace {

// Head: the universal exit language sequence, no line end.
const void* cmdParaQPJLHeadList[] = {&CTRLSym_ESC, &CTRLSym_PERCENTAGE};
symPara cmdParaQPJLHead = {2, cmdParaQPJLHeadList};
const prtFmtTable prtFmtTableQPJLHead[] = {{"%c%c-12345X", &cmdParaQPJLHead, nullptr}};
constexpr int numFmtTableQPJLHead = 1;

// Job mode.
const void* cmdParaQPJLJobModeList[] = {&CTRLSym_CR, &CTRLSym_LF};
symPara cmdParaQPJLJobMode = {2, cmdParaQPJLJobModeList};
const prtFmtTable prtFmtTableQPJLJobMode[] = {{"@PJL JOB MODE=PRINTER%c%c", &cmdParaQPJLJobMode, nullptr}};
constexpr int numFmtTableQPJLJobMode = 1;

// Trailer (CR and LF are in the list but not used by the format).
const void* cmdParaQPJLTrailerList[] = {&CTRLSym_ESC, &CTRLSym_PERCENTAGE, &CTRLSym_CR, &CTRLSym_LF};
symPara cmdParaQPJLTrailer = {4, cmdParaQPJLTrailerList};
const prtFmtTable prtFmtTableQPJLTrailer[] = {{"%c%c-12345X@PJL EOJ\n", &cmdParaQPJLTrailer, nullptr}};
constexpr int numFmtTableQPJLTrailer = 1;

// Enter PostScript.
const prtFmtTable prtFmtTableEnterPS[] = {{"@PJL ENTER LANGUAGE=POSTSCRIPT\n", nullptr, nullptr}};
constexpr int numFmtTableEnterPS = 1;

// Lines for the keywords of PPDKeyArray that a PPD does not define.
struct PPDKeyDefault {
  const char* keyword;
  const char* line;
};

constexpr PPDKeyDefault kPPDKeyDefaults[] = {
    {"OVSetTrapMode", "@PJL SET JOBATTR=\"@TRAP=OFF\"\n"},   {"OVGrayBalance", "@PJL SET JOBATTR=\"@GRGU=OFF\"\n"},
    {"OVBrightnes", "@PJL SET JOBATTR=\"@PSBR=0\"\n"},       {"OVRGBInputProfile", "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n"},
    {"OVRGBBCorrection", "@PJL SET JOBATTR=\"@RGBG=22\"\n"}, {"OVTonerSaver", "@PJL SET ECONOMODE=OFF\n"},
};

const char* DefaultLineFor(const char* keyword) {
  for (const PPDKeyDefault& entry : kPPDKeyDefaults) {
    if (std::strcmp(entry.keyword, keyword) == 0) return entry.line;
  }
  return nullptr;
}

constexpr int kAttributeLineSize = 100;

}  // namespace

const char* const PPDKeyArray[] = {"OVSetTrapMode",    "OVGrayBalance", "OVBrightnes", "OVRGBInputProfile",
                                   "OVRGBBCorrection", "OVTonerSaver",  nullptr};
const char* const CPRCommand[] = {"TCPR", "GCPR", "ICPR", nullptr};
const char* const TRCSCRCommand[] = {"TTRC", "GTRC", "ITRC", "TSCR", "GSCR", "ISCR", nullptr};

char g_DLOutputMode[256] = {};

void InializeDescriptionTable() {
  InitializeCmdParaTable(&cmdParaQPJLHead, 2, cmdParaQPJLHeadList);
  InitializeCmdParaTable(&cmdParaQPJLJobMode, 2, cmdParaQPJLJobModeList);
  InitializeCmdParaTable(&cmdParaQPJLTrailer, 4, cmdParaQPJLTrailerList);
  InializeDescriptionTableFromFilter();
}

void OutputQPJLCommand(char* argv[]) {
  InjectQPIFCommandSP(argv);
  OutputQPJLCommandFromArray(argv, prtFmtTableQPJLHead, numFmtTableQPJLHead);
  OutputQPJLCommandLanguageEncoding();
  OutputQPJLCommandFromArray(argv, prtFmtTableQPJLJobMode, numFmtTableQPJLJobMode);
  OutputQPJLCommandFromFilter(argv);
  OutputQPJLCommandforPerfectBind();
  OutputQPJLCommandforBooklet();
  OutputQPJLCommandforBannerSheet();
  OutputQPJLCommandforSRRLAdjustRegi();
  OutputQPJLCommandOthers();
  OutputQPJLCommandforComment();
  // With the buffered pass, that pass writes the line after its own PJL lines.
  if (!PPDAttrEquals(JobPPD(), "OVPSDecompMode", "1")) OutputQPJLCommandEnterPS(argv);
}

void OutputQPJLCommandEnterPS(char* argv[]) {
  OutputQPJLCommandFromArray(argv, prtFmtTableEnterPS, numFmtTableEnterPS);
}

void OutputQPJLCommandTrailer(char* argv[]) {
  OutputQPJLCommandFromArray(argv, prtFmtTableQPJLTrailer, numFmtTableQPJLTrailer);
}

const char* GetThePJLCommandfromKeywordsandMarkedValue(const char* keyword, const char* choice) {
  if (keyword == nullptr || choice == nullptr || keyword[0] != '*') return nullptr;
  for (const PPDChoiceRow& row : FeaturePPDKeyNameandMarkedValuetoPJLCommand) {
    if (std::strcmp(row.keyword, keyword + 1) == 0 && std::strcmp(row.choice, choice) == 0) return row.line;
  }
  return nullptr;
}

void OutputPJLCommandForPPDKeyArray(const char* const* keywords, ppd_file_t* ppd) {
  if (keywords == nullptr) return;
  for (; *keywords != nullptr; ++keywords) {
    if (ppd != nullptr && ppdFindOption(ppd, *keywords) != nullptr) continue;
    const char* line = DefaultLineFor(*keywords);
    if (line != nullptr) KQfputs(line, stdout);
  }
}

// A name too long for the line buffer writes nothing rather than a cut line.
void outputQPJLCommandFromArray(const char* const* names, const int* values) {
  if (names == nullptr || values == nullptr) return;
  for (int i = 0; names[i] != nullptr; ++i) {
    char line[kAttributeLineSize] = {};
    const int length = std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"@%s=%d\"\n", names[i], values[i]);
    if (length > 0 && length < kAttributeLineSize) KQfputs(line, stdout);
  }
}

int GetDLOutputMode(char* argv[]) {
  std::memset(g_DLOutputMode, 0, sizeof g_DLOutputMode);
  cups_option_t* options = nullptr;
  const int num_options = cupsParseOptions(argv != nullptr ? argv[5] : nullptr, 0, &options);
  const char* value = JobOptionValue("OVOutputMode", num_options, options);
  if (value != nullptr) std::snprintf(g_DLOutputMode, sizeof g_DLOutputMode - 1, "%s", value);
  cupsFreeOptions(num_options, options);
  return value != nullptr ? 1 : 0;
}
