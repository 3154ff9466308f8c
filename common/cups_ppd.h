// The CUPS PPD interface. It is deprecated upstream but is the interface this
// driver is built on; its deprecation warnings are silenced in the files that
// include it, and nowhere else.
#pragma once
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/cups.h>
#include <cups/ppd.h>
