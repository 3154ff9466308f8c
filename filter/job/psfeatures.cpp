#include "psfeatures.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <iterator>
#include <string_view>

#include "jobstate.h"
#include "output.h"
#include "pjlheader.h"
#include "pjlsafe.h"
#include "ppdattr.h"

namespace {

constexpr std::string_view kFeaturePrefix = "%%BeginFeature:";
constexpr size_t kFeatureCopySize = 100;  // the first 99 characters of the line
constexpr size_t kNameValueLineSize = 100;
constexpr size_t kMaxDigits = 100;

constexpr const char* kRasterLine = "@PJL SET JOBATTR=\"@DRDM=RASTER\"\n";
constexpr const char* kFrameModeTrue[] = {"@PJL SET RESOLUTION=600\n", "@PJL SET BITSPERPIXEL=1\n", kRasterLine};
constexpr const char* kFrameMode1200[] = {"@PJL SET RESOLUTION=1200\n", "@PJL SET BITSPERPIXEL=1\n", kRasterLine};
constexpr const char* kFrameModeFalse[] = {"@PJL SET RESOLUTION=600\n", "@PJL SET BITSPERPIXEL=8\n", kRasterLine};

constexpr const char* kScreenNames[] = {"TTRC", "GTRC", "ITRC", "TSCR", "GSCR", "ISCR"};

struct HalftoneRow {
  const char* choice;
  int value;
};
constexpr HalftoneRow kMonochromeHalftones[] = {{"Fineness", 64}, {"Gradation", 66}};

struct CaptureRow {
  const char* keyword_part;
  char (FeatureCapture::*field)[kCapturedFeatureSize];
};
// Tried in order; the first keyword part found takes the choice.
constexpr CaptureRow kCaptureRows[] = {
    {"KQColorMode", &FeatureCapture::color_mode},          {"KQRGBImageType", &FeatureCapture::image_type},
    {"KQRGBInputProfile", &FeatureCapture::input_profile}, {"KQRGBCorrection", &FeatureCapture::rgb_correction},
    {"KQEngineScreen", &FeatureCapture::engine_screen},
};

constexpr int kDefaultTriple[3] = {11, 11, 12};
constexpr int kImageTypeTriple[3] = {33, 33, 34};

// Colour mode "Color" with RGB correction "None": by image type.
struct ImageTypeRow {
  const char* image_type;
  int triple[3];
};
constexpr ImageTypeRow kImageTypeTriples[] = {
    {"Standard", {11, 11, 12}}, {"Photo", {13, 13, 14}}, {"Presentation", {15, 15, 16}},
    {"sRGB", {17, 17, 18}},     {"POP", {19, 19, 20}},   {"Off", {31, 31, 31}},
};

// Colour mode "Color" with a rendering-intent correction: by input profile.
struct IntentRow {
  const char* correction;
  int srgb[3];
  int adobe_rgb[3];
};
constexpr IntentRow kIntentTriples[] = {
    {"Perceptual", {41, 41, 42}, {49, 49, 50}},
    {"Saturation", {43, 43, 44}, {51, 51, 52}},
    {"RelativeC", {45, 45, 46}, {53, 53, 54}},
    {"AbsoluteC", {47, 47, 48}, {55, 55, 56}},
};

struct ScreenRow {
  const char* screen;
  int color_value;
  int other_value;
};
constexpr ScreenRow kScreens[] = {{"Screen1", 61, 64}, {"Screen2", 62, 65}, {"Screen3", 63, 66}};

bool Equals(const char* a, const char* b) { return std::strcmp(a, b) == 0; }

void WriteLines(const char* const* lines, size_t count) {
  for (size_t i = 0; i < count; ++i) KQfputs(lines[i], stdout);
}

void WriteScreenLines(int value) {
  for (const char* name : kScreenNames) {
    char line[kNameValueLineSize];
    std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"@%s=%d\"\n", name, value);
    KQfputs(line, stdout);
  }
}

void OutputFrameModeLines(const char* keyword, const char* choice, char* argv[]) {
  if (!Equals(keyword, "*OVFrameMode")) return;
  if (Equals(choice, "True")) {
    WriteLines(kFrameModeTrue, std::size(kFrameModeTrue));
  } else if (Equals(choice, "False")) {
    bool high = GetDLOutputMode(argv) == 1 && Equals(g_DLOutputMode, "1200x1200");
    WriteLines(high ? kFrameMode1200 : kFrameModeFalse, std::size(kFrameModeFalse));
  }
}

void OutputDeviceLines(const char* keyword, const char* choice, FeatureCapture* capture) {
  ppd_file_t* ppd = JobPPD();
  if (PPDAttrEquals(ppd, "ColorDevice", "False")) {
    if (!Equals(keyword, "*OVHalftone")) return;
    for (const HalftoneRow& row : kMonochromeHalftones) {
      if (Equals(choice, row.choice)) WriteScreenLines(row.value);
    }
  } else if (PPDAttrEquals(ppd, "ColorDevice", "True") && capture->defaults_pending) {
    OutputPJLCommandForPPDKeyArray(PPDKeyArray, ppd);
    capture->defaults_pending = false;
  }
}

void CaptureFeature(const char* keyword, const char* choice, FeatureCapture* capture) {
  for (const CaptureRow& row : kCaptureRows) {
    if (std::strstr(keyword, row.keyword_part) != nullptr) {
      std::snprintf(capture->*row.field, kCapturedFeatureSize, "%s", choice);
      return;
    }
  }
}

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

bool ContainsAll(std::string_view text, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) {
    if (!Contains(text, part)) return false;
  }
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void CopyTriple(const int* from, int* to) { std::memcpy(to, from, sizeof(int) * 3); }

