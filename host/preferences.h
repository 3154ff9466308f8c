// The preferences store: text values under string keys, per application, user
// and host, kept in strings files ("key" = "value";):
//   the current user: $XDG_CONFIG_HOME/ovq/ (default ~/.config/ovq/), files of mode 0600;
//   any user: the first folder of $XDG_CONFIG_DIRS (default /etc/xdg) + /ovq/, readable
//   by all (0644) and written only by an administrator (IsProcessUserAdministrator).
// A domain's file is <application>[@<host name>].strings, "global" standing for any
// application; files are replaced atomically.
#pragma once
#include <optional>
#include <string>

inline constexpr char kCFPreferencesAnyApplication[] = "kCFPreferencesAnyApplication";
inline constexpr char kCFPreferencesCurrentUser[] = "kCFPreferencesCurrentUser";
inline constexpr char kCFPreferencesAnyUser[] = "kCFPreferencesAnyUser";
inline constexpr char kCFPreferencesCurrentHost[] = "kCFPreferencesCurrentHost";
inline constexpr char kCFPreferencesAnyHost[] = "kCFPreferencesAnyHost";

// The file that holds a domain; empty for an unknown user (only the two user
// constants and the login name of the current user are known) or a missing argument.
std::string PreferencesFilePath(const char* application, const char* user, const char* host);

// Sets (or, with a null value, removes) a value in memory; CFPreferencesSynchronize stores it.
void CFPreferencesSetValue(const char* key, const char* value, const char* application, const char* user,
                           const char* host);
// The value as set, or as stored in the domain's file; nullopt when there is none.
std::optional<std::string> CFPreferencesCopyValue(const char* key, const char* application, const char* user,
                                                  const char* host);
// Stores the domain's changes (merged into the file as it is now) and reads the
// file again. False when the file cannot be written, or for any user when the
// process's user is not an administrator; the changes are dropped then.
bool CFPreferencesSynchronize(const char* application, const char* user, const char* host);

// Drops every value held in memory (the files are read again on next use).
void ForgetPreferencesCache();
