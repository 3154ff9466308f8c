#include "qsp.h"

#include <cstring>

namespace OVQ_PDE_NS {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNotInAlphabet = -1;
constexpr size_t kTicketBufferSize = 256;

uint8_t KeyByte(int i) { return static_cast<uint8_t>(kQSPScrambleKey >> (8 * i)); }

int SextetOf(char c) {
  const char* at = c == '\0' ? nullptr : std::strchr(kAlphabet, c);
  return at == nullptr ? kNotInAlphabet : static_cast<int>(at - kAlphabet);
}

bool IsBase64Space(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Base64 decoding over a bounded input; results as QSPB64ToBin.
class B64Reader {
 public:
  B64Reader(const char* in, int32_t length, uint8_t* out, int32_t capacity)
      : in_(in), length_(length), out_(out), capacity_(capacity) {}

  int32_t Run(uint32_t* produced) {
    int32_t result = Decode();
    *produced = written_;
    return result;
  }

 private:
  void SkipSpace() {
    while (pos_ < length_ && IsBase64Space(in_[pos_])) ++pos_;
  }

  // Reads the next four characters, blanks between them skipped. False at the
  // end of the input before a full quartet.
  bool Quartet(char quartet[4]) {
    for (int i = 0; i < 4; ++i) {
      if (i > 0) SkipSpace();
      if (pos_ >= length_) return false;
      quartet[i] = in_[pos_++];
    }
    return true;
  }

  bool Put(int value) {
    if (static_cast<int64_t>(written_) >= capacity_) return false;
    out_[written_++] = static_cast<uint8_t>(value);
    return true;
  }

  int32_t Decode() {
    SkipSpace();
    for (;;) {
      SkipSpace();
      if (pos_ >= length_ || in_[pos_] == '\0') return kQSPNoErr;
      char quartet[4] = {};
      if (!Quartet(quartet)) return kQSPOutOfRange;
      int32_t result = DecodeQuartet(quartet);
      if (result != 1) return result;
    }
  }

  // 1 to go on, else the final result. "=" in the third or fourth place, or
  // a NUL, ends the data after one or two bytes.
  int32_t DecodeQuartet(const char quartet[4]) {
    int sextet[4] = {};
    int count = 4;
    for (int i = 0; i < 4; ++i) {
      if (quartet[i] == '\0' || (quartet[i] == '=' && i >= 2)) {
        count = i;
        break;
      }
      sextet[i] = SextetOf(quartet[i]);
      if (sextet[i] == kNotInAlphabet) return kQSPOutOfRange;
    }
    if (count < 2) return kQSPOutOfRange;
    if (!Put((sextet[0] << 2) | (sextet[1] >> 4))) return kQSPNoRoom;
    if (count > 2 && !Put(((sextet[1] & 0xF) << 4) | (sextet[2] >> 2))) return kQSPNoRoom;
    if (count > 3 && !Put(((sextet[2] & 0x3) << 6) | sextet[3])) return kQSPNoRoom;
    if (count == 4) return 1;
    if (quartet[count] == '\0') return kQSPNoErr;
    if (count == 2 && quartet[3] != '=') return kQSPOutOfRange;
    return End();
  }

  // Padding ends the data; only blanks may follow it.
  int32_t End() {
    SkipSpace();
    return pos_ >= length_ || in_[pos_] == '\0' ? kQSPNoErr : kQSPOutOfRange;
  }

  const char* in_;
  int32_t length_;
  uint8_t* out_;
  int32_t capacity_;
  int32_t pos_ = 0;
  uint32_t written_ = 0;
};

}  // namespace

int32_t QSPEncrypt(const uint8_t* in, int32_t inLength, uint8_t* out, uint32_t* outLength, int32_t capacity) {
  if (in == nullptr || out == nullptr || outLength == nullptr) return kQSPNullPointer;
  if (inLength < 1 || capacity < 1) return kQSPOutOfRange;
  *outLength = 0;
  int32_t whole = inLength / 4 * 4;
  for (int32_t i = 0; i < whole; i += 4) {
    if (static_cast<int64_t>(*outLength) + 4 > capacity) return kQSPNoRoom;
    uint32_t word = static_cast<uint32_t>(in[i]) | static_cast<uint32_t>(in[i + 1]) << 8 |
                    static_cast<uint32_t>(in[i + 2]) << 16 | static_cast<uint32_t>(in[i + 3]) << 24;
    word ^= kQSPScrambleKey;
    for (int b = 0; b < 4; ++b) out[i + b] = static_cast<uint8_t>(word >> (8 * b));
    *outLength += 4;
  }
  int32_t rest = inLength - whole;
  if (rest > 0) {
    if (static_cast<int64_t>(*outLength) + rest > capacity) return kQSPNoRoom;
    for (int32_t b = 0; b < rest; ++b) out[whole + b] = in[whole + b] ^ KeyByte(b);
    *outLength = static_cast<uint32_t>(inLength);
  }
  return kQSPNoErr;
}

int32_t QSPBinToB64(const uint8_t* in, int32_t inLength, char* out, uint32_t* outLength, int32_t capacity) {
  if (in == nullptr || outLength == nullptr || (capacity != 0 && out == nullptr)) return kQSPNullPointer;
  if (inLength < 1 || capacity < 0) return kQSPOutOfRange;
  int64_t needed = 4 * static_cast<int64_t>(inLength / 3) + (inLength % 3 != 0 ? 4 : 0);
  if (capacity == 0 || capacity < needed) {
    *outLength = static_cast<uint32_t>(needed);
    return kQSPNoRoom;
  }
  uint32_t written = 0;
  for (int32_t i = 0; i < inLength; i += 3) {
    int32_t group = inLength - i < 3 ? inLength - i : 3;
    uint32_t bits = static_cast<uint32_t>(in[i]) << 16;
    if (group > 1) bits |= static_cast<uint32_t>(in[i + 1]) << 8;
    if (group > 2) bits |= in[i + 2];
    out[written++] = kAlphabet[(bits >> 18) & 0x3F];
    out[written++] = kAlphabet[(bits >> 12) & 0x3F];
    out[written++] = group > 1 ? kAlphabet[(bits >> 6) & 0x3F] : '=';
    out[written++] = group > 2 ? kAlphabet[bits & 0x3F] : '=';
  }
  *outLength = written;
  return kQSPNoErr;
}

int32_t QSPB64ToBin(const char* in, int32_t inLength, uint8_t* out, uint32_t* outLength, int32_t capacity) {
  if (in == nullptr || outLength == nullptr || (capacity != 0 && out == nullptr)) return kQSPNullPointer;
  if (inLength < 1 || inLength % 4 != 0 || capacity < 0) return kQSPOutOfRange;
  int32_t padding = 0;
  for (int32_t i = inLength - 1; i >= 0 && i >= inLength - 2 && in[i] == '='; --i) ++padding;
  int32_t size = 3 * (inLength / 4) - padding;
  if (capacity == 0 || capacity < size) {
    *outLength = static_cast<uint32_t>(size);
    return kQSPNoRoom;
  }
  return B64Reader(in, inLength, out, capacity).Run(outLength);
}

bool QSPEncodeTicketText(const char* utf8, char (&out)[256]) {
  std::memset(out, 0, sizeof out);
  if (utf8 == nullptr) return false;
  size_t length = std::strlen(utf8);
  if (length == 0) return true;
  if (length >= kTicketBufferSize) return false;
  uint8_t scrambled[kTicketBufferSize] = {};
  uint32_t scrambledLength = 0;
  if (QSPEncrypt(reinterpret_cast<const uint8_t*>(utf8), static_cast<int32_t>(length), scrambled, &scrambledLength,
                 kTicketBufferSize - 1) != kQSPNoErr) {
    return false;
  }
  uint32_t textLength = 0;
  if (QSPBinToB64(scrambled, static_cast<int32_t>(scrambledLength), out, &textLength, kTicketBufferSize - 1) !=
      kQSPNoErr) {
    std::memset(out, 0, sizeof out);
    return false;
  }
  return true;
}

}  // namespace OVQ_PDE_NS
