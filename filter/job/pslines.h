// Line reader and writer of the PostScript stream passes.
//
// The document is read in large blocks and handed out line by line; carriage
// return and line feed each end a line. A line's bytes, with the byte that ended
// it, are written to the output only when the caller says so (WriteBefore,
// WriteThrough) or when later bytes are written, so whole runs of ordinary lines
// leave in one write while insertions still land exactly between two lines.
//
// A line that reaches kPSLinePieceSize bytes is passed through in pieces: it is
// never examined (`cut`), only copied. Shorter lines are handed out whole, also
// when they straddle two blocks (they are gathered in the 8192-byte line buffer).
// NUL bytes are data like any other byte.
//
// A read error ends the input; a failed write ends it too, so that nothing more
// is read for an output that takes no more. Both are kept for the caller.
#pragma once
#include <cstddef>
#include <cstdio>

#include "stream.h"

inline constexpr int kNoLineEnd = -1;

struct PSLine {
  const char* text = nullptr;  // the line without its end byte; nullptr when cut
  size_t length = 0;           // bytes in `text`
  bool cut = false;            // kPSLinePieceSize bytes or more: passed through in pieces
  int end = kNoLineEnd;        // '\r', '\n', or kNoLineEnd for a last line without one
};

using PSWriteFunction = size_t (*)(const void* buffer, size_t size, size_t count, FILE* stream);

class PSLinePump {
 public:
  static constexpr size_t kBlockSize = 128 * 1024;

  // Reads `input_fd` to its end; writes to `output` with `write` (KQfwrite, or
  // plain fwrite for the final transfer of the buffered pass).
  PSLinePump(int input_fd, FILE* output, PSWriteFunction write);
  PSLinePump(const PSLinePump&) = delete;
  PSLinePump& operator=(const PSLinePump&) = delete;

  // The next line; false at the end of the input.
  bool Next(PSLine* line);
  // Writes everything that precedes the current line.
  void WriteBefore();
  // Writes everything up to and including the current line and its end byte.
  void WriteThrough();
  // Writes everything still pending (after the last line).
  void Finish();

  bool any_input() const { return any_input_; }
  unsigned char last_byte() const { return last_byte_; }
  // Error numbers of the first failed read and write, 0 when none.
  int read_error() const { return read_error_; }
  int write_error() const { return write_error_; }

 private:
  bool Refill();
  void KeepPartialLine();
  void WritePendingCarry();
  const char* FindLineEnd(const char* from);
  void Write(const char* bytes, size_t count);

  int input_fd_;
  FILE* output_;
  PSWriteFunction write_;

  char block_[kBlockSize];
  size_t filled_ = 0;              // bytes in block_
  size_t span_ = 0;                // first byte of block_ not yet written
  size_t line_start_ = 0;          // current line's first byte in block_
  size_t line_end_ = 0;            // just past the current line's end byte in block_
  size_t scan_ = 0;                // where the search for the next line starts
  const char* next_lf_ = nullptr;  // cached search results within block_
  const char* next_cr_ = nullptr;

  // The 8192-byte line buffer: the head of a line that straddles two blocks.
  char line_[kPSLineBufferSize] = {};
  size_t carry_ = 0;        // bytes of the current line kept in line_
  bool long_line_ = false;  // the current line is already cut and partly written
  bool at_end_ = false;

  bool any_input_ = false;
  unsigned char last_byte_ = 0;
  int read_error_ = 0;
  int write_error_ = 0;
};
