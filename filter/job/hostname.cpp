#include "hostname.h"

#include <unistd.h>

#include <cstring>

#include "jobstate.h"
#include "textconv.h"

namespace {

constexpr int kSystemHostNameSize = 256;

}  // namespace

void CopyHostName(const char* name, char* destination) { CopyWholeCharacters(destination, kHostNameSize, name); }

void getHostName(char* destination) {
  char name[kSystemHostNameSize] = {};
  if (gethostname(name, kSystemHostNameSize - 1) != 0) name[0] = '\0';
  CopyHostName(name, destination);
}
