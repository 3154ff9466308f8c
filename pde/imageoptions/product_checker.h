// The product type checker: a printer's Image Options product type is the type
// whose set of keywords equals the set of the panel's keywords that the PPD
// offers. Every PPD-bound list, slider, arrow and check box reports its
// keyword's presence while it is initialized from the PPD.
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "pde_namespace.h"

namespace OVQ_PDE_NS {

// One product type: its number (the plug-in type list's value) and the
// optional keywords it has (it has every keyword that is not optional).
struct ProductTypePattern {
  int32_t type = 0;
  std::span<const char* const> extras{};
};

// The panel's 26 keywords, in order: those of its constraint hash.
std::span<const char* const> ImageOptionsKeywords();
// The 24 keywords the checker knows, in order (the panel's but black overprint
// and invalidate colour profile).
std::span<const char* const> CheckedKeywords();
// The keywords in which the product types differ.
std::span<const char* const> OptionalKeywords();
// The product types (graphicsPTList): 1 "Type00-1", 2 "Type00-2", 4 "Type02", 5 "Type03".
std::span<const ProductTypePattern> ProductTypePatterns();

class CPPDChecker {
 public:
  CPPDChecker(std::span<const char* const> keywords, std::span<const char* const> optional,
              std::span<const ProductTypePattern> patterns);

  // The process-wide checker of the panel.
  static CPPDChecker& Instance();

  // Every keyword absent, no result.
  void Init();
  // Sets the keyword's flag; keywords outside the list are ignored.
  void AddCheck(const std::string& keyword, bool present);
  // The first type whose keyword set equals the present set becomes the result: true.
  bool RunCheck();
  // The type found, -1 when none.
  int32_t Result() const { return result_; }
  bool IsPresent(const std::string& keyword) const;

 private:
  using KeywordFlags = std::map<std::string, bool>;
  KeywordFlags present_;
  std::vector<std::pair<int32_t, KeywordFlags>> patterns_;
  int32_t result_ = -1;
};

}  // namespace OVQ_PDE_NS
