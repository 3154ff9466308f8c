#include "alert_sound.h"

namespace {

int g_beeps = 0;

std::function<void()>& Handler() {
  static std::function<void()> handler;
  return handler;
}

}  // namespace

void SysBeep() {
  ++g_beeps;
  if (Handler()) Handler()();
}

int SysBeepCount() { return g_beeps; }

void SetSysBeepHandler(std::function<void()> handler) { Handler() = std::move(handler); }
