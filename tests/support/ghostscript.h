// Ghostscript for the tests: renders a document or a whole printer stream (it
// skips the PJL lines around the PostScript, as a printer does) into page
// rasters, and the raster reader for its output.
#pragma once
#include <string>
#include <vector>

#include "run_program.h"

// One rendered page: 1 (gray) or 3 (RGB) bytes per pixel, rows top to bottom.
struct Raster {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::string pixels;

  // Pixels within `tolerance` of the colour (gray rasters compare `r` only).
  size_t PixelsNear(int r, int g, int b, int tolerance = 8) const;
};

// Reads a binary PGM ("P5") or PPM ("P6") image; false when it is neither.
bool ReadRaster(const std::string& data, Raster* raster);

struct Rendering {
  std::vector<Raster> pages;
  int exit_status = -1;
  std::string messages;  // Ghostscript's standard output and error
  // Ghostscript ran to its end without a PostScript error.
  bool ok() const { return exit_status == 0 && messages.find("Error") == std::string::npos; }
};

// Runs Ghostscript quietly and safely, without pauses, with `args` after those options.
RunResult RunGhostscript(const std::vector<std::string>& args);
// Renders every page of the file at `path` at `dpi`, in RGB or gray.
Rendering RenderWithGhostscript(const std::string& path, int dpi, bool colour = true);
// The text Ghostscript draws on each page.
std::vector<std::string> PageTexts(const std::string& path);
