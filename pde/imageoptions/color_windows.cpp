#include "color_windows.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdlib>
#include <cstring>

#include "image_options_panel.h"
#include "modal_service.h"
#include "ppd_access.h"
#include "product_checker.h"
#include "system_access.h"
#include "text_encoding.h"
#include "ticket_keys.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

namespace {

constexpr int32_t kDensityMin = -3;
constexpr int32_t kDensityMax = 3;
constexpr size_t kSummaryLimit = 23;  // bytes of a density's summary title and text

// ---- the colour-balance window's records -----------------------------------------------------

constexpr size_t kDensityControls = kDensityLevels * kDensityColors;
constexpr size_t DensityIndex(int level, int color) { return static_cast<size_t>(level * kDensityColors + color); }

// While colour balance is not adjusted: every control of the window but the check box and the buttons.
constexpr auto kAdjustOffDisabled = [] {
  std::array<ControlID, 7 + 2 * kDensityControls> ids{kTargetColorLabelTag, kTargetColorListTag, kGradationViewTag,
                                                      kLowDensityLabelTag,  kMidDensityLabelTag, kHighDensityLabelTag,
                                                      kDensityScopeLabelTag};
  size_t next = 7;
  for (int level = 0; level < kDensityLevels; ++level) {
    for (int color = 0; color < kDensityColors; ++color) {
      ids[next++] = DensityFieldTag(level, color);
      ids[next++] = DensityArrowTag(level, color);
    }
  }
  return ids;
}();
constexpr ControlIDList kAdjustDisable[] = {kAdjustOffDisabled};
constexpr ConstraintRecord kAdjustRecord{.disable = kAdjustDisable};

// The target colour shows its own fields and arrows only.
constexpr std::array<ControlID, 6 * (kDensityColors - 1)> OtherColors(int shown) {
  std::array<ControlID, 6 * (kDensityColors - 1)> ids{};
  size_t next = 0;
  for (int color = 0; color < kDensityColors; ++color) {
    if (color == shown) continue;
    for (int level = 0; level < kDensityLevels; ++level) {
      ids[next++] = DensityFieldTag(level, color);
      ids[next++] = DensityArrowTag(level, color);
    }
  }
  return ids;
}
constexpr auto kHideButBlack = OtherColors(kBlack);
constexpr auto kHideButCyan = OtherColors(kCyan);
constexpr auto kHideButMagenta = OtherColors(kMagenta);
constexpr auto kHideButYellow = OtherColors(kYellow);
constexpr ControlIDList kTargetHide[] = {kHideButBlack, kHideButCyan, kHideButMagenta, kHideButYellow};
constexpr ControlID kViewIDs[] = {kGradationViewTag};
constexpr auto kTargetUpdate = EveryValue<kDensityColors>(kViewIDs);
constexpr ConstraintRecord kTargetRecord{.hide = kTargetHide, .update = kTargetUpdate};

// Each arrow refreshes its field and the view; each field its arrow and the view.
template <bool kArrow>
constexpr auto Partners() {
  std::array<std::array<ControlID, 2>, kDensityControls> ids{};
  for (int level = 0; level < kDensityLevels; ++level) {
    for (int color = 0; color < kDensityColors; ++color) {
      ids[DensityIndex(level, color)] = {kArrow ? DensityFieldTag(level, color) : DensityArrowTag(level, color),
                                         kGradationViewTag};
    }
  }
  return ids;
}
constexpr auto kArrowPartners = Partners<true>();
constexpr auto kFieldPartners = Partners<false>();
template <const auto& kPartners>
constexpr auto UpdateLists() {
  std::array<std::array<ControlIDList, 1>, kDensityControls> lists{};
  for (size_t i = 0; i < kDensityControls; ++i) lists[i][0] = kPartners[i];
  return lists;
}
constexpr auto kArrowUpdates = UpdateLists<kArrowPartners>();
constexpr auto kFieldUpdates = UpdateLists<kFieldPartners>();
template <const auto& kUpdates>
constexpr auto Records() {
  std::array<ConstraintRecord, kDensityControls> records{};
  for (size_t i = 0; i < kDensityControls; ++i) records[i].update = kUpdates[i];
  return records;
}
constexpr auto kArrowRecords = Records<kArrowUpdates>();
constexpr auto kFieldRecords = Records<kFieldUpdates>();

constexpr const char* kTargetColorItems[] = {"Target Color Black Text", "Target Color Cyan Text",
                                             "Target Color Magenta Text", "Target Color Yellow Text"};
constexpr ControlIniData kTargetColorIni{.defaultValue = 1, .initialValue = -1, .itemKeys = kTargetColorItems};
constexpr AccessInfo kTargetColorAccess{.ticketKey = kTargetColorLboxTicketKey};
constexpr ControlIniData kAdjustIni{.defaultValue = 0, .titleKey = "Adjust Color Balance Check Box Text"};

// A density typed as a number: "-" and the digits 0 to 3.
constexpr TextEditFilterData kDensityFilter{
    .charFilter = {.count = 2, .ranges = {CodeRange{.low = '-', .high = '-'}, CodeRange{.low = '0', .high = '3'}}}};
constexpr TextEditIniData kDensityFieldIni{.initialText = "0", .defaultText = "0", .minLength = 1, .maxLength = 2};

constexpr const char* kColorNames[] = {"Black", "Cyan", "Magenta", "Yellow"};
constexpr const char* kLevelNames[] = {"Low", "Mid", "High"};
// "OVColorDensity" + colour + level, for every density control.
const std::array<std::string, kDensityControls>& DensityKeywords() {
  static const std::array<std::string, kDensityControls> keywords = [] {
    std::array<std::string, kDensityControls> names;
    for (int level = 0; level < kDensityLevels; ++level) {
      for (int color = 0; color < kDensityColors; ++color) {
        names[DensityIndex(level, color)] = std::string("OVColorDensity") + kColorNames[color] + kLevelNames[level];
      }
    }
    return names;
  }();
  return keywords;
}

// ---- the image-adjustment windows' records --------------------------------------------------------

constexpr ControlID kTargetPaperIDs[] = {kAdjLabelTagBase + 6, kAdjTargetPaperListTag};
constexpr ControlIDList kAdjTypeHide[] = {{}, {}, {}, kTargetPaperIDs};  // "Type02"
constexpr ConstraintRecord kAdjTypeRecord{.hide = kAdjTypeHide};
constexpr const char* kPluginTypeItems[] = {"Type00-1", "Type00-2", "Type01", "Type02", "Type03"};
constexpr ControlIniData kPluginTypeIni{.defaultValue = 1, .initialValue = -1, .itemKeys = kPluginTypeItems};
constexpr ControlIniData kAdjListIni{.defaultValue = 1, .initialValue = -1};
constexpr ControlIniData kInvalidateIni{.defaultValue = 0, .titleKey = "Invalidate Color Profile Print Text"};
constexpr ControlIniData kBlackOverprintIni{.defaultValue = 0, .titleKey = "Black Over Print Text"};

// Parses a typed density: true with the value for "-3" to "3".
bool ParseDensity(const QString& text, int32_t* value) {
  bool ok = false;
  int number = text.toInt(&ok);
  if (!ok || number < kDensityMin || number > kDensityMax || text.startsWith('+')) return false;
  *value = number;
  return true;
}

// The number a density choice's keyword names ("+2", "0", "-1"); false for any other keyword.
bool DensityOfChoice(const char* keyword, int32_t* value) {
  char* end = nullptr;
  long number = std::strtol(keyword, &end, 10);
  if (end == keyword || *end != '\0') return false;
  *value = static_cast<int32_t>(number);
  return true;
}

}  // namespace

