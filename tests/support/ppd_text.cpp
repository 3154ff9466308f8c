#include "ppd_text.h"

#include <algorithm>

std::string PPDHeader() {
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
         "*LanguageEncoding: ISOLatin1\n*PCFileName: \"OVQTEST.PPD\"\n*Manufacturer: \"Orvane\"\n"
         "*Product: \"(Test)\"\n*ModelName: \"Orvane Test\"\n*ShortNickName: \"Orvane Test\"\n"
         "*NickName: \"Orvane Test\"\n*PSVersion: \"(3010.000) 0\"\n";
}

std::string PPDOption(const std::string& key, const std::string& defaultChoice, const std::string& choices,
                      const std::string& ui) {
  std::string text = "*OpenUI *" + key + ": " + ui + "\n*Default" + key + ": " + defaultChoice + "\n";
  for (size_t start = 0, end; start < choices.size(); start = end + 1) {
    end = std::min(choices.find(' ', start), choices.size());
    text += "*" + key + " " + choices.substr(start, end - start) + ": \"\"\n";
  }
  return text + "*CloseUI: *" + key + "\n";
}
