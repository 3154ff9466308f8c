#include "ppd_host.h"

PPDHost::PPDHost(const std::string& path, const std::string& printer) : ppd_(ppdOpenFile(path.c_str())) {
  if (ppd_ != nullptr) ppdMarkDefaults(ppd_);
  session_.SetCurrentPrinter(printer);
}

PPDHost::~PPDHost() {
  if (ppd_ != nullptr) ppdClose(ppd_);
}

bool PPDHost::willChangePPDOptionKeyValue(const char* option, const char* choice) {
  if (ppd_ == nullptr || option == nullptr || choice == nullptr) return false;
  ppd_option_t* found = ppdFindOption(ppd_, option);
  if (found == nullptr || ppdFindChoice(found, choice) == nullptr ||
      refused.count(std::string(option) + ":" + choice) != 0) {
    return false;
  }
  ppdMarkOption(ppd_, option, choice);
  return true;
}

std::string PPDHost::Marked(const char* option) const {
  ppd_choice_t* choice = ppd_ == nullptr ? nullptr : ppdFindMarkedChoice(ppd_, option);
  return choice == nullptr ? "" : choice->choice;
}
