#include "constraint_hash.h"

#include <strings.h>

#include <cstring>
#include <limits>
#include <unordered_set>

namespace OVQ_PDE_NS {

namespace {

constexpr const char* kNotRealChoices[] = {"None", "Off", "False"};

struct OptionAt {
  ppd_option_t* option;
  int group;
  int index;
};

bool SameIgnoringCase(const char* a, const char* b) { return strcasecmp(a, b) == 0; }

// Calls visit(OptionAt) for every top-level option whose keyword equals `name`
// ignoring case, groups in order; stops when visit returns false.
template <typename Visit>
void ForEachMatchingOption(ppd_file_t* ppd, const char* name, Visit visit) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t& group = ppd->groups[g];
    for (int o = 0; o < group.num_options; ++o) {
      if (!SameIgnoringCase(group.options[o].keyword, name)) continue;
      if (!visit(OptionAt{&group.options[o], g, o})) return;
    }
  }
}

bool FirstMatchingOption(ppd_file_t* ppd, const char* name, OptionAt* found) {
  bool any = false;
  ForEachMatchingOption(ppd, name, [&](const OptionAt& at) {
    *found = at;
    any = true;
    return false;
  });
  return any;
}

// A choice after the first whose keyword is none of None, Off, False.
bool IsRealChoice(const ppd_option_t* option, int index) {
  if (index < 1 || index >= option->num_choices) return false;
  for (const char* word : kNotRealChoices) {
    if (SameIgnoringCase(option->choices[index].choice, word)) return false;
  }
  return true;
}

int ChoiceIgnoringCase(const ppd_option_t* option, const char* name) {
  for (int c = 0; c < option->num_choices; ++c) {
    if (SameIgnoringCase(option->choices[c].choice, name)) return c;
  }
  return -1;
}

// False when an index does not fit the record's 16-bit fields.
bool MakeLocation(int group, int option, int choice, x_constraints* location) {
  constexpr int kLimit = std::numeric_limits<uint16_t>::max();
  if (group < 0 || option < 0 || choice < 0 || group > kLimit || option > kLimit || choice > kLimit) return false;
  *location = x_constraints{static_cast<uint16_t>(group), static_cast<uint16_t>(option), static_cast<uint16_t>(choice)};
  return true;
}

int Add(XppdHash* hash, std::string key, const OptionAt& at, int choice) {
  x_constraints location;
  if (!MakeLocation(at.group, at.index, choice, &location)) return 0;
  hash->emplace(std::move(key), location);
  return 1;
}

// The first option matching `optionName` that has a choice matching `choiceName`.
bool FindOptionChoice(ppd_file_t* ppd, const char* optionName, const char* choiceName, OptionAt* found, int* choice) {
  bool any = false;
  ForEachMatchingOption(ppd, optionName, [&](const OptionAt& at) {
    int index = ChoiceIgnoringCase(at.option, choiceName);
    if (index < 0) return true;
    *found = at;
    *choice = index;
    any = true;
    return false;
  });
  return any;
}

const ppd_const_t* Constraint(ppd_file_t* ppd, const XppdHash* hash, int index) {
  if (ppd == nullptr || hash == nullptr || index < 0 || index >= ppd->num_consts || ppd->consts == nullptr) {
    return nullptr;
  }
  return &ppd->consts[index];
}

}  // namespace

uint64_t constraintHash(std::string_view key) {
  uint64_t h = 0;
  for (char c : key) h = 5 * h + static_cast<uint64_t>(static_cast<int64_t>(static_cast<signed char>(c)));
  return h;
}

std::string ConstraintKey(std::string_view option, std::string_view choice) {
  std::string key;
  key.reserve(option.size() + 1 + choice.size());
  key.append(option);
  key.push_back(':');
  key.append(choice);
  return key;
}

ppd_choice_t* ChoiceAtLocation(ppd_file_t* ppd, const x_constraints& location) {
  if (ppd == nullptr || ppd->groups == nullptr || location.group >= ppd->num_groups) return nullptr;
  ppd_group_t& group = ppd->groups[location.group];
  if (group.options == nullptr || location.option >= group.num_options) return nullptr;
  ppd_option_t& option = group.options[location.option];
  if (option.choices == nullptr || location.choice >= option.num_choices) return nullptr;
  return &option.choices[location.choice];
}

int xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XppdHash* hash, int index) {
  const ppd_const_t* constraint = Constraint(ppd, hash, index);
  if (constraint == nullptr) return 0;
  OptionAt first{};
  int choice = -1;
  if (!FindOptionChoice(ppd, constraint->option1, constraint->choice1, &first, &choice)) return 0;
  return Add(hash, ConstraintKey(constraint->option2, constraint->choice2), first, choice);
}

int xConst2Hash_O1C1O2(ppd_file_t* ppd, XppdHash* hash, int index) {
  const ppd_const_t* constraint = Constraint(ppd, hash, index);
  if (constraint == nullptr) return 0;
  OptionAt first{};
  int choice = -1;
  if (!FindOptionChoice(ppd, constraint->option1, constraint->choice1, &first, &choice)) return 0;
  OptionAt second{};
  if (!FirstMatchingOption(ppd, constraint->option2, &second)) return 0;
  int added = 0;
  for (int c = 0; c < second.option->num_choices; ++c) {
    if (!IsRealChoice(second.option, c)) continue;
    added += Add(hash, ConstraintKey(second.option->keyword, second.option->choices[c].choice), first, choice);
  }
  return added;
}

