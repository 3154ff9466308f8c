// Perfect binding: PPD choices of the perfect binder turned into "@PJL SET
// JOBATTR" lines of the job header, with sizes in tenths of a millimetre.
#pragma once
#include <cstddef>

#include "cups_ppd.h"
#include "ticket.h"

inline constexpr int kPBindTextSize = 256;

// Filled by PBindticketData (each option the job leaves out takes the PPD's
// default; texts "" and the integer -1 when neither gives a value), then
// normalised.
struct PBindOptions {
  char position[kPBindTextSize];  // binding edge: OFF, LEFT, RIGHT, TOP
  char trimming[kPBindTextSize];  // trimming mode: OFF, FACE, FULLBLEED
  char cutPageSize[kPBindTextSize];
  int imagePosition;
  char cutPositionTop[kPBindTextSize];   // "7mm"
  char cutPositionFore[kPBindTextSize];  // "7mm"
  char pageSize[kPBindTextSize];         // book page size
  char coverPageSize[kPBindTextSize];
  char coverMediaType[kPBindTextSize];
  char coverMediaColor[kPBindTextSize];
  char coverPaperTray[kPBindTextSize];
  char rotationAdjustTop[kPBindTextSize];
  char rotationAdjustBot[kPBindTextSize];
  char rotationAdjustFore[kPBindTextSize];
  char cutPageAdjustmentTB[kPBindTextSize];
  char cutPageAdjustmentFore[kPBindTextSize];
  char cutPositionAdjustmentTB[kPBindTextSize];
  char coverAdjustX[kPBindTextSize];
  char coverAdjustY[kPBindTextSize];
  char rotation[kPBindTextSize];  // set by normalisation: ROTSEFLAND, ROTLEFPORT
  int minimumTrim;                // set by normalisation: 1 for the "...CutMinimum" choices
};

extern PBindOptions psoptionpbind;

inline constexpr int kPBindTicketRows = 19;
extern const TicketData PBindticketData[kPBindTicketRows];

struct PerfectBindPair {
  const char* ppdName;
  const char* pjlValue;
};
inline constexpr int kPerfectBindPairs = 77;
// The 77 pairs, then an empty pair.
extern const PerfectBindPair PerfectBindParam[kPerfectBindPairs + 1];

// Sign modes of OutputQPJLCommandforPBindDigital.
enum PBindSignMode { kPBindSignNever = 0, kPBindSignWhenRight = 1, kPBindSignWhenTopOrLeft = 2 };

// Normalises the binding edge, the trimming fields and the trimming mode.
void PBindNormalize();
// Copies the PJL value of `name` into `destination` (at most size - 1 bytes);
// returns false and leaves `destination` empty when the name has none.
bool convertPBindPPDValue(const char* name, char* destination, size_t size);
// Points -> tenths of a millimetre, a whole number of millimetres.
int PBindTenths(float points);
// Width and length of a PPD page size in tenths; 0 and 0 without the PPD or size.
void PBindPageSizeTenths(ppd_file_t* ppd, const char* name, int* width, int* length);
// Centring shift for a width difference: half of it, an odd difference rounded up.
int PBindCentringShift(int difference);
// Decimal value of a trim text such as "7mm" (its last two characters are the unit).
int PBindTrimValue(const char* text);

void OutputQPJLCommandforPBindNormal(const char* value, const char* attribute);
void OutputQPJLCommandforPBindDigital(const char* value, int factor, const char* attribute, const char* position,
                                      int signMode);
