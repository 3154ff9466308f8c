// Placeholder until this module is written.
#include "textconv.h"
int ConvertUTF8ToEncoding(const char*, char* d, int c) { if (c > 0) d[0] = 0; return 0; }
