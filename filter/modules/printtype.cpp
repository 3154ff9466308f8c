// Placeholder until this module is written.
#include "modules.h"
void PrintTypeInializeDescriptionTableFromFilter() {}
int PrintTypeGetTicketFromPDE(char**) { return 1; }
void PrintTypeOutputQPJLCommandFromFilter() {}
