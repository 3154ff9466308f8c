// The base of every control: one user-interface element (a QWidget whose tag
// is the control's ID) with a value block, its static records, counted enable
// and hide, the constraint reaction, and the persistence of its value.
#pragma once
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "bundle.h"
#include "control_records.h"
#include "cups_ppd.h"
#include "pde_choice.h"
#include "pde_namespace.h"
#include "print_settings.h"

namespace OVQ_PDE_NS {

class BasePrintPanelNvx;

// Room of a text value block and of the rendering of a ticket value.
inline constexpr size_t kTextBlockSize = 256;
// Room of a preference text (with its NUL).
inline constexpr size_t kPreferenceTextSize = 255;

using ValueBlock = std::vector<uint8_t>;  // empty: no block
using TicketText = char[kTextBlockSize];
// The elements whose controls write their values scrambled (by element tag).
using EncryptArray = std::vector<QPointer<QWidget>>;

class BaseControlNvx {
 public:
  BaseControlNvx() = default;
  virtual ~BaseControlNvx();
  BaseControlNvx(const BaseControlNvx&) = delete;
  BaseControlNvx& operator=(const BaseControlNvx&) = delete;

  // Stores the element; zeroes counters, sizes and blocks; group -1.
  virtual int CreateControl(QWidget* element);
  void SetControlPtr(QWidget* element) { ControlPtr = element; }
  virtual int Open() { return kControlSuccess; }
  virtual int Close() { return kControlSuccess; }
  void SetParenetPanel(BasePrintPanelNvx* panel) { ctrlParentPanelPtr = panel; }
  BasePrintPanelNvx* GetParentPanel() const { return ctrlParentPanelPtr; }
  // Connects the element's user action to RequestControlAction.
  virtual void setTargetandAction();

