// Placeholder until this module is written.
#include "modules.h"
int CommentGetTicketFromPDE(char**) { return 1; }
