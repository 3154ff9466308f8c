// Placeholder until this module is written.
#include "ticket.h"
int GetTicketFromPDE(char**) { return 1; }
int GetTicketFromArray(char**, const TicketData*, int) { return 1; }
int CheckTicketKey(const char*, int, cups_option_t*, void*, int) { return 1; }
int GetTicketInteger(const char*, int, cups_option_t*, void*, int) { return 0; }
int GetTicketFloat(const char*, int, cups_option_t*, void*, int) { return 0; }
int GetTicketString(const char*, int, cups_option_t*, void*, int) { return 0; }
int GetTicketStringConvertedToPrtLang(const char*, int, cups_option_t*, void*, int) { return 0; }
int GetNumberUpTicketString(const char*, int, cups_option_t*, void*, int) { return 1; }
int GetNumberUpTicketStringForComment(const char*, int, cups_option_t*, void*, int) { return 1; }
void numstrtochar(char*) {}
