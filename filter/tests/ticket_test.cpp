// The ticket readers: text, byte-number form, number-up, numbers, PPD defaults.
#include "ticket.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "filter_test_support.h"
#include "param_name.h"

namespace {

// The parsed options of one option string, freed at the end.
struct Options {
  explicit Options(const std::string& text) : count(cupsParseOptions(text.c_str(), 0, &options)) {}
  ~Options() { cupsFreeOptions(count, options); }
  cups_option_t* options = nullptr;
  int count;
};

struct TextCase {
  const char* name;
  TicketReader reader;
  std::string options;
  std::string expected;
  int size = 256;
  int result = 1;
};
class TextReaderTest : public testing::TestWithParam<TextCase> {};

TEST_P(TextReaderTest, ReadsKey) {
  const TextCase& c = GetParam();
  Options options(c.options);
  char destination[1100];
  std::fill(std::begin(destination), std::end(destination), 'x');
  EXPECT_EQ(c.reader("K", options.count, options.options, destination, c.size), c.result);
  EXPECT_EQ(std::string(destination), c.expected);
  EXPECT_EQ(destination[c.size], 'x') << "wrote beyond the destination";
}

const auto kPrtLang = GetTicketStringConvertedToPrtLang;
const auto kNumberUp = GetNumberUpTicketString;
const auto kNumberUpComment = GetNumberUpTicketStringForComment;
std::string Repeat(const std::string& unit, int count) {
  std::string text;
  while (count-- > 0) text += unit;
  return text;
}

const TextCase kTexts[] = {
    {.name = "bytecode_utf8", .reader = kPrtLang, .options = "K=/227/129/130", .expected = "\xE3\x81\x82"},
    {.name = "bytecode_invalid_utf8", .reader = kPrtLang, .options = "K=/65/255", .expected = ""},
    {.name = "bytecode_stops_at_bad_number", .reader = kPrtLang, .options = "K=/65/300/66/x", .expected = "A"},
    {.name = "prtlang_absent", .reader = kPrtLang, .options = "L=1", .expected = "", .result = 0},
    // The work buffer reads 1023 characters: 341 byte numbers of three characters.
    {.name = "bytecode_work_buffer",
     .reader = kPrtLang,
     .options = "K=" + Repeat("/65", 400),
     .expected = std::string(341, 'A'),
     .size = 1024},
    {.name = "numberup_cut", .reader = kNumberUp, .options = "K=123456789012", .expected = "N12345678", .size = 10},
};
INSTANTIATE_TEST_SUITE_P(Readers, TextReaderTest, testing::ValuesIn(kTexts), RowName());

// Number-up from the layout when "number-up" is absent.
TEST(NumberUp, FromTheLayout) {
  const std::string rows = "com.apple.print.PrintSettings.PMLayoutRows..n.=";
  const std::string columns = " com.apple.print.PrintSettings.PMLayoutColumns..n.=";
  const struct {
    std::string options;
    const char *marked, *comment;
  } cases[] = {{.options = rows + "2" + columns + "3", .marked = "N6", .comment = "6"},
               {.options = rows + "99999999999" + columns + "99999999999",
                .marked = "N4611686014132420609",
                .comment = "4611686014132420609"},
               {.options = "number-up=2 " + rows + "2" + columns + "3", .marked = "N2", .comment = "2"}};
  for (const auto& c : cases) {
    Options options(c.options);
    char marked[256] = {}, comment[256] = {};
    EXPECT_EQ(GetNumberUpTicketString("number-up", options.count, options.options, marked, 256), 1);
    EXPECT_EQ(GetNumberUpTicketStringForComment("number-up", options.count, options.options, comment, 256), 1);
    EXPECT_STREQ(marked, c.marked) << c.options;
    EXPECT_STREQ(comment, c.comment) << c.options;
  }
}

TEST(NumberReaders, IntegerAndFloat) {
  const struct {
    const char* options;
    int integer;
    float real;
    int result;
  } cases[] = {{.options = "L=3", .integer = -1, .real = -1.0f, .result = 0},
               {.options = "K=12mm", .integer = 12, .real = 12.0f, .result = 1},
               {.options = "K=99999999999", .integer = INT_MAX, .real = 99999999999.0f, .result = 1}};
  for (const auto& c : cases) {
    Options options(c.options);
    int integer = 12345;
    float real = 12345.0f;
    EXPECT_EQ(GetTicketInteger("K", options.count, options.options, &integer, 4), c.result);
    EXPECT_EQ(GetTicketFloat("K", options.count, options.options, &real, 4), c.result);
    EXPECT_EQ(integer, c.integer) << c.options;
    EXPECT_FLOAT_EQ(real, c.real) << c.options;
  }
  Options huge("K=1e300");
  float real = 0;
  GetTicketFloat("K", huge.count, huge.options, &real, 4);
  EXPECT_TRUE(std::isinf(real));
}

// A key the job leaves out takes the default choice of the PPD option of that
// name; private keys and CUPS's own options keep their absence.
TEST(JobOptionValue, JobValueElsePPDDefault) {
  ScopedJobPPD ppd(TestPPD(PPDOption("OVStaple", "Left", "None Left") + PPDOption("OVPunch", "Auto", "None") +
                           PPDOption("nvxjobs.printsettings.Staple", "Left", "Left") +
                           PPDOption("sides", "one-sided", "one-sided")));
  const struct {
    const char *key, *options, *value;  // value nullptr: none
  } rows[] = {{.key = "OVStaple", .options = "OVStaple=", .value = ""},
              {.key = "OVStaple", .options = "OVPunch=None", .value = "Left"},
              {.key = "OVPunch", .options = "", .value = nullptr},  // the default names no choice
              {.key = "sides", .options = "", .value = nullptr}};
  for (const auto& row : rows) {
    Options options(row.options);
    EXPECT_STREQ(JobOptionValue(row.key, options.count, options.options), row.value) << row.key << " " << row.options;
    EXPECT_EQ(JobOptionIsSet(row.options, row.key), row.value != nullptr) << row.key << " " << row.options;
  }
}

// A ticket table of several kinds, read from argv[5] in one pass; an absent
// key reads as absent, and so does every row without an option string.
TEST(GetTicketFromArray, FillsEveryRow) {
  int missing = -5, copies = 0;
  char title[16] = {};
  const TicketData rows[] = {
      {"nvxjobs.printsettings.Missing", &missing, 4, CheckTicketKey},
      {"copies", &copies, 4, GetTicketInteger},
      {"nvxjobs.printsettings.Title", title, sizeof title, GetTicketStringConvertedToPrtLang},
      {"ignored", nullptr, 4, GetTicketInteger},
  };
  EXPECT_EQ(GetTicketFromArray(JobArgs("copies=3 nvxjobs.printsettings.Title=/79/75").argv(), rows, 4), 1);
  EXPECT_EQ(missing, 1);
  EXPECT_EQ(copies, 3);
  EXPECT_STREQ(title, "OK");
  JobArgs none("");
  none.pointers[5] = nullptr;
  EXPECT_EQ(GetTicketFromArray(none.argv(), rows + 1, 1), 1);
  EXPECT_EQ(copies, -1);
  EXPECT_EQ(GetTicketFromArray(nullptr, rows + 1, 1), 1);
  EXPECT_EQ(GetTicketFromArray(none.argv(), nullptr, 3), 1);
}

}  // namespace
