#include "hp_ppd_sample.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

namespace {

int CountUIConstraints(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  int count = 0;
  while (std::getline(in, line)) {
    if (line.rfind("*UIConstraints:", 0) == 0) ++count;
  }
  return count;
}

}  // namespace

bool HPExtractionComplete(const std::string& dir) { return std::filesystem::exists(dir + "/.complete"); }

std::vector<SampledPPD> AllHPPPDs(const std::string& dir) {
  std::vector<SampledPPD> all;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    if (entry.path().extension() == ".ppd") all.push_back(SampledPPD{entry.path().string(), 0});
  }
  std::sort(all.begin(), all.end(), [](const SampledPPD& a, const SampledPPD& b) { return a.path < b.path; });
  for (SampledPPD& ppd : all) ppd.uiConstraints = CountUIConstraints(ppd.path);
  return all;
}

std::vector<SampledPPD> HPSample(const std::vector<SampledPPD>& all) {
  std::set<size_t> chosen;
  for (size_t i = 0; i < all.size(); i += 2) chosen.insert(i);
  std::vector<size_t> byConstraints(all.size());
  for (size_t i = 0; i < all.size(); ++i) byConstraints[i] = i;
  std::stable_sort(byConstraints.begin(), byConstraints.end(),
                   [&](size_t a, size_t b) { return all[a].uiConstraints > all[b].uiConstraints; });
  for (size_t i = 0; i < byConstraints.size() && i < kMostConstrained; ++i) chosen.insert(byConstraints[i]);
  std::vector<SampledPPD> sample;
  for (size_t index : chosen) sample.push_back(all[index]);
  return sample;
}

const SampledPPD* MostConstrainedPPD(const std::vector<SampledPPD>& sample) {
  const SampledPPD* most = nullptr;
  for (const SampledPPD& ppd : sample) {
    if (most == nullptr || ppd.uiConstraints > most->uiConstraints) most = &ppd;
  }
  return most;
}
