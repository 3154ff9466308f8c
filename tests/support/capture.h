// In-process output capture: what a piece of code writes on standard output,
// standard error or a stream it is handed.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <string>

// Everything written to `file` from its start.
inline std::string ReadWholeFile(FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, count);
  return text;
}

// Runs `body` with a temporary stream and returns what it received.
template <typename Body>
std::string CaptureStream(Body body) {
  FILE* file = std::tmpfile();
  body(file);
  std::string text = ReadWholeFile(file);
  std::fclose(file);
  return text;
}

struct CapturedOutput {
  std::string out, err;
};

// Runs `body` with standard output and standard error sent to temporary files.
template <typename Body>
CapturedOutput CaptureOutput(Body body) {
  std::fflush(stdout);
  std::fflush(stderr);
  FILE* files[2] = {std::tmpfile(), std::tmpfile()};
  int saved[2];
  for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    saved[fd - 1] = dup(fd);
    dup2(fileno(files[fd - 1]), fd);
  }
  body();
  std::fflush(stdout);
  std::fflush(stderr);
  for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
    dup2(saved[fd - 1], fd);
    close(saved[fd - 1]);
  }
  CapturedOutput captured{ReadWholeFile(files[0]), ReadWholeFile(files[1])};
  for (FILE* file : files) std::fclose(file);
  return captured;
}

template <typename Body>
std::string CaptureStdout(Body body) {
  return CaptureOutput(body).out;
}