  virtual int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd);
  virtual int ReInitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) { return InitializeCtrl(bundle, ppd); }
  virtual int ConstrainPanelControlFromPPD(ppd_file_t*) { return 0; }
  virtual int UpdateConflictsPanelControlFromPPD(ppd_file_t*) { return 0; }

  // Reads the element into the UI block; the block, or nullptr.
  virtual const uint8_t* GetValueFromUI() { return nullptr; }
  // Loads the value from the PPD's marks or the print settings: 1 when loaded.
  virtual int GetValueToPreset() { return 0; }
  virtual int GetValueFromControl() { return 0; }

  virtual int InvalidateData() { return kControlSuccess; }
  virtual int InvalidateDataAndReturnError() { return kControlSuccess; }
  virtual int InvalidateDataOnCancel() { return kControlSuccess; }
  virtual int PreInvalidateData() { return kControlSuccess; }
  virtual int PreInvalidateDataOnCancel() { return kControlSuccess; }
  int InvalidateDataOnPrintCommand();

  virtual int SetValueFromUIToControl();
  virtual int SetControlValueToUI() { return kControlSuccess; }
  virtual int SetUIValueToIniData();
  virtual int SetControlValueToDefault();

  virtual int ConvertToPreferenceString(char (&)[kPreferenceTextSize]) { return kControlSuccess; }
  virtual int ConvertFromPreferenceString(const char*) { return kControlSuccess; }
  virtual int ConvertToTickectData(TicketText&) { return kControlSuccess; }

  // Remembered values, per printer (storage key: printer ID + preference key).
  virtual int SetValueToPreference();
  virtual int GetValueFromPreference();
  virtual int SetValueToPreferenceWithPrinterSettings();
  virtual int GetValueFromPreferenceWithPrinterSettings();

  // Ticket values: the plain path (byte-number form where needed) or, for a
  // control whose element's tag is among `encryptArray`, the scrambled path.
  virtual int SetValueToTicket(PMPrintSettings settings, bool locked, const EncryptArray* encryptArray);
  virtual int SetValueToTicketWithQSPEnc(PMPrintSettings settings, bool locked);
  virtual int SetValueToTicket(PMPrintSettings settings, bool locked);

  virtual int GetSummaryText(SummaryDictionary&, SummaryOrder&) { return kControlSuccess; }

  // Update, self update, hide and disable steps, in this order.
  virtual void UIEventHandler();
  // The same, for a value that the program set.
  virtual void SimulationUIEventHandler() { UIEventHandler(); }
  virtual void DoControlConstrain() {}
  virtual void DoControlHideConstrain() {}
  virtual void DoSelfUpdate() {}
  virtual void DoControlUpdateConstrain();

  void HideControlConstrains(ControlIDList ids);
  void ShowControlConstrains(ControlIDList ids);
  void EnableControlConstrains(ControlIDList ids);
  void DisableControlConstrains(ControlIDList ids);
  // The same for the lists of the current value.
  void HideControlConstrains();
  void ShowControlConstrains();
  void DisableControlConstrains();
  void EnableControlConstrains();

  // Zeroes both counters, enables and shows the element.
  virtual void ResetStatus();

  virtual int SetControlData(const void*, size_t) { return kControlSuccess; }
  virtual int SetExternalValueToUI(const void*, size_t) { return kControlSuccess; }
  // Type 0: a text (256 bytes cleared, then the bytes); type 2: one 32-bit integer.
  int setExternalValueToData(const void* data, size_t size, int valueType);
  virtual int SetDefaultValueToUI();

  virtual const uint8_t* GetDefaultDataBlk() const { return nullptr; }
  virtual size_t GetDefaultDataSize() const { return 0; }
  virtual const uint8_t* GetIniDataBlk() const { return nullptr; }
  virtual size_t GetIniDataSize() const { return 0; }
  const ValueBlock& GetControlBlkPtr() const { return ctrlDataBlkPtr; }
  const ValueBlock& GetValueFromUIDataBlk() const { return ctrlUIDataBlkPtr; }
  void setDataBlkSize(uint32_t size) { ctrlDataSize = size; }
  uint32_t GetDataBlkSize() const { return ctrlDataSize; }

  // Counted: a control disabled (hidden) by two sources stays so until both release it.
  virtual void Enable();
  virtual void Disable();
  virtual void Show();
  virtual void Hide();
  // Shown or hidden directly, without counting.
  virtual void PPDCtrlShow();
  virtual void PPDCtrlHide();

  virtual int Update() { return 0; }
  // The index of the current value's lists (a pop-up's value less 1).
  virtual int32_t CurrentListIndex() const { return ReadInt(ctrlDataBlkPtr); }
  virtual int GetCurrentControlArrayNumber() const { return 0; }
  virtual bool IsOutputNullToTicket() const { return false; }

  // The element's action: the reaction, then the element's value into the UI block.
  virtual void RequestControlAction();
  // After a scripted host set the value as a restore would: the reaction a
  // user's change runs.
  virtual void ScriptedChange() { RequestControlAction(); }
  // The value a scripted host shows when the element cannot show it; nullopt
  // when the element shows it.
  virtual std::optional<std::string> ScriptValueText() const { return std::nullopt; }

  QWidget* GetControlPtr() const { return ControlPtr; }
  int32_t GetControlID() const;
  const std::vector<PDEChoiceNvx>& getPPDChoices() const { return m_paPPDChoices; }
  void setPPDChoices(std::vector<PDEChoiceNvx> choices) { m_paPPDChoices = std::move(choices); }
  ppd_option_t* getPPDOptions() const { return m_ptPPDOptions; }
  void setPPDOptions(ppd_option_t* option) { m_ptPPDOptions = option; }

  void SetCtrlGroup(int32_t group) { ctrlInWhichGroup = group; }
  int32_t GetCtrlGroup() const { return ctrlInWhichGroup; }
  int32_t GetConstrainCount() const { return ctrlConstrainCount; }
  int32_t GetHideCount() const { return ctrlHideCount; }
  const AccessInfo* GetAccessInfo() const { return ctrlDataAccessInfoPtr; }
  bool ValueDidChange() const { return valueDidChange; }
  void SetValueDidChange(bool changed) { valueDidChange = changed; }
  void SetLocalizeTableName(std::string table) { LocalizeTableName = std::move(table); }
  // The strings table of the control, else of its panel ("" is the default table).
  std::string GetLocalizeTableName() const;
  // `key` through the panel's bundle and GetLocalizeTableName(), "no translation" as fallback.
  std::string Localize(const char* key) const;
  // The panel's bundle, or nullptr.
  const Bundle* GetBundle() const;

 protected:
  // The records shared by the kinds' creation operations.
  void SetRecords(const ConstraintRecord* constrain, const AccessInfo* access, const char* userName);
  // The lists of a value (a pop-up passes value - 1); empty when there is none.
  ControlIDList DisableList(int32_t index) const;
  ControlIDList HideList(int32_t index) const;
  ControlIDList UpdateList(int32_t index) const;

  // Integer value blocks.
  static int32_t ReadInt(const ValueBlock& block);
  static void WriteInt(ValueBlock& block, int32_t value);
  // The integer of an external value (at least 4 bytes); false for none.
  static bool ReadExternalInt(const void* data, size_t size, int32_t* value);
  // NUL-terminated text of a text block ("" for none).
  static const char* TextOf(const ValueBlock& block);
  static void WriteText(ValueBlock& block, std::string_view utf8);

  // Steps of the reaction of check boxes, radio buttons and pop-ups. `offset`
  // turns a value into its list index (0 for check boxes, 1 for pop-ups); a
  // previous value releases its lists when its index is 0 or more.
  void ReactUpdate(int32_t value, int32_t previous);
  void ReactHide(int32_t value, int32_t previous, int32_t offset);
  // Target/action: the element's user signal runs RequestControlAction.
  template <typename Element, typename Signal>
  void ConnectAction(Signal signal) {
    auto* element = qobject_cast<Element*>(ControlPtr.data());
    if (element == nullptr) return;
    QObject::disconnect(action_);
    action_ = QObject::connect(element, signal, element, [this] { RequestControlAction(); });
  }

  QPointer<QWidget> ControlPtr;
  int32_t ctrlInWhichGroup = -1;
  BasePrintPanelNvx* ctrlParentPanelPtr = nullptr;
  uint32_t ctrlDataSize = 0;
  ValueBlock ctrlDataBlkPtr;
  ValueBlock ctrlUIDataBlkPtr;
  int32_t ctrlConstrainCount = 0;
  int32_t ctrlHideCount = 0;
  const ConstraintRecord* ctrlConstrainControlArray = nullptr;
  const AccessInfo* ctrlDataAccessInfoPtr = nullptr;
  std::string userNameinPreference;
  std::vector<PDEChoiceNvx> m_paPPDChoices;
  ppd_option_t* m_ptPPDOptions = nullptr;
  std::string LocalizeTableName;
  bool valueDidChange = false;
  QMetaObject::Connection action_;

 private:
  void ForEachControl(ControlIDList ids, void (BaseControlNvx::*operation)());
  // The storage key of the remembered value; false without a printer string source.
  bool StorageKey(std::string* key) const;
  bool MayWritePreference() const;
};

// The byte-number form of a ticket text when it begins with "/" or holds an
// apostrophe, a comma or a backslash ("/" and the decimal value of every byte:
// a,b becomes /97/44/98); any other text unchanged.
std::string TicketTextForm(std::string_view text);

}  // namespace OVQ_PDE_NS
