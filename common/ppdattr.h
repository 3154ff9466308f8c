// PPD attribute lookup shared by the filter and the dialog extensions.
#pragma once
#include "cups_ppd.h"

// First attribute, in the PPD's attribute order, whose name begins with `name`;
// nullptr when there is none or `ppd` is nullptr.
ppd_attr_t* ppdFindAttr_ALT(ppd_file_t* ppd, const char* name);

// True when `ppd` has an attribute found by ppdFindAttr_ALT(name) whose value
// is exactly `value`.
bool PPDAttrEquals(ppd_file_t* ppd, const char* name, const char* value);
