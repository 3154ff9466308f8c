// A PPD for the fuzz targets: fixed options, written to a temporary file and
// opened with libcups.
#pragma once
#include <string>

#include "cups_ppd.h"

// The fixed options (two groups, choices at index 0 named None, Off and ordinary words).
std::string FuzzPPDText();
// Writes `text` to a temporary file and opens it; nullptr when libcups refuses it.
ppd_file_t* OpenFuzzPPD(const std::string& text);
