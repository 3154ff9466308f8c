// Two extensions, each with its own copy of the dialog core, loaded into one
// process: each answers through its own copy and exports nothing of it.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <sstream>
#include <string>

#include "run_program.h"

namespace {

struct Probe {
  void* handle = nullptr;
  const char* (*clientID)() = nullptr;
  const char* (*bundleID)() = nullptr;
  uint32_t (*width)(const char*) = nullptr;
  uint64_t (*hash)(const char*) = nullptr;
  int32_t (*systemVersion)() = nullptr;
};

template <typename Function>
void Bind(void* handle, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(dlsym(handle, name));
  ASSERT_NE(*function, nullptr) << name;
}

void Load(const char* path, Probe* probe) {
  probe->handle = dlopen(path, RTLD_NOW | RTLD_GLOBAL);
  ASSERT_NE(probe->handle, nullptr) << dlerror();
  Bind(probe->handle, "OvqProbeClientID", &probe->clientID);
  Bind(probe->handle, "OvqProbeBundleID", &probe->bundleID);
  Bind(probe->handle, "OvqProbeWidth", &probe->width);
  Bind(probe->handle, "OvqProbeHash", &probe->hash);
  Bind(probe->handle, "OvqProbeSystemVersion", &probe->systemVersion);
}

TEST(TwoCopies, BothLoadAndEachAnswersThroughItsOwnCore) {
  Probe a;
  Probe b;
  ASSERT_NO_FATAL_FAILURE(Load(OVQ_PROBE_A, &a));
  ASSERT_NO_FATAL_FAILURE(Load(OVQ_PROBE_B, &b));
  EXPECT_STREQ(a.clientID(), "probe.AKind");
  EXPECT_STREQ(b.clientID(), "probe.BKind");
  EXPECT_STREQ(a.bundleID(), "probe.a");
  EXPECT_STREQ(b.bundleID(), "probe.b");
  EXPECT_EQ(a.width("a\xE3\x81\x82"), 3u);
  EXPECT_EQ(b.width("a\xE3\x81\x82"), 3u);
  EXPECT_EQ(a.hash("A:B"), 1981u);
  EXPECT_EQ(b.hash("A:B"), 1981u);
  EXPECT_EQ(a.systemVersion(), b.systemVersion());
  dlclose(b.handle);
  dlclose(a.handle);
}

// Exported, defined symbols of a shared object as nm lists them.
std::vector<std::string> ExportedSymbols(const char* path) {
  RunSpec spec;
  spec.program = "/usr/bin/nm";
  spec.args = {"-D", "--defined-only", path};
  RunResult result = RunProgram(spec);
  EXPECT_EQ(result.exit_status, 0) << result.err;
  std::vector<std::string> names;
  std::istringstream lines(result.out);
  std::string address;
  std::string type;
  std::string name;
  while (lines >> address >> type >> name) {
    if (type != "A") names.push_back(name);
  }
  return names;
}

TEST(TwoCopies, OnlyTheProbesAreExported) {
  for (const char* path : {OVQ_PROBE_A, OVQ_PROBE_B}) {
    std::vector<std::string> names = ExportedSymbols(path);
    EXPECT_EQ(names.size(), 5u) << path;
    for (const std::string& name : names) EXPECT_EQ(name.rfind("OvqProbe", 0), 0u) << path << ": " << name;
  }
}

}  // namespace
