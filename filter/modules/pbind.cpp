#include "pbind.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "pjlsafe.h"
#include "textconv.h"

PBindOptions psoptionpbind = {};

namespace {

constexpr int kNum = 4;
PBindOptions& P = psoptionpbind;

// Capacity of one attribute line (99 bytes and a zero).
constexpr int kPBindLineSize = 100;

}  // namespace

const TicketData PBindticketData[kPBindTicketRows] = {
    {"OVPBindPosition", P.position, kPBindTextSize, GetTicketString},
    {"OVPBindTrimming", P.trimming, kPBindTextSize, GetTicketString},
    {"OVPBindCutPageSize", P.cutPageSize, kPBindTextSize, GetTicketString},
    {"noKQPBindImagePosition", &P.imagePosition, kNum, GetTicketInteger},
    {"OVPBindCutPositionTop", P.cutPositionTop, kPBindTextSize, GetTicketString},
    {"OVPBindCutPositionFore", P.cutPositionFore, kPBindTextSize, GetTicketString},
    {"OVPBindPageSize", P.pageSize, kPBindTextSize, GetTicketString},
    {"OVPBindCoverPageSize", P.coverPageSize, kPBindTextSize, GetTicketString},
    {"OVPBindCoverMediaType", P.coverMediaType, kPBindTextSize, GetTicketString},
    {"OVPBindCoverMediaColor", P.coverMediaColor, kPBindTextSize, GetTicketString},
    {"OVPBindCoverPaperTray", P.coverPaperTray, kPBindTextSize, GetTicketString},
    {"OVPBindRotationAdjustTop", P.rotationAdjustTop, kPBindTextSize, GetTicketString},
    {"OVPBindRotationAdjustBot", P.rotationAdjustBot, kPBindTextSize, GetTicketString},
    {"OVPBindRotationAdjustFore", P.rotationAdjustFore, kPBindTextSize, GetTicketString},
    {"OVPBindCutPageAdjustmentTB", P.cutPageAdjustmentTB, kPBindTextSize, GetTicketString},
    {"OVPBindCutPageAdjustmentFore", P.cutPageAdjustmentFore, kPBindTextSize, GetTicketString},
    {"OVPBindCutPositionAdjustmentTB", P.cutPositionAdjustmentTB, kPBindTextSize, GetTicketString},
    {"OVPBindCoverAdjustX", P.coverAdjustX, kPBindTextSize, GetTicketString},
    {"OVPBindCoverAdjustY", P.coverAdjustY, kPBindTextSize, GetTicketString},
};

const PerfectBindPair PerfectBindParam[kPerfectBindPairs + 1] = {
    // Sizes.
    {"A3", "A3"},
    {"A4", "A4"},
    {"A5", "A5"},
    {"B4", "JISB4"},
    {"B5", "JISB5"},
    {"SRA3", "SA3"},
    {"8x10", "8X10"},
    {"OV11x15", "11X15"},
    {"OV889x122", "SPECIALA4"},
    {"OV122x170", "DT_SPECIALA3"},
    {"OV126x192", "126X192"},
    {"OV13x18", "13X18"},
    {"OV13x19", "13X19"},
    {"OV16-KAI", "ROC16K"},
    {"OV16-KAI-GCO", "16KAIGCO"},
    {"OV8-KAI", "ROC8K"},
    {"OV8-KAI-GCO", "8KAIGCO"},
    {"OVA4Cover", "A4COVER"},
    {"9x11", "LETTERCOVER"},
    {"Letter", "LETTER"},
    {"Executive", "EXECUTIVE"},
    {"Tabloid", "LEDGER"},
    {"TabloidExtra", "12X18"},
    // Media types.
    {"Default", "OFF"},
    {"Stationary", "NORMAL"},
    {"StationaryS1", "NORMALS1"},
    {"RecyclePaper", "RECYCLE"},
    {"RecyclePaperS1", "RECYCLES1"},
    {"ThickPaper", "THICK"},
    {"ThickPaperS1", "THICKS1"},
    {"ThickPaper2", "SUPERTHICK"},
    {"ThickPaper2S1", "SUPERTHICKS1"},
    {"CoatingPaper1", "COATEDPAPER"},
    {"CoatingPaper1A", "COATEDPAPERA"},
    {"CoatingPaper1B", "COATEDPAPERB"},
    {"CoatingPaper2", "COATEDPAPER2"},
    {"PrePrintedPaper", "PREPRINTED"},
    {"PrePrintedThickPaper1", "PREPRINTEDTHICK1"},
    {"PrePrintedThickPaper1S1", "PREPRINTEDTHICK1S1"},
    {"PrePrintedThickPaper2", "PREPRINTEDTHICK2"},
    {"PrePrintedThickPaper2S1", "PREPRINTEDTHICK2S1"},
    {"PrePrintedPlainPaperS1", "PREPRINTEDS1"},
    {"CustomSizedPaper1", "USER1"},
    {"CustomSizedPaper2", "USER2"},
    {"CustomSizedPaper3", "USER3"},
    {"CustomSizedPaper4", "USER4"},
    {"CustomSizedPaper5", "USER5"},
    // Colours.
    {"White", "WHITE"},
    {"Blue", "BLUE"},
    {"Yellow", "YELLOW"},
    {"Green", "GREEN"},
    {"Pink", "PINK"},
    {"Clear", "CLEAR"},
    {"Ivory", "IVORY"},
    {"Gray", "GRAY"},
    {"Buff", "BUFF"},
    {"Goldenrod", "GOLDENROD"},
    {"Red", "RED"},
    {"Orange", "ORANGE"},
    {"Custom1", "CUSTOM1"},
    {"Custom2", "CUSTOM2"},
    {"Custom3", "CUSTOM3"},
    {"Custom4", "CUSTOM4"},
    {"Custom5", "CUSTOM5"},
    {"Other", "OTHER"},
    {"Any", "UNSPECIFIED"},
    // Trays.
    {"AutoTray", "AUTO"},
    {"1stTray", "INTRAY1"},
    {"2ndTray", "INTRAY2"},
    {"3rdTray", "INTRAY3"},
    {"4thTray", "INTRAY4"},
    {"MSI", "INTRAY5"},
    {"6thTrayOverSized", "INTRAY6"},
    {"7thTrayOverSized", "INTRAY7"},
    {"HCF1", "INTRAY6"},
    {"HCF2", "INTRAY7"},
    {"PBindInserter", "INTRAY9"},
    {"", ""},
};