// ---- gradation view --------------------------------------------------------------------------------------

KQGradsView::KQGradsView(QWidget* parent) : QWidget(parent) { setMinimumSize(120, 48); }

void KQGradsView::drawPanel(int color, int low, int mid, int high) {
  color_ = color;
  densities_[kLow] = low + 4;
  densities_[kMid] = mid + 4;
  densities_[kHigh] = high + 4;
  update();
}

void KQGradsView::paintEvent(QPaintEvent*) {
  static const QColor kInks[] = {Qt::black, Qt::cyan, Qt::magenta, Qt::yellow};
  // Coverage of the low, middle and high bands at density 0; each density step moves it by 6 points.
  static const int kCoverage[kDensityLevels] = {25, 55, 85};
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  QColor ink = kInks[color_ >= 0 && color_ < kDensityColors ? color_ : kBlack];
  int band = width() / kDensityLevels;
  for (int level = 0; level < kDensityLevels; ++level) {
    int coverage = std::clamp(kCoverage[level] + (densities_[level] - 4) * 6, 0, 100);
    QColor shade = QColor::fromRgbF(1.0f - (1.0f - ink.redF()) * static_cast<float>(coverage) / 100.0f,
                                    1.0f - (1.0f - ink.greenF()) * static_cast<float>(coverage) / 100.0f,
                                    1.0f - (1.0f - ink.blueF()) * static_cast<float>(coverage) / 100.0f);
    if (!isEnabled()) shade = shade.lighter(130);
    painter.fillRect(QRect(level * band, 0, band, height()), shade);
  }
  painter.setPen(isEnabled() ? Qt::darkGray : Qt::lightGray);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

int GHIViewControlNvx::CreateControl(QWidget* element) {
  BaseControlNvx::CreateControl(element);
  if (element == nullptr) return kControlFailure;
  view_ = new KQGradsView(element);
  auto* layout = element->layout() != nullptr ? element->layout() : new QVBoxLayout(element);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  return kControlSuccess;
}

int GHIViewControlNvx::Update() {
  if (view_ == nullptr || ctrlParentPanelPtr == nullptr) return 0;
  auto* target = dynamic_cast<PopupControlNvx*>(ctrlParentPanelPtr->GetPanelControl(kTargetColorListTag));
  int color = target == nullptr ? kBlack : std::clamp(target->GetCurrentControlArrayNumber(), 0, kDensityColors - 1);
  int32_t density[kDensityLevels] = {};
  for (int level = 0; level < kDensityLevels; ++level) {
    auto* arrow =
        dynamic_cast<GLittleArrayControlNvx*>(ctrlParentPanelPtr->GetPanelControl(DensityArrowTag(level, color)));
    density[level] = arrow == nullptr ? 0 : arrow->ElementValue();
  }
  view_->drawPanel(color, density[kLow], density[kMid], density[kHigh]);
  return 0;
}

// ---- target colour, density fields and arrows ---------------------------------------------------------

void ColorTargetListCtrlNvx::DoSelfUpdate() {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  auto* menu = qobject_cast<QComboBox*>(ControlPtr);
  if (panel == nullptr || menu == nullptr) return;
  const GPPDListCtrlNvx* colorMode = panel->getColorModeListCtrl();
  bool blackOnly = colorMode != nullptr && colorMode->GetCurrentControlArrayNumber() + 1 == 2;
  for (int item = 1; item < menu->count(); ++item) SetItemEnabled(item, !blackOnly);
  if (blackOnly && menu->currentIndex() != 0) {
    menu->setCurrentIndex(0);
    BaseControlNvx::DoControlUpdateConstrain();  // the view follows the colour shown
  }
}

int GTextEditCtrlNvx::Update() {
  auto* arrow = ctrlParentPanelPtr == nullptr
                    ? nullptr
                    : dynamic_cast<GLittleArrayControlNvx*>(ctrlParentPanelPtr->GetPanelControl(arrowTag_));
  if (arrow == nullptr) return 0;
  std::string text = std::to_string(arrow->ElementValue());
  SetExternalValueToUI(text.c_str(), text.size() + 1);
  return 0;
}

int GLittleArrayControlNvx::CreateControl(QWidget* element, const char* ppdKey, ControlID fieldTag,
                                          const ConstraintRecord* constrain) {
  BaseControlNvx::CreateControl(element);
  SetRecords(constrain, nullptr, nullptr);
  kPPDMainKey = ppdKey;
  fieldTag_ = fieldTag;
  return kControlSuccess;
}

int GLittleArrayControlNvx::InitializeCtrl(const Bundle*, ppd_file_t* ppd) {
  if (auto* arrows = qobject_cast<QSpinBox*>(ControlPtr)) {
    QSignalBlocker quiet(arrows);
    arrows->setRange(kDensityMin, kDensityMax);
    arrows->setSingleStep(1);
  }
  ctrlDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlUIDataBlkPtr.assign(sizeof(int32_t), 0);
  ctrlDataSize = sizeof(int32_t);
  bool bound = BindToPPDOption(*this, kPPDMainKey, ppd, &ctrlPPDInfoArrayRef);
  std::string choice;
  defaultValue_ = 0;
  if (GetUIDefaultFromPPD(ppd, kPPDMainKey, &choice)) {
    defaultValue_ = std::clamp(std::atoi(choice.c_str()), kDensityMin, kDensityMax);
  }
  title_.clear();
  GetUITitleFromPPD(ppd, kPPDMainKey, &title_);
  CPPDChecker::Instance().AddCheck(kPPDMainKey, bound && !ctrlPPDInfoArrayRef.empty());
  return bound ? kControlSuccess : kControlFailure;
}

void GLittleArrayControlNvx::setTargetandAction() { ConnectAction<QSpinBox>(qOverload<int>(&QSpinBox::valueChanged)); }

int32_t GLittleArrayControlNvx::ElementValue() const {
  auto* arrows = qobject_cast<QSpinBox*>(ControlPtr);
  return arrows == nullptr ? 0 : arrows->value();
}

void GLittleArrayControlNvx::SetElementValue(int32_t value) {
  auto* arrows = qobject_cast<QSpinBox*>(ControlPtr);
  if (arrows == nullptr) return;
  QSignalBlocker quiet(arrows);
  arrows->setValue(value);
}

bool GLittleArrayControlNvx::MarkValue(int32_t value) {
  if (getPPDChoices().empty() || PanelPPD(*this) == nullptr) return true;
  int index = kDensityMax - value;
  if (index < 0 || static_cast<size_t>(index) >= getPPDChoices().size()) return false;
  return MarkThroughHost(GetParentPanel(), kPPDMainKey, getPPDChoices()[static_cast<size_t>(index)].choice()->choice);
}

void GLittleArrayControlNvx::UIEventHandler() {
  if (ppd_file_t* ppd = PanelPPD(*this)) {
    if (MarkValue(ElementValue())) {
      UpdatePanelConflicts(GetParentPanel(), ppd);
      valueDidChange = true;
    } else {
      SetElementValue(ReadInt(ctrlUIDataBlkPtr));
    }
  }
  BaseControlNvx::UIEventHandler();
}

int GLittleArrayControlNvx::Update() {
  auto* field = ctrlParentPanelPtr == nullptr
                    ? nullptr
                    : dynamic_cast<TextEditCtrlNvx*>(ctrlParentPanelPtr->GetPanelControl(fieldTag_));
  auto* element = field == nullptr ? nullptr : qobject_cast<QLineEdit*>(field->GetControlPtr());
  if (element == nullptr) return 0;
  int32_t typed = 0;
  int32_t shown = ElementValue();
  if (ParseDensity(element->text(), &typed) && typed != shown) {
    SetElementValue(typed);
    if (MarkValue(typed)) {
      WriteInt(ctrlUIDataBlkPtr, typed);
      valueDidChange = true;
      if (ppd_file_t* ppd = PanelPPD(*this)) UpdatePanelConflicts(GetParentPanel(), ppd);
      return 0;
    }
    SetElementValue(shown);
  }
  std::string text = std::to_string(ElementValue());  // what the arrows hold
  field->SetExternalValueToUI(text.c_str(), text.size() + 1);
  return 0;
}

int GLittleArrayControlNvx::GetValueToPreset() {
  int index = GetIndexOfMarkedOptionWithKey(nullptr, PanelPPD(*this), kPPDMainKey);
  int32_t value = kDensityMax - index;
  if (index < 0 || static_cast<size_t>(index) >= getPPDChoices().size() || value < kDensityMin ||
      ctrlDataBlkPtr.empty()) {
    return kControlFailure;
  }
  if (!MarkThroughHost(GetParentPanel(), kPPDMainKey, getPPDChoices()[static_cast<size_t>(index)].choice()->choice)) {
    return kControlFailure;
  }
  WriteInt(ctrlDataBlkPtr, value);
  return kControlSuccess;
}

int GLittleArrayControlNvx::SetExternalValueToUI(const void* data, size_t size) {
  int32_t value = 0;
  if (ControlPtr == nullptr || !ReadExternalInt(data, size, &value)) return kControlFailure;
  SetElementValue(std::clamp(value, kDensityMin, kDensityMax));
  return kControlSuccess;
}

int GLittleArrayControlNvx::SetDefaultValueToUI() {
  int result = BaseControlNvx::SetDefaultValueToUI();
  MarkValue(ElementValue());
  return result;
}

int GLittleArrayControlNvx::SetValueToTicket(PMPrintSettings, bool) {
  if (ctrlDataBlkPtr.empty()) return kControlFailure;
  return MarkValue(GetValue()) ? kControlSuccess : kControlFailure;
}

int GLittleArrayControlNvx::ConvertFromPreferenceString(const char* text) {
  if (ctrlDataBlkPtr.empty() || text == nullptr) return kControlFailure;
  WriteInt(ctrlDataBlkPtr, std::clamp(std::atoi(text), kDensityMin, kDensityMax));
  return kControlSuccess;
}

bool GLittleArrayControlNvx::InSummary() const {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  return panel != nullptr && panel->IsColorBalanceAdjustmentAvailable() && panel->IsColorModeAvailable();
}

bool GBlackLittleArrayControlNvx::InSummary() const {
  const ImageOptionsOvqPDEj15* panel = OwningPanel(*this);
  return panel != nullptr && panel->IsColorBalanceAdjustmentAvailable();
}

int GLittleArrayControlNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  if (ctrlDataBlkPtr.empty() || title_.empty() || !InSummary()) return kControlSuccess;
  for (const PDEChoiceNvx& choice : getPPDChoices()) {
    int32_t density = 0;
    if (choice.choice() == nullptr || !DensityOfChoice(choice.choice()->choice, &density) || density != GetValue()) {
      continue;
    }
    AddSummaryEntry(summary, order, std::string(CutUTF8(title_, kSummaryLimit)),
                    std::string(CutUTF8(choice.userTitle(), kSummaryLimit)));
    break;
  }
  return kControlSuccess;
}

