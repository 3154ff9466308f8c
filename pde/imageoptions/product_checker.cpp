#include "product_checker.h"

#include <array>

namespace OVQ_PDE_NS {

namespace {

// The panel's keywords in order; the checker knows all but the last two.
constexpr std::array<const char*, 26> kPanelKeywords = {
    "OVColorMode",
    "OVOutputMode",
    "OVBrightness",
    "OVRGBImageType",
    "OVRGBCorrection",
    "OVCMYKCorrectionSTD",
    "OVEngineScreen",
    "OVRGBInputProfile",
    "OVRGBGammaCorrection",
    "OVColorTemperature",
    "OVCMYKCorrectionTarget",
    "OVColorBalanceAdjustment",
    "OVColorDensityBlackLow",
    "OVColorDensityCyanLow",
    "OVColorDensityMagentaLow",
    "OVColorDensityYellowLow",
    "OVColorDensityBlackMid",
    "OVColorDensityCyanMid",
    "OVColorDensityMagentaMid",
    "OVColorDensityYellowMid",
    "OVColorDensityBlackHigh",
    "OVColorDensityCyanHigh",
    "OVColorDensityMagentaHigh",
    "OVColorDensityYellowHigh",
    "OVBlackOverprint",
    "OVInvalidateColorProfile",
};
constexpr size_t kCheckedKeywords = 24;

// The keywords in which the types differ; every type has all the others.
constexpr const char* kOptional[] = {"OVRGBCorrection", "OVCMYKCorrectionSTD", "OVRGBInputProfile",
                                     "OVColorTemperature", "OVCMYKCorrectionTarget"};

constexpr const char* kType2[] = {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature"};
constexpr const char* kType4[] = {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD"};
constexpr const char* kType5[] = {"OVRGBCorrection", "OVRGBInputProfile", "OVColorTemperature", "OVCMYKCorrectionSTD",
                                  "OVCMYKCorrectionTarget"};

constexpr ProductTypePattern kPatterns[] = {
    {.type = 1, .extras = {}},
    {.type = 2, .extras = kType2},
    {.type = 4, .extras = kType4},
    {.type = 5, .extras = kType5},
};

}  // namespace

std::span<const char* const> ImageOptionsKeywords() { return kPanelKeywords; }

std::span<const char* const> CheckedKeywords() { return std::span(kPanelKeywords).first(kCheckedKeywords); }

std::span<const char* const> OptionalKeywords() { return kOptional; }

std::span<const ProductTypePattern> ProductTypePatterns() { return kPatterns; }

CPPDChecker::CPPDChecker(std::span<const char* const> keywords, std::span<const char* const> optional,
                         std::span<const ProductTypePattern> patterns) {
  for (const char* keyword : keywords) present_[keyword] = false;
  for (const ProductTypePattern& pattern : patterns) {
    KeywordFlags flags = present_;
    for (auto& [keyword, present] : flags) present = true;
    for (const char* keyword : optional) flags[keyword] = false;
    for (const char* keyword : pattern.extras) flags[keyword] = true;
    patterns_.emplace_back(pattern.type, std::move(flags));
  }
}

CPPDChecker& CPPDChecker::Instance() {
  static CPPDChecker checker(CheckedKeywords(), OptionalKeywords(), ProductTypePatterns());
  return checker;
}

void CPPDChecker::Init() {
  for (auto& [keyword, present] : present_) present = false;
  result_ = -1;
}

void CPPDChecker::AddCheck(const std::string& keyword, bool present) {
  auto found = present_.find(keyword);
  if (found != present_.end()) found->second = present;
}

bool CPPDChecker::RunCheck() {
  for (const auto& [type, flags] : patterns_) {
    if (flags == present_) {
      result_ = type;
      return true;
    }
  }
  return false;
}

bool CPPDChecker::IsPresent(const std::string& keyword) const {
  auto found = present_.find(keyword);
  return found != present_.end() && found->second;
}

}  // namespace OVQ_PDE_NS
