// Purpose-built PPDs for the dialog core's tests: written to a temporary file
// and opened with libcups, as the host opens the queue's PPD.
#pragma once
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "constraint_hash.h"
#include "cups_ppd.h"
#include "ppd_text.h"
#include "run_program.h"

struct PPDCloser {
  void operator()(ppd_file_t* ppd) const { ppdClose(ppd); }
};
using PPDHandle = std::unique_ptr<ppd_file_t, PPDCloser>;

// The options the constraint tests share; locations (group, option, choice):
//   0 General:   0 OVColor [Gray, Color, Auto]  1 Duplex [None, DuplexNoTumble, DuplexTumble]
//                2 OVSwitch [Off, NONE]         3 duplex [None, Tumble]
//   1 Finishing: 0 OVStaple [None, Left, Right, off]  1 OVPunch [Off, TwoHole, False]
std::string ShapesPPDOptions();

// Writes `text` to `path` and opens it; fails the test when libcups refuses it.
PPDHandle OpenPPDText(const std::string& path, const std::string& text);

// One hash entry as a comparable value.
using Entry = std::tuple<std::string, int, int, int>;
std::multiset<Entry> EntriesOf(const ovqpde::XppdHash& hash);
std::string Describe(const std::multiset<Entry>& entries);
