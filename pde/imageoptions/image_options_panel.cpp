#include "image_options_panel.h"

#include <QAbstractButton>
#include <cstdio>
#include <cstdlib>

#include "ppd_access.h"
#include "preferences.h"
#include "product_checker.h"
#include "quick_xppd.h"
#include "settings_access.h"
#include "system_access.h"
#include "ticket_keys.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

constexpr ProductInfo kProducts[] = {
    {.name = "Default00", .pdeType = 0, .nib = "OVImageOptions_Default00"},
    {.name = "Default01", .pdeType = 1, .nib = "OVImageOptions_Default01"},
    {.name = "Default02", .pdeType = 2, .nib = "OVImageOptions_Default02"},
    {.name = "Default03", .pdeType = 3, .nib = "OVImageOptions_Default03"},
    {.name = "Sorrel00", .pdeType = 4, .nib = "OVImageOptions_Sorrel00"},
};

constexpr const char* kHelpBookNameKey = "Help Viewer Title for Image Options";
constexpr const char* kImageWindowTitleKey = "Image Type Window Title String";
constexpr int32_t kPrintTypeMailBox = 5;

// ---- records of the panel's controls ----------------------------------------------------------------

constexpr ControlID kScreenIDs[] = {kScreenListTag};
constexpr auto kRefreshScreen = EveryValue(kScreenIDs);
constexpr ConstraintRecord kRefreshScreenRecord{.update = kRefreshScreen};

// Black and white (the colour mode's second choice): no image type, correction or image settings.
constexpr ControlID kBlackModeDisabled[] = {kBasicRadioTag,         kAdvancedRadioTag,       kImageTypeListTag,
                                            kRGBCorrectionListTag,  kCMYKCorrectionListTag,  kImageTypeLabelTag,
                                            kRGBCorrectionLabelTag, kCMYKCorrectionLabelTag, kImageSettingsButtonTag};
constexpr ControlIDList kColorModeDisable[] = {{}, kBlackModeDisabled};
constexpr ConstraintRecord kColorModeRecord{.disable = kColorModeDisable, .update = kRefreshScreen};

constexpr ControlID kBasicOffHidden[] = {kImageTypeLabelTag, kImageTypeListTag};
constexpr ControlIDList kBasicHide[] = {kBasicOffHidden};
constexpr ControlID kAdvancedRadioIDs[] = {kAdvancedRadioTag};
constexpr ControlIDList kBasicUpdate[] = {kAdvancedRadioIDs};
constexpr ConstraintRecord kBasicRecord{.hide = kBasicHide, .update = kBasicUpdate};

constexpr ControlID kAdvancedOffHidden[] = {kRGBCorrectionLabelTag, kRGBCorrectionListTag, kCMYKCorrectionLabelTag,
                                            kCMYKCorrectionListTag};
constexpr ControlID kAdvancedOffDisabled[] = {
    kAdjLabelTagBase + 1, kAdjRGBCorrectionListTag, kAdjLabelTagBase + 2, kAdjInputProfileListTag,
    kAdjLabelTagBase + 4, kAdjTemperatureListTag,   kAdjLabelTagBase + 5, kAdjCMYKCorrectionListTag,
    kAdjLabelTagBase + 6, kAdjTargetPaperListTag};
constexpr ControlIDList kAdvancedHide[] = {kAdvancedOffHidden};
constexpr ControlIDList kAdvancedDisable[] = {kAdvancedOffDisabled};
constexpr ControlID kBasicRadioIDs[] = {kBasicRadioTag};
constexpr ControlIDList kAdvancedUpdate[] = {kBasicRadioIDs};
constexpr ConstraintRecord kAdvancedRecord{
    .disable = kAdvancedDisable, .hide = kAdvancedHide, .update = kAdvancedUpdate};

