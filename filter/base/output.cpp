#include "output.h"

#include <cstring>

FILE* gJobFilefp = nullptr;

size_t KQfwrite(const void* buffer, size_t size, size_t count, FILE* stream) {
  if (gJobFilefp != nullptr) std::fwrite(buffer, size, count, gJobFilefp);
  return std::fwrite(buffer, size, count, stream);
}

int KQfputs(const char* text, FILE* stream) {
  if (gJobFilefp != nullptr) std::fputs(text, gJobFilefp);
  return std::fputs(text, stream);
}

int KQfputc(int c, FILE* stream) {
  if (gJobFilefp != nullptr) std::fputc(c, gJobFilefp);
  return std::fputc(c, stream);
}

int KQfprintf(FILE* stream, const char* text) {
  if (gJobFilefp != nullptr) std::fprintf(gJobFilefp, "%s", text);
  return std::fprintf(stream, "%s", text);
}

int KQfputline(const char* line, FILE* stream) {
  KQfputs(line, stream);
  return KQfputc('\n', stream);
}
