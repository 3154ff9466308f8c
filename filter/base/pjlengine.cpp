#include "pjlengine.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "output.h"
#include "pjlsafe.h"
#include "textconv.h"

const char CTRLSym_DOUBLE = 0x22;
const char CTRLSym_LF = 0x0A;
const char CTRLSym_CR = 0x0D;
const char CTRLSym_PERCENTAGE = 0x25;
const char CTRLSym_ESC = 0x1B;

namespace {

enum class CtrlSymKind { kInteger = 0, kCharacter = 1, kText = 2 };

struct CtrlSym {
  char letter;
  CtrlSymKind kind;
};

constexpr CtrlSym ctrlSymTalbe[] = {
    {'d', CtrlSymKind::kInteger},
    {'c', CtrlSymKind::kCharacter},
    {'s', CtrlSymKind::kText},
};
constexpr int CtrlSymNum = sizeof ctrlSymTalbe / sizeof ctrlSymTalbe[0];

const CtrlSym* FindCtrlSym(const char* symbol) {
  if (symbol == nullptr || symbol[0] != '%') return nullptr;
  for (int i = 0; i < CtrlSymNum; ++i) {
    if (symbol[1] == ctrlSymTalbe[i].letter) return &ctrlSymTalbe[i];
  }
  return nullptr;
}

const char* AsText(const void* value) { return static_cast<const char*>(value); }

bool IsEmptyText(const void* value) { return value == nullptr || AsText(value)[0] == '\0'; }

bool TextContains(const void* value, const void* operand) {
  return !IsEmptyText(value) && operand != nullptr && std::strstr(AsText(value), AsText(operand)) != nullptr;
}

// The value pointer of the index-th symbol; a symbol beyond the list has none.
const void* ParameterAt(const symPara* para, int index) {
  if (para == nullptr || para->paras == nullptr || index >= para->count) return nullptr;
  return para->paras[index];
}

// Appends within a limit of bytes; the text stays terminated.
struct LineWriter {
  char* out;
  int limit;  // bytes, without the terminating zero
  int used = 0;
  bool cut = false;

  void Append(const char* bytes, int count) {
    for (int i = 0; i < count; ++i) {
      if (used >= limit) {
        cut = true;
        break;
      }
      out[used++] = bytes[i];
    }
    out[used] = '\0';
  }

  // After a cut, drops the bytes of a UTF-8 character that was split.
  void DropSplitCharacter() {
    if (!cut) return;
    used = static_cast<int>(WithoutSplitCharacter(out, static_cast<size_t>(used)));
    out[used] = '\0';
  }
};

// Tag of the literal text after the last symbol.
constexpr int kFinalLiteral = INT_MAX;

// Walks the pieces of a line in order: the literal text before the i-th symbol
// (tag i), the i-th symbol's formatted value (tag i), the literal text after
// the last symbol (kFinalLiteral). Stops at the first symbol whose value is
// empty, without its literal prefix. `visit` gets (bytes, count, tag, is a
// value of variable length).
template <typename Visitor>
void ForEachPiece(const char* format, const symPara* para, Visitor&& visit) {
  const char* position = format;
  for (int index = 0;; ++index) {
    const char* symbol = GetNextCtrlSym(position);
    if (symbol == nullptr) {
      visit(position, static_cast<int>(std::strlen(position)), kFinalLiteral, false);
      return;
    }
    char value[kPJLLineSize] = {};
    const int length = getCtrlSym(symbol, ParameterAt(para, index), value, sizeof value);
    if (length == 0) return;
    visit(position, static_cast<int>(symbol - position), index, false);
    visit(value, length, index, FindCtrlSym(symbol)->kind != CtrlSymKind::kCharacter);
    position = symbol + 2;
  }
}

}  // namespace

int IntCampareFunc(const void* value, const void* operand) {
  if (value == nullptr || operand == nullptr) return 0;
  return *static_cast<const int32_t*>(value) == *static_cast<const int32_t*>(operand) ? 1 : 0;
}

int IntNoEqualCampareFunc(const void* value, const void* operand) {
  if (value == nullptr || operand == nullptr) return 0;
  return *static_cast<const int32_t*>(value) != *static_cast<const int32_t*>(operand) ? 1 : 0;
}

int StrEqualCampareFunc(const void* value, const void* operand) {
  if (value == nullptr || operand == nullptr) return 0;
  const char* text = *static_cast<const char* const*>(operand);
  return text != nullptr && std::strcmp(AsText(value), text) == 0 ? 1 : 0;
}

int StrContainCampareFunc(const void* value, const void* operand) { return TextContains(value, operand) ? 1 : 0; }

int StrNotContainCampareFunc(const void* value, const void* operand) { return TextContains(value, operand) ? 0 : 1; }