// "Type00-1" has no RGB correction.
constexpr ControlID kNoRGBCorrection[] = {kRGBCorrectionLabelTag, kRGBCorrectionListTag};
constexpr ControlIDList kPluginTypeHide[] = {kNoRGBCorrection};
constexpr ConstraintRecord kPluginTypeRecord{.hide = kPluginTypeHide};
constexpr const char* kPluginTypeItems[] = {"Type00-1", "Type00-2", "Type01", "Type02", "Type03"};
constexpr ControlIniData kPluginTypeIni{.defaultValue = 1, .initialValue = -1, .itemKeys = kPluginTypeItems};

constexpr ControlIniData kListIni{.defaultValue = 1, .initialValue = -1};
constexpr ControlIniData kBasicIni{.defaultValue = 1, .initialValue = -1, .titleKey = "Basic Settings Radio Text"};
constexpr ControlIniData kAdvancedIni{
    .defaultValue = 0, .initialValue = -1, .titleKey = "Advanced Settings Radio Text"};
constexpr SliderIniData kBrightnessIni{};

bool OfferedWithChoices(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = ppd == nullptr ? nullptr : ppdFindOption(ppd, keyword);
  return option != nullptr && option->num_choices > 0;
}

}  // namespace

int xSetxppd(ppd_file_t* ppd, XppdHash* hash) {
  std::span<const char* const> keywords = ImageOptionsKeywords();
  BuildXppdFromKeywords(ppd, hash, std::vector<std::string>(keywords.begin(), keywords.end()));
  return 0;
}

std::shared_ptr<XppdHash> BuildImageOptionsHash(ppd_file_t* ppd) {
  auto hash = std::make_shared<XppdHash>();
  if (CDFKeyExist(ppd, kCDFSettingAttribute)) {
    GetXPPD(ppd, hash.get(), "ImageOptionPDE", kCDFSettingAttribute);  // no file: no conflicts shown
  } else {
    xSetxppd(ppd, hash.get());
  }
  return hash;
}

ImageOptionsOvqPDEj15::ImageOptionsOvqPDEj15(PDEHostCallback* callback) : HostedPanelNvx(callback) {}

ImageOptionsOvqPDEj15::~ImageOptionsOvqPDEj15() = default;

std::span<const ProductInfo> ImageOptionsOvqPDEj15::getProductInfoPtr() { return kProducts; }

std::string ImageOptionsOvqPDEj15::getPDENibFileNamePrintType() const {
  for (const ProductInfo& row : kProducts) {
    if (row.pdeType == pdeType) return row.nib;
  }
  return kProducts[0].nib;
}

QWidget* ImageOptionsOvqPDEj15::Element(ControlID tag) const { return FindElementByTag(GetWindowRef(), tag); }

// ---- the host protocol ---------------------------------------------------------------------------------

std::vector<std::string> ImageOptionsOvqPDEj15::supportedPPDOptionKeys() {
  if (hash_ == nullptr) hash_ = BuildImageOptionsHash(HostPPD());
  return {ImageOptionsKeywords().begin(), ImageOptionsKeywords().end()};
}

void ImageOptionsOvqPDEj15::willShow() {
  if (!initialized_) return;
  gPDESyncSetUI = true;
  Open();
  gPDESyncSetUI = false;
}

bool ImageOptionsOvqPDEj15::shouldShowHelp() { return helpButton_ == nullptr || !OpenHelpPage("Graphics.htm"); }

bool ImageOptionsOvqPDEj15::restoreValuesAndReturnError(std::string* error) {
  gPDESyncSetUI = true;
  int result = SimulationOpenPDE();
  gPDESyncSetUI = false;
  if (result == kControlSuccess) return true;
  if (error != nullptr) {
    *error = failed_ ? "the printer's image options match no product type"
                     : "the panel cannot be built (interface file or help book missing)";
  }
  return false;
}

