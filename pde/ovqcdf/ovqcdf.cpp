// ovqcdf: writes the constraint cache file of a PPD to standard output.
//
//   ovqcdf PPD SECTION=KEYWORD[,KEYWORD...] [SECTION=...]
//
// Each section holds the constraint hash entries of the PPD's UIConstraints
// that name one of its option keywords; sections are written in argument
// order, then the stamp copied from the PPD's "*% Last Edit Date:" line.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "quick_xppd.h"

using namespace ovqpde;

namespace {

constexpr int kExitOK = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: ovqcdf PPD SECTION=KEYWORD[,KEYWORD...] [SECTION=...]\n"
    "Writes the constraint cache file of PPD to standard output: for each\n"
    "SECTION, the constraint entries of the UIConstraints that name one of its\n"
    "option KEYWORDs (without \"*\"); at most 10 sections. Known section names:\n"
    "ImageOptionPDETiger, ImageOptionPDEPanther, PrintFeaturePDETiger,\n"
    "PrintFeaturePDEPanther.\n";

struct Section {
  std::string name;
  std::vector<std::string> keywords;
};

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// "NAME=K1,K2": false with a message for a malformed argument.
bool ParseSection(const std::string& argument, Section* section) {
  size_t equals = argument.find('=');
  if (equals == std::string::npos || equals == 0) {
    std::fprintf(stderr, "ovqcdf: \"%s\" is not SECTION=KEYWORD[,KEYWORD...]\n", argument.c_str());
    return false;
  }
  section->name = argument.substr(0, equals);
  if (HasControlCharacter(section->name)) {
    std::fprintf(stderr, "ovqcdf: a section name must not hold control characters\n");
    return false;
  }
  std::string list = argument.substr(equals + 1);
  if (list.empty()) return true;
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    std::string keyword = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (keyword.empty() || HasControlCharacter(keyword) || keyword.find(' ') != std::string::npos) {
      std::fprintf(stderr, "ovqcdf: section %s: empty or malformed keyword in \"%s\"\n", section->name.c_str(),
                   list.c_str());
      return false;
    }
    section->keywords.push_back(keyword);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

int WriteCache(ppd_file_t* ppd, const std::string& path, const std::vector<Section>& sections) {
  std::vector<XPPDSection> table;
  for (const Section& section : sections) table.push_back(XPPDSection{&section.name, &section.keywords});
  table.push_back(XPPDSection{});
  XppdHash scratch;
  CQuickXPPD writer(ppd, &scratch, table.data(), &path);
  std::ostringstream out;
  out << writer;
  if (out.fail()) {
    std::fprintf(stderr, "ovqcdf: cannot form the cache file\n");
    return kExitFailure;
  }
  if (writer.SkippedEntries() != 0) {
    std::fprintf(stderr, "ovqcdf: %zu constraint entries have a key with \"@\", which the cache file cannot hold\n",
                 writer.SkippedEntries());
    return kExitFailure;
  }
  const std::string file = out.str();
  if (std::fwrite(file.data(), 1, file.size(), stdout) != file.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "ovqcdf: cannot write standard output\n");
    return kExitFailure;
  }
  return kExitOK;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return kExitOK;
  }
  if (argc < 3) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  if (static_cast<size_t>(argc - 2) > CQuickXPPD::kMaxSections) {
    std::fprintf(stderr, "ovqcdf: at most %zu sections\n", CQuickXPPD::kMaxSections);
    return kExitUsage;
  }
  std::vector<Section> sections(static_cast<size_t>(argc - 2));
  for (int i = 2; i < argc; ++i) {
    if (!ParseSection(argv[i], &sections[static_cast<size_t>(i - 2)])) return kExitUsage;
  }

  const std::string path = argv[1];
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (ppd == nullptr) {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    std::fprintf(stderr, "ovqcdf: cannot read PPD \"%s\": %s (line %d)\n", path.c_str(), ppdErrorString(status), line);
    return kExitFailure;
  }
  int result = WriteCache(ppd, path, sections);
  ppdClose(ppd);
  return result;
}
