// System version probe shared by the filter and the dialog extensions.
#pragma once
#include <cstdint>

// Four-character selectors.
inline constexpr uint32_t kGestaltSystemVersion = 0x73797376;        // 'sysv'
inline constexpr uint32_t kGestaltSystemVersionMajor = 0x73797331;   // 'sys1'
inline constexpr uint32_t kGestaltSystemVersionMinor = 0x73797332;   // 'sys2'
inline constexpr uint32_t kGestaltSystemVersionBugFix = 0x73797333;  // 'sys3'

// Release text reported on hosts without a Darwin kernel: a current system.
inline constexpr const char* kDefaultKernelRelease = "19.0";
// Environment variable that overrides the kernel release text (tests of older paths).
inline constexpr const char* kKernelReleaseEnv = "OVQ_KERNEL_RELEASE";

// Writes the answer for `selector` into *response and returns 0; returns -1
// (after a message on standard error) for an unknown selector.
int Gestalt_ALT(uint32_t selector, int32_t* response);

// Packs a kernel release text ("19.0", "14.5.0") into the system version;
// nullptr or an empty text stands for a failed query (0x1000).
int32_t PackKernelRelease(const char* release);

// Forgets the cached version so that the next call probes again (tests).
void ResetGestaltCache();
