// Finishing features: tab margin, trimmer, numbering, offset stacking, face,
// separator pages, booklet margin and auto fit. (Not named features.h: on the
// include path that name would hide the C library's <features.h>.)
#pragma once
#include <cstdio>

#include "pjlengine.h"
#include "ticket.h"

inline constexpr int kFeaturesShortSize = 5;
inline constexpr int kFeaturesCountSize = 6;
inline constexpr int kFeaturesTextSize = 100;

// Filled by FeaturesticketData; absent integers read -1, texts "" ("OVNumPunchHoles"
// takes the PPD's default when the job leaves it out).
struct FeaturesOptions {
  int tabMargin;      // OptionTabMarginNone / OptionTabMargin
  int trimmer;        // OptionTrimmerNone / OptionTrimmer
  int trimmerSelect;  // SelectTrimmerNone / SelectTrimmer / SelectTrimmerTopLower
  int bookletMargin;  // OptionBookletMarginNone / OptionBookletMargin
  char tabMarginShift[kFeaturesShortSize];
  char trimmerCuttingSize[kFeaturesShortSize];
  char trimmerWidth[kFeaturesShortSize];
  char trimmerHeight[kFeaturesShortSize];
  char trimmerAdjust[kFeaturesShortSize];
  int numInSequence;  // OptionNumInSequenceNone / OptionNumInSequence
  char numInSequenceStart[kFeaturesShortSize];
  int offsetStacking;  // OptionOffsetStackingNone ... OptionOffsetStackingEndOfSetCopy
  char offsetStackingPages[kFeaturesCountSize];
  char offsetStackingUnits[kFeaturesCountSize];
  int separatorPageList;  // OptionSepratorPagesNone, other values on
  char separatorPages[kFeaturesTextSize];
  int autoFit;  // OptionAutoFitNone / OptionAutoFit
  char bookletMarginShift[kFeaturesShortSize];
  int ejectOptions;  // EjectOptionsOff ... face up reversed
  char media[kFeaturesTextSize];
  int specialPagesA5;  // specialPagesMediasizeNoA5 / specialPagesMediasizeA5
  char punchHoles[kFeaturesTextSize];
  char featuresMediaTypeTab[kFeaturesTextSize];  // "true" / "false"
  char coilPunchFace[kFeaturesTextSize];         // "true" / "false"
  int specialPagesTab;                           // specialPagesMediaNoTab / specialPagesMediaTab
};

extern FeaturesOptions qpjlOptionFeatures;

enum : int {
  OptionTabMarginNone = 0,
  OptionTabMargin = 1,
  OptionTrimmerNone = 0,
  OptionTrimmer = 1,
  SelectTrimmerNone = 1,
  SelectTrimmer = 2,
  SelectTrimmerTopLower = 3,
  OptionBookletMarginNone = 0,
  OptionBookletMargin = 1,
  OptionNumInSequenceNone = 0,
  OptionNumInSequence = 1,
  OptionOffsetStackingNone = 1,
  OptionOffsetStackingEndOfSet = 2,
  OptionOffsetStackingDeviceDeactivation = 3,
  OptionOffsetStackingEndOfSetPage = 4,
  OptionOffsetStackingEndOfSetCopy = 5,
  OptionSepratorPagesNone = 1,
  OptionAutoFitNone = 0,
  OptionAutoFit = 1,
  EjectOptionsOff = 1,
  EjectOptionsFaceDown = 2,
  EjectOptionsFaceUp = 3,
  EjectOptionsFaceDownReverse = 4,
  EjectOptionsFaceUpReverse = 5,
  specialPagesMediasizeNoA5 = 0,
  specialPagesMediasizeA5 = 1,
  specialPagesMediaNoTab = 0,
  specialPagesMediaTab = 1,
};

extern const char* const punchHoleCoil;     // "Coil"
extern const char* const mediaTypeA5;       // "A5"
extern const char* const mediaTypeIsTab;    // "true"
extern const char* const mediaTypeNoTab;    // "false"
extern const char* const coilPunchFaceOn;   // "true"
extern const char* const coilPunchFaceOff;  // "false"

inline constexpr int kFeaturesTicketRows = 25;
extern const TicketData FeaturesticketData[kFeaturesTicketRows];

inline constexpr int numFmtTableFeatures = 29;
extern const prtFmtTable FeaturesFmtTable[numFmtTableFeatures];

// Layout cells: StdLayoutRowInfo x StdLayoutColumnInfo (empty text counts as 0).
int FeaturesLayoutCells();

// The two non-PPD feature blocks: separator pages, and the booklet margin
// followed by its auto-fit setting.
void FeaturesOutputSeparatorPages(FILE* stream);
void FeaturesOutputAutoFit(FILE* stream);
