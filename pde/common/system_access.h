// System version, user rights, the plug-in's bundle, help pages, resource names.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "bundle.h"
#include "pde_namespace.h"
#include "version.h"

namespace OVQ_PDE_NS {

// Version thresholds that select behaviour across the dialogs.
inline constexpr int32_t kSystemVersion1030 = 0x1030;  // cache section "Panther"
inline constexpr int32_t kSystemVersion1040 = 0x1040;  // cache section "Tiger"
inline constexpr int32_t kSystemVersion1070 = 0x1070;  // user preferences no longer used
inline constexpr int32_t kSystemVersion1080 = 0x1080;  // radio button update rule

// The fallback of every strings-table lookup.
inline constexpr const char* kNoTranslation = "no translation";

// The packed system version from the shared probe (selector "sysv").
int32_t GetSystemVersion();

// The administrator test: the real user is root or a member of one of CUPS's
// SystemGroup groups (cups-files.conf; Debian: lpadmin). The platform's group
// "admin" does not exist on Debian.
bool IsUserAdmin();
// True when `userName` is a member of one of CUPS's SystemGroup groups.
bool checkIfAdminUser(const char* userName);

// This extension's bundle, found by its identifier among the host's bundles.
const Bundle* GetAppBundleRef();
const char* GetAppBundleIdentifier();
const char* GetAppClientID();

// Registers this extension's help book: 0, or -43 when the bundle or its help book is missing.
int RegisterMyHelpBook();
// Opens `pagePath` of the help book whose name is the localization of
// `bookNameKey` through `bundle` (fallback "no translation"), at `anchor`.
// -43 without a bundle or key; otherwise the help viewer's result.
int GotoHelpPage(const Bundle* bundle, const char* pagePath, const char* anchor, const char* bookNameKey);

// "name-suffix": part 0 is the text before the first "-" (all of it when there
// is none), part 1 the text after it (empty when there is none).
std::string GetAppResourceName(std::string_view text, int part);
// Mode 0: prefixA + name; mode 1: prefixB + name; any other mode: the name.
std::string GetAppFullResourceName(const std::string& name, int mode, const std::string& prefixA,
                                   const std::string& prefixB);

// Writes the decimal digits of a positive value right-aligned in `buffer`, the
// terminating NUL in its last byte, and returns a pointer to the first digit.
// Zero, a negative value or a number that does not fit give an empty text
// (a pointer to that NUL); nullptr when `buffer` is missing or `size` is 0.
char* itoa(int value, char* buffer, size_t size);

}  // namespace OVQ_PDE_NS
