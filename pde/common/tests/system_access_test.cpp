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

TEST(SystemAccess, VersionFromTheSharedProbeAndNoUnknownAdministrators) {
  setenv(kKernelReleaseEnv, "10.8.0", 1);
  ResetGestaltCache();
  EXPECT_EQ(GetSystemVersion(), 0x1068);
  unsetenv(kKernelReleaseEnv);
  ResetGestaltCache();
  EXPECT_FALSE(checkIfAdminUser("no-such-user-ovq"));
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

// The help book registers once the bundle is known; a page opens in the book
// named by the key's translation.
TEST_F(ExtensionBundle, HelpPageOpensInTheBookNamedByTheKey) {
  EXPECT_EQ(RegisterMyHelpBook(), -43);
  ASSERT_NE(RegisterBundle(root_), nullptr);
  EXPECT_EQ(GetAppBundleRef()->Identifier(), "ovqpde.tools");
  EXPECT_STREQ(GetAppClientID(), "nvxops15.ToolsKind");
  ASSERT_EQ(RegisterMyHelpBook(), 0);
  EXPECT_EQ(GotoHelpPage(GetAppBundleRef(), "JBA_Std.htm", "passcode", "HelpBookName"), 0);
  EXPECT_EQ(opened_, std::vector<std::string>{"file://" + root_ + "/Resources/Help/JBA_Std.htm#passcode"});
  // A key without translation names the book "no translation", which is not registered.
  EXPECT_EQ(GotoHelpPage(GetAppBundleRef(), "JBA_Std.htm", nullptr, "NoSuchKey"), -43);
  EXPECT_EQ(GotoHelpPage(nullptr, "JBA_Std.htm", nullptr, "HelpBookName"), -43);
  EXPECT_EQ(opened_.size(), 1u);
}

TEST(Itoa, DigitsEndJustBeforeTheLastByte) {
  const struct {
    int value;
    size_t size;
    const char* text;
  } rows[] = {{.value = 0, .size = 8, .text = ""},
              {.value = -5, .size = 8, .text = ""},
              {.value = 12345, .size = 6, .text = "12345"},
              {.value = 12345, .size = 5, .text = ""},
              {.value = 2147483647, .size = 11, .text = "2147483647"}};
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
