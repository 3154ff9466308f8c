// ovqinspect: checks the framing of a printer job stream and shows its settings.
//
//   ovqinspect [--show-secrets] [--pages] [--render FOLDER] [--dpi N] [FILE | -]
//
// Exit status: 0 the stream is well framed; 1 framing errors (each printed with
// its byte offset); 2 usage or input error; 3 Ghostscript failed on the stream.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>

#include "ghostscript.h"
#include "inspect.h"

namespace {

struct Options {
  bool show_secrets = false;
  bool count_pages = false;
  std::string render_folder;
  int dpi = 72;
  std::string input = "-";
};

int Usage() {
  std::cerr << "usage: ovqinspect [--show-secrets] [--pages] [--render FOLDER] [--dpi N] [FILE | -]\n";
  return 2;
}

bool ParseArguments(int argc, char* argv[], Options& options) {
  bool have_input = false;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--show-secrets") {
      options.show_secrets = true;
    } else if (arg == "--pages") {
      options.count_pages = true;
    } else if (arg == "--render" && i + 1 < argc) {
      options.render_folder = argv[++i];
    } else if (arg == "--dpi" && i + 1 < argc) {
      options.dpi = std::atoi(argv[++i]);
      if (options.dpi < 1 || options.dpi > 1200) return false;
    } else if ((arg == "-" || arg[0] != '-') && !have_input) {
      options.input = arg;
      have_input = true;
    } else {
      return false;
    }
  }
  return true;
}

bool ReadInput(const std::string& input, std::string& data) {
  if (input == "-") {
    data.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return !std::cin.bad();
  }
  std::ifstream file(input, std::ios::binary);
  if (!file) return false;
  data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

// Ghostscript reads a file from the exit language sequence on, as the printer's
// PostScript side does (the XML job ticket goes to the printer's job manager):
// standard input and streams with a ticket are saved to a temporary file first.
std::string StreamFile(const Options& options, std::string_view data, size_t pjl_offset, bool& temporary) {
  temporary = false;
  if (options.input != "-" && pjl_offset == 0) return options.input;
  data.remove_prefix(pjl_offset);
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/ovqinspect-XXXXXX";
  int fd = mkstemp(path.data());
  if (fd < 0) return {};
  bool written = write(fd, data.data(), data.size()) == static_cast<ssize_t>(data.size());
  close(fd);
  if (!written) {
    unlink(path.c_str());
    return {};
  }
  temporary = true;
  return path;
}

int RunGhostscript(const Options& options, const std::string& data, size_t pjl_offset) {
  bool temporary = false;
  std::string path = StreamFile(options, data, pjl_offset, temporary);
  if (path.empty()) {
    std::cerr << "ovqinspect: cannot save the stream for Ghostscript\n";
    return 2;
  }
  int status = 0;
  std::string error;
  if (options.count_pages) {
    int pages = ovqinspect::CountPages(path, error);
    if (pages < 0) {
      std::cerr << "ovqinspect: " << error << "\n";
      status = 3;
    } else {
      std::cout << "Pages (Ghostscript): " << pages << "\n";
    }
  }
  if (status == 0 && !options.render_folder.empty()) {
    int pages = ovqinspect::RenderPages(path, options.render_folder, options.dpi, error);
    if (pages < 0) {
      std::cerr << "ovqinspect: " << error << "\n";
      status = 3;
    } else {
      std::cout << "Rendered " << pages << " page(s) into " << options.render_folder << "\n";
    }
  }
  if (temporary) unlink(path.c_str());
  return status;
}

}  // namespace

int main(int argc, char* argv[]) {
  Options options;
  if (!ParseArguments(argc, argv, options)) return Usage();
  std::string data;
  if (!ReadInput(options.input, data)) {
    std::cerr << "ovqinspect: cannot read " << options.input << ": " << std::strerror(errno) << "\n";
    return 2;
  }
  ovqinspect::Inspection inspection = ovqinspect::InspectStream(data);
  if (inspection.has_ticket) std::cout << "XML job ticket: <" << inspection.ticket_root << ">\n";
  std::cout << ovqinspect::FormatTable(inspection, options.show_secrets);
  std::cout << "PostScript: " << inspection.postscript_size << " bytes, " << inspection.page_comments
            << " %%Page comment(s)\n";
  for (const auto& error : inspection.errors) {
    std::cerr << "ovqinspect: framing error at byte " << error.offset << ": " << error.message << "\n";
  }
  if (!inspection.ok()) return 1;
  return RunGhostscript(options, data, inspection.pjl_offset);
}
