// The windows of the Image Options panel: colour balance (per-colour density
// for low, middle and high densities, with a gradation view) and image
// adjustment (RGB and CMYK correction, input profile, gamma, colour
// temperature, target paper; or, for printers with "OVBlackOverprint" or
// "OVInvalidateColorProfile", the RGB settings and the invalidate-profile check
// box). Their controls mark PPD choices through the host as the panel's do;
// Cancel puts back the marks recorded when the window opened.
#pragma once
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <map>
#include <string>

#include "base_panel.h"
#include "image_controls.h"
#include "image_tables.h"

namespace OVQ_PDE_NS {

class ImageOptionsOvqPDEj15;

// Paints the three densities of one colour as gradation bars.
class KQGradsView : public QWidget {
 public:
  explicit KQGradsView(QWidget* parent);
  // The colour to show and its densities (-3 to 3 each, stored plus 4, 1 to 7).
  void drawPanel(int color, int low, int mid, int high);
  int Color() const { return color_; }
  // The stored density indices, 1 to 7.
  int DensityIndex(int level) const { return densities_[level]; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int color_ = kBlack;
  int densities_[kDensityLevels] = {4, 4, 4};
};

// The gradation view's control: its element holds the view; Update draws the
// target colour's densities.
class GHIViewControlNvx : public BaseControlNvx {
 public:
  int CreateControl(QWidget* element);
  int Update() override;
  KQGradsView* View() const { return view_; }

 private:
  QPointer<KQGradsView> view_;
};

// The target colour (black, cyan, magenta, yellow): only black while the panel
// prints in black and white. Written under "nvxjobs.printsettings.TargetColorLboxTicketKey".
class ColorTargetListCtrlNvx : public PopupControlNvx {
 public:
  void DoSelfUpdate() override;
};

// A density as a number: "-" and the digits 0 to 3; its arrow keeps the value.
class GTextEditCtrlNvx : public TextEditCtrlNvx {
 public:
  void SetArrowTag(ControlID tag) { arrowTag_ = tag; }
  // Shows the arrow's value.
  int Update() override;
  // The field shows what its arrow holds: the arrow's reaction puts it there.
  int SetControlValueToUI() override { return kControlSuccess; }
  void SimulationUIEventHandler() override {}

 private:
  ControlID arrowTag_ = 0;
};

// A density as little arrows (a spin box) from -3 to 3: value v is the PPD's
// choice 3 - v (the first choice is +3).
class GLittleArrayControlNvx : public PPDIntegerControlNvx {
 public:
  using PPDIntegerControlNvx::CreateControl;
  using PPDIntegerControlNvx::SetValueToTicket;

  int CreateControl(QWidget* element, const char* ppdKey, ControlID fieldTag, const ConstraintRecord* constrain);
  // Range -3 to 3, the rows, default the number that names the PPD's default choice.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void setTargetandAction() override;
  // A user's step: marked through the host (refused: back to the value before), then the reaction.
  void UIEventHandler() override;
  void SimulationUIEventHandler() override { BaseControlNvx::UIEventHandler(); }
  // The number typed in the field: taken and marked when it is a density; else the field shows the value again.
  int Update() override;
  int Open() override { return OpenFromMarks(*this); }
  int GetValueToPreset() override;
  int SetExternalValueToUI(const void* data, size_t size) override;
  int SetDefaultValueToUI() override;
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // A density as text ("-2"); text that is not a number reads as 0.
  int ConvertFromPreferenceString(const char* text) override;
  int32_t ElementValue() const override;

 protected:
  // Whether the summary shows this colour now.
  virtual bool InSummary() const;
  bool MarkValue(int32_t value);
  void SetElementValue(int32_t value) override;

