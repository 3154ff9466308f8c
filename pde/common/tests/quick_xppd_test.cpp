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

std::multiset<Entry> Read(const std::string& file, const std::string& section) {
  XppdHash hash;
  std::istringstream in(file);
  CQuickXPPD reader(&hash, &section);
  in >> reader;
  return EntriesOf(hash);
}

TEST(GetOneLine, MovesTheTextBeforeTheDelimiter) {
  struct Row {
    std::string line, field;
    bool found;
    const char *fieldAfter, *lineAfter;
  } rows[] = {{"A:B@1@", "x", true, "xA:B", "1@"},
              {"1@", "", true, "1", ""},
              {"rest", "f", false, "f", "rest"},
              {"@tail", "f", true, "f", "tail"}};
  for (Row& row : rows) {
    EXPECT_EQ(getoneline(row.line, row.field, '@'), row.found) << row.lineAfter;
    EXPECT_EQ(row.field, row.fieldAfter);
    EXPECT_EQ(row.line, row.lineAfter);
  }
}

// ---- the reader ------------------------------------------------------------------

TEST(CacheReader, FillsTheHashFromTheNamedSection) {
  const struct {
    const char* name;
    std::string file;
    std::multiset<Entry> entries;
  } rows[] = {{"OneEntry", "S\nA:B@1@2@3@\n", {{"A:B", 1, 2, 3}}},
              {"SectionAfterOthers", "T\nX:Y@9@9@9@\nS\nA:B@1@2@3@C:D@0@0@0@\n", {{"A:B", 1, 2, 3}, {"C:D", 0, 0, 0}}},
              {"EmptyDataLineStopsThere", "S\n\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", {}},
              {"FirstOfTwoSectionsWins", "S\nA:B@1@2@3@\nS\nC:D@4@5@6@\n", {{"A:B", 1, 2, 3}}},
              {"DuplicateKeysAreAllKept", "S\nA:B@1@2@3@A:B@4@5@6@\n", {{"A:B", 1, 2, 3}, {"A:B", 4, 5, 6}}},
              {"EmptyKeyInsertsNothing", "S\n@1@2@3@A:B@1@1@1@\n", {{"A:B", 1, 1, 1}}},
              {"NonNumbersCountZero", "S\nA:B@x@@7z@\n", {{"A:B", 0, 0, 7}}},
              {"SignAndBlanksAsAtoiReads", "S\nA:B@ 12@+3@-0@\n", {{"A:B", 12, 3, 0}}},
              {"IncompleteEntryDropped", "S\nA:B@1@2@3@C:D@4@5\n", {{"A:B", 1, 2, 3}}},
              {"TrailingCarriageReturnDropped", "S\nA:B@1@2@3@\r\n", {{"A:B", 1, 2, 3}}},
              {"NoAtSignAtAll", "S\nA:B 1 2 3\n", {}},
              {"HeaderMustMatchExactly", "S\r\nA:B@1@2@3@\n", {}},
              {"HeaderIsCaseSensitive", "s\nA:B@1@2@3@\n", {}},
              {"SectionMissing", "T\nA:B@1@2@3@\n", {}},
              {"EmptyFile", "", {}},
              {"HeaderAtEndOfFile", "S", {}},
              {"DataLineWithoutLineFeed", "S\nA:B@1@2@3@", {{"A:B", 1, 2, 3}}},
              {"StampIsIgnored", "S\nA:B@1@2@3@\n*% Last Edit Date: Jan 1 2024", {{"A:B", 1, 2, 3}}},
              // Indices that do not fit 16 bits stay outside every PPD instead of wrapping.
              {"OutOfRangeIndices",
               "S\nA:B@70000@-1@65535@C:D@65536@99999999999999999999@2@\n",
               {{"A:B", 65535, 65535, 65535}, {"C:D", 65535, 65535, 2}}}};
  for (const auto& row : rows) {
    EXPECT_EQ(Read(row.file, "S"), row.entries) << row.name << ": " << Describe(Read(row.file, "S"));
  }
}

