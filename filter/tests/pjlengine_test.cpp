#include "pjlengine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

auto Name = RowName();

// One parameter of a row: an integer ("%d"), a byte ("%c") or a text ("%s").
struct Param {
  char kind;
  int32_t integer = 0;
  char byte = 0;
  std::string text;
};
Param I(int32_t v) { return Param{'d', v, 0, {}}; }
Param C(char v) { return Param{'c', 0, v, {}}; }
Param S(std::string v) { return Param{'s', 0, 0, std::move(v)}; }

const char* const kJoau = "@PJL SET JOBATTR=%c@JOAU=%s%c%c%c";
std::vector<Param> JoauParams(const std::string& v) { return {C('"'), S(v), C('"'), C('\r'), C('\n')}; }
std::string JoauLine(const std::string& v) { return "@PJL SET JOBATTR=\"@JOAU=" + v + "\"\r\n"; }
std::string Repeat(const std::string& unit, int count) {
  std::string text;
  while (count-- > 0) text += unit;
  return text;
}
const std::string kA300(300, 'a'), kB300(300, 'b');
const std::string kHiragana = "\xE3\x81\x82";  // three bytes

struct BuildCase {
  const char* name;
  std::string format;
  std::vector<Param> params;
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

INSTANTIATE_TEST_SUITE_P(
    Symbols, BuildTest,
    testing::Values(
        BuildCase{"joau", kJoau, JoauParams("abc"), JoauLine("abc")},
        // An empty value ends the line before its own literal prefix.
        BuildCase{"joau_empty_value", kJoau, JoauParams(""), "@PJL SET JOBATTR=\""},
        BuildCase{"empty_first_value", "@PJL SET JOBATTR=\"@JOUN=%s\"\r\n", {S("")}, ""},
        BuildCase{"zero_byte_ends", "AB%cCD%cEF", {C('x'), C('\0')}, "ABx"},
        BuildCase{"head", "%c%c-12345X", {C('\x1b'), C('%')}, "\x1b%-12345X"},
        BuildCase{"percent_literals", "100%% %-12345X %x 5%", {}, "100%% %-12345X %x 5%"},
        BuildCase{"uppercase_not_symbols", "%D %S", {I(1), S("x")}, "%D %S"},
        BuildCase{"percent_then_symbol", "50%%d", {I(7)}, "50%7"},
        BuildCase{"minus_five", "@PJL SET JOBATTR=\"@X=%d\"\n", {I(-5)}, "@PJL SET JOBATTR=\"@X=-5\"\n"},
        BuildCase{"int_min", "%d", {I(INT32_MIN)}, "-2147483648"}, BuildCase{"zero_integer", "N=%d;", {I(0)}, "N=0;"},
        BuildCase{"missing_parameter_ends", "A=%s B=%s\n", {S("x")}, "A=x"},
        // Values are sanitised; the table's own bytes ("%c") are not.
        BuildCase{"value_sanitised", "@PJL X=%c%s%c%c%c",
                  JoauParams("a\"b\rc\nd\x01"
                             "e\x7f"),
                  "@PJL X=\"a'b c d e \"\r\n"},
        BuildCase{"format_cut", std::string(300, 'f'), {}, std::string(229, 'f')},
        // Lines longer than 229 bytes: the value is cut, the line end is kept.
        // "@PJL SET JOBATTR=\"@JOAU=" is 24 bytes and the tail 3: 202 bytes of value fit.
        BuildCase{"joau_fits_exactly", kJoau, JoauParams(std::string(202, 'a')), JoauLine(std::string(202, 'a'))},
        BuildCase{"joau_one_over", kJoau, JoauParams(std::string(203, 'a')), JoauLine(std::string(202, 'a'))},
        // 67 characters of three bytes (201) fit in 202; the split 68th is dropped whole.
        BuildCase{"multibyte_not_split", kJoau, JoauParams(Repeat(kHiragana, 100)), JoauLine(Repeat(kHiragana, 67))},
        // Literal text after the value belongs to the line end: 15 + 209 + 5.
        BuildCase{"literal_tail",
                  "@PJL COMMENT X=%s END\n",
                  {S(kB300)},
                  "@PJL COMMENT X=" + std::string(209, 'b') + " END\n"},
        BuildCase{"two_values", "@PJL A=%s B=%s\n", {S(kA300), S(kB300)}, "@PJL A=" + std::string(221, 'a') + "\n"},
        BuildCase{"small_capacity", "@PJL X=%s\r\n", {S("abcdef")}, "@PJL X=ab\r\n", 12}),
    Name);

TEST(BuildPrintComand, NoParameterList) {
  char output[kPJLLineSize];
  for (auto [format, expected] :
       {std::pair<const char*, const char*>{"A%sB", ""}, {"plain\n", "plain\n"}, {nullptr, ""}}) {
    BuildPrintComand(format, nullptr, output, sizeof output);
    EXPECT_STREQ(output, expected);
  }
  EXPECT_EQ(getCtrlSym("%s", nullptr, output, sizeof output), 0);
}

// Compare functions against their truth table.
const int32_t kOne = 1, kTwo = 2, kFour = 4;
const char *const kAbc = "abc", *const kEmpty = "";

struct CompareCase {
  const char* name;
  CompareFunc compare;
  const void *value, *operand;
  int expected;
};
class CompareTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, Result) {
  EXPECT_EQ(GetParam().compare(GetParam().value, GetParam().operand), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Functions, CompareTest,
                         testing::Values(CompareCase{"int_equal", IntCampareFunc, &kOne, &kOne, 1},
                                         CompareCase{"int_differs", IntCampareFunc, &kOne, &kTwo, 0},
                                         CompareCase{"int_not_equal", IntNoEqualCampareFunc, &kOne, &kTwo, 1},
                                         CompareCase{"int_not_equal_same", IntNoEqualCampareFunc, &kTwo, &kTwo, 0},
                                         CompareCase{"str_equal", StrEqualCampareFunc, "abc", &kAbc, 1},
                                         CompareCase{"str_equal_prefix", StrEqualCampareFunc, "ab", &kAbc, 0},
                                         CompareCase{"str_equal_empty", StrEqualCampareFunc, "", &kEmpty, 1},
                                         CompareCase{"contain", StrContainCampareFunc, "xabcx", "abc", 1},
                                         CompareCase{"contain_missing", StrContainCampareFunc, "xyz", "abc", 0},
                                         CompareCase{"contain_empty_text", StrContainCampareFunc, "", "", 0},
                                         CompareCase{"not_contain_empty_text", StrNotContainCampareFunc, "", "abc", 1},
                                         CompareCase{"not_contain_absent_text", StrNotContainCampareFunc, nullptr,
                                                     "abc", 1},
                                         CompareCase{"not_contain_present", StrNotContainCampareFunc, "xabc", "abc", 0},
                                         CompareCase{"no_null_text", StrNoNULLCampareFunc, "a", nullptr, 1},
                                         CompareCase{"no_null_empty", StrNoNULLCampareFunc, "", nullptr, 0},
                                         CompareCase{"no_null_absent", StrNoNULLCampareFunc, nullptr, nullptr, 0},
                                         CompareCase{"is_null_empty", StrIsNULLCampareFunc, "", nullptr, 1},
                                         CompareCase{"is_null_text", StrIsNULLCampareFunc, "a", nullptr, 0},
                                         CompareCase{"length_less", StrLengthLessThanCampareFunc, "abc", &kFour, 1},
                                         CompareCase{"length_equal", StrLengthLessThanCampareFunc, "abcd", &kFour, 0},
                                         CompareCase{"length_empty", StrLengthLessThanCampareFunc, "", &kOne, 1}),
                         Name);

// Compare functions that count their calls.
int g_calls[3] = {};
int CountTrue0(const void*, const void*) { return ++g_calls[0], 1; }
int CountFalse1(const void*, const void*) { return ++g_calls[1], 0; }
int CountTrue2(const void*, const void*) { return ++g_calls[2], 1; }

TEST(ConditionCompare, StopsAtFirstFalseItem) {
  const comparationItem items[] = {
      {nullptr, nullptr, CountTrue0}, {nullptr, nullptr, CountFalse1}, {nullptr, nullptr, CountTrue2}};
  comparation condition{};
  InitializeComparationTable(&condition, 3, items);
  EXPECT_EQ(ConditionCompare(&condition), 0);
  EXPECT_EQ(g_calls[0] * 10 + g_calls[1], 11);
  EXPECT_EQ(g_calls[2], 0) << "third compare function was called";
  comparation none{0, nullptr};
  EXPECT_EQ(ConditionCompare(&none), 1);
  EXPECT_EQ(ConditionCompare(nullptr), 1);
  const comparationItem both_true[] = {{"x", nullptr, StrNoNULLCampareFunc}, {&kOne, &kOne, IntCampareFunc}};
  comparation both{2, both_true};
  EXPECT_EQ(ConditionCompare(&both), 1);
}

TEST(OutputQPJLCommandFromArray, WritesRowsWhoseConditionHolds) {
  const char *user = "alice", *empty = "";
  const void* user_list[] = {&CTRLSym_DOUBLE, user, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
  const void* empty_list[] = {&CTRLSym_DOUBLE, empty, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
  symPara user_para{5, user_list}, empty_para{5, empty_list};
  const comparationItem has_user[] = {{user, nullptr, StrNoNULLCampareFunc}};
  const comparationItem has_empty[] = {{empty, nullptr, StrNoNULLCampareFunc}};
  comparation user_set{1, has_user}, empty_set{1, has_empty};
  const prtFmtTable table[] = {
      {"@PJL JOB MODE=PRINTER\r\n", nullptr, nullptr},
      {kJoau, &empty_para, &empty_set},  // guarded: not written
      {kJoau, &user_para, &user_set},
      {kJoau, &empty_para, nullptr},  // unguarded: the part before the empty value
      {"@PJL EOJ\n", nullptr, nullptr},
  };
  EXPECT_EQ(CaptureStdout([&] { OutputQPJLCommandFromArray(nullptr, table, 5); }),
            "@PJL JOB MODE=PRINTER\r\n" + JoauLine("alice") + "@PJL SET JOBATTR=\"@PJL EOJ\n");
  EXPECT_EQ(CaptureStdout([&] { OutputQPJLCommandFromArray(nullptr, table, 0); }), "");
}

}  // namespace