namespace {

bool IsSet(const char* text) { return text[0] != '\0'; }
bool Is(const char* text, const char* value) { return std::strcmp(text, value) == 0; }
bool StartsWith(const char* text, const char* prefix) { return std::strncmp(text, prefix, std::strlen(prefix)) == 0; }

void SetText(char* field, const char* value) { CopyWholeCharacters(field, kPBindTextSize, value); }
void Clear(char* field) { std::memset(field, 0, kPBindTextSize); }

int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, -INT32_MAX, INT32_MAX)); }

// Decimal value of a text; text that is not a number gives 0.
long long DecimalValue(const char* text) { return ClampToInt(std::strtoll(text, nullptr, 10)); }

// "@PJL SET JOBATTR="@<attribute>=<value>"" and a line feed, at most 99 bytes:
// a long value is cut, never the closing quote or the line end.
void WriteAttributeLine(const char* attribute, const char* value) {
  const int fixed = std::snprintf(nullptr, 0, "@PJL SET JOBATTR=\"@%s=\"\n", attribute);
  const int room = std::max(0, kPBindLineSize - 1 - fixed);
  char safe[kPBindLineSize] = {};
  CopyPJLValue(value, safe, WholeCharacterPrefix(value, static_cast<size_t>(room)) + 1);
  char line[kPBindLineSize + kPBindTextSize] = {};  // the line itself stays within kPBindLineSize - 1
  std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"@%s=%s\"\n", attribute, safe);
  KQfputs(line, stdout);
}

void WriteAttributeNumber(const char* attribute, int value) {
  char line[kPBindLineSize] = {};
  std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"@%s=%d\"\n", attribute, value);
  KQfputs(line, stdout);
}

// Replaces a PPD choice name by its PJL value; a name without one becomes empty.
void ConvertInPlace(char* field) {
  char converted[kPBindTextSize] = {};
  convertPBindPPDValue(field, converted, sizeof converted);
  SetText(field, converted);
}

// Converts the field and writes it as `attribute` when it has a PJL value.
void WriteConverted(char* field, const char* attribute) {
  ConvertInPlace(field);
  if (IsSet(field)) OutputQPJLCommandforPBindNormal(field, attribute);
}

void NormalizePosition() {
  if (Is(P.position, "None")) {
    SetText(P.position, "OFF");
  } else if (Is(P.position, "BindLeft")) {
    SetText(P.position, "LEFT");
    SetText(P.rotation, "ROTSEFLAND");
  } else if (Is(P.position, "BindRight")) {
    SetText(P.position, "RIGHT");
    SetText(P.rotation, "ROTLEFPORT");
  } else if (Is(P.position, "BindTop")) {
    SetText(P.position, "TOP");
    SetText(P.rotation, "ROTSEFLAND");
  }
}

