// The administrator test for a user name, and itoa (the system version is the
// shared probe's).
#include "system_access.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

using namespace ovqpde;

namespace {

TEST(SystemAccess, NoUnknownAdministrators) {
  EXPECT_FALSE(checkIfAdminUser("no-such-user-ovq"));
  EXPECT_FALSE(checkIfAdminUser(nullptr));
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
