#include "textconv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param_name.h"

namespace {

struct ConversionCase {
  const char* name;
  std::string source;
  int capacity;
  std::string expected;
};

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, ConvertsWithinCapacity) {
  const ConversionCase& c = GetParam();
  std::vector<char> destination(static_cast<size_t>(c.capacity) + 8, 'x');
  const int length = ConvertUTF8ToEncoding(c.source.c_str(), destination.data(), c.capacity);
  EXPECT_EQ(std::string(destination.data()), c.expected);
  EXPECT_EQ(length, static_cast<int>(c.expected.size()));
  // The whole capacity is cleared behind the text; nothing beyond it is touched.
  for (int i = static_cast<int>(c.expected.size()); i < c.capacity; ++i) EXPECT_EQ(destination[i], '\0') << i;
  for (size_t i = static_cast<size_t>(c.capacity); i < destination.size(); ++i) EXPECT_EQ(destination[i], 'x');
}

const std::string k40 = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
const std::string kMiB(1 << 20, 'q');

INSTANTIATE_TEST_SUITE_P(
    Text, ConversionTest,
    testing::Values(
        ConversionCase{"ascii", "Report 2024", 255, "Report 2024"},
        ConversionCase{"forty_into_33", k40, 33, k40.substr(0, 32)},
        ConversionCase{"mib_into_256", kMiB, 256, kMiB.substr(0, 255)}, ConversionCase{"empty", "", 10, ""},
        ConversionCase{"capacity_one", "abc", 1, ""}, ConversionCase{"latin", "caf\xC3\xA9", 10, "caf\xC3\xA9"},
        // U+1F600 between two letters: both surrogate halves encode as nothing.
        ConversionCase{"emoji_dropped",
                       "a\xF0\x9F\x98\x80"
                       "b",
                       10, "ab"},
        ConversionCase{"supplementary_max", "x\xF4\x8F\xBF\xBFy", 10, "xy"},
        // Three characters of three bytes into 8: two whole ones and the first byte of the third.
        ConversionCase{"japanese_cut", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", 8, "\xE6\x97\xA5\xE6\x9C\xAC"},
        ConversionCase{"bmp_noncharacter_kept", "\xEF\xBF\xBF", 8, "\xEF\xBF\xBF"},
        ConversionCase{"invalid_byte",
                       "ab\xFF"
                       "cd",
                       10, ""},
        ConversionCase{"lone_continuation", "\x80", 10, ""}, ConversionCase{"overlong_two", "\xC0\xAF", 10, ""},
        ConversionCase{"overlong_c1", "\xC1\xBF", 10, ""}, ConversionCase{"overlong_three", "\xE0\x80\xAF", 10, ""},
        ConversionCase{"overlong_four", "\xF0\x80\x80\xAF", 10, ""},
        ConversionCase{"surrogate_high", "a\xED\xA0\x80", 10, ""},
        ConversionCase{"surrogate_low", "\xED\xBF\xBF", 10, ""},
        ConversionCase{"above_max", "\xF4\x90\x80\x80", 10, ""}, ConversionCase{"lead_f5", "\xF5\x80\x80\x80", 10, ""},
        ConversionCase{"truncated_end", "ab\xE3\x81", 10, ""}, ConversionCase{"truncated_middle", "\xE3\x81z", 10, ""},
        ConversionCase{"invalid_after_cut_point", k40 + "\xFF", 5, ""}),
    RowName());

TEST(Conversion, NullSourceAndDestination) {
  char destination[4] = {'x'};
  EXPECT_EQ(ConvertUTF8ToEncoding(nullptr, destination, 4), 0);
  EXPECT_EQ(destination[0], '\0');
  EXPECT_EQ(ConvertUTF8ToEncoding("abc", nullptr, 4), 0);
  EXPECT_EQ(ConvertUTF8ToEncoding("abc", destination, 0), 0);
}

}  // namespace
