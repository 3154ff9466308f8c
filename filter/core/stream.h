// PostScript stream pass: copies the document line by line and raises stream
// events at its structure comments.
#pragma once
#include <cstdio>

inline constexpr int kPSLineBufferSize = 8192;
inline constexpr int kPSLinePieceSize = 8065;

// Stream events.
enum StreamEvent {
  kEventBeginProlog = 13,
  kEventEndProlog = 14,
  kEventEndSetup = 16,
  kEventSetPageDevice = 21,
  kEventBeginPage = 23,
  kEventEndPageSetup = 24,
  kEventEndPage = 27,
  kEventEndPageP = 28,
};

void OutputPSStream(int argc, char* argv[]);
void OutputPSStreamtoFileandInsertPJLforFeaturePDE(int argc, char* argv[]);
// Watermark handler, then finishing-feature handler.
void OutputPSCommandFromFilter(int event, int page, FILE* stream);
void OutputPageLogCommand(int page, char* argv[]);
char* GetSubString(const char* text, int first, int last);
