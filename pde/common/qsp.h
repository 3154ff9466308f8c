// Credential encoding: passcodes are scrambled with a fixed 32-bit constant
// (the scrambling is its own inverse) and written as Base64 text. The routines
// work on caller-owned buffers, never allocate and never write a NUL.
#pragma once
#include <cstdint>

#include "pde_namespace.h"

namespace OVQ_PDE_NS {

inline constexpr uint32_t kQSPScrambleKey = 0x5D2B4E19;  // used lowest byte first

inline constexpr int32_t kQSPNoErr = 0;
inline constexpr int32_t kQSPNullPointer = -1;
inline constexpr int32_t kQSPOutOfRange = -2;  // a length or capacity, or (decoding) a malformed input
inline constexpr int32_t kQSPNoRoom = -3;      // *outLength holds the size needed (or written so far)

int32_t QSPEncrypt(const uint8_t* in, int32_t inLength, uint8_t* out, uint32_t* outLength, int32_t capacity);
int32_t QSPBinToB64(const uint8_t* in, int32_t inLength, char* out, uint32_t* outLength, int32_t capacity);
int32_t QSPB64ToBin(const char* in, int32_t inLength, uint8_t* out, uint32_t* outLength, int32_t capacity);

// A ticket value of a passcode: the UTF-8 text scrambled and Base64-encoded
// into `out` (256 bytes, NUL-terminated, at most 255 characters). The empty
// text stays empty. False when it does not fit.
bool QSPEncodeTicketText(const char* utf8, char (&out)[256]);

}  // namespace OVQ_PDE_NS
