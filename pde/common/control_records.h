// The static records by which panels declare their controls: initial data,
// constraint lists and the access record of the value's keys. Panels keep them
// in tables of plain data; a control holds pointers to them, never copies.
#pragma once
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "pde_namespace.h"

namespace OVQ_PDE_NS {

// Control IDs (element tags) that one constraint entry names.
using ControlIDList = std::span<const int32_t>;

// Per value (a pop-up's value less 1): the controls to disable or to hide while
// the control has that value. Per GetCurrentControlArrayNumber: the controls
// whose Update runs when the value changes. A value past the end names none.
struct ConstraintRecord {
  std::span<const ControlIDList> disable{};
  std::span<const ControlIDList> hide{};
  std::span<const ControlIDList> update{};
};

// Initial data of check boxes, radio buttons and pop-ups.
struct ControlIniData {
  int32_t reserved = 0;  // not read
  int32_t defaultValue = 0;
  int32_t initialValue = -1;                // -1: none
  const char* titleKey = nullptr;           // check box, radio button
  std::span<const char* const> itemKeys{};  // pop-up
};

// Where a control's value goes: the print-settings key that the filter reads and
// the key under which it is remembered per printer. A null key stores nothing there.
struct AccessInfo {
  uint32_t typeCode[2] = {0, 0};  // not read
  const char* ticketKey = nullptr;
  const char* preferenceKey = nullptr;
};

// The value that IDs in a constraint list are compared with.
using ControlID = int32_t;

// A panel's summary: title to value, and the titles in display order.
using SummaryDictionary = std::map<std::string, std::string>;
using SummaryOrder = std::vector<std::string>;

// Result of control operations.
inline constexpr int kControlFailure = 0;
inline constexpr int kControlSuccess = 1;

inline constexpr const char* kAlertOKButtonKey = "Alert OK Btn";
inline constexpr const char* kAlertIconName = "AlertIcon.png";

}  // namespace OVQ_PDE_NS
