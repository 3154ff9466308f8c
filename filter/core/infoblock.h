// Header settings lines and the job-information comment block.
#pragma once

void OutputQPJLCommandLanguageEncoding();
void OutputQPJLCommandforBooklet();
void OutputQPJLCommandforBannerSheet();
void OutputQPJLCommandforSRRLAdjustRegi();
void OutputQPJLCommandOthers();
// Writes the "KQJOBINFO" block when its condition holds.
void OutputQPJLCommandforComment();
void OutputQPJLCommandforCommentBegin();
void OutputQPJLCommandforCommentBasic();
int IsColorDeivce();
int getDefaultColorMode();

// 1 when the job's PPD asks for the "KQJOBINFO" block, else 0.
int IsCommentBlockWanted();
// The "@DIND" orientation line for a number-up text and an orientation.
const char* BookletOrientationLine(const char* numberUp, int orientation);
// The "@BANR" line for a banner-sheet choice and print type, or nullptr.
const char* BannerSheetLine(const char* banner, int printType);
// The registration value text (at most three characters) of an
// "OVSRRLAdjustRegi..." choice, into `text` (4 bytes).
void RegistrationNumberText(const char* value, char* text);
