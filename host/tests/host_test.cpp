// The platform stand-ins: text encodings, print settings and session, group
// membership, strings tables, bundles, help viewer, alert sound.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <pwd.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "alert_sound.h"
#include "bundle.h"
#include "group_membership.h"
#include "help_viewer.h"
#include "print_session.h"
#include "print_settings.h"
#include "run_program.h"
#include "strings_table.h"
#include "text_encoding.h"

namespace {

// ---- PPD LanguageEncoding decoding ----------------------------------------

struct DecodeCase {
  const char* name;
  uint32_t encoding;
  std::string bytes;
  bool ok;
  std::string utf8;
};

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, DecodesAsTheEncodingDefines) {
  const DecodeCase& c = GetParam();
  std::string out = "stale";
  EXPECT_EQ(DecodeTextToUTF8(c.bytes, c.encoding, &out), c.ok);
  EXPECT_EQ(out, c.utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTest,
    testing::Values(
        DecodeCase{"Latin1EAcute", kTextEncodingISOLatin1, "caf\xE9", true, "caf\xC3\xA9"},
        DecodeCase{"Latin1C1Control", kTextEncodingISOLatin1, "\x80", true, "\xC2\x80"},
        DecodeCase{"WindowsEuro", kTextEncodingWindowsLatin1, "\x80", true, "\xE2\x82\xAC"},
        DecodeCase{"WindowsQuotes", kTextEncodingWindowsLatin1, "\x93x\x94", true, "\xE2\x80\x9Cx\xE2\x80\x9D"},
        DecodeCase{"MacRomanEAcute", kTextEncodingMacRoman, "\x8E", true, "\xC3\xA9"},
        DecodeCase{"MacRomanBullet", kTextEncodingMacRoman, "\xA5", true, "\xE2\x80\xA2"},
        DecodeCase{"ShiftJISHiragana", kTextEncodingMacJapanese, "\x82\xA0", true, "\xE3\x81\x82"},
        DecodeCase{"ShiftJISHalfWidthKana", kTextEncodingMacJapanese, "\xB1", true, "\xEF\xBD\xB1"},
        DecodeCase{"ShiftJISTruncated", kTextEncodingMacJapanese, "a\x82", false, ""},
        DecodeCase{"UTF8Valid", kTextEncodingUTF8, "\xC3\xA9", true, "\xC3\xA9"},
        DecodeCase{"UTF8Invalid", kTextEncodingUTF8, "\xE9", false, ""},
        DecodeCase{"UnknownEncoding", 0x7777, "abc", false, ""},
        DecodeCase{"Empty", kTextEncodingISOLatin1, "", true, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- strict UTF-8 ---------------------------------------------------------

struct UTF8Case {
  const char* name;
  std::string bytes;
  bool ok;
  std::u16string units;
};

class UTF8Test : public testing::TestWithParam<UTF8Case> {};

TEST_P(UTF8Test, DecodesOnlyWellFormedText) {
  const UTF8Case& c = GetParam();
  std::u16string out = u"stale";
  EXPECT_EQ(UTF8ToUTF16(c.bytes, &out), c.ok);
  EXPECT_EQ(out, c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, UTF8Test,
    testing::Values(UTF8Case{"Ascii", "ab", true, u"ab"},
                    UTF8Case{"TwoBytes", "\xC3\xA9", true, u"\u00E9"},
                    UTF8Case{"FourBytesMakeAPair", "\xF0\x9D\x84\x9E", true, u"\xD834\xDD1E"},
                    UTF8Case{"EmbeddedNul", std::string("a\0b", 3), true, std::u16string(u"a\0b", 3)},
                    UTF8Case{"OverlongSlash", "\xC0\xAF", false, u""},
                    UTF8Case{"OverlongThreeBytes", "\xE0\x80\xAF", false, u""},
                    UTF8Case{"SurrogateCodePoint", "\xED\xA0\x80", false, u""},
                    UTF8Case{"AboveUnicode", "\xF4\x90\x80\x80", false, u""},
                    UTF8Case{"Truncated", "\xE3\x81", false, u""},
                    UTF8Case{"LoneContinuation", "\x80", false, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UTF16, UnpairedSurrogateIsRefused) {
  std::string out = "stale";
  EXPECT_FALSE(UTF16ToUTF8(std::u16string(1, char16_t(0xD800)), &out));
  EXPECT_EQ(out, "");
  EXPECT_TRUE(UTF16ToUTF8(u"\xD834\xDD1E", &out));
  EXPECT_EQ(out, "\xF0\x9D\x84\x9E");
}

// ---- print settings and session ------------------------------------------

TEST(PrintSettings, StoresTextWithItsLockFlagAndReplaces) {
  PrintSettings settings;
  EXPECT_EQ(PMPrintSettingsSetValue(&settings, "k", "one", true), 0);
  std::string value;
  EXPECT_EQ(PMPrintSettingsGetValue(&settings, "k", &value), 0);
  EXPECT_EQ(value, "one");
  ASSERT_NE(settings.Find("k"), nullptr);
  EXPECT_TRUE(settings.Find("k")->locked);
  EXPECT_EQ(PMPrintSettingsSetValue(&settings, "k", "two", false), 0);
  EXPECT_EQ(PMPrintSettingsGetValue(&settings, "k", &value), 0);
  EXPECT_EQ(value, "two");
  EXPECT_FALSE(settings.Find("k")->locked);
  EXPECT_EQ(settings.Values().size(), 1u);
}

TEST(PrintSettings, MissingArgumentsAndAbsentKeys) {
  PrintSettings settings;
  std::string value = "kept";
  EXPECT_EQ(PMPrintSettingsSetValue(nullptr, "k", "v", false), -50);
  EXPECT_EQ(PMPrintSettingsSetValue(&settings, nullptr, "v", false), -50);
  EXPECT_EQ(PMPrintSettingsSetValue(&settings, "k", nullptr, false), -50);
  EXPECT_EQ(PMPrintSettingsGetValue(&settings, "absent", &value), -43);
  EXPECT_EQ(value, "kept");
  EXPECT_TRUE(settings.Values().empty());
}

TEST(PrintSession, CurrentPrinterAndDestination) {
  PrintSession session;
  PMPrinter printer = nullptr;
  EXPECT_EQ(PMSessionGetCurrentPrinter(&session, &printer), kPMInvalidPrinter);
  EXPECT_EQ(PMPrinterGetID(printer), nullptr);
  session.SetCurrentPrinter("Office_3F");
  ASSERT_EQ(PMSessionGetCurrentPrinter(&session, &printer), 0);
  EXPECT_STREQ(PMPrinterGetID(printer), "Office_3F");
  PMDestinationType type = kPMDestinationInvalid;
  EXPECT_EQ(PMSessionGetDestinationType(&session, nullptr, &type), 0);
  EXPECT_EQ(type, kPMDestinationPrinter);
  session.SetDestinationType(kPMDestinationPreview);
  EXPECT_EQ(PMSessionGetDestinationType(&session, nullptr, &type), 0);
  EXPECT_EQ(type, kPMDestinationPreview);
  EXPECT_EQ(PMSessionGetCurrentPrinter(nullptr, &printer), -50);
}

// ---- group membership ----------------------------------------------------

std::string PrimaryGroupOfRealUser() {
  struct passwd* user = getpwuid(getuid());
  if (user == nullptr) return "";
  struct group* group = getgrgid(user->pw_gid);
  return group == nullptr ? "" : group->gr_name;
}

RunResult RunId(const std::string& option) {
  RunSpec spec;
  spec.program = "/usr/bin/id";
  spec.args = {option};
  return RunProgram(spec);
}

TEST(GroupMembership, AgreesWithTheIdCommand) {
  RunResult name = RunId("-un");
  ASSERT_EQ(name.exit_status, 0);
  EXPECT_EQ(LoginNameOfRealUser() + "\n", name.out);

  std::string primary = PrimaryGroupOfRealUser();
  ASSERT_FALSE(primary.empty());
  EXPECT_EQ(QueryGroupMembership(primary, LoginNameOfRealUser()), GroupQueryResult::kMember);

  // Every group that "id -Gn" names counts as a membership.
  RunResult groups = RunId("-Gn");
  ASSERT_EQ(groups.exit_status, 0);
  size_t start = 0;
  std::string list = groups.out.substr(0, groups.out.find('\n'));
  while (start < list.size()) {
    size_t end = list.find(' ', start);
    if (end == std::string::npos) end = list.size();
    EXPECT_EQ(QueryGroupMembership(list.substr(start, end - start), LoginNameOfRealUser()),
              GroupQueryResult::kMember)
        << list.substr(start, end - start);
    start = end + 1;
  }
}

TEST(GroupMembership, AbsentGroupsAndUsers) {
  EXPECT_EQ(QueryGroupMembership("no-such-group-ovq", "root"), GroupQueryResult::kNoSuchGroup);
  EXPECT_EQ(QueryGroupMembership("root", "no-such-user-ovq"), GroupQueryResult::kNoSuchUser);
  EXPECT_EQ(QueryGroupMembership("root", "nobody"), GroupQueryResult::kNotMember);
}

// ---- strings tables --------------------------------------------------------

TEST(StringsTable, EntriesCommentsAndEscapes) {
  StringsTable table;
  ASSERT_TRUE(ParseStringsTable(
      "/* titles */\n\"Alert OK Btn\" = \"OK\";\n// note\n\"Q\" = \"say \\\"hi\\\"\\n\";\n"
      "\"Kana\"=\"\\U3042\";\"Clef\" = \"\\UD834\\UDD1E\";  \"Path\" = \"a\\\\b\";",
      &table));
  EXPECT_EQ(table.size(), 5u);
  EXPECT_EQ(table["Alert OK Btn"], "OK");
  EXPECT_EQ(table["Q"], "say \"hi\"\n");
  EXPECT_EQ(table["Kana"], "\xE3\x81\x82");
  EXPECT_EQ(table["Clef"], "\xF0\x9D\x84\x9E");
  EXPECT_EQ(table["Path"], "a\\b");
}

struct BadTableCase {
  const char* name;
  const char* text;
  size_t kept;
};

class BadStringsTable : public testing::TestWithParam<BadTableCase> {};

TEST_P(BadStringsTable, StopsAtTheFaultAndKeepsWhatCameBefore) {
  StringsTable table;
  EXPECT_FALSE(ParseStringsTable(GetParam().text, &table));
  EXPECT_EQ(table.size(), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, BadStringsTable,
    testing::Values(BadTableCase{"MissingSemicolon", "\"a\" = \"1\";\n\"b\" = \"2\"\n", 1},
                    BadTableCase{"UnclosedQuote", "\"a\" = \"1", 0},
                    BadTableCase{"MissingEquals", "\"a\" \"1\";", 0},
                    BadTableCase{"BadUnicodeEscape", "\"a\" = \"\\U12G4\";", 0},
                    BadTableCase{"LoneSurrogateEscape", "\"a\" = \"\\UD834\";", 0},
                    BadTableCase{"BareWord", "a = \"1\";", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- bundles and the help viewer ------------------------------------------

class BundleTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.File("Test Plugin.bundle");
    Make(root_);
    Make(root_ + "/Resources");
    Make(root_ + "/Resources/Help");
    WriteFile(root_ + "/Info.strings",
              "\"CFBundleIdentifier\" = \"nvxops15.pde.Test\";\n\"CFBundleVersion\" = \"1.0 Build 7\";\n"
              "\"CFBundleHelpBookFolder\" = \"Help\";\n\"CFBundleHelpBookName\" = \"Test Help\";\n");
    WriteFile(root_ + "/Resources/Localizable.strings", "\"Title\" = \"Print Type\";\n");
    WriteFile(root_ + "/Resources/Localizable2.strings", "\"Title\" = \"Druckart\";\n");
    WriteFile(root_ + "/Resources/Help/page one.html", "<html></html>");
    WriteFile(root_ + "/Resources/AlertIcon.png", "png");
  }
  void TearDown() override {
    ForgetRegisteredBundles();
    ForgetHelpBooks();
    SetHelpOpener(nullptr);
  }
  static void Make(const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0) << path; }

  TempDir dir_;
  std::string root_;
};

TEST_F(BundleTest, IdentityStringsAndResources) {
  std::unique_ptr<Bundle> bundle = Bundle::Open(root_);
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(bundle->Identifier(), "nvxops15.pde.Test");
  EXPECT_EQ(bundle->InfoValue("CFBundleVersion"), "1.0 Build 7");
  EXPECT_EQ(bundle->LocalizedString("Title", "no translation", ""), "Print Type");
  EXPECT_EQ(bundle->LocalizedString("Title", "no translation", "Localizable2"), "Druckart");
  EXPECT_EQ(bundle->LocalizedString("Absent", "no translation", ""), "no translation");
  EXPECT_EQ(bundle->LocalizedString("Title", "no translation", "NoSuchTable"), "no translation");
  EXPECT_EQ(bundle->PathForResource("AlertIcon", "png", ""), root_ + "/Resources/AlertIcon.png");
  EXPECT_EQ(bundle->PathForResource("page one", "html", "Help"), root_ + "/Resources/Help/page one.html");
  EXPECT_EQ(bundle->PathForResource("Missing", "png", ""), "");
}

TEST_F(BundleTest, RegistryFindsBundlesByIdentifier) {
  EXPECT_EQ(BundleWithIdentifier("nvxops15.pde.Test"), nullptr);
  const Bundle* registered = RegisterBundle(root_);
  ASSERT_NE(registered, nullptr);
  EXPECT_EQ(BundleWithIdentifier("nvxops15.pde.Test"), registered);
  EXPECT_EQ(RegisterBundle(dir_.File("absent")), nullptr);
  EXPECT_EQ(Bundle::Open(dir_.path()), nullptr);  // no Info.strings
}

TEST_F(BundleTest, HelpPagesOpenThroughTheOpener) {
  std::vector<std::string> opened;
  SetHelpOpener([&](const std::string& url) {
    opened.push_back(url);
    return 0;
  });
  std::unique_ptr<Bundle> bundle = Bundle::Open(root_);
  ASSERT_EQ(AHRegisterHelpBook(bundle.get()), 0);
  EXPECT_EQ(AHGotoPage("Test Help", "page one.html", "secure print"), 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0],
            "file://" + dir_.path() + "/Test%20Plugin.bundle/Resources/Help/page%20one.html#secure%20print");

  EXPECT_EQ(AHGotoPage("Test Help", "absent.html", nullptr), -43);
  EXPECT_EQ(AHGotoPage("Other Help", "page one.html", nullptr), -43);
  EXPECT_EQ(AHGotoPage(nullptr, "page one.html", nullptr), -50);
  EXPECT_EQ(opened.size(), 1u);

  SetHelpOpener([](const std::string&) { return 7; });
  EXPECT_EQ(AHGotoPage("Test Help", "page one.html", nullptr), 7);
}

TEST_F(BundleTest, HelpBookNeedsItsNameAndFolder) {
  EXPECT_EQ(AHRegisterHelpBook(nullptr), -43);
  WriteFile(root_ + "/Info.strings",
            "\"CFBundleIdentifier\" = \"nvxops15.pde.Test\";\n\"CFBundleHelpBookFolder\" = \"NoHelp\";\n"
            "\"CFBundleHelpBookName\" = \"Test Help\";\n");
  std::unique_ptr<Bundle> noFolder = Bundle::Open(root_);
  EXPECT_EQ(AHRegisterHelpBook(noFolder.get()), -43);
  WriteFile(root_ + "/Info.strings", "\"CFBundleIdentifier\" = \"nvxops15.pde.Test\";\n");
  std::unique_ptr<Bundle> noName = Bundle::Open(root_);
  EXPECT_EQ(AHRegisterHelpBook(noName.get()), -43);
  EXPECT_EQ(HelpBookFolder("Test Help"), "");
}

TEST(FileURL, EncodesBytesOutsideTheUnreservedSet) {
  EXPECT_EQ(FileURL("/a b/c#d%e/\xC3\xA9.html", "x y"), "file:///a%20b/c%23d%25e/%C3%A9.html#x%20y");
  EXPECT_EQ(FileURL("/plain/page.htm", ""), "file:///plain/page.htm");
}

TEST(AlertSound, CountsAndCallsTheHandler) {
  int heard = 0;
  SetSysBeepHandler([&] { ++heard; });
  int before = SysBeepCount();
  SysBeep();
  SysBeep();
  EXPECT_EQ(SysBeepCount(), before + 2);
  EXPECT_EQ(heard, 2);
  SetSysBeepHandler(nullptr);
}

}  // namespace
