#include "hostname.h"

#include <unistd.h>

#include <cstring>

#include "jobstate.h"

namespace {

constexpr int kSystemHostNameSize = 256;

}  // namespace

void CopyHostName(const char* name, char* destination) {
  std::memset(destination, 0, kHostNameSize);
  if (name != nullptr) std::strncpy(destination, name, kHostNameSize - 1);
}

void getHostName(char* destination) {
  char name[kSystemHostNameSize] = {};
  if (gethostname(name, kSystemHostNameSize - 1) != 0) name[0] = '\0';
  CopyHostName(name, destination);
}
