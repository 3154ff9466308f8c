// Document and user name rules.
#pragma once

void InvalidateStdUserName();
void InvalidateStdDocumentNameForProductType(char* argv[]);
