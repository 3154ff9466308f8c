#include "pslines.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "output.h"

namespace {

constexpr size_t kPieceSize = static_cast<size_t>(kPSLinePieceSize);

}  // namespace

PSLinePump::PSLinePump(int input_fd, FILE* output, PSWriteFunction write)
    : input_fd_(input_fd), output_(output), write_(write) {}

void PSLinePump::Write(const char* bytes, size_t count) {
  if (count == 0 || write_error_ != 0) return;
  if (write_(bytes, 1, count, output_) != count) write_error_ = errno != 0 ? errno : EIO;
}

void PSLinePump::WritePendingCarry() {
  Write(line_, carry_);
  carry_ = 0;
}

void PSLinePump::WriteBefore() {
  Write(block_ + span_, line_start_ - span_);
  span_ = line_start_;
}

void PSLinePump::WriteThrough() {
  WriteBefore();
  WritePendingCarry();
  Write(block_ + line_start_, line_end_ - line_start_);
  span_ = line_end_;
}

void PSLinePump::Finish() {
  WritePendingCarry();
  Write(block_ + span_, filled_ - span_);
  span_ = filled_;
}

// The first CR or LF at or after `from` in the current block, or nullptr. Each
// byte value is searched for only once per stretch, so CR-only and LF-only
// documents cost one pass over the block each.
const char* PSLinePump::FindLineEnd(const char* from) {
  const char* limit = block_ + filled_;
  size_t rest = static_cast<size_t>(limit - from);
  if (next_lf_ == nullptr || next_lf_ < from) {
    const void* found = std::memchr(from, '\n', rest);
    next_lf_ = found != nullptr ? static_cast<const char*>(found) : limit;
  }
  if (next_cr_ == nullptr || next_cr_ < from) {
    const void* found = std::memchr(from, '\r', rest);
    next_cr_ = found != nullptr ? static_cast<const char*>(found) : limit;
  }
  const char* end = next_lf_ < next_cr_ ? next_lf_ : next_cr_;
  return end < limit ? end : nullptr;
}

// The block ends inside a line: write what precedes the line, and keep the
// line's head in the line buffer unless it has already reached a piece.
void PSLinePump::KeepPartialLine() {
  WriteBefore();
  size_t partial = filled_ - line_start_;
  if (!long_line_ && carry_ + partial < kPieceSize) {
    std::memcpy(line_ + carry_, block_ + line_start_, partial);
    carry_ += partial;
  } else {
    WritePendingCarry();
    Write(block_ + line_start_, partial);
    long_line_ = true;
  }
  span_ = filled_;
}

bool PSLinePump::Refill() {
  // Everything produced so far leaves before the read that may wait for input.
  if (KQfflush(output_) != 0 && write_error_ == 0) write_error_ = errno != 0 ? errno : EIO;
  if (output_ != stdout) KQfflush(stdout);
  // An output that takes no more ends the input.
  ssize_t count = 0;
  if (write_error_ == 0) {
    do {
      count = read(input_fd_, block_, kBlockSize);
    } while (count < 0 && errno == EINTR);
    if (count < 0) read_error_ = errno;
  }
  filled_ = span_ = line_start_ = line_end_ = scan_ = 0;
  next_lf_ = next_cr_ = nullptr;
  if (count <= 0) {
    at_end_ = true;
    return false;
  }
  filled_ = static_cast<size_t>(count);
  any_input_ = true;
  last_byte_ = static_cast<unsigned char>(block_[filled_ - 1]);
  return true;
}

bool PSLinePump::Next(PSLine* line) {
  // The previous line was passed on: its head (if it straddled two blocks) goes
  // out before the rest of it, which is still pending in the block.
  WritePendingCarry();
  long_line_ = false;
  line_start_ = scan_;
  for (;;) {
    const char* end = at_end_ ? nullptr : FindLineEnd(block_ + scan_);
    if (end != nullptr) {
      size_t at = static_cast<size_t>(end - block_);
      line->end = static_cast<unsigned char>(*end);
      line_end_ = scan_ = at + 1;
      break;
    }
    if (at_end_) return false;
    KeepPartialLine();
    if (!Refill()) {
      if (carry_ == 0 && !long_line_) return false;
      line->end = kNoLineEnd;
      break;
    }
  }
  size_t head = (line->end == kNoLineEnd ? line_end_ : line_end_ - 1) - line_start_;
  size_t total = carry_ + head;
  line->cut = long_line_ || total >= kPieceSize;
  line->length = line->cut ? 0 : total;
  line->text = nullptr;
  if (!line->cut) {
    if (carry_ > 0) {
      std::memcpy(line_ + carry_, block_ + line_start_, head);
      line->text = line_;
    } else {
      line->text = block_ + line_start_;
    }
  }
  return true;
}
