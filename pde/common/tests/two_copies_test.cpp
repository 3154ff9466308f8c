// Two extensions, each with its own copy of the dialog core, loaded into one
// process: each answers through its own copy and exports nothing of it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "run_program.h"

namespace {

template <typename Function>
Function Bind(void* handle, const char* name) {
  auto function = reinterpret_cast<Function>(dlsym(handle, name));
  EXPECT_NE(function, nullptr) << name;
  return function;
}

TEST(TwoCopies, BothLoadAndEachAnswersThroughItsOwnCore) {
  void* a = dlopen(OVQ_PROBE_A, RTLD_NOW | RTLD_GLOBAL);
  void* b = dlopen(OVQ_PROBE_B, RTLD_NOW | RTLD_GLOBAL);
  ASSERT_TRUE(a != nullptr && b != nullptr) << dlerror();
  using Text = const char* (*)();
  EXPECT_STREQ(Bind<Text>(a, "OvqProbeClientID")(), "probe.AKind");
  EXPECT_STREQ(Bind<Text>(b, "OvqProbeClientID")(), "probe.BKind");
  EXPECT_STREQ(Bind<Text>(a, "OvqProbeBundleID")(), "probe.a");
  EXPECT_STREQ(Bind<Text>(b, "OvqProbeBundleID")(), "probe.b");
  for (void* probe : {a, b}) {
    EXPECT_EQ(Bind<uint32_t (*)(const char*)>(probe, "OvqProbeWidth")("a\xE3\x81\x82"), 3u);
    EXPECT_EQ(Bind<uint64_t (*)(const char*)>(probe, "OvqProbeHash")("A:B"), 1981u);
  }
  using Version = int32_t (*)();
  EXPECT_EQ(Bind<Version>(a, "OvqProbeSystemVersion")(), Bind<Version>(b, "OvqProbeSystemVersion")());
  dlclose(b);
  dlclose(a);
}

TEST(TwoCopies, OnlyTheProbesAreExported) {
  for (const char* path : {OVQ_PROBE_A, OVQ_PROBE_B}) {
    RunResult nm = RunTool("/usr/bin/nm", {"-D", "--defined-only", path});
    ASSERT_EQ(nm.exit_status, 0) << nm.err;
    std::istringstream lines(nm.out);
    size_t exported = 0;
    for (std::string address, type, name; lines >> address >> type >> name;) {
      if (type == "A") continue;
      ++exported;
      EXPECT_EQ(name.rfind("OvqProbe", 0), 0u) << path << ": " << name;
    }
    EXPECT_EQ(exported, 5u) << path;
  }
}

}  // namespace
