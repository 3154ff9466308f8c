// Credential encoding on arbitrary bytes: decoding never reads or writes
// outside its buffers, and scramble + encode + decode + scramble gives the
// input back.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qsp.h"

using namespace ovqpde_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 3000) return 0;
  int32_t length = static_cast<int32_t>(size);

  // Decoding arbitrary text with a capacity picked by the first byte.
  int32_t capacity = data[0];
  std::vector<uint8_t> decoded(static_cast<size_t>(capacity) + 1);
  uint32_t decodedLength = 0;
  int32_t result = QSPB64ToBin(reinterpret_cast<const char*>(data), length, decoded.data(), &decodedLength, capacity);
  if (result == 0 && decodedLength > static_cast<uint32_t>(capacity)) abort();

  // The round trip.
  std::vector<uint8_t> scrambled(size);
  uint32_t scrambledLength = 0;
  if (QSPEncrypt(data, length, scrambled.data(), &scrambledLength, length) != 0) abort();
  int32_t textCapacity = 4 * (length / 3 + 1);
  std::vector<char> text(static_cast<size_t>(textCapacity));
  uint32_t textLength = 0;
  if (QSPBinToB64(scrambled.data(), length, text.data(), &textLength, textCapacity) != 0) abort();
  std::vector<uint8_t> back(size);
  uint32_t backLength = 0;
  if (QSPB64ToBin(text.data(), static_cast<int32_t>(textLength), back.data(), &backLength, length) != 0) abort();
  if (backLength != size) abort();
  std::vector<uint8_t> plain(size);
  uint32_t plainLength = 0;
  if (QSPEncrypt(back.data(), length, plain.data(), &plainLength, length) != 0) abort();
  if (std::memcmp(plain.data(), data, size) != 0) abort();
  return 0;
}
