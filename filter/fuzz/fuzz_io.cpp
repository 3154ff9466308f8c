#include "fuzz_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzzio {
namespace {

std::string MakeFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/ovqfuzzXXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  return pattern;
}

const std::string& Folder() {
  static const std::string folder = MakeFolder();
  return folder;
}

}  // namespace

void CaptureStdout() {
  std::string path = Folder() + "/stdout";
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) std::abort();
  std::fflush(stdout);
  dup2(fd, STDOUT_FILENO);
  close(fd);
  unlink(path.c_str());  // the descriptor keeps it
}

std::string TakeStdout() {
  std::fflush(stdout);
  std::string out;
  char buffer[65536];
  off_t at = 0;
  ssize_t n;
  while ((n = pread(STDOUT_FILENO, buffer, sizeof buffer, at)) > 0) {
    out.append(buffer, static_cast<size_t>(n));
    at += n;
  }
  if (ftruncate(STDOUT_FILENO, 0) != 0) std::abort();
  lseek(STDOUT_FILENO, 0, SEEK_SET);
  std::rewind(stdout);
  return out;
}

const char* WriteDocument(const uint8_t* data, size_t size) {
  static const std::string path = Folder() + "/document.ps";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
  return path.c_str();
}

const char* PrivateTmpDir() {
  static const std::string folder = MakeFolder();
  return folder.c_str();
}

bool FolderIsEmpty(const char* folder) {
  DIR* dir = opendir(folder);
  if (dir == nullptr) return false;
  bool empty = true;
  while (struct dirent* entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) empty = false;
  }
  closedir(dir);
  return empty;
}

}  // namespace fuzzio
