// Fuzz target: the header property test with fuzzed jobs. The first byte picks
// the PPD (none or one of the shipped models); the rest drives the job (user,
// title and a value for any key a module reads, as in the property test). The
// filter prints the job on a one-page document, and every header line must be
// exactly one complete PJL command: the job-stream inspector's strict check.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../tests/random_job.h"
#include "fuzz_io.h"
#include "inspect.h"
#include "jobflow.h"
#include "jobstate.h"

namespace {

const char* const kPPDs[] = {nullptr, OVQ_SOURCE_DIR "/ppd/OVQC300.ppd", OVQ_SOURCE_DIR "/ppd/OVQC500.ppd",
                             OVQ_SOURCE_DIR "/ppd/OVQM200.ppd", OVQ_SOURCE_DIR "/ppd/OVQU700.ppd"};

std::string g_document;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzio::CaptureStdout();
  setenv("TMPDIR", fuzzio::PrivateTmpDir(), 1);
  const std::string page = "%!PS-Adobe-3.0\n%%Page: 1 1\nshowpage\n%%EOF\n";
  g_document = fuzzio::WriteDocument(reinterpret_cast<const uint8_t*>(page.data()), page.size());
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const char* ppd = kPPDs[data[0] % 5];
  ppd != nullptr ? setenv("PPD", ppd, 1) : unsetenv("PPD");
  CloseJobPPD();
  size_t at = 1;
  RandomJob job = MakeRandomJob([&]() -> uint8_t { return at < size ? data[at++] : 0; }, JobPPD());
  std::string program = "ovqfilter", id = "1", copies = "1";
  char* argv[] = {program.data(), id.data(),          job.user.data(),   job.title.data(),
                  copies.data(),  job.options.data(), g_document.data(), nullptr};
  if (FilterMain(7, argv) != 0) std::abort();
  if (!ovqinspect::InspectStream(fuzzio::TakeStdout()).ok()) std::abort();
  return 0;
}
