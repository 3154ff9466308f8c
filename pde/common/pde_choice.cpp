#include "pde_choice.h"

#include "text_encoding.h"

namespace OVQ_PDE_NS {

const std::string& PDEChoiceNvx::userTitle() const {
  if (!userTitle_) {
    std::string title;
    // libcups hands translations over in UTF-8.
    if (choice_ != nullptr) DecodeTextToUTF8(choice_->text, kTextEncodingUTF8, &title);
    userTitle_ = std::move(title);
  }
  return *userTitle_;
}

const std::string& PDEChoiceNvx::ppdTitle() const {
  if (!ppdTitle_) ppdTitle_ = choice_ == nullptr ? std::string() : std::string(choice_->choice);
  return *ppdTitle_;
}

std::vector<PDEChoiceNvx> ArrayFromPPDOption(ppd_option_t* option) {
  std::vector<PDEChoiceNvx> choices;
  if (option == nullptr) return choices;
  choices.reserve(static_cast<size_t>(option->num_choices));
  for (int i = 0; i < option->num_choices; ++i) choices.emplace_back(&option->choices[i]);
  return choices;
}

}  // namespace OVQ_PDE_NS
