// Placeholder until this module is written.
#include "modules.h"
void FeaturesInializeDescriptionTableFromFilter() {}
int FeaturesGetTicketFromPDE(char**) { return 1; }
void FeaturesOutputQPJLCommandFromFilter(char**) {}
void FeaturesOutputPSCommandFromFilter(int, FILE*) {}
