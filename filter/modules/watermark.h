// Text watermark: a stamp drawn across the pages through PostScript written at
// the stream events.
#pragma once
#include <cstdio>

#include "ticket.h"

inline constexpr int kWatermarkTextSize = 256;

// Filled by WatermarkticketData; absent integers read -1, floats -1.0, texts "".
struct WatermarkOptions {
  char name[kWatermarkTextSize];  // the watermark is on only when this is non-empty
  int options;
  int onlyFirst;                  // 0: every page; any other value: first page only
  char text[kWatermarkTextSize];  // PostScript operand written verbatim before "show" (CR and LF as spaces)
  int orientation;                // 1 or 3 portrait, 2 or 4 landscape
  int paperHeight;
  int paperWidth;
  char filePath[kWatermarkTextSize];
  int type;  // 0: text watermark
  char font[kWatermarkTextSize];
  int fontSize;
  int fontType;
  float colorR;
  float colorG;
  float colorB;
  float colorA;
  int angle;    // degrees
  int density;  // percent
  float scale;
  float posHorizontal;
  float posVertical;
  float width;  // text box, points
  float height;
  float hOffset;  // added to the start point
  float vOffset;
};

extern WatermarkOptions psOptionWatermark;

inline constexpr int kWatermarkTicketRows = 25;
extern const TicketData WatermarkticketData[kWatermarkTicketRows];

// Still-to-print flags, one per answered event; all 1 when the filter starts.
struct WatermarkFlags {
  int prologue;
  int pageSetup;
  int pageEnd;           // "ep"
  int pageEndP;          // "endp"
  int endPageProcedure;  // the EndPage resource, written with the first prologue only
};
extern WatermarkFlags gWatermarkFlags;

// Start point of the text: the text box, rotated about its start point by the
// angle, is centred on the page centre; the offsets are then added. Only the
// single-page form is built: `nupScaling` must be 0 (nothing calls it with
// another value).
void GetWatermarkPostion(float* x, float* y, int nupScaling, float boxWidth, float boxHeight, float hOffset,
                         float vOffset);

// One colour component at the given density (percent).
float WatermarkColorComponent(float color, int density);

// The text (at most the record's 255 bytes) as a PostScript operand: a text
// without a "(" as it stands; otherwise, between the first "(" and the last ")"
// after it (or the text's end, where a ")" is then added), a backslash goes
// before each ")" without its "(", each "(" without its ")" and a lone
// backslash at the end, so that the string ends at that last ")". A valid
// string keeps every byte. `operand` holds `capacity`
// bytes; twice the text's size is always enough.
void WatermarkTextOperand(const char* text, char* operand, size_t capacity);

// Writes the stamp block that follows `firstLine`.
void WatermarkOutputStamp(const char* firstLine, FILE* stream);
// Writes the DSC resource that installs the EndPage procedure drawing the stamp
// on pages without an "ep" or "endp" stamp.
void WatermarkOutputEndPageProcedure(FILE* stream);
