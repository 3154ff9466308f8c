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
