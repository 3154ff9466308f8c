#include "stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "cups_ppd.h"
#include "jobstate.h"
#include "modules.h"
#include "output.h"
#include "pagecount.h"
#include "pjlheader.h"
#include "psfeatures.h"
#include "pslines.h"
#include "pstransfer.h"

namespace {

constexpr int kEndOfTransmission = 0x04;
constexpr int kTempPathSize = 255;

// Path of the buffered pass's temporary file.
char PPDPJLOutFilePath[kTempPathSize] = {};

// Larger stream buffers than the default for pipes and files, so that the
// document leaves in few large writes even when every page raises events.
constexpr size_t kStreamBufferSize = 64 * 1024;
char g_stdout_buffer[kStreamBufferSize];
char g_buffered_file_buffer[kStreamBufferSize];

// Gives `stream` a large buffer; glibc writes out what is pending first.
void UseLargeBuffer(FILE* stream, char* buffer) {
  KQfflush(stream);
  std::setvbuf(stream, buffer, _IOFBF, kStreamBufferSize);
}

constexpr const char* kCannotReadDocument = "Cannot read the document";
constexpr const char* kCannotBufferDocument = "Cannot write the document to a temporary file";

// argv[6] when `from_file`, else standard input; nullptr, reported, when the
// file cannot be opened.
FILE* OpenDocument(bool from_file, char* argv[]) {
  FILE* input = from_file ? std::fopen(argv[6], "rb") : stdin;
  if (input == nullptr) ReportJobFailure(kCannotReadDocument, errno);
  return input;
}

void CloseDocument(FILE* input) {
  if (input != stdin) std::fclose(input);
}

enum class LineKind {
  kOther,
  kEp,
  kEndp,
  kShowpage,
  kBp,
  kEndSetup,
  kSetPageDevice,
  kEndPageSetup,
  kBeginProlog,
  kEndProlog,
};

struct KeywordLine {
  std::string_view text;
  LineKind kind;
};

// Whole lines, compared exactly.
constexpr KeywordLine kKeywordLines[] = {
    {"ep", LineKind::kEp},
    {"endp", LineKind::kEndp},
    {"showpage", LineKind::kShowpage},
    {"bp", LineKind::kBp},
    {"%%EndSetup", LineKind::kEndSetup},
    {"userdict/setpagedevice{pop}bind put", LineKind::kSetPageDevice},
    {"%%EndPageSetup", LineKind::kEndPageSetup},
    {"%%BeginProlog", LineKind::kBeginProlog},
    {"%%EndProlog", LineKind::kEndProlog},
};

// A line passed through in pieces is data, never a keyword line.
LineKind Classify(const PSLine& line) {
  if (line.cut) return LineKind::kOther;
  std::string_view text(line.text, line.length);
  for (const KeywordLine& keyword : kKeywordLines) {
    if (keyword.text == text) return keyword.kind;
  }
  return LineKind::kOther;
}

bool CancelRequested() { return CancelJob == 1; }

struct PassState {
  PassState(FILE* output, char* arguments[], FeatureCapture* features)
      : out(output), argv(arguments), capture(features), dsc_pages(arguments[4]) {}

  FILE* out;
  char** argv;
  FeatureCapture* capture;  // buffered pass only
  DscPageCounter dsc_pages;
  int page = 0;
  bool prolog_done = false;
};

void Raise(PassState& pass, int event) { OutputPSCommandFromFilter(event, pass.page, pass.out); }

// "ep" and "endp": the counter goes up, the modules close the page, then the
// cancellation test; "ep" also reports the page.
bool HandlePageEnd(PSLinePump& pump, PassState& pass, LineKind kind) {
  ++pass.page;
  pump.WriteBefore();
  Raise(pass, kind == LineKind::kEp ? kEventEndPage : kEventEndPageP);
  if (CancelRequested()) return false;
  pump.WriteThrough();
  pass.dsc_pages.OnOwnPageEnd();
  if (kind == LineKind::kEp) OutputPageLogCommand(pass.page, pass.argv);
  return true;
}

// One line of the document; false when the job is cancelled at it (the line is
// then not written).
bool HandleLine(PSLinePump& pump, const PSLine& line, PassState& pass) {
  if (pass.capture != nullptr && !line.cut && LineCallsForPJL(line.text, line.length)) {
    // The job copy sees the document up to this line before the line's PJL.
    pump.WriteBefore();
    InspectLineForPJL(line.text, line.length, pass.capture, pass.argv);
  }
  LineKind kind = Classify(line);
  switch (kind) {
    case LineKind::kEp:
    case LineKind::kEndp:
      return HandlePageEnd(pump, pass, kind);
    case LineKind::kShowpage:
      if (!CancelRequested()) return true;
      pump.WriteBefore();
      return false;
    case LineKind::kBp:
      pump.WriteThrough();
      Raise(pass, kEventBeginPage);
      return true;
    case LineKind::kEndSetup:
      pump.WriteBefore();
      Raise(pass, kEventEndSetup);
      return true;
    case LineKind::kSetPageDevice:
      pump.WriteBefore();
      Raise(pass, kEventSetPageDevice);
      return true;
    case LineKind::kEndPageSetup:
      pump.WriteThrough();
      Raise(pass, kEventEndPageSetup);
      return true;
    case LineKind::kBeginProlog:
      pump.WriteThrough();
      Raise(pass, kEventBeginProlog);
      return true;
    case LineKind::kEndProlog:
      if (!pass.prolog_done) {
        pump.WriteBefore();
        Raise(pass, kEventEndProlog);
        pass.prolog_done = true;
      }
      return true;
    case LineKind::kOther:
      if (!line.cut) pass.dsc_pages.OnLine(line.text, line.length);
      return true;
  }
  return true;
}

// The common line handling over the whole input; false when cancelled.
bool PassLines(PSLinePump& pump, PassState& pass) {
  PSLine line;
  while (pump.Next(&line)) {
    if (!HandleLine(pump, line, pass)) return false;
  }
  pump.Finish();
  pass.dsc_pages.OnEnd();
  return true;
}

// Copies the buffered document to standard output with plain writes; after
// each page end the transfer stops when the job has been cancelled.
void TransferBufferedDocument(FILE* buffered) {
  switch (TransferDocument(fileno(buffered), stdout, CancelRequested)) {
    case TransferResult::kOutputFailed:
      NoteStandardOutputError(errno);
      break;
    case TransferResult::kInputFailed:
      ReportJobFailure("Cannot read back the temporary file", errno);
      break;
    case TransferResult::kComplete:
    case TransferResult::kStopped:
      break;
  }
}

}  // namespace