bool ImageOptionsOvqPDEj15::saveValuesAndReturnError(std::string* error) {
  if (!initialized_) return true;
  gbIsPrint = true;
  if (IsViewLoaded()) SetValueFromUIToControl();
  bool written = isShouldPrintCalled || WriteChoices();
  isShouldPrintCalled = false;
  gbIsPrint = false;
  if (!written && error != nullptr) *error = "the printer refused an image option";
  return written;
}

bool ImageOptionsOvqPDEj15::shouldPrint() {
  if (bFirstInitialzePDE) restoreValuesAndReturnError(nullptr);
  if (!initialized_) return true;
  gbIsPrint = true;
  if (IsViewLoaded()) SetValueFromUIToControl();
  WriteChoices();
  isShouldPrintCalled = true;
  gbIsPrint = false;
  return true;
}

bool ImageOptionsOvqPDEj15::WriteChoices() {
  bool written = true;
  auto write = [&](BasePrintPanelNvx& panel) {
    for (const auto& control : panel.getCtrlGroupArrayRef()) {
      int result = control->SetValueToTicket(GetCurrentPMPrintSettings(), false);
      if (dynamic_cast<PPDBoundNvx*>(control.get()) != nullptr && result != kControlSuccess) written = false;
    }
  };
  write(*this);
  for (const auto& window : getWindowGroupArrayRef()) write(*window);
  return written;
}

// ---- building and loading ---------------------------------------------------------------------------------

int ImageOptionsOvqPDEj15::SimulationOpenPDE() {
  ppd_file_t* ppd = HostPPD();
  if (ppd == nullptr) return kControlSuccess;
  if (failed_) return kControlFailure;
  QWidget* view = panelView();
  if (view == nullptr) return kControlFailure;
  bool first = bFirstInitialzePDE;
  int result = kControlSuccess;
  if (first) {
    CreatePanel(view);
    std::string table = LocalizeTableForPPD(ppd);
    if (!table.empty()) SetLocalizeTableName(table);
    if (RegisterMyHelpBook() != 0) result = kControlFailure;
    if (hash_ == nullptr) hash_ = BuildImageOptionsHash(ppd);
    SetxppdPtr(hash_);
    if (InitializeUserPane(GetAppBundleRef(), ppd) != kPanelNoErr) {
      failed_ = true;
      return kControlFailure;
    }
  }
  PDEHostCallback* host = GetCurrentPDECallbackObj();
  SetCurrentPrintSettings(host->printSettings(), ppd, host, host->printSession());
  if (first) SetUIDataToIniData();
  GetValueFromPreset();
  SetCurrentValueToUI();
  if (!first) UpdateConflictsPanelControlFromPPD(ppd);
  bFirstInitialzePDE = false;
  initialized_ = true;
  return result;
}

int ImageOptionsOvqPDEj15::CreatePanel(QWidget* view) {
  BasePrintPanelNvx::CreatePanel(view);
  gPDESyncSetUI = true;
  BuildControls(view, IsCDFSupported(HostPPD()));
  auto balance = std::make_unique<ColorBalanceWndNvx>(this);
  balance->ColorBalanceWnd(view == nullptr ? nullptr : view->findChild<QDialog*>("ColorBalanceWindow"),
                           "Color Balance Window Title String");
  colorBalanceWnd = AddWindow(std::move(balance));
  isPrintTypeSavetoMailbox = false;
  return kPanelNoErr;
}

