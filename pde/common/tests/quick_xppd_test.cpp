// The constraint cache file: reader, writer, stamp, loading through the PPD.
#include "quick_xppd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <sstream>

#include "test_ppd.h"
#include "version.h"

using namespace ovqpde;

namespace {

// The entries read from section `section` of `file`, as Describe() spells them.
std::string Read(const std::string& file, const std::string& section) {
  XppdHash hash;
  std::istringstream in(file);
  CQuickXPPD reader(&hash, &section);
  in >> reader;
  return Describe(EntriesOf(hash));
}

TEST(CacheReader, FillsTheHashFromTheNamedSection) {
  const struct {
    const char *file, *entries;
  } rows[] = {
      {.file = "T\nX:Y@9@9@9@\nS\nA:B@1@2@3@C:D@0@0@0@\n", .entries = "A:B@1@2@3@ C:D@0@0@0@ "},
      {.file = "S\n\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", .entries = ""},  // an empty data line stops there
      {.file = "S\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", .entries = "A:B@1@2@3@ "},
      {.file = "S\n@1@2@3@A:B@1@1@1@\n", .entries = "A:B@1@1@1@ "},  // an empty key inserts nothing
      {.file = "S\nA:B@x@@7z@\n", .entries = "A:B@0@0@7@ "},
      {.file = "S\nA:B@1@2@3@C:D@4@5\n", .entries = "A:B@1@2@3@ "},
      {.file = "S\nA:B@1@2@3@\r\n", .entries = "A:B@1@2@3@ "},
      {.file = "S\r\nA:B@1@2@3@\n", .entries = ""},
      {.file = "S\nA:B@1@2@3@\n*% Last Edit Date: Jan 1 2024", .entries = "A:B@1@2@3@ "},
      // Indices that do not fit 16 bits stay outside every PPD instead of wrapping.
      {.file = "S\nA:B@70000@-1@65535@C:D@65536@99999999999999999999@2@\n",
       .entries = "A:B@65535@65535@65535@ C:D@65535@65535@2@ "},
  };
  for (const auto& row : rows) EXPECT_EQ(Read(row.file, "S"), row.entries) << row.file;

  XppdHash hash;
  std::string section = "S";
  std::istringstream failed("S\nA:B@1@2@3@\n"), in("S\nA:B@1@2@3@\n");
  failed.setstate(std::ios::failbit);
  CQuickXPPD reader(&hash, &section), noHash(nullptr, &section), empty;
  failed >> reader;
  EXPECT_TRUE(hash.empty());
  in >> noHash >> empty;  // no crash
}

TEST(FileStamp, CopiesTheLineWithTheMarker) {
  const struct {
    const char *ppd, *stamp;
  } rows[] = {{.ppd = "*PPD-Adobe: \"4.3\"\r*% Last Edit Date: Mar 3\r*End\r", .stamp = "*% Last Edit Date: Mar 3"},
              {.ppd = "*PPD-Adobe: \"4.3\"\n*% Last Edit Date: Mar 3\n*End\n", .stamp = "*% Last Edit Date: Mar 3"},
              {.ppd = "*PPD-Adobe: \"4.3\"\r\n*% Last Edit Date: May 5\r\n", .stamp = "*% Last Edit Date: May 5"},
              {.ppd = "*% Last Edit Date: one\n*% Last Edit Date: two", .stamp = "*% Last Edit Date: one"},
              {.ppd = "*PPD-Adobe: \"4.3\"\n*% Last Edit: x\n", .stamp = ""}};
  TempDir dir;
  std::string path = dir.File("stamp.ppd");
  for (const auto& row : rows) {
    WriteFile(path, row.ppd);
    std::ostringstream out;
    CQuickXPPD(nullptr, nullptr, nullptr, &path).SetFileStamp(out);
    EXPECT_EQ(out.str(), row.stamp);
  }
  path = "/nonexistent/ovq.ppd";
  std::ostringstream out;
  CQuickXPPD(nullptr, nullptr, nullptr, &path).SetFileStamp(out);
  CQuickXPPD().SetFileStamp(out);
  EXPECT_EQ(out.str(), "");
}

// The writer's own guards (the other rules are ovqcdf's tests): at most ten
// sections, and a section name that would break the format fails the stream.
TEST(CacheWriter, StopsAtTenSectionsAndRefusesALineFeedInAName) {
  TempDir dir;
  std::string path = dir.File("w.ppd");
  PPDHandle ppd =
      OpenPPDText(path, PPDHeader() + ShapesPPDOptions() + "*UIConstraints: *OVPunch TwoHole *Duplex DuplexNoTumble\n");
  ASSERT_NE(ppd, nullptr);
  const std::vector<std::string> keywords = {"OVPunch"};
  std::deque<std::string> names;
  std::vector<XPPDSection> table;
  for (int i = 0; i < 12; ++i) table.push_back({&names.emplace_back("S" + std::to_string(i)), &keywords});
  table.push_back({table[0].name, nullptr});
  for (const char* first : {"S0", "Bad\nName"}) {
    names[0] = first;
    XppdHash scratch;
    CQuickXPPD writer(ppd.get(), &scratch, table.data(), &path);
    std::ostringstream out;
    out << writer;
    EXPECT_EQ(out.good(), names[0] == "S0");
    if (!out.good()) continue;
    EXPECT_EQ(Read(out.str(), "S9"), "Duplex:DuplexNoTumble@1@1@1@ ");
    EXPECT_EQ(out.str().find("S10\n"), std::string::npos);
  }
}

class LoadCache : public testing::Test {
 protected:
  void SetUp() override {
    cache_ = dir_.File("cache.cdf");
    WriteFile(cache_, "ImageOptionPDEPanther\nP:Q@1@1@1@\nImageOptionPDETiger\nT:U@2@2@2@\n*% Last Edit Date: x");
    ppd_ = OpenPPDText(dir_.File("load.ppd"),
                       PPDHeader() + "*OVXCDFSettingFile: \"" + cache_ + "\"\n" + ShapesPPDOptions());
    ASSERT_NE(ppd_, nullptr);
  }
  void TearDown() override { SetRelease(nullptr); }
  static void SetRelease(const char* release) {
    release == nullptr ? unsetenv(kKernelReleaseEnv) : setenv(kKernelReleaseEnv, release, 1);
    ResetGestaltCache();
  }
  std::string Load(const char* release) {
    SetRelease(release);
    XppdHash hash;
    EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSetting"), 0);
    return Describe(EntriesOf(hash));
  }

