#include "printer_list.h"

#include <cups/cups.h>

#include <algorithm>
#include <cstring>

std::string PrinterStateText(const char* state, const char* reasons) {
  std::string text = state == nullptr               ? "Unknown"
                     : std::strcmp(state, "3") == 0 ? "Idle"
                     : std::strcmp(state, "4") == 0 ? "Printing"
                     : std::strcmp(state, "5") == 0 ? "Stopped"
                                                    : "Unknown";
  if (reasons != nullptr && *reasons != '\0' && std::strcmp(reasons, "none") != 0) {
    std::string list = reasons;
    std::replace(list.begin(), list.end(), ',', ' ');
    text += " \u2014 " + list;
  }
  return text;
}

std::vector<PrinterEntry> ListPrinters() {
  cups_dest_t* dests = nullptr;
  int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  std::vector<PrinterEntry> printers;
  for (int i = 0; i < count; ++i) {
    const cups_dest_t& dest = dests[i];
    if (dest.instance != nullptr) continue;
    const char* info = cupsGetOption("printer-info", dest.num_options, dest.options);
    printers.push_back(PrinterEntry{
        .name = dest.name,
        .info = info == nullptr ? "" : info,
        .state = PrinterStateText(cupsGetOption("printer-state", dest.num_options, dest.options),
                                  cupsGetOption("printer-state-reasons", dest.num_options, dest.options)),
        .isDefault = dest.is_default != 0,
    });
  }
  cupsFreeDests(count, dests);
  std::stable_sort(printers.begin(), printers.end(), [](const PrinterEntry& a, const PrinterEntry& b) {
    return a.isDefault != b.isDefault ? a.isDefault : a.name < b.name;
  });
  return printers;
}
