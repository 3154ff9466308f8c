#include "watermark.h"

#include <cmath>
#include <cstring>

#include "modules.h"
#include "output.h"
#include "pjlsafe.h"
#include "ticket_keys.h"

WatermarkOptions psOptionWatermark = {};
WatermarkFlags gWatermarkFlags = {1, 1, 1, 1, 1};

namespace {

constexpr int kNum = 4;
WatermarkOptions& W = psOptionWatermark;

// The text operand with its escapes takes at most twice the record's text.
constexpr size_t kOperandSize = 2 * kWatermarkTextSize;
// A stamp line holds at most the text operand or a 255-byte font name plus a
// few numbers, so it always fits whole: "%.2f" of any float is at most 47 bytes.
constexpr size_t kStampLineSize = kOperandSize + 100;

constexpr const char* kPrologue[] = {
    "userdict/kqxInfo 2 dict dup begin",
    "/kqxpgsave 0 def",
    "/kqxbp{/kqxpgsave save restore pop} bind def",
};

// The stamp for pages that do not end in "ep" or "endp" (documents made on
// Linux end their pages with showpage): a page device EndPage procedure that
// draws the same stamp in default user space at each shown page (reason 0),
// then hands over to the EndPage that was in force. Its page counter lives in
// global VM, so the document's save and restore around each page do not undo
// it. A document that defines "ep" or "endp" gets its stamps in the stream at
// those lines, so the procedure draws nothing on its pages.
constexpr const char* kEndPageHead[] = {
    "%%BeginResource: procset kqxWatermark 1.0 0",
    "3 dict begin",
    "/kqxprior[currentpagedevice/EndPage 2 copy known{get}{pop pop{exch pop 2 ne}}ifelse]def",
    "/kqxpages currentglobal true setglobal[0]exch setglobal def",
    "/kqxstamp{gsave initgraphics",
};
constexpr const char* kEndPageFirstPageOnly = "//kqxpages 0 get 1 lt";
constexpr const char* kEndPageEveryPage = "true";
constexpr const char* kEndPageTail[] = {
    "/ep where{pop false}{/endp where{pop false}{true}ifelse}ifelse and{//kqxstamp exec}if",
    "//kqxpages 0 2 copy get 1 add put}if",
    "//kqxprior 0 get exec}bind>>systemdict/setpagedevice get exec",
    "end",
    "%%EndResource",
};

constexpr double kPi = 3.1415926;
constexpr double kHalfPi = 1.5707963;
constexpr double kThreeHalfPi = 4.7123889;

bool WatermarkIsOn() { return W.name[0] != '\0' && W.type == 0; }

// Writes the block of one event when its flag is set, then updates the flag.
template <typename Writer>
void AnswerOnce(int& flag, Writer write) {
  if (flag != 1) return;
  write();
  flag = W.onlyFirst == 0 ? 1 : 0;
}

}  // namespace

const TicketData WatermarkticketData[kWatermarkTicketRows] = {
    {kWMARKNameTicketKey, W.name, kWatermarkTextSize, GetTicketString},
    {kWMARKOptionsTicketKey, &W.options, kNum, GetTicketInteger},
    {kWMARKOnlyFirstTicketKey, &W.onlyFirst, kNum, GetTicketInteger},
    {kWMARKTextTicketKey, W.text, kWatermarkTextSize, GetTicketStringConvertedToPrtLang},
    {kWMARKOrientationTicketKey, &W.orientation, kNum, GetTicketInteger},
    {kWMARKPaperHeightTicketKey, &W.paperHeight, kNum, GetTicketInteger},
    {kWMARKPaperWidthTicketKey, &W.paperWidth, kNum, GetTicketInteger},
    {kWMARKFilePathTicketKey, W.filePath, kWatermarkTextSize, GetTicketStringConvertedToPrtLang},
    {kWMARKTypeTicketKey, &W.type, kNum, GetTicketInteger},
    {kWMARKFontTicketKey, W.font, kWatermarkTextSize, GetTicketString},
    {kWMARKFontSizeTicketKey, &W.fontSize, kNum, GetTicketInteger},
    {kWMARKFontTypeTicketKey, &W.fontType, kNum, GetTicketInteger},
    {kWMARKColorRTicketKey, &W.colorR, kNum, GetTicketFloat},
    {kWMARKColorGTicketKey, &W.colorG, kNum, GetTicketFloat},
    {kWMARKColorBTicketKey, &W.colorB, kNum, GetTicketFloat},
    {kWMARKColorATicketKey, &W.colorA, kNum, GetTicketFloat},
    {kWMARKAngleTicketKey, &W.angle, kNum, GetTicketInteger},
    {kWMARKDensityTicketKey, &W.density, kNum, GetTicketInteger},
    {kWMARKScaleTicketKey, &W.scale, kNum, GetTicketFloat},
    {kWMARKPosHorizontalTicketKey, &W.posHorizontal, kNum, GetTicketFloat},
    {kWMARKPosVerticalTicketKey, &W.posVertical, kNum, GetTicketFloat},
    {kWMARKWidthTicketKey, &W.width, kNum, GetTicketFloat},
    {kWMARKHeightTicketKey, &W.height, kNum, GetTicketFloat},
    {kWMARKhOffsetTicketKey, &W.hOffset, kNum, GetTicketFloat},
    {kWMARKvOffsetTicketKey, &W.vOffset, kNum, GetTicketFloat},
};

