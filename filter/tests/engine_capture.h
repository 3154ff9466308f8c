// Captures what a piece of filter code writes to standard output.
#pragma once
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "run_program.h"

template <typename Body>
std::string CaptureStdout(Body&& body) {
  TempDir dir;
  const std::string path = dir.File("stdout");
  std::fflush(stdout);
  const int saved = dup(STDOUT_FILENO);
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(file, STDOUT_FILENO);
  close(file);
  body();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  return ReadFile(path);
}