void NormalizeTrimFields() {
  if (Is(P.trimming, "None")) {
    Clear(P.cutPageSize);
    Clear(P.cutPositionFore);
    Clear(P.cutPositionTop);
    return;
  }
  if (Is(P.trimming, "3EdgeSpecifySize") || Is(P.trimming, "1EdgeSpecifySize")) {
    Clear(P.cutPositionFore);
    Clear(P.cutPositionTop);
    return;
  }
  Clear(P.cutPageSize);
  if (Is(P.trimming, "1EdgeCut")) {
    Clear(P.cutPositionTop);
  } else if (Is(P.trimming, "3EdgeCutMinimum")) {
    SetText(P.cutPositionFore, "7mm");
    SetText(P.cutPositionTop, "7mm");
    P.minimumTrim = 1;
  } else if (Is(P.trimming, "1EdgeCutMinimum")) {
    SetText(P.cutPositionFore, "7mm");
    Clear(P.cutPositionTop);
    P.minimumTrim = 1;
  }
}

void NormalizeTrimMode() {
  if (Is(P.trimming, "None")) {
    SetText(P.trimming, "OFF");
  } else if (StartsWith(P.trimming, "1Edge")) {
    SetText(P.trimming, "FACE");
  } else if (StartsWith(P.trimming, "3Edge")) {
    SetText(P.trimming, "FULLBLEED");
  }
}

bool IsRight() { return Is(P.position, "RIGHT"); }

// Trim widths and heights, then the image shift lines (steps after the cut size).
void WriteTrimLines(int bookWidth, int bookLength, int cutWidth, int cutLength, int shift) {
  const bool fore = IsSet(P.cutPositionFore);
  const bool top = IsSet(P.cutPositionTop);
  if (fore) {
    const long long t = PBindTrimValue(P.cutPositionFore);
    shift = ClampToInt(t * 5);
    WriteAttributeNumber("PBTW", ClampToInt(bookWidth - t * 10));
  }
  if (top) {
    const long long u = PBindTrimValue(P.cutPositionTop);
    WriteAttributeNumber("PBTH", ClampToInt(bookLength - u * 20));
  } else if (fore) {
    WriteAttributeNumber("PBTH", bookLength);
  } else {
    WriteAttributeNumber("PBTW", cutWidth);
    WriteAttributeNumber("PBTH", cutLength);
  }
  if (P.minimumTrim == 0) {
    WriteAttributeNumber("ISXO", IsRight() ? shift : -shift);
    WriteAttributeNumber("ISXT", IsRight() ? -shift : shift);
  }
}

void WriteAdjustmentLines() {
  const bool right = IsRight();
  OutputQPJLCommandforPBindDigital(P.cutPageAdjustmentFore, 1, "PBAW", P.position, kPBindSignNever);
  OutputQPJLCommandforPBindDigital(P.cutPageAdjustmentTB, 1, "PBAH", P.position, kPBindSignNever);
  OutputQPJLCommandforPBindDigital(P.rotationAdjustTop, 1, right ? "PBAB" : "PBAT", P.position, kPBindSignNever);
  OutputQPJLCommandforPBindDigital(P.rotationAdjustBot, 1, right ? "PBAT" : "PBAB", P.position, kPBindSignNever);
  OutputQPJLCommandforPBindDigital(P.rotationAdjustFore, 1, "PBAF", P.position, kPBindSignWhenRight);
  OutputQPJLCommandforPBindDigital(P.coverAdjustX, 1, "PBAX", P.position, kPBindSignWhenRight);
  OutputQPJLCommandforPBindDigital(P.coverAdjustY, 1, "PBAY", P.position, kPBindSignWhenTopOrLeft);
  OutputQPJLCommandforPBindDigital(P.cutPositionAdjustmentTB, 1, "PBAV", P.position, kPBindSignWhenRight);
}

void WriteCoverLines() {
  if (IsSet(P.coverPageSize)) {
    if (Is(P.coverPageSize, "DL")) SetText(P.coverPageSize, "Tabloid");
    WriteConverted(P.coverPageSize, "PBCP");
  }
  if (IsSet(P.coverMediaType)) WriteConverted(P.coverMediaType, "PBCQ");
  if (IsSet(P.coverMediaColor)) {
    WriteConverted(P.coverMediaColor, "PBCC");
    if (IsSet(P.coverPaperTray)) WriteConverted(P.coverPaperTray, "PBCT");
  }
}

}  // namespace

