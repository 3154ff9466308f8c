#include "pjlheader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "inspect.h"
#include "jobflow.h"
#include "ppdchoices.h"
#include "random_job.h"

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

// Every header line is exactly one complete PJL command, whatever the job's
// options, user and title: random jobs (a fixed seed) through the whole filter,
// each stream read by the job-stream inspector's strict framing check.
TEST(Header, EveryLineIsOneCompleteCommand) {
  const char* const ppds[] = {nullptr, "tests/fixtures/ppd/header-utf8.ppd", "tests/fixtures/ppd/header-sjis.ppd",
                              "ppd/OVQU700.ppd", "ppd/OVQC500.ppd"};
  TempDir dir;
  WriteFile(dir.File("job.ps"), "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n");
  setenv("TMPDIR", dir.path().c_str(), 1);
  std::mt19937 random(9);
  auto next = [&] { return static_cast<uint8_t>(random()); };
  for (int run = 0; run < 64; ++run) {
    const char* ppd = ppds[run % std::size(ppds)];
    ppd != nullptr ? setenv("PPD", SourcePath(ppd).c_str(), 1) : unsetenv("PPD");
    CloseJobPPD();
    RandomJob job = MakeRandomJob(next, JobPPD());
    JobArgs args(job.options, "1", dir.File("job.ps"));
    args.texts[2] = job.user;
    args.texts[3] = job.title;
    args.pointers[2] = args.texts[2].data();
    args.pointers[3] = args.texts[3].data();
    int status = -1;
    const std::string out = CaptureStdout([&] { status = FilterMain(7, args.argv()); });
    const ovqinspect::Inspection inspection = ovqinspect::InspectStream(out);
    ASSERT_TRUE(status == 0 && inspection.ok())
        << "run " << run << ", PPD " << (ppd != nullptr ? ppd : "none") << ": "
        << (inspection.ok() ? "exit status " + std::to_string(status) : inspection.errors.front().message) << "\nuser "
        << MakeVisible(job.user) << "\ntitle " << MakeVisible(job.title) << "\noptions " << MakeVisible(job.options)
        << "\n"
        << MakeVisible(out.substr(0, out.find("%!PS")));
  }
  unsetenv("PPD");
  unsetenv("TMPDIR");
  CloseJobPPD();
}

}  // namespace
