// The filter's four output functions. Every PJL line, every PostScript byte of
// the first pass and every inserted block goes through them: each writes to the
// diagnostic job copy first (when one is open), then to the given stream, and
// returns what the write to the given stream returns.
//
// A write that fails is remembered for standard output (StandardOutputError);
// the buffered pass checks its temporary file itself. A job copy that cannot
// be written stops, with a "DEBUG:" line; the job goes on.
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
// Flushes `stream` as fflush does, remembering a failure on standard output.
int KQfflush(FILE* stream);

// The error number of the first failed write to standard output, 0 when none.
int StandardOutputError();
// No job copy open (an open one is left to its owner), no error remembered.
void ResetOutputState();
// Records a failed write to standard output made without the output functions.
void NoteStandardOutputError(int error);

// Closes the job copy; a copy that cannot be written in full gets a "DEBUG:" line.
void CloseJobCopyFile();
