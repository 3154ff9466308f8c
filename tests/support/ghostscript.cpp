#include "ghostscript.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

size_t Raster::PixelsNear(int r, int g, int b, int tolerance) const {
  const int want[3] = {r, g, b};
  const auto stride = static_cast<size_t>(channels);
  size_t count = 0;
  for (size_t i = 0; i + stride <= pixels.size(); i += stride) {
    bool near = true;
    for (size_t c = 0; c < stride; ++c)
      near = near && std::abs(static_cast<unsigned char>(pixels[i + c]) - want[c]) <= tolerance;
    count += near;
  }
  return count;
}

bool ReadRaster(const std::string& data, Raster* raster) {
  std::istringstream in(data);
  std::string magic;
  int maximum = 0;
  in >> magic;
  raster->channels = magic == "P5" ? 1 : magic == "P6" ? 3 : 0;
  if (raster->channels == 0) return false;
  while ((in >> std::ws).peek() == '#') in.ignore(static_cast<std::streamsize>(data.size()), '\n');
  if (!(in >> raster->width >> raster->height >> maximum) || maximum != 255 || in.get() == EOF) return false;
  raster->pixels = data.substr(static_cast<size_t>(in.tellg()));
  return raster->pixels.size() == static_cast<size_t>(raster->width) * static_cast<size_t>(raster->height) *
                                      static_cast<size_t>(raster->channels);
}

RunResult RunGhostscript(const std::vector<std::string>& args) {
  std::vector<std::string> all = {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE"};
  all.insert(all.end(), args.begin(), args.end());
  return RunTool("/usr/bin/gs", all);
}

// The files page-1.<extension>, page-2.<extension>, ... of `dir`, in order.
static std::vector<std::string> PageFiles(const TempDir& dir, const std::string& extension) {
  std::vector<std::string> pages;
  for (int page = 1;; ++page) {
    const std::string file = dir.File("page-" + std::to_string(page) + "." + extension);
    if (access(file.c_str(), F_OK) != 0) return pages;
    pages.push_back(ReadFile(file));
  }
}

Rendering RenderWithGhostscript(const std::string& path, int dpi, bool colour) {
  TempDir dir;
  const RunResult run = RunGhostscript({colour ? "-sDEVICE=ppmraw" : "-sDEVICE=pgmraw", "-r" + std::to_string(dpi),
                                        "-sOutputFile=" + dir.File("page-%d.pnm"), path});
  Rendering rendering;
  rendering.exit_status = run.exit_status;
  rendering.messages = run.out + run.err;
  for (const std::string& page : PageFiles(dir, "pnm")) {
    Raster raster;
    if (!ReadRaster(page, &raster)) {
      rendering.messages += "\nunreadable raster";
      rendering.exit_status = -1;
      break;
    }
    rendering.pages.push_back(std::move(raster));
  }
  return rendering;
}

std::vector<std::string> PageTexts(const std::string& path) {
  TempDir dir;
  RunGhostscript({"-sDEVICE=txtwrite", "-sOutputFile=" + dir.File("page-%d.txt"), path});
  return PageFiles(dir, "txt");
}
