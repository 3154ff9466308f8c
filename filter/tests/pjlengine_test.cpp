#include "pjlengine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "filter_test_support.h"

namespace {

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

// Owns the parameter values and the pointer list of a symPara.
class ParamList {
 public:
  explicit ParamList(const std::vector<Param>& params) : values_(params.begin(), params.end()) {
    for (const Param& p : values_) {
      if (p.kind == 'd') pointers_.push_back(&p.integer);
      if (p.kind == 'c') pointers_.push_back(&p.byte);
      if (p.kind == 's') pointers_.push_back(p.text.c_str());
    }
    InitializeCmdParaTable(&para_, static_cast<int32_t>(pointers_.size()), pointers_.data());
  }
  const symPara* para() const { return &para_; }

 private:
  std::deque<Param> values_;
  std::vector<const void*> pointers_;
  symPara para_{};
};

struct BuildCase {
  const char* name;
  std::string format;
  std::vector<Param> params;
  std::string expected;
  int capacity = kPJLLineSize;
};

std::ostream& operator<<(std::ostream& out, const BuildCase& c) { return out << c.name; }

class BuildTest : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildTest, BuildsLine) {
  const BuildCase& c = GetParam();
  ParamList params(c.params);
  std::vector<char> output(static_cast<size_t>(c.capacity) + 4, 'x');
  BuildPrintComand(c.format.c_str(), params.para(), output.data(), c.capacity);
  EXPECT_EQ(std::string(output.data()), c.expected);
  EXPECT_LE(std::string(output.data()).size(), static_cast<size_t>(c.capacity - 1));
  EXPECT_EQ(output[static_cast<size_t>(c.capacity)], 'x') << "wrote beyond the capacity";
}

const std::string kA300(300, 'a');
const std::string kB300(300, 'b');
std::string Repeat(const std::string& unit, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += unit;
  return text;
}
const std::string kHiragana = "\xE3\x81\x82";  // three bytes
const char* const kJoau = "@PJL SET JOBATTR=%c@JOAU=%s%c%c%c";

INSTANTIATE_TEST_SUITE_P(
    Symbols, BuildTest,
    testing::Values(
        BuildCase{"joau", kJoau, {C('"'), S("abc"), C('"'), C('\r'), C('\n')}, "@PJL SET JOBATTR=\"@JOAU=abc\"\r\n"},
        // An empty value ends the line before its own literal prefix.
        BuildCase{"joau_empty_value", kJoau, {C('"'), S(""), C('"'), C('\r'), C('\n')}, "@PJL SET JOBATTR=\""},
        BuildCase{"empty_first_value", "@PJL SET JOBATTR=\"@JOUN=%s\"\r\n", {S("")}, ""},
        BuildCase{"zero_byte_ends", "AB%cCD%cEF", {C('x'), C('\0')}, "ABx"},
        BuildCase{"head", "%c%c-12345X", {C('\x1b'), C('%')}, "\x1b%-12345X"},
        BuildCase{"trailer_extra_parameters", "%c%c-12345X@PJL EOJ\n", {C('\x1b'), C('%'), C('\r'), C('\n')},
                  "\x1b%-12345X@PJL EOJ\n"},
        BuildCase{"percent_literals", "100%% %-12345X %x 5%", {}, "100%% %-12345X %x 5%"},
        BuildCase{"percent_then_symbol", "50%%d", {I(7)}, "50%7"},
        BuildCase{"minus_five", "@PJL SET JOBATTR=\"@X=%d\"\n", {I(-5)}, "@PJL SET JOBATTR=\"@X=-5\"\n"},
        BuildCase{"int_min", "%d", {I(INT32_MIN)}, "-2147483648"},
        BuildCase{"zero_integer", "N=%d;", {I(0)}, "N=0;"},
        BuildCase{"missing_parameter_ends", "A=%s B=%s\n", {S("x")}, "A=x"},
        BuildCase{"no_symbols", "@PJL ENTER LANGUAGE=POSTSCRIPT\n", {}, "@PJL ENTER LANGUAGE=POSTSCRIPT\n"},
        // Values are sanitised; the table's own bytes ("%c") are not.
        BuildCase{"value_sanitised", "@PJL X=%c%s%c%c%c", {C('"'), S("a\"b\rc\nd\x01" "e\x7f"), C('"'), C('\r'), C('\n')},
                  "@PJL X=\"a'b c d e \"\r\n"},
        BuildCase{"format_cut", std::string(300, 'f'), {}, std::string(229, 'f')}));

