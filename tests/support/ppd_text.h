// PPD texts for tests: the "*PPD-Adobe" header lines every fixture starts with.
#pragma once
#include <string>

// The header of an Orvane test model ("OVQTEST.PPD").
std::string PPDHeader();
// An option of `ui` kind ("PickOne", "Boolean") with its default and choices (blank-separated).
std::string PPDOption(const std::string& key, const std::string& defaultChoice, const std::string& choices,
                      const std::string& ui = "PickOne");
