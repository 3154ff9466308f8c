// The host's one service for modal runs and alerts. Panels never call
// QDialog::exec() or QMessageBox themselves: they ask this service, so that a
// scripted host or a test answers them without a person. By default the runs
// are real (exec); a host installs its own runner to answer them.
#pragma once
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QWidget;

// An alert as the platform shows it: icon, message, informative text, buttons.
struct AlertRequest {
  QMessageBox::Icon icon = QMessageBox::Warning;
  QString iconPath{};  // image shown instead of the style's icon, when it can be read
  QString messageText{};
  QString informativeText{};
  QStringList buttons{};  // titles; the first is the default button
  QWidget* parent = nullptr;
};

class ModalRunner {
 public:
  virtual ~ModalRunner() = default;
  // Runs `window` modally until EndModalWindow(window, code); returns that code.
  virtual int RunWindow(QDialog& window) = 0;
  // Shows `alert` and returns the index of the button chosen.
  virtual int RunAlert(const AlertRequest& alert) = 0;
};

// Runs `window` modally through the installed runner; -1 without a window.
int RunModalWindow(QDialog* window);
// Ends the modal run of `window` (and closes it) with `code`.
void EndModalWindow(QDialog* window, int code);
// Shows an alert through the installed runner; the index of the chosen button.
int RunAlert(const AlertRequest& alert);
// The innermost window in a modal run now, or nullptr.
QDialog* CurrentModalWindow();
// The runner that runs windows and alerts for real (exec), for runners that add to it.
ModalRunner& RealModalRunner();
// Installs `runner` (nullptr: real runs again); returns the one it replaces.
ModalRunner* SetModalRunner(ModalRunner* runner);

// Answers modal runs from a queue, in order: an alert by the index of its
// button, a window by a function that acts on it as a person would and ends
// its run. A run without a matching answer, or a window answer that leaves its
// window open, is reported to the unanswered handler and ends at once (code 0,
// or the alert's last button), so a script or test never hangs.
class ScriptedModalRunner : public ModalRunner {
 public:
  using WindowAnswer = std::function<void(QDialog&)>;
  using UnansweredHandler = std::function<void(const std::string& what)>;

  void AnswerAlert(int button);
  void AnswerWindow(WindowAnswer answer);
  // Default: a line on standard error.
  void SetUnansweredHandler(UnansweredHandler handler) { unanswered_ = std::move(handler); }

  int RunWindow(QDialog& window) override;
  int RunAlert(const AlertRequest& alert) override;

  const std::vector<AlertRequest>& Alerts() const { return alerts_; }
  const std::vector<QString>& WindowTitles() const { return windowTitles_; }
  size_t PendingAnswers() const { return answers_.size(); }
  // Forgets the answers left and what was shown.
  void Reset();

 private:
  struct Answer {
    bool window = false;
    int button = 0;
    WindowAnswer act;
  };
  void Unanswered(const std::string& what);

  std::deque<Answer> answers_;
  std::vector<AlertRequest> alerts_;
  std::vector<QString> windowTitles_;
  UnansweredHandler unanswered_;
};
