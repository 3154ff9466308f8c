// Ghostscript for the tests: renders a document or a whole printer stream (it
// skips the PJL lines around the PostScript, as a printer does) into RGB page
// rasters, and reads the text it draws.
#pragma once
#include <string>
#include <vector>

#include "run_program.h"

// One rendered page: 3 bytes (RGB) per pixel, rows top to bottom.
struct Raster {
  int width = 0;
  int height = 0;
  std::string pixels;

  // Pixels within `tolerance` of the colour.
  size_t PixelsNear(int r, int g, int b, int tolerance = 8) const;
};

// Runs Ghostscript quietly and safely, without pauses, with `args` after those options.
RunResult RunGhostscript(const std::vector<std::string>& args);
// Every page of the file at `path` rendered at `dpi`; a page that is no
// readable binary PPM ("P6") image is an empty raster.
std::vector<Raster> RenderWithGhostscript(const std::string& path, int dpi);
// The text Ghostscript draws on each page.
std::vector<std::string> PageTexts(const std::string& path);
