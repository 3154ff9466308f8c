// Placeholder until this module is written.
#include "stream.h"
void OutputPSStream(int, char**) {}
void OutputPSStreamtoFileandInsertPJLforFeaturePDE(int, char**) {}
void OutputPSCommandFromFilter(int, int, FILE*) {}
void OutputPageLogCommand(int, char**) {}
char* GetSubString(const char*, int, int) { return nullptr; }
