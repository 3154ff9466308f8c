// Placeholder until this module is written.
#include "modules.h"
void JBAInializeDescriptionTableFromFilter() {}
int JBAGetTicketFromPDE(char**) { return 1; }
void JBAOutputQPJLCommandFromFilter(char**) {}
