// Reading of the job's print settings (the CUPS option string, argv[5]).
#pragma once
#include <cups/cups.h>

// A reader is given (key, option count, options, destination, size) and looks
// the key up with JobOptionValue.
using TicketReader = int (*)(const char* key, int num_options, cups_option_t* options, void* destination, int size);

// One row of a module's ticket table.
struct TicketData {
  const char* key;    // option name, used as it stands
  void* destination;  // int, float or text buffer
  int size;           // capacity of a text destination including its zero (4 for numbers)
  TicketReader reader;
};

// Work buffer of the byte-code form: at most 1023 characters of a value are read.
inline constexpr int kTicketWorkSize = 1024;

// The value of `key` for this job: the job's own option; else, when `key` names
// an option of the job's PPD (JobPPD()), that option's default choice, as CUPS
// filters see it after ppdMarkDefaults; else nullptr. The private keys
// ("nvxjobs.printsettings.") and CUPS's own options ("sides", "number-up",
// "media", "collate", ...) never take a PPD default.
const char* JobOptionValue(const char* key, int num_options, cups_option_t* options);
// Whether `key` has a value for the job whose option string is `option_string`
// (argv[5], may be nullptr), by the same rule.
bool JobOptionIsSet(const char* option_string, const char* key);

// Parses argv[5] once and runs each row's reader in row order; returns 1.
int GetTicketFromArray(char* argv[], const TicketData* rows, int count);

int CheckTicketKey(const char* key, int num_options, cups_option_t* options, void* destination, int size);
int GetTicketInteger(const char* key, int num_options, cups_option_t* options, void* destination, int size);
int GetTicketFloat(const char* key, int num_options, cups_option_t* options, void* destination, int size);
int GetTicketString(const char* key, int num_options, cups_option_t* options, void* destination, int size);
int GetTicketStringConvertedToPrtLang(const char* key, int num_options, cups_option_t* options, void* destination,
                                      int size);
int GetNumberUpTicketString(const char* key, int num_options, cups_option_t* options, void* destination, int size);
int GetNumberUpTicketStringForComment(const char* key, int num_options, cups_option_t* options, void* destination,
                                      int size);

// Decodes the byte-code form ("/72/105" is "Hi") in place; other text is left as it is.
void numstrtochar(char* text);
