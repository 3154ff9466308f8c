// A panel of the print dialog, and every window a panel opens: it owns its
// controls and sub-windows, hands them the PPD, the print settings and the
// session, and drives them all through the same steps (broadcast: every
// control in order, then every sub-window in order, stopping at the first
// sub-window that returns non-zero).
#pragma once
#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base_control.h"
#include "bundle.h"
#include "constraint_hash.h"
#include "cups_ppd.h"
#include "pde_callback.h"
#include "pde_namespace.h"
#include "print_session.h"
#include "print_settings.h"

namespace OVQ_PDE_NS {

class ErrMsgWindow;

// A preference dictionary of a panel and its windows.
using PreferenceDictionary = std::map<std::string, std::string>;

// Panel results: 0 success, non-zero failure (control operations use 1 and 0).
inline constexpr int kPanelNoErr = 0;
inline constexpr int kPanelFailure = 1;

class BasePrintPanelNvx {
 public:
  // initWithCallback: the host's callback object is used, not owned.
  explicit BasePrintPanelNvx(PDEHostCallback* callback = nullptr);
  virtual ~BasePrintPanelNvx();
  BasePrintPanelNvx(const BasePrintPanelNvx&) = delete;
  BasePrintPanelNvx& operator=(const BasePrintPanelNvx&) = delete;

  // Releases the control arrays and the printer string.
  virtual void terminate();
  virtual void willShow() {}
  virtual bool shouldHide() { return true; }
  // Starts the panel on its view or window: empty arrays, every other field cleared.
  virtual int CreatePanel(QWidget* view);
  virtual int Open();
  virtual int Close();
  virtual int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order);
  void SetPanelControlPtr(QWidget* view) { windowRef = view; }

