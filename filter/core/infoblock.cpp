#include "infoblock.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "comment.h"
#include "jobstate.h"
#include "models.h"
#include "output.h"
#include "pjlsafe.h"
#include "ppdattr.h"

namespace {

constexpr const char* kEncodingAttribute = "KQPrinterLanguageEncoding";
constexpr int kCodeSetLineSize = 256;
constexpr int kSettingsLineSize = 100;
constexpr int kCommentLineSize = 100;
constexpr int kRegiNumberLength = 6;
constexpr int kRegiPrefixLength = 7;
constexpr int kSecurePrint = 2;

struct CodeSetName {
  const char* encoding;
  const char* name;
};
constexpr CodeSetName kCodeSetNames[] = {
    {"UTF-8", "UTF8"},
    {"JIS83-RKSJ", "SJISX0208"},
    {"ISOLatin1", "HPROMAN8"},
};
constexpr const char* kCodeSetWithoutAttribute = "SJISX0208";

void Write(const char* line) { KQfputs(line, stdout); }

bool Equals(const char* text, const char* other) { return text != nullptr && std::strcmp(text, other) == 0; }
bool Contains(const char* text, const char* part) { return text != nullptr && std::strstr(text, part) != nullptr; }

ppd_attr_t* EncodingAttribute() { return ppdFindAttr_ALT(JobPPD(), kEncodingAttribute); }

bool IsUTF8Model() {
  ppd_attr_t* encoding = EncodingAttribute();
  return encoding != nullptr && Equals(encoding->value, "UTF-8");
}

bool HasColorModeOption() { return JobPPD() != nullptr && ppdFindOption(JobPPD(), "OVColorMode") != nullptr; }

// Colour of the job: 1 colour, 0 grayscale, -1 nothing to say (an unknown
// choice on a PPD that has the colour-mode option).
int JobColor(const char* colorMode) {
  if (colorMode[0] == '\0') return IsColorDeivce() == 1 && getDefaultColorMode() == 1 ? 1 : 0;
  if (Equals(colorMode, "Color")) return 1;
  if (Equals(colorMode, "Black")) return 0;
  return HasColorModeOption() ? -1 : 0;
}

// Writes prefix, the value made safe for a PJL line and cut to fit, and suffix.
void WriteValueLine(const char* prefix, const char* value, const char* suffix) {
  char safe[kCommentTextSize];
  CopyPJLValue(value, safe, sizeof safe);
  int room = kCommentLineSize - 1 - static_cast<int>(std::strlen(prefix) + std::strlen(suffix));
  char line[kCommentLineSize];
  std::snprintf(line, sizeof line, "%s%.*s%s", prefix, room > 0 ? room : 0, safe, suffix);
  Write(line);
}

void WriteNumberLine(const char* format, int value) {
  char line[kCommentLineSize];
  std::snprintf(line, sizeof line, format, value);
  Write(line);
}

void WriteCopiesLines() {
  const PSOptionComment& c = psoptioncomment;
  if (c.collation[0] == '\0') return;
  if (Equals(c.collation, "collate")) {
    WriteNumberLine("@PJL COMMENT KQJOBINFO JOBCOPIES=%d\n", c.copies);
    Write("@PJL COMMENT KQJOBINFO PAGECOPIES=1\n");
  } else {
    WriteNumberLine("@PJL COMMENT KQJOBINFO PAGECOPIES=%d\n", c.copies);
    Write("@PJL COMMENT KQJOBINFO JOBCOPIES=1\n");
  }
}

void WriteDuplexLine() {
  const PSOptionComment& c = psoptioncomment;
  if (c.sides[0] == '\0') return;
  if (Equals(c.sides, "two-sided-long-edge") || c.duplexBindingEdge == 2) {
    Write("@PJL COMMENT KQJOBINFO DUPLEXTYPE=DUPLEX\n");
  } else if (Equals(c.sides, "two-sided-short-edge") || c.duplexBindingEdge == 3) {
    Write("@PJL COMMENT KQJOBINFO DUPLEXTYPE=TUMBLE\n");
  } else if (Equals(c.sides, "one-sided") || c.duplexBindingEdge == 1) {
    Write("@PJL COMMENT KQJOBINFO DUPLEXTYPE=SIMPLEX\n");
  }
}

void WriteColorLine() {
  int color = JobColor(psoptioncomment.colorMode);
  if (color == 1) Write("@PJL COMMENT KQJOBINFO COLORMODE=COLOR\n");
  if (color == 0) Write("@PJL COMMENT KQJOBINFO COLORMODE=GRAYSCALE\n");
}

void WriteFinishingLines() {
  const PSOptionComment& c = psoptioncomment;
  if (c.numberUp[0] != '\0') WriteValueLine("@PJL COMMENT KQJOBINFO NUP=", c.numberUp, "\n");
  if (c.staple[0] != '\0') {
    bool off = Equals(c.staple, "None") || Equals(c.staple, "SaddleStaple");
    Write(off ? "@PJL COMMENT KQJOBINFO STAPLE=OFF\n" : "@PJL COMMENT KQJOBINFO STAPLE=ON\n");
  }
  if (c.punch[0] != '\0') {
    Write(Equals(c.punch, "None") ? "@PJL COMMENT KQJOBINFO PUNCH=OFF\n" : "@PJL COMMENT KQJOBINFO PUNCH=ON\n");
  }
}

void WriteBookletTypeLine() {
  PSOptionComment& c = psoptioncomment;
  if (c.signature[0] == '\0') return;
  if (Equals(c.signature, "None") || c.signatureVolume[0] == '\0') {
    Write("@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[NOBOOKLET]\n");
  } else if (Equals(c.signatureVolume, "None")) {
    Write("@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[NONEDIVIDE]\n");
  } else {
    // A volume without "Sheet" is a threshold as it stands.
    if (char* sheet = std::strstr(c.signatureVolume, "Sheet")) *sheet = '\0';
    WriteValueLine("@PJL COMMENT KQJOBINFO BOOKLETTYPE=TYPE[MANUALDIVIDE]:THRESHOLD[", c.signatureVolume, "]\n");
  }
}

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
  int color = JobColor(psoptioncomment.colorMode);
  if (color == 1) Write("@PJL SET RENDERMODE=COLOR\n");
  if (color == 0) Write("@PJL SET RENDERMODE=GRAYSCALE\n");
}

}  // namespace

