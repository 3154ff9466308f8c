#include "models.h"

#include <cstring>

// Shipped models: OVQC300 (colour, direct pass), OVQC500 (colour, buffered
// pass), OVQU700 (UTF-8, booklet and finishing), OVQM200 (monochrome).
// Reserved: each family keeps the next fifteen model numbers in steps of ten
// after its shipped model (OVQC310..OVQC450, OVQC510..OVQC650,
// OVQU710..OVQU850, OVQM210..OVQM350).
const char* const modelsWithComment[kModelsWithCommentCount + 1] = {
    "OVQC300", "OVQC500", "OVQU700", "OVQM200",
    // Colour, direct pass.
    "OVQC310", "OVQC320", "OVQC330", "OVQC340", "OVQC350", "OVQC360", "OVQC370", "OVQC380", "OVQC390", "OVQC400",
    "OVQC410", "OVQC420", "OVQC430", "OVQC440", "OVQC450",
    // Colour, buffered pass.
    "OVQC510", "OVQC520", "OVQC530", "OVQC540", "OVQC550", "OVQC560", "OVQC570", "OVQC580", "OVQC590", "OVQC600",
    "OVQC610", "OVQC620", "OVQC630", "OVQC640", "OVQC650",
    // UTF-8 models with booklet and finishing.
    "OVQU710", "OVQU720", "OVQU730", "OVQU740", "OVQU750", "OVQU760", "OVQU770", "OVQU780", "OVQU790", "OVQU800",
    "OVQU810", "OVQU820", "OVQU830", "OVQU840", "OVQU850",
    // Monochrome.
    "OVQM210", "OVQM220", "OVQM230", "OVQM240", "OVQM250", "OVQM260", "OVQM270", "OVQM280", "OVQM290", "OVQM300",
    "OVQM310", "OVQM320", "OVQM330", "OVQM340", "OVQM350", nullptr};

bool IsModelWithComment(const char* pcFileName) {
  if (pcFileName == nullptr) return false;
  for (const char* const* model = modelsWithComment; *model != nullptr; ++model) {
    if (std::strstr(pcFileName, *model) != nullptr) return true;
  }
  return false;
}