  virtual int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd);
  int InitializeUserPaneControl(const Bundle* bundle, ppd_file_t* ppd);
  int InitilaizeChildWindow(const Bundle* bundle, ppd_file_t* ppd);
  void SetControlEventHandler();
  virtual int ConstrainPanelControlFromPPD(ppd_file_t* ppd);
  virtual int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd);

  void SetCurrentPrintSession(PMPrintSession session) { currentPrintSession = session; }
  PMPrintSession GetCurrentPrintSession() const { return currentPrintSession; }
  virtual const char* GetCurrentPrinterString() const;
  // Empties the printer string and appends the session's current printer: 1, or 0 without one.
  int SetCurrentPrinterString(PMPrintSession session);

  // The control whose element's tag is `id`: the controls, the installable
  // controls, then the sub-windows in order; nullptr when none.
  BaseControlNvx* GetPanelControl(int32_t id) const;
  // Takes a control with an element (parent set, appended); one without is
  // released. Returns the count before adding.
  int RunTimeAddNewControl(std::unique_ptr<BaseControlNvx> control);
  int RunTimeAddNewInstallableControl(std::unique_ptr<BaseControlNvx> control);
  int RunTimeAddNewWindow(std::unique_ptr<BasePrintPanelNvx> window);
  // The same, handing back the control or window (nullptr when it was released).
  template <typename Control>
  Control* AddControl(std::unique_ptr<Control> control) {
    Control* raw = control.get();
    bool kept = control != nullptr && control->GetControlPtr() != nullptr;
    RunTimeAddNewControl(std::move(control));
    return kept ? raw : nullptr;
  }
  template <typename Window>
  Window* AddWindow(std::unique_ptr<Window> window) {
    Window* raw = window.get();
    RunTimeAddNewWindow(std::move(window));
    return raw;
  }

  virtual int SetUIDataToIniData();
  virtual int SetDefaultValueToUI();
  virtual int GetValueFromPreference();
  virtual int GetValueFromPreferenceWithPrinterSettings();
  virtual int SetValueToPreference();
  virtual int SetValueToPreferenceWithPrinterSettings();
  virtual int SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray);
  virtual int SetValueToTicket(PMPrintSettings settings, bool locked);
  virtual int ReInitializeUserPaneControl(const Bundle* bundle, ppd_file_t* ppd);
  virtual int SetCurrentValueToUI();
  virtual int SetValueFromUIToControl();
  void SetParenetPane(BasePrintPanelNvx* parent) { pParentPane = parent; }
  BasePrintPanelNvx* GetParentWnd() const { return pParentPane; }
  std::vector<std::string>& GetPrinterSupporttedListRef() { return GeneralGroupOptionArray; }
  // The PPD of the session, as the host's callback object gives it.
  ppd_file_t* GetPPDRefFromCurrentPrintSession() const;
  virtual int GetValueFromPreset();
  virtual int ResetControlStatus();
  virtual int ResetCurrentControlStatus();
  // The panel's error window, when it has one.
  virtual ErrMsgWindow* GetErrMsgPanel() { return nullptr; }

  XppdHash* Getxppd() const { return xppd.get(); }
  // Shares the constraint hash with every sub-window.
  virtual void SetxppdPtr(std::shared_ptr<XppdHash> hash);
  // Shares the preference dictionaries with every sub-window.
  virtual void setPreferDictionary(std::shared_ptr<PreferenceDictionary> user,
                                   std::shared_ptr<PreferenceDictionary> anyUser);
  const Bundle* GetPDEBundleRef() const { return pdeBundleRef; }
  std::vector<std::string>& getGroupNameStrArrayRef() { return AllGroupNameStrArray; }
  const std::vector<std::unique_ptr<BaseControlNvx>>& getCtrlGroupArrayRef() const { return fCtrlGroupArray; }
  const std::vector<std::unique_ptr<BasePrintPanelNvx>>& getWindowGroupArrayRef() const { return fWindowGroupArray; }
  void SetCurrentPMPrintSettings(PMPrintSettings settings) { m_pSettings = settings; }
  PMPrintSettings GetCurrentPMPrintSettings() const { return m_pSettings; }
  void SetCurrentPPD(ppd_file_t* ppd) { m_ptCurrentPPD = ppd; }
  ppd_file_t* GetCurrentPPD() const { return m_ptCurrentPPD; }
  void SetCurrentPDECallbackObj(PDEHostCallback* callback) { m_pPDECallbackObj = callback; }
  PDEHostCallback* GetCurrentPDECallbackObj() const { return m_pPDECallbackObj; }
  PreferenceDictionary* getPreferenceDictionaryRef() const { return preferenceDictionaryRef.get(); }
  PreferenceDictionary* getPreferenceDictionaryAnyUserRef() const { return preferenceDictionaryAnyUserRef.get(); }
  // Loads <name>.ui from the bundle once per panel, as a child of `owner`; the
  // loaded view becomes the panel's view. 0, or 1 when it cannot be loaded.
  int loadNibNamed(const std::string& name, QWidget* owner);
  // The loaded view and the windows (QDialogs) inside it.
  const std::vector<QPointer<QWidget>>& TopLevelObjects() const { return topLevelObjs; }
  // Stores settings, PPD and callback object and the session's printer, here
  // and in every sub-window: 1, or 0 when a printer string cannot be made.
  virtual int SetCurrentPrintSettings(PMPrintSettings settings, ppd_file_t* ppd, PDEHostCallback* callback,
                                      PMPrintSession session);

  QWidget* GetWindowRef() const { return windowRef; }
  const std::string& GetPDEName() const { return thePDEName; }
  void SetPDEName(std::string name) { thePDEName = std::move(name); }
  void SetLocalizeTableName(std::string table) { LocalizeTableName = std::move(table); }
  const std::string& GetLocalizeTableName() const { return LocalizeTableName; }
  // `key` through the bundle and the panel's strings table ("no translation" as fallback).
  std::string Localize(const char* key) const;

 protected:
  // Every sub-window in order until one returns non-zero; that result, or 0.
  template <typename Operation>
  int ForEachWindow(Operation operation) {
    for (auto& window : fWindowGroupArray) {
      if (window == nullptr) continue;
      if (int result = operation(*window); result != 0) return result;
    }
    return kPanelNoErr;
  }
  template <typename Operation>
  void ForEachControl(Operation operation) {
    for (auto& control : fCtrlGroupArray) {
      if (control != nullptr) operation(*control);
    }
  }
  // Loading: a control whose load fails takes its default.
  int LoadValues(int (BaseControlNvx::*load)(), int (BasePrintPanelNvx::*windowLoad)());
  // Remembering: 0 when every control reported 1 and no sub-window failed.
  int StoreValues(int (BaseControlNvx::*store)(), int (BasePrintPanelNvx::*windowStore)());

  std::string thePDEName;
  std::string currentPrintString;
  bool hasPrintString_ = false;
  std::vector<std::unique_ptr<BaseControlNvx>> fCtrlGroupArray;
  std::vector<std::unique_ptr<BaseControlNvx>> fCtrlInstallableGroupArray;
  std::vector<std::unique_ptr<BasePrintPanelNvx>> fWindowGroupArray;
  std::vector<std::string> AllGroupNameStrArray;
  std::vector<std::string> GeneralGroupOptionArray;
  std::shared_ptr<PreferenceDictionary> preferenceDictionaryRef;
  std::shared_ptr<PreferenceDictionary> preferenceDictionaryAnyUserRef;
  BasePrintPanelNvx* pParentPane = nullptr;
  QPointer<QWidget> windowRef;
  const Bundle* pdeBundleRef = nullptr;
  PMPrintSession currentPrintSession = nullptr;
  std::shared_ptr<XppdHash> xppd;
  bool isRegistPrintEvent = false;
  PMPrintSettings m_pSettings = nullptr;
  ppd_file_t* m_ptCurrentPPD = nullptr;
  PDEHostCallback* m_pPDECallbackObj = nullptr;
  std::string LocalizeTableName;
  std::vector<QPointer<QWidget>> topLevelObjs;
};

