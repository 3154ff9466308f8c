// Constraint benchmark: for the sampled printer-driver-postscript-hp PPD with
// the most UIConstraints, the time to build the constraint hash and test every
// choice, and to read the same hash from a cache file, next to the time
// libcups needs to open that PPD, all measured in this run.
//
//   dialog-constraints-bench [PPD-DIR [ROUNDS]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "hp_ppd_sample.h"
#include "quick_xppd.h"

using namespace ovqpde;

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start, int rounds) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
}

std::vector<std::string> OptionKeywords(ppd_file_t* ppd) {
  std::vector<std::string> keywords;
  for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
    keywords.emplace_back(option->keyword);
  }
  return keywords;
}

// Tests every choice of the PPD; returns how many are conflicted.
size_t TestEveryChoice(ppd_file_t* ppd, const XppdHash& hash, size_t* choices) {
  size_t conflicted = 0;
  *choices = 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    for (int o = 0; o < ppd->groups[g].num_options; ++o) {
      ppd_option_t& option = ppd->groups[g].options[o];
      for (int c = 0; c < option.num_choices; ++c) {
        ++*choices;
        if (IsPPDChoiceConflicted(ppd, &hash, option.keyword, option.choices[c].choice)) ++conflicted;
      }
    }
  }
  return conflicted;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::string dir = argc > 1 ? argv[1] : OVQ_HP_PPD_DIR;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
  if (rounds < 1) rounds = 1;
  if (!HPExtractionComplete(dir)) {
    std::fprintf(stderr, "no extracted PPDs in %s: run pde/common/tests/fetch_hp_ppds.sh %s first\n", dir.c_str(),
                 dir.c_str());
    return 1;
  }
  std::vector<SampledPPD> sample = HPSample(AllHPPPDs(dir));
  const SampledPPD* most = MostConstrainedPPD(sample);
  if (most == nullptr) return 1;
  const char* path = most->path.c_str();

  Clock::time_point start = Clock::now();
  for (int i = 0; i < rounds; ++i) ppdClose(ppdOpenFile(path));
  double openTime = MillisecondsSince(start, rounds);

  ppd_file_t* ppd = ppdOpenFile(path);
  if (ppd == nullptr) {
    std::fprintf(stderr, "libcups cannot open %s\n", path);
    return 1;
  }
  ppdMarkDefaults(ppd);
  std::vector<std::string> keywords = OptionKeywords(ppd);
  size_t entries = 0;
  size_t choices = 0;
  size_t conflicted = 0;
  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    XppdHash hash;
    BuildXppdFromKeywords(ppd, &hash, keywords);
    conflicted = TestEveryChoice(ppd, hash, &choices);
    entries = hash.size();
  }
  double buildTime = MillisecondsSince(start, rounds);

  const std::string section = kSectionImageOptionTiger;
  const XPPDSection table[] = {{&section, &keywords}, {nullptr, nullptr}};
  XppdHash scratch;
  CQuickXPPD writer(ppd, &scratch, table, &most->path);
  std::ostringstream file;
  file << writer;
  start = Clock::now();
  for (int i = 0; i < rounds; ++i) {
    XppdHash hash;
    std::istringstream in(file.str());
    CQuickXPPD reader(&hash, &section);
    in >> reader;
    conflicted = TestEveryChoice(ppd, hash, &choices);
  }
  double cacheTime = MillisecondsSince(start, rounds);
  ppdClose(ppd);

  std::printf("PPD: %s\n", path);
  std::printf("  %d UIConstraints, %zu hash entries, %zu choices (%zu conflicted with the defaults), %d rounds\n",
              most->uiConstraints, entries, choices, conflicted, rounds);
  std::printf("  libcups ppdOpenFile:                      %8.3f ms per PPD\n", openTime);
  std::printf("  direct build + conflict test every choice: %8.3f ms per PPD  (%.2f x ppdOpenFile)\n", buildTime,
              buildTime / openTime);
  std::printf("  cache read + conflict test every choice:   %8.3f ms per PPD  (%.2f x ppdOpenFile)\n", cacheTime,
              cacheTime / openTime);
  return 0;
}
