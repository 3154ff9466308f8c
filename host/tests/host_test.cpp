// The platform stand-ins: text encodings, print settings and session, group
// membership, strings tables, bundles, help viewer, alert sound.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "alert_sound.h"
#include "bundle.h"
#include "group_membership.h"
#include "help_viewer.h"
#include "param_name.h"
#include "preferences.h"
#include "print_settings.h"
#include "run_program.h"
#include "strings_table.h"
#include "text_encoding.h"

namespace {

TEST(Decode, DecodesAsTheEncodingDefines) {
  const struct {
    uint32_t encoding;
    std::string bytes;
    bool ok;
    std::string utf8;
  } rows[] = {{kTextEncodingISOLatin1, "caf\xE9", true, "caf\xC3\xA9"},
              {kTextEncodingISOLatin1, "\x80", true, "\xC2\x80"},  // a C1 control
              {kTextEncodingWindowsLatin1, "\x80", true, "\xE2\x82\xAC"},
              {kTextEncodingWindowsLatin1, "\x93x\x94", true, "\xE2\x80\x9Cx\xE2\x80\x9D"},
              {kTextEncodingMacRoman, "\x8E", true, "\xC3\xA9"},
              {kTextEncodingMacRoman, "\xA5", true, "\xE2\x80\xA2"},
              {kTextEncodingMacJapanese, "\x82\xA0", true, "\xE3\x81\x82"},
              {kTextEncodingMacJapanese, "\xB1", true, "\xEF\xBD\xB1"},  // half-width kana
              {kTextEncodingMacJapanese, "a\x82", false, ""},            // truncated
              {kTextEncodingUTF8, "\xC3\xA9", true, "\xC3\xA9"},
              {kTextEncodingUTF8, "\xE9", false, ""},
              {0x7777, "abc", false, ""},
              {kTextEncodingISOLatin1, "", true, ""}};
  for (const auto& row : rows) {
    std::string out = "stale";
    EXPECT_EQ(DecodeTextToUTF8(row.bytes, row.encoding, &out), row.ok) << row.encoding << " " << row.bytes;
    EXPECT_EQ(out, row.utf8);
  }
}

TEST(UTF8, DecodesOnlyWellFormedText) {
  const struct {
    std::string bytes;
    bool ok;
    std::u16string units;
  } rows[] = {{"ab", true, u"ab"},
              {"\xC3\xA9", true, u"\u00E9"},
              {"\xF0\x9D\x84\x9E", true, u"\xD834\xDD1E"},
              {std::string("a\0b", 3), true, std::u16string(u"a\0b", 3)},
              // overlong, surrogate code point, above Unicode, truncated, lone continuation byte
              {"\xC0\xAF", false, u""},
              {"\xE0\x80\xAF", false, u""},
              {"\xED\xA0\x80", false, u""},
              {"\xF4\x90\x80\x80", false, u""},
              {"\xE3\x81", false, u""},
              {"\x80", false, u""}};
  for (const auto& row : rows) {
    std::u16string out = u"stale";
    EXPECT_EQ(UTF8ToUTF16(row.bytes, &out), row.ok) << row.bytes;
    EXPECT_EQ(out, row.units) << row.bytes;
  }
}

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
  std::string value;
  for (auto [text, locked] : {std::pair{"one", true}, std::pair{"two", false}}) {
    EXPECT_EQ(PMPrintSettingsSetValue(&settings, "k", text, locked), 0);
    EXPECT_EQ(PMPrintSettingsGetValue(&settings, "k", &value), 0);
    EXPECT_EQ(value, text);
    ASSERT_NE(settings.Find("k"), nullptr);
    EXPECT_EQ(settings.Find("k")->locked, locked);
  }
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

// ---- group membership ----------------------------------------------------

RunResult Id(const char* option) {
  RunSpec spec;
  spec.program = "/usr/bin/id";
  spec.args = {option};
  return RunProgram(spec);
}

TEST(GroupMembership, AgreesWithTheIdCommand) {
  RunResult name = Id("-un");
  ASSERT_EQ(name.exit_status, 0);
  EXPECT_EQ(LoginNameOfRealUser() + "\n", name.out);
  // Every group that "id -Gn" names (the primary group first) counts as a membership.
  RunResult groups = Id("-Gn");
  ASSERT_EQ(groups.exit_status, 0);
  std::istringstream list(groups.out);
  size_t count = 0;
  for (std::string group; list >> group; ++count) {
    EXPECT_EQ(QueryGroupMembership(group, LoginNameOfRealUser()), GroupQueryResult::kMember) << group;
  }
  EXPECT_GT(count, 0u);
}

TEST(GroupMembership, AbsentGroupsAndUsers) {
  EXPECT_EQ(QueryGroupMembership("no-such-group-ovq", "root"), GroupQueryResult::kNoSuchGroup);
  EXPECT_EQ(QueryGroupMembership("root", "no-such-user-ovq"), GroupQueryResult::kNoSuchUser);
  EXPECT_EQ(QueryGroupMembership("root", "nobody"), GroupQueryResult::kNotMember);
}

// ---- administrator test ----------------------------------------------------

struct AdminRow {
  const char* name;
  uid_t uid;
  const char* login;
  const char* conf;  // cups-files.conf
  bool administrator;
};

class Administrator : public testing::TestWithParam<AdminRow> {};

TEST_P(Administrator, RootOrAMemberOfCupsSystemGroups) {
  TempDir dir;
  WriteFile(dir.File("cups-files.conf"), GetParam().conf);
  EXPECT_EQ(IsAdministrator(GetParam().uid, GetParam().login, dir.File("cups-files.conf")), GetParam().administrator);
}

// nobody (uid 65534) has the primary group nogroup on Debian.
INSTANTIATE_TEST_SUITE_P(
    Host, Administrator,
    testing::Values(
        AdminRow{.name = "Root", .uid = 0, .login = "root", .conf = "SystemGroup lpadmin\n", .administrator = true},
        AdminRow{.name = "MemberOfALaterGroup",
                 .uid = 65534,
                 .login = "nobody",
                 .conf = "# groups\nSystemGroup sys nogroup\n",
                 .administrator = true},
        AdminRow{.name = "DirectiveInAnyCase",
                 .uid = 65534,
                 .login = "nobody",
                 .conf = "systemgroup nogroup\n",
                 .administrator = true},
        AdminRow{.name = "NotAMember",
                 .uid = 65534,
                 .login = "nobody",
                 .conf = "SystemGroup lpadmin\n",
                 .administrator = false},
        AdminRow{.name = "CommentedOut",
                 .uid = 65534,
                 .login = "nobody",
                 .conf = "#SystemGroup nogroup\n",
                 .administrator = false},
        AdminRow{.name = "NoAdminGroupOnDebian",
                 .uid = 65534,
                 .login = "nobody",
                 .conf = "SystemGroup admin\n",
                 .administrator = false}),
    RowName());

// ---- preferences -------------------------------------------------------------

class Preferences : public testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", dir_.File("user").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (dir_.File("system") + ":/etc/xdg").c_str(), 1);
    ForgetPreferencesCache();
  }
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_CONFIG_DIRS");
    ForgetPreferencesCache();
  }
  TempDir dir_;
};

