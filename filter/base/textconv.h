// Text conversion for PJL strings: UTF-8 in, UTF-8 of the Basic Multilingual
// Plane out, rebuilt one UTF-16 unit at a time within the destination's capacity.
#pragma once
#include <cstddef>

// Clears `destination` over `capacity` bytes, then fills it with the converted
// text (at most capacity - 1 bytes and a zero). Returns the result's byte length;
// 0 and an empty destination for text that is not valid UTF-8.
int ConvertUTF8ToEncoding(const char* source, char* destination, int capacity);

// `length` less the bytes of a UTF-8 character that the first `length` bytes
// of `text` hold only in part.
size_t WithoutSplitCharacter(const char* text, size_t length);
// The length of the longest prefix of `text` of at most `limit` bytes that
// does not end inside a UTF-8 character.
size_t WholeCharacterPrefix(const char* text, size_t limit);
// Clears `destination` over `capacity` bytes and copies at most capacity - 1
// bytes of `source` into it, cut before a character that does not fit whole.
void CopyWholeCharacters(char* destination, size_t capacity, const char* source);
