#include "base_panel.h"

#include <QKeyEvent>

#include "modal_service.h"
#include "settings_access.h"
#include "system_access.h"
#include "ui_support.h"

namespace OVQ_PDE_NS {

BasePrintPanelNvx::BasePrintPanelNvx(PDEHostCallback* callback) : m_pPDECallbackObj(callback) {}

BasePrintPanelNvx::~BasePrintPanelNvx() {
  // Controls and windows first: they refer to the elements of the loaded view.
  fCtrlGroupArray.clear();
  fCtrlInstallableGroupArray.clear();
  fWindowGroupArray.clear();
  for (QPointer<QWidget>& object : topLevelObjs) {
    if (object != nullptr && object->parent() == nullptr) delete object.data();
  }
}

void BasePrintPanelNvx::terminate() {
  fCtrlGroupArray.clear();
  fCtrlInstallableGroupArray.clear();
  fWindowGroupArray.clear();
  currentPrintString.clear();
  hasPrintString_ = false;
}

int BasePrintPanelNvx::CreatePanel(QWidget* view) {
  fCtrlGroupArray.clear();
  fCtrlInstallableGroupArray.clear();
  fWindowGroupArray.clear();
  AllGroupNameStrArray.clear();
  GeneralGroupOptionArray.clear();
  currentPrintString.clear();
  hasPrintString_ = false;
  preferenceDictionaryRef.reset();
  preferenceDictionaryAnyUserRef.reset();
  pParentPane = nullptr;
  windowRef = view;
  currentPrintSession = nullptr;
  xppd.reset();
  isRegistPrintEvent = false;
  m_pSettings = nullptr;
  m_ptCurrentPPD = nullptr;
  return kPanelNoErr;
}

std::string BasePrintPanelNvx::Localize(const char* key) const {
  if (pdeBundleRef == nullptr || key == nullptr) return kNoTranslation;
  return pdeBundleRef->LocalizedString(key, kNoTranslation, LocalizeTableName);
}

// ---- broadcast operations --------------------------------------------------------

int BasePrintPanelNvx::Open() {
  ForEachControl([](BaseControlNvx& control) { control.Open(); });
  return ForEachWindow([](BasePrintPanelNvx& window) { return window.Open(); });
}

int BasePrintPanelNvx::Close() {
  ForEachControl([](BaseControlNvx& control) { control.Close(); });
  return ForEachWindow([](BasePrintPanelNvx& window) { return window.Close(); });
}

int BasePrintPanelNvx::GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) {
  ForEachControl([&](BaseControlNvx& control) { control.GetSummaryText(summary, order); });
  return ForEachWindow([&](BasePrintPanelNvx& window) { return window.GetSummaryText(summary, order); });
}

int BasePrintPanelNvx::SetUIDataToIniData() {
  ForEachControl([](BaseControlNvx& control) { control.SetUIValueToIniData(); });
  return ForEachWindow([](BasePrintPanelNvx& window) { return window.SetUIDataToIniData(); });
}

int BasePrintPanelNvx::SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray) {
  ForEachControl([&](BaseControlNvx& control) {
    if (encryptArray == nullptr) {
      control.SetValueToTicket(settings, locked);
    } else {
      control.SetValueToTicket(settings, locked, encryptArray);
    }
  });
  return ForEachWindow(
      [&](BasePrintPanelNvx& window) { return window.SetValueToTicket(settings, locked, encryptArray); });
}

int BasePrintPanelNvx::SetValueToTicket(PMPrintSettings settings, bool locked) {
  ForEachControl([&](BaseControlNvx& control) { control.SetValueToTicket(settings, locked); });
  return ForEachWindow([&](BasePrintPanelNvx& window) { return window.SetValueToTicket(settings, locked); });
}

int BasePrintPanelNvx::LoadValues(int (BaseControlNvx::*load)(), int (BasePrintPanelNvx::*windowLoad)()) {
  ForEachControl([&](BaseControlNvx& control) {
    if ((control.*load)() != kControlSuccess) control.SetControlValueToDefault();
  });
  return ForEachWindow([&](BasePrintPanelNvx& window) { return (window.*windowLoad)(); });
}

