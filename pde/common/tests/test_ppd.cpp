#include "test_ppd.h"

#include <gtest/gtest.h>

#include <sstream>

std::string ShapesPPDOptions() {
  return "*OpenGroup: General/General\n"
         "*OpenUI *OVColor/Color Mode: PickOne\n*DefaultOVColor: Gray\n"
         "*OVColor Gray/Grayscale: \"\"\n*OVColor Color/Color: \"\"\n*OVColor Auto/Auto: \"\"\n*CloseUI: *OVColor\n"
         "*OpenUI *Duplex/Two-Sided: PickOne\n*DefaultDuplex: None\n"
         "*Duplex None/Off: \"\"\n*Duplex DuplexNoTumble/Long Edge: \"\"\n*Duplex DuplexTumble/Short Edge: \"\"\n"
         "*CloseUI: *Duplex\n"
         "*OpenUI *OVSwitch/Switch: PickOne\n*DefaultOVSwitch: Off\n"
         "*OVSwitch Off/Off: \"\"\n*OVSwitch NONE/None: \"\"\n*CloseUI: *OVSwitch\n"
         "*OpenUI *duplex/Other duplex: PickOne\n*Defaultduplex: None\n"
         "*duplex None/None: \"\"\n*duplex Tumble/Tumble: \"\"\n*CloseUI: *duplex\n"
         "*CloseGroup: General\n"
         "*OpenGroup: Finishing/Finishing\n"
         "*OpenUI *OVStaple/Staple: PickOne\n*DefaultOVStaple: None\n"
         "*OVStaple None/None: \"\"\n*OVStaple Left/Left: \"\"\n*OVStaple Right/Right: \"\"\n*OVStaple off/Off: \"\"\n"
         "*CloseUI: *OVStaple\n"
         "*OpenUI *OVPunch/Punch: PickOne\n*DefaultOVPunch: Off\n"
         "*OVPunch Off/Off: \"\"\n*OVPunch TwoHole/2 Holes: \"\"\n*OVPunch False/No: \"\"\n*CloseUI: *OVPunch\n"
         "*CloseGroup: Finishing\n";
}

PPDHandle OpenPPDText(const std::string& path, const std::string& text) {
  WriteFile(path, text);
  PPDHandle ppd(ppdOpenFile(path.c_str()));
  if (ppd == nullptr) {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    ADD_FAILURE() << "libcups refused " << path << ": " << ppdErrorString(status) << " at line " << line;
  }
  return ppd;
}

std::multiset<Entry> EntriesOf(const ovqpde::XppdHash& hash) {
  std::multiset<Entry> entries;
  for (const auto& [key, at] : hash) entries.emplace(key, at.group, at.option, at.choice);
  return entries;
}

std::string Describe(const std::multiset<Entry>& entries) {
  std::ostringstream out;
  for (const auto& [key, group, option, choice] : entries) {
    out << key << "@" << group << "@" << option << "@" << choice << "@ ";
  }
  return out.str();
}
