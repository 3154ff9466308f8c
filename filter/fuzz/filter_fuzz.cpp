// Fuzz target: a whole filter run in process. The input is a PPD selector byte
// (none or one of the shipped models), then "options<TAB>user<TAB>title", a line
// feed and the document. Whatever they hold, the printer stream must keep its
// frame: a well-formed XML ticket when there is one, well-formed PJL header
// lines, and the trailer at the end.
//
// Each run starts from the same state: FilterMain begins with ResetJobState().
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_io.h"
#include "inspect.h"
#include "jobflow.h"
#include "jobstate.h"

namespace {

const char* const kPPDs[] = {nullptr, OVQ_SOURCE_DIR "/ppd/OVQC300.ppd", OVQ_SOURCE_DIR "/ppd/OVQC500.ppd",
                             OVQ_SOURCE_DIR "/ppd/OVQM200.ppd", OVQ_SOURCE_DIR "/ppd/OVQU700.ppd"};

// An empty document on the buffered pass rightly ends without the
// end-of-transmission byte; every other error is a broken frame.
bool Allowed(const std::string& message) { return message.find("end-of-transmission") != std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzio::CaptureStdout();
  setenv("TMPDIR", fuzzio::PrivateTmpDir(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* ppd = kPPDs[data[0] % 5];
  if (ppd != nullptr) {
    setenv("PPD", ppd, 1);
  } else {
    unsetenv("PPD");
  }
  std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t line_end = input.find('\n');
  std::string first = input.substr(0, line_end);
  std::string document = line_end == std::string::npos ? "" : input.substr(line_end + 1);
  std::vector<std::string> fields(3);
  for (size_t field = 0, at = 0; field < 3; ++field) {
    size_t tab = field < 2 ? first.find('\t', at) : std::string::npos;
    fields[field] = first.substr(at, tab == std::string::npos ? std::string::npos : tab - at);
    if (tab == std::string::npos) break;
    at = tab + 1;
  }
  char* path =
      const_cast<char*>(fuzzio::WriteDocument(reinterpret_cast<const uint8_t*>(document.data()), document.size()));
  std::string program = "ovqfilter", job = "1", copies = "1";
  char* argv[] = {program.data(),   job.data(), fields[1].data(), fields[2].data(), copies.data(),
                  fields[0].data(), path,       nullptr};
  if (FilterMain(7, argv) != 0) std::abort();
  std::string out = fuzzio::TakeStdout();

  ovqinspect::Inspection inspection = ovqinspect::InspectStream(out);
  for (const ovqinspect::FramingError& error : inspection.errors) {
    if (!Allowed(error.message)) std::abort();
  }
  return 0;
}
