// The direct build on fuzzed UIConstraints lines over fixed options: every
// location inside the PPD, the conflict test on every choice, and the cache
// writer's output read back equal to the direct build.
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "fuzz_ppd.h"
#include "quick_xppd.h"

using namespace ovqpde_fuzz;

namespace {

using Entry = std::tuple<std::string, int, int, int>;

std::multiset<Entry> Entries(const XppdHash& hash) {
  std::multiset<Entry> entries;
  for (const auto& [key, at] : hash) entries.emplace(key, at.group, at.option, at.choice);
  return entries;
}

// The input as "*UIConstraints:" lines: one per input line, controls dropped.
std::string ConstraintLines(const uint8_t* data, size_t size) {
  std::string lines = "*UIConstraints: ";
  for (size_t i = 0; i < size; ++i) {
    char c = static_cast<char>(data[i]);
    if (c == '\n') {
      lines += "\n*UIConstraints: ";
    } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
      lines.push_back(c);
    }
  }
  return lines + "\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 2000) return 0;
  ppd_file_t* ppd = OpenFuzzPPD(FuzzPPDText() + ConstraintLines(data, size));
  if (ppd == nullptr) return 0;
  std::vector<std::string> keywords;
  for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
    keywords.emplace_back(option->keyword);
  }
  for (int i = 0; i < ppd->num_consts; ++i) {
    keywords.emplace_back(ppd->consts[i].option1);
    keywords.emplace_back(ppd->consts[i].option2);
  }
  XppdHash hash;
  BuildXppdFromKeywords(ppd, &hash, keywords);
  for (const auto& [key, location] : hash) {
    if (ChoiceAtLocation(ppd, location) == nullptr) abort();
  }
  ppdMarkDefaults(ppd);
  for (int g = 0; g < ppd->num_groups; ++g) {
    for (int o = 0; o < ppd->groups[g].num_options; ++o) {
      ppd_option_t& option = ppd->groups[g].options[o];
      for (int c = 0; c < option.num_choices; ++c)
        IsPPDChoiceConflicted(ppd, &hash, option.keyword, option.choices[c].choice);
    }
  }

  const std::string section = kSectionImageOptionTiger;
  const std::string path = "/nonexistent";
  const XPPDSection table[] = {{&section, &keywords}, {nullptr, nullptr}};
  XppdHash scratch;
  CQuickXPPD writer(ppd, &scratch, table, &path);
  std::ostringstream out;
  out << writer;
  if (writer.SkippedEntries() == 0) {
    XppdHash read;
    std::istringstream in(out.str());
    CQuickXPPD reader(&read, &section);
    in >> reader;
    if (Entries(read) != Entries(hash)) abort();
  }
  ppdClose(ppd);
  return 0;
}
