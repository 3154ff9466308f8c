// System version, administrator test, the extension's bundle and help pages,
// resource names, itoa.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "group_membership.h"
#include "help_viewer.h"
#include "run_program.h"
#include "system_access.h"

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

TEST(AdminUser, AsksTheGroupDatabaseForAdmin) {
  std::string login = LoginNameOfRealUser();
  ASSERT_FALSE(login.empty());
  EXPECT_EQ(IsUserAdmin(), QueryGroupMembership("admin", login) == GroupQueryResult::kMember);
  EXPECT_EQ(checkIfAdminUser(login.c_str()), IsUserAdmin());
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
    SetHelpOpener([this](const std::string& url) {
      opened_.push_back(url);
      return 0;
    });
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

struct ResourceCase {
  const char* name;
  const char* text;
  int part;
  const char* result;
};

class ResourceName : public testing::TestWithParam<ResourceCase> {};

TEST_P(ResourceName, SplitsAtTheFirstDash) {
  EXPECT_EQ(GetAppResourceName(GetParam().text, GetParam().part), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Texts, ResourceName,
                         testing::Values(ResourceCase{"Name", "Std-PT2", 0, "Std"},
                                         ResourceCase{"Suffix", "Std-PT2", 1, "PT2"},
                                         ResourceCase{"SecondDashStays", "Std-PT2-B", 1, "PT2-B"},
                                         ResourceCase{"NoDashName", "Std", 0, "Std"},
                                         ResourceCase{"NoDashSuffix", "Std", 1, ""},
                                         ResourceCase{"OtherPart", "Std-PT2", 2, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FullResourceName, PrefixByMode) {
  EXPECT_EQ(GetAppFullResourceName("Std", 0, "JBA_", "OVPrintJBA_"), "JBA_Std");
  EXPECT_EQ(GetAppFullResourceName("Std", 1, "JBA_", "OVPrintJBA_"), "OVPrintJBA_Std");
  EXPECT_EQ(GetAppFullResourceName("Std", 2, "JBA_", "OVPrintJBA_"), "Std");
  EXPECT_EQ(GetAppFullResourceName("Std", -1, "JBA_", "OVPrintJBA_"), "Std");
}

struct ItoaCase {
  const char* name;
  int value;
  size_t size;
  const char* text;
};

class Itoa : public testing::TestWithParam<ItoaCase> {};

TEST_P(Itoa, DigitsEndJustBeforeTheLastByte) {
  char buffer[16];
  std::memset(buffer, 'x', sizeof buffer);
  char* first = itoa(GetParam().value, buffer, GetParam().size);
  ASSERT_NE(first, nullptr);
  EXPECT_STREQ(first, GetParam().text);
  EXPECT_EQ(first + std::strlen(GetParam().text), buffer + GetParam().size - 1);
  EXPECT_EQ(buffer[GetParam().size], 'x');
}

INSTANTIATE_TEST_SUITE_P(Values, Itoa,
                         testing::Values(ItoaCase{"Number", 123, 8, "123"}, ItoaCase{"Zero", 0, 8, ""},
                                         ItoaCase{"Negative", -5, 8, ""}, ItoaCase{"ExactFit", 12345, 6, "12345"},
                                         ItoaCase{"DoesNotFit", 12345, 5, ""},
                                         ItoaCase{"Largest", 2147483647, 11, "2147483647"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ItoaBuffer, MissingBuffer) {
  char buffer[1];
  EXPECT_EQ(itoa(5, nullptr, 4), nullptr);
  EXPECT_EQ(itoa(5, buffer, 0), nullptr);
}

}  // namespace
