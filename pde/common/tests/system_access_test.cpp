// System version, administrator test, the extension's bundle and help pages,
// resource names, itoa.
#include "system_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "group_membership.h"
#include "help_viewer.h"
#include "run_program.h"

using namespace ovqpde;

namespace {

TEST(SystemVersion, FromTheSharedProbe) {
  setenv(kKernelReleaseEnv, "10.8.0", 1);
  ResetGestaltCache();
  EXPECT_EQ(GetSystemVersion(), 0x1068);
  unsetenv(kKernelReleaseEnv);
  ResetGestaltCache();
  EXPECT_EQ(GetSystemVersion(), 0x10F0);  // a current system on this host
}

TEST(AdminUser, NamesOutsideTheUserDatabaseAreNoAdministrators) {
  EXPECT_FALSE(checkIfAdminUser("no-such-user-ovq"));
  EXPECT_FALSE(checkIfAdminUser(""));
  EXPECT_FALSE(checkIfAdminUser(nullptr));
}

class ExtensionBundle : public testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.File("tools.bundle");
    for (const std::string& folder : {root_, root_ + "/Resources", root_ + "/Resources/Help"}) {
      ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    }
    WriteFile(root_ + "/Info.strings",
              std::string("\"CFBundleIdentifier\" = \"") + GetAppBundleIdentifier() +
                  "\";\n\"CFBundleHelpBookFolder\" = \"Help\";\n\"CFBundleHelpBookName\" = \"Tools Help\";\n");
    WriteFile(root_ + "/Resources/Localizable.strings", "\"HelpBookName\" = \"Tools Help\";\n");
    WriteFile(root_ + "/Resources/Help/JBA_Std.htm", "<html></html>");
    SetHelpOpener([this](const std::string& url) { return opened_.push_back(url), 0; });
  }
  void TearDown() override {
    SetHelpOpener(nullptr);
    ForgetHelpBooks();
    ForgetRegisteredBundles();
  }
  TempDir dir_;
  std::string root_;
  std::vector<std::string> opened_;
};

TEST_F(ExtensionBundle, HelpBookRegistersOnceTheBundleIsKnown) {
  EXPECT_EQ(GetAppBundleRef(), nullptr);
  EXPECT_EQ(RegisterMyHelpBook(), -43);
  ASSERT_NE(RegisterBundle(root_), nullptr);
  ASSERT_NE(GetAppBundleRef(), nullptr);
  EXPECT_EQ(GetAppBundleRef()->Identifier(), "ovqpde.tools");
  EXPECT_STREQ(GetAppClientID(), "nvxops15.ToolsKind");
  EXPECT_EQ(RegisterMyHelpBook(), 0);
  EXPECT_EQ(HelpBookFolder("Tools Help"), root_ + "/Resources/Help");
}

TEST_F(ExtensionBundle, HelpPageOpensInTheBookNamedByTheKey) {
  ASSERT_NE(RegisterBundle(root_), nullptr);
  ASSERT_EQ(RegisterMyHelpBook(), 0);
  EXPECT_EQ(GotoHelpPage(GetAppBundleRef(), "JBA_Std.htm", "passcode", "HelpBookName"), 0);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0], "file://" + root_ + "/Resources/Help/JBA_Std.htm#passcode");
  // A key without translation names the book "no translation", which is not registered.
  EXPECT_EQ(GotoHelpPage(GetAppBundleRef(), "JBA_Std.htm", nullptr, "NoSuchKey"), -43);
  EXPECT_EQ(GotoHelpPage(nullptr, "JBA_Std.htm", nullptr, "HelpBookName"), -43);
  EXPECT_EQ(GotoHelpPage(GetAppBundleRef(), "JBA_Std.htm", nullptr, nullptr), -43);
  EXPECT_EQ(opened_.size(), 1u);
}

TEST(ResourceName, SplitsAtTheFirstDash) {
  const struct {
    const char* text;
    int part;
    const char* result;
  } rows[] = {{"Std-PT2", 0, "Std"}, {"Std-PT2", 1, "PT2"}, {"Std-PT2-B", 1, "PT2-B"},
              {"Std", 0, "Std"},     {"Std", 1, ""},        {"Std-PT2", 2, ""}};
  for (const auto& row : rows) EXPECT_EQ(GetAppResourceName(row.text, row.part), row.result) << row.text << row.part;
}

TEST(FullResourceName, PrefixByMode) {
  EXPECT_EQ(GetAppFullResourceName("Std", 0, "JBA_", "OVPrintJBA_"), "JBA_Std");
  EXPECT_EQ(GetAppFullResourceName("Std", 1, "JBA_", "OVPrintJBA_"), "OVPrintJBA_Std");
  EXPECT_EQ(GetAppFullResourceName("Std", 2, "JBA_", "OVPrintJBA_"), "Std");
  EXPECT_EQ(GetAppFullResourceName("Std", -1, "JBA_", "OVPrintJBA_"), "Std");
}

TEST(Itoa, DigitsEndJustBeforeTheLastByte) {
  const struct {
    int value;
    size_t size;
    const char* text;
  } rows[] = {{123, 8, "123"},     {0, 8, ""},     {-5, 8, ""},
              {12345, 6, "12345"}, {12345, 5, ""}, {2147483647, 11, "2147483647"}};
  for (const auto& row : rows) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    char* first = itoa(row.value, buffer, row.size);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, row.text) << row.value;
    EXPECT_EQ(first + std::strlen(row.text), buffer + row.size - 1);
    EXPECT_EQ(buffer[row.size], 'x');
  }
  char buffer[1];
  EXPECT_EQ(itoa(5, nullptr, 4), nullptr);
  EXPECT_EQ(itoa(5, buffer, 0), nullptr);
}

}  // namespace
