// Controls bound to one PPD option: they list the option's choices, take the
// PPD's default as their default, mark a choice only by asking the host
// (willChangePPDOptionKeyValue, which may refuse), show the choices that
// conflict with the current marks as disabled, load their value from the
// marked choice, and report the choice's text in the summary.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base_panel.h"
#include "constraint_hash.h"
#include "controls.h"
#include "text_controls.h"

namespace OVQ_PDE_NS {

// Asks the host of `panel` to mark `choice` of `option`: false when it
// refuses, or when there is no host to ask.
bool MarkThroughHost(const BasePrintPanelNvx* panel, const char* option, const char* choice);
// The panel at the top of `panel`'s chain of windows.
BasePrintPanelNvx* TopPanel(BasePrintPanelNvx* panel);
// Rebuilds the conflict state of every bound control of the top panel and its windows.
void UpdatePanelConflicts(BasePrintPanelNvx* panel, ppd_file_t* ppd);
// The panel's PPD (the marks the host keeps), or nullptr.
ppd_file_t* PanelPPD(const BaseControlNvx& control);

// Opening a bound control: its conflicts again, its value from the marked
// choice, shown, and the reaction to it. Nothing without a PPD.
int OpenFromMarks(BaseControlNvx& control);
// Adds `value` under `title` (once in the order).
void AddSummaryEntry(SummaryDictionary& summary, SummaryOrder& order, const std::string& title,
                     const std::string& value);

// The choice rows of `keyword` with their conflict flags (from the panel's
// constraint hash); the control holds the option and its choices. False, with
// no rows, without a hash, a PPD or a keyword.
bool BindToPPDOption(BaseControlNvx& control, const char* keyword, ppd_file_t* ppd, std::vector<UIListRow>* rows);

// What a window needs of each of its PPD-bound controls: the keyword whose
// mark it records when it opens and puts back when it is cancelled.
class PPDBoundNvx {
 public:
  virtual ~PPDBoundNvx() = default;
  virtual const char* BoundKeyword() const = 0;
};

// A pop-up list of the option's choices: value = 1-based index of the row.
class PPDPopupControlNvxImageOptions : public PopupControlNvx, public PPDBoundNvx {
 public:
  using PopupControlNvx::CreateControl;
  using PopupControlNvx::SetValueToTicket;

  // `titleControl`: ID of the label that shows the option's title (0: none).
  int CreateControl(QWidget* element, const char* ppdKey, const ControlIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName, ControlID titleControl);
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override { return InitializeMenu(bundle, ppd); }
  // Rows from the PPD, the menu, the PPD's default as default value, the title:
  // 1, or 0 without the panel's hash, a PPD or a keyword.
  int InitializeMenu(const Bundle* bundle, ppd_file_t* ppd);
  // The menu again from the rows; the selection stays.
  int ReInitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  void ReInitializeMenu();

  // A user's choice: marked through the host; accepted, the panel's conflicts
  // follow; refused, the previous item is selected again. Then the reaction.
  void UIEventHandler() override;
  // The reaction only: a value set by the program is marked by whoever set it.
  void SimulationUIEventHandler() override { PopupControlNvx::UIEventHandler(); }
  bool SetPPD(ppd_file_t* ppd) { return PPDMarkOptionByIndex(ppd, GetCurrentControlArrayNumber()); }
  bool RestorePPD(ppd_file_t* ppd) { return PPDMarkOptionByIndex(ppd, GetValue() - 1); }
  // Asks the host to mark the choice of row `index`; true without asking for a
  // negative index, no PPD or no rows.
  virtual bool PPDMarkOptionByIndex(ppd_file_t* ppd, int index);
  // The rows again with current conflict flags; conflicting items disabled.
  int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
  int Open() override { return OpenFromMarks(*this); }
  // The marked (else default) choice, when the host accepts it again: 1.
  int GetValueToPreset() override;
  int ConvertFromPresetIndex(int index);
  int SetControlValueToUI() override;
  int SetDefaultValueToUI() override;
  // The choice of the value, marked through the host.
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  // Neither disabled nor hidden.
  bool ToGetSummaryText() const { return ctrlConstrainCount <= 0 && ctrlHideCount < 1; }
  const uint8_t* GetDefaultDataBlk() const override { return reinterpret_cast<const uint8_t*>(&defaultValue_); }
  size_t GetDefaultDataSize() const override { return sizeof defaultValue_; }

  // The choice keyword of the selected row ("" when none).
  std::string GetUISelectStr() const;
  // Index of the first row with that choice keyword, or -1.
  int GetIndexByStr(const char* choice) const;
  int GetSFStringArrayIndex(const char* choice) const { return GetIndexByStr(choice); }
  // The PPD's default choice as a 1-based value: false when it is not a row.
  bool GetDefaultValueFromPPD(ppd_file_t* ppd, int32_t* value) const;
  // The title label shows `text` and ":".
  void SetTitleWithCFStringEx(const std::string& text);
  void HideTitleCtrl();

  const char* BoundKeyword() const override { return kPPDMainKey; }
  const std::vector<UIListRow>& Rows() const { return ctrlPPDInfoArrayRef; }
  const std::string& Title() const { return titleTextRef; }
  ControlID TitleControl() const { return ctrlIDTitleExPtr; }

 protected:
  // The choice keyword of row `index`, or nullptr.
  const char* ChoiceAt(int index) const;

