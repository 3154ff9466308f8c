// The platform stand-ins: text encodings, group membership, the administrator
// test, preferences, strings tables, bundles, help viewer.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bundle.h"
#include "group_membership.h"
#include "help_viewer.h"
#include "param_name.h"
#include "preferences.h"
#include "run_program.h"
#include "strings_table.h"
#include "text_encoding.h"

namespace {

TEST(Decode, DecodesAsTheEncodingDefines) {
  const struct {
    uint32_t encoding;
    std::string bytes, utf8;                                                              // utf8 "-": refused
  } rows[] = {{.encoding = kTextEncodingISOLatin1, .bytes = "\x80", .utf8 = "\xC2\x80"},  // a C1 control
              {.encoding = kTextEncodingWindowsLatin1, .bytes = "\x93x\x80", .utf8 = "\xE2\x80\x9Cx\xE2\x82\xAC"},
              {.encoding = kTextEncodingMacRoman, .bytes = "\x8E\xA5", .utf8 = "\xC3\xA9\xE2\x80\xA2"},
              {.encoding = kTextEncodingMacJapanese, .bytes = "\x82\xA0\xB1", .utf8 = "\xE3\x81\x82\xEF\xBD\xB1"},
              {.encoding = kTextEncodingMacJapanese, .bytes = "a\x82", .utf8 = "-"},  // truncated
              {.encoding = kTextEncodingUTF8, .bytes = "\xE9", .utf8 = "-"},
              {.encoding = 0x7777, .bytes = "abc", .utf8 = "-"}};
  for (const auto& row : rows) {
    std::string out = "stale";
    EXPECT_EQ(DecodeTextToUTF8(row.bytes, row.encoding, &out), row.utf8 != "-") << row.encoding << " " << row.bytes;
    EXPECT_EQ(out, row.utf8 == "-" ? "" : row.utf8);
  }
}

// ---- administrator test ----------------------------------------------------

struct AdminRow {
  const char* name;
  uid_t uid = 65534;  // nobody, whose primary group on Debian is nogroup
  const char* login = "nobody";
  const char* conf;  // cups-files.conf
  bool administrator;
};

class Administrator : public testing::TestWithParam<AdminRow> {};

TEST_P(Administrator, RootOrAMemberOfCupsSystemGroups) {
  TempDir dir;
  WriteFile(dir.File("cups-files.conf"), GetParam().conf);
  EXPECT_EQ(IsAdministrator(GetParam().uid, GetParam().login, dir.File("cups-files.conf")), GetParam().administrator);
}

INSTANTIATE_TEST_SUITE_P(
    Host, Administrator,
    testing::Values(
        AdminRow{.name = "Root", .uid = 0, .login = "root", .conf = "SystemGroup lpadmin\n", .administrator = true},
        AdminRow{.name = "MemberOfALaterGroup", .conf = "# groups\nSystemGroup sys nogroup\n", .administrator = true},
        AdminRow{.name = "NotAMember", .conf = "SystemGroup lpadmin\n", .administrator = false},
        AdminRow{.name = "NoAdminGroupOnDebian", .conf = "SystemGroup admin\n", .administrator = false}),
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
  const struct {
    const char* text;
    size_t kept;
  } rows[] = {{.text = "\"a\" = \"1\";\n\"b\" = \"2\"\n", .kept = 1},  // missing semicolon
              {.text = "\"a\" \"1\";", .kept = 0},
              {.text = "\"a\" = \"\\U12G4\";", .kept = 0},
              {.text = "\"a\" = \"\\UD834\";", .kept = 0}};
  for (const auto& row : rows) {
    StringsTable table;
    EXPECT_FALSE(ParseStringsTable(row.text, &table)) << row.text;
    EXPECT_EQ(table.size(), row.kept) << row.text;
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

}  // namespace
