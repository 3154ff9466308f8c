// Fuzz target: an arbitrary option string through every module's ticket reader
// and the whole job header (written to /dev/null). The job's PPD is the one
// named by PPD when the fuzzer is started, or none.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "modules.h"
#include "pjlheader.h"
#include "ticket.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const int null_device = open("/dev/null", O_WRONLY);
  dup2(null_device, STDOUT_FILENO);
  close(null_device);
  InializeDescriptionTable();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> options(data, data + size);
  options.push_back('\0');
  char job[] = "1", user[] = "user", title[] = "title", copies[] = "1", program[] = "ovqfilter";
  char* argv[] = {program, job, user, title, copies, options.data(), nullptr};
  GetTicketFromPDE(argv);
  OutputQPJLCommand(argv);
  std::fflush(stdout);
  return 0;
}
