// Files that readers never see half written.
#pragma once
#include <sys/types.h>

#include <string>

// Creates `path` and its missing parents with `mode` (an existing folder is
// left as it is). False when a part cannot be made.
bool MakeFolders(const std::string& path, mode_t mode);

// Writes `contents` to a temporary file beside `path` with `mode`, flushes it
// to disk and renames it over `path`. False (and `path` untouched) on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& contents, mode_t mode);
