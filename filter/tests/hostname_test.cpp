// Host name of this computer.
#include "hostname.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "jobstate.h"

namespace {

struct HostCase {
  const char* name;
  std::string host;
  std::string expected;
};

class CopyHostNameTest : public ::testing::TestWithParam<HostCase> {};

TEST_P(CopyHostNameTest, KeepsAtMost96Bytes) {
  char destination[kHostNameSize];
  std::memset(destination, 'x', sizeof destination);
  CopyHostName(GetParam().host.c_str(), destination);
  EXPECT_EQ(std::string(destination), GetParam().expected);
  EXPECT_EQ(destination[kHostNameSize - 1], '\0');
}

const std::string k120(120, 'h');

INSTANTIATE_TEST_SUITE_P(Names, CopyHostNameTest,
                         ::testing::Values(HostCase{"Long120", k120, k120.substr(0, 96)},
                                           HostCase{"Exactly96", std::string(96, 'n'), std::string(96, 'n')},
                                           HostCase{"Short", "printhost.local", "printhost.local"},
                                           HostCase{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetHostNameTest, GivesThisMachinesName) {
  char expected[256] = {};
  ASSERT_EQ(gethostname(expected, sizeof expected - 1), 0);
  char destination[kHostNameSize];
  std::memset(destination, 'x', sizeof destination);
  getHostName(destination);
  EXPECT_EQ(std::string(destination), std::string(expected).substr(0, 96));
}

}  // namespace
