// Fuzz target: an arbitrary option string through every ticket reader, and
// arbitrary text through the byte-code decoder.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ticket.h"

namespace {

struct Destinations {
  int flag = 0;
  int integer = 0;
  float real = 0;
  char text[256] = {};
  char decoded[256] = {};
  char nup[10] = {};
  char nup_comment[256] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char> options(data, data + size);
  options.push_back('\0');
  Destinations d;
  const TicketData rows[] = {
      {"a", &d.flag, 4, CheckTicketKey},
      {"a", &d.integer, 4, GetTicketInteger},
      {"a", &d.real, 4, GetTicketFloat},
      {"a", d.text, sizeof d.text, GetTicketString},
      {"b", d.decoded, sizeof d.decoded, GetTicketStringConvertedToPrtLang},
      {"number-up", d.nup, sizeof d.nup, GetNumberUpTicketString},
      {"number-up", d.nup_comment, sizeof d.nup_comment, GetNumberUpTicketStringForComment},
  };
  char* argv[] = {nullptr, nullptr, nullptr, nullptr, nullptr, options.data(), nullptr};
  GetTicketFromArray(argv, rows, sizeof rows / sizeof rows[0]);
  if (std::strlen(d.text) >= sizeof d.text || std::strlen(d.nup) >= sizeof d.nup) std::abort();

  std::vector<char> text(data, data + size);
  text.push_back('\0');
  const size_t before = std::strlen(text.data());
  numstrtochar(text.data());
  if (std::strlen(text.data()) > before) std::abort();
  return 0;
}
