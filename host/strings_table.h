// Strings tables: lines of the form "key" = "value"; with /* */ and // comments.
// Escapes inside quotes: \" \\ \n \t \r and \Uhhhh (a UTF-16 unit in hex).
#pragma once
#include <map>
#include <string>
#include <string_view>

using StringsTable = std::map<std::string, std::string, std::less<>>;

// Parses `text` (UTF-8) into `table`. False at the first malformed entry; the
// entries before it are kept.
bool ParseStringsTable(std::string_view text, StringsTable* table);
// The table as strings-file text, one "key" = "value"; line per entry, with the
// escapes above for quotes, backslashes and control characters.
std::string FormatStringsTable(const StringsTable& table);
