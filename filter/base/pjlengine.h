// The PJL command-table engine: rows of a format with control symbols ("%d",
// "%c", "%s"), a parameter list and an optional condition.
#pragma once
#include <cstddef>
#include <cstdint>

// Capacity of a built line (229 bytes and a zero).
inline constexpr int kPJLLineSize = 230;

// One-byte constants used as "%c" parameters.
extern const char CTRLSym_DOUBLE;      // 0x22
extern const char CTRLSym_LF;          // 0x0A
extern const char CTRLSym_CR;          // 0x0D
extern const char CTRLSym_PERCENTAGE;  // 0x25
extern const char CTRLSym_ESC;         // 0x1B

// Parameter list: the i-th pointer fills the i-th control symbol of the format
// ("%d": const int32_t*, "%c": const char*, "%s": const char* to a text).
// A symbol beyond `count` has no value: like an empty value, it ends the line.
struct symPara {
  int32_t count;
  const void* const* paras;
};

using CompareFunc = int (*)(const void* value, const void* operand);

struct comparationItem {
  const void* value;
  const void* operand;
  CompareFunc compare;
};

struct comparation {
  int32_t count;
  const comparationItem* items;
};

struct prtFmtTable {
  const char* format;
  const symPara* para;      // nullptr for a format without symbols
  const comparation* cond;  // nullptr for "always"
};

// Compare functions (value, operand) -> 1 true, 0 false.
int IntCampareFunc(const void* value, const void* operand);
int IntNoEqualCampareFunc(const void* value, const void* operand);
int StrEqualCampareFunc(const void* value, const void* operand);  // operand: const char* const*
int StrContainCampareFunc(const void* value, const void* operand);
int StrNotContainCampareFunc(const void* value, const void* operand);
int StrNoNULLCampareFunc(const void* value, const void* operand);
int StrIsNULLCampareFunc(const void* value, const void* operand);
int StrLengthLessThanCampareFunc(const void* value, const void* operand);  // operand: const int32_t*

void InitializeCmdParaTable(symPara* record, int32_t count, const void* const* array);
void InitializeComparationTable(comparation* record, int32_t count, const comparationItem* array);

// Bind a parameter list or a condition to a static array, counting its items.
template <size_t N>
void BindPara(symPara* record, const void* const (&array)[N]) {
  InitializeCmdParaTable(record, static_cast<int32_t>(N), array);
}
template <size_t N>
void BindCond(comparation* record, const comparationItem (&array)[N]) {
  InitializeComparationTable(record, static_cast<int32_t>(N), array);
}

int ConditionCompare(const comparation* condition);
// Builds one line into `output` (capacity bytes). A line longer than the
// capacity keeps the format's line end: the value is cut, not the line end.
void BuildPrintComand(const char* format, const symPara* para, char* output, int capacity);
// Writes the rows whose condition holds, each built into a 230-byte buffer.
void OutputQPJLCommandFromArray(char* argv[], const prtFmtTable* table, int rows);

// Formats one parameter by its symbol; returns the formatted length.
int getCtrlSym(const char* symbol, const void* value, char* buffer, int capacity);
// The next control symbol in `text`, or nullptr.
const char* GetNextCtrlSym(const char* text);