bool ChooseTriple(const FeatureCapture& c, int* triple) {
  if (!Equals(c.color_mode, "Color")) {
    CopyTriple(c.image_type[0] != '\0' ? kImageTypeTriple : kDefaultTriple, triple);
    return true;
  }
  if (Equals(c.rgb_correction, "None")) {
    for (const ImageTypeRow& row : kImageTypeTriples) {
      if (Equals(c.image_type, row.image_type)) {
        CopyTriple(row.triple, triple);
        return true;
      }
    }
    return false;
  }
  for (const IntentRow& row : kIntentTriples) {
    if (!Equals(c.rgb_correction, row.correction)) continue;
    if (Equals(c.input_profile, "SRGB")) {
      CopyTriple(row.srgb, triple);
      return true;
    }
    if (Equals(c.input_profile, "AdobeRGB")) {
      CopyTriple(row.adobe_rgb, triple);
      return true;
    }
    return false;
  }
  if (c.image_type[0] != '\0') return false;
  CopyTriple(kDefaultTriple, triple);
  return true;
}

}  // namespace

bool LineCallsForPJL(const char* text, size_t length) {
  std::string_view line(text, length);
  return line.substr(0, kFeaturePrefix.size()) == kFeaturePrefix || HasColourProcessingNames(text, length);
}

void InspectLineForPJL(const char* text, size_t length, FeatureCapture* capture, char* argv[]) {
  std::string_view line(text, length);
  if (line.substr(0, kFeaturePrefix.size()) == kFeaturePrefix) {
    OutputPJLForFeatureLine(text, length, capture, argv);
  } else if (HasColourProcessingNames(text, length)) {
    OutputPJLForNameValueLine(text, length);
  }
}

void OutputPJLForFeatureLine(const char* text, size_t length, FeatureCapture* capture, char* argv[]) {
  char copy[kFeatureCopySize] = {};
  std::memcpy(copy, text, length < kFeatureCopySize - 1 ? length : kFeatureCopySize - 1);
  const char* words[3] = {};
  int count = 0;
  char* rest = nullptr;
  for (char* word = strtok_r(copy, " ", &rest); word != nullptr && count < 3; word = strtok_r(nullptr, " ", &rest)) {
    words[count++] = word;
  }
  if (count < 3) return;
  const char* keyword = words[1];
  const char* choice = words[2];
  OutputFrameModeLines(keyword, choice, argv);
  OutputDeviceLines(keyword, choice, capture);
  CaptureFeature(keyword, choice, capture);
  const char* pjl = GetThePJLCommandfromKeywordsandMarkedValue(keyword, choice);
  if (pjl != nullptr) KQfputs(pjl, stdout);
}

bool HasColourProcessingNames(const char* text, size_t length) {
  std::string_view line(text, length);
  return ContainsAll(line, {"TSCR", "GSCR", "ISCR", "TTRC", "GTRC", "ITRC"}) ||
         ContainsAll(line, {"TCPR", "GCPR", "ICPR"});
}

// Digits are read in order: two adjacent digits form one value, a lone digit a
// value of its own; the value's name is the four characters that end two before
// it ("TSCR=64"). A name that would start before the line gives no line, only
// the first 100 digits of the line count, and nothing outside it is read.
void OutputPJLForNameValueLine(const char* text, size_t length) {
  size_t digits[kMaxDigits];
  size_t count = 0;
  for (size_t i = 0; i < length && count < kMaxDigits; ++i) {
    if (IsDigit(text[i])) digits[count++] = i;
  }
  for (size_t k = 0; k < count;) {
    size_t first = digits[k];
    bool two = k + 1 < count && digits[k + 1] == first + 1;
    k += two ? 2 : 1;
    if (first < 5) continue;
    // The attribute, "@" and the name, is made safe as a whole: a name "PJL "
    // must not make the line read "@PJL" twice.
    char attribute[6] = {'@'};
    for (int j = 0; j < 4; ++j) {
      char c = text[first - 5 + j];
      attribute[j + 1] = c == '\0' ? ' ' : c;
    }
    char safe_attribute[6];
    CopyPJLValue(attribute, safe_attribute, sizeof safe_attribute);
    char value[3] = {text[first], two ? text[first + 1] : '\0', '\0'};
    char line[kNameValueLineSize];
    std::snprintf(line, sizeof line, "@PJL SET JOBATTR=\"%s=%s\"\n", safe_attribute, value);
    KQfputs(line, stdout);
  }
}

ColourProcessing ChooseColourProcessing(const FeatureCapture& capture) {
  ColourProcessing result;
  result.has_triple = ChooseTriple(capture, result.triple);
  bool colour = Equals(capture.color_mode, "Color");
  if (Equals(capture.engine_screen, "Auto")) {
    if (result.has_triple) {
      for (int i = 0; i < 6; ++i) result.six[i] = result.triple[i % 3];
      result.has_six = true;
    }
    return result;
  }
  for (const ScreenRow& row : kScreens) {
    if (!Equals(capture.engine_screen, row.screen)) continue;
    for (int& value : result.six) value = colour ? row.color_value : row.other_value;
    result.has_six = true;
  }
  return result;
}

void OutputColourProcessingLines(const FeatureCapture& capture) {
  ColourProcessing chosen = ChooseColourProcessing(capture);
  if (chosen.has_triple && PPDAttrEquals(JobPPD(), "ColorDevice", "True")) {
    outputQPJLCommandFromArray(CPRCommand, chosen.triple);
  }
  if (chosen.has_six) outputQPJLCommandFromArray(TRCSCRCommand, chosen.six);
}
