// Values from argv and job options never break a PJL line: before a value is put
// into a PJL line, each control character (below 0x20, and 0x7F) becomes a space,
// each double quote an apostrophe, and the "@" of each "@PJL" a space (a line
// holds "@PJL" at its start only).
#pragma once
#include <cstddef>

// Rewrites `text` in place.
void SanitizePJLValue(char* text);
// Copies `source` into `destination` (capacity bytes, always terminated),
// sanitised; returns `destination`.
char* CopyPJLValue(const char* source, char* destination, size_t capacity);

// Values written into a PostScript line stay on it: CR and LF become spaces.
// Copies `source` into `destination` (capacity bytes, always terminated).
char* CopyOnOneLine(const char* source, char* destination, size_t capacity);