  const char* kPPDMainKey = nullptr;
  std::vector<UIListRow> ctrlPPDInfoArrayRef;
  ControlID ctrlIDTitleExPtr = 0;
  std::string titleTextRef;
  int32_t defaultValue_ = 1;
};

// A check box over an option of the choices "True" and "False": value 1
// means "True", whichever order the PPD lists them in.
class PPDCheckBoxNvxImageOptions : public CheckBoxNvx, public PPDBoundNvx {
 public:
  using CheckBoxNvx::SetValueToTicket;

  int PPDCheckBox(QWidget* element, const char* ppdKey, const ControlIniData* ini, const ConstraintRecord* constrain,
                  const AccessInfo* access, const char* userName);
  // The option's title, its rows, default 1 when the PPD's default is "True".
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  // The option's translation, else the title key, on the element.
  int InitializeTitle(const Bundle* bundle, ppd_file_t* ppd);
  // The reaction, then the choice of the new state marked through the host;
  // refused, the box shows its previous state again (and the reaction follows it).
  void UIEventHandler() override;
  void SimulationUIEventHandler() override { CheckBoxNvx::UIEventHandler(); }
  int UpdateConflictsPanelControlFromPPD(ppd_file_t* ppd) override;
  int Open() override { return OpenFromMarks(*this); }
  int GetValueToPreset() override;
  int SetControlValueToUI() override;
  int SetDefaultValueToUI() override;
  int SetValueToTicket(PMPrintSettings settings, bool locked) override;
  bool RestorePPD(ppd_file_t* ppd) { return MarkValue(ppd, GetValue()); }
  int GetSummaryText(SummaryDictionary& summary, SummaryOrder& order) override;
  const uint8_t* GetDefaultDataBlk() const override { return reinterpret_cast<const uint8_t*>(&defaultValue_); }
  size_t GetDefaultDataSize() const override { return sizeof defaultValue_; }

  // The row that `value` means: -1 when there is none.
  int RowForValue(int32_t value) const;
  const char* BoundKeyword() const override { return kPPDMainKey; }
  const std::vector<UIListRow>& Rows() const { return ctrlPPDInfoArrayRef; }

 protected:
  bool MarkValue(ppd_file_t* ppd, int32_t value);

  const char* kPPDMainKey = nullptr;
  std::vector<UIListRow> ctrlPPDInfoArrayRef;
  std::string titleTextRef;
  int32_t defaultValue_ = 0;
};

// The slider's initial data: the default value, then its range.
struct SliderIniData {
  int32_t reserved = 0;  // not read
  int32_t defaultValue = 0;
  int32_t minimum = 0;
  int32_t maximum = 0;
};

// A 4-byte value that one element shows, bound to one option (the slider, the
// density arrows).
class PPDIntegerControlNvx : public BaseControlNvx, public PPDBoundNvx {
 public:
  using BaseControlNvx::CreateControl;
  using BaseControlNvx::SetValueToTicket;

  const uint8_t* GetValueFromUI() override;
  int SetControlValueToUI() override;
  const uint8_t* GetDefaultDataBlk() const override { return reinterpret_cast<const uint8_t*>(&defaultValue_); }
  size_t GetDefaultDataSize() const override { return sizeof defaultValue_; }
  const char* BoundKeyword() const override { return kPPDMainKey; }
  int32_t GetValue() const { return ReadInt(ctrlDataBlkPtr); }
  virtual int32_t ElementValue() const = 0;

 protected:
  // Shows the value without a user event.
  virtual void SetElementValue(int32_t value) = 0;

  const char* kPPDMainKey = nullptr;
  std::vector<UIListRow> ctrlPPDInfoArrayRef;
  int32_t defaultValue_ = 0;
};

// A slider (QAbstractSlider) over an option's choices. Which choice a position
// means is the panel's (ChoiceIndexForValue).
class PPDSliderBarControlNvxImageOptions : public PPDIntegerControlNvx {
 public:
  ~PPDSliderBarControlNvxImageOptions() override { QObject::disconnect(released_); }
  int CreateControl(QWidget* element, const char* ppdKey, const SliderIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName);
  // The range from the initial data, the rows, value blocks of 4 bytes.
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  // The user lets the slider go (or moves it by key).
  void setTargetandAction() override;
  // Only while the element is enabled.
  int SetExternalValueToUI(const void* data, size_t size) override;
  int ConvertFromPreferenceString(const char* text) override;
  int32_t Minimum() const { return minimum_; }
  int32_t Maximum() const { return maximum_; }

  // The choice a position means, or -1 (identity on the position's offset
  // from the minimum unless the panel maps otherwise).
  virtual int ChoiceIndexForValue(int32_t value) const { return value - minimum_; }
  virtual int32_t ValueForChoiceIndex(int index) const { return minimum_ + index; }

 protected:
  int32_t ElementValue() const override;
  void SetElementValue(int32_t value) override;
  void SetRange(int32_t minimum, int32_t maximum);

  const SliderIniData* iniData_ = nullptr;
  QMetaObject::Connection released_;
  int32_t minimum_ = 0;
  int32_t maximum_ = 0;
};

// A label that shows an option's title (its translation text and ":").
class PPDStaticTextCtrlNvxImageOptions : public StaticTextEditControlNvx {
 public:
  using StaticTextEditControlNvx::CreateControl;
  int CreateControl(QWidget* element, const char* ppdKey, const TextEditIniData* ini, const ConstraintRecord* constrain,
                    const AccessInfo* access, const char* userName, const TextEditFilterData* filter);
  int InitializeCtrl(const Bundle* bundle, ppd_file_t* ppd) override;
  const char* Keyword() const { return kPPDMainKey; }

 private:
  const char* kPPDMainKey = nullptr;
};

}  // namespace OVQ_PDE_NS
