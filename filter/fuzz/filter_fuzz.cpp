// Fuzz target: a whole filter run in process. The first byte picks the PPD
// (none or one of the shipped models) and the form of the rest: either
// "options<TAB>user<TAB>title", a line feed and the document, or bytes that
// drive a random job (a user, a title and a value for any key a module reads)
// on a one-page document. Whatever they hold,
// the printer stream must keep its frame: a well-formed XML ticket when there
// is one, header lines that are each one complete PJL command, the trailer.
// Each run starts from the same state: FilterMain begins with ResetJobState().
#include <cstdint>
#include <cstdlib>
#include <string>

#include "capture.h"
#include "inspect.h"
#include "jobflow.h"
#include "jobstate.h"
#include "random_job.h"
#include "run_program.h"

namespace {

const TempDir kDir;
const char* const kPPDs[] = {nullptr, OVQ_SOURCE_DIR "/ppd/OVQC300.ppd", OVQ_SOURCE_DIR "/ppd/OVQC500.ppd",
                             OVQ_SOURCE_DIR "/ppd/OVQM200.ppd", OVQ_SOURCE_DIR "/ppd/OVQU700.ppd"};

// An empty document on the buffered pass rightly ends without the
// end-of-transmission byte; every other error is a broken frame.
bool Allowed(const std::string& message) { return message.find("end-of-transmission") != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* ppd = kPPDs[(data[0] & 0x7F) % 5];
  ppd != nullptr ? setenv("PPD", ppd, 1) : unsetenv("PPD");
  setenv("TMPDIR", kDir.path().c_str(), 1);
  CloseJobPPD();
  RandomJob job;
  std::string document = "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n";
  if ((data[0] & 0x80) != 0) {
    size_t at = 1;
    job = MakeRandomJob([&]() -> uint8_t { return at < size ? data[at++] : 0; }, JobPPD());
  } else {
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t line_end = input.find('\n');
    const std::string first = input.substr(0, line_end);
    std::string* fields[] = {&job.options, &job.user, &job.title};
    for (size_t field = 0, at = 0; field < 3; ++field) {
      const size_t tab = field < 2 ? first.find('\t', at) : std::string::npos;
      *fields[field] = first.substr(at, tab == std::string::npos ? std::string::npos : tab - at);
      if (tab == std::string::npos) break;
      at = tab + 1;
    }
    document = line_end == std::string::npos ? "" : input.substr(line_end + 1);
  }
  WriteFile(kDir.File("document.ps"), document);
  std::string program = "ovqfilter", id = "1", copies = "1", path = kDir.File("document.ps");
  char* argv[] = {program.data(), id.data(),          job.user.data(), job.title.data(),
                  copies.data(),  job.options.data(), path.data(),     nullptr};
  int status = -1;
  const std::string out = CaptureStdout([&] { status = FilterMain(7, argv); });
  if (status != 0) std::abort();
  for (const ovqinspect::FramingError& error : ovqinspect::InspectStream(out).errors) {
    if (!Allowed(error.message)) std::abort();
  }
  return 0;
}
