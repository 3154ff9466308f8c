// The smallest print-dialog host for dialog tests and benchmarks: a PPD opened
// with libcups and marked with its defaults, print settings and a session with
// a current printer; it marks every choice the PPD has that a panel asks for,
// unless the test refuses it.
#pragma once
#include <set>
#include <string>

#include "cups_ppd.h"
#include "pde_callback.h"

class PPDHost : public PDEHostCallback {
 public:
  // ppdFile() is nullptr when libcups cannot open `path`.
  explicit PPDHost(const std::string& path, const std::string& printer = "Office");
  ~PPDHost() override;
  PPDHost(const PPDHost&) = delete;
  PPDHost& operator=(const PPDHost&) = delete;

  ppd_file_s* ppdFile() override { return ppd_; }
  PMPrintSettings printSettings() override { return &settings; }
  PMPrintSession printSession() override { return &session_; }
  bool willChangePPDOptionKeyValue(const char* option, const char* choice) override;

  // The marked choice of `option`, "" when none.
  std::string Marked(const char* option) const;
  // Choices the host refuses to mark, as "Option:Choice".
  std::set<std::string> refused;
  PrintSettings settings;

 private:
  ppd_file_t* ppd_;
  PrintSession session_;
};
