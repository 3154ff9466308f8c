#include "watermark.h"

#include <cmath>
#include <cstring>

#include "modules.h"
#include "output.h"
#include "pjlsafe.h"
#include "ticket_keys.h"

WatermarkOptions psOptionWatermark = {};
WatermarkFlags gWatermarkFlags = {1, 1, 1, 1};

namespace {

constexpr int kNum = 4;
WatermarkOptions& W = psOptionWatermark;

// A stamp line holds at most a 255-byte text or font name plus a few numbers,
// so it always fits whole: "%.2f" of any float is at most 47 bytes.
constexpr int kStampLineSize = 400;

constexpr const char* kPrologue[] = {
    "userdict/kqxInfo 2 dict dup begin",
    "/kqxpgsave 0 def",
    "/kqxbp{/kqxpgsave save restore} bind def",
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

void WatermarkResetFlags() { gWatermarkFlags = {1, 1, 1, 1}; }

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

void WatermarkOutputStamp(const char* firstLine, FILE* stream) {
  char line[kStampLineSize] = {};
  char value[kWatermarkTextSize] = {};
  KQfputline(firstLine, stream);

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
  std::snprintf(line, sizeof line, "%s show", value);
  KQfputline(line, stream);

  KQfputline("grestore", stream);
}

void WatermarkOutputPSCommandFromFilter(int event, int /*page*/, FILE* stream) {
  if (!WatermarkIsOn()) return;
  switch (event) {
    case kEventBeginProlog:
      AnswerOnce(gWatermarkFlags.prologue, [stream] {
        for (const char* line : kPrologue) KQfputline(line, stream);
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
