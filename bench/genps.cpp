// Writes a PostScript job of about the given size: DSC comments, a prologue
// with the "bp"/"ep" procedures, pages of text lines, and on every eighth page
// an image whose data is one very long hexadecimal line.
//   genps <bytes> <output file>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kTextLinesPerPage = 40;
constexpr int kImageEvery = 8;
constexpr size_t kImageLineBytes = 96 * 1024;

void WriteProlog(FILE* out) {
  std::fputs(
      "%!PS-Adobe-3.0\n%%Creator: ovq bench\n%%Pages: (atend)\n%%DocumentData: Clean7Bit\n%%EndComments\n"
      "%%BeginProlog\n/bp { /pgsave save def } bind def\n/ep { showpage pgsave restore } bind def\n"
      "%%EndProlog\n%%BeginSetup\n%%BeginFeature: *PageSize A4\n<</PageSize[595 842]>>setpagedevice\n"
      "%%EndFeature\n%%EndSetup\n",
      out);
}

void WriteImage(FILE* out, unsigned seed) {
  std::fputs(
      "gsave 72 300 translate 256 256 scale\n256 256 8 [256 0 0 -256 0 256]\n{currentfile 256 string "
      "readhexstring pop} bind image\n",
      out);
  static const char kHex[] = "0123456789abcdef";
  std::string line(kImageLineBytes, '0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = kHex[(i * 7 + seed) & 15];
  std::fwrite(line.data(), 1, line.size(), out);
  std::fputs("\ngrestore\n", out);
}

void WritePage(FILE* out, unsigned page) {
  std::fprintf(out,
               "%%%%Page: %u %u\n%%%%BeginPageSetup\n%%%%EndPageSetup\nbp\n/Helvetica findfont 10 scalefont setfont\n",
               page, page);
  for (int line = 0; line < kTextLinesPerPage; ++line) {
    std::fprintf(out, "72 %d moveto (Page %u, line %d: the quick brown fox jumps over the lazy dog.) show\n",
                 780 - line * 18, page, line);
  }
  if (page % kImageEvery == 0) WriteImage(out, page);
  std::fputs("ep\n", out);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fputs("usage: genps <bytes> <output file>\n", stderr);
    return 2;
  }
  const long long target = std::atoll(argv[1]);
  FILE* out = std::fopen(argv[2], "wb");
  if (out == nullptr) {
    std::perror(argv[2]);
    return 1;
  }
  WriteProlog(out);
  unsigned page = 0;
  while (std::ftell(out) < target) WritePage(out, ++page);
  std::fprintf(out, "%%%%Trailer\n%%%%Pages: %u\n%%%%EOF\n", page);
  std::fclose(out);
  std::printf("%u\n", page);
  return 0;
}
