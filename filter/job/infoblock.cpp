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
constexpr int kCommentLineSize = 100;

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

ppd_attr_t* EncodingAttribute() { return ppdFindAttr_ALT(JobPPD(), kEncodingAttribute); }

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
  int color = CommentJobColor();
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