void PBindNormalize() {
  NormalizePosition();
  NormalizeTrimFields();
  NormalizeTrimMode();
}

int PBindGetTicketFromPDE(char* argv[]) {
  P = PBindOptions{};
  GetTicketFromArray(argv, PBindticketData, kPBindTicketRows);
  PBindNormalize();
  return 1;
}

bool convertPBindPPDValue(const char* name, char* destination, size_t size) {
  if (destination == nullptr || size == 0) return false;
  std::memset(destination, 0, size);
  if (name == nullptr) return false;
  for (const PerfectBindPair* pair = PerfectBindParam; pair->ppdName[0] != '\0'; ++pair) {
    if (std::strcmp(pair->ppdName, name) == 0) {
      std::snprintf(destination, size, "%s", pair->pjlValue);
      return true;
    }
  }
  return false;
}

int PBindTenths(float points) {
  if (!std::isfinite(points)) return 0;
  const double whole = std::trunc(static_cast<double>(points));
  const long long v = static_cast<long long>(std::clamp(whole, -1e8, 1e8));
  return static_cast<int>((v * 60) / 17 / 10 * 10);
}

void PBindPageSizeTenths(ppd_file_t* ppd, const char* name, int* width, int* length) {
  *width = 0;
  *length = 0;
  if (ppd == nullptr || name == nullptr || name[0] == '\0') return;
  ppd_size_t* size = ppdPageSize(ppd, name);
  if (size == nullptr) return;
  *width = PBindTenths(size->width);
  *length = PBindTenths(size->length);
}

int PBindCentringShift(int difference) { return difference % 2 != 0 ? (difference + 1) / 2 : difference / 2; }

int PBindTrimValue(const char* text) {
  const size_t length = std::strlen(text);
  if (length <= 2) return 0;
  char number[kPBindTextSize] = {};
  std::memcpy(number, text, std::min(length - 2, sizeof number - 1));
  return static_cast<int>(DecimalValue(number));
}

void OutputQPJLCommandforPBindNormal(const char* value, const char* attribute) { WriteAttributeLine(attribute, value); }

void OutputQPJLCommandforPBindDigital(const char* value, int factor, const char* attribute, const char* position,
                                      int signMode) {
  if (value == nullptr || value[0] == '\0') return;
  long long n = DecimalValue(value) * factor;
  const bool negate = (signMode == kPBindSignWhenRight && Is(position, "RIGHT")) ||
                      (signMode == kPBindSignWhenTopOrLeft && (Is(position, "TOP") || Is(position, "LEFT")));
  if (negate) n = -n;
  WriteAttributeNumber(attribute, ClampToInt(n));
}

void OutputQPJLCommandforPerfectBind() {
  ppd_file_t* ppd = JobPPD();
  if (!IsSet(P.position) || Is(P.position, "OFF")) return;

  OutputQPJLCommandforPBindNormal(P.position, "PBRE");
  OutputQPJLCommandforPBindNormal(P.rotation, "MSDA");
  OutputQPJLCommandforPBindNormal(P.trimming, "PBTC");

  int bookWidth = 0;
  int bookLength = 0;
  if (IsSet(P.pageSize)) {
    PBindPageSizeTenths(ppd, P.pageSize, &bookWidth, &bookLength);
    WriteConverted(P.pageSize, "PBBP");
  }

  int cutWidth = 0;
  int cutLength = 0;
  int shift = 0;
  if (IsSet(P.cutPageSize)) {
    PBindPageSizeTenths(ppd, P.cutPageSize, &cutWidth, &cutLength);
    shift = PBindCentringShift(ClampToInt(static_cast<long long>(bookWidth) - cutWidth));
    ConvertInPlace(P.cutPageSize);
  } else if (!Is(P.trimming, "OFF")) {
    SetText(P.cutPageSize, "CUSTOM");
  } else {
    SetText(P.cutPageSize, P.pageSize);
    cutWidth = bookWidth;
    cutLength = bookLength;
  }
  if (IsSet(P.cutPageSize)) OutputQPJLCommandforPBindNormal(P.cutPageSize, "PBTP");

  if (!Is(P.trimming, "OFF")) WriteTrimLines(bookWidth, bookLength, cutWidth, cutLength, shift);
  WriteAdjustmentLines();
  WriteCoverLines();
  KQfputs("@PJL SET JOBATTR=\"@PBCI=OFF\"\n", stdout);
}

void PBindResetState() { psoptionpbind = {}; }
