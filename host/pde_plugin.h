// The print-dialog extension protocol, from the host's side: a plug-in's
// principal class offers panels for a dialog type, and the host drives each
// panel through these operations. A plug-in is a bundle whose executable
// exports one C entry (kPDEPrincipalClassEntry) that creates its principal class.
#pragma once
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bundle.h"
#include "pde_callback.h"

class QWidget;

// Dialog types given to PDEPanelsForType.
inline constexpr char kPrintDialogTypeID[] = "BDB091F4-E57F-11D3-B5CC-0050E4603277";
inline constexpr char kPageSetupDialogTypeID[] = "6E6ED964-B738-11D3-952F-0050E4603277";

// A panel's summary: title to value, and the titles in display order.
struct PDESummary {
  std::map<std::string, std::string> values;
  std::vector<std::string> order;
};

class PDEPanel {
 public:
  virtual ~PDEPanel() = default;
  // The panel's view (with the windows it opens as its child dialogs); nullptr
  // when it cannot be made. The panel keeps it.
  virtual QWidget* panelView() = 0;
  virtual std::string panelName() = 0;
  virtual std::string panelKind() = 0;
  // PPD option keywords whose changes the panel wants to hear of.
  virtual std::vector<std::string> supportedPPDOptionKeys() { return {}; }
  virtual void PPDOptionKeyValueDidChange(const char* /*option*/, const char* /*choice*/) {}
  virtual void willShow() {}
  virtual bool shouldHide() { return true; }
  // True when the host should show its own help.
  virtual bool shouldShowHelp() { return true; }
  // Load the values from the print settings and show them. False on failure
  // (`error`, when given, says why).
  virtual bool restoreValuesAndReturnError(std::string* error) = 0;
  // Write the values into the print settings. False on failure.
  virtual bool saveValuesAndReturnError(std::string* error) = 0;
  // The panel's word on printing now (its checks and windows), with its values
  // written into the print settings when it lets printing go on.
  virtual bool shouldPrint() = 0;
  virtual PDESummary summaryInfo() = 0;
  virtual void terminate() {}

  // For scripted hosts, which reach controls by tag. The value of a control as
  // the panel keeps it, when its element does not show it; nullopt otherwise.
  virtual std::optional<std::string> scriptValue(int /*tag*/) { return std::nullopt; }
  // Sets the control's value as restoring a remembered value would (its text
  // form), then runs its reaction as a user's change would. False when no
  // control has the tag or the value cannot be taken.
  virtual bool scriptSetValue(int /*tag*/, const std::string& /*value*/) { return false; }
};

class PDEPlugIn {
 public:
  virtual ~PDEPlugIn() = default;
  virtual bool initWithBundle(const Bundle* bundle) = 0;
  // The panels offered for `dialogType`, in order; none for a dialog type or
  // PPD the plug-in does not serve.
  virtual std::vector<std::unique_ptr<PDEPanel>> PDEPanelsForType(const std::string& dialogType,
                                                                  PDEHostCallback* host) = 0;
};

// The plug-in's one exported symbol: extern "C" PDEPlugIn* OvqPDEPrincipalClass();
inline constexpr char kPDEPrincipalClassEntry[] = "OvqPDEPrincipalClass";
using PDEPrincipalClassFunction = PDEPlugIn* (*)();