int BasePrintPanelNvx::StoreValues(int (BaseControlNvx::*store)(), int (BasePrintPanelNvx::*windowStore)()) {
  bool stored = true;
  ForEachControl([&](BaseControlNvx& control) { stored = (control.*store)() == kControlSuccess && stored; });
  int windows = ForEachWindow([&](BasePrintPanelNvx& window) { return (window.*windowStore)(); });
  return stored && windows == 0 ? kPanelNoErr : kPanelFailure;
}

int BasePrintPanelNvx::GetValueFromPreference() {
  return LoadValues(&BaseControlNvx::GetValueFromPreference, &BasePrintPanelNvx::GetValueFromPreference);
}

int BasePrintPanelNvx::GetValueFromPreferenceWithPrinterSettings() {
  return LoadValues(&BaseControlNvx::GetValueFromPreferenceWithPrinterSettings,
                    &BasePrintPanelNvx::GetValueFromPreferenceWithPrinterSettings);
}

int BasePrintPanelNvx::SetValueToPreference() {
  return StoreValues(&BaseControlNvx::SetValueToPreference, &BasePrintPanelNvx::SetValueToPreference);
}

int BasePrintPanelNvx::SetValueToPreferenceWithPrinterSettings() {
  return StoreValues(&BaseControlNvx::SetValueToPreferenceWithPrinterSettings,
                     &BasePrintPanelNvx::SetValueToPreferenceWithPrinterSettings);
}

int BasePrintPanelNvx::GetValueFromPreset() {
  ForEachControl([](BaseControlNvx& control) {
    if (control.GetValueToPreset() != kControlSuccess) control.SetControlValueToDefault();
  });
  for (auto& window : fWindowGroupArray) {
    if (window != nullptr && window->GetValueFromPreset() != kControlSuccess) break;
  }
  return kControlSuccess;
}

int BasePrintPanelNvx::SetCurrentValueToUI() {
  ForEachControl([](BaseControlNvx& control) { control.SetControlValueToUI(); });
  ForEachControl([](BaseControlNvx& control) { control.SimulationUIEventHandler(); });
  return ForEachWindow([](BasePrintPanelNvx& window) { return window.SetCurrentValueToUI(); });
}

int BasePrintPanelNvx::SetDefaultValueToUI() {
  ForEachControl([](BaseControlNvx& control) {
    control.SetDefaultValueToUI();
    control.SimulationUIEventHandler();
  });
  return kPanelNoErr;
}

int BasePrintPanelNvx::SetValueFromUIToControl() {
  ForEachControl([](BaseControlNvx& control) {
    if (control.GetValueFromUI() != nullptr) control.SetValueFromUIToControl();
  });
  return kPanelNoErr;
}

int BasePrintPanelNvx::ResetCurrentControlStatus() {
  ForEachControl([](BaseControlNvx& control) {
    if (control.GetControlPtr() != nullptr) control.ResetStatus();
  });
  if (currentPrintSession != nullptr) ConstrainPanelControlFromPPD(GetPPDRefFromCurrentPrintSession());
  return kPanelNoErr;
}

int BasePrintPanelNvx::ResetControlStatus() {
  ForEachControl([](BaseControlNvx& control) {
    if (control.GetControlPtr() != nullptr) control.ResetStatus();
  });
  int result = ForEachWindow([](BasePrintPanelNvx& window) { return window.ResetControlStatus(); });
  if (currentPrintSession != nullptr) ConstrainPanelControlFromPPD(GetPPDRefFromCurrentPrintSession());
  return result;
}

int BasePrintPanelNvx::ConstrainPanelControlFromPPD(ppd_file_t* ppd) {
  for (auto& control : fCtrlInstallableGroupArray) {
    if (control != nullptr) control->ConstrainPanelControlFromPPD(ppd);
  }
  return kPanelNoErr;
}

int BasePrintPanelNvx::UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) {
  ForEachControl([&](BaseControlNvx& control) { control.UpdateConflictsPanelControlFromPPD(ppd); });
  return kPanelNoErr;
}

int BasePrintPanelNvx::ReInitializeUserPaneControl(const Bundle* bundle, ppd_file_t* ppd) {
  ForEachControl([&](BaseControlNvx& control) {
    control.ReInitializeCtrl(bundle, ppd);
    control.ResetStatus();
  });
  return kPanelNoErr;
}

// ---- setting up ------------------------------------------------------------------------

int BasePrintPanelNvx::InitializeUserPaneControl(const Bundle* bundle, ppd_file_t* ppd) {
  ForEachControl([&](BaseControlNvx& control) { control.InitializeCtrl(bundle, ppd); });
  return kPanelNoErr;
}

