// The job header: core tables, module dispatch, PPD choices turned into PJL lines.
#pragma once
#include "cups_ppd.h"

// Binds the core tables, then the modules'.
void InializeDescriptionTable();

// The whole job header, in its order.
void OutputQPJLCommand(char* argv[]);
// "@PJL ENTER LANGUAGE=POSTSCRIPT".
void OutputQPJLCommandEnterPS(char* argv[]);
// Exit language and "@PJL EOJ".
void OutputQPJLCommandTrailer(char* argv[]);

// PPD keyword (with its leading "*") and choice -> PJL line, or nullptr.
const char* GetThePJLCommandfromKeywordsandMarkedValue(const char* keyword, const char* choice);
// Default lines for the keywords of `keywords` (ended by nullptr) that `ppd` lacks.
void OutputPJLCommandForPPDKeyArray(const char* const* keywords, ppd_file_t* ppd);
extern const char* const PPDKeyArray[];
// "@PJL SET JOBATTR=\"@name=value\"" for each name (list ended by nullptr).
void outputQPJLCommandFromArray(const char* const* names, const int* values);
extern const char* const CPRCommand[];
extern const char* const TRCSCRCommand[];

// 1 when "OVOutputMode" has a value for the job (its own option, else the PPD's
// default); the value goes into g_DLOutputMode.
int GetDLOutputMode(char* argv[]);
extern char g_DLOutputMode[256];
