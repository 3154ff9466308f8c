// A stand-in extension: the only symbols it exports are these probes, which
// answer through its own copy of the dialog core.
#include <cstdint>

#include "constraint_hash.h"
#include "input_validation.h"
#include "system_access.h"

#define OVQ_PROBE_EXPORT extern "C" __attribute__((visibility("default")))

OVQ_PROBE_EXPORT const char* OvqProbeClientID() { return OVQ_PDE_NS::GetAppClientID(); }
OVQ_PROBE_EXPORT const char* OvqProbeBundleID() { return OVQ_PDE_NS::GetAppBundleIdentifier(); }
OVQ_PROBE_EXPORT uint32_t OvqProbeWidth(const char* utf8) { return OVQ_PDE_NS::GetUTF8StringLength(utf8); }
OVQ_PROBE_EXPORT uint64_t OvqProbeHash(const char* key) { return OVQ_PDE_NS::constraintHash(key); }
OVQ_PROBE_EXPORT int32_t OvqProbeSystemVersion() { return OVQ_PDE_NS::GetSystemVersion(); }