// ---- what the windows share ----------------------------------------------------------------------

QWidget* ImageOptionsWindowNvx::Element(ControlID tag) const { return FindElementByTag(window_, tag); }

CallbackButtonNvx* ImageOptionsWindowNvx::AddButton(ControlID tag, const char* titleKey, std::function<void()> action) {
  auto button = std::make_unique<CallbackButtonNvx>();
  button->CreateControl(Element(tag), titleKey, std::move(action));
  return AddControl(std::move(button));
}

void ImageOptionsWindowNvx::AddLabel(ControlID tag, const char* summaryKey) {
  auto label = std::make_unique<StaticTextEditControlNvx>();
  label->CreateControl(Element(tag), nullptr, nullptr, nullptr, nullptr, nullptr, summaryKey);
  AddControl(std::move(label));
}

void ImageOptionsWindowNvx::SyncMarkedPPD() {
  recorded_.clear();
  ppd_file_t* ppd = GetCurrentPPD();
  for (const auto& control : getCtrlGroupArrayRef()) {
    auto* bound = dynamic_cast<const PPDBoundNvx*>(control.get());
    if (bound == nullptr || bound->BoundKeyword() == nullptr || ppd == nullptr) continue;
    if (ppd_choice_t* marked = ppdFindMarkedChoice(ppd, bound->BoundKeyword())) {
      recorded_[bound->BoundKeyword()] = marked->choice;
    }
  }
}