void WatermarkResetState() {
  psOptionWatermark = {};
  gWatermarkFlags = {1, 1, 1, 1, 1};
}

int WatermarkGetTicketFromPDE(char* argv[]) {
  return GetTicketFromArray(argv, WatermarkticketData, kWatermarkTicketRows);
}

void GetWatermarkPostion(float* x, float* y, int /*nupScaling*/, float boxWidth, float boxHeight, float hOffset,
                         float vOffset) {
  float cx = 0.0f;
  float cy = 0.0f;
  const float width = static_cast<float>(W.paperWidth);
  const float height = static_cast<float>(W.paperHeight);
  if (W.orientation == 1 || W.orientation == 3) {
    cx = width / 2;
    cy = height / 2;
  } else if (W.orientation == 2 || W.orientation == 4) {
    cx = height / 2;
    cy = width / 2;
  }
  const double w = boxWidth * 0.5f;
  const double h = boxHeight * 0.5f;
  const unsigned angle = static_cast<unsigned>(W.angle);
  const double r = angle * kPi / 180;
  float px = 0.0f;
  float py = 0.0f;
  if (angle <= 90) {
    px = static_cast<float>(cx - (w * std::cos(r) - h * std::sin(r)));
    py = static_cast<float>(cy - (h * std::cos(r) + w * std::sin(r)));
  } else if (angle <= 180) {
    const double s = r - kHalfPi;
    px = static_cast<float>(cx + (w * std::sin(s) + h * std::cos(s)));
    py = static_cast<float>(cy - (w * std::cos(s) - h * std::sin(s)));
  } else if (angle <= 270) {
    const double s = r - kPi;
    px = static_cast<float>(cx + (w * std::cos(s) - h * std::sin(s)));
    py = static_cast<float>(cy + (h * std::cos(s) + w * std::sin(s)));
  } else if (angle <= 360) {
    const double s = r - kThreeHalfPi;
    px = static_cast<float>(cx - (w * std::sin(s) + h * std::cos(s)));
    py = static_cast<float>(cy + (w * std::cos(s) - h * std::sin(s)));
  }
  *x = px + hOffset;
  *y = py + vOffset;
}

float WatermarkColorComponent(float color, int density) {
  const float d = static_cast<float>(density) / 100;
  return 1 - (1 - color) * d;
}

