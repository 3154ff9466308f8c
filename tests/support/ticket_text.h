// Print-dialog tickets as the filter receives them in its options.
#pragma once
#include <algorithm>
#include <string>

// "nvxjobs.printsettings." before each blank-separated name=value.
inline std::string Ticket(const std::string& pairs) {
  std::string out;
  for (size_t start = 0, end; start < pairs.size(); start = end + 1) {
    end = std::min(pairs.find(' ', start), pairs.size());
    out += (out.empty() ? "nvxjobs.printsettings." : " nvxjobs.printsettings.") + pairs.substr(start, end - start);
  }
  return out;
}