// Lines longer than 229 bytes: the value is cut, the line end is kept.
INSTANTIATE_TEST_SUITE_P(
    CutLines, BuildTest,
    testing::Values(
        // "@PJL SET JOBATTR=\"@JOAU=" is 24 bytes and the tail 3: 202 bytes of value fit.
        BuildCase{"joau_fits_exactly", kJoau, {C('"'), S(std::string(202, 'a')), C('"'), C('\r'), C('\n')},
                  "@PJL SET JOBATTR=\"@JOAU=" + std::string(202, 'a') + "\"\r\n"},
        BuildCase{"joau_one_over", kJoau, {C('"'), S(std::string(203, 'a')), C('"'), C('\r'), C('\n')},
                  "@PJL SET JOBATTR=\"@JOAU=" + std::string(202, 'a') + "\"\r\n"},
        BuildCase{"joau_long", kJoau, {C('"'), S(kA300), C('"'), C('\r'), C('\n')},
                  "@PJL SET JOBATTR=\"@JOAU=" + std::string(202, 'a') + "\"\r\n"},
        // 67 characters of three bytes (201) fit in 202; the split 68th is dropped whole.
        BuildCase{"multibyte_not_split", kJoau, {C('"'), S(Repeat(kHiragana, 100)), C('"'), C('\r'), C('\n')},
                  "@PJL SET JOBATTR=\"@JOAU=" + Repeat(kHiragana, 67) + "\"\r\n"},
        // Literal text after the value belongs to the line end: 15 + 209 + 5.
        BuildCase{"literal_tail", "@PJL COMMENT X=%s END\n", {S(kB300)},
                  "@PJL COMMENT X=" + std::string(209, 'b') + " END\n"},
        // Two long values: the text before the line end is cut, the line end stays.
        BuildCase{"two_values", "@PJL A=%s B=%s\n", {S(kA300), S(kB300)}, "@PJL A=" + std::string(221, 'a') + "\n"},
        BuildCase{"small_capacity", "@PJL X=%s\r\n", {S("abcdef")}, "@PJL X=ab\r\n", 12}));

TEST(BuildPrintComand, NoParameterList) {
  char output[kPJLLineSize];
  BuildPrintComand("A%sB", nullptr, output, sizeof output);
  EXPECT_STREQ(output, "");
  BuildPrintComand("plain\n", nullptr, output, sizeof output);
  EXPECT_STREQ(output, "plain\n");
  BuildPrintComand(nullptr, nullptr, output, sizeof output);
  EXPECT_STREQ(output, "");
}

struct SymbolCase {
  const char* text;
  int offset;  // of the next control symbol, -1 for none
};

std::ostream& operator<<(std::ostream& out, const SymbolCase& c) { return out << '"' << c.text << '"'; }

class NextSymbolTest : public testing::TestWithParam<SymbolCase> {};

