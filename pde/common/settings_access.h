// Writing values into the print settings, and the per-printer storage keys.
#pragma once
#include <string>

#include "pde_namespace.h"
#include "print_session.h"
#include "print_settings.h"

namespace OVQ_PDE_NS {

// Room the platform's string object reserves for a settings value, in UTF-16
// units. Longer values (the byte-number form of a 255-byte text takes up to
// 1020 characters) grow past it and are stored whole.
inline constexpr size_t kSettingsValueReservedUnits = 255;

// Stores `utf8` under `key`, every U+FFE4 (full-width broken bar) replaced by
// "|". -50 for a missing text, settings or key; -108 when the text is not
// valid UTF-8; otherwise the status of the settings store (0 on success).
int SetValueToSettingsWithTicketKeyAndLock(const char* utf8, PMPrintSettings settings, const char* key, bool locked);

// Appends the printer ID and then the preference key to `out`; false (and
// `out` untouched) when one of the three is missing.
bool CreateKeyWithCurrentPrinter(const char* preferenceKey, const char* printerID, std::string* out);

// Appends the ID of the session's current printer to `out`: 0; 1 when `out`
// is missing or the session has no current printer.
int SetPrinterString(PMPrintSession session, std::string* out);

}  // namespace OVQ_PDE_NS