void ImageOptionsOvqPDEj15::BuildControls(QWidget*, bool cdfSupported) {
  auto label = [this](ControlID tag, const char* keyword) {
    auto control = std::make_unique<PPDStaticTextCtrlNvxImageOptions>();
    control->CreateControl(Element(tag), keyword, nullptr, nullptr, nullptr, nullptr, nullptr);
    AddControl(std::move(control));
  };
  label(kColorModeLabelTag, "OVColorMode");
  label(kOutputModeLabelTag, "OVOutputMode");
  label(kBrightnessLabelTag, "OVBrightness");
  label(kImageTypeLabelTag, "OVRGBImageType");
  label(kRGBCorrectionLabelTag, "OVRGBCorrection");
  label(kScreenLabelTag, "OVEngineScreen");

  auto colorMode = std::make_unique<GPPDListCtrlNvx>();
  colorMode->CreateControl(Element(kColorModeListTag), "OVColorMode", &kListIni, &kColorModeRecord, nullptr, nullptr,
                           kColorModeLabelTag);
  colorModeList_ = AddControl(std::move(colorMode));
  auto brightness = std::make_unique<GPPDSliderBarControlNvx>();
  brightness->CreateControl(Element(BrightnessSliderTag), "OVBrightness", &kBrightnessIni, nullptr, nullptr, nullptr);
  AddControl(std::move(brightness));
  auto minimum = std::make_unique<BrightMiniSTextCtrlNvx>();
  minimum->CreateControl(Element(kBrightnessMinLabelTag), nullptr, nullptr, nullptr, nullptr, nullptr,
                         "Brightness Mini Value Statics Text");
  AddControl(std::move(minimum));
  auto maximum = std::make_unique<BrightMaxSTextCtrlNvx>();
  maximum->CreateControl(Element(kBrightnessMaxLabelTag), nullptr, nullptr, nullptr, nullptr, nullptr,
                         "Brightness Max Value Statics Text");
  AddControl(std::move(maximum));
  auto outputMode = std::make_unique<GOutputModeListCtrlNvx>();
  outputMode->CreateControl(Element(kOutputModeListTag), "OVOutputMode", &kListIni, &kRefreshScreenRecord, nullptr,
                            nullptr, kOutputModeLabelTag);
  AddControl(std::move(outputMode));

  radioGroup_.RadioGroup();
  auto basic = std::make_unique<GRadioButtonNvx>();
  basic->RadioButton(Element(kBasicRadioTag), &kBasicIni, &kBasicRecord, nullptr, nullptr);
  basic->SetCtrlGrp(&radioGroup_);
  AddControl(std::move(basic));
  auto advanced = std::make_unique<GRadioButtonNvx>();
  advanced->RadioButton(Element(kAdvancedRadioTag), &kAdvancedIni, &kAdvancedRecord, nullptr, nullptr);
  advanced->SetCtrlGrp(&radioGroup_);
  advancedRadio_ = AddControl(std::move(advanced));

  auto imageType = std::make_unique<GPPDListCtrlNvx>();
  imageType->CreateControl(Element(kImageTypeListTag), "OVRGBImageType", &kListIni, &kRefreshScreenRecord, nullptr,
                           nullptr, kImageTypeLabelTag);
  AddControl(std::move(imageType));
  auto rgbCorrection = std::make_unique<RGBCorrectionListCtrlNvx>();
  rgbCorrection->CreateControl(Element(kRGBCorrectionListTag), "OVRGBCorrection", &kListIni, &kRefreshScreenRecord,
                               nullptr, nullptr, kRGBCorrectionLabelTag);
  rgbCorrectionList_ = AddControl(std::move(rgbCorrection));
  auto screen = std::make_unique<ScreenListCtrlNvx>();
  screen->CreateControl(Element(kScreenListTag), "OVEngineScreen", &kListIni, nullptr, nullptr, nullptr,
                        kScreenLabelTag);
  AddControl(std::move(screen));
  auto pluginType = std::make_unique<PluginTypeListCtrlNvx>();
  pluginType->CreateControl(Element(kPluginTypeListTag), &kPluginTypeIni, &kPluginTypeRecord, nullptr, nullptr);
  pluginTypeList_ = AddControl(std::move(pluginType));

  auto button = [this](ControlID tag, const char* titleKey, std::function<void()> action) {
    auto control = std::make_unique<CallbackButtonNvx>();
    control->CreateControl(Element(tag), titleKey, std::move(action));
    return AddControl(std::move(control));
  };
  button(kColorBalanceButtonTag, "Color Balance Button Text", [this] { OpenColorBalanceWindow(); });
  button(kImageSettingsButtonTag, "Image Setting Button Text", [this] { OpenImageSettingsWindow(); });
  button(kRestoreDefaultsButtonTag, "Restore Default Button Text", [this] { RestoreDefaults(); });
  helpButton_ = button(kHelpButtonTag, nullptr, [this] { OpenHelpPage("Graphics.htm"); });
  auto version = std::make_unique<VersionStringSTextNvx>();
  version->CreateControl(Element(kVersionTextTag), nullptr, cdfSupported);
  AddControl(std::move(version));
}

