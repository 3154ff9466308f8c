// PPD choices that turn into PJL lines: the keyword (without its "*"), the
// choice and the line written for it.
#pragma once
#include <array>

struct PPDChoiceRow {
  const char* keyword;
  const char* choice;
  const char* line;
};

inline constexpr int kPPDChoiceRowCount = 125;

// Searched in order; the first row that matches keyword and choice wins.
extern const std::array<PPDChoiceRow, kPPDChoiceRowCount> FeaturePPDKeyNameandMarkedValuetoPJLCommand;
