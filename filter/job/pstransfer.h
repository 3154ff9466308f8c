// The last step of the buffered pass: the buffered document goes to standard
// output with plain writes (not through the output functions, so the job copy
// does not get it twice). After each line "ep", "endp" or "showpage" the
// transfer stops when the job has been cancelled.
//
// While the job is not cancelled the file is sent in large chunks by the kernel
// without being looked at; once the cancellation is seen, the lines are
// examined from there on (the line in progress included, which may have begun
// in the part already sent) and the transfer ends after the next page end.
// Every byte of the file reaches the output unless the transfer stops.
#pragma once
#include <cstddef>
#include <cstdio>

using CancelTest = bool (*)();

inline constexpr size_t kTransferChunkSize = 1024 * 1024;

enum class TransferResult {
  kComplete,      // every byte was sent
  kStopped,       // cancelled: sent up to a page end
  kOutputFailed,  // the output took no more (errno tells why)
  kInputFailed,   // the file could not be read (errno tells why)
};

// Sends `input_fd` from its start to `output` (flushed first).
TransferResult TransferDocument(int input_fd, FILE* output, CancelTest cancelled, size_t chunk = kTransferChunkSize);
