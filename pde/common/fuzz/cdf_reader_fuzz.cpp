// The cache file reader on arbitrary files; the hash it fills is then used
// for the conflict test and the reverse test on a real parsed PPD.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_ppd.h"
#include "quick_xppd.h"

using namespace ovqpde_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ppd_file_t* ppd = [] {
    ppd_file_t* opened = OpenFuzzPPD(FuzzPPDText());
    if (opened == nullptr) abort();
    ppdMarkDefaults(opened);
    return opened;
  }();
  if (size == 0) return 0;
  const std::string section = data[0] % 2 == 0 ? "S" : kSectionImageOptionTiger;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  XppdHash hash;
  CQuickXPPD reader(&hash, &section);
  in >> reader;
  for (const auto& [key, location] : hash) {
    if (key.empty()) abort();
    ChoiceAtLocation(ppd, location);
    size_t colon = key.find(':');
    std::string option = key.substr(0, colon);
    std::string choice = colon == std::string::npos ? "" : key.substr(colon + 1);
    IsPPDChoiceConflicted(ppd, &hash, option.c_str(), choice.c_str());
    HashEntryPointsTo(ppd, &hash, key.c_str(), "OVColor", "Gray");
  }
  return 0;
}
