#include "output.h"

#include <cerrno>
#include <cstring>

FILE* gJobFilefp = nullptr;

namespace {

int g_stdout_error = 0;

void ReportJobCopyFailure(int error) {
  std::fprintf(stderr, "DEBUG: The diagnostic job copy stopped: %s\n", std::strerror(error));
}

// A copy write that failed: the copy ends here, the job goes on.
void StopJobCopy() {
  ReportJobCopyFailure(errno != 0 ? errno : EIO);
  std::fclose(gJobFilefp);
  gJobFilefp = nullptr;
}

// Passes a write's success through, remembering a failure on standard output.
template <typename Result>
Result Checked(Result result, bool failed, FILE* stream) {
  if (failed && stream == stdout) NoteStandardOutputError(errno != 0 ? errno : EIO);
  return result;
}

}  // namespace

size_t KQfwrite(const void* buffer, size_t size, size_t count, FILE* stream) {
  if (gJobFilefp != nullptr && std::fwrite(buffer, size, count, gJobFilefp) != count && size != 0) StopJobCopy();
  const size_t written = std::fwrite(buffer, size, count, stream);
  return Checked(written, size != 0 && written != count, stream);
}

int KQfputs(const char* text, FILE* stream) {
  if (gJobFilefp != nullptr && std::fputs(text, gJobFilefp) == EOF) StopJobCopy();
  const int result = std::fputs(text, stream);
  return Checked(result, result == EOF, stream);
}

int KQfputc(int c, FILE* stream) {
  if (gJobFilefp != nullptr && std::fputc(c, gJobFilefp) == EOF) StopJobCopy();
  const int result = std::fputc(c, stream);
  return Checked(result, result == EOF, stream);
}

int KQfprintf(FILE* stream, const char* text) {
  if (gJobFilefp != nullptr && std::fprintf(gJobFilefp, "%s", text) < 0) StopJobCopy();
  const int result = std::fprintf(stream, "%s", text);
  return Checked(result, result < 0, stream);
}

int KQfputline(const char* line, FILE* stream) {
  if (KQfputs(line, stream) == EOF) return EOF;
  return KQfputc('\n', stream);
}

int KQfflush(FILE* stream) {
  const int result = std::fflush(stream);
  return Checked(result, result != 0, stream);
}

int StandardOutputError() { return g_stdout_error; }

void NoteStandardOutputError(int error) {
  if (g_stdout_error == 0) g_stdout_error = error;
}

void CloseJobCopyFile() {
  if (gJobFilefp == nullptr) return;
  if (std::fclose(gJobFilefp) != 0) ReportJobCopyFailure(errno);
  gJobFilefp = nullptr;
}

void ResetOutputState() {
  gJobFilefp = nullptr;
  g_stdout_error = 0;
}
