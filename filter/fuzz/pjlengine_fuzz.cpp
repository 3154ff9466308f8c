// Fuzz target: an arbitrary format and values through the line builder. The
// first byte picks the capacity; the rest is the format, a zero, and a value.
// Every parameter points at an aligned copy of the value, which reads as an
// integer, a byte or a text, whatever the symbol.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pjlengine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const int capacity = (data[0] & 1) != 0 ? kPJLLineSize : 1 + data[0] % kPJLLineSize;
  std::vector<char> input(data + 1, data + size);
  input.push_back('\0');
  input.push_back('\0');
  const char* format = input.data();
  const char* text = format + std::strlen(format) + 1;
  std::vector<int32_t> value(std::strlen(text) / sizeof(int32_t) + 2, 0);
  std::memcpy(value.data(), text, std::strlen(text));
  const void* values[] = {value.data(), value.data(), value.data(), value.data(), value.data(), value.data()};
  symPara para{};
  InitializeCmdParaTable(&para, sizeof values / sizeof values[0], values);
  std::vector<char> output(static_cast<size_t>(capacity) + 1, 'x');
  BuildPrintComand(format, &para, output.data(), capacity);
  const size_t length = std::strlen(output.data());
  if (length > static_cast<size_t>(capacity - 1) || output[capacity] != 'x') std::abort();
  // A line that ends with LF keeps it when cut, as long as the format's own
  // text (which bounds the line end) fits.
  std::vector<char> full(4096);
  BuildPrintComand(format, &para, full.data(), static_cast<int>(full.size()));
  const size_t full_length = std::strlen(full.data());
  if (capacity == kPJLLineSize && std::strlen(format) <= 100 && full_length > 0 && full[full_length - 1] == '\n' &&
      (length == 0 || output[length - 1] != '\n')) {
    std::abort();
  }
  return 0;
}