// A user who is not an administrator cannot write the values of any user:
// run as nobody in a child process (possible only for root).
TEST_F(Preferences, AnyUserValuesNeedAnAdministrator) {
  if (getuid() != 0) GTEST_SKIP() << "needs root to become nobody";
  ASSERT_EQ(chmod(dir_.path().c_str(), 0777), 0);
  ASSERT_EQ(mkdir(dir_.File("system").c_str(), 0777), 0);
  pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(3);
    CFPreferencesSetValue("k", "v", kCFPreferencesAnyApplication, kCFPreferencesAnyUser, kCFPreferencesAnyHost);
    bool stored = CFPreferencesSynchronize(kCFPreferencesAnyApplication, kCFPreferencesAnyUser, kCFPreferencesAnyHost);
    _exit(stored ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write was not refused";
  struct stat info {};
  EXPECT_NE(stat(dir_.File("system/ovq/global.strings").c_str(), &info), 0);
}

// ---- text cuts ------------------------------------------------------------------

TEST(CutUTF8, NeverSplitsACharacter) {
  const struct CutRow {
    const char* text;
    size_t max;
    const char* cut;
  } rows[] = {{.text = "abc", .max = 5, .cut = "abc"},
              {.text = "ab\xC3\xA9", .max = 3, .cut = "ab"},
              {.text = "\xE3\x81\x82\xE3\x81\x84", .max = 5, .cut = "\xE3\x81\x82"},
              {.text = "\xF0\x9D\x84\x9Ex", .max = 4, .cut = "\xF0\x9D\x84\x9E"},
              {.text = "\xF0\x9D\x84\x9E", .max = 3, .cut = ""}};
  for (const CutRow& row : rows) EXPECT_EQ(CutUTF8(row.text, row.max), row.cut) << row.text << " " << row.max;
}

// ---- strings tables --------------------------------------------------------

TEST(StringsTable, EntriesCommentsAndEscapes) {
  StringsTable table;
  ASSERT_TRUE(
      ParseStringsTable("/* titles */\n\"Alert OK Btn\" = \"OK\";\n// note\n\"Q\" = \"say \\\"hi\\\"\\n\";\n"
                        "\"Kana\"=\"\\U3042\";\"Clef\" = \"\\UD834\\UDD1E\";  \"Path\" = \"a\\\\b\";",
                        &table));
  EXPECT_EQ(table.size(), 5u);
  EXPECT_EQ(table["Alert OK Btn"], "OK");
  EXPECT_EQ(table["Q"], "say \"hi\"\n");
  EXPECT_EQ(table["Kana"], "\xE3\x81\x82");
  EXPECT_EQ(table["Clef"], "\xF0\x9D\x84\x9E");
  EXPECT_EQ(table["Path"], "a\\b");
}

TEST(StringsTable, StopsAtTheFaultAndKeepsWhatCameBefore) {
  const std::pair<const char*, size_t> rows[] = {{"\"a\" = \"1\";\n\"b\" = \"2\"\n", 1},  // missing semicolon
                                                 {"\"a\" = \"1", 0},
                                                 {"\"a\" \"1\";", 0},
                                                 {"\"a\" = \"\\U12G4\";", 0},
                                                 {"\"a\" = \"\\UD834\";", 0},
                                                 {"a = \"1\";", 0}};
  for (const auto& [text, kept] : rows) {
    StringsTable table;
    EXPECT_FALSE(ParseStringsTable(text, &table)) << text;
    EXPECT_EQ(table.size(), kept) << text;
  }
}

// ---- bundles and the help viewer ------------------------------------------

class BundleTest : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.File("Test Plugin.bundle");
    ASSERT_EQ(mkdir(root_.c_str(), 0755), 0);
    std::filesystem::create_directories(root_ + "/Resources/Help");
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
  SetHelpOpener([&](const std::string& url) { return opened.push_back(url), 0; });
  std::unique_ptr<Bundle> bundle = Bundle::Open(root_);
  ASSERT_EQ(AHRegisterHelpBook(bundle.get()), 0);
  EXPECT_EQ(AHGotoPage("Test Help", "page one.html", "secure print"), 0);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "file://" + dir_.path() + "/Test%20Plugin.bundle/Resources/Help/page%20one.html#secure%20print");

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
  for (int i = 0; i < 2; ++i) SysBeep();
  EXPECT_EQ(SysBeepCount(), before + 2);
  EXPECT_EQ(heard, 2);
  SetSysBeepHandler(nullptr);
}

}  // namespace
