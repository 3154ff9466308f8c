// The print settings of one job as the print dialog keeps them: text values
// under string keys, each with a lock flag. The dialog extensions write their
// values here; the print system hands them to CUPS as job options.
#pragma once
#include <map>
#include <string>
#include <string_view>

#include "host_status.h"

struct PrintSettingsValue {
  std::string text;  // UTF-8
  bool locked = false;
};

class PrintSettings {
 public:
  // Stores (or replaces) the value under `key`. The lock flag is kept with the
  // value for the print system; it does not refuse later writes.
  void Set(std::string_view key, std::string_view text, bool locked);
  // nullptr when there is no value under `key`.
  const PrintSettingsValue* Find(std::string_view key) const;
  bool Remove(std::string_view key);
  void Clear() { values_.clear(); }
  const std::map<std::string, PrintSettingsValue, std::less<>>& Values() const { return values_; }

 private:
  std::map<std::string, PrintSettingsValue, std::less<>> values_;
};

using PMPrintSettings = PrintSettings*;

// 0, or -50 when an argument is missing.
int PMPrintSettingsSetValue(PMPrintSettings settings, const char* key, const char* value, bool locked);
// 0 with the text in *value; -43 when the key has no value; -50 when an argument is missing.
int PMPrintSettingsGetValue(PMPrintSettings settings, const char* key, std::string* value);
