// The constraint hash: which choices of a PPD clash with the choices marked
// now. A key "Option:Choice" maps to the locations of the choices that exclude
// it; the key is in conflict while one of those choices is marked.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cups_ppd.h"
#include "pde_namespace.h"
#include "ppd_access.h"

namespace OVQ_PDE_NS {

// Location of a choice in the parsed PPD: index of the group in the PPD's
// groups, of the option among the group's top-level options, of the choice in
// the option's choices.
struct x_constraints {
  uint16_t group = 0;
  uint16_t option = 0;
  uint16_t choice = 0;
  friend bool operator==(const x_constraints&, const x_constraints&) = default;
};

// h = 5h + c over the key's bytes taken as signed characters, 64-bit, wrapping.
uint64_t constraintHash(std::string_view key);

struct ConstraintKeyHasher {
  size_t operator()(const std::string& key) const { return static_cast<size_t>(constraintHash(key)); }
};

// Equal keys are all kept, side by side.
using XppdHash = std::unordered_multimap<std::string, x_constraints, ConstraintKeyHasher>;

// The key of an option keyword and a choice keyword: "Option:Choice".
std::string ConstraintKey(std::string_view option, std::string_view choice);

// The choice at `location`, or nullptr when the location lies outside the PPD's arrays.
ppd_choice_t* ChoiceAtLocation(ppd_file_t* ppd, const x_constraints& location);

// Add the entries of constraint number `index` of the PPD (one builder per
// shape: which of its two choices are given). Each returns the number of
// entries added; a missing PPD or hash, or an index outside the constraints, adds nothing.
int xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XppdHash* hash, int index);
int xConst2Hash_O1C1O2(ppd_file_t* ppd, XppdHash* hash, int index);
int xConst2Hash_O1O2C2(ppd_file_t* ppd, XppdHash* hash, int index);
int xConst2Hash_O1O2(ppd_file_t* ppd, XppdHash* hash, int index);

// The builder that matches the constraint's shape.
int xConst2Hash(ppd_file_t* ppd, XppdHash* hash, int index);

// The direct build: every constraint of the PPD, in file order, whose first or
// second option is one of `keywords` (exact comparison). Returns the entries added.
int BuildXppdFromKeywords(ppd_file_t* ppd, XppdHash* hash, const std::vector<std::string>& keywords);

// True when a choice located by an entry under "option:choice" (exact
// spelling) is marked in the PPD now.
bool IsPPDChoiceConflicted(ppd_file_t* ppd, const XppdHash* hash, const char* option, const char* choice);

// True when an entry under `key` points to the choice `choice` of the option
// `option` (both exact), marked or not.
bool HashEntryPointsTo(ppd_file_t* ppd, const XppdHash* hash, const char* key, const char* option, const char* choice);

// Appends one row per choice of the option (index 0 included) and adds 1 to
// *count per row. Nothing when the list is missing, the option does not exist
// or has no choices. Returns 0.
int GetUIListFromPPD(ppd_file_t* ppd, const XppdHash* hash, const char* option, std::vector<UIListRow>* list,
                     uint16_t* count);

// GetUIListFromPPD when the option exists. Returns 1.
int InitializeValueFromPPD(ppd_file_t* ppd, const XppdHash* hash, std::vector<UIListRow>* list, const char* option);

}  // namespace OVQ_PDE_NS
