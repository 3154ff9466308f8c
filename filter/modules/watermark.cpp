// Placeholder until this module is written.
#include "modules.h"
int WatermarkGetTicketFromPDE(char**) { return 1; }
void WatermarkOutputPSCommandFromFilter(int, int, FILE*) {}
