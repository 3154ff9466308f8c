#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ppdattr.h"
#include "version.h"

namespace {

struct PackCase {
  const char* release;
  int32_t packed;
};

class PackKernelReleaseTest : public ::testing::TestWithParam<PackCase> {};

TEST_P(PackKernelReleaseTest, PacksMajorAndMinor) {
  EXPECT_EQ(PackKernelRelease(GetParam().release), GetParam().packed);
}

INSTANTIATE_TEST_SUITE_P(Releases, PackKernelReleaseTest,
                         ::testing::Values(PackCase{"14.5.0", 0x10A5}, PackCase{"14.0", 0x10A0},
                                           PackCase{"11.4.2", 0x1074}, PackCase{"19.0", 0x10F0},
                                           PackCase{"8.0", 0x1040}, PackCase{"10.8", 0x1068},
                                           PackCase{"12.17", 0x1081},  // minor keeps its low nibble
                                           PackCase{nullptr, 0x1000}, PackCase{"", 0x1000}));

class GestaltTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv(kKernelReleaseEnv);
    ResetGestaltCache();
  }
};

TEST_F(GestaltTest, LinuxReportsCurrentSystem) {
  unsetenv(kKernelReleaseEnv);
  ResetGestaltCache();
  int32_t v = 0;
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersion, &v), 0);
  EXPECT_EQ(v, 0x10F0);
}

TEST_F(GestaltTest, ProductDigitsFromOverride) {
  setenv(kKernelReleaseEnv, "14.3.0", 1);
  ResetGestaltCache();
  int32_t v = 0;
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersion, &v), 0);
  EXPECT_EQ(v, 0x10A3);
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersionMajor, &v), 0);
  EXPECT_EQ(v, 10);
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersionMinor, &v), 0);
  EXPECT_EQ(v, 10);
  ASSERT_EQ(Gestalt_ALT(kGestaltSystemVersionBugFix, &v), 0);
  EXPECT_EQ(v, 3);
}

TEST_F(GestaltTest, ValueIsCachedForTheProcess) {
  setenv(kKernelReleaseEnv, "11.0", 1);
  ResetGestaltCache();
  int32_t v = 0;
  Gestalt_ALT(kGestaltSystemVersion, &v);
  setenv(kKernelReleaseEnv, "14.0", 1);
  Gestalt_ALT(kGestaltSystemVersion, &v);
  EXPECT_EQ(v, 0x1070);
}

TEST_F(GestaltTest, UnknownSelectorFails) {
  int32_t v = 1234;
  testing::internal::CaptureStderr();
  EXPECT_EQ(Gestalt_ALT(0x61626364, &v), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Gestalt_ALT : selector '61626364' not supported.\n");
  EXPECT_EQ(v, 1234);
}

std::string WriteTempPPD(const char* body) {
  char path[] = "/tmp/ovqattrXXXXXX";
  int fd = mkstemp(path);
  FILE* f = fdopen(fd, "w");
  std::fputs(body, f);
  std::fclose(f);
  return path;
}

TEST(PPDFindAttrAlt, PrefixMatchInFileOrder) {
  std::string path = WriteTempPPD(
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n"
      "*LanguageEncoding: ISOLatin1\n*Manufacturer: \"T\"\n*ModelName: \"T\"\n*NickName: \"T\"\n"
      "*ShortNickName: \"T\"\n*PCFileName: \"T.PPD\"\n*Product: \"(T)\"\n*PSVersion: \"(3010) 0\"\n"
      "*OVPSDecompModeX: \"9\"\n*OVPSDecompMode: \"1\"\n");
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  ASSERT_NE(ppd, nullptr);
  ppd_attr_t* a = ppdFindAttr_ALT(ppd, "OVPSDecomp");
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->name, "OVPSDecompModeX");
  EXPECT_EQ(ppdFindAttr_ALT(ppd, "Missing"), nullptr);
  EXPECT_FALSE(PPDAttrEquals(ppd, "OVPSDecompMode", "1"));  // prefix finds the X attribute first
  EXPECT_TRUE(PPDAttrEquals(ppd, "PCFileName", "T.PPD"));
  EXPECT_EQ(ppdFindAttr_ALT(nullptr, "PCFileName"), nullptr);
  ppdClose(ppd);
  std::remove(path.c_str());
}

}  // namespace
