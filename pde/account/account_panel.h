// What the Print Type and Job Accounting panels share as the host drives them:
// product type and WKS PDF flag, the lazy build on the first restore or print,
// remembered values per printer, the job status and the encryption list.
#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "account_tables.h"
#include "controls.h"
#include "hosted_panel.h"
#include "text_controls.h"

namespace OVQ_PDE_NS {

// `text` with every "[n]" replaced by `value`.
std::string ReplacePlaceholder(std::string text, const std::string& value);
// One `mask` (UTF-8) per character of `utf8`; "" for an empty text.
std::string MaskText(const char* utf8, const char* mask);
// Adds title = the localized `titleKey` and `value` to a summary.
void AddSummaryLine(SummaryDictionary& summary, SummaryOrder& order, const std::string& title,
                    const std::string& value);

// Controls on the elements of a loaded interface file, found by tag below `root`.
CallbackButtonNvx* AddButton(BasePrintPanelNvx& panel, QWidget* root, int32_t tag, const char* titleKey,
                             std::function<void()> action);
// A label showing the localized `key`.
StaticTextEditControlNvx* AddLabel(BasePrintPanelNvx& panel, QWidget* root, int32_t tag, const char* key);

// True when every field of `ids` (in the panel or window of `control`) passes its
// full check on what its element shows; the first that fails shows its message.
bool ValidationListPasses(const BaseControlNvx& control, std::span<const int32_t> ids);

class AccountPanelNvx : public HostedPanelNvx {
 public:
  AccountPanelNvx(PDEHostCallback* callback, std::span<const ProductRow> products);

  // Values of 5 and more store 0.
  void setPDEType(int32_t type) { pdeType_ = type >= 0 && type < 5 ? type : 0; }
  int32_t getPDEType() const { return pdeType_; }
  void setIsWKSPDFDriver(bool wks) { wksPDF_ = wks; }
  bool getWKSPDFDriver() const { return wksPDF_; }
  void setFirstInitialize(bool first) { bFirstInitialzePDE = first; }
  // The help name of the PPD's settings attribute (the text after "-").
  void setHelpName(std::string name) { helpName_ = std::move(name); }
  const std::string& getHelpName() const { return helpName_; }
  void setJobStatus(int32_t status) { JobStatus = status; }
  int32_t getJobStatus() const { return JobStatus; }
  EncryptArray& getEncryptArray() { return encryptArray_; }
  std::span<const ProductRow> getProductInfo() const { return products_; }
  std::string getPDENibFileNamePrintType() const;

  // The view, with a diagnostic line in the system log ("<LogName()> : panelView - <controls>").
  QWidget* panelView() override;
  bool restoreValuesAndReturnError(std::string* error) override;
  bool shouldPrint() override;
  bool shouldShowHelp() override;
  void terminate() override;

  // Build and load: on the first run builds the panel in its view, registers
  // the help book and initializes the controls from the PPD; every run binds
  // the host's settings, PPD and session, resets the states (after the first),
  // loads the remembered values and shows them. kControlSuccess or failure.
  int SimulationOpenPDE();
  // Opens "<prefix><help name>.htm" of the help book: true when it opened.
  bool OpenHelpPage(const char* prefix);
  // A remembered value of the panel's own (the current printer's ID and
  // `preferenceKey`): in the print settings from 10.7 on, else in the user's preferences.
  bool ReadRemembered(const char* preferenceKey, std::string* text) const;
  bool WriteRemembered(const char* preferenceKey, const std::string& text);

 protected:
  std::string NibName() const override { return getPDENibFileNamePrintType(); }
  virtual const char* LogName() const = 0;
  // Builds the panel's controls and windows (after CreatePanel) from the loaded view.
  virtual int BuildPanel(QWidget* view, ppd_file_t* ppd) = 0;
  // The panel's check at print time: true when printing goes on.
  virtual bool OnClickPrintCommand() = 0;
  // False when the job goes somewhere the panel does not care for (printing goes on untouched).
  virtual bool MayPrintToDestination() { return true; }
  // Loads and keeps the remembered values (the storage by system version).
  virtual int LoadRememberedValues();
  virtual int RememberValues();
  // Writes the print settings (the encryption list's values scrambled).
  virtual bool WriteTicket();
  // What saveValuesAndReturnError does after the panel's own checks: the
  // controls take their UI values, the values are remembered and written.
  bool SaveValues(std::string* error);
  // The panel's help button, when it has one: its action answers shouldShowHelp.
  virtual bool RunHelpButton() { return false; }
  bool HasHelpButton() const { return hasHelpButton_; }
  void SetHasHelpButton(bool has) { hasHelpButton_ = has; }
  // The element tagged `tag` in the view (the windows included).
  QWidget* Element(int32_t tag) const;
  bool IsFirstInitialize() const { return bFirstInitialzePDE; }

  int32_t JobStatus = kJobStatusStop;
  bool bFirstInitialzePDE = true;

 private:
  std::span<const ProductRow> products_;
  int32_t pdeType_ = 0;
  bool wksPDF_ = false;
  bool hasHelpButton_ = false;
  std::string helpName_;
  EncryptArray encryptArray_;
};

// Whether the file that the PPD's "OVXCDFSetting" names can be read (true
// without the attribute): the version text's CDF-support state.
bool IsCDFSupported(ppd_file_t* ppd);

}  // namespace OVQ_PDE_NS
