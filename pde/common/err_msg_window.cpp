#include "err_msg_window.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "modal_service.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

void ErrWndOKButtonNvx::RequestControlAction() {
  if (auto* window = dynamic_cast<PopupWinInPanelNvx*>(GetParentPanel())) window->DeactivateWindow(QDialog::Accepted);
}

int ErrMsgWindow::CreateErrMsgWindow(QWidget* parent, const char* titleKey) {
  auto* window = new QDialog(parent);
  window->setObjectName("ErrMsgWindow");
  if (parent == nullptr) owned_.reset(window);
  icon_ = new QLabel(window);
  message_ = new QLabel(window);
  message_->setWordWrap(true);
  auto* ok = new QPushButton(window);
  ok->setDefault(true);
  auto* text = new QHBoxLayout;
  text->addWidget(icon_);
  text->addWidget(message_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(window);
  layout->addLayout(text);
  layout->addLayout(buttons);
  PopupWinInPanel(window, titleKey);
  auto button = std::make_unique<ErrWndOKButtonNvx>();
  button->CreateControl(ok, kErrWndOKButtonKey);
  okButton_ = AddControl(std::move(button));
  return kPanelNoErr;
}

QWidget* ErrMsgWindow::GetOKButton() const { return okButton_ == nullptr ? nullptr : okButton_->GetControlPtr(); }

int ErrMsgWindow::Present(const Bundle* bundle, const char* messageKey) {
  if (window_ == nullptr || message_ == nullptr) return -1;
  if (bundle != nullptr) pdeBundleRef = bundle;
  message_->setText(QString::fromStdString(Localize(messageKey)));
  if (pdeBundleRef != nullptr && icon_ != nullptr) {
    QPixmap image(QString::fromStdString(pdeBundleRef->ResourcePath() + "/" + kAlertIconName));
    if (!image.isNull()) icon_->setPixmap(image);
  }
  return RunModalWindow(window_);
}

}  // namespace OVQ_PDE_NS
