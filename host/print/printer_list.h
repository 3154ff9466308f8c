// The printers a person can choose in the print dialog: CUPS's destinations,
// the default first, each with its state as the scheduler reports it.
#pragma once
#include <string>
#include <vector>

struct PrinterEntry {
  std::string name;          // the queue's name
  std::string info = {};     // its description ("printer-info"), may be empty
  std::string state = {};    // "Idle", "Printing" or "Stopped", with the reasons after a dash
  std::string ppdPath = {};  // when set, the dialog opens this PPD instead of the queue's (no scheduler)
  bool isDefault = false;
};

// The state text of a destination's "printer-state" and "printer-state-reasons"
// ("none" is no reason).
std::string PrinterStateText(const char* state, const char* reasons);

// CUPS's destinations (queues; instances are left out): the default first, the
// others by name.
std::vector<PrinterEntry> ListPrinters();