int xConst2Hash_O1O2C2(ppd_file_t* ppd, XppdHash* hash, int index) {
  const ppd_const_t* constraint = Constraint(ppd, hash, index);
  if (constraint == nullptr) return 0;
  OptionAt first{};
  if (!FirstMatchingOption(ppd, constraint->option1, &first)) return 0;
  int added = 0;
  for (int c = 0; c < first.option->num_choices; ++c) {
    if (!IsRealChoice(first.option, c)) continue;
    added += Add(hash, ConstraintKey(constraint->option2, constraint->choice2), first, c);
  }
  return added;
}

int xConst2Hash_O1O2(ppd_file_t* ppd, XppdHash* hash, int index) {
  const ppd_const_t* constraint = Constraint(ppd, hash, index);
  if (constraint == nullptr) return 0;
  int added = 0;
  ForEachMatchingOption(ppd, constraint->option1, [&](const OptionAt& first) {
    for (int c1 = 0; c1 < first.option->num_choices; ++c1) {
      if (!IsRealChoice(first.option, c1)) continue;
      ForEachMatchingOption(ppd, constraint->option2, [&](const OptionAt& second) {
        for (int c2 = 0; c2 < second.option->num_choices; ++c2) {
          if (!IsRealChoice(second.option, c2)) continue;
          added += Add(hash, ConstraintKey(second.option->keyword, second.option->choices[c2].choice), first, c1);
        }
        return true;
      });
    }
    return true;
  });
  return added;
}

int xConst2Hash(ppd_file_t* ppd, XppdHash* hash, int index) {
  const ppd_const_t* constraint = Constraint(ppd, hash, index);
  if (constraint == nullptr) return 0;
  bool firstChoice = constraint->choice1[0] != '\0';
  bool secondChoice = constraint->choice2[0] != '\0';
  if (firstChoice && secondChoice) return xConst2Hash_O1C1O2C2(ppd, hash, index);
  if (firstChoice) return xConst2Hash_O1C1O2(ppd, hash, index);
  if (secondChoice) return xConst2Hash_O1O2C2(ppd, hash, index);
  return xConst2Hash_O1O2(ppd, hash, index);
}

int BuildXppdFromKeywords(ppd_file_t* ppd, XppdHash* hash, const std::vector<std::string>& keywords) {
  if (ppd == nullptr || hash == nullptr) return 0;
  const std::unordered_set<std::string_view> listed(keywords.begin(), keywords.end());
  int added = 0;
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t& constraint = ppd->consts[i];
    if (listed.count(constraint.option1) != 0 || listed.count(constraint.option2) != 0) {
      added += xConst2Hash(ppd, hash, i);
    }
  }
  return added;
}

bool IsPPDChoiceConflicted(ppd_file_t* ppd, const XppdHash* hash, const char* option, const char* choice) {
  if (ppd == nullptr || hash == nullptr || option == nullptr || choice == nullptr || hash->empty()) return false;
  auto [first, last] = hash->equal_range(ConstraintKey(option, choice));
  for (auto entry = first; entry != last; ++entry) {
    ppd_choice_t* located = ChoiceAtLocation(ppd, entry->second);
    if (located != nullptr && located->marked) return true;
  }
  return false;
}

bool HashEntryPointsTo(ppd_file_t* ppd, const XppdHash* hash, const char* key, const char* option, const char* choice) {
  if (ppd == nullptr || hash == nullptr || key == nullptr || option == nullptr || choice == nullptr) return false;
  auto [first, last] = hash->equal_range(key);
  for (auto entry = first; entry != last; ++entry) {
    ppd_choice_t* located = ChoiceAtLocation(ppd, entry->second);
    if (located == nullptr || located->option == nullptr) continue;
    if (std::strcmp(located->option->keyword, option) == 0 && std::strcmp(located->choice, choice) == 0) {
      return true;
    }
  }
  return false;
}

int GetUIListFromPPD(ppd_file_t* ppd, const XppdHash* hash, const char* option, std::vector<UIListRow>* list,
                     uint16_t* count) {
  if (ppd == nullptr || option == nullptr || list == nullptr) return 0;
  ppd_option_t* found = ppdFindOption(ppd, option);
  if (found == nullptr || found->num_choices < 1) return 0;
  for (int c = 0; c < found->num_choices; ++c) {
    const ppd_choice_t& choice = found->choices[c];
    bool conflicted = IsPPDChoiceConflicted(ppd, hash, found->keyword, choice.choice);
    list->push_back(UIListRow{found->keyword, choice.choice, PPDTranslationToUTF8(ppd, choice.text),
                              conflicted ? kConflictTrue : kConflictFalse});
    if (count != nullptr) ++*count;
  }
  return 0;
}

int InitializeValueFromPPD(ppd_file_t* ppd, const XppdHash* hash, std::vector<UIListRow>* list, const char* option) {
  if (CheckPPDKeyIsExist(ppd, option)) {
    uint16_t count = 0;
    GetUIListFromPPD(ppd, hash, option, list, &count);
  }
  return 1;
}

}  // namespace OVQ_PDE_NS
