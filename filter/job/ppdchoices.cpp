#include "ppdchoices.h"

namespace {

constexpr PPDChoiceRow kNamedChoiceRows[] = {
    {"OVInvalidateColorProfile", "False", "@PJL SET JOBATTR=\"@CPRO=OFF\"\n"},
    {"OVInvalidateColorProfile", "True", "@PJL SET JOBATTR=\"@CPRO=ON\"\n"},
    {"OVSetTrapMode", "False", "@PJL SET JOBATTR=\"@TRAP=OFF\"\n"},
    {"OVSetTrapMode", "True", "@PJL SET JOBATTR=\"@TRAP=ON\"\n"},
    {"OVLetterHeadDuplexMode", "DupAuto", "@PJL SET JOBATTR=\"@DDPM=AUTO\"\n"},
    {"OVLetterHeadDuplexMode", "DupOff", "@PJL SET JOBATTR=\"@DDPM=OFF\"\n"},
    {"OVLetterHeadDuplexMode", "DupOn", "@PJL SET JOBATTR=\"@DDPM=ON\"\n"},
    {"OVGrayBalance", "True", "@PJL SET JOBATTR=\"@GRGU=TEXTGRAPHICS\"\n"},
    {"OVGrayBalance", "False", "@PJL SET JOBATTR=\"@GRGU=OFF\"\n"},
    {"OVOutputMode", "HighSpeed", "@PJL SET BITSPERPIXEL=1\n"},
    {"OVOutputMode", "Standard", "@PJL SET BITSPERPIXEL=8\n"},
    {"OVBrightnes", "Bright5", "@PJL SET JOBATTR=\"@PSBR=5\"\n"},
    {"OVBrightnes", "Bright4", "@PJL SET JOBATTR=\"@PSBR=4\"\n"},
    {"OVBrightnes", "Bright3", "@PJL SET JOBATTR=\"@PSBR=3\"\n"},
    {"OVBrightnes", "Bright2", "@PJL SET JOBATTR=\"@PSBR=2\"\n"},
    {"OVBrightnes", "Bright1", "@PJL SET JOBATTR=\"@PSBR=1\"\n"},
    {"OVBrightnes", "Normal", "@PJL SET JOBATTR=\"@PSBR=0\"\n"},
    {"OVBrightnes", "Dark5", "@PJL SET JOBATTR=\"@PSBR=-5\"\n"},
    {"OVBrightnes", "Dark4", "@PJL SET JOBATTR=\"@PSBR=-4\"\n"},
    {"OVBrightnes", "Dark3", "@PJL SET JOBATTR=\"@PSBR=-3\"\n"},
    {"OVBrightnes", "Dark2", "@PJL SET JOBATTR=\"@PSBR=-2\"\n"},
    {"OVBrightnes", "Dark1", "@PJL SET JOBATTR=\"@PSBR=-1\"\n"},
    {"OVRGBInputProfile", "SRGB", "@PJL SET JOBATTR=\"@RGBP=SRGB\"\n"},
    {"OVRGBInputProfile", "AdobeRGB", "@PJL SET JOBATTR=\"@RGBP=ADOBERGB\"\n"},
    {"OVRGBBCorrection", "Off", "@PJL SET JOBATTR=\"@RGBG=0\"\n"},
    {"OVRGBBCorrection", "Lightest", "@PJL SET JOBATTR=\"@RGBG=10\"\n"},
    {"OVRGBBCorrection", "Light", "@PJL SET JOBATTR=\"@RGBG=14\"\n"},
    {"OVRGBBCorrection", "Standard", "@PJL SET JOBATTR=\"@RGBG=18\"\n"},
    {"OVRGBBCorrection", "Dark", "@PJL SET JOBATTR=\"@RGBG=22\"\n"},
    {"OVRGBBCorrection", "Darkest", "@PJL SET JOBATTR=\"@RGBG=26\"\n"},
    {"Smoothing", "True", "@PJL SET RET=ON\n"},
    {"Smoothing", "False", "@PJL SET RET=OFF\n"},
    {"OVTonerSaver", "False", "@PJL SET ECONOMODE=OFF\n"},
    {"OVTonerSaver", "True", "@PJL SET ECONOMODE=ON\n"},
    {"OVTonerSaver", "Mode1", "@PJL SET ECONOMODE=MODE1\n"},
    {"OVTonerSaver", "Mode2", "@PJL SET ECONOMODE=MODE2\n"},
    {"OVTonerSaver", "Mode3", "@PJL SET ECONOMODE=MODE3\n"},
    {"OVSaveBlankSheet", "False", "@PJL SET JOBATTR=\"@SBKP=OFF\"\n"},
    {"OVSaveBlankSheet", "True", "@PJL SET JOBATTR=\"@SBKP=ON\"\n"},
    {"OVMonochromePriority", "False", "@PJL SET JOBATTR=\"@BSPM=OFF\"\n"},
    {"OVMonochromePriority", "True", "@PJL SET JOBATTR=\"@BSPM=ON\"\n"},
};
constexpr int kNamedChoiceRowCount = sizeof kNamedChoiceRows / sizeof kNamedChoiceRows[0];

// Colour density: keyword "OVColorDensity" + colour + level; the choices -3 to
// +3 give the values 0 to 6 of the attribute "AJ" + colour letter + level letter.
struct DensityName {
  const char* name;
  char letter;
};
constexpr DensityName kDensityColours[] = {{"Cyan", 'C'}, {"Magenta", 'M'}, {"Yellow", 'Y'}, {"Black", 'K'}};
constexpr DensityName kDensityLevels[] = {{"Low", 'L'}, {"Mid", 'M'}, {"High", 'H'}};
constexpr const char* kDensityChoices[] = {"-3", "-2", "-1", "0", "+1", "+2", "+3"};
constexpr int kDensityRowCount = 4 * 3 * 7;

struct DensityRowText {
  char keyword[32];
  char choice[4];
  char line[40];
};

constexpr void AppendText(char* out, int& used, const char* text) {
  while (*text != '\0') out[used++] = *text++;
}

constexpr std::array<DensityRowText, kDensityRowCount> MakeDensityRows() {
  std::array<DensityRowText, kDensityRowCount> rows{};
  int index = 0;
  for (const DensityName& colour : kDensityColours) {
    for (const DensityName& level : kDensityLevels) {
      for (int value = 0; value < 7; ++value) {
        DensityRowText& row = rows[index++];
        int used = 0;
        AppendText(row.keyword, used, "OVColorDensity");
        AppendText(row.keyword, used, colour.name);
        AppendText(row.keyword, used, level.name);
        used = 0;
        AppendText(row.choice, used, kDensityChoices[value]);
        const char attribute[] = {'@', 'A', 'J', colour.letter, level.letter, '=', static_cast<char>('0' + value), 0};
        used = 0;
        AppendText(row.line, used, "@PJL SET JOBATTR=\"");
        AppendText(row.line, used, attribute);
        AppendText(row.line, used, "\"\n");
      }
    }
  }
  return rows;
}

constexpr std::array<DensityRowText, kDensityRowCount> kDensityRows = MakeDensityRows();

constexpr std::array<PPDChoiceRow, kPPDChoiceRowCount> MakeChoiceTable() {
  std::array<PPDChoiceRow, kPPDChoiceRowCount> table{};
  int index = 0;
  for (const PPDChoiceRow& row : kNamedChoiceRows) table[index++] = row;
  for (const DensityRowText& row : kDensityRows) table[index++] = {row.keyword, row.choice, row.line};
  return table;
}

static_assert(kNamedChoiceRowCount + kDensityRowCount == kPPDChoiceRowCount);

}  // namespace

constexpr std::array<PPDChoiceRow, kPPDChoiceRowCount> FeaturePPDKeyNameandMarkedValuetoPJLCommand = MakeChoiceTable();
