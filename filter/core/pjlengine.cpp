// Placeholder until this module is written.
#include "pjlengine.h"
const char CTRLSym_DOUBLE = 0x22, CTRLSym_LF = 0x0A, CTRLSym_CR = 0x0D, CTRLSym_PERCENTAGE = 0x25, CTRLSym_ESC = 0x1B;
int IntCampareFunc(const void*, const void*) { return 0; }
int IntNoEqualCampareFunc(const void*, const void*) { return 0; }
int StrEqualCampareFunc(const void*, const void*) { return 0; }
int StrContainCampareFunc(const void*, const void*) { return 0; }
int StrNotContainCampareFunc(const void*, const void*) { return 0; }
int StrNoNULLCampareFunc(const void*, const void*) { return 0; }
int StrIsNULLCampareFunc(const void*, const void*) { return 0; }
int StrLengthLessThanCampareFunc(const void*, const void*) { return 0; }
void InitializeCmdParaTable(symPara* r, int32_t n, const void* const* a) { r->count = n; r->paras = a; }
void InitializeComparationTable(comparation* r, int32_t n, const comparationItem* a) { r->count = n; r->items = a; }
int ConditionCompare(const comparation*) { return 1; }
void BuildPrintComand(const char*, const symPara*, char* o, int) { o[0] = 0; }
void OutputQPJLCommandFromArray(char**, const prtFmtTable*, int) {}
int getCtrlSym(const char*, const void*, char*, int) { return 0; }
const char* GetNextCtrlSym(const char*) { return nullptr; }
