// PostScript stream pass: copies the document line by line and raises stream
// events at its structure comments.
#pragma once
#include <cstdio>

inline constexpr int kPSLineBufferSize = 8192;
inline constexpr int kPSLinePieceSize = 8065;

void OutputPSStream(int argc, char* argv[]);
void OutputPSStreamtoFileandInsertPJLforFeaturePDE(int argc, char* argv[]);
void OutputPageLogCommand(int page, char* argv[]);
char* GetSubString(const char* text, int first, int last);