int StrNoNULLCampareFunc(const void* value, const void*) { return IsEmptyText(value) ? 0 : 1; }

int StrIsNULLCampareFunc(const void* value, const void*) { return IsEmptyText(value) ? 1 : 0; }

int StrLengthLessThanCampareFunc(const void* value, const void* operand) {
  if (operand == nullptr) return 0;
  const size_t length = value != nullptr ? std::strlen(AsText(value)) : 0;
  const int32_t limit = *static_cast<const int32_t*>(operand);
  return limit > 0 && length < static_cast<size_t>(limit) ? 1 : 0;
}

void InitializeCmdParaTable(symPara* record, int32_t count, const void* const* array) {
  record->count = count;
  record->paras = array;
}

void InitializeComparationTable(comparation* record, int32_t count, const comparationItem* array) {
  record->count = count;
  record->items = array;
}

int ConditionCompare(const comparation* condition) {
  if (condition == nullptr || condition->items == nullptr) return 1;
  int result = 1;
  for (int32_t i = 0; i < condition->count; ++i) {
    const comparationItem& item = condition->items[i];
    result = item.compare != nullptr ? item.compare(item.value, item.operand) : 0;
    if (result == 0) break;
  }
  return result;
}

// A line that does not fit is cut inside its last value of variable length
// ("%s" or "%d"); what follows that value (closing quote, CR, LF, literal
// text) is kept whole, so that the line still ends as its format says.
void BuildPrintComand(const char* format, const symPara* para, char* output, int capacity) {
  if (output == nullptr || capacity <= 0) return;
  std::memset(output, 0, static_cast<size_t>(capacity));
  if (format == nullptr) return;
  char work[kPJLLineSize] = {};
  std::snprintf(work, sizeof work, "%s", format);

  int total = 0;
  int last_variable = -1;
  ForEachPiece(work, para, [&](const char*, int count, int tag, bool variable) {
    total += count;
    if (variable) last_variable = tag;
  });

  if (total <= capacity - 1 || last_variable < 0) {
    LineWriter line{output, capacity - 1};
    ForEachPiece(work, para, [&](const char* bytes, int count, int, bool) { line.Append(bytes, count); });
    return;
  }

  char tail[kPJLLineSize] = {};
  LineWriter tail_writer{tail, static_cast<int>(sizeof tail) - 1};
  ForEachPiece(work, para, [&](const char* bytes, int count, int tag, bool) {
    if (tag > last_variable) tail_writer.Append(bytes, count);
  });
  const int tail_length = tail_writer.used < capacity - 1 ? tail_writer.used : capacity - 1;

  LineWriter head{output, capacity - 1 - tail_length};
  ForEachPiece(work, para, [&](const char* bytes, int count, int tag, bool) {
    if (tag <= last_variable) head.Append(bytes, count);
  });
  head.DropSplitCharacter();
  std::memcpy(output + head.used, tail, static_cast<size_t>(tail_length));
  output[head.used + tail_length] = '\0';
}

void OutputQPJLCommandFromArray(char*[], const prtFmtTable* table, int rows) {
  if (table == nullptr) return;
  for (int i = 0; i < rows; ++i) {
    const prtFmtTable& row = table[i];
    if (row.cond != nullptr && ConditionCompare(row.cond) != 1) continue;
    char line[kPJLLineSize] = {};
    BuildPrintComand(row.format, row.para, line, sizeof line);
    KQfputs(line, stdout);
  }
}

int getCtrlSym(const char* symbol, const void* value, char* buffer, int capacity) {
  if (buffer == nullptr || capacity <= 0) return 0;
  buffer[0] = '\0';
  const CtrlSym* sym = FindCtrlSym(symbol);
  if (sym == nullptr || value == nullptr) return 0;
  switch (sym->kind) {
    case CtrlSymKind::kInteger: {
      const int written = std::snprintf(buffer, static_cast<size_t>(capacity), "%d",
                                        static_cast<int>(*static_cast<const int32_t*>(value)));
      return written < 0 ? 0 : (written < capacity ? written : capacity - 1);
    }
    case CtrlSymKind::kCharacter: {
      const char byte = *AsText(value);
      if (byte == '\0' || capacity < 2) return 0;
      buffer[0] = byte;
      buffer[1] = '\0';
      return 1;
    }
    case CtrlSymKind::kText:
      CopyPJLValue(AsText(value), buffer, static_cast<size_t>(capacity));
      return static_cast<int>(std::strlen(buffer));
  }
  return 0;
}

const char* GetNextCtrlSym(const char* text) {
  if (text == nullptr) return nullptr;
  for (const char* p = std::strchr(text, '%'); p != nullptr; p = std::strchr(p + 1, '%')) {
    if (FindCtrlSym(p) != nullptr) return p;
  }
  return nullptr;
}