void OutputPageLogCommand(int page, char* argv[]) { WritePageLine(page, argv[4]); }

char* GetSubString(const char* text, int first, int last) {
  size_t length = text != nullptr ? std::strlen(text) : 0;
  size_t from = first < 0 ? 0 : static_cast<size_t>(first);
  size_t count = 0;
  if (last >= 0 && from < length && static_cast<size_t>(last) >= from) {
    size_t to = static_cast<size_t>(last) < length ? static_cast<size_t>(last) : length - 1;
    count = to - from + 1;
  }
  char* copy = static_cast<char*>(std::malloc(count + 1));
  if (copy == nullptr) return nullptr;
  if (count > 0) std::memcpy(copy, text + from, count);
  copy[count] = '\0';
  return copy;
}

void OutputPSStream(int argc, char* argv[]) {
  FILE* input = OpenDocument(argc > 6, argv);
  if (input == nullptr) return;
  UseLargeBuffer(stdout, g_stdout_buffer);
  PassState pass(stdout, argv, nullptr);
  PSLinePump pump(fileno(input), stdout, KQfwrite);
  const bool complete = PassLines(pump, pass);
  if (pump.read_error() != 0) {
    ReportJobFailure(kCannotReadDocument, pump.read_error());
  } else if (complete && pump.write_error() == 0) {
    KQfputc(kEndOfTransmission, stdout);
  }
  KQfflush(stdout);
  CloseDocument(input);
}

void OutputPSStreamtoFileandInsertPJLforFeaturePDE(int argc, char* argv[]) {
  FILE* input = OpenDocument(argc == 7, argv);
  if (input == nullptr) return;
  // The temporary file goes from its folder at once and is read back through
  // its descriptor: however the filter ends, no copy of the document stays.
  int fd = cupsTempFd(PPDPJLOutFilePath, sizeof PPDPJLOutFilePath);
  if (fd >= 0) unlink(PPDPJLOutFilePath);
  FILE* buffered = fd >= 0 ? fdopen(fd, "w+b") : nullptr;
  if (buffered == nullptr) {
    ReportJobFailure(kCannotBufferDocument, errno);
    if (fd >= 0) close(fd);
    CloseDocument(input);
    return;
  }

  UseLargeBuffer(buffered, g_buffered_file_buffer);
  UseLargeBuffer(stdout, g_stdout_buffer);
  FeatureCapture capture;
  PassState pass(buffered, argv, &capture);
  bool complete;
  int read_error;
  int write_error;
  {
    PSLinePump pump(fileno(input), buffered, KQfwrite);
    complete = PassLines(pump, pass);
    read_error = pump.read_error();
    write_error = pump.write_error();
    if (complete && write_error == 0 && pump.any_input() && pump.last_byte() != kEndOfTransmission &&
        KQfputc(kEndOfTransmission, buffered) == EOF) {
      write_error = errno;
    }
  }
  if (write_error == 0 && std::fflush(buffered) != 0) write_error = errno;
  CloseDocument(input);
  KQfflush(stdout);
  if (read_error != 0) {
    ReportJobFailure(kCannotReadDocument, read_error);
  } else if (write_error != 0) {
    ReportJobFailure(kCannotBufferDocument, write_error);
  }
  // Cancelled or failed: nothing of the document reaches the printer.
  if (complete && read_error == 0 && write_error == 0) {
    OutputColourProcessingLines(capture);
    OutputQPJLCommandEnterPS(argv);
    KQfflush(stdout);
    TransferBufferedDocument(buffered);
  }
  std::fclose(buffered);
}
