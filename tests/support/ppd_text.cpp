#include "ppd_text.h"

std::string PPDHeader() {
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n*PCFileName: \"OVQTEST.PPD\"\n*Manufacturer: \"Orvane\"\n"
         "*Product: \"(Test)\"\n*ModelName: \"Orvane Test\"\n*ShortNickName: \"Orvane Test\"\n"
         "*NickName: \"Orvane Test\"\n*PSVersion: \"(3010.000) 0\"\n";
}
