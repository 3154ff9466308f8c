// Models that always receive the job-information comment block.
#pragma once

// Length of a model text: the PCFileName stem of the model's PPD.
inline constexpr int kModelNameLength = 7;
inline constexpr int kModelsWithCommentCount = 64;

// The PCFileName stems (seven characters) of the models whose PPD may lack
// "KQPrinterLanguageEncoding" but whose printers still expect the comment
// block. The shipped models come first; the rest are reserved for future
// models of each family. Ended by nullptr.
extern const char* const modelsWithComment[kModelsWithCommentCount + 1];

// True when `pcFileName` contains one of the model texts.
bool IsModelWithComment(const char* pcFileName);
