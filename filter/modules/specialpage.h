// Special pages: covers, inserted sheets and page exceptions, written as an XML
// job ticket ahead of the job.
#pragma once
#include <cstddef>
#include <cstdint>

#include "ticket.h"
#include "ticket_keys.h"

// Counts read from the ticket (-1 when absent, treated as 0).
struct SpecialPageCounts {
  int32_t cover;
  int32_t insertion;
  int32_t exception;
};
extern SpecialPageCounts psOptionSpecialPage;

inline constexpr int kSpecialPageTicketRows = 3;
extern const TicketData SpecialPageTicketData[kSpecialPageTicketRows];

inline constexpr int kSpecialPageValueSize = 256;
// A field holds at most 49 bytes; a longer one is cut at a character boundary.
inline constexpr int kSpecialPageFieldSize = 50;
inline constexpr uint32_t kGetOneValueMissing = 4294967295u;

// Copies `source` up to its first comma into `field` (at most capacity - 1
// bytes, never part of a UTF-8 character) and returns the characters consumed
// including the comma; without a comma copies all and returns 0; with a missing
// source or field returns kGetOneValueMissing. `field` must be cleared before.
uint32_t getOneValue(const char* source, char* field, size_t capacity = kSpecialPageFieldSize);

// Escapes a field for XML character data (& < > " '); a control character, a
// byte that is not part of valid UTF-8 and the non-characters U+FFFE and U+FFFF
// become a space. Returns the length written (the output is always terminated).
size_t EscapeSpecialPageField(const char* text, char* out, size_t capacity);
// Capacity that always holds an escaped field.
inline constexpr int kSpecialPageEscapedSize = (kSpecialPageFieldSize - 1) * 6 + 1;
