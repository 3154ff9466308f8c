// The error window: a modal window with a localized message and one OK button.
#pragma once
#include <QLabel>
#include <QPointer>
#include <memory>

#include "base_panel.h"
#include "controls.h"

namespace OVQ_PDE_NS {

inline constexpr const char* kErrWndOKButtonKey = "PT Message OK Btn";

// The OK button of the error window: ends its modal run and closes it.
class ErrWndOKButtonNvx : public BaseButtonNvx {
 public:
  void RequestControlAction() override;
};

class ErrMsgWindow : public PopupWinInPanelNvx {
 public:
  // Builds the window (icon, message, OK button "PT Message OK Btn") as a
  // child window of `parent`, with its title key.
  int CreateErrMsgWindow(QWidget* parent, const char* titleKey);
  // Shows the message key localized through the window's strings table
  // ("no translation" as fallback) and runs the window modally.
  int Present(const Bundle* bundle, const char* messageKey);
  QLabel* GetMessageField() const { return message_; }
  QWidget* GetOKButton() const;

 private:
  std::unique_ptr<QDialog> owned_;  // the window, when it has no parent
  QPointer<QLabel> message_;
  QPointer<QLabel> icon_;
  ErrWndOKButtonNvx* okButton_ = nullptr;
};

}  // namespace OVQ_PDE_NS
