// The element tags of the Image Options panel and its windows, as its
// interface files give them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "control_records.h"

namespace OVQ_PDE_NS {

// Panel.
inline constexpr ControlID kColorModeListTag = 101;
inline constexpr ControlID kOutputModeListTag = 102;
inline constexpr ControlID BrightnessSliderTag = 103;
inline constexpr ControlID kColorBalanceButtonTag = 104;
inline constexpr ControlID kImageSettingsButtonTag = 105;
inline constexpr ControlID kImageTypeListTag = 106;
inline constexpr ControlID kRGBCorrectionListTag = 107;
inline constexpr ControlID kCMYKCorrectionListTag = 108;  // named by constraint lists; the panel builds none
inline constexpr ControlID kScreenListTag = 109;
inline constexpr ControlID kPluginTypeListTag = 110;
inline constexpr ControlID kRestoreDefaultsButtonTag = 111;
inline constexpr ControlID kHelpButtonTag = 112;
inline constexpr ControlID kVersionTextTag = 113;
inline constexpr ControlID kColorModeLabelTag = 201;
inline constexpr ControlID kOutputModeLabelTag = 202;
inline constexpr ControlID kBrightnessLabelTag = 203;
inline constexpr ControlID kBrightnessMinLabelTag = 204;
inline constexpr ControlID kBrightnessMaxLabelTag = 205;
inline constexpr ControlID kImageTypeLabelTag = 206;
inline constexpr ControlID kRGBCorrectionLabelTag = 207;
inline constexpr ControlID kCMYKCorrectionLabelTag = 208;  // as kCMYKCorrectionListTag
inline constexpr ControlID kScreenLabelTag = 209;
inline constexpr ControlID kBasicRadioTag = 1041;
inline constexpr ControlID kAdvancedRadioTag = 1042;

// Colour-balance window.
inline constexpr ControlID kGradationViewTag = 3000;
inline constexpr ControlID kBalanceOKTag = 3001;
inline constexpr ControlID kBalanceCancelTag = 3002;
inline constexpr ControlID kBalanceRestoreTag = 3003;
inline constexpr ControlID kBalanceHelpTag = 3004;
inline constexpr ControlID kAdjustCheckBoxTag = 3101;
inline constexpr ControlID kTargetColorListTag = 3102;
inline constexpr ControlID kTargetColorLabelTag = 3201;
inline constexpr ControlID kLowDensityLabelTag = 3202;
inline constexpr ControlID kMidDensityLabelTag = 3203;
inline constexpr ControlID kHighDensityLabelTag = 3204;
inline constexpr ControlID kDensityScopeLabelTag = 3205;

// Colours and levels of the density controls, in tag order.
enum DensityColor : int { kBlack = 0, kCyan = 1, kMagenta = 2, kYellow = 3 };
enum DensityLevel : int { kLow = 0, kMid = 1, kHigh = 2 };
inline constexpr int kDensityColors = 4;
inline constexpr int kDensityLevels = 3;
constexpr ControlID DensityFieldTag(int level, int color) { return 3500 + 10 * level + color; }
constexpr ControlID DensityArrowTag(int level, int color) { return 3600 + 10 * level + color; }

// Image-adjustment windows.
inline constexpr ControlID kAdjRGBCorrectionListTag = 501;
inline constexpr ControlID kAdjInputProfileListTag = 502;
inline constexpr ControlID kAdjGammaListTag = 503;
inline constexpr ControlID kAdjTemperatureListTag = 504;
inline constexpr ControlID kAdjCMYKCorrectionListTag = 505;
inline constexpr ControlID kAdjTargetPaperListTag = 506;
inline constexpr ControlID kAdjPluginTypeListTag = 507;
inline constexpr ControlID kAdjInvalidateProfileTag = 508;
inline constexpr ControlID kAdjLabelTagBase = 510;  // + 1 to 6: the labels of the lists 501 to 506
inline constexpr ControlID kAdjOKTag = 521;
inline constexpr ControlID kAdjCancelTag = 522;
inline constexpr ControlID kAdjRestoreTag = 523;
inline constexpr ControlID kAdjHelpTag = 524;

// An update list for every value of a list of up to kMaxRefreshedChoices
// choices: each change, whatever the new value, refreshes `ids`.
inline constexpr size_t kMaxRefreshedChoices = 128;
template <size_t N = kMaxRefreshedChoices>
constexpr std::array<ControlIDList, N> EveryValue(ControlIDList ids) {
  std::array<ControlIDList, N> lists{};
  for (ControlIDList& list : lists) list = ids;
  return lists;
}

}  // namespace OVQ_PDE_NS
