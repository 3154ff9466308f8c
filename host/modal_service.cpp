#include "modal_service.h"

#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

namespace {

class ExecModalRunner : public ModalRunner {
 public:
  int RunWindow(QDialog& window) override { return window.exec(); }

  int RunAlert(const AlertRequest& alert) override {
    QMessageBox box(alert.parent);
    box.setIcon(alert.icon);
    if (!alert.iconPath.isEmpty()) {
      QPixmap image(alert.iconPath);
      if (!image.isNull()) box.setIconPixmap(image);
    }
    box.setText(alert.messageText);
    box.setInformativeText(alert.informativeText);
    std::vector<QAbstractButton*> buttons;
    for (const QString& title : alert.buttons) buttons.push_back(box.addButton(title, QMessageBox::AcceptRole));
    if (buttons.empty()) buttons.push_back(box.addButton(QMessageBox::Ok));
    box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
      if (box.clickedButton() == buttons[i]) return static_cast<int>(i);
    }
    return static_cast<int>(buttons.size()) - 1;
  }
};

ExecModalRunner g_realRunner;
ModalRunner* g_runner = &g_realRunner;
std::vector<QDialog*> g_modalWindows;

}  // namespace

int RunModalWindow(QDialog* window) {
  if (window == nullptr) return -1;
  g_modalWindows.push_back(window);
  int code = g_runner->RunWindow(*window);
  g_modalWindows.pop_back();
  return code;
}

void EndModalWindow(QDialog* window, int code) {
  if (window != nullptr) window->done(code);
}

int RunAlert(const AlertRequest& alert) { return g_runner->RunAlert(alert); }

QDialog* CurrentModalWindow() { return g_modalWindows.empty() ? nullptr : g_modalWindows.back(); }

ModalRunner& RealModalRunner() { return g_realRunner; }

ModalRunner* SetModalRunner(ModalRunner* runner) {
  ModalRunner* previous = g_runner == &g_realRunner ? nullptr : g_runner;
  g_runner = runner == nullptr ? &g_realRunner : runner;
  return previous;
}

void ScriptedModalRunner::AnswerAlert(int button) { answers_.push_back(Answer{false, button, {}}); }

void ScriptedModalRunner::AnswerWindow(WindowAnswer answer) { answers_.push_back(Answer{true, 0, std::move(answer)}); }

void ScriptedModalRunner::Unanswered(const std::string& what) {
  if (unanswered_) {
    unanswered_(what);
  } else {
    std::fprintf(stderr, "unanswered modal run: %s\n", what.c_str());
  }
}

int ScriptedModalRunner::RunWindow(QDialog& window) {
  windowTitles_.push_back(window.windowTitle());
  std::string title = window.windowTitle().toStdString();
  if (answers_.empty() || !answers_.front().window) {
    Unanswered("window \"" + title + "\" has no answer");
    window.done(0);
    return 0;
  }
  WindowAnswer act = std::move(answers_.front().act);
  answers_.pop_front();
  bool ended = false;
  int code = 0;
  QMetaObject::Connection finished = QObject::connect(&window, &QDialog::finished, [&](int result) {
    ended = true;
    code = result;
  });
  window.setModal(true);
  window.show();
  act(window);
  QObject::disconnect(finished);
  if (!ended) {
    Unanswered("window \"" + title + "\" was left open by its answer");
    window.done(0);
    return 0;
  }
  return code;
}

int ScriptedModalRunner::RunAlert(const AlertRequest& alert) {
  alerts_.push_back(alert);
  int last = alert.buttons.isEmpty() ? 0 : static_cast<int>(alert.buttons.size()) - 1;
  if (answers_.empty() || answers_.front().window) {
    Unanswered("alert \"" + alert.informativeText.toStdString() + "\" has no answer");
    return last;
  }
  int button = answers_.front().button;
  answers_.pop_front();
  if (button < 0 || button > last) {
    Unanswered("alert \"" + alert.informativeText.toStdString() + "\" has no button " + std::to_string(button));
    return last;
  }
  return button;
}

void ScriptedModalRunner::Reset() {
  answers_.clear();
  alerts_.clear();
  windowTitles_.clear();
}
