// Document and user name rules.
#pragma once
#include <cstdint>

#include "ticket_keys.h"

void InvalidateStdUserName();
void InvalidateStdDocumentNameForProductType(char* argv[]);

// Allowed characters: inclusive ranges of one-byte values, then of two-byte
// values (first byte * 256 + second byte).
inline constexpr int kMaxValidateRanges = 10;
struct ValidateRangeList {
  int32_t count;
  int32_t ranges[kMaxValidateRanges][2];  // lowest, highest
};
struct ValidateDataScale {
  ValidateRangeList oneByte;
  ValidateRangeList twoByte;
};

extern const ValidateDataScale docuNameValidateDataScale;
extern const ValidateDataScale docuNameValidateDataScaleForProduct02;
extern const ValidateDataScale docuNameValidateDataScaleForProduct03;
extern const ValidateDataScale userNameValidateDataScale;

inline constexpr const char* defaultUserName = "UnknownUser";

// 1 when every character of `text` is allowed by `table` (an empty text is), else 0.
int ValidateDada(const char* text, const ValidateDataScale* table);
// 1 when `text` holds only spaces and full-width spaces (0x81 0x40), or nothing; else 0.
int IsAllSpace(const char* text);

// Length and allowed characters of the document name for a product type
// (-1 when the option is absent: length 0, the name stays empty).
struct DocumentNameRule {
  int length;
  const ValidateDataScale* table;
};
DocumentNameRule DocumentNameRuleForProductType(int productType);

// Cuts `name` in place for the product's `length`: UTF-16 units are counted,
// those whose high byte has bit 0 or 4 set as two; at a sum of exactly length
// the name is cut at byte length, at length + 1 at byte length - 1.
void CutDocumentNameToWidth(char* name, int length);
