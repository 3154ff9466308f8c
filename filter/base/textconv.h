// Text conversion for PJL strings: UTF-8 in, UTF-8 of the Basic Multilingual
// Plane out, rebuilt one UTF-16 unit at a time within the destination's capacity.
#pragma once
#include <cstddef>

// Clears `destination` over `capacity` bytes, then fills it with the converted
// text (at most capacity - 1 bytes and a zero). Returns the result's byte length;
// 0 and an empty destination for text that is not valid UTF-8.
int ConvertUTF8ToEncoding(const char* source, char* destination, int capacity);
