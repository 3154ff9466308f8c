// The concrete controls of the Image Options panel and its windows, on the
// PPD-bound kinds: each list, slider, arrow and check box reports its keyword
// to the product type checker while it is initialized from the PPD.
#pragma once
#include <string>

#include "ppd_controls.h"

namespace OVQ_PDE_NS {

class ImageOptionsOvqPDEj15;

// The Image Options panel that `control` belongs to (directly or through one of its windows), or nullptr.
ImageOptionsOvqPDEj15* OwningPanel(const BaseControlNvx& control);

// A list of a PPD option's choices (reports present when the option yields a choice).
class GPPDListCtrlNvx : public PPDPopupControlNvxImageOptions {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
};

// Output mode: on a printer with a mailbox output mode ("OVXMailBoxSettings"),
// a mailbox job always uses that mode and the list cannot be changed.
class GOutputModeListCtrlNvx : public GPPDListCtrlNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  const uint8_t* GetValueFromUI() override;
  int GetValueToPreset() override;
  int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // The mailbox output mode's 1-based value (0: the printer names none).
  int32_t MailBoxValue() const { return mailBoxValue_; }

 private:
  bool MailBoxJob() const;
  int32_t mailBoxValue_ = 0;
};

// RGB colour correction: printing without the advanced setting, or in
// black and white, writes the choice "None" whatever is selected.
class RGBCorrectionListCtrlNvx : public GPPDListCtrlNvx {
 public:
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;

 protected:
  // The choice "None" when printing forces it: its index, or -1.
  int ForcedNoneIndex() const;
};

// The image-adjustment window's RGB correction: the panel's list carries the
// choice (the window's OK copies it there), so this list writes only the
// forced "None" and adds nothing to the summary.
class RGBCorrectionListCtrlIANvx : public RGBCorrectionListCtrlNvx {
 public:
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;
  int GetSummaryText(SummaryDictionary&, SummaryOrder&) override { return kControlSuccess; }
};

class CMYKCorrectionListCtrlIANvx : public GPPDListCtrlNvx {};

// Target paper: in the summary only while enabled, with the advanced setting,
// and with a CMYK correction other than "None".
class CMYKTargetMediaListCtrlIANvx : public GPPDListCtrlNvx {
 public:
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
};

// Screen: a change of colour mode, output mode, image type or RGB correction
// puts it back to its default (not while the panel loads or shows its values).
class ScreenListCtrlNvx : public GPPDListCtrlNvx {
 public:
  int Update() override;
};

// The plug-in type list: items "Type00-1", "Type00-2", "Type01", "Type02",
// "Type03"; its value is the product type the checker found, and its lists
// hide what a type lacks. The element stays hidden.
class PluginTypeListCtrlNvx : public PopupControlNvx {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void ResetStatus() override;
  // The product type, kept through every load.
  void SetProductType(int32_t type);
  int GetValueToPreset() override;

 private:
  int32_t type_ = 0;
};

// Brightness: with n choices the slider runs from -n/2 to n/2; choice i is at
// n/2 - i, so the first choice is the right end.
class GPPDSliderBarControlNvx : public PPDSliderBarControlNvxImageOptions {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  // With an even number of choices the lowest position means no choice: it
  // snaps to the nearest position that has one.
  int ChoiceIndexForValue(int32_t value) const override;
  int32_t ValueForChoiceIndex(int index) const override { return maximum_ - index; }
  // A user's move: the choice marked through the host; refused, the slider goes back.
  void UIEventHandler() override;
  void SimulationUIEventHandler() override { BaseControlNvx::UIEventHandler(); }
  int Open() override { return OpenFromMarks(*this); }
  int GetValueToPreset() override;
  int SetDefaultValueToUI() override;
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;

 private:
  bool MarkValue(int32_t value);
  std::string title_;
};

// The brightness slider's end labels.
class BrightMiniSTextCtrlNvx : public StaticTextEditControlNvx {};
class BrightMaxSTextCtrlNvx : public StaticTextEditControlNvx {};

class GRadioButtonNvx : public RadioButtonNvx {
 public:
  // Disables again the controls of the disable list of the value shown (after
  // a window they name has reset its controls' states).
  void DisableAgainForShownValue();
  bool IsOn() const { return ElementValue() == 1; }
};

// A check box of a PPD option (reports present when it yields a choice).
class GCheckBoxNvx : public PPDCheckBoxNvxImageOptions {
 public:
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
};
class GCheckBoxExtNvx : public GCheckBoxNvx {};

}  // namespace OVQ_PDE_NS
