// Placeholder until this module is written.
#include "names.h"
void InvalidateStdUserName() {}
void InvalidateStdDocumentNameForProductType(char**) {}
