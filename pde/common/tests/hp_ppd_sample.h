// The fixed sample of real PPDs (Debian's printer-driver-postscript-hp) that
// the sweep test and the constraint benchmark use.
#pragma once
#include <string>
#include <vector>

struct SampledPPD {
  std::string path;
  int uiConstraints = 0;  // "*UIConstraints" lines in the file
};

// Whether the extraction into `dir` has finished (see fetch_hp_ppds.sh).
bool HPExtractionComplete(const std::string& dir);

// Every PPD file of `dir` in name order, with its UIConstraints count.
std::vector<SampledPPD> AllHPPPDs(const std::string& dir);

// The sample: every second PPD in name order (the first, third, ...) and the
// kMostConstrained PPDs with the most UIConstraints, in name order.
inline constexpr size_t kMostConstrained = 12;
std::vector<SampledPPD> HPSample(const std::vector<SampledPPD>& all);

// The PPD of `sample` with the most UIConstraints (the first by name on a tie).
const SampledPPD* MostConstrainedPPD(const std::vector<SampledPPD>& sample);
