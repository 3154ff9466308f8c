#include "ghostscript.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>

size_t Raster::PixelsNear(int r, int g, int b, int tolerance) const {
  size_t count = 0;
  for (size_t i = 0; i + 3 <= pixels.size(); i += 3) {
    count += std::abs(static_cast<unsigned char>(pixels[i]) - r) <= tolerance &&
             std::abs(static_cast<unsigned char>(pixels[i + 1]) - g) <= tolerance &&
             std::abs(static_cast<unsigned char>(pixels[i + 2]) - b) <= tolerance;
  }
  return count;
}

// A binary PPM image ("P6", maximum 255); an empty raster when it is not one.
static Raster ReadRaster(const std::string& data) {
  std::istringstream in(data);
  std::string magic;
  Raster raster;
  int maximum = 0;
  in >> magic;
  while ((in >> std::ws).peek() == '#') in.ignore(static_cast<std::streamsize>(data.size()), '\n');
  if (magic != "P6" || !(in >> raster.width >> raster.height >> maximum) || maximum != 255 || in.get() == EOF) {
    return {};
  }
  raster.pixels = data.substr(static_cast<size_t>(in.tellg()));
  if (raster.pixels.size() != static_cast<size_t>(raster.width) * static_cast<size_t>(raster.height) * 3) return {};
  return raster;
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

std::vector<Raster> RenderWithGhostscript(const std::string& path, int dpi) {
  TempDir dir;
  RunGhostscript({"-sDEVICE=ppmraw", "-r" + std::to_string(dpi), "-sOutputFile=" + dir.File("page-%d.pnm"), path});
  std::vector<Raster> pages;
  for (const std::string& page : PageFiles(dir, "pnm")) pages.push_back(ReadRaster(page));
  return pages;
}

std::vector<std::string> PageTexts(const std::string& path) {
  TempDir dir;
  RunGhostscript({"-sDEVICE=txtwrite", "-sOutputFile=" + dir.File("page-%d.txt"), path});
  return PageFiles(dir, "txt");
}
