#include "version.h"

#include <cstdio>
#include <cstdlib>

#if defined(__APPLE__)
#include <sys/sysctl.h>
#endif

namespace {

bool g_cached = false;
int32_t g_packed = 0x1000;

// The kernel release text, or nullptr when it cannot be had.
const char* KernelRelease(char* buffer, size_t size) {
  if (const char* forced = std::getenv(kKernelReleaseEnv)) return forced;
#if defined(__APPLE__)
  int mib[2] = {CTL_KERN, KERN_OSRELEASE};
  size_t len = size;
  if (sysctl(mib, 2, buffer, &len, nullptr, 0) != 0) return nullptr;
  buffer[size - 1] = '\0';
  return buffer;
#else
  (void)buffer;
  (void)size;
  return kDefaultKernelRelease;
#endif
}

}  // namespace

int32_t PackKernelRelease(const char* release) {
  if (release == nullptr || *release == '\0') return 0x1000;
  long major = 0;
  long minor = 0;
  char* end = nullptr;
  long value = std::strtol(release, &end, 10);
  if (value > 0) major = value;
  if (end != nullptr && *end == '.') {
    value = std::strtol(end + 1, &end, 10);
    if (value > 0) minor = value;
  }
  return static_cast<int32_t>(0x1000 + (((major - 4) * 16) & 0xFF0) + (minor & 0xF));
}

void ResetGestaltCache() { g_cached = false; }

int Gestalt_ALT(uint32_t selector, int32_t* response) {
  if (!g_cached) {
    char buffer[256] = {};
    g_packed = PackKernelRelease(KernelRelease(buffer, sizeof buffer));
    g_cached = true;
  }
  int32_t answer = 0;
  switch (selector) {
    case kGestaltSystemVersion:
      answer = g_packed;
      break;
    case kGestaltSystemVersionMajor: {
      int bcd = (g_packed >> 8) & 0xFF;
      answer = (bcd >> 4) * 10 + (bcd & 0xF);
      break;
    }
    case kGestaltSystemVersionMinor:
      answer = (g_packed >> 4) & 0xF;
      break;
    case kGestaltSystemVersionBugFix:
      answer = g_packed & 0xF;
      break;
    default:
      std::fprintf(stderr, "Gestalt_ALT : selector '%x' not supported.\n", selector);
      return -1;
  }
  if (response != nullptr) *response = answer;
  return 0;
}
