#include "pstransfer.h"

#include <sys/sendfile.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

// The longest line that stops a cancelled transfer ("showpage").
constexpr size_t kLongestStopLine = 8;
constexpr size_t kScanBlockSize = 64 * 1024;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

bool IsStopLine(std::string_view line) { return line == "ep" || line == "endp" || line == "showpage"; }

// The line in progress at the transfer's position: its bytes while it is short
// enough to be a stop line.
struct LineInProgress {
  char text[kLongestStopLine] = {};
  size_t length = 0;
  bool too_long = false;

  void Append(char c) {
    if (length < kLongestStopLine) {
      text[length++] = c;
    } else {
      too_long = true;
    }
  }
  bool IsStop() const { return !too_long && IsStopLine(std::string_view(text, length)); }
  void Clear() {
    length = 0;
    too_long = false;
  }
};

bool WriteAll(int fd, const char* bytes, size_t count) {
  while (count > 0) {
    ssize_t written = write(fd, bytes, count);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes += written;
    count -= static_cast<size_t>(written);
  }
  return true;
}

ssize_t ReadSome(int fd, char* buffer, size_t size, off_t offset) {
  ssize_t count;
  do {
    count = pread(fd, buffer, size, offset);
  } while (count < 0 && errno == EINTR);
  return count;
}

// The line in progress after the first `offset` bytes of the file: only the
// last few bytes decide it.
LineInProgress LineBefore(int fd, off_t offset) {
  char last[kLongestStopLine + 1];
  size_t want = static_cast<size_t>(offset) < sizeof last ? static_cast<size_t>(offset) : sizeof last;
  LineInProgress line;
  ssize_t got = ReadSome(fd, last, want, offset - static_cast<off_t>(want));
  if (got != static_cast<ssize_t>(want)) {
    line.too_long = true;  // unreadable: never a stop line
    return line;
  }
  size_t start = want;
  while (start > 0 && !IsLineEnd(last[start - 1])) --start;
  if (start == 0 && want == sizeof last) {
    line.too_long = true;  // no line end among the last bytes
    return line;
  }
  for (size_t i = start; i < want; ++i) line.Append(last[i]);
  return line;
}

// Sends up to `chunk` bytes from `*offset`: nothing while the transfer goes on,
// kComplete at the end of the file, or the failure.
std::optional<TransferResult> SendChunk(int in, int out, off_t* offset, size_t chunk) {
  for (;;) {
    ssize_t sent = sendfile(out, in, offset, chunk);
    if (sent > 0) return std::nullopt;
    if (sent == 0) return TransferResult::kComplete;
    if (errno == EINTR) continue;
    if (errno != EINVAL && errno != ENOSYS) return TransferResult::kOutputFailed;
    // Outputs that sendfile cannot write to: a plain read and write.
    char buffer[kScanBlockSize];
    ssize_t count = ReadSome(in, buffer, sizeof buffer < chunk ? sizeof buffer : chunk, *offset);
    if (count < 0) return TransferResult::kInputFailed;
    if (count == 0) return TransferResult::kComplete;
    if (!WriteAll(out, buffer, static_cast<size_t>(count))) return TransferResult::kOutputFailed;
    *offset += count;
    return std::nullopt;
  }
}

// Cancelled: passes the file on line by line up to and including the next stop
// line.
TransferResult SendToNextPageEnd(int in, int out, off_t offset, LineInProgress line) {
  char block[kScanBlockSize];
  for (;;) {
    ssize_t count = ReadSome(in, block, sizeof block, offset);
    if (count < 0) return TransferResult::kInputFailed;
    if (count == 0) return TransferResult::kComplete;
    size_t size = static_cast<size_t>(count);
    for (size_t i = 0; i < size; ++i) {
      if (!IsLineEnd(block[i])) {
        line.Append(block[i]);
        continue;
      }
      if (line.IsStop()) return WriteAll(out, block, i + 1) ? TransferResult::kStopped : TransferResult::kOutputFailed;
      line.Clear();
    }
    if (!WriteAll(out, block, size)) return TransferResult::kOutputFailed;
    offset += count;
  }
}

}  // namespace

TransferResult TransferDocument(int input_fd, FILE* output, CancelTest cancelled, size_t chunk) {
  if (std::fflush(output) != 0) return TransferResult::kOutputFailed;
  int out = fileno(output);
  off_t offset = 0;
  for (;;) {
    if (cancelled()) return SendToNextPageEnd(input_fd, out, offset, LineBefore(input_fd, offset));
    if (std::optional<TransferResult> end = SendChunk(input_fd, out, &offset, chunk)) return *end;
  }
}
