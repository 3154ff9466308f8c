#include "comment.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "ppdattr.h"
#include "ticket_keys.h"

PSOptionComment psoptioncomment = {};

const TicketData CommentticketData[kCommentTicketRows] = {
    {"sides", psoptioncomment.sides, kCommentTextSize, GetTicketString},
    {"OVColorMode", psoptioncomment.colorMode, kCommentTextSize, GetTicketString},
    {"number-up", psoptioncomment.numberUp, kCommentTextSize, GetNumberUpTicketStringForComment},
    {"OVStaple", psoptioncomment.staple, kCommentTextSize, GetTicketString},
    {"OVPunch", psoptioncomment.punch, kCommentTextSize, GetTicketString},
    {"OVNumPunchHoles", psoptioncomment.numPunchHoles, kCommentTextSize, GetTicketString},
    {"OVSignature", psoptioncomment.signature, kCommentTextSize, GetTicketString},
    {"OVSigVol", psoptioncomment.signatureVolume, kCommentTextSize, GetTicketString},
    {"OVLineWeightAdjustment", psoptioncomment.lineWeight, kCommentTextSize, GetTicketString},
    {"OVBannerSheet", psoptioncomment.bannerSheet, kCommentTextSize, GetTicketString},
    {kRegiHorizontalOption, psoptioncomment.regiHorizontal, kCommentTextSize, GetTicketString},
    {kRegiVerticalOption, psoptioncomment.regiVertical, kCommentTextSize, GetTicketString},
    {"DuplexBindingEdge..n.", &psoptioncomment.duplexBindingEdge, 4, GetTicketInteger},
    {"com.apple.print.PrintSettings.PMCopies..n.", &psoptioncomment.copies, 4, GetTicketInteger},
    {"orientation-requested", &psoptioncomment.orientation, 4, GetTicketInteger},
    {"com.apple.print.PrintSettings.PMLayoutDirection..n.", &psoptioncomment.layoutDirection, 4, GetTicketInteger},
    {kPrintTypeTicketKey, &psoptioncomment.printType, 4, GetTicketInteger},
};

namespace {

constexpr int kSettingsLineSize = 100;
constexpr int kRegiNumberLength = 6;
constexpr int kRegiPrefixLength = 7;
constexpr int kSecurePrint = 2;

void Write(const char* line) { KQfputs(line, stdout); }

bool Equals(const char* text, const char* other) { return text != nullptr && std::strcmp(text, other) == 0; }

void SetText(char* field, const char* text) {
  std::memset(field, 0, kCommentTextSize);
  std::strncpy(field, text, kCommentTextSize - 1);
}

bool Contains(const char* text, const char* part) { return text != nullptr && std::strstr(text, part) != nullptr; }

void ClearRecord() {
  char collation[kCommentTextSize];
  std::memcpy(collation, psoptioncomment.collation, sizeof collation);
  psoptioncomment = {};
  std::memcpy(psoptioncomment.collation, collation, sizeof collation);
}

// Copies absent from the print settings: the copies argument CUPS passes
// (a positive number), else 1, so that the block never reports -1 copies.
int CopiesFromArgument(const char* copiesArgument) {
  int copies = copiesArgument != nullptr ? std::atoi(copiesArgument) : 0;
  return copies > 0 ? copies : 1;
}

// A registration option of the PPD that has no value for the job (neither its
// own nor a usable PPD default, the readers' rule) reads "0.0".
void NormalizeRegistration(const char* optionString) {
  ppd_file_t* ppd = JobPPD();
  if (ppd == nullptr) return;
  if (ppdFindOption(ppd, kRegiHorizontalOption) != nullptr && !JobOptionIsSet(optionString, kRegiHorizontalOption)) {
    SetText(psoptioncomment.regiHorizontal, kRegiDefault);
  }
  if (ppdFindOption(ppd, kRegiVerticalOption) != nullptr && !JobOptionIsSet(optionString, kRegiVerticalOption)) {
    SetText(psoptioncomment.regiVertical, kRegiDefault);
  }
}

}  // namespace

