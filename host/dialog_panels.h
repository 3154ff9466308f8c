// The panels that the extensions offer one print dialog, and what a dialog does
// with all of them: restore them as it opens, show one at a time (saving the one
// it leaves), gather their summaries, and ask each whether printing may go on.
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "extensions.h"
#include "pde_plugin.h"

class QWidget;

struct OfferedPanel {
  std::unique_ptr<PDEPanel> panel;
  std::string kind;
  std::string name;
};

class DialogPanels {
 public:
  DialogPanels() = default;
  ~DialogPanels();
  DialogPanels(const DialogPanels&) = delete;
  DialogPanels& operator=(const DialogPanels&) = delete;

  // Asks every extension, in order, for its panels for `dialogType`.
  void Offer(const std::vector<LoadedExtension>& extensions, const std::string& dialogType, PDEHostCallback* host);
  const std::vector<OfferedPanel>& Panels() const { return panels_; }
  // The index of the panel of `kind`, or -1.
  int IndexOfKind(const std::string& kind) const;
  // The panel whose view holds `element` (the view itself or a descendant), or -1.
  int IndexHolding(const QWidget* element) const;

  // Restores every panel, as a dialog does when it opens; false when one fails
  // (each failure is added to `problems`).
  bool RestoreAll(std::vector<std::string>* problems);
  // Shows panel `index`: the panel shown before is saved first (when it refuses,
  // nothing changes), then the new one gives its view, restores and is told it
  // will show. False with `error` set on failure.
  bool Show(int index, std::string* error);
  // Leaves the panel shown now, as showing a page of the dialog's own does: the
  // panel is saved (when it refuses, nothing changes) and its view hidden.
  // True when no panel is shown afterwards.
  bool Leave(std::string* error);
  int Shown() const { return shown_; }
  QWidget* ShownView() const;

  // Every panel's summary lines (title, value) in display order, panel by panel.
  std::vector<std::pair<std::string, std::string>> Summary() const;
  // shouldPrint on every panel in order; false at the first that says no.
  bool ShouldPrint();

 private:
  std::vector<OfferedPanel> panels_;
  int shown_ = -1;
};
