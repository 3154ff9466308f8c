// The constraint cache file: reader, writer, stamp, loading through the PPD.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "quick_xppd.h"
#include "test_ppd.h"
#include "version.h"

using namespace ovqpde;

namespace {

std::multiset<Entry> Read(const std::string& file, const std::string& section) {
  XppdHash hash;
  std::istringstream in(file);
  CQuickXPPD reader(&hash, &section);
  in >> reader;
  return EntriesOf(hash);
}

// ---- getoneline ----------------------------------------------------------------

TEST(GetOneLine, MovesTheTextBeforeTheDelimiter) {
  std::string line = "A:B@1@";
  std::string field = "x";
  EXPECT_TRUE(getoneline(line, field, '@'));
  EXPECT_EQ(field, "xA:B");
  EXPECT_EQ(line, "1@");
  field.clear();
  EXPECT_TRUE(getoneline(line, field, '@'));
  EXPECT_EQ(field, "1");
  EXPECT_EQ(line, "");
  line = "rest";
  field = "f";
  EXPECT_FALSE(getoneline(line, field, '@'));
  EXPECT_EQ(line, "rest");
  EXPECT_EQ(field, "f");
  line = "@tail";
  EXPECT_TRUE(getoneline(line, field, '@'));
  EXPECT_EQ(field, "f");
  EXPECT_EQ(line, "tail");
}

// ---- the reader ------------------------------------------------------------------

struct ReadCase {
  const char* name;
  std::string file;
  std::multiset<Entry> entries;  // read for the section "S"
};

class CacheReader : public testing::TestWithParam<ReadCase> {};

TEST_P(CacheReader, FillsTheHashFromTheNamedSection) {
  EXPECT_EQ(Read(GetParam().file, "S"), GetParam().entries) << Describe(Read(GetParam().file, "S"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, CacheReader,
    testing::Values(
        ReadCase{"OneEntry", "S\nA:B@1@2@3@\n", {{"A:B", 1, 2, 3}}},
        ReadCase{"SectionAfterOthers", "T\nX:Y@9@9@9@\nS\nA:B@1@2@3@C:D@0@0@0@\n", {{"A:B", 1, 2, 3}, {"C:D", 0, 0, 0}}},
        ReadCase{"EmptyDataLineStopsThere", "S\n\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", {}},
        ReadCase{"FirstOfTwoSectionsWins", "S\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", {{"A:B", 1, 2, 3}}},
        ReadCase{"DuplicateKeysAreAllKept", "S\nA:B@1@2@3@A:B@4@5@6@\n", {{"A:B", 1, 2, 3}, {"A:B", 4, 5, 6}}},
        ReadCase{"EmptyKeyInsertsNothing", "S\n@1@2@3@A:B@1@1@1@\n", {{"A:B", 1, 1, 1}}},
        ReadCase{"NonNumbersCountZero", "S\nA:B@x@@7z@\n", {{"A:B", 0, 0, 7}}},
        ReadCase{"SignAndBlanksAsAtoiReads", "S\nA:B@ 12@+3@-0@\n", {{"A:B", 12, 3, 0}}},
        ReadCase{"IncompleteEntryDropped", "S\nA:B@1@2@3@C:D@4@5\n", {{"A:B", 1, 2, 3}}},
        ReadCase{"TrailingCarriageReturnDropped", "S\nA:B@1@2@3@\r\n", {{"A:B", 1, 2, 3}}},
        ReadCase{"NoAtSignAtAll", "S\nA:B 1 2 3\n", {}},
        ReadCase{"HeaderMustMatchExactly", "S\r\nA:B@1@2@3@\n", {}},
        ReadCase{"HeaderIsCaseSensitive", "s\nA:B@1@2@3@\n", {}},
        ReadCase{"SectionMissing", "T\nA:B@1@2@3@\n", {}},
        ReadCase{"EmptyFile", "", {}},
        ReadCase{"HeaderAtEndOfFile", "S", {}},
        ReadCase{"DataLineWithoutLineFeed", "S\nA:B@1@2@3@", {{"A:B", 1, 2, 3}}},
        ReadCase{"StampIsIgnored", "S\nA:B@1@2@3@\n*% Last Edit Date: Jan 1 2024", {{"A:B", 1, 2, 3}}},
        // Indices that do not fit 16 bits stay outside every PPD instead of wrapping.
        ReadCase{"OutOfRangeIndices", "S\nA:B@70000@-1@65535@C:D@65536@99999999999999999999@2@\n",
                 {{"A:B", 65535, 65535, 65535}, {"C:D", 65535, 65535, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CacheReaderState, FailedStreamAndMissingTargetsReadNothing) {
  XppdHash hash;
  std::string section = "S";
  std::istringstream failed("S\nA:B@1@2@3@\n");
  failed.setstate(std::ios::failbit);
  CQuickXPPD reader(&hash, &section);
  failed >> reader;
  EXPECT_TRUE(hash.empty());
  std::istringstream in("S\nA:B@1@2@3@\n");
  CQuickXPPD noHash(nullptr, &section);
  in >> noHash;
  CQuickXPPD empty;
  in >> empty;
  SUCCEED();
}

// ---- the stamp -----------------------------------------------------------------------

struct StampCase {
  const char* name;
  std::string ppd;
  std::string stamp;
};

class FileStamp : public testing::TestWithParam<StampCase> {};

TEST_P(FileStamp, CopiesTheLineWithTheMarker) {
  TempDir dir;
  std::string path = dir.File("stamp.ppd");
  WriteFile(path, GetParam().ppd);
  CQuickXPPD writer(nullptr, nullptr, nullptr, &path);
  std::ostringstream out;
  writer.SetFileStamp(out);
  EXPECT_EQ(out.str(), GetParam().stamp);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, FileStamp,
    testing::Values(
        StampCase{"CarriageReturns", "*PPD-Adobe: \"4.3\"\r*% Last Edit Date: Mar 3 2003\r*End\r",
                  "*% Last Edit Date: Mar 3 2003"},
        // Line feeds end a line as well: only the date line is copied, not the whole PPD.
        StampCase{"LineFeeds", "*PPD-Adobe: \"4.3\"\n*% Last Edit Date: Mar 3 2003\n*End\n",
                  "*% Last Edit Date: Mar 3 2003"},
        StampCase{"CarriageReturnLineFeeds", "*PPD-Adobe: \"4.3\"\r\n*% Last Edit Date: May 5\r\n",
                  "*% Last Edit Date: May 5"},
        StampCase{"LastLineWithoutEnd", "*PPD-Adobe: \"4.3\"\n*% Last Edit Date: today", "*% Last Edit Date: today"},
        StampCase{"FirstOfTwo", "*% Last Edit Date: one\n*% Last Edit Date: two\n", "*% Last Edit Date: one"},
        StampCase{"NoMarker", "*PPD-Adobe: \"4.3\"\n*% Last Edit: x\n", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileStampMissing, WritesNothingWithoutAFile) {
  std::string path = "/nonexistent/ovq.ppd";
  std::ostringstream out;
  CQuickXPPD(nullptr, nullptr, nullptr, &path).SetFileStamp(out);
  CQuickXPPD().SetFileStamp(out);
  EXPECT_EQ(out.str(), "");
}

// ---- the writer ------------------------------------------------------------------------

class CacheWriter : public testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.File("writer.ppd");
    ppd_ = OpenPPDText(path_, PPDHeader() + "*% Last Edit Date: Jun 1 2024\n" + ShapesPPDOptions() +
                                  "*UIConstraints: *OVColor Color *OVStaple Left\n"
                                  "*UIConstraints: *Duplex DuplexTumble *OVStaple Left\n"
                                  "*UIConstraints: *OVPunch TwoHole *Duplex DuplexNoTumble\n"
                                  "*UIConstraints: *OVStaple *Duplex DuplexTumble\n");
    ASSERT_NE(ppd_, nullptr);
  }

  std::string Write(const XPPDSection* sections, size_t* skipped = nullptr) {
    XppdHash scratch;
    CQuickXPPD writer(ppd_.get(), &scratch, sections, &path_);
    std::ostringstream out;
    out << writer;
    EXPECT_TRUE(out.good());
    EXPECT_TRUE(scratch.empty());
    if (skipped != nullptr) *skipped = writer.SkippedEntries();
    return out.str();
  }

  TempDir dir_;
  std::string path_;
  PPDHandle ppd_;
};

// Entries of a data line, split here independently of the reader.
std::multiset<Entry> SplitDataLine(const std::string& line) {
  std::multiset<Entry> entries;
  std::vector<std::string> fields;
  std::string field;
  for (char c : line) {
    if (c != '@') {
      field.push_back(c);
      continue;
    }
    fields.push_back(field);
    field.clear();
  }
  EXPECT_EQ(field, "") << "data line does not end with @";
  EXPECT_EQ(fields.size() % 4, 0u);
  for (size_t i = 0; i + 3 < fields.size(); i += 4) {
    entries.emplace(fields[i], std::stoi(fields[i + 1]), std::stoi(fields[i + 2]), std::stoi(fields[i + 3]));
  }
  return entries;
}

TEST_F(CacheWriter, WritesSectionsInTableOrderThenTheStamp) {
  const std::string punch = "PunchSection";
  const std::string staple = "StapleSection";
  const std::string none = "NoneSection";
  const std::vector<std::string> punchKeys = {"OVPunch"};
  const std::vector<std::string> stapleKeys = {"OVStaple"};
  const std::vector<std::string> noKeys = {"Absent"};
  const XPPDSection table[] = {{&punch, &punchKeys}, {&staple, &stapleKeys}, {&none, &noKeys}, {&punch, nullptr}};
  std::string file = Write(table);

  std::istringstream lines(file);
  std::string line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "PunchSection");
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "Duplex:DuplexNoTumble@1@1@1@");
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "StapleSection");
  ASSERT_TRUE(std::getline(lines, line));
  std::multiset<Entry> expected = {{"OVStaple:Left", 0, 0, 1},
                                   {"OVStaple:Left", 0, 1, 2},
                                   {"Duplex:DuplexTumble", 1, 0, 1},
                                   {"Duplex:DuplexTumble", 1, 0, 2}};
  EXPECT_EQ(SplitDataLine(line), expected) << line;
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "NoneSection");
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(std::getline(lines, line));
  EXPECT_EQ(line, "*% Last Edit Date: Jun 1 2024");
  EXPECT_TRUE(lines.eof());
  EXPECT_NE(file.back(), '\n');
}

TEST_F(CacheWriter, ReadBackGivesTheDirectBuild) {
  const std::string a = "ImageOptionPDETiger";
  const std::string b = "ImageOptionPDEPanther";
  const std::vector<std::string> aKeys = {"OVStaple", "OVPunch"};
  const std::vector<std::string> bKeys = {"Duplex", "OVColor"};
  const XPPDSection table[] = {{&a, &aKeys}, {&b, &bKeys}, {nullptr, nullptr}};
  std::string file = Write(table);
  for (const auto& [name, keys] : {std::pair{a, aKeys}, std::pair{b, bKeys}}) {
    XppdHash direct;
    BuildXppdFromKeywords(ppd_.get(), &direct, keys);
    EXPECT_FALSE(direct.empty());
    EXPECT_EQ(Read(file, name), EntriesOf(direct)) << name;
  }
}

TEST_F(CacheWriter, TableStopsAtTenSections) {
  std::vector<std::string> names;
  for (int i = 0; i < 12; ++i) names.push_back("Section" + std::to_string(i));
  const std::vector<std::string> keys = {"OVPunch"};
  std::vector<XPPDSection> table;
  for (const std::string& name : names) table.push_back({&name, &keys});
  std::string file = Write(table.data());
  EXPECT_NE(file.find("Section9\n"), std::string::npos);
  EXPECT_EQ(file.find("Section10\n"), std::string::npos);
  EXPECT_EQ(Read(file, "Section9"), (std::multiset<Entry>{{"Duplex:DuplexNoTumble", 1, 1, 1}}));
}

TEST_F(CacheWriter, KeysTheFormatCannotCarryAreLeftOutAndCounted) {
  std::string path = dir_.File("at.ppd");
  PPDHandle ppd = OpenPPDText(path, PPDHeader() + ShapesPPDOptions() +
                                        "*OpenUI *OVTray/Tray: PickOne\n*DefaultOVTray: Auto\n"
                                        "*OVTray Auto/Auto: \"\"\n*OVTray A@B/Odd: \"\"\n*CloseUI: *OVTray\n"
                                        "*UIConstraints: *OVColor Color *OVTray\n");
  ASSERT_NE(ppd, nullptr);
  const std::string name = "S";
  const std::vector<std::string> keys = {"OVTray"};
  const XPPDSection table[] = {{&name, &keys}, {nullptr, nullptr}};
  XppdHash scratch;
  CQuickXPPD writer(ppd.get(), &scratch, table, &path);
  std::ostringstream out;
  out << writer;
  EXPECT_EQ(writer.SkippedEntries(), 1u);
  EXPECT_EQ(out.str(), "S\n\n");
}

TEST_F(CacheWriter, SectionNameWithLineFeedFailsTheStream) {
  const std::string name = "Bad\nName";
  const std::vector<std::string> keys = {"OVPunch"};
  const XPPDSection table[] = {{&name, &keys}, {nullptr, nullptr}};
  XppdHash scratch;
  CQuickXPPD writer(ppd_.get(), &scratch, table, &path_);
  std::ostringstream out;
  out << writer;
  EXPECT_TRUE(out.fail());
}

// ---- loading through the PPD attribute ----------------------------------------------------

class LoadCache : public testing::Test {
 protected:
  void SetUp() override {
    cache_ = dir_.File("cache.cdf");
    WriteFile(cache_, "ImageOptionPDEPanther\nP:Q@1@1@1@\nImageOptionPDETiger\nT:U@2@2@2@\n*% Last Edit Date: x");
    ppd_ = OpenPPDText(dir_.File("load.ppd"),
                       PPDHeader() + "*OVXCDFSettingFile: \"" + cache_ + "\"\n" + ShapesPPDOptions());
    ASSERT_NE(ppd_, nullptr);
  }
  void TearDown() override {
    unsetenv(kKernelReleaseEnv);
    ResetGestaltCache();
  }
  std::multiset<Entry> Load(const char* release, int expectedResult = 0) {
    if (release == nullptr) {
      unsetenv(kKernelReleaseEnv);
    } else {
      setenv(kKernelReleaseEnv, release, 1);
    }
    ResetGestaltCache();
    XppdHash hash;
    EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSetting"), expectedResult);
    return EntriesOf(hash);
  }

  TempDir dir_;
  std::string cache_;
  PPDHandle ppd_;
};

TEST_F(LoadCache, SectionFollowsTheSystemVersion) {
  const std::multiset<Entry> tiger = {{"T:U", 2, 2, 2}};
  const std::multiset<Entry> panther = {{"P:Q", 1, 1, 1}};
  EXPECT_EQ(Load(nullptr), tiger);    // this host: a current system
  EXPECT_EQ(Load("7.9.0"), panther);  // 0x1039 → band 0x1030
  EXPECT_EQ(Load("8.0.0"), tiger);    // 0x1040
  EXPECT_EQ(Load("6.8"), tiger);      // 0x1028: neither band
  EXPECT_EQ(Load("10.8.0"), tiger);   // 0x1068
}

TEST_F(LoadCache, AttributeFoundByPrefix) {
  // The PPD's attribute is "OVXCDFSettingFile"; "OVXCDFSetting" is a prefix of it.
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDFSetting"));
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDF"));
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFileX"));
  EXPECT_FALSE(CDFKeyExist(nullptr, "OVXCDF"));
}

TEST_F(LoadCache, NamesMustFitTwentyBytes) {
  XppdHash hash;
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFile"));                    // 17 bytes
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFileABCD"));              // 21 bytes
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE12345", "OVXCDF"), 0);  // 19 bytes fit
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE123456", "OVXCDF"), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSettingFile1234"), 1);
  EXPECT_TRUE(hash.empty());
}

TEST_F(LoadCache, MissingFileOrAttributeGivesOneAndAnEmptyHash) {
  XppdHash hash;
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXMissing"), 1);
  std::remove(cache_.c_str());
  EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSetting"), 1);
  EXPECT_EQ(GetXPPD(ppd_.get(), nullptr, "ImageOptionPDE", "OVXCDFSetting"), 1);
  EXPECT_TRUE(hash.empty());
}

}  // namespace
