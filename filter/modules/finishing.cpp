#include "finishing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "pjlsafe.h"
#include "ticket_keys.h"

namespace {

// The record as a ticket without any finishing key leaves it: every switch
// absent (-1), so that nothing is written before the ticket is read.
constexpr FeaturesOptions AbsentFeatures() {
  FeaturesOptions f = {};
  f.tabMargin = f.trimmer = f.trimmerSelect = f.bookletMargin = f.numInSequence = f.offsetStacking = -1;
  f.separatorPageList = f.autoFit = f.ejectOptions = f.specialPagesA5 = f.specialPagesTab = -1;
  return f;
}

}  // namespace

FeaturesOptions qpjlOptionFeatures = AbsentFeatures();

const char* const punchHoleCoil = "Coil";
const char* const mediaTypeA5 = "A5";
const char* const mediaTypeIsTab = "true";
const char* const mediaTypeNoTab = "false";
const char* const coilPunchFaceOn = "true";
const char* const coilPunchFaceOff = "false";

namespace {

constexpr int kNum = 4;
FeaturesOptions& F = qpjlOptionFeatures;

}  // namespace

const TicketData FeaturesticketData[kFeaturesTicketRows] = {
    {kTabMarginSwitchTicketKey, &F.tabMargin, kNum, GetTicketInteger},
    {kTrimmerSwitchTicketKey, &F.trimmer, kNum, GetTicketInteger},
    {kTrimmerSelectTicketKey, &F.trimmerSelect, kNum, GetTicketInteger},
    {kBookletMarginSwitchTicketKey, &F.bookletMargin, kNum, GetTicketInteger},
    {kTabMarginMMShiftTicketKey, F.tabMarginShift, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kTrimmerMMCuttingSizeTicketKey, F.trimmerCuttingSize, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kTrimmerWidthMMSizeTicketKey, F.trimmerWidth, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kTrimmerHeightMMSizeTicketKey, F.trimmerHeight, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kTrimmerAdjustMMSizeTicketKey, F.trimmerAdjust, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kNumInSequenceSwitchTicketKey, &F.numInSequence, kNum, GetTicketInteger},
    {kNumInSequenceLArrowTicketKey, F.numInSequenceStart, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kOffsetStackingListTicketKey, &F.offsetStacking, kNum, GetTicketInteger},
    {kOffsetStackingPagesLArrowTicketKey, F.offsetStackingPages, kFeaturesCountSize, GetTicketStringConvertedToPrtLang},
    {kOffsetStackingUnitsLArrowTicketKey, F.offsetStackingUnits, kFeaturesCountSize, GetTicketStringConvertedToPrtLang},
    {kSeparatorPageListTicketKey, &F.separatorPageList, kNum, GetTicketInteger},
    {kSeparatorPageTicketKey, F.separatorPages, kFeaturesTextSize, GetTicketStringConvertedToPrtLang},
    {kAutoFitSwitchTicketKey, &F.autoFit, kNum, GetTicketInteger},
    {kBookletMarginMMShiftTicketKey, F.bookletMarginShift, kFeaturesShortSize, GetTicketStringConvertedToPrtLang},
    {kEjectOptionsListTicketKey, &F.ejectOptions, kNum, GetTicketInteger},
    {"media", F.media, kFeaturesTextSize, GetTicketStringConvertedToPrtLang},
    {kWhetherMediaSizeA5TicketKey, &F.specialPagesA5, kNum, GetTicketInteger},
    {"OVNumPunchHoles", F.punchHoles, kFeaturesTextSize, GetTicketStringConvertedToPrtLang},
    {kFeaturesMediaTypeTabTicketKey, F.featuresMediaTypeTab, kFeaturesTextSize, GetTicketStringConvertedToPrtLang},
    {kCoilPunchFaceTicketKey, F.coilPunchFace, kFeaturesTextSize, GetTicketStringConvertedToPrtLang},
    {kWhetherMediaTypeTabTicketKey, &F.specialPagesTab, kNum, GetTicketInteger},
};

