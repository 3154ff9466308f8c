// Placeholder until this module is written.
#include "infoblock.h"
void OutputQPJLCommandLanguageEncoding() {}
void OutputQPJLCommandforBooklet() {}
void OutputQPJLCommandforBannerSheet() {}
void OutputQPJLCommandforSRRLAdjustRegi() {}
void OutputQPJLCommandOthers() {}
void OutputQPJLCommandforComment() {}
void OutputQPJLCommandforCommentBegin() {}
void OutputQPJLCommandforCommentBasic() {}
int IsColorDeivce() { return 0; }
int getDefaultColorMode() { return 0; }
