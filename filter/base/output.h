// The filter's four output functions. Every PJL line, every PostScript byte of
// the first pass and every inserted block goes through them: each writes to the
// diagnostic job copy first (when one is open), then to the given stream, and
// returns what the write to the given stream returns.
#pragma once
#include <cstddef>
#include <cstdio>

// The open diagnostic job copy, or nullptr.
extern FILE* gJobFilefp;

size_t KQfwrite(const void* buffer, size_t size, size_t count, FILE* stream);
int KQfputs(const char* text, FILE* stream);
int KQfputc(int c, FILE* stream);
// Writes `text` exactly as it stands (it is never used as a format).
int KQfprintf(FILE* stream, const char* text);
// Writes `line` and a line feed.
int KQfputline(const char* line, FILE* stream);
