// Captures what a function writes to standard output (or to a stream it is
// given) in the filter's unit tests.
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
  size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
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

// Runs `body` with standard output redirected to a temporary file.
template <typename Body>
std::string CaptureStdout(Body body) {
  std::fflush(stdout);
  FILE* file = std::tmpfile();
  const int saved = dup(STDOUT_FILENO);
  dup2(fileno(file), STDOUT_FILENO);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  std::string text = ReadWholeFile(file);
  std::fclose(file);
  return text;
}