void OutputQPJLCommandLanguageEncoding() {
  ppd_file_t* ppd = JobPPD();
  if (ppd == nullptr) return;
  ppd_attr_t* encoding = EncodingAttribute();
  const char* name = encoding == nullptr ? kCodeSetWithoutAttribute : nullptr;
  for (const CodeSetName& entry : kCodeSetNames) {
    if (encoding != nullptr && Equals(encoding->value, entry.encoding)) name = entry.name;
  }
  if (name == nullptr) return;
  char line[kCodeSetLineSize];
  std::snprintf(line, sizeof line, "@PJL SET STRINGCODESET=\"%s\"\n", name);
  Write(line);
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

int IsCommentBlockWanted() {
  ppd_file_t* ppd = JobPPD();
  if (ppd == nullptr) return 0;
  bool commentOn = PPDAttrEquals(ppd, "CommentOn", "True");
  ppd_attr_t* encoding = ppdFindAttr_ALT(ppd, kEncodingAttribute);
  if (encoding != nullptr) return !Equals(encoding->value, "UTF-8") || commentOn ? 1 : 0;
  ppd_attr_t* pcFileName = ppdFindAttr_ALT(ppd, "PCFileName");
  if (pcFileName == nullptr) return 0;
  return IsModelWithComment(pcFileName->value) || commentOn ? 1 : 0;
}

void OutputQPJLCommandforCommentBegin() {
  Write("@PJL COMMENT KQJOBINFO BEGIN\n");
  Write("@PJL COMMENT KQJOBINFO PDLTYPE=PDL[POSTSCRIPT]:VERSION[3]\n");
  Write("@PJL COMMENT KQJOBINFO JOBTYPE=PRINT\n");
}

void OutputQPJLCommandforCommentBasic() {
  WriteCopiesLines();
  WriteDuplexLine();
  WriteColorLine();
  WriteFinishingLines();
  WriteBookletTypeLine();
}

void OutputQPJLCommandforComment() {
  if (IsCommentBlockWanted() == 0) return;
  Write("@PJL COMMENT KQJOBINFO VERSION=1.3.0\n");
  OutputQPJLCommandforCommentBegin();
  OutputQPJLCommandforCommentBasic();
  Write("@PJL COMMENT KQJOBINFO END\n");
}