TEST(CacheReaderState, FailedStreamAndMissingTargetsReadNothing) {
  XppdHash hash;
  std::string section = "S";
  std::istringstream failed("S\nA:B@1@2@3@\n"), in("S\nA:B@1@2@3@\n");
  failed.setstate(std::ios::failbit);
  CQuickXPPD reader(&hash, &section), noHash(nullptr, &section), empty;
  failed >> reader;
  EXPECT_TRUE(hash.empty());
  in >> noHash >> empty;  // no crash
}

// ---- the stamp -----------------------------------------------------------------------

TEST(FileStamp, CopiesTheLineWithTheMarker) {
  const struct {
    const char* name;
    std::string ppd;
    std::string stamp;
  } rows[] = {
      {"CarriageReturns", "*PPD-Adobe: \"4.3\"\r*% Last Edit Date: Mar 3 2003\r*End\r",
       "*% Last Edit Date: Mar 3 2003"},
      // Line feeds end a line as well: only the date line is copied, not the whole PPD.
      {"LineFeeds", "*PPD-Adobe: \"4.3\"\n*% Last Edit Date: Mar 3 2003\n*End\n", "*% Last Edit Date: Mar 3 2003"},
      {"CarriageReturnLineFeeds", "*PPD-Adobe: \"4.3\"\r\n*% Last Edit Date: May 5\r\n", "*% Last Edit Date: May 5"},
      {"LastLineWithoutEnd", "*PPD-Adobe: \"4.3\"\n*% Last Edit Date: today", "*% Last Edit Date: today"},
      {"FirstOfTwo", "*% Last Edit Date: one\n*% Last Edit Date: two\n", "*% Last Edit Date: one"},
      {"NoMarker", "*PPD-Adobe: \"4.3\"\n*% Last Edit: x\n", ""}};
  TempDir dir;
  std::string path = dir.File("stamp.ppd");
  for (const auto& row : rows) {
    WriteFile(path, row.ppd);
    std::ostringstream out;
    CQuickXPPD(nullptr, nullptr, nullptr, &path).SetFileStamp(out);
    EXPECT_EQ(out.str(), row.stamp) << row.name;
  }
}

TEST(FileStamp, WritesNothingWithoutAFile) {
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

  // Writes the sections (a table that ends at a named row without keywords) of
  // `ppd` (else the fixture's), with the stamp of `path` (else the fixture's).
  std::string Write(const std::vector<std::pair<std::string, std::vector<std::string>>>& rows,
                    ppd_file_t* ppd = nullptr, std::string path = "", size_t* skipped = nullptr) {
    if (path.empty()) path = path_;
    std::deque<std::string> names;
    std::deque<std::vector<std::string>> keys;
    std::vector<XPPDSection> table;
    for (const auto& [name, keywords] : rows)
      table.push_back({&names.emplace_back(name), &keys.emplace_back(keywords)});
    table.push_back({table.empty() ? nullptr : table[0].name, nullptr});
    XppdHash scratch;
    CQuickXPPD writer(ppd != nullptr ? ppd : ppd_.get(), &scratch, table.data(), &path);
    std::ostringstream out;
    out << writer;
    EXPECT_EQ(out.good(), expectGood_);
    EXPECT_TRUE(scratch.empty());
    if (skipped != nullptr) *skipped = writer.SkippedEntries();
    return out.str();
  }

  TempDir dir_;
  std::string path_;
  PPDHandle ppd_;
  bool expectGood_ = true;
};

// Entries of a data line, split here independently of the reader.
std::multiset<Entry> SplitDataLine(const std::string& line) {
  std::multiset<Entry> entries;
  EXPECT_EQ(line.back(), '@') << line;
  std::istringstream in(line);
  std::string key, group, option, choice;
  while (std::getline(in, key, '@') && std::getline(in, group, '@') && std::getline(in, option, '@') &&
         std::getline(in, choice, '@')) {
    entries.emplace(key, std::stoi(group), std::stoi(option), std::stoi(choice));
  }
  EXPECT_TRUE(in.eof() && key.empty()) << "incomplete entry: " << line;
  return entries;
}