void BasePrintPanelNvx::SetControlEventHandler() {
  ForEachControl([](BaseControlNvx& control) { control.setTargetandAction(); });
}

int BasePrintPanelNvx::InitilaizeChildWindow(const Bundle* bundle, ppd_file_t* ppd) {
  return ForEachWindow([&](BasePrintPanelNvx& window) { return window.InitializeUserPane(bundle, ppd); });
}

int BasePrintPanelNvx::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  pdeBundleRef = bundle;
  InitializeUserPaneControl(bundle, ppd);
  SetControlEventHandler();
  int result = InitilaizeChildWindow(bundle, ppd);
  ConstrainPanelControlFromPPD(ppd);
  return result;
}

int BasePrintPanelNvx::SetCurrentPrinterString(PMPrintSession session) {
  currentPrintString.clear();
  hasPrintString_ = true;
  return SetPrinterString(session, &currentPrintString) == 0 ? kControlSuccess : kControlFailure;
}

const char* BasePrintPanelNvx::GetCurrentPrinterString() const {
  return hasPrintString_ ? currentPrintString.c_str() : nullptr;
}

int BasePrintPanelNvx::SetCurrentPrintSettings(PMPrintSettings settings, ppd_file_t* ppd, PDEHostCallback* callback,
                                               PMPrintSession session) {
  m_pSettings = settings;
  m_ptCurrentPPD = ppd;
  m_pPDECallbackObj = callback;
  currentPrintSession = session;
  if (SetCurrentPrinterString(session) != kControlSuccess) return kControlFailure;
  int failed = ForEachWindow([&](BasePrintPanelNvx& window) {
    return window.SetCurrentPrintSettings(settings, ppd, callback, session) == kControlSuccess ? 0 : 1;
  });
  return failed == 0 ? kControlSuccess : kControlFailure;
}

ppd_file_t* BasePrintPanelNvx::GetPPDRefFromCurrentPrintSession() const {
  return m_pPDECallbackObj == nullptr ? nullptr : static_cast<ppd_file_t*>(m_pPDECallbackObj->ppdFile());
}

// ---- controls and windows -------------------------------------------------------------

BaseControlNvx* BasePrintPanelNvx::GetPanelControl(int32_t id) const {
  for (const auto* group : {&fCtrlGroupArray, &fCtrlInstallableGroupArray}) {
    for (const auto& control : *group) {
      if (control != nullptr && HasTag(control->GetControlPtr()) && TagOf(control->GetControlPtr()) == id) {
        return control.get();
      }
    }
  }
  for (const auto& window : fWindowGroupArray) {
    if (window == nullptr) continue;
    if (BaseControlNvx* control = window->GetPanelControl(id)) return control;
  }
  return nullptr;
}

int BasePrintPanelNvx::RunTimeAddNewControl(std::unique_ptr<BaseControlNvx> control) {
  int count = static_cast<int>(fCtrlGroupArray.size());
  if (control == nullptr || control->GetControlPtr() == nullptr) return count;
  control->SetParenetPanel(this);
  fCtrlGroupArray.push_back(std::move(control));
  return count;
}

int BasePrintPanelNvx::RunTimeAddNewInstallableControl(std::unique_ptr<BaseControlNvx> control) {
  int count = static_cast<int>(fCtrlInstallableGroupArray.size());
  if (control != nullptr) control->SetParenetPanel(this);
  fCtrlInstallableGroupArray.push_back(std::move(control));
  return count;
}

int BasePrintPanelNvx::RunTimeAddNewWindow(std::unique_ptr<BasePrintPanelNvx> window) {
  int count = static_cast<int>(fWindowGroupArray.size());
  if (window != nullptr) window->SetParenetPane(this);
  fWindowGroupArray.push_back(std::move(window));
  return count;
}

void BasePrintPanelNvx::SetxppdPtr(std::shared_ptr<XppdHash> hash) {
  xppd = hash;
  for (auto& window : fWindowGroupArray) {
    if (window != nullptr) window->SetxppdPtr(hash);
  }
}

void BasePrintPanelNvx::setPreferDictionary(std::shared_ptr<PreferenceDictionary> user,
                                            std::shared_ptr<PreferenceDictionary> anyUser) {
  preferenceDictionaryRef = user;
  preferenceDictionaryAnyUserRef = anyUser;
  for (auto& window : fWindowGroupArray) {
    if (window != nullptr) window->setPreferDictionary(user, anyUser);
  }
}

