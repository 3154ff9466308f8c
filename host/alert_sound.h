// The system alert sound. The toolkit layer installs the sound it plays; the
// count of beeps lets tests see that one was asked for.
#pragma once
#include <functional>

void SysBeep();
int SysBeepCount();
void SetSysBeepHandler(std::function<void()> handler);