TEST_P(NextSymbolTest, FindsSymbol) {
  const char* found = GetNextCtrlSym(GetParam().text);
  EXPECT_EQ(found == nullptr ? -1 : static_cast<int>(found - GetParam().text), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(Symbols, NextSymbolTest,
                         testing::Values(SymbolCase{"abc%d", 3}, SymbolCase{"%c", 0}, SymbolCase{"x%s", 1},
                                         SymbolCase{"%%", -1}, SymbolCase{"%-12345X", -1}, SymbolCase{"%%s", 1},
                                         SymbolCase{"%", -1}, SymbolCase{"%D %S %x", -1}, SymbolCase{"", -1}));

TEST(GetCtrlSym, FormatsByKind) {
  char buffer[kPJLLineSize];
  const int32_t number = -42;
  const char byte = 'Q';
  const char zero = '\0';
  EXPECT_EQ(getCtrlSym("%d", &number, buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "-42");
  EXPECT_EQ(getCtrlSym("%c", &byte, buffer, sizeof buffer), 1);
  EXPECT_STREQ(buffer, "Q");
  EXPECT_EQ(getCtrlSym("%c", &zero, buffer, sizeof buffer), 0);
  EXPECT_EQ(getCtrlSym("%s", "a\tb", buffer, sizeof buffer), 3);
  EXPECT_STREQ(buffer, "a b");
  EXPECT_EQ(getCtrlSym("%s", kA300.c_str(), buffer, sizeof buffer), 229);
  EXPECT_EQ(getCtrlSym("%x", &byte, buffer, sizeof buffer), 0);
  EXPECT_EQ(getCtrlSym("%s", nullptr, buffer, sizeof buffer), 0);
}

// Compare functions against the design's truth table.
const int32_t kOne = 1, kTwo = 2, kFour = 4;
const char* const kAbc = "abc";
const char* const kEmpty = "";

struct CompareCase {
  const char* name;
  CompareFunc compare;
  const void* value;
  const void* operand;
  int expected;
};

std::ostream& operator<<(std::ostream& out, const CompareCase& c) { return out << c.name; }

class CompareTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareTest, Result) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(c.compare(c.value, c.operand), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, CompareTest,
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
                    CompareCase{"not_contain_absent_text", StrNotContainCampareFunc, nullptr, "abc", 1},
                    CompareCase{"not_contain_present", StrNotContainCampareFunc, "xabc", "abc", 0},
                    CompareCase{"not_contain_other", StrNotContainCampareFunc, "xyz", "abc", 1},
                    CompareCase{"no_null_text", StrNoNULLCampareFunc, "a", nullptr, 1},
                    CompareCase{"no_null_empty", StrNoNULLCampareFunc, "", nullptr, 0},
                    CompareCase{"no_null_absent", StrNoNULLCampareFunc, nullptr, nullptr, 0},
                    CompareCase{"is_null_empty", StrIsNULLCampareFunc, "", nullptr, 1},
                    CompareCase{"is_null_text", StrIsNULLCampareFunc, "a", nullptr, 0},
                    CompareCase{"length_less", StrLengthLessThanCampareFunc, "abc", &kFour, 1},
                    CompareCase{"length_equal", StrLengthLessThanCampareFunc, "abcd", &kFour, 0},
                    CompareCase{"length_empty", StrLengthLessThanCampareFunc, "", &kOne, 1}),
    [](const testing::TestParamInfo<CompareCase>& info) { return std::string(info.param.name); });

// Compare functions that count their calls.
int g_calls[3] = {};
int CountTrue0(const void*, const void*) { return ++g_calls[0], 1; }
int CountFalse1(const void*, const void*) { return ++g_calls[1], 0; }
int CountTrue2(const void*, const void*) { return ++g_calls[2], 1; }

TEST(ConditionCompare, StopsAtFirstFalseItem) {
  const comparationItem items[] = {{nullptr, nullptr, CountTrue0},
                                   {nullptr, nullptr, CountFalse1},
                                   {nullptr, nullptr, CountTrue2}};
  comparation condition{};
  InitializeComparationTable(&condition, 3, items);
  g_calls[0] = g_calls[1] = g_calls[2] = 0;
  EXPECT_EQ(ConditionCompare(&condition), 0);
  EXPECT_EQ(g_calls[0], 1);
  EXPECT_EQ(g_calls[1], 1);
  EXPECT_EQ(g_calls[2], 0) << "third compare function was called";
}

TEST(ConditionCompare, EmptyAndAllTrue) {
  comparation none{0, nullptr};
  EXPECT_EQ(ConditionCompare(&none), 1);
  EXPECT_EQ(ConditionCompare(nullptr), 1);
  const comparationItem items[] = {{"x", nullptr, StrNoNULLCampareFunc}, {&kOne, &kOne, IntCampareFunc}};
  comparation both{2, items};
  EXPECT_EQ(ConditionCompare(&both), 1);
}

TEST(OutputQPJLCommandFromArray, WritesRowsWhoseConditionHolds) {
  const char* user = "alice";
  const char* empty = "";
  const void* user_list[] = {&CTRLSym_DOUBLE, user, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
  const void* empty_list[] = {&CTRLSym_DOUBLE, empty, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
  symPara user_para{5, user_list};
  symPara empty_para{5, empty_list};
  const comparationItem has_user[] = {{user, nullptr, StrNoNULLCampareFunc}};
  const comparationItem has_empty[] = {{empty, nullptr, StrNoNULLCampareFunc}};
  comparation user_set{1, has_user};
  comparation empty_set{1, has_empty};
  const prtFmtTable table[] = {
      {"@PJL JOB MODE=PRINTER\r\n", nullptr, nullptr},
      {kJoau, &empty_para, &empty_set},  // guarded: not written
      {kJoau, &user_para, &user_set},
      {kJoau, &empty_para, nullptr},  // unguarded: the part before the empty value
      {"@PJL EOJ\n", nullptr, nullptr},
  };
  const std::string out = CaptureStdout([&] { OutputQPJLCommandFromArray(nullptr, table, 5); });
  EXPECT_EQ(out,
            "@PJL JOB MODE=PRINTER\r\n"
            "@PJL SET JOBATTR=\"@JOAU=alice\"\r\n"
            "@PJL SET JOBATTR=\""
            "@PJL EOJ\n");
  EXPECT_EQ(CaptureStdout([&] { OutputQPJLCommandFromArray(nullptr, table, 0); }), "");
}

}  // namespace
