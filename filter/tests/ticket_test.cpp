#include "ticket.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

auto Name = RowName();

// The parsed options of one option string, freed at the end.
struct Options {
  explicit Options(const std::string& text) : count(cupsParseOptions(text.c_str(), 0, &options)) {}
  ~Options() { cupsFreeOptions(count, options); }
  cups_option_t* options = nullptr;
  int count;
};

// argv as CUPS passes it, with `options` as argv[5].
struct Argv {
  char* argv[7];
  explicit Argv(char* options)
      : argv{const_cast<char*>("ovqfilter"),
             const_cast<char*>("1"),
             const_cast<char*>("u"),
             const_cast<char*>("t"),
             const_cast<char*>("1"),
             options,
             nullptr} {}
};

struct TextReaderCase {
  const char* name;
  TicketReader reader;
  std::string options;
  int size;
  std::string expected;
  int result;
};
class TextReaderTest : public testing::TestWithParam<TextReaderCase> {};

TEST_P(TextReaderTest, ReadsKey) {
  const TextReaderCase& c = GetParam();
  Options options(c.options);
  char destination[1100];
  std::fill(std::begin(destination), std::end(destination), 'x');
  EXPECT_EQ(c.reader("K", options.count, options.options, destination, c.size), c.result);
  EXPECT_EQ(std::string(destination), c.expected);
  EXPECT_EQ(destination[c.size], 'x') << "wrote beyond the destination";
}

const std::string kMiB(1 << 20, 'a');
std::string ByteCodeRun(int count) {
  std::string text;
  while (count-- > 0) text += "/65";
  return text;
}
const auto kPrtLang = GetTicketStringConvertedToPrtLang;

INSTANTIATE_TEST_SUITE_P(
    Readers, TextReaderTest,
    testing::Values(TextReaderCase{"bytecode_hi", kPrtLang, "K=/72/105", 256, "Hi", 1},
                    TextReaderCase{"plain_keeps_bytecode", GetTicketString, "K=/72/105", 256, "/72/105", 1},
                    TextReaderCase{"bytecode_utf8", kPrtLang, "K=/227/129/130", 256, "\xE3\x81\x82", 1},
                    TextReaderCase{"bytecode_invalid_utf8", kPrtLang, "K=/65/255", 256, "", 1},
                    TextReaderCase{"prtlang_plain_text", kPrtLang, "K=Report", 256, "Report", 1},
                    TextReaderCase{"prtlang_absent", kPrtLang, "L=1", 256, "", 0},
                    TextReaderCase{"string_absent", GetTicketString, "L=1", 256, "", 0},
                    TextReaderCase{"string_present_empty", GetTicketString, "K=", 256, "", 1},
                    TextReaderCase{"string_cut_to_size", GetTicketString, "K=abcdef", 4, "abc", 1},
                    TextReaderCase{"string_invalid_utf8", GetTicketString, "K=a\xFF", 256, "", 1},
                    TextReaderCase{"string_mib", GetTicketString, "K=" + kMiB, 256, kMiB.substr(0, 255), 1},
                    // The work buffer reads 1023 characters: 341 byte numbers of three characters.
                    TextReaderCase{"bytecode_work_buffer", kPrtLang, "K=" + ByteCodeRun(400), 1024,
                                   std::string(341, 'A'), 1},
                    TextReaderCase{"bytecode_mib", kPrtLang, "K=/" + kMiB, 256, "", 1},
                    TextReaderCase{"numberup_value_not_decoded", GetNumberUpTicketString, "K=/52", 256, "N/52", 1},
                    TextReaderCase{"numberup_comment_decoded", GetNumberUpTicketStringForComment, "K=/52", 256, "4", 1},
                    TextReaderCase{"numberup_cut_to_accounting_size", GetNumberUpTicketString, "K=123456789012", 10,
                                   "N12345678", 1}),
    Name);

// Number-up from the layout when "number-up" is absent.
struct LayoutCase {
  const char* name;
  std::string options, marked, comment;
};  // marked: GetNumberUpTicketString
class LayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, BothReaders) {
  const LayoutCase& c = GetParam();
  Options options(c.options);
  char marked[256] = {}, comment[256] = {};
  EXPECT_EQ(GetNumberUpTicketString("number-up", options.count, options.options, marked, 256), 1);
  EXPECT_EQ(GetNumberUpTicketStringForComment("number-up", options.count, options.options, comment, 256), 1);
  EXPECT_EQ(marked, c.marked);
  EXPECT_EQ(comment, c.comment);
}

#define ROWS "com.apple.print.PrintSettings.PMLayoutRows..n."
#define COLUMNS "com.apple.print.PrintSettings.PMLayoutColumns..n."

INSTANTIATE_TEST_SUITE_P(
    NumberUp, LayoutTest,
    testing::Values(LayoutCase{"number_up_4", "number-up=4", "N4", "4"},
                    LayoutCase{"rows2_columns3", ROWS "=2 " COLUMNS "=3", "N6", "6"},
                    LayoutCase{"rows1_columns1", ROWS "=1 " COLUMNS "=1", "1", "1"},
                    LayoutCase{"no_layout", "copies=2", "1", "1"}, LayoutCase{"rows_only", ROWS "=2", "1", "1"},
                    LayoutCase{"columns_only", COLUMNS "=4", "1", "1"},
                    LayoutCase{"product_above_99", ROWS "=10 " COLUMNS "=12", "N120", "120"},
                    LayoutCase{"huge_product", ROWS "=99999999999 " COLUMNS "=99999999999", "N4611686014132420609",
                               "4611686014132420609"},
                    LayoutCase{"number_up_wins", "number-up=2 " ROWS "=2 " COLUMNS "=3", "N2", "2"}),
    Name);

