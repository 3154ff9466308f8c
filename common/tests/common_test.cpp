// The version probe and the PPD attribute lookup shared by the filter and the dialogs.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "capture.h"
#include "ppd_text.h"
#include "ppdattr.h"
#include "run_program.h"
#include "version.h"

namespace {

// Major and minor of the kernel release, packed; the minor keeps its low nibble.
TEST(Version, PacksKernelRelease) {
  const struct {
    const char* release;
    int32_t packed;
  } rows[] = {{.release = "14.5.0", .packed = 0x10A5},
              {.release = "8.0", .packed = 0x1040},
              {.release = "12.17", .packed = 0x1081},
              {.release = nullptr, .packed = 0x1000},
              {.release = "", .packed = 0x1000}};
  for (const auto& row : rows) EXPECT_EQ(PackKernelRelease(row.release), row.packed) << row.packed;
}

// Linux reports a current system unless the release is given; the value is
// kept for the process; an unknown selector fails with a message.
TEST(Version, GestaltFromTheOverrideCachedForTheProcess) {
  int32_t v = 0;
  unsetenv(kKernelReleaseEnv);
  ResetGestaltCache();
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersion, &v), 0);
  EXPECT_EQ(v, 0x10F0);
  setenv(kKernelReleaseEnv, "14.3.0", 1);
  ResetGestaltCache();
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersionMinor, &v), 0);
  EXPECT_EQ(v, 10);
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersionBugFix, &v), 0);
  EXPECT_EQ(v, 3);
  setenv(kKernelReleaseEnv, "11.0", 1);
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersion, &v), 0);
  EXPECT_EQ(v, 0x10A3);
  v = 1234;
  const CapturedOutput r = CaptureOutput([&] { EXPECT_EQ(Gestalt_ALT(0x61626364, &v), -1); });
  EXPECT_EQ(r.err, "Gestalt_ALT : selector '61626364' not supported.\n");
  EXPECT_EQ(v, 1234);
  unsetenv(kKernelReleaseEnv);
  ResetGestaltCache();
}

TEST(PPDFindAttrAlt, PrefixMatchInFileOrder) {
  TempDir dir;
  WriteFile(dir.File("t.ppd"), PPDHeader() + "*OVPSDecompModeX: \"9\"\n*OVPSDecompMode: \"1\"\n");
  ppd_file_t* ppd = ppdOpenFile(dir.File("t.ppd").c_str());
  ASSERT_NE(ppd, nullptr);
  ppd_attr_t* a = ppdFindAttr_ALT(ppd, "OVPSDecomp");
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->name, "OVPSDecompModeX");
  EXPECT_EQ(ppdFindAttr_ALT(ppd, "Missing"), nullptr);
  EXPECT_FALSE(PPDAttrEquals(ppd, "OVPSDecompMode", "1"));  // prefix finds the X attribute first
  EXPECT_TRUE(PPDAttrEquals(ppd, "PCFileName", "OVQTEST.PPD"));
  EXPECT_EQ(ppdFindAttr_ALT(nullptr, "PCFileName"), nullptr);
  ppdClose(ppd);
}

}  // namespace
