// Placeholder until this module is written.
#include "hostname.h"
void getHostName(char* d) { d[0] = 0; }