void ImageOptionsOvqPDEj15::ChooseImageAdjustmentWindow(ppd_file_t* ppd) {
  char blackOverprint[256] = {};
  char invalidateProfile[256] = {};
  FixPPDKeywordAccordingToType(ppd, "OVBlackOverprint", blackOverprint, sizeof blackOverprint);
  FixPPDKeywordAccordingToType(ppd, "OVInvalidateColorProfile", invalidateProfile, sizeof invalidateProfile);
  bool invalidate = CheckPPDKeyIsExist(ppd, invalidateProfile);
  bool overprint = invalidate || CheckPPDKeyIsExist(ppd, blackOverprint);
  QWidget* view = GetWindowRef();
  QDialog* plain = view == nullptr ? nullptr : view->findChild<QDialog*>("ImageAdjustmentWindow");
  QDialog* variant = view == nullptr ? nullptr : view->findChild<QDialog*>("ImageAdjustmentBlackOverWindow");
  ImageAdjustmentWndBaseNvx* window = nullptr;
  if (overprint) {
    auto created = std::make_unique<ImageAdjustmentBlackOverWndNvx>(this);
    created->BindBlackOverprint(!invalidate);  // a printer without the profile option gets its overprint
    created->CreatePanel(variant, kImageWindowTitleKey);
    window = imageAdjustmentBlackOverWnd = AddWindow(std::move(created));
    delete plain;  // tags of the unused window would shadow the used one's
  } else {
    auto created = std::make_unique<ImageAdjustmentWndNvx>(this);
    created->CreatePanel(plain, kImageWindowTitleKey);
    window = imageAdjustmentWnd = AddWindow(std::move(created));
    delete variant;
  }
  window->SetxppdPtr(xppd);
}

int ImageOptionsOvqPDEj15::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  if (getImageAdjustmentWindow() == nullptr) ChooseImageAdjustmentWindow(ppd);
  CPPDChecker& checker = CPPDChecker::Instance();
  checker.Init();
  int result = BasePrintPanelNvx::InitializeUserPane(bundle, ppd);
  // The overprint variant has no CMYK lists; the PPD's own options tell the
  // checker about them, so a printer's type does not depend on the window.
  if (imageAdjustmentBlackOverWnd != nullptr) {
    checker.AddCheck("OVCMYKCorrectionSTD", OfferedWithChoices(ppd, "OVCMYKCorrectionSTD"));
    checker.AddCheck("OVCMYKCorrectionTarget", OfferedWithChoices(ppd, "OVCMYKCorrectionTarget"));
  }
  if (result != kPanelNoErr) return result;
  if (!checker.RunCheck()) {
    productType_ = -1;
    return kPanelFailure;
  }
  productType_ = checker.Result();
  SetPrintTypeToPanel();
  return kPanelNoErr;
}

void ImageOptionsOvqPDEj15::SetPrintTypeToPanel() {
  if (productType_ < 1) return;
  if (pluginTypeList_ != nullptr) pluginTypeList_->SetProductType(productType_);
  if (ImageAdjustmentWndBaseNvx* window = getImageAdjustmentWindow()) window->SetProductType(productType_);
}

