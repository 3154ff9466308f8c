// Real PPDs that no one here wrote: a fixed sample of the PPDs of Debian's
// printer-driver-postscript-hp, most with hundreds of UIConstraints. For each,
// the direct build over all its options and the conflict test over every
// choice, checked against libcups's own conflict finder. (Locations inside the
// PPD and the cache read back are the constraints fuzz target's checks.)
#include <gtest/gtest.h>

#include <functional>

#include "hp_ppd_sample.h"
#include "quick_xppd.h"
#include "test_ppd.h"

using namespace ovqpde;

namespace {

std::string SampleDir() {
  const char* dir = std::getenv("OVQ_HP_PPD_DIR");
  return dir != nullptr && *dir != '\0' ? dir : OVQ_HP_PPD_DIR;
}

void ForEachOption(ppd_file_t* ppd, const std::function<void(ppd_option_t&)>& visit) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    for (int o = 0; o < ppd->groups[g].num_options; ++o) visit(ppd->groups[g].options[o]);
  }
}

// Every choice that our test finds conflicted also conflicts for libcups;
// returns the number of choices found conflicted.
size_t ConflictTestEveryChoice(ppd_file_t* ppd, const XppdHash& hash) {
  size_t conflicted = 0;
  ForEachOption(ppd, [&](ppd_option_t& option) {
    for (int c = 0; c < option.num_choices; ++c) {
      if (!IsPPDChoiceConflicted(ppd, &hash, option.keyword, option.choices[c].choice)) continue;
      ++conflicted;
      cups_option_t* conflicts = nullptr;
      int count = cupsGetConflicts(ppd, option.keyword, option.choices[c].choice, &conflicts);
      cupsFreeOptions(count, conflicts);
      EXPECT_GT(count, 0) << option.keyword << ":" << option.choices[c].choice;
    }
  });
  return conflicted;
}

TEST(HPSweep, ConflictTestAgreesWithLibcups) {
  if (!HPExtractionComplete(SampleDir())) {
    GTEST_SKIP() << "no extracted PPDs in " << SampleDir()
                 << " (install printer-driver-postscript-hp and run pde/common/tests/fetch_hp_ppds.sh)";
  }
  std::vector<SampledPPD> sample = HPSample(AllHPPPDs(SampleDir()));
  size_t entries = 0, conflicted = 0, refused = 0;
  for (const SampledPPD& sampled : sample) {
    SCOPED_TRACE(sampled.path);
    // A PPD that libcups refuses never reaches a dialog.
    PPDHandle ppd(ppdOpenFile(sampled.path.c_str()));
    if (ppd == nullptr) {
      std::printf("refused by libcups: %s\n", sampled.path.c_str());
      ++refused;
      continue;
    }
    std::vector<std::string> keywords;
    ForEachOption(ppd.get(), [&](ppd_option_t& option) { keywords.emplace_back(option.keyword); });
    XppdHash hash;
    BuildXppdFromKeywords(ppd.get(), &hash, keywords);
    entries += hash.size();
    ppdMarkDefaults(ppd.get());
    conflicted += ConflictTestEveryChoice(ppd.get(), hash);
    ForEachOption(ppd.get(), [&](ppd_option_t& option) {  // the last choice of every option
      if (option.num_choices > 0)
        ppdMarkOption(ppd.get(), option.keyword, option.choices[option.num_choices - 1].choice);
    });
    conflicted += ConflictTestEveryChoice(ppd.get(), hash);
    if (testing::Test::HasFailure()) break;
  }
  std::printf("sweep: %zu PPDs (%zu refused by libcups), %zu hash entries, %zu conflicted choice tests\n",
              sample.size(), refused, entries, conflicted);
  EXPECT_GT(sample.size(), 0u);
  EXPECT_LE(refused, sample.size() / 50);
  EXPECT_GT(entries, 10000u);
  EXPECT_GT(conflicted, 100u);
}

}  // namespace
