#include "ticket.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "jobstate.h"
#include "textconv.h"
#include "ticket_keys.h"

namespace {

constexpr const char* kLayoutRowsKey = "com.apple.print.PrintSettings.PMLayoutRows..n.";
constexpr const char* kLayoutColumnsKey = "com.apple.print.PrintSettings.PMLayoutColumns..n.";

// CUPS's own job options that the filter reads: their absence means what it
// says, whatever a PPD may call its options.
constexpr const char* kCupsOptions[] = {"collate", "copies", "media", "number-up", "orientation-requested", "sides"};

bool IsCupsOption(const char* key) {
  for (const char* name : kCupsOptions) {
    if (std::strcmp(name, key) == 0) return true;
  }
  return false;
}

bool IsPrivateKey(const char* key) { return std::strncmp(key, kTicketKeyPrefix, sizeof kTicketKeyPrefix - 1) == 0; }

// The default choice of the job's PPD option named exactly `key`, when it is one
// of the option's choices (ppdMarkDefaults marks nothing otherwise).
const char* PPDDefaultChoice(const char* key) {
  ppd_file_t* ppd = JobPPD();
  ppd_option_t* option = ppd != nullptr ? ppdFindOption(ppd, key) : nullptr;
  if (option == nullptr || std::strcmp(option->keyword, key) != 0) return nullptr;
  ppd_choice_t* choice = ppdFindChoice(option, option->defchoice);
  return choice != nullptr ? choice->choice : nullptr;
}

// The job's option string, or nullptr when argv does not carry one.
const char* OptionString(char* argv[]) { return argv != nullptr ? argv[5] : nullptr; }

// atoi without its undefined behaviour: out-of-range values are clamped.
int ReadInteger(const char* text) {
  const long value = std::strtol(text, nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

// atof in single precision; values beyond the float range become infinities.
float ReadFloat(const char* text) {
  const double value = std::atof(text);
  if (std::isnan(value)) return static_cast<float>(value);
  constexpr double kLargest = std::numeric_limits<float>::max();
  if (value > kLargest) return HUGE_VALF;
  if (value < -kLargest) return -HUGE_VALF;
  return static_cast<float>(value);
}

// Copies at most kTicketWorkSize - 1 bytes of `value` into `work`.
void CopyToWork(const char* value, char (&work)[kTicketWorkSize]) { std::snprintf(work, sizeof work, "%s", value); }

// One cell of a layout: rows or columns missing count as one cell.
long long LayoutProduct(int num_options, cups_option_t* options) {
  const char* rows = JobOptionValue(kLayoutRowsKey, num_options, options);
  const char* columns = JobOptionValue(kLayoutColumnsKey, num_options, options);
  if (rows == nullptr || columns == nullptr) return 1;
  return static_cast<long long>(ReadInteger(rows)) * ReadInteger(columns);
}

// The layout's number-up text when "number-up" is absent: `mark` and the
// product, or "1" for a single cell.
void LayoutNumberUpText(int num_options, cups_option_t* options, const char* mark, char (&work)[kTicketWorkSize]) {
  const long long product = LayoutProduct(num_options, options);
  if (product == 1) {
    std::snprintf(work, sizeof work, "1");
  } else {
    std::snprintf(work, sizeof work, "%s%lld", mark, product);
  }
}

int ReadByteValue(const char*& text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  text = end;
  return value < 0 || value > 255 ? 0 : static_cast<int>(value);
}

}  // namespace

const char* JobOptionValue(const char* key, int num_options, cups_option_t* options) {
  if (key == nullptr) return nullptr;
  const char* value = cupsGetOption(key, num_options, options);
  if (value != nullptr || IsPrivateKey(key) || IsCupsOption(key)) return value;
  return PPDDefaultChoice(key);
}

bool JobOptionIsSet(const char* option_string, const char* key) {
  cups_option_t* options = nullptr;
  const int num_options = cupsParseOptions(option_string, 0, &options);
  const bool set = JobOptionValue(key, num_options, options) != nullptr;
  cupsFreeOptions(num_options, options);
  return set;
}

int GetTicketFromArray(char* argv[], const TicketData* rows, int count) {
  cups_option_t* options = nullptr;
  const int num_options = cupsParseOptions(OptionString(argv), 0, &options);
  for (int i = 0; rows != nullptr && i < count; ++i) {
    const TicketData& row = rows[i];
    if (row.key == nullptr || row.reader == nullptr || row.destination == nullptr) continue;
    row.reader(row.key, num_options, options, row.destination, row.size);
  }
  cupsFreeOptions(num_options, options);
  return 1;
}

int CheckTicketKey(const char* key, int num_options, cups_option_t* options, void* destination, int) {
  *static_cast<int*>(destination) = JobOptionValue(key, num_options, options) == nullptr ? 1 : 0;
  return 1;
}

int GetTicketInteger(const char* key, int num_options, cups_option_t* options, void* destination, int) {
  const char* value = JobOptionValue(key, num_options, options);
  *static_cast<int*>(destination) = value != nullptr ? ReadInteger(value) : -1;
  return value != nullptr ? 1 : 0;
}

int GetTicketFloat(const char* key, int num_options, cups_option_t* options, void* destination, int) {
  const char* value = JobOptionValue(key, num_options, options);
  *static_cast<float*>(destination) = value != nullptr ? ReadFloat(value) : -1.0f;
  return value != nullptr ? 1 : 0;
}

int GetTicketString(const char* key, int num_options, cups_option_t* options, void* destination, int size) {
  char* text = static_cast<char*>(destination);
  if (size > 0) std::memset(text, 0, static_cast<size_t>(size));
  const char* value = JobOptionValue(key, num_options, options);
  if (value == nullptr) return 0;
  ConvertUTF8ToEncoding(value, text, size);
  return 1;
}

int GetTicketStringConvertedToPrtLang(const char* key, int num_options, cups_option_t* options, void* destination,
                                      int size) {
  char* text = static_cast<char*>(destination);
  if (size > 0) std::memset(text, 0, static_cast<size_t>(size));
  const char* value = JobOptionValue(key, num_options, options);
  if (value == nullptr) return 0;
  char work[kTicketWorkSize] = {};
  CopyToWork(value, work);
  numstrtochar(work);
  ConvertUTF8ToEncoding(work, text, size);
  return 1;
}

int GetNumberUpTicketString(const char* key, int num_options, cups_option_t* options, void* destination, int size) {
  char work[kTicketWorkSize] = {};
  const char* value = JobOptionValue(key, num_options, options);
  if (value != nullptr) {
    std::snprintf(work, sizeof work, "N%s", value);
  } else {
    LayoutNumberUpText(num_options, options, "N", work);
  }
  ConvertUTF8ToEncoding(work, static_cast<char*>(destination), size);
  return 1;
}

int GetNumberUpTicketStringForComment(const char* key, int num_options, cups_option_t* options, void* destination,
                                      int size) {
  char work[kTicketWorkSize] = {};
  const char* value = JobOptionValue(key, num_options, options);
  if (value != nullptr) {
    CopyToWork(value, work);
    numstrtochar(work);
  } else {
    LayoutNumberUpText(num_options, options, "", work);
  }
  ConvertUTF8ToEncoding(work, static_cast<char*>(destination), size);
  return 1;
}

// "/65/66" becomes "AB". Numbers are read as atoi reads them, empty pieces are
// skipped; a value outside 0 to 255 ends the text. The result is never longer
// than the input (each byte costs at least two characters), so it is written
// over the input.
void numstrtochar(char* text) {
  if (text == nullptr || text[0] != '/') return;
  const char* read = text;
  char* write = text;
  while (*read != '\0') {
    if (*read == '/') {
      ++read;
      continue;
    }
    const char* piece_end = std::strchr(read, '/');
    const int byte = ReadByteValue(read);
    if (byte == 0) break;
    *write++ = static_cast<char>(byte);
    read = piece_end != nullptr ? piece_end : read + std::strlen(read);
  }
  *write = '\0';
}
