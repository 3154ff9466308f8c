// Fuzz target: any document, any line lengths, through the buffered pass with
// the colour model's or the monochrome model's PPD (first byte). Whatever the
// document holds, the PJL it gives rise to must be well-formed PJL lines, the
// document must follow "@PJL ENTER LANGUAGE=POSTSCRIPT" unchanged (with one
// end-of-transmission byte added when it does not end with one), and the
// temporary file must be gone.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_io.h"
#include "inspect.h"
#include "jobstate.h"
#include "modules.h"
#include "pjlheader.h"
#include "stream.h"
#include "ticket.h"

namespace {
char program[] = "ovqfilter", job[] = "1", user[] = "user", title[] = "title", copies[] = "1", options[] = "";
const std::string kColourPPD = OVQ_SOURCE_DIR "/ppd/OVQC500.ppd";
const std::string kMonoPPD = OVQ_SOURCE_DIR "/ppd/OVQM200.ppd";
constexpr std::string_view kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzio::CaptureStdout();
  setenv("TMPDIR", fuzzio::PrivateTmpDir(), 1);
  char* argv[] = {program, job, user, title, copies, options, nullptr};
  InializeDescriptionTable();
  GetTicketFromPDE(argv);
  fuzzio::TakeStdout();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  setenv("PPD", (data[0] & 1) != 0 ? kMonoPPD.c_str() : kColourPPD.c_str(), 1);
  CloseJobPPD();
  ++data;
  --size;
  char* path = const_cast<char*>(fuzzio::WriteDocument(data, size));
  char* argv[] = {program, job, user, title, copies, options, path, nullptr};
  OutputPSStreamtoFileandInsertPJLforFeaturePDE(7, argv);
  std::string out = fuzzio::TakeStdout();

  size_t enter = out.find(kEnter);
  if (enter == std::string::npos) std::abort();
  for (size_t at = 0; at < enter;) {
    size_t end = out.find('\n', at);
    if (end == std::string::npos || end >= enter) std::abort();  // a PJL line without its line end
    if (!ovqinspect::CheckPJLLine(std::string_view(out).substr(at, end - at)).empty()) std::abort();
    at = end + 1;
  }
  std::string document(reinterpret_cast<const char*>(data), size);
  if (!document.empty() && document.back() != '\x04') document += '\x04';
  if (out.compare(enter + kEnter.size(), std::string::npos, document) != 0) std::abort();
  if (!fuzzio::FolderIsEmpty(fuzzio::PrivateTmpDir())) std::abort();
  return 0;
}