TEST_F(CacheWriter, WritesSectionsInTableOrderThenTheStamp) {
  std::string file =
      Write({{"PunchSection", {"OVPunch"}}, {"StapleSection", {"OVStaple"}}, {"NoneSection", {"Absent"}}});
  std::istringstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 7u) << file;
  EXPECT_EQ(lines[0], "PunchSection");
  EXPECT_EQ(lines[1], "Duplex:DuplexNoTumble@1@1@1@");
  EXPECT_EQ(lines[2], "StapleSection");
  EXPECT_EQ(SplitDataLine(lines[3]), (std::multiset<Entry>{{"OVStaple:Left", 0, 0, 1},
                                                           {"OVStaple:Left", 0, 1, 2},
                                                           {"Duplex:DuplexTumble", 1, 0, 1},
                                                           {"Duplex:DuplexTumble", 1, 0, 2}}));
  EXPECT_EQ(lines[4], "NoneSection");
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], "*% Last Edit Date: Jun 1 2024");
  EXPECT_NE(file.back(), '\n');
}

TEST_F(CacheWriter, ReadBackGivesTheDirectBuild) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> sections = {
      {"ImageOptionPDETiger", {"OVStaple", "OVPunch"}}, {"ImageOptionPDEPanther", {"Duplex", "OVColor"}}};
  std::string file = Write(sections);
  for (const auto& [name, keys] : sections) {
    XppdHash direct;
    BuildXppdFromKeywords(ppd_.get(), &direct, keys);
    EXPECT_FALSE(direct.empty());
    EXPECT_EQ(Read(file, name), EntriesOf(direct)) << name;
  }
}

TEST_F(CacheWriter, TableStopsAtTenSections) {
  std::vector<std::pair<std::string, std::vector<std::string>>> sections;
  for (int i = 0; i < 12; ++i) sections.push_back({"Section" + std::to_string(i), {"OVPunch"}});
  std::string file = Write(sections);
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
  size_t skipped = 0;
  EXPECT_EQ(Write({{"S", {"OVTray"}}}, ppd.get(), path, &skipped), "S\n\n");
  EXPECT_EQ(skipped, 1u);
}

TEST_F(CacheWriter, SectionNameWithLineFeedFailsTheStream) {
  expectGood_ = false;
  Write({{"Bad\nName", {"OVPunch"}}});
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
  void TearDown() override { SetRelease(nullptr); }
  static void SetRelease(const char* release) {
    release == nullptr ? unsetenv(kKernelReleaseEnv) : setenv(kKernelReleaseEnv, release, 1);
    ResetGestaltCache();
  }
  std::multiset<Entry> Load(const char* release) {
    SetRelease(release);
    XppdHash hash;
    EXPECT_EQ(GetXPPD(ppd_.get(), &hash, "ImageOptionPDE", "OVXCDFSetting"), 0);
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

TEST_F(LoadCache, AttributeFoundByPrefixWithNamesOfAtMostTwentyBytes) {
  // The PPD's attribute is "OVXCDFSettingFile"; "OVXCDFSetting" is a prefix of it.
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDFSetting"));
  // An empty name would match the PPD's first attribute and open its value as a path.
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), ""));
  XppdHash none;
  EXPECT_EQ(GetXPPD(ppd_.get(), &none, "ImageOptionPDE", ""), 1);
  EXPECT_TRUE(none.empty());
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDF"));
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFileX"));
  EXPECT_FALSE(CDFKeyExist(nullptr, "OVXCDF"));
  XppdHash hash;
  EXPECT_TRUE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFile"));                  // 17 bytes
  EXPECT_FALSE(CDFKeyExist(ppd_.get(), "OVXCDFSettingFileABCD"));             // 21 bytes
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