void NormalizeComment(const char* optionString, const char* copiesArgument) {
  PSOptionComment& c = psoptioncomment;
  if (Contains(optionString, "nocollate")) {
    SetText(c.collation, "nocollate");
  } else if (Contains(optionString, "collate")) {
    SetText(c.collation, "collate");
  }
  if (c.sides[0] == '\0' || c.duplexBindingEdge == 0) SetText(c.sides, "one-sided");
  if (c.signature[0] != '\0' && std::strcmp(c.signature, "None") != 0) SetText(c.sides, "two-sided-short-edge");
  if (c.orientation == -1) c.orientation = 1;
  if (c.layoutDirection == -1) c.layoutDirection = 1;
  if (c.copies == -1) c.copies = CopiesFromArgument(copiesArgument);
  NormalizeRegistration(optionString);
}

int CommentGetTicketFromPDE(char* argv[]) {
  ClearRecord();
  GetTicketFromArray(argv, CommentticketData, kCommentTicketRows);
  NormalizeComment(argv != nullptr ? argv[5] : nullptr, argv != nullptr ? argv[4] : nullptr);
  return 1;
}

// Header settings lines.

namespace {

bool IsUTF8Model() {
  ppd_attr_t* encoding = ppdFindAttr_ALT(JobPPD(), "KQPrinterLanguageEncoding");
  return encoding != nullptr && Equals(encoding->value, "UTF-8");
}

bool HasColorModeOption() { return JobPPD() != nullptr && ppdFindOption(JobPPD(), "OVColorMode") != nullptr; }

void WriteRegistrationLine(const char* value, const char* attribute) {
  if (value[0] == '\0') return;
  char number[4];
  RegistrationNumberText(value, number);
  char line[kSettingsLineSize];
  std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"@%s=%s\"\n", attribute, number);
  Write(line);
}

void WriteLineWeightLine(const char* lineWeight) {
  if (lineWeight[0] == '\0') return;
  if (Equals(lineWeight, "Normal")) {
    Write("@PJL SET JOBATTR=\"@LWAD=0\"\n");
    return;
  }
  const char* digit = std::strpbrk(lineWeight, "0123456789");
  if (digit == nullptr) return;  // a choice without a digit has no weight to report
  const char* format = Contains(lineWeight, "Strongly") ? "@PJL SET JOBATTR=\"@LWAD=-%c\"\n"
                       : Contains(lineWeight, "Weakly") ? "@PJL SET JOBATTR=\"@LWAD=%c\"\n"
                                                        : nullptr;
  if (format == nullptr) return;
  char line[kSettingsLineSize];
  std::snprintf(line, sizeof line, format, *digit);
  Write(line);
}

void WriteRenderModeLine() {
  int color = CommentJobColor();
  if (color == 1) Write("@PJL SET RENDERMODE=COLOR\n");
  if (color == 0) Write("@PJL SET RENDERMODE=GRAYSCALE\n");
}

}  // namespace

int CommentJobColor() {
  const char* colorMode = psoptioncomment.colorMode;
  if (colorMode[0] == '\0') return IsColorDeivce() == 1 && getDefaultColorMode() == 1 ? 1 : 0;
  if (Equals(colorMode, "Color")) return 1;
  if (Equals(colorMode, "Black")) return 0;
  return HasColorModeOption() ? -1 : 0;
}

const char* BookletOrientationLine(const char* numberUp, int orientation) {
  constexpr const char* kLandscape = "@PJL SET JOBATTR=\"@DIND=LANDSCAPE\"\n";
  constexpr const char* kPortrait = "@PJL SET JOBATTR=\"@DIND=PORTRAIT\"\n";
  if (numberUp == nullptr || numberUp[0] == '\0') return kPortrait;
  int n = std::atoi(numberUp);
  if (n == 2 || n == 6) return orientation == 1 || orientation == 6 ? kLandscape : kPortrait;
  return orientation == 4 || orientation == 5 ? kLandscape : kPortrait;
}