void ImageOptionsWindowNvx::ReloadFromMarks() {
  GetValueFromPreset();
  SetCurrentValueToUI();
  ApplyPanelConstraints();
}

void ImageOptionsWindowNvx::RestoreMarkedPPD() {
  for (const auto& [keyword, choice] : recorded_) MarkThroughHost(this, keyword.c_str(), choice.c_str());
  ReloadFromMarks();
}

int ImageOptionsWindowNvx::ActivateWindow() {
  if (window_ == nullptr) return -1;
  SyncMarkedPPD();
  ReInitializeUserPane();
  SetUIDataToIniData();
  ReloadFromMarks();
  if (ppd_file_t* ppd = GetCurrentPPD()) UpdatePanelConflicts(this, ppd);
  return RunModalWindow(window_);
}

void ImageOptionsWindowNvx::CancelWindow() {
  RestoreMarkedPPD();
  if (ppd_file_t* ppd = GetCurrentPPD()) UpdatePanelConflicts(this, ppd);
  DeactivateWindow(QDialog::Rejected);
}

void ImageOptionsWindowNvx::OnRestoreDefault() {
  SetDefaultValueToUI();
  if (ppd_file_t* ppd = GetCurrentPPD()) UpdatePanelConflicts(this, ppd);
}

// ---- colour balance ------------------------------------------------------------------------------------

