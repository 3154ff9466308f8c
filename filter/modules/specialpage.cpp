// Placeholder until this module is written.
#include "modules.h"
void SpecialPageInializeDescriptionTable() {}
int SpecialPageGetTicketFromPDE(char**) { return 1; }
void InjectQPIFCommandSP(char**) {}
