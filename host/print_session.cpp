#include "print_session.h"

int PMSessionGetCurrentPrinter(PMPrintSession session, PMPrinter* printer) {
  if (session == nullptr || printer == nullptr) return kHostParamErr;
  *printer = session->CurrentPrinter();
  return *printer == nullptr ? kPMInvalidPrinter : kHostNoErr;
}

const char* PMPrinterGetID(PMPrinter printer) { return printer == nullptr ? nullptr : printer->id.c_str(); }

int PMSessionGetDestinationType(PMPrintSession session, PMPrintSettings settings, PMDestinationType* type) {
  if (session == nullptr || type == nullptr) return kHostParamErr;
  (void)settings;
  *type = session->DestinationType();
  return kHostNoErr;
}
