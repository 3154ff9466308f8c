// The string code-set line and the job-information comment block ("KQJOBINFO").
#pragma once

void OutputQPJLCommandLanguageEncoding();
// Writes the "KQJOBINFO" block when its condition holds.
void OutputQPJLCommandforComment();
void OutputQPJLCommandforCommentBegin();
void OutputQPJLCommandforCommentBasic();

// 1 when the job's PPD asks for the "KQJOBINFO" block, else 0.
int IsCommentBlockWanted();