  TempDir dir_;
  std::string cache_;
  PPDHandle ppd_;
};

TEST_F(LoadCache, SectionFollowsTheSystemVersion) {
  EXPECT_EQ(Load(nullptr), "T:U@2@2@2@ ");  // this host: a current system
  EXPECT_EQ(Load("7.9.0"), "P:Q@1@1@1@ ");  // 0x1039: band 0x1030
  EXPECT_EQ(Load("6.8"), "T:U@2@2@2@ ");    // 0x1028: neither band
}

// The attribute is found by prefix ("OVXCDFSetting" of "OVXCDFSettingFile"),
// with names of at most twenty bytes; an empty name matches nothing.
TEST_F(LoadCache, AttributeFoundByPrefixWithNamesOfAtMostTwentyBytes) {
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDF"));
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), ""));
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFileX"));
  EXPECT_FALSE(CDFKeyExist(nullptr, "OVXCDF"));
  XppdHash hash;
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", ""), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE12345", "OVXCDF"), 0);  // 19 bytes fit
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE123456", "OVXCDF"), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSettingFile1234"), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXMissing"), 1);
  std::remove(cache_.c_str());
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSetting"), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), nullptr, "ImageOptionPDE", "OVXCDFSetting"), 1);
  EXPECT_TRUE(hash.empty());
}

}  // namespace