int BasePrintPanelNvx::loadNibNamed(const std::string& name, QWidget* owner) {
  if (!topLevelObjs.empty()) return kPanelNoErr;
  QWidget* view = LoadInterfaceFile(pdeBundleRef != nullptr ? pdeBundleRef : GetAppBundleRef(), name, owner);
  if (view == nullptr) return kPanelFailure;
  windowRef = view;
  topLevelObjs.emplace_back(view);
  for (QDialog* window : view->findChildren<QDialog*>()) topLevelObjs.emplace_back(window);
  return kPanelNoErr;
}

// ---- sub-windows ---------------------------------------------------------------------

namespace {

// Turns closing a window in a modal run, and the Escape key, into its Cancel.
class CloseAsCancel : public QObject {
 public:
  CloseAsCancel(QDialog* window, PopupWinInPanelNvx* owner) : QObject(window), window_(window), owner_(owner) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    if (watched != window_ || (event->type() != QEvent::Close && !escape) || !window_->isVisible() || cancelling_) {
      return false;
    }
    cancelling_ = true;
    owner_->CancelWindow();
    cancelling_ = false;
    if (window_->isVisible()) return true;  // the Cancel logic kept it open
    event->accept();
    return true;
  }

 private:
  QDialog* window_;
  PopupWinInPanelNvx* owner_;
  bool cancelling_ = false;
};

}  // namespace

PopupWinInPanelNvx::~PopupWinInPanelNvx() { delete closeFilter_.data(); }

int PopupWinInPanelNvx::PopupWinInPanel(QDialog* window, const char* titleKey) {
  CreatePanel(window);
  delete closeFilter_.data();
  window_ = window;
  winTitleTextRef = titleKey;
  isActived = false;
  if (window != nullptr) {
    closeFilter_ = new CloseAsCancel(window, this);
    window->installEventFilter(closeFilter_);
  }
  return kPanelNoErr;
}

int PopupWinInPanelNvx::InitializeUserPaneTitle(const Bundle* bundle) {
  if (window_ != nullptr && winTitleTextRef == nullptr && window_->windowTitle().isEmpty()) {
    window_->setWindowTitle(window_->objectName());
  }
  if (window_ == nullptr || bundle == nullptr || winTitleTextRef == nullptr) return kPanelFailure;
  window_->setWindowTitle(
      QString::fromStdString(bundle->LocalizedString(winTitleTextRef, kNoTranslation, LocalizeTableName)));
  return kPanelNoErr;
}

int PopupWinInPanelNvx::InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) {
  if (LocalizeTableName.empty()) {
    ppd_attr_t* index = ppd == nullptr ? nullptr : ppdFindAttr(ppd, "KQLocalizableFileIndex", nullptr);
    if (index != nullptr && index->value != nullptr) LocalizeTableName = std::string("Localizable") + index->value;
  }
  InitializeUserPaneTitle(bundle);
  InitializeUserPaneControl(bundle, ppd);
  pdeBundleRef = bundle;
  currentPPD = ppd;
  SetControlEventHandler();
  return kPanelNoErr;
}

int PopupWinInPanelNvx::ReInitializeUserPane() {
  ReInitializeUserPaneTitle();
  return ReInitializeUserPaneControl(pdeBundleRef, currentPPD);
}

int PopupWinInPanelNvx::ActivateWindow() {
  if (window_ == nullptr) return -1;
  ReInitializeUserPane();
  SetUIDataToIniData();
  SetCurrentValueToUI();
  return RunModalWindow(window_);
}

void PopupWinInPanelNvx::DeactivateWindow(int code) { EndModalWindow(window_, code); }

void PopupWinInPanelNvx::ReleaseWindow() {
  if (window_ != nullptr) window_->close();
  window_ = nullptr;
}

void PopupWinInPanelNvx::SycValueFromUI() {
  ForEachControl([](BaseControlNvx& control) {
    if (control.GetControlPtr() != nullptr) control.GetValueFromUI();
  });
}

const char* PopupWinInPanelNvx::GetCurrentPrinterString() const {
  return pParentPane != nullptr ? pParentPane->GetCurrentPrinterString() : BasePrintPanelNvx::GetCurrentPrinterString();
}

}  // namespace OVQ_PDE_NS
