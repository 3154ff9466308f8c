// Fuzz target: arbitrary bytes through the text conversion. The result holds
// characters of the Basic Multilingual Plane only, except that its last one may
// be cut short by the capacity.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "textconv.h"

namespace {

// Length of the well-formed BMP character at `p` (at most `left` bytes), or 0.
int BMPCharLength(const unsigned char* p, int left) {
  if (p[0] < 0x80) return 1;
  const int length = p[0] >= 0xE0 && p[0] <= 0xEF ? 3 : p[0] >= 0xC2 && p[0] <= 0xDF ? 2 : 0;
  if (length == 0) return 0;
  for (int i = 1; i < length; ++i) {
    if (i >= left) return -1;  // cut by the capacity
    if ((p[i] & 0xC0) != 0x80) return 0;
  }
  return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> source(data, data + size);
  source.push_back('\0');
  for (int capacity : {1, 8, 33, 256}) {
    std::vector<char> destination(static_cast<size_t>(capacity) + 1, 'x');
    const int length = ConvertUTF8ToEncoding(source.data(), destination.data(), capacity);
    if (length != static_cast<int>(std::strlen(destination.data())) || length > capacity - 1) std::abort();
    if (destination[capacity] != 'x') std::abort();
    const auto* out = reinterpret_cast<const unsigned char*>(destination.data());
    for (int i = 0; i < length;) {
      const int n = BMPCharLength(out + i, length - i);
      if (n == -1 && length == capacity - 1) break;
      if (n <= 0) std::abort();
      i += n;
    }
  }
  return 0;
}
