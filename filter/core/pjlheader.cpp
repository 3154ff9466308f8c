// Placeholder until this module is written.
#include "pjlheader.h"
void InializeDescriptionTable() {}
void InializeDescriptionTableFromFilter() {}
void OutputQPJLCommand(char**) {}
void OutputQPJLCommandFromFilter(char**) {}
void OutputQPJLCommandEnterPS(char**) {}
void OutputQPJLCommandTrailer(char**) {}
const char* GetThePJLCommandfromKeywordsandMarkedValue(const char*, const char*) { return nullptr; }
void OutputPJLCommandForPPDKeyArray(const char* const*, ppd_file_t*) {}
const char* const PPDKeyArray[] = {nullptr};
void outputQPJLCommandFromArray(const char* const*, const int*) {}
const char* const CPRCommand[] = {nullptr};
const char* const TRCSCRCommand[] = {nullptr};
int GetDLOutputMode(char**) { return 0; }
char g_DLOutputMode[256] = {};
