#include "print_settings.h"

void PrintSettings::Set(std::string_view key, std::string_view text, bool locked) {
  auto found = values_.find(key);
  if (found == values_.end()) {
    values_.emplace(std::string(key), PrintSettingsValue{std::string(text), locked});
    return;
  }
  found->second.text.assign(text);
  found->second.locked = locked;
}

const PrintSettingsValue* PrintSettings::Find(std::string_view key) const {
  auto found = values_.find(key);
  return found == values_.end() ? nullptr : &found->second;
}

bool PrintSettings::Remove(std::string_view key) {
  auto found = values_.find(key);
  if (found == values_.end()) return false;
  values_.erase(found);
  return true;
}

int PMPrintSettingsSetValue(PMPrintSettings settings, const char* key, const char* value, bool locked) {
  if (settings == nullptr || key == nullptr || value == nullptr) return kHostParamErr;
  settings->Set(key, value, locked);
  return kHostNoErr;
}

int PMPrintSettingsGetValue(PMPrintSettings settings, const char* key, std::string* value) {
  if (settings == nullptr || key == nullptr || value == nullptr) return kHostParamErr;
  const PrintSettingsValue* found = settings->Find(key);
  if (found == nullptr) return kHostNotFoundErr;
  *value = found->text;
  return kHostNoErr;
}
