// The print session of an open print dialog: the printer chosen now (its queue
// ID) and where the job goes (printer, file, preview...).
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "print_settings.h"

enum PMDestinationType : uint16_t {
  kPMDestinationInvalid = 0,
  kPMDestinationPrinter = 1,
  kPMDestinationFile = 2,
  kPMDestinationFax = 3,
  kPMDestinationPreview = 4,
  kPMDestinationProcessPDF = 5,
};

// A printer as the session knows it: its ID is the CUPS queue name.
struct PrintPrinter {
  std::string id;
};

class PrintSession {
 public:
  void SetCurrentPrinter(std::string id) { printer_ = PrintPrinter{std::move(id)}; }
  void ClearCurrentPrinter() { printer_.reset(); }
  const PrintPrinter* CurrentPrinter() const { return printer_ ? &*printer_ : nullptr; }
  void SetDestinationType(PMDestinationType type) { destination_ = type; }
  PMDestinationType DestinationType() const { return destination_; }

 private:
  std::optional<PrintPrinter> printer_;
  PMDestinationType destination_ = kPMDestinationPrinter;
};

using PMPrintSession = PrintSession*;
using PMPrinter = const PrintPrinter*;

// Status returned when the session has no current printer.
inline constexpr int kPMInvalidPrinter = -30882;

// 0 with the printer in *printer; -50 on a missing argument; kPMInvalidPrinter
// when no printer is chosen.
int PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* printer);
// The printer's ID, or nullptr for a missing printer.
const char* PMPrinterGetID(PMPrinter printer);
// 0 with the destination in *type; -50 on a missing argument.
int PMSessionGetDestinationType(PMPrintSession session, PMPrintSettings settings, PMDestinationType* type);
