// Real PPDs that no one here wrote: a fixed sample of the PPDs of Debian's
// printer-driver-postscript-hp, most with hundreds of UIConstraints. For each,
// the direct build over all its options, the conflict test over every choice
// (checked against libcups's own conflict finder) and the cache writer's
// output read back.
#include <gtest/gtest.h>

#include <sstream>

#include "hp_ppd_sample.h"
#include "quick_xppd.h"
#include "test_ppd.h"

using namespace ovqpde;

namespace {

std::string SampleDir() {
  const char* dir = std::getenv("OVQ_HP_PPD_DIR");
  return dir != nullptr && *dir != '\0' ? dir : OVQ_HP_PPD_DIR;
}

std::vector<SampledPPD> LoadSample() {
  if (!HPExtractionComplete(SampleDir())) return {};
  return HPSample(AllHPPPDs(SampleDir()));
}

#define SKIP_WITHOUT_SAMPLE(sample)                                                                   \
  if ((sample).empty())                                                                              \
  GTEST_SKIP() << "no extracted PPDs in " << SampleDir()                                              \
               << " (install printer-driver-postscript-hp and run pde/common/tests/fetch_hp_ppds.sh)"

struct SweepTotals {
  size_t entries = 0;
  size_t choices = 0;
  size_t conflicted = 0;
};

std::vector<std::string> AllOptionKeywords(ppd_file_t* ppd) {
  std::vector<std::string> keywords;
  for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
    keywords.emplace_back(option->keyword);
  }
  return keywords;
}

void ExpectLocationsInside(ppd_file_t* ppd, const XppdHash& hash) {
  size_t outside = 0;
  for (const auto& [key, location] : hash) {
    if (ChoiceAtLocation(ppd, location) == nullptr) ++outside;
  }
  EXPECT_EQ(outside, 0u) << "entries outside the PPD's arrays";
}

// Every choice that our test finds conflicted also conflicts for libcups.
void ConflictTestEveryChoice(ppd_file_t* ppd, const XppdHash& hash, SweepTotals* totals) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    for (int o = 0; o < ppd->groups[g].num_options; ++o) {
      ppd_option_t& option = ppd->groups[g].options[o];
      for (int c = 0; c < option.num_choices; ++c) {
        ++totals->choices;
        if (!IsPPDChoiceConflicted(ppd, &hash, option.keyword, option.choices[c].choice)) continue;
        ++totals->conflicted;
        cups_option_t* conflicts = nullptr;
        int count = cupsGetConflicts(ppd, option.keyword, option.choices[c].choice, &conflicts);
        cupsFreeOptions(count, conflicts);
        EXPECT_GT(count, 0) << option.keyword << ":" << option.choices[c].choice;
      }
    }
  }
}

void MarkLastChoices(ppd_file_t* ppd) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    for (int o = 0; o < ppd->groups[g].num_options; ++o) {
      ppd_option_t& option = ppd->groups[g].options[o];
      if (option.num_choices > 0) ppdMarkOption(ppd, option.keyword, option.choices[option.num_choices - 1].choice);
    }
  }
}

void ExpectCacheRoundTrip(ppd_file_t* ppd, const std::string& path, const std::vector<std::string>& keywords,
                          const XppdHash& direct) {
  const std::string section = kSectionImageOptionTiger;
  const XPPDSection table[] = {{&section, &keywords}, {nullptr, nullptr}};
  XppdHash scratch;
  CQuickXPPD writer(ppd, &scratch, table, &path);
  std::ostringstream out;
  out << writer;
  ASSERT_TRUE(out.good());
  EXPECT_EQ(writer.SkippedEntries(), 0u);
  XppdHash read;
  std::istringstream in(out.str());
  CQuickXPPD reader(&read, &section);
  in >> reader;
  EXPECT_EQ(read.size(), direct.size());
  EXPECT_TRUE(EntriesOf(read) == EntriesOf(direct)) << "cache read back differs from the direct build";
}

TEST(HPSample, EverySecondPPDAndTheMostConstrained) {
  if (!HPExtractionComplete(SampleDir())) GTEST_SKIP() << "no extracted PPDs in " << SampleDir();
  std::vector<SampledPPD> all = AllHPPPDs(SampleDir());
  std::vector<SampledPPD> sample = HPSample(all);
  EXPECT_GE(all.size(), 400u);
  EXPECT_GE(sample.size(), all.size() / 2);
  EXPECT_LE(sample.size(), (all.size() + 1) / 2 + kMostConstrained);
  const SampledPPD* most = MostConstrainedPPD(sample);
  ASSERT_NE(most, nullptr);
  EXPECT_EQ(most->uiConstraints, MostConstrainedPPD(all)->uiConstraints);
  EXPECT_GT(most->uiConstraints, 1000);
}

TEST(HPSweep, DirectBuildConflictTestAndCacheRoundTrip) {
  std::vector<SampledPPD> sample = LoadSample();
  SKIP_WITHOUT_SAMPLE(sample);
  SweepTotals totals;
  std::vector<std::string> refused;
  for (const SampledPPD& sampled : sample) {
    SCOPED_TRACE(sampled.path);
    // A PPD that libcups refuses never reaches a dialog.
    PPDHandle ppd(ppdOpenFile(sampled.path.c_str()));
    if (ppd == nullptr) {
      refused.push_back(sampled.path);
      continue;
    }
    std::vector<std::string> keywords = AllOptionKeywords(ppd.get());
    XppdHash hash;
    BuildXppdFromKeywords(ppd.get(), &hash, keywords);
    totals.entries += hash.size();
    ExpectLocationsInside(ppd.get(), hash);

    ppdMarkDefaults(ppd.get());
    ConflictTestEveryChoice(ppd.get(), hash, &totals);
    MarkLastChoices(ppd.get());
    ConflictTestEveryChoice(ppd.get(), hash, &totals);

    ExpectCacheRoundTrip(ppd.get(), sampled.path, keywords, hash);
    if (HasFatalFailure() || testing::Test::HasFailure()) break;
  }
  std::printf("sweep: %zu PPDs (%zu refused by libcups), %zu hash entries, %zu choice tests, %zu conflicted\n",
              sample.size(), refused.size(), totals.entries, totals.choices, totals.conflicted);
  for (const std::string& path : refused) std::printf("refused by libcups: %s\n", path.c_str());
  EXPECT_LE(refused.size(), sample.size() / 50);
  EXPECT_GT(totals.entries, 10000u);
  EXPECT_GT(totals.conflicted, 100u);
}

}  // namespace