int ColorBalanceWndNvx::ColorBalanceWnd(QDialog* window, const char* titleKey) {
  PopupWinInPanel(window, titleKey);
  if (window == nullptr) return kPanelFailure;
  AddLabel(kTargetColorLabelTag, "Target Color Statics Text");
  AddLabel(kLowDensityLabelTag, "Low Density Scope Statics Text");
  AddLabel(kMidDensityLabelTag, "Mid Density Scope Statics Text");
  AddLabel(kHighDensityLabelTag, "High Density Scope Statics Text");
  AddLabel(kDensityScopeLabelTag, "Density Scope Statics Text");
  AddButton(kBalanceCancelTag, "Cancel Button Text", [this] { CancelWindow(); });
  AddButton(kBalanceOKTag, "OK Button Text", [this] { OnOK(); });
  AddButton(kBalanceRestoreTag, "Restore Default Button Text", [this] { OnRestoreDefault(); });
  AddButton(kBalanceHelpTag, nullptr, [this] { panel_->OpenHelpPage("ColorBalance.htm"); });

  auto target = std::make_unique<ColorTargetListCtrlNvx>();
  target->CreateControl(Element(kTargetColorListTag), &kTargetColorIni, &kTargetRecord, &kTargetColorAccess, nullptr);
  targetList_ = AddControl(std::move(target));
  auto adjust = std::make_unique<GCheckBoxNvx>();
  adjust->PPDCheckBox(Element(kAdjustCheckBoxTag), "OVColorBalanceAdjustment", &kAdjustIni, &kAdjustRecord, nullptr,
                      nullptr);
  adjustCheckBox_ = AddControl(std::move(adjust));
  for (int level = 0; level < kDensityLevels; ++level) {
    for (int color = 0; color < kDensityColors; ++color) {
      auto field = std::make_unique<GTextEditCtrlNvx>();
      field->CreateControl(Element(DensityFieldTag(level, color)), &kDensityFieldIni,
                           &kFieldRecords[DensityIndex(level, color)], nullptr, nullptr, &kDensityFilter);
      field->SetArrowTag(DensityArrowTag(level, color));
      AddControl(std::move(field));
    }
  }
  for (int level = 0; level < kDensityLevels; ++level) {
    for (int color = 0; color < kDensityColors; ++color) {
      std::unique_ptr<GLittleArrayControlNvx> arrow = color == kBlack ? std::make_unique<GBlackLittleArrayControlNvx>()
                                                                      : std::make_unique<GLittleArrayControlNvx>();
      arrow->CreateControl(Element(DensityArrowTag(level, color)),
                           DensityKeywords()[DensityIndex(level, color)].c_str(), DensityFieldTag(level, color),
                           &kArrowRecords[DensityIndex(level, color)]);
      AddControl(std::move(arrow));
    }
  }
  auto view = std::make_unique<GHIViewControlNvx>();
  view->CreateControl(Element(kGradationViewTag));
  AddControl(std::move(view));
  return kPanelNoErr;
}

