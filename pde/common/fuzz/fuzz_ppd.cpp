#include "fuzz_ppd.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

std::string FuzzPPDText() {
  return "*PPD-Adobe: \"4.3\"\n*LanguageEncoding: ISOLatin1\n*% Last Edit Date: fuzz\n"
         "*OpenGroup: General/General\n"
         "*OpenUI *OVColor/Color: PickOne\n*DefaultOVColor: Gray\n"
         "*OVColor Gray/Gray: \"\"\n*OVColor Color/Color: \"\"\n*OVColor Auto/Auto: \"\"\n*CloseUI: *OVColor\n"
         "*OpenUI *Duplex/Duplex: PickOne\n*DefaultDuplex: None\n"
         "*Duplex None/Off: \"\"\n*Duplex DuplexNoTumble/Long: \"\"\n*Duplex DuplexTumble/Short: \"\"\n"
         "*CloseUI: *Duplex\n"
         "*OpenUI *duplex/Other: PickOne\n*Defaultduplex: Off\n*duplex Off/Off: \"\"\n*duplex On/On: \"\"\n"
         "*CloseUI: *duplex\n*CloseGroup: General\n"
         "*OpenGroup: Finishing/Finishing\n"
         "*OpenUI *OVStaple/Staple: PickOne\n*DefaultOVStaple: None\n"
         "*OVStaple None/None: \"\"\n*OVStaple Left/Left: \"\"\n*OVStaple Right/Right: \"\"\n*OVStaple False/No: \"\"\n"
         "*CloseUI: *OVStaple\n*CloseGroup: Finishing\n";
}

ppd_file_t* OpenFuzzPPD(const std::string& text) {
  char path[] = "/tmp/ovqfuzzXXXXXX";
  int fd = mkstemp(path);
  if (fd < 0) abort();
  FILE* file = fdopen(fd, "w");
  if (file == nullptr) abort();
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  ppd_file_t* ppd = ppdOpenFile(path);
  unlink(path);
  return ppd;
}
