// PPD texts for tests: the "*PPD-Adobe" header lines every fixture starts with.
#pragma once
#include <string>

// The header of an Orvane test model ("OVQTEST.PPD").
std::string PPDHeader();