void ColorBalanceWndNvx::OnOK() {
  SycValueFromUI();
  for (const auto& control : getCtrlGroupArrayRef()) {
    if (control->InvalidateData() != kControlSuccess) return;
  }
  SetValueFromUIToControl();
  DeactivateWindow(QDialog::Accepted);
}

// ---- image adjustment ------------------------------------------------------------------------------------

int ImageAdjustmentWndBaseNvx::CreatePanel(QWidget* window, const char* titleKey) {
  auto* dialog = qobject_cast<QDialog*>(window);
  PopupWinInPanel(dialog, titleKey);
  if (dialog == nullptr) return kPanelFailure;
  BuildSettings();
  AddButton(kAdjOKTag, "OK Button Text", [this] { OnOK(); });
  AddButton(kAdjCancelTag, "Cancel Button Text", [this] { CancelWindow(); });
  AddButton(kAdjRestoreTag, "Restore Default Button Text", [this] { OnRestoreDefault(); });
  AddButton(kAdjHelpTag, nullptr, [this] { panel_->OpenHelpPage("ImageAdj.htm"); });
  return kPanelNoErr;
}

int ImageAdjustmentWndBaseNvx::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  int result = ImageOptionsWindowNvx::InitializeUserPane(bundle, ppd);
  for (GroupBoxControlNvx& box : groupBoxes_) box.InitializeCtrl(bundle, GetLocalizeTableName());
  return result;
}