struct NumberCase {
  const char* name;
  std::string options;
  int integer;
  float real;
  int result;
};
class NumberReaderTest : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberReaderTest, IntegerAndFloat) {
  const NumberCase& c = GetParam();
  Options options(c.options);
  int integer = 12345;
  float real = 12345.0f;
  EXPECT_EQ(GetTicketInteger("K", options.count, options.options, &integer, 4), c.result);
  EXPECT_EQ(GetTicketFloat("K", options.count, options.options, &real, 4), c.result);
  EXPECT_EQ(integer, c.integer);
  EXPECT_FLOAT_EQ(real, c.real);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, NumberReaderTest,
    testing::Values(NumberCase{"absent", "L=3", -1, -1.0f, 0}, NumberCase{"plain", "K=42", 42, 42.0f, 1},
                    NumberCase{"fraction", "K=1.5", 1, 1.5f, 1}, NumberCase{"negative", "K=-7", -7, -7.0f, 1},
                    NumberCase{"not_a_number", "K=abc", 0, 0.0f, 1},
                    NumberCase{"leading_digits", "K=12mm", 12, 12.0f, 1}, NumberCase{"empty", "K=", 0, 0.0f, 1},
                    NumberCase{"too_large_clamped", "K=99999999999", INT_MAX, 99999999999.0f, 1}),
    Name);

// A key the job leaves out takes the default choice of the PPD option of that
// name; private keys and CUPS's own options keep their absence.
TEST(JobOptionValue, JobValueElsePPDDefault) {
  ScopedJobPPD ppd(TestPPD(TestOption("OVStaple", "Left", "None Left") + TestOption("OVPunch", "Auto", "None") +
                           TestOption("nvxjobs.printsettings.Staple", "Left", "Left") +
                           TestOption("sides", "one-sided", "one-sided")));
  const struct {
    const char *key, *options, *value;  // value nullptr: none
  } rows[] = {{.key = "OVStaple", .options = "OVStaple=None", .value = "None"},
              {.key = "OVStaple", .options = "OVStaple=", .value = ""},
              {.key = "OVStaple", .options = "OVPunch=None", .value = "Left"},
              {.key = "OVPunch", .options = "", .value = nullptr},  // the default names no choice
              {.key = "nvxjobs.printsettings.Staple", .options = "", .value = nullptr},
              {.key = "sides", .options = "", .value = nullptr}};
  for (const auto& row : rows) {
    Options options(row.options);
    EXPECT_STREQ(JobOptionValue(row.key, options.count, options.options), row.value) << row.key << " " << row.options;
    EXPECT_EQ(JobOptionIsSet(row.options, row.key), row.value != nullptr) << row.key << " " << row.options;
  }
}

TEST(Readers, FloatBeyondRangeIsInfiniteAndCheckTicketKey) {
  Options huge("K=1e300");
  float real = 0;
  GetTicketFloat("K", huge.count, huge.options, &real, 4);
  EXPECT_TRUE(std::isinf(real));
  Options options("present= other=1");
  int flag = 7;
  EXPECT_EQ(CheckTicketKey("present", options.count, options.options, &flag, 4), 1);
  EXPECT_EQ(flag, 0);  // absent: see GetTicketFromArray
}

TEST(Numstrtochar, DecodesInPlace) {
  const std::pair<const char*, std::string> cases[] = {{"/65/66", "AB"},
                                                       {"/255", "\xFF"},
                                                       {"/300/65", ""},
                                                       {"/65/300/66", "A"},
                                                       {"/72/0/105", "H"},
                                                       {"/72/x/105", "H"},
                                                       {"/72/-5/105", "H"},
                                                       {"/", ""},
                                                       {"/65//66/", "AB"},
                                                       {"65/66", "65/66"},
                                                       {"", ""},
                                                       {"/99999999999999999999", ""},
                                                       {"/13/10/34", "\r\n\""},
                                                       {"/97/44/39/92", "a,'\\"}};
  for (const auto& [input, expected] : cases) {
    char text[64] = {};
    std::snprintf(text, sizeof text, "%s", input);
    numstrtochar(text);
    EXPECT_EQ(text, expected) << input;
  }
}

// A ticket table of several kinds, read from argv[5] in one pass.
TEST(GetTicketFromArray, FillsEveryRow) {
  int missing = -5, copies = 0;
  float scale = 0;
  char title[16] = {}, nup[10] = {};
  const TicketData rows[] = {
      {"nvxjobs.printsettings.Missing", &missing, 4, CheckTicketKey},
      {"copies", &copies, 4, GetTicketInteger},
      {"scale", &scale, 4, GetTicketFloat},
      {"nvxjobs.printsettings.Title", title, sizeof title, GetTicketStringConvertedToPrtLang},
      {"number-up", nup, sizeof nup, GetNumberUpTicketString},
      {"ignored", nullptr, 4, GetTicketInteger},
  };
  char options[] = "copies=3 scale=0.5 nvxjobs.printsettings.Title=/79/75 number-up=2";
  EXPECT_EQ(GetTicketFromArray(Argv(options).argv, rows, 6), 1);
  EXPECT_EQ(missing, 1);
  EXPECT_EQ(copies, 3);
  EXPECT_FLOAT_EQ(scale, 0.5f);
  EXPECT_STREQ(title, "OK");
  EXPECT_STREQ(nup, "N2");
  // Without an option string every row reads as absent.
  EXPECT_EQ(GetTicketFromArray(Argv(nullptr).argv, rows + 1, 1), 1);
  EXPECT_EQ(copies, -1);
  EXPECT_EQ(GetTicketFromArray(nullptr, rows + 1, 1), 1);
  EXPECT_EQ(GetTicketFromArray(Argv(nullptr).argv, nullptr, 3), 1);
}

}  // namespace
