// Fuzz target: any document, any line lengths, through a stream pass. The first
// byte picks the pass and, for the buffered pass, the colour or the monochrome
// model's PPD. With no job options the direct pass inserts nothing: the printer
// receives the document byte for byte and the end-of-transmission byte. On the
// buffered pass the PJL the document gives rise to must be well-formed PJL
// lines, the document must follow "@PJL ENTER LANGUAGE=POSTSCRIPT" unchanged
// (with one end-of-transmission byte added when it does not end with one), and
// the temporary file must be gone.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "capture.h"
#include "inspect.h"
#include "jobflow.h"
#include "jobstate.h"
#include "modules.h"
#include "run_program.h"
#include "stream.h"

namespace {
const TempDir kDir;
constexpr std::string_view kEnter = "@PJL ENTER LANGUAGE=POSTSCRIPT\n";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool buffered = (data[0] & 1) != 0;
  setenv("PPD", (data[0] & 2) != 0 ? OVQ_SOURCE_DIR "/ppd/OVQM200.ppd" : OVQ_SOURCE_DIR "/ppd/OVQC500.ppd", 1);
  setenv("TMPDIR", kDir.path().c_str(), 1);
  std::string document(reinterpret_cast<const char*>(data) + 1, size - 1);
  WriteFile(kDir.File("document.ps"), document);
  std::string program = "ovqfilter", job = "1", user = "user", title = "title", copies = "1", options = "";
  std::string path = kDir.File("document.ps");
  char* argv[] = {program.data(), job.data(),     user.data(), title.data(),
                  copies.data(),  options.data(), path.data(), nullptr};
  ResetJobState();
  GetTicketFromPDE(argv);
  const std::string out = CaptureStdout(
      [&] { buffered ? OutputPSStreamtoFileandInsertPJLforFeaturePDE(7, argv) : OutputPSStream(7, argv); });
  if (!buffered) {
    if (out != document + '\x04') std::abort();
    return 0;
  }
  const size_t enter = out.find(kEnter);
  if (enter == std::string::npos) std::abort();
  for (size_t at = 0; at < enter;) {
    const size_t end = out.find('\n', at);
    if (end == std::string::npos || end >= enter) std::abort();  // a PJL line without its line end
    if (!ovqinspect::CheckPJLLine(std::string_view(out).substr(at, end - at)).empty()) std::abort();
    at = end + 1;
  }
  if (!document.empty() && document.back() != '\x04') document += '\x04';
  if (out.compare(enter + kEnter.size(), std::string::npos, document) != 0) std::abort();
  std::filesystem::remove(path);
  if (!std::filesystem::is_empty(kDir.path())) std::abort();
  return 0;
}
