// A PPD choice as the panels' controls hold it.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cups_ppd.h"
#include "pde_namespace.h"

namespace OVQ_PDE_NS {

class PDEChoiceNvx {
 public:
  explicit PDEChoiceNvx(ppd_choice_t* choice) : choice_(choice) {}
  static PDEChoiceNvx choiceWithChoice(ppd_choice_t* choice) { return PDEChoiceNvx(choice); }

  ppd_choice_t* choice() const { return choice_; }
  // The choice's translation text (UTF-8), made on first use; empty without a choice.
  const std::string& userTitle() const;
  // The choice keyword, made on first use; empty without a choice.
  const std::string& ppdTitle() const;

 private:
  ppd_choice_t* choice_;
  mutable std::optional<std::string> userTitle_;
  mutable std::optional<std::string> ppdTitle_;
};

// One PDEChoiceNvx per choice of `option`, in order; empty without an option.
std::vector<PDEChoiceNvx> ArrayFromPPDOption(ppd_option_t* option);

}  // namespace OVQ_PDE_NS