void OutputQPJLCommandforBooklet() {
  if (!IsUTF8Model()) return;
  const PSOptionComment& c = psoptioncomment;
  Write(BookletOrientationLine(c.numberUp, c.orientation));
  if (c.signature[0] == '\0') return;
  if (Equals(c.signature, "None")) {
    Write("@PJL SET JOBATTR=\"@DIBB=OFF\"\n");
    Write("@PJL SET JOBATTR=\"@DIBK=OFF\"\n");
    return;
  }
  if (Contains(c.signature, "Left")) {
    Write("@PJL SET JOBATTR=\"@DIBB=LEFT\"\n");
  } else if (Contains(c.signature, "Right")) {
    Write("@PJL SET JOBATTR=\"@DIBB=RIGHT\"\n");
  }
  bool divided = c.signatureVolume[0] != '\0' && !Equals(c.signatureVolume, "None");
  Write(divided ? "@PJL SET JOBATTR=\"@DIBK=MANUALDIVIDE\"\n" : "@PJL SET JOBATTR=\"@DIBK=NONEDIVIDE\"\n");
}

const char* BannerSheetLine(const char* banner, int printType) {
  if (banner == nullptr || banner[0] == '\0') return nullptr;
  if (printType == kSecurePrint) return "@PJL SET JOBATTR=\"@BANR=OFF\"\n";
  if (Equals(banner, "UserPrinterSetting")) return "@PJL SET JOBATTR=\"@BANR=DEVICE\"\n";
  if (Equals(banner, "PrintStartPage")) return "@PJL SET JOBATTR=\"@BANR=START\"\n";
  if (Equals(banner, "None")) return "@PJL SET JOBATTR=\"@BANR=OFF\"\n";
  return nullptr;
}

void OutputQPJLCommandforBannerSheet() {
  const char* line = BannerSheetLine(psoptioncomment.bannerSheet, psoptioncomment.printType);
  if (line != nullptr) Write(line);
}

void RegistrationNumberText(const char* value, char* text) {
  char number[kRegiNumberLength + 1] = {};
  size_t length = value != nullptr ? std::strlen(value) : 0;
  if (length > kRegiPrefixLength) {
    std::strncpy(number, value + kRegiPrefixLength, kRegiNumberLength);
  } else if (length < kRegiPrefixLength) {
    std::strncpy(number, value, kRegiNumberLength);
  }
  float tenths = static_cast<float>(std::atof(number)) * 10.0f;
  // Six characters can spell values far outside an int ("9e9999"); such a
  // value is held to a bound, whose text is cut to three characters anyway.
  if (std::isnan(tenths)) tenths = 0.0f;
  if (tenths > 1e8f) tenths = 1e8f;
  if (tenths < -1e8f) tenths = -1e8f;
  std::snprintf(text, 4, "%d", static_cast<int>(std::lround(tenths)));
}

void OutputQPJLCommandforSRRLAdjustRegi() {
  WriteRegistrationLine(psoptioncomment.regiHorizontal, "RCFM");
  WriteRegistrationLine(psoptioncomment.regiVertical, "RCFS");
}

void OutputQPJLCommandOthers() {
  WriteLineWeightLine(psoptioncomment.lineWeight);
  WriteRenderModeLine();
}

int IsColorDeivce() { return PPDAttrEquals(JobPPD(), "ColorDevice", "True") ? 1 : 0; }

int getDefaultColorMode() {
  ppd_file_t* ppd = JobPPD();
  ppd_option_t* option = ppd != nullptr ? ppdFindOption(ppd, "OVColorMode") : nullptr;
  return option != nullptr && Equals(option->defchoice, "Color") ? 1 : 0;
}

void CommentResetState() { psoptioncomment = {}; }
