// A panel as the host's print dialog drives it (the host protocol): its view
// from the bundle's interface file, its localized name, its summary, and the
// scripted hosts' reach to its controls by tag. Each extension's panels derive
// from it and add what they build, check and write.
#pragma once
#include <optional>
#include <string>

#include "base_panel.h"
#include "pde_plugin.h"

namespace OVQ_PDE_NS {

class HostedPanelNvx : public BasePrintPanelNvx, public PDEPanel {
 public:
  explicit HostedPanelNvx(PDEHostCallback* callback) : BasePrintPanelNvx(callback) {}

  // Loads the interface file NibName() once, the panel as its owner.
  QWidget* panelView() override;
  // The localized TitleKey() in the table the PPD selects, computed once.
  std::string panelName() override;
  PDESummary summaryInfo() override;
  void willShow() override {}
  bool shouldHide() override { return true; }
  void terminate() override { BasePrintPanelNvx::terminate(); }
  std::optional<std::string> scriptValue(int tag) override;
  bool scriptSetValue(int tag, const std::string& value) override;

  // The strings table of a PPD: "Localizable" followed by the value of its
  // "KQLocalizableFileIndex", else the default table ("").
  static std::string LocalizeTableForPPD(ppd_file_t* ppd);

 protected:
  virtual std::string NibName() const = 0;
  virtual const char* TitleKey() const = 0;
  // The PPD the host hands the panel now.
  ppd_file_t* HostPPD() const {
    return GetCurrentPDECallbackObj() == nullptr ? nullptr : GetCurrentPDECallbackObj()->ppdFile();
  }
  bool IsViewLoaded() const { return !TopLevelObjects().empty(); }

 private:
  std::string name_;
};

}  // namespace OVQ_PDE_NS
