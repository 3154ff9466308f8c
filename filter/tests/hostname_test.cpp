// Host name of this computer: at most 96 bytes, always terminated.
#include "hostname.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "jobstate.h"

namespace {

TEST(HostName, CopyKeepsAtMost96Bytes) {
  for (const std::string& name : {std::string(120, 'h'), std::string(96, 'n'), std::string()}) {
    char destination[kHostNameSize];
    std::memset(destination, 'x', sizeof destination);
    CopyHostName(name.c_str(), destination);
    EXPECT_EQ(std::string(destination), name.substr(0, 96));
    EXPECT_EQ(destination[kHostNameSize - 1], '\0');
  }
}

}  // namespace
