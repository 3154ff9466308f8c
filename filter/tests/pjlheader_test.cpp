#include "pjlheader.h"

#include <gtest/gtest.h>

#include <string>

#include "filter_test_support.h"
#include "ppdchoices.h"

namespace {

// PPD choices of the job that have a header line, found by keyword (with its
// star) and choice, both compared exactly.
TEST(Header, ChoiceLineLookup) {
  const struct {
    const char *keyword, *choice, *line;  // line nullptr: no line
  } rows[] = {
      {.keyword = "*OVBrightnes", .choice = "Dark3", .line = "@PJL SET JOBATTR=\"@PSBR=-3\"\n"},
      {.keyword = "OVBrightnes", .choice = "Dark3", .line = nullptr},
      {.keyword = "*OVBrightness", .choice = "Dark3", .line = nullptr},
      {.keyword = "*OVColorDensityBlackHigh", .choice = "+3", .line = "@PJL SET JOBATTR=\"@AJKH=6\"\n"},
      {.keyword = "*OVColorDensityCyanLow", .choice = "3", .line = nullptr},
      {.keyword = nullptr, .choice = "True", .line = nullptr},
      {.keyword = "*Smoothing", .choice = nullptr, .line = nullptr},
  };
  for (const auto& row : rows) {
    EXPECT_STREQ(GetThePJLCommandfromKeywordsandMarkedValue(row.keyword, row.choice), row.line)
        << (row.keyword ? row.keyword : "null") << " " << (row.choice ? row.choice : "null");
  }
}

}  // namespace