ImageAdjustmentWndBaseNvx* ImageOptionsOvqPDEj15::getImageAdjustmentWindow() const {
  if (imageAdjustmentWnd != nullptr) return imageAdjustmentWnd;
  return imageAdjustmentBlackOverWnd;
}

int ImageOptionsOvqPDEj15::Open() {
  isPrintTypeSavetoMailbox = IsJobTypeMailbox();
  return BasePrintPanelNvx::Open();
}

int ImageOptionsOvqPDEj15::SetValueFromUIToControl() {
  isPrintTypeSavetoMailbox = IsJobTypeMailbox();
  return BasePrintPanelNvx::SetValueFromUIToControl();
}

int ImageOptionsOvqPDEj15::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (!initialized_) return kPanelNoErr;
  // The choices shown are marked already: the summary tells them, not the ones last saved.
  SetValueFromUIToControl();
  return BasePrintPanelNvx::GetSummaryText(summary, order);
}

int ImageOptionsOvqPDEj15::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
  BasePrintPanelNvx::UpdateConflictsPanelControlFromPPD(ppd);
  for (const auto& window : getWindowGroupArrayRef()) window->UpdateConflictsPanelControlFromPPD(ppd);
  return kPanelNoErr;
}

// ---- what the controls ask ---------------------------------------------------------------------------------

bool ImageOptionsOvqPDEj15::IsAdvancedSettingAvailable() const {
  return advancedRadio_ == nullptr || advancedRadio_->IsOn();
}

bool ImageOptionsOvqPDEj15::IsColorModeAvailable() const {
  return colorModeList_ == nullptr || colorModeList_->GetUISelectStr() != "Black";
}

bool ImageOptionsOvqPDEj15::IsColorBalanceAdjustmentAvailable() const {
  GCheckBoxNvx* adjust = colorBalanceWnd == nullptr ? nullptr : colorBalanceWnd->getgraphicWndAdjustCBCboxCtrl();
  auto* box = adjust == nullptr ? nullptr : qobject_cast<QAbstractButton*>(adjust->GetControlPtr());
  return box == nullptr || box->isChecked();
}

bool ImageOptionsOvqPDEj15::IsJobTypeMailbox() const {
  std::string text;
  if (GetSystemVersion() < kSystemVersion1070) {
    const char* printer = GetCurrentPrinterString();
    std::string key;
    if (!CreateKeyWithCurrentPrinter(kPrintTypeReference, printer != nullptr ? printer : "", &key)) return false;
    std::optional<std::string> value = CFPreferencesCopyValue(key.c_str(), kCFPreferencesAnyApplication,
                                                              kCFPreferencesCurrentUser, kCFPreferencesCurrentHost);
    if (!value) return false;
    text = *value;
  } else if (PMPrintSettingsGetValue(GetCurrentPMPrintSettings(), kPrintTypeTicketKey, &text) != kHostNoErr) {
    return false;
  }
  return std::atoi(text.c_str()) == kPrintTypeMailBox;
}

// ---- button actions ------------------------------------------------------------------------------------------

void ImageOptionsOvqPDEj15::OpenColorBalanceWindow() {
  if (colorBalanceWnd != nullptr) colorBalanceWnd->ActivateWindow();
}

void ImageOptionsOvqPDEj15::OpenImageSettingsWindow() {
  if (ImageAdjustmentWndBaseNvx* window = getImageAdjustmentWindow()) window->ActivateWindow();
}

void ImageOptionsOvqPDEj15::RestoreDefaults() {
  SetDefaultValueToUI();
  if (ppd_file_t* ppd = GetCurrentPPD()) UpdateConflictsPanelControlFromPPD(ppd);
}

bool ImageOptionsOvqPDEj15::OpenHelpPage(const char* page) {
  return GotoHelpPage(GetAppBundleRef(), page, nullptr, kHelpBookNameKey) == 0;
}

}  // namespace OVQ_PDE_NS
