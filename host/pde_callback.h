// What a print dialog hands its panels: the session's PPD, print settings and
// print session, and the one way to change a PPD mark, which the host may refuse.
#pragma once
#include "print_session.h"
#include "print_settings.h"

struct ppd_file_s;

class PDEHostCallback {
 public:
  virtual ~PDEHostCallback() = default;
  // The PPD of the queue, marked with the session's choices; nullptr when there is none.
  virtual ppd_file_s* ppdFile() = 0;
  virtual PMPrintSettings printSettings() = 0;
  virtual PMPrintSession printSession() = 0;
  // Marks `choice` of `option` in the session's PPD; false when the host refuses.
  virtual bool willChangePPDOptionKeyValue(const char* option, const char* choice) = 0;
};
