// The Image Options panel: colour mode, output mode, brightness, image type,
// RGB correction and screen, the basic/advanced switch, and the colour-balance
// and image-adjustment windows. Every value is a choice of a PPD option,
// marked through the host; the panel writes no print-settings key of its own.
#pragma once
#include <QDialog>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "color_windows.h"
#include "hosted_panel.h"
#include "image_controls.h"
#include "image_tables.h"
#include "product_checker.h"

namespace OVQ_PDE_NS {

inline constexpr char kImageOptionsPanelKind[] = "nvxops15.pde.ImageOptionsKind";
inline constexpr char kImageOptionsTitleKey[] = "Graphics Title";

// A row of the product type table: the name in "OVXImageOptionsSettings", the
// panel's type number and its interface file.
struct ProductInfo {
  const char* name = nullptr;
  int32_t pdeType = 0;
  const char* nib = nullptr;
};

// Fills `hash` with the PPD's UIConstraints that name one of the 26 keywords
// as first or second option. Returns 0.
int xSetxppd(ppd_file_t* ppd, XppdHash* hash);
// The panel's constraint hash: from the cache file the PPD names in
// "OVXCDFSetting" (section "ImageOptionPDE..."), else built from the PPD.
std::shared_ptr<XppdHash> BuildImageOptionsHash(ppd_file_t* ppd);

class ImageOptionsOvqPDEj15 : public HostedPanelNvx {
 public:
  explicit ImageOptionsOvqPDEj15(PDEHostCallback* callback);
  ~ImageOptionsOvqPDEj15() override;

  // ---- the host protocol
  std::string panelKind() override { return kImageOptionsPanelKind; }
  // Builds the constraint hash (when not built yet) and names the 26 keywords.
  std::vector<std::string> supportedPPDOptionKeys() override;
  // Loads and shows the values from the marks again.
  void willShow() override;
  bool shouldShowHelp() override;
  // Build and load; false when the panel cannot be built or initialized.
  bool restoreValuesAndReturnError(std::string* error) override;
  // Takes the UI values and marks the choices (unless shouldPrint just did).
  bool saveValuesAndReturnError(std::string* error) override;
  // Takes the UI values and marks the choices; the panel never stops a job.
  bool shouldPrint() override;

  // ---- the panel
  int CreatePanel(QWidget* view) override;
  // Chooses the image-adjustment window, initializes every control (each
  // reporting its keyword), and sets the product type: failure (1) when the
  // PPD's keywords match no product type.
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;
  int Open() override;
  int SetValueFromUIToControl() override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // The controls and the windows' controls.
  int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
  int SimulationOpenPDE();

  void setPDEType(int32_t type) { pdeType = type >= 0 && type < 5 ? type : 0; }
  int32_t getPDEType() const { return pdeType; }
  static std::span<const ProductInfo> getProductInfoPtr();
  static int getProductInfoCont() { return static_cast<int>(getProductInfoPtr().size()); }
  std::string getPDENibFileNamePrintType() const;
  void setFirstInitialize(bool first) { bFirstInitialzePDE = first; }
  void setIsPrint(bool print) { gbIsPrint = print; }
  void setShouldPrintCalled(bool called) { isShouldPrintCalled = called; }

  // The advanced radio is on (or there is none).
  bool IsAdvancedSettingAvailable() const;
  // The colour-mode list's selected choice is not "Black" (true without a selection).
  bool IsColorModeAvailable() const;
  // The colour-balance window's adjust check box is on (or there is none).
  bool IsColorBalanceAdjustmentAvailable() const;
  // The print type remembered for the printer is mailbox (5).
  bool IsJobTypeMailbox() const;
  // The product type the checker found, on the plug-in type lists.
  void SetPrintTypeToPanel();
  bool IsSyncSetUI() const { return gPDESyncSetUI; }
  bool IsPrintUnderWay() const { return gbIsPrint; }
  bool IsPrintTypeSavetoMailbox() const { return isPrintTypeSavetoMailbox; }
  int32_t ProductType() const { return productType_; }

  GPPDListCtrlNvx* getColorModeListCtrl() const { return colorModeList_; }
  RGBCorrectionListCtrlNvx* getRGBCorrectionListCtrl() const { return rgbCorrectionList_; }
  GRadioButtonNvx* getAdvancedRadio() const { return advancedRadio_; }
  ColorBalanceWndNvx* getColorBalanceWnd() const { return colorBalanceWnd; }
  ImageAdjustmentWndNvx* getImageAdjustmentWnd() const { return imageAdjustmentWnd; }
  ImageAdjustmentBlackOverWndNvx* getImageAdjustmentBlackOverWnd() const { return imageAdjustmentBlackOverWnd; }
  // The image-adjustment window the PPD chose (either variant), or nullptr.
  ImageAdjustmentWndBaseNvx* getImageAdjustmentWindow() const;

  // Button actions.
  void OpenColorBalanceWindow();
  void OpenImageSettingsWindow();
  void RestoreDefaults();
  // Opens a page of the help book: true when it opened.
  bool OpenHelpPage(const char* page);

 protected:
  std::string NibName() const override { return getPDENibFileNamePrintType(); }
  const char* TitleKey() const override { return kImageOptionsTitleKey; }

 private:
  QWidget* Element(ControlID tag) const;
  void BuildControls(QWidget* view, bool cdfSupported);
  void ChooseImageAdjustmentWindow(ppd_file_t* ppd);
  // Marks the choices of the controls and windows through the host: false when one was refused.
  bool WriteChoices();

  ColorBalanceWndNvx* colorBalanceWnd = nullptr;
  ImageAdjustmentWndNvx* imageAdjustmentWnd = nullptr;
  ImageAdjustmentBlackOverWndNvx* imageAdjustmentBlackOverWnd = nullptr;
  GPPDListCtrlNvx* colorModeList_ = nullptr;
  RGBCorrectionListCtrlNvx* rgbCorrectionList_ = nullptr;
  GRadioButtonNvx* advancedRadio_ = nullptr;
  PluginTypeListCtrlNvx* pluginTypeList_ = nullptr;
  CallbackButtonNvx* helpButton_ = nullptr;
  RadioGroupNvx radioGroup_;
  std::shared_ptr<XppdHash> hash_;
  bool isPrintTypeSavetoMailbox = false;
  bool bFirstInitialzePDE = true;
  bool gbIsPrint = false;
  bool isShouldPrintCalled = false;
  bool gPDESyncSetUI = false;
  bool initialized_ = false;  // built and initialized from a PPD that matches a product type
  bool failed_ = false;       // the build failed: the panel stays uninitialized
  int32_t pdeType = 0;
  int32_t productType_ = -1;
};

}  // namespace OVQ_PDE_NS
