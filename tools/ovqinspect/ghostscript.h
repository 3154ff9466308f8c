// Ghostscript reading a whole job stream as the printer would: the PJL lines are
// skipped, the PostScript is interpreted.
#pragma once
#include <string>

namespace ovqinspect {

// Number of pages Ghostscript produces from the stream file at `path`, or -1
// with `error` set when Ghostscript fails or reports a PostScript error.
int CountPages(const std::string& path, std::string& error);

// Renders every page into `folder` as page-001.png, page-002.png, ... at `dpi`;
// returns the number of pages, or -1 with `error` set.
int RenderPages(const std::string& path, const std::string& folder, int dpi, std::string& error);

}  // namespace ovqinspect
