// Comment fields: the job settings that the job-information comment block, the
// banner-sheet, booklet and registration lines report.
#pragma once
#include <cstdint>

#include "ticket.h"

inline constexpr int kCommentTextSize = 256;

struct PSOptionComment {
  char sides[kCommentTextSize];
  char colorMode[kCommentTextSize];
  char numberUp[kCommentTextSize];
  char staple[kCommentTextSize];
  char punch[kCommentTextSize];
  char numPunchHoles[kCommentTextSize];
  char signature[kCommentTextSize];
  char signatureVolume[kCommentTextSize];
  char lineWeight[kCommentTextSize];
  char bannerSheet[kCommentTextSize];
  char regiHorizontal[kCommentTextSize];
  char regiVertical[kCommentTextSize];
  char collation[kCommentTextSize];  // derived: "collate", "nocollate" or empty
  int32_t duplexBindingEdge;
  int32_t copies;
  int32_t orientation;
  int32_t layoutDirection;
  int32_t printType;
};

extern PSOptionComment psoptioncomment;

inline constexpr int kCommentTicketRows = 17;
extern const TicketData CommentticketData[kCommentTicketRows];

inline constexpr const char* kRegiHorizontalOption = "OVSRRLAdjustRegiHorizontal";
inline constexpr const char* kRegiVerticalOption = "OVSRRLAdjustRegiVertical";
inline constexpr const char* kRegiDefault = "0.0";

// The normalisation steps after reading, given the job's option string and
// copies argument (argv[5], argv[4]; either may be nullptr).
void NormalizeComment(const char* optionString, const char* copiesArgument);

// Colour of the job for the render-mode and comment-block lines: 1 colour,
// 0 grayscale, -1 nothing to say (an unknown choice on a PPD that has the
// colour-mode option).
int CommentJobColor();
int IsColorDeivce();
int getDefaultColorMode();
// The "@DIND" orientation line for a number-up text and an orientation.
const char* BookletOrientationLine(const char* numberUp, int orientation);
// The "@BANR" line for a banner-sheet choice and print type, or nullptr.
const char* BannerSheetLine(const char* banner, int printType);
// The registration value text (at most three characters) of an
// "OVSRRLAdjustRegi..." choice, into `text` (4 bytes).
void RegistrationNumberText(const char* value, char* text);
