// Fuzz target: any document, any line lengths, through the direct pass. With no
// job options nothing is inserted, so the printer must receive the document
// byte for byte, followed by the end-of-transmission byte.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_io.h"
#include "modules.h"
#include "pjlheader.h"
#include "stream.h"
#include "ticket.h"

namespace {
char program[] = "ovqfilter", job[] = "1", user[] = "user", title[] = "title", copies[] = "1", options[] = "";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzzio::CaptureStdout();
  char* argv[] = {program, job, user, title, copies, options, nullptr};
  InializeDescriptionTable();
  GetTicketFromPDE(argv);
  fuzzio::TakeStdout();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  char* path = const_cast<char*>(fuzzio::WriteDocument(data, size));
  char* argv[] = {program, job, user, title, copies, options, path, nullptr};
  OutputPSStream(7, argv);
  std::string out = fuzzio::TakeStdout();
  std::string expected(reinterpret_cast<const char*>(data), size);
  expected += '\x04';
  if (out != expected) std::abort();
  return 0;
}
