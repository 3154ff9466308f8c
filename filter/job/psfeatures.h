// The buffered pass's PJL derived from the document: lines for the PPD feature
// sections ("%%BeginFeature:"), for lines that carry colour-processing
// name-value pairs, and the colour-processing lines written after the document.
#pragma once
#include <cstddef>

inline constexpr int kCapturedFeatureSize = 20;  // 19 characters and a zero

// Feature choices seen in the document (a later section overwrites an earlier
// one), and whether the PPD-key defaults are still to be written.
struct FeatureCapture {
  char color_mode[kCapturedFeatureSize] = {};      // "KQColorMode"
  char image_type[kCapturedFeatureSize] = {};      // "KQRGBImageType"
  char input_profile[kCapturedFeatureSize] = {};   // "KQRGBInputProfile"
  char rgb_correction[kCapturedFeatureSize] = {};  // "KQRGBCorrection"
  char engine_screen[kCapturedFeatureSize] = {};   // "KQEngineScreen"
  bool defaults_pending = true;
};

// True for the lines that InspectLineForPJL writes PJL for.
bool LineCallsForPJL(const char* text, size_t length);

// Looks at one whole document line and writes the PJL it calls for to standard
// output: a "%%BeginFeature:" line, or a line with the colour-processing names.
void InspectLineForPJL(const char* text, size_t length, FeatureCapture* capture, char* argv[]);

// "%%BeginFeature:" lines (the line without its end).
void OutputPJLForFeatureLine(const char* text, size_t length, FeatureCapture* capture, char* argv[]);

// Lines with all of TSCR GSCR ISCR TTRC GTRC ITRC, or all of TCPR GCPR ICPR.
bool HasColourProcessingNames(const char* text, size_t length);
// One "@PJL SET JOBATTR=\"@name=value\"" line per pair read from the line's digits.
void OutputPJLForNameValueLine(const char* text, size_t length);

// The colour-processing values chosen from the captured features.
struct ColourProcessing {
  bool has_triple = false;
  int triple[3] = {};  // TCPR GCPR ICPR
  bool has_six = false;
  int six[6] = {};  // TTRC GTRC ITRC TSCR GSCR ISCR
};
ColourProcessing ChooseColourProcessing(const FeatureCapture& capture);
// Writes the TCPR lines (colour devices only) and the TTRC..ISCR lines.
void OutputColourProcessingLines(const FeatureCapture& capture);