namespace {

// ---------------------------------------------------------------------------
// PJL table: parameter lists.

constexpr int32_t kZero = 0;
constexpr int32_t kOne = 1;
constexpr int32_t kTwo = 2;
constexpr int32_t kThree = 3;
constexpr int32_t kFour = 4;
constexpr int32_t kFive = 5;

const void* const cmdParaFeaturesFixed[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesLF[] = {&CTRLSym_LF};
const void* const cmdParaFeaturesTabShift[] = {&CTRLSym_DOUBLE, F.tabMarginShift, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesCutting[] = {&CTRLSym_DOUBLE, F.trimmerCuttingSize, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesWidth[] = {&CTRLSym_DOUBLE, F.trimmerWidth, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesHeight[] = {&CTRLSym_DOUBLE, F.trimmerHeight, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesAdjust[] = {&CTRLSym_DOUBLE, F.trimmerAdjust, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesNumStart[] = {&CTRLSym_DOUBLE, F.numInSequenceStart, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesPages[] = {&CTRLSym_DOUBLE, F.offsetStackingPages, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const cmdParaFeaturesUnits[] = {&CTRLSym_DOUBLE, F.offsetStackingUnits, &CTRLSym_DOUBLE, &CTRLSym_LF};

symPara paraFixed, paraLF, paraTabShift, paraCutting, paraWidth, paraHeight, paraAdjust, paraNumStart, paraPages,
    paraUnits;

// ---------------------------------------------------------------------------
// PJL table: condition lists.

constexpr comparationItem Is(const int* value, const int32_t* operand) { return {value, operand, IntCampareFunc}; }
constexpr comparationItem TextIs(const char* value, const char* const* operand) {
  return {value, operand, StrEqualCampareFunc};
}

const comparationItem kEject1 = Is(&F.ejectOptions, &kOne);
const comparationItem kCoil = {F.punchHoles, punchHoleCoil, StrContainCampareFunc};
const comparationItem kNoCoil = {F.punchHoles, punchHoleCoil, StrNotContainCampareFunc};
const comparationItem kFeatureTab = TextIs(F.featuresMediaTypeTab, &mediaTypeIsTab);
const comparationItem kFeatureNoTab = TextIs(F.featuresMediaTypeTab, &mediaTypeNoTab);
const comparationItem kSpecialTab = Is(&F.specialPagesTab, &kOne);
const comparationItem kSpecialNoTab = Is(&F.specialPagesTab, &kZero);
const comparationItem kCoilFaceOn = TextIs(F.coilPunchFace, &coilPunchFaceOn);
const comparationItem kCoilFaceOff = TextIs(F.coilPunchFace, &coilPunchFaceOff);
const comparationItem kMediaA5 = {F.media, mediaTypeA5, StrContainCampareFunc};
const comparationItem kMediaNoA5 = {F.media, mediaTypeA5, StrNotContainCampareFunc};
const comparationItem kSpecialA5 = Is(&F.specialPagesA5, &kOne);
const comparationItem kSpecialNoA5 = Is(&F.specialPagesA5, &kZero);

constexpr comparationItem HasText(const char* text) { return {text, nullptr, StrNoNULLCampareFunc}; }

// A row that writes a value also requires it: a line is written whole or not at all.
const comparationItem comparationTab0[] = {Is(&F.tabMargin, &kZero)};
const comparationItem comparationTab1[] = {Is(&F.tabMargin, &kOne), HasText(F.tabMarginShift)};
const comparationItem comparationTrim0[] = {Is(&F.trimmer, &kZero)};
const comparationItem comparationTrim1[] = {Is(&F.trimmer, &kOne), HasText(F.trimmerCuttingSize)};
const comparationItem comparationSelect2[] = {Is(&F.trimmerSelect, &kTwo)};
const comparationItem comparationSelect2Cutting[] = {Is(&F.trimmerSelect, &kTwo), HasText(F.trimmerCuttingSize)};
const comparationItem comparationSelect3Width[] = {Is(&F.trimmerSelect, &kThree), HasText(F.trimmerWidth)};
const comparationItem comparationSelect3Height[] = {Is(&F.trimmerSelect, &kThree), HasText(F.trimmerHeight)};
const comparationItem comparationSelect3Adjust[] = {Is(&F.trimmerSelect, &kThree), HasText(F.trimmerAdjust)};
const comparationItem comparationNum0[] = {Is(&F.numInSequence, &kZero)};
const comparationItem comparationNum1[] = {Is(&F.numInSequence, &kOne), HasText(F.numInSequenceStart)};
const comparationItem comparationOffset4[] = {Is(&F.offsetStacking, &kFour)};
const comparationItem comparationOffset5[] = {Is(&F.offsetStacking, &kFive)};
const comparationItem comparationOffset4Pages[] = {Is(&F.offsetStacking, &kFour), HasText(F.offsetStackingPages)};
const comparationItem comparationOffset5Units[] = {Is(&F.offsetStacking, &kFive), HasText(F.offsetStackingUnits)};
const comparationItem comparationEject2[] = {Is(&F.ejectOptions, &kTwo)};
const comparationItem comparationEject3[] = {Is(&F.ejectOptions, &kThree)};
const comparationItem comparationEject4[] = {Is(&F.ejectOptions, &kFour)};
const comparationItem comparationEject5[] = {Is(&F.ejectOptions, &kFive)};
const comparationItem comparationFaceOffCoilPlain[] = {kEject1,     kCoil,      kFeatureNoTab, kSpecialNoTab,
                                                       kCoilFaceOn, kMediaNoA5, kSpecialNoA5};
const comparationItem comparationFaceOffNoCoil[] = {kEject1, kNoCoil, kCoilFaceOn};
const comparationItem comparationFaceOffNoCoilFace[] = {kEject1, kCoilFaceOff};
const comparationItem comparationFaceUpMediaA5[] = {kEject1,  kCoil,        kFeatureNoTab, kSpecialNoTab,
                                                    kMediaA5, kSpecialNoA5, kCoilFaceOn};
const comparationItem comparationFaceUpSpecialA5[] = {kEject1,    kCoil,      kFeatureNoTab, kSpecialNoTab,
                                                      kMediaNoA5, kSpecialA5, kCoilFaceOn};
const comparationItem comparationFaceUpBothA5[] = {kEject1,  kCoil,      kFeatureNoTab, kSpecialNoTab,
                                                   kMediaA5, kSpecialA5, kCoilFaceOn};
const comparationItem comparationFaceUpFeatureTab[] = {kEject1, kCoil, kFeatureTab, kSpecialNoTab, kCoilFaceOn};
const comparationItem comparationFaceUpSpecialTab[] = {kEject1, kCoil, kFeatureNoTab, kSpecialTab, kCoilFaceOn};
const comparationItem comparationFaceUpBothTab[] = {kEject1, kCoil, kFeatureTab, kSpecialTab, kCoilFaceOn};

comparation condTab0, condTab1, condTrim0, condTrim1, condSelect2, condSelect2Cutting, condSelect3Width,
    condSelect3Height, condSelect3Adjust, condNum0, condNum1, condOffset4, condOffset5, condOffset4Pages,
    condOffset5Units, condEject2, condEject3, condEject4, condEject5, condFaceOffCoilPlain, condFaceOffNoCoil,
    condFaceOffNoCoilFace, condFaceUpMediaA5, condFaceUpSpecialA5, condFaceUpBothA5, condFaceUpFeatureTab,
    condFaceUpSpecialTab, condFaceUpBothTab;

// ---------------------------------------------------------------------------
// PostScript blocks.

constexpr const char* kSeparatorFormat =
    "1 dict dup/SeparatorPages[%s]put/Custom/ProcSet findresource/setcoverseparator get exec";
constexpr const char* kBookletMarginFormat = "%s.000/Custom/ProcSet findresource/setsignatureimageshift get exec";
constexpr const char* kAutoFitOn =
    "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get true exch exec} {pop pop} ifelse";
constexpr const char* kAutoFitOff =
    "/Custom/ProcSet findresource/setsignatureautoscale 2 copy known {get false exch exec} {pop pop} ifelse";

// A feature line holds a value of at most 99 bytes and its fixed text, so it
// always fits whole.
constexpr int kFeatureLineSize = 256;

void WriteNonPPDFeature(const char* featureLine, FILE* stream) {
  KQfputline("[{", stream);
  KQfputline("%%BeginNonPPDFeatures", stream);
  KQfputline(featureLine, stream);
  KQfputline("%%EndNonPPDFeatures", stream);
  KQfputline("} stopped cleartomark", stream);
}

void WriteFeatureWithValue(const char* format, const char* value, FILE* stream) {
  char safe[kFeaturesTextSize] = {};
  CopyOnOneLine(value, safe, sizeof safe);
  char line[kFeatureLineSize] = {};
  std::snprintf(line, sizeof line, format, safe);
  WriteNonPPDFeature(line, stream);
}

}  // namespace

const prtFmtTable FeaturesFmtTable[numFmtTableFeatures] = {
    {"@PJL SET JOBATTR=%c@TABS=OFF%c%c", &paraFixed, &condTab0},
    {"@PJL SET JOBATTR=%c@TABS=%s%c%c", &paraTabShift, &condTab1},
    {"@PJL SET JOBATTR=%c@TRMR=0%c%c", &paraFixed, &condTrim0},
    {"@PJL SET JOBATTR=%c@TRMR=%s%c%c", &paraCutting, &condTrim1},
    {"@PJL SET JOBATTR=%c@TRMR=%s%c%c", &paraCutting, &condSelect2Cutting},
    {"@PJL SET JOBATTR=%c@TRMR=%s%c%c", &paraWidth, &condSelect3Width},
    {"@PJL SET JOBATTR=%c@TRFW=%s%c%c", &paraHeight, &condSelect3Height},
    {"@PJL SET JOBATTR=%c@TRFW=0%c%c", &paraFixed, &condSelect2},
    {"@PJL SET JOBATTR=%c@TROP=%s%c%c", &paraAdjust, &condSelect3Adjust},
    {"@PJL SET JOBATTR=%c@TROP=0%c%c", &paraFixed, &condSelect2},
    {"@PJL SET JOBATTR=%c@MDOC=0%c%c", &paraFixed, &condNum0},
    {"@PJL SET JOBATTR=%c@MDOC=%s%c%c", &paraNumStart, &condNum1},
    {"@PJL SET JOBOFFSET=PAGES%c", &paraLF, &condOffset4},
    {"@PJL SET JOBOFFSET=COPIES%c", &paraLF, &condOffset5},
    {"@PJL SET JOBATTR=%c@OCSN=%s%c%c", &paraPages, &condOffset4Pages},
    {"@PJL SET JOBATTR=%c@OCSN=%s%c%c", &paraUnits, &condOffset5Units},
    {"@PJL SET JOBATTR=%c@FACE=OFF%c%c", &paraFixed, &condFaceOffCoilPlain},
    {"@PJL SET JOBATTR=%c@FACE=OFF%c%c", &paraFixed, &condFaceOffNoCoil},
    {"@PJL SET JOBATTR=%c@FACE=OFF%c%c", &paraFixed, &condFaceOffNoCoilFace},
    {"@PJL SET JOBATTR=%c@FACE=DOWN%c%c", &paraFixed, &condEject2},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condEject3},
    {"@PJL SET JOBATTR=%c@FACE=DOWN_REVERSE%c%c", &paraFixed, &condEject4},
    {"@PJL SET JOBATTR=%c@FACE=UP_REVERSE%c%c", &paraFixed, &condEject5},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpMediaA5},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpSpecialA5},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpBothA5},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpFeatureTab},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpSpecialTab},
    {"@PJL SET JOBATTR=%c@FACE=UP%c%c", &paraFixed, &condFaceUpBothTab},
};

void FeaturesInializeDescriptionTableFromFilter() {
  BindPara(&paraFixed, cmdParaFeaturesFixed);
  BindPara(&paraLF, cmdParaFeaturesLF);
  BindPara(&paraTabShift, cmdParaFeaturesTabShift);
  BindPara(&paraCutting, cmdParaFeaturesCutting);
  BindPara(&paraWidth, cmdParaFeaturesWidth);
  BindPara(&paraHeight, cmdParaFeaturesHeight);
  BindPara(&paraAdjust, cmdParaFeaturesAdjust);
  BindPara(&paraNumStart, cmdParaFeaturesNumStart);
  BindPara(&paraPages, cmdParaFeaturesPages);
  BindPara(&paraUnits, cmdParaFeaturesUnits);

  BindCond(&condTab0, comparationTab0);
  BindCond(&condTab1, comparationTab1);
  BindCond(&condTrim0, comparationTrim0);
  BindCond(&condTrim1, comparationTrim1);
  BindCond(&condSelect2, comparationSelect2);
  BindCond(&condSelect2Cutting, comparationSelect2Cutting);
  BindCond(&condSelect3Width, comparationSelect3Width);
  BindCond(&condSelect3Height, comparationSelect3Height);
  BindCond(&condSelect3Adjust, comparationSelect3Adjust);
  BindCond(&condNum0, comparationNum0);
  BindCond(&condNum1, comparationNum1);
  BindCond(&condOffset4, comparationOffset4);
  BindCond(&condOffset5, comparationOffset5);
  BindCond(&condOffset4Pages, comparationOffset4Pages);
  BindCond(&condOffset5Units, comparationOffset5Units);
  BindCond(&condEject2, comparationEject2);
  BindCond(&condEject3, comparationEject3);
  BindCond(&condEject4, comparationEject4);
  BindCond(&condEject5, comparationEject5);
  BindCond(&condFaceOffCoilPlain, comparationFaceOffCoilPlain);
  BindCond(&condFaceOffNoCoil, comparationFaceOffNoCoil);
  BindCond(&condFaceOffNoCoilFace, comparationFaceOffNoCoilFace);
  BindCond(&condFaceUpMediaA5, comparationFaceUpMediaA5);
  BindCond(&condFaceUpSpecialA5, comparationFaceUpSpecialA5);
  BindCond(&condFaceUpBothA5, comparationFaceUpBothA5);
  BindCond(&condFaceUpFeatureTab, comparationFaceUpFeatureTab);
  BindCond(&condFaceUpSpecialTab, comparationFaceUpSpecialTab);
  BindCond(&condFaceUpBothTab, comparationFaceUpBothTab);
}

int FeaturesGetTicketFromPDE(char* argv[]) { return GetTicketFromArray(argv, FeaturesticketData, kFeaturesTicketRows); }

void FeaturesOutputQPJLCommandFromFilter(char* argv[]) {
  OutputQPJLCommandFromArray(argv, FeaturesFmtTable, numFmtTableFeatures);
}

namespace {

// Decimal value of a layout text, within the range of an int.
long long LayoutNumber(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  return std::clamp<long long>(value, INT32_MIN, INT32_MAX);
}

}  // namespace

int FeaturesLayoutCells() {
  const long long cells = LayoutNumber(StdLayoutRowInfo) * LayoutNumber(StdLayoutColumnInfo);
  return static_cast<int>(std::clamp<long long>(cells, INT32_MIN, INT32_MAX));
}

void FeaturesOutputSeparatorPages(FILE* stream) {
  if (F.separatorPageList == OptionSepratorPagesNone || F.separatorPageList == -1) return;
  WriteFeatureWithValue(kSeparatorFormat, F.separatorPages, stream);
}

void FeaturesOutputAutoFit(FILE* stream) {
  if (F.bookletMargin == OptionBookletMarginNone || F.bookletMargin == -1) return;
  WriteFeatureWithValue(kBookletMarginFormat, F.bookletMarginShift, stream);
  if (F.autoFit == OptionAutoFitNone) {
    WriteNonPPDFeature(kAutoFitOff, stream);
  } else if (F.autoFit != -1) {
    WriteNonPPDFeature(kAutoFitOn, stream);
  }
}

void FeaturesOutputPSCommandFromFilter(int event, FILE* stream) {
  const int cells = FeaturesLayoutCells();
  if (event == kEventEndProlog && cells <= 1) {
    FeaturesOutputSeparatorPages(stream);
  } else if (event == kEventSetPageDevice && cells >= 2) {
    FeaturesOutputSeparatorPages(stream);
    FeaturesOutputAutoFit(stream);
  } else if (event == kEventEndSetup && cells <= 1) {
    FeaturesOutputAutoFit(stream);
  }
}

void FeaturesResetState() { qpjlOptionFeatures = AbsentFeatures(); }