void WatermarkTextOperand(const char* text, char* operand, size_t capacity) {
  if (capacity == 0) return;
  size_t at = 0;
  auto put = [&](char c) {
    if (at + 1 < capacity) operand[at++] = c;
  };
  const char* open = std::strchr(text, '(');
  if (open == nullptr) {
    for (const char* c = text; *c != '\0'; ++c) put(*c);
    operand[at] = '\0';
    return;
  }
  // A "(" without a ")" after it: the string runs to the text's end and is
  // closed there, so that it does not swallow the document that follows.
  const char* close = std::strrchr(text, ')');
  const bool closed = close != nullptr && close > open;
  // Marks the bytes of the string's body that would end it early or leave it
  // open: a ")" without its "(", a "(" without its ")", a lone last "\".
  bool escape[kWatermarkTextSize] = {};
  size_t unmatched[kWatermarkTextSize] = {};
  size_t depth = 0;
  const size_t first = static_cast<size_t>(open - text) + 1;
  const size_t last = closed ? static_cast<size_t>(close - text) : std::strlen(text);
  for (size_t i = first; i < last && i < kWatermarkTextSize; ++i) {
    if (text[i] == '\\') {
      if (i + 1 < last) {
        ++i;  // an escape pair stays as it is
      } else {
        escape[i] = true;
      }
    } else if (text[i] == '(') {
      unmatched[depth++] = i;
    } else if (text[i] == ')') {
      if (depth > 0) {
        --depth;
      } else {
        escape[i] = true;
      }
    }
  }
  while (depth > 0) escape[unmatched[--depth]] = true;
  for (size_t i = 0; text[i] != '\0'; ++i) {
    if (i < kWatermarkTextSize && escape[i]) put('\\');
    put(text[i]);
  }
  if (!closed) put(')');
  operand[at] = '\0';
}

void WatermarkOutputStampBody(FILE* stream) {
  char line[kStampLineSize] = {};
  char value[kWatermarkTextSize] = {};
  char operand[kOperandSize] = {};

  std::snprintf(line, sizeof line, "%.2f%c%.2f%c%.2f setrgbcolor", WatermarkColorComponent(W.colorR, W.density), ' ',
                WatermarkColorComponent(W.colorG, W.density), ' ', WatermarkColorComponent(W.colorB, W.density));
  KQfputline(line, stream);

  CopyOnOneLine(W.font, value, sizeof value);
  std::snprintf(line, sizeof line, "/%s%c%d selectfont", value, ' ', W.fontSize);
  KQfputline(line, stream);

  float x = 0.0f;
  float y = 0.0f;
  GetWatermarkPostion(&x, &y, 0, W.width, W.height, W.hOffset, W.vOffset);
  std::snprintf(line, sizeof line, "%.2f%c%.2f moveto", x, ' ', y);
  KQfputline(line, stream);

  std::snprintf(line, sizeof line, "%d rotate", W.angle);
  KQfputline(line, stream);

  CopyOnOneLine(W.text, value, sizeof value);
  WatermarkTextOperand(value, operand, sizeof operand);
  std::snprintf(line, sizeof line, "%s show", operand);
  KQfputline(line, stream);
}

void WatermarkOutputStamp(const char* firstLine, FILE* stream) {
  KQfputline(firstLine, stream);
  WatermarkOutputStampBody(stream);
  KQfputline("grestore", stream);
}

void WatermarkOutputEndPageProcedure(FILE* stream) {
  for (const char* line : kEndPageHead) KQfputline(line, stream);
  WatermarkOutputStampBody(stream);
  KQfputline("grestore}bind def", stream);
  KQfputline("<</EndPage{dup 0 eq{", stream);
  KQfputline(W.onlyFirst == 0 ? kEndPageEveryPage : kEndPageFirstPageOnly, stream);
  for (const char* line : kEndPageTail) KQfputline(line, stream);
}

void WatermarkOutputPSCommandFromFilter(int event, int /*page*/, FILE* stream) {
  if (!WatermarkIsOn()) return;
  switch (event) {
    case kEventBeginProlog:
      AnswerOnce(gWatermarkFlags.prologue, [stream] {
        for (const char* line : kPrologue) KQfputline(line, stream);
        // Installed once: a later "%%BeginProlog" belongs to an embedded
        // document, where setpagedevice would erase the page drawn so far.
        if (gWatermarkFlags.endPageProcedure == 1) WatermarkOutputEndPageProcedure(stream);
        gWatermarkFlags.endPageProcedure = 0;
      });
      break;
    case kEventEndPageSetup:
      AnswerOnce(gWatermarkFlags.pageSetup, [stream] { KQfputline("kqxbp", stream); });
      break;
    case kEventEndPage:
      AnswerOnce(gWatermarkFlags.pageEnd,
                 [stream] { WatermarkOutputStamp("pgsave restore /pgsave save store gsave", stream); });
      break;
    case kEventEndPageP:
      AnswerOnce(gWatermarkFlags.pageEndP,
                 [stream] { WatermarkOutputStamp("pm restore /pm save store gsave", stream); });
      break;
    default:
      break;
  }
}
