#include "ppdattr.h"

#include <cstring>

ppd_attr_t* ppdFindAttr_ALT(ppd_file_t* ppd, const char* name) {
  if (ppd == nullptr || name == nullptr) return nullptr;
  size_t length = std::strlen(name);
  for (int i = 0; i < ppd->num_attrs; ++i) {
    ppd_attr_t* attr = ppd->attrs[i];
    if (attr != nullptr && std::strncmp(attr->name, name, length) == 0) return attr;
  }
  return nullptr;
}

bool PPDAttrEquals(ppd_file_t* ppd, const char* name, const char* value) {
  ppd_attr_t* attr = ppdFindAttr_ALT(ppd, name);
  return attr != nullptr && attr->value != nullptr && std::strcmp(attr->value, value) == 0;
}
