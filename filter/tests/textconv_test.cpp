// Text conversion into the printer's encoding: Basic Multilingual Plane
// characters only, well-formed UTF-8 only, cut within the capacity.
#include "textconv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Conversion, ConvertsWithinCapacity) {
  const std::string k40 = "0123456789abcdefghijklmnopqrstuvwxyzABCD";
  const struct {
    std::string source;
    int capacity;
    std::string expected;
  } rows[] = {
      {.source = k40, .capacity = 33, .expected = k40.substr(0, 32)},
      {.source = std::string(1 << 20, 'q'), .capacity = 256, .expected = std::string(255, 'q')},
      {.source = "abc", .capacity = 1, .expected = ""},
      // U+1F600 between two letters: both surrogate halves encode as nothing.
      {.source = "a\xF0\x9F\x98\x80"
                 "b",
       .capacity = 10,
       .expected = "ab"},
      // Three characters of three bytes into 8: two whole ones and the first byte of the third.
      {.source = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E", .capacity = 8, .expected = "\xE6\x97\xA5\xE6\x9C\xAC"},
      {.source = "\xEF\xBF\xBF", .capacity = 8, .expected = "\xEF\xBF\xBF"},
      // Text that is not well-formed UTF-8 gives nothing, wherever the fault.
      {.source = "ab\xFF"
                 "cd",
       .capacity = 10,
       .expected = ""},
      {.source = "\xC0\xAF", .capacity = 10, .expected = ""},
      {.source = "\xE0\x80\xAF", .capacity = 10, .expected = ""},
      {.source = "a\xED\xA0\x80", .capacity = 10, .expected = ""},
      {.source = "\xF4\x90\x80\x80", .capacity = 10, .expected = ""},
      {.source = "\xE3\x81z", .capacity = 10, .expected = ""},
      {.source = k40 + "\xFF", .capacity = 5, .expected = ""},
  };
  for (const auto& row : rows) {
    std::vector<char> destination(static_cast<size_t>(row.capacity) + 8, 'x');
    EXPECT_EQ(ConvertUTF8ToEncoding(row.source.c_str(), destination.data(), row.capacity),
              static_cast<int>(row.expected.size()));
    EXPECT_EQ(std::string(destination.data()), row.expected);
    // The whole capacity is cleared behind the text; nothing beyond it is touched.
    for (int i = static_cast<int>(row.expected.size()); i < row.capacity; ++i) EXPECT_EQ(destination[i], '\0');
    EXPECT_EQ(destination[static_cast<size_t>(row.capacity)], 'x');
  }
  char destination[4] = {'x'};
  EXPECT_EQ(ConvertUTF8ToEncoding(nullptr, destination, 4), 0);
  EXPECT_EQ(destination[0], '\0');
  EXPECT_EQ(ConvertUTF8ToEncoding("abc", destination, 0), 0);
}

}  // namespace
