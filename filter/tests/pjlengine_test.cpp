#include "pjlengine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

// One parameter of a row: an integer ("%d"), a byte ("%c") or a text ("%s").
struct Param {
  char kind;
  int32_t integer = 0;
  char byte = 0;
  std::string text = "";
};
Param I(int32_t v) { return Param{.kind = 'd', .integer = v}; }
Param C(char v) { return Param{.kind = 'c', .byte = v}; }
Param S(std::string v) { return Param{.kind = 's', .text = std::move(v)}; }

const char* const kJoau = "@PJL SET JOBATTR=%c@JOAU=%s%c%c%c";
std::vector<Param> JoauParams(const std::string& v) { return {C('"'), S(v), C('"'), C('\r'), C('\n')}; }
std::string JoauLine(const std::string& v) { return "@PJL SET JOBATTR=\"@JOAU=" + v + "\"\r\n"; }
std::string Repeat(const std::string& unit, int count) {
  std::string text;
  while (count-- > 0) text += unit;
  return text;
}
const std::string kB300(300, 'b');
const std::string kHiragana = "\xE3\x81\x82";  // three bytes

struct BuildCase {
  const char* name;
  std::string format;
  std::vector<Param> params = {};
  std::string expected;
  int capacity = kPJLLineSize;
};
class BuildTest : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildTest, BuildsLine) {
  const BuildCase& c = GetParam();
  std::vector<const void*> pointers;
  for (const Param& p : c.params) {
    pointers.push_back(p.kind == 'd'   ? static_cast<const void*>(&p.integer)
                       : p.kind == 'c' ? static_cast<const void*>(&p.byte)
                                       : p.text.c_str());
  }
  symPara para{};
  InitializeCmdParaTable(&para, static_cast<int32_t>(pointers.size()), pointers.data());
  std::vector<char> output(static_cast<size_t>(c.capacity) + 4, 'x');
  BuildPrintComand(c.format.c_str(), &para, output.data(), c.capacity);
  EXPECT_EQ(std::string(output.data()), c.expected);
  EXPECT_EQ(output[static_cast<size_t>(c.capacity)], 'x') << "wrote beyond the capacity";
}

const BuildCase kBuilds[] = {
    // An empty value ends the line before its own literal prefix.
    {.name = "joau_empty_value", .format = kJoau, .params = JoauParams(""), .expected = "@PJL SET JOBATTR=\""},
    {.name = "zero_byte_ends", .format = "AB%cCD%cEF", .params = {C('x'), C('\0')}, .expected = "ABx"},
    {.name = "percent_literals", .format = "100%% %-12345X %x 5%", .expected = "100%% %-12345X %x 5%"},
    {.name = "integer", .format = "N=%d;", .params = {I(-5)}, .expected = "N=-5;"},
    {.name = "missing_parameter_ends", .format = "A=%s B=%s\n", .params = {S("x")}, .expected = "A=x"},
    // Sanitised values and a value cut to keep the line end are whole-filter cases.
    {.name = "format_cut", .format = std::string(300, 'f'), .expected = std::string(229, 'f')},
    // "@PJL SET JOBATTR=\"@JOAU=" is 24 bytes and the tail 3: 202 bytes of value fit;
    // 67 characters of three bytes (201) fit in 202; the split 68th is dropped whole.
    {.name = "multibyte_not_split",
     .format = kJoau,
     .params = JoauParams(Repeat(kHiragana, 100)),
     .expected = JoauLine(Repeat(kHiragana, 67))},
    // Literal text after the value belongs to the line end: 15 + 209 + 5.
    {.name = "literal_tail",
     .format = "@PJL COMMENT X=%s END\n",
     .params = {S(kB300)},
     .expected = "@PJL COMMENT X=" + std::string(209, 'b') + " END\n"},
    {.name = "small_capacity",
     .format = "@PJL X=%s\r\n",
     .params = {S("abcdef")},
     .expected = "@PJL X=ab\r\n",
     .capacity = 12},
};
INSTANTIATE_TEST_SUITE_P(Symbols, BuildTest, testing::ValuesIn(kBuilds), RowName());

TEST(BuildPrintComand, NoParameterList) {
  char output[kPJLLineSize];
  const struct {
    const char *format, *expected;
  } rows[] = {{.format = "A%sB", .expected = ""},
              {.format = "plain\n", .expected = "plain\n"},
              {.format = nullptr, .expected = ""}};
  for (const auto& [format, expected] : rows) {
    BuildPrintComand(format, nullptr, output, sizeof output);
    EXPECT_STREQ(output, expected);
  }
  EXPECT_EQ(getCtrlSym("%s", nullptr, output, sizeof output), 0);
}

}  // namespace