// A window that a panel opens: a QDialog run modally through the host's modal
// service. Closing it (its close button, the Escape key, a host that ends the
// run) acts as its Cancel button: CancelWindow.
class PopupWinInPanelNvx : public BasePrintPanelNvx {
 public:
  explicit PopupWinInPanelNvx(PDEHostCallback* callback = nullptr) : BasePrintPanelNvx(callback) {}
  ~PopupWinInPanelNvx() override;
  // The window and its title key (none: the window shows its nib name, its object name).
  int PopupWinInPanel(QDialog* window, const char* titleKey);
  // What the window's Cancel button does; by default the run ends as rejected.
  virtual void CancelWindow() { DeactivateWindow(QDialog::Rejected); }
  // The strings table from "KQLocalizableFileIndex" when none is set, the
  // title, the controls, the bundle and PPD, the event handlers.
  int InitializeUserPane(const Bundle* bundle, ppd_file_t* ppd) override;
  int ReInitializeUserPane();
  // Shows the current values and runs the window modally: the code that ended
  // the run, or -1 without a window.
  virtual int ActivateWindow();
  // Closes the window and lets it go.
  void ReleaseWindow();
  // Ends the modal run with `code` and closes the window.
  virtual void DeactivateWindow(int code = 0);
  int InitializeUserPaneTitle(const Bundle* bundle);
  int ReInitializeUserPaneTitle() { return InitializeUserPaneTitle(pdeBundleRef); }
  // Every control with an element reads its element.
  void SycValueFromUI();
  bool IsActived() const { return isActived; }
  void ChangeActivedStatus() { isActived = !isActived; }
  void ChangeActivedStatus(bool active) { isActived = active; }
  const char* GetCurrentPrinterString() const override;
  QDialog* GetWindow() const { return window_; }
  ppd_file_t* GetWindowPPD() const { return currentPPD; }

 protected:
  const char* winTitleTextRef = nullptr;
  ppd_file_t* currentPPD = nullptr;
  bool isActived = false;
  QPointer<QDialog> window_;

 private:
  QPointer<QObject> closeFilter_;
};

}  // namespace OVQ_PDE_NS