  ControlID fieldTag_ = 0;
  std::string title_;
};

// Black densities show in the summary whenever colour balance is adjusted.
class GBlackLittleArrayControlNvx : public GLittleArrayControlNvx {
 protected:
  bool InSummary() const override;
};

// What the panel's windows share: the marks of their PPD-bound controls are
// recorded when the window opens and put back by Cancel, with the controls'
// values reloaded from them (printing afterwards marks nothing cancelled).
class ImageOptionsWindowNvx : public PopupWinInPanelNvx {
 public:
  explicit ImageOptionsWindowNvx(ImageOptionsOvqPDEj15* panel) : panel_(panel) {}
  // Records the marks, shows the current values (reloaded from the marks) and runs the window.
  int ActivateWindow() override;
  // The marked choice of every PPD-bound control's keyword.
  void SyncMarkedPPD();
  // Marks the recorded choices again, then every control reloads its value.
  void RestoreMarkedPPD();
  // The Cancel button, the close button and Escape: the recorded marks back, the window closed.
  void CancelWindow() override;
  void OnRestoreDefault();
  const std::map<std::string, std::string>& RecordedMarks() const { return recorded_; }

 protected:
  // Controls by tag in the window (nullptr when there is none).
  QWidget* Element(ControlID tag) const;
  CallbackButtonNvx* AddButton(ControlID tag, const char* titleKey, std::function<void()> action);
  void AddLabel(ControlID tag, const char* summaryKey);
  // Every control loads its value from the marks and shows it.
  void ReloadFromMarks();
  // After the window's controls were reset: what the panel's controls impose on them.
  virtual void ApplyPanelConstraints() {}

  ImageOptionsOvqPDEj15* panel_;
  std::map<std::string, std::string> recorded_;  // keyword to marked choice
};

class ColorBalanceWndNvx : public ImageOptionsWindowNvx {
 public:
  using ImageOptionsWindowNvx::ImageOptionsWindowNvx;
  // Builds the window's controls on `window`.
  int ColorBalanceWnd(QDialog* window, const char* titleKey);
  // The controls validate and take their UI values; the window closes.
  void OnOK();
  ColorTargetListCtrlNvx* getgWndTargetColorLboxCtrl() const { return targetList_; }
  GCheckBoxNvx* getgraphicWndAdjustCBCboxCtrl() const { return adjustCheckBox_; }

 private:
  ColorTargetListCtrlNvx* targetList_ = nullptr;
  GCheckBoxNvx* adjustCheckBox_ = nullptr;
};

// The image-adjustment windows' common part: OK hands the RGB correction to
// the panel's list.
class ImageAdjustmentWndBaseNvx : public ImageOptionsWindowNvx {
 public:
  using ImageOptionsWindowNvx::CreatePanel;
  using ImageOptionsWindowNvx::ImageOptionsWindowNvx;
  int CreatePanel(QWidget* window, const char* titleKey);
  // The group boxes' titles besides the controls.
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;
  // The controls take their UI values; the RGB correction goes to the panel's list.
  void OnOK();
  void SetProductType(int32_t type);

 protected:
  virtual void BuildSettings() = 0;
  void AddList(std::unique_ptr<GPPDListCtrlNvx> list, ControlID tag, const char* keyword);
  void ApplyPanelConstraints() override;
  PluginTypeListCtrlNvx* pluginTypeList_ = nullptr;
  std::vector<GroupBoxControlNvx> groupBoxes_;
};

// RGB correction, input profile, gamma, colour temperature, CMYK correction, target paper.
class ImageAdjustmentWndNvx : public ImageAdjustmentWndBaseNvx {
 public:
  using ImageAdjustmentWndBaseNvx::ImageAdjustmentWndBaseNvx;

 protected:
  void BuildSettings() override;
};

// The RGB settings and the check box for "OVInvalidateColorProfile", or, for a
// printer that offers only "OVBlackOverprint", for that option.
class ImageAdjustmentBlackOverWndNvx : public ImageAdjustmentWndBaseNvx {
 public:
  using ImageAdjustmentWndBaseNvx::ImageAdjustmentWndBaseNvx;
  // Before CreatePanel: the check box serves "OVBlackOverprint".
  void BindBlackOverprint(bool blackOverprint) { blackOverprint_ = blackOverprint; }

 protected:
  void BuildSettings() override;

 private:
  bool blackOverprint_ = false;
};

}  // namespace OVQ_PDE_NS
