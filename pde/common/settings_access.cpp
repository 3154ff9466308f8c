#include "settings_access.h"

#include <algorithm>

#include "text_encoding.h"

namespace OVQ_PDE_NS {

namespace {

constexpr char16_t kFullWidthBrokenBar = u'\uFFE4';

}  // namespace

int SetValueToSettingsWithTicketKeyAndLock(const char* utf8, PMPrintSettings settings, const char* key, bool locked) {
  if (utf8 == nullptr || settings == nullptr || key == nullptr) return kHostParamErr;
  std::u16string units;
  if (!UTF8ToUTF16(utf8, &units)) return kHostMemFullErr;
  std::replace(units.begin(), units.end(), kFullWidthBrokenBar, u'|');
  std::string value;
  if (!UTF16ToUTF8(units, &value)) return kHostMemFullErr;
  return PMPrintSettingsSetValue(settings, key, value.c_str(), locked);
}

bool CreateKeyWithCurrentPrinter(const char* preferenceKey, const char* printerID, std::string* out) {
  if (preferenceKey == nullptr || printerID == nullptr || out == nullptr) return false;
  out->append(printerID);
  out->append(preferenceKey);
  return true;
}

int SetPrinterString(PMPrintSession session, std::string* out) {
  if (out == nullptr) return 1;
  PMPrinter printer = nullptr;
  if (PMSessionGetCurrentPrinter(session, &printer) != kHostNoErr) return 1;
  const char* id = PMPrinterGetID(printer);
  if (id == nullptr) return 1;
  out->append(id);
  return 0;
}

}  // namespace OVQ_PDE_NS
