// Placeholder until this module is written.
#include "modules.h"
int PBindGetTicketFromPDE(char**) { return 1; }
void OutputQPJLCommandforPerfectBind() {}
