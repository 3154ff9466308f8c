#include "dialog_panels.h"

#include <QWidget>

DialogPanels::~DialogPanels() {
  for (OfferedPanel& offered : panels_) offered.panel->terminate();
}

void DialogPanels::Offer(const std::vector<LoadedExtension>& extensions, const std::string& dialogType,
                         PDEHostCallback* host) {
  for (const LoadedExtension& extension : extensions) {
    for (std::unique_ptr<PDEPanel>& panel : extension.plugin->PDEPanelsForType(dialogType, host)) {
      if (panel == nullptr) continue;
      std::string kind = panel->panelKind();
      std::string name = panel->panelName();
      panels_.push_back(OfferedPanel{std::move(panel), std::move(kind), std::move(name)});
    }
  }
}

int DialogPanels::IndexOfKind(const std::string& kind) const {
  for (size_t i = 0; i < panels_.size(); ++i) {
    if (panels_[i].kind == kind) return static_cast<int>(i);
  }
  return -1;
}

int DialogPanels::IndexHolding(const QWidget* element) const {
  for (size_t i = 0; element != nullptr && i < panels_.size(); ++i) {
    QWidget* view = panels_[i].panel->panelView();
    if (view != nullptr && (view == element || view->isAncestorOf(element))) return static_cast<int>(i);
  }
  return -1;
}

bool DialogPanels::RestoreAll(std::vector<std::string>* problems) {
  bool restored = true;
  for (OfferedPanel& offered : panels_) {
    std::string error;
    if (offered.panel->restoreValuesAndReturnError(&error)) continue;
    restored = false;
    if (problems != nullptr) problems->push_back(offered.kind + ": " + (error.empty() ? "cannot restore" : error));
  }
  return restored;
}

QWidget* DialogPanels::ShownView() const {
  return shown_ < 0 ? nullptr : panels_[static_cast<size_t>(shown_)].panel->panelView();
}

bool DialogPanels::Show(int index, std::string* error) {
  if (index < 0 || static_cast<size_t>(index) >= panels_.size()) {
    *error = "no such panel";
    return false;
  }
  PDEPanel& panel = *panels_[static_cast<size_t>(index)].panel;
  if (index == shown_) {
    panel.willShow();
    return true;
  }
  if (!Leave(error)) return false;
  QWidget* view = panel.panelView();
  if (view == nullptr) {
    *error = "the panel has no view";
    return false;
  }
  if (!panel.restoreValuesAndReturnError(error)) {
    if (error->empty()) *error = "cannot restore the panel's values";
    return false;
  }
  shown_ = index;
  view->show();
  panel.willShow();
  return true;
}

bool DialogPanels::Leave(std::string* error) {
  if (shown_ < 0) return true;
  PDEPanel& leaving = *panels_[static_cast<size_t>(shown_)].panel;
  if (!leaving.shouldHide() || !leaving.saveValuesAndReturnError(error)) {
    if (error->empty()) *error = panels_[static_cast<size_t>(shown_)].kind + " cannot be left now";
    return false;
  }
  if (QWidget* view = leaving.panelView()) view->hide();
  shown_ = -1;
  return true;
}

std::vector<std::pair<std::string, std::string>> DialogPanels::Summary() const {
  std::vector<std::pair<std::string, std::string>> lines;
  for (const OfferedPanel& offered : panels_) {
    PDESummary summary = offered.panel->summaryInfo();
    for (const std::string& title : summary.order) {
      auto value = summary.values.find(title);
      lines.emplace_back(title, value == summary.values.end() ? std::string() : value->second);
    }
  }
  return lines;
}

bool DialogPanels::ShouldPrint() {
  for (OfferedPanel& offered : panels_) {
    if (!offered.panel->shouldPrint()) return false;
  }
  return true;
}
