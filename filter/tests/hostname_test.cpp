// Host name of this computer.
#include "hostname.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "jobstate.h"

namespace {

class CopyHostNameTest : public ::testing::TestWithParam<std::string> {};

// At most 96 bytes, always terminated.
TEST_P(CopyHostNameTest, KeepsAtMost96Bytes) {
  char destination[kHostNameSize];
  std::memset(destination, 'x', sizeof destination);
  CopyHostName(GetParam().c_str(), destination);
  EXPECT_EQ(std::string(destination), GetParam().substr(0, 96));
  EXPECT_EQ(destination[kHostNameSize - 1], '\0');
}

INSTANTIATE_TEST_SUITE_P(Names, CopyHostNameTest,
                         ::testing::Values(std::string(120, 'h'), std::string(96, 'n'), "printhost.local", ""));

TEST(GetHostNameTest, GivesThisMachinesName) {
  char expected[256] = {};
  ASSERT_EQ(gethostname(expected, sizeof expected - 1), 0);
  char destination[kHostNameSize];
  std::memset(destination, 'x', sizeof destination);
  getHostName(destination);
  EXPECT_EQ(std::string(destination), std::string(expected).substr(0, 96));
}

}  // namespace
