// A plug-in bundle: a folder holding "Info.strings" (identity: CFBundleIdentifier,
// CFBundleVersion, CFBundleHelpBookFolder, CFBundleHelpBookName) and
// "Resources/" (interface files, strings tables, images, help book).
#pragma once
#include <map>
#include <memory>
#include <string>

#include "strings_table.h"

class Bundle {
 public:
  // nullptr when the folder has no readable Info.strings with a CFBundleIdentifier.
  static std::unique_ptr<Bundle> Open(const std::string& path);

  const std::string& Path() const { return path_; }
  const std::string& Identifier() const { return identifier_; }
  std::string ResourcePath() const { return path_ + "/Resources"; }
  // Value of an Info.strings key; empty when absent.
  std::string InfoValue(const std::string& key) const;

  // The text for `key` in the strings table `table` (Resources/<table>.strings;
  // "Localizable" when `table` is empty), or `fallback` when there is none.
  std::string LocalizedString(const std::string& key, const std::string& fallback, const std::string& table) const;

  // Resources/[<folder>/]<name>.<extension> when that file exists, else "".
  std::string PathForResource(const std::string& name, const std::string& extension, const std::string& folder) const;

 private:
  Bundle(std::string path, StringsTable info);
  const StringsTable& Table(const std::string& table) const;

  std::string path_;
  std::string identifier_;
  StringsTable info_;
  mutable std::map<std::string, StringsTable> tables_;
};

// The process's bundles, found by identifier (the host registers each plug-in
// bundle it loads). Registering a second bundle with the same identifier
// replaces the first. Returns the registered bundle or nullptr.
const Bundle* RegisterBundle(const std::string& path);
const Bundle* BundleWithIdentifier(const std::string& identifier);
void ForgetRegisteredBundles();

// Reads a whole file; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* contents);