void ImageAdjustmentWndBaseNvx::AddList(std::unique_ptr<GPPDListCtrlNvx> list, ControlID tag, const char* keyword) {
  ControlID label = kAdjLabelTagBase + (tag - kAdjRGBCorrectionListTag + 1);
  auto title = std::make_unique<PPDStaticTextCtrlNvxImageOptions>();
  title->CreateControl(Element(label), keyword, nullptr, nullptr, nullptr, nullptr, nullptr);
  AddControl(std::move(title));
  list->CreateControl(Element(tag), keyword, &kAdjListIni, nullptr, nullptr, nullptr, label);
  AddControl(std::move(list));
}

void ImageAdjustmentWndBaseNvx::SetProductType(int32_t type) {
  if (pluginTypeList_ != nullptr) pluginTypeList_->SetProductType(type);
}

void ImageAdjustmentWndBaseNvx::ApplyPanelConstraints() {
  if (GRadioButtonNvx* advanced = panel_->getAdvancedRadio()) advanced->DisableAgainForShownValue();
}

void ImageAdjustmentWndBaseNvx::OnOK() {
  SycValueFromUI();
  SetValueFromUIToControl();
  // The panel has no CMYK correction list (108) to hand the window's choice to.
  auto* rgb = dynamic_cast<PPDPopupControlNvxImageOptions*>(GetPanelControl(kAdjRGBCorrectionListTag));
  if (RGBCorrectionListCtrlNvx* panelList = panel_->getRGBCorrectionListCtrl();
      rgb != nullptr && panelList != nullptr) {
    int32_t value = rgb->GetCurrentControlArrayNumber() + 1;
    panelList->SetExternalValueToUI(&value, sizeof value);
    panelList->SimulationUIEventHandler();
  }
  if (ppd_file_t* ppd = GetCurrentPPD()) UpdatePanelConflicts(this, ppd);
  DeactivateWindow(QDialog::Accepted);
}

void ImageAdjustmentWndNvx::BuildSettings() {
  AddList(std::make_unique<RGBCorrectionListCtrlIANvx>(), kAdjRGBCorrectionListTag, "OVRGBCorrection");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjInputProfileListTag, "OVRGBInputProfile");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjGammaListTag, "OVRGBGammaCorrection");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjTemperatureListTag, "OVColorTemperature");
  AddList(std::make_unique<CMYKCorrectionListCtrlIANvx>(), kAdjCMYKCorrectionListTag, "OVCMYKCorrectionSTD");
  AddList(std::make_unique<CMYKTargetMediaListCtrlIANvx>(), kAdjTargetPaperListTag, "OVCMYKCorrectionTarget");
  auto type = std::make_unique<PluginTypeListCtrlNvx>();
  type->CreateControl(Element(kAdjPluginTypeListTag), &kPluginTypeIni, &kAdjTypeRecord, nullptr, nullptr);
  pluginTypeList_ = AddControl(std::move(type));
  groupBoxes_.resize(2);
  groupBoxes_[0].CreateControl(window_->findChild<QGroupBox*>("adjustmentRGBGroup"), "RGB Color Correction Text");
  groupBoxes_[1].CreateControl(window_->findChild<QGroupBox*>("adjustmentCMYKGroup"), "CMYK Color Correction Text");
}

void ImageAdjustmentBlackOverWndNvx::BuildSettings() {
  AddList(std::make_unique<RGBCorrectionListCtrlIANvx>(), kAdjRGBCorrectionListTag, "OVRGBCorrection");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjInputProfileListTag, "OVRGBInputProfile");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjGammaListTag, "OVRGBGammaCorrection");
  AddList(std::make_unique<GPPDListCtrlNvx>(), kAdjTemperatureListTag, "OVColorTemperature");
  auto box = std::make_unique<GCheckBoxExtNvx>();
  box->PPDCheckBox(Element(kAdjInvalidateProfileTag), blackOverprint_ ? "OVBlackOverprint" : "OVInvalidateColorProfile",
                   blackOverprint_ ? &kBlackOverprintIni : &kInvalidateIni, nullptr, nullptr, nullptr);
  AddControl(std::move(box));
  groupBoxes_.resize(2);
  groupBoxes_[0].CreateControl(window_->findChild<QGroupBox*>("overprintRGBGroup"), "RGB Color Correction Text");
  groupBoxes_[1].CreateControl(window_->findChild<QGroupBox*>("overprintProfileGroup"),
                               blackOverprint_ ? "Black Over Print Text" : "Invalidate Color Profile Text");
}

}  // namespace OVQ_PDE_NS
