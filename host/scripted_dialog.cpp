#include "scripted_dialog.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <cstdlib>
#include <map>
#include <ostream>

#include "help_viewer.h"
#include "ui_support.h"

namespace {

enum class Arguments { kNone, kWord, kTag, kTagNumber, kTagTime, kTagRest, kRest };

const std::map<std::string, Arguments, std::less<>>& Verbs() {
  static const std::map<std::string, Arguments, std::less<>> verbs = {
      {"panels", Arguments::kNone},     {"summary", Arguments::kNone},     {"print", Arguments::kNone},
      {"open", Arguments::kWord},       {"press", Arguments::kTag},        {"state", Arguments::kTag},
      {"items", Arguments::kTag},       {"select", Arguments::kTagNumber}, {"check", Arguments::kTagNumber},
      {"slide", Arguments::kTagNumber}, {"step", Arguments::kTagNumber},   {"time", Arguments::kTagTime},
      {"type", Arguments::kTagRest},    {"set", Arguments::kTagRest},      {"submit", Arguments::kRest},
  };
  return verbs;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next blank-separated word from `at`; `at` ends just past it.
std::string NextWord(const std::string& line, size_t* at) {
  while (*at < line.size() && IsBlank(line[*at])) ++*at;
  size_t start = *at;
  while (*at < line.size() && !IsBlank(line[*at])) ++*at;
  return line.substr(start, *at - start);
}

bool ParseInt(const std::string& text, int* value) {
  if (text.empty() || text.size() > 10) return false;
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || parsed < -2147483647L || parsed > 2147483647L) return false;
  *value = static_cast<int>(parsed);
  return true;
}

bool ParseTime(const std::string& text, QTime* time) {
  if (text.size() != 5 || text[2] != ':') return false;
  for (size_t i : {0u, 1u, 3u, 4u}) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  *time = QTime((text[0] - '0') * 10 + (text[1] - '0'), (text[3] - '0') * 10 + (text[4] - '0'));
  return time->isValid();
}

void SendKey(QWidget* element, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(element, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(element, &release);
}

// Ends editing as leaving the field does (Return would also press a window's default button).
void EndEditing(QWidget* element) {
  QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
  QCoreApplication::sendEvent(element, &leave);
}

// The first element tagged `tag` whose window is `window` (the window itself included).
QWidget* FindInWindow(QWidget* window, int tag) {
  if (window == nullptr) return nullptr;
  if (HasTag(window) && TagOf(window) == tag) return window;
  for (QWidget* element : window->findChildren<QWidget*>()) {
    if (element->window() == window && HasTag(element) && TagOf(element) == tag) return element;
  }
  return nullptr;
}

std::string WindowTitle(const QDialog& window) {
  return (window.windowTitle().isEmpty() ? window.objectName() : window.windowTitle()).toStdString();
}

// What `state` shows of an element: a list's 1-based value, a box's 0 or 1, a
// field's text (a masked field one "*" per character), a number, a time.
std::string ElementValue(QWidget* element) {
  if (auto* menu = qobject_cast<QComboBox*>(element)) return std::to_string(menu->currentIndex() + 1);
  if (auto* field = qobject_cast<QLineEdit*>(element)) {
    if (field->echoMode() == QLineEdit::Normal) return field->text().toStdString();
    return std::string(static_cast<size_t>(field->text().toUcs4().size()), '*');
  }
  if (auto* clock = qobject_cast<QTimeEdit*>(element)) return clock->time().toString("HH:mm").toStdString();
  if (auto* stepper = qobject_cast<QSpinBox*>(element)) return std::to_string(stepper->value());
  if (auto* stepper = qobject_cast<QDoubleSpinBox*>(element)) return std::to_string(qRound(stepper->value()));
  if (auto* slider = qobject_cast<QAbstractSlider*>(element)) return std::to_string(slider->value());
  if (auto* button = qobject_cast<QAbstractButton*>(element)) {
    return button->isCheckable() ? (button->isChecked() ? "1" : "0") : button->text().toStdString();
  }
  if (auto* label = qobject_cast<QLabel*>(element)) return label->text().toStdString();
  return {};
}

double StepperValue(QAbstractSpinBox* stepper) {
  if (auto* box = qobject_cast<QSpinBox*>(stepper)) return box->value();
  if (auto* box = qobject_cast<QDoubleSpinBox*>(stepper)) return box->value();
  return 0;
}

}  // namespace

bool ParseScriptCommand(const std::string& line, ScriptCommand* command, std::string* error) {
  size_t at = 0;
  command->line = line;
  command->verb = NextWord(line, &at);
  auto verb = Verbs().find(command->verb);
  if (verb == Verbs().end()) {
    *error = "unknown command \"" + command->verb + "\"";
    return false;
  }
  Arguments kind = verb->second;
  if (kind == Arguments::kWord || kind == Arguments::kRest) {
    command->argument = kind == Arguments::kWord ? NextWord(line, &at) : line.substr(std::min(at + 1, line.size()));
    if (command->argument.empty()) {
      *error = command->verb + " needs an argument";
      return false;
    }
  } else if (kind != Arguments::kNone) {
    if (!ParseInt(NextWord(line, &at), &command->tag)) {
      *error = command->verb + " needs a tag";
      return false;
    }
    if (kind == Arguments::kTagRest) {
      command->argument = at < line.size() ? line.substr(at + 1) : std::string();
      return true;
    }
    if (kind != Arguments::kTag) command->argument = NextWord(line, &at);
    int number = 0;
    QTime time;
    bool fits = kind == Arguments::kTag || (kind == Arguments::kTagTime && ParseTime(command->argument, &time)) ||
                (kind == Arguments::kTagNumber && ParseInt(command->argument, &number) &&
                 (command->verb != "check" || number == 0 || number == 1));
    if (!fits) {
      *error = "bad arguments to " + command->verb;
      return false;
    }
  }
  if (kind != Arguments::kRest && !NextWord(line, &at).empty()) {
    *error = "too many arguments to " + command->verb;
    return false;
  }
  return true;
}

ScriptedDialog::ScriptedDialog(HostSession& session, DialogPanels& panels, std::ostream& out, std::ostream& err)
    : session_(session), panels_(panels), out_(out), err_(err) {
  previousRunner_ = SetModalRunner(this);
}

ScriptedDialog::~ScriptedDialog() { SetModalRunner(previousRunner_); }

void ScriptedDialog::Fail(const std::string& message) {
  err_ << "ovqdialog: " << message << "\n";
  status_ = 1;
}

int ScriptedDialog::Run(std::deque<ScriptCommand> commands) {
  commands_ = std::move(commands);
  while (!commands_.empty()) {
    ScriptCommand command = std::move(commands_.front());
    commands_.pop_front();
    Execute(command);
  }
  out_.flush();
  return status_;
}

int ScriptedDialog::RunWindow(QDialog& window) {
  std::string title = WindowTitle(window);
  out_ << "window: " << title << "\n";
  bool ended = false;
  int code = 0;
  QMetaObject::Connection finished = QObject::connect(&window, &QDialog::finished, [&](int result) {
    ended = true;
    code = result;
  });
  windows_.push_back(&window);
  window.setModal(true);
  window.show();
  while (!ended) {
    if (commands_.empty()) {
      Fail("the commands end with window \"" + title + "\" open: cancelled");
      window.close();  // as its Cancel button would
      if (!ended) window.done(QDialog::Rejected);
      break;
    }
    ScriptCommand command = std::move(commands_.front());
    commands_.pop_front();
    Execute(command);
  }
  QObject::disconnect(finished);
  windows_.pop_back();
  out_ << "window closed\n";
  return code;
}

int ScriptedDialog::RunAlert(const AlertRequest& alert) {
  out_ << "alert: " << alert.informativeText.toStdString() << "\n";
  return 0;
}

void ScriptedDialog::Execute(const ScriptCommand& command) {
  const std::string& verb = command.verb;
  if (verb == "panels") {
    for (const OfferedPanel& offered : panels_.Panels()) out_ << offered.kind << "\t" << offered.name << "\n";
  } else if (verb == "summary") {
    for (const auto& [title, value] : panels_.Summary()) out_ << title << "\t" << value << "\n";
  } else if (verb == "open") {
    std::string error;
    if (!windows_.empty()) {
      Fail(command.line + ": a window is open");
    } else if (panels_.IndexOfKind(command.argument) < 0) {
      Fail(command.line + ": no such panel");
    } else if (!panels_.Show(panels_.IndexOfKind(command.argument), &error)) {
      Fail(command.line + ": " + error);
    }
  } else if (verb == "print") {
    Print(command);
  } else if (verb == "submit") {
    Submit(command);
  } else if (verb == "state") {
    State(command);
  } else if (verb == "items") {
    Items(command);
  } else if (verb == "set") {
    SetValue(command);
  } else {
    Act(command);
  }
}

// ---- reaching elements ------------------------------------------------------------------

QWidget* ScriptedDialog::Reachable(const ScriptCommand& command) {
  QWidget* element = nullptr;
  if (!windows_.empty()) {
    element = FindInWindow(windows_.back(), command.tag);
  } else if (QWidget* view = panels_.ShownView()) {
    element = FindInWindow(view->window(), command.tag);
  } else {
    Fail(command.line + ": no panel is open");
    return nullptr;
  }
  if (element == nullptr) {
    Fail(command.line + (windows_.empty() ? ": no such control" : ": no such control in the open window"));
  }
  return element;
}

QWidget* ScriptedDialog::Inspectable(const ScriptCommand& command) {
  QWidget* element = windows_.empty() ? nullptr : FindElementByTag(windows_.back(), command.tag);
  QWidget* view = panels_.ShownView();
  if (element == nullptr && view != nullptr) element = FindElementByTag(view, command.tag);
  if (element == nullptr) Fail(command.line + (view == nullptr ? ": no panel is open" : ": no such control"));
  return element;
}

void ScriptedDialog::State(const ScriptCommand& command) {
  QWidget* element = Inspectable(command);
  if (element == nullptr) return;
  std::optional<std::string> value;
  int owner = panels_.IndexHolding(element);
  if (owner >= 0) value = panels_.Panels()[static_cast<size_t>(owner)].panel->scriptValue(command.tag);
  out_ << command.tag << " enabled=" << (element->isEnabled() ? 1 : 0)
       << " hidden=" << (element->isVisibleTo(element->window()) ? 0 : 1)
       << " value=" << (value ? *value : ElementValue(element)) << "\n";
}

void ScriptedDialog::Items(const ScriptCommand& command) {
  QWidget* element = Inspectable(command);
  if (element == nullptr) return;
  auto* menu = qobject_cast<QComboBox*>(element);
  if (menu == nullptr) {
    Fail(command.line + ": not a list");
    return;
  }
  for (int i = 0; i < menu->count(); ++i) {
    bool enabled = menu->model()->flags(menu->model()->index(i, 0)) & Qt::ItemIsEnabled;
    out_ << i + 1 << "\tenabled=" << (enabled ? 1 : 0) << "\t" << menu->itemText(i).toStdString() << "\n";
  }
}

void ScriptedDialog::SetValue(const ScriptCommand& command) {
  QWidget* element = Reachable(command);
  if (element == nullptr) return;
  int owner = panels_.IndexHolding(element);
  if (owner < 0 || !panels_.Panels()[static_cast<size_t>(owner)].panel->scriptSetValue(command.tag, command.argument)) {
    Fail(command.line + ": the control takes no such value");
  }
}

// ---- acting as a person would ---------------------------------------------------------

void ScriptedDialog::Act(const ScriptCommand& command) {
  QWidget* element = Reachable(command);
  if (element == nullptr) return;
  if (!element->isEnabled() || !element->isVisibleTo(element->window())) {
    Fail(command.line + (element->isEnabled() ? ": the control is hidden" : ": the control is disabled"));
    return;
  }
  const std::string& verb = command.verb;
  int number = 0;
  ParseInt(command.argument, &number);
  if (auto* menu = qobject_cast<QComboBox*>(element); menu != nullptr && verb == "select") {
    if (number < 1 || number > menu->count()) {
      Fail(command.line + ": no such item");
    } else if (!(menu->model()->flags(menu->model()->index(number - 1, 0)) & Qt::ItemIsEnabled)) {
      Fail(command.line + ": the item is disabled");
    } else {
      menu->setCurrentIndex(number - 1);
      Q_EMIT menu->activated(number - 1);
    }
  } else if (auto* button = qobject_cast<QAbstractButton*>(element); button != nullptr && verb == "check") {
    if (!button->isCheckable()) {
      Fail(command.line + ": not a check box");
    } else if (button->isChecked() != (number == 1)) {
      if (number == 0 && qobject_cast<QRadioButton*>(button) != nullptr && button->autoExclusive()) {
        Fail(command.line + ": a radio button goes off when another is chosen");
      } else {
        button->click();
      }
    }
  } else if (button != nullptr && verb == "press") {
    button->click();
  } else if (auto* field = qobject_cast<QLineEdit*>(element); field != nullptr && verb == "type") {
    field->setFocus();
    field->selectAll();
    QString text = QString::fromStdString(command.argument);
    if (text.isEmpty()) SendKey(field, Qt::Key_Delete);
    for (qsizetype i = 0; i < text.size(); ++i) {
      bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
      SendKey(field, 0, text.mid(i, pair ? 2 : 1));
      if (pair) ++i;
    }
    EndEditing(field);
  } else if (auto* clock = qobject_cast<QTimeEdit*>(element); clock != nullptr && verb == "time") {
    QTime time;
    ParseTime(command.argument, &time);
    clock->setTime(time);
    EndEditing(clock);
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(element); slider != nullptr && verb == "slide") {
    if (number < slider->minimum() || number > slider->maximum()) {
      Fail(command.line + ": out of the slider's range");
      return;
    }
    slider->setSliderDown(true);
    slider->setSliderPosition(number);
    slider->setSliderDown(false);
  } else if (auto* stepper = qobject_cast<QAbstractSpinBox*>(element); stepper != nullptr && verb == "step") {
    for (int clicks = 0; qRound(StepperValue(stepper)) != number; ++clicks) {
      double before = StepperValue(stepper);
      stepper->stepBy(number > before ? 1 : -1);
      if (StepperValue(stepper) == before || clicks > 100000) {
        Fail(command.line + ": the stepper does not reach " + command.argument);
        return;
      }
    }
  } else {
    Fail(command.line + ": the control does not take " + verb);
  }
}

// ---- printing -----------------------------------------------------------------------------

void ScriptedDialog::Print(const ScriptCommand& command) {
  if (!windows_.empty()) {
    Fail(command.line + ": a window is open");
    return;
  }
  printGo_ = panels_.ShouldPrint();
  if (!*printGo_) {
    out_ << "print: stop\n";
    return;
  }
  if (!session_.SaveRememberedValues()) Fail("cannot keep the remembered values in " + session_.RememberedValuesPath());
  jobOptions_ = session_.JobOptions();
  out_ << "print: go\n";
  for (const auto& [name, value] : jobOptions_) out_ << name << "=" << value << "\n";
}

void ScriptedDialog::Submit(const ScriptCommand& command) {
  if (!session_.HasQueue()) {
    Fail(command.line + ": submitting needs --queue");
    return;
  }
  if (!printGo_) Print(command);
  if (!printGo_ || !*printGo_) {
    Fail(command.line + ": printing was stopped; nothing is submitted");
    return;
  }
  std::string error;
  int job = session_.SubmitFile(command.argument, jobOptions_, &error);
  if (job == 0) {
    Fail(command.line + ": " + error);
  } else {
    out_ << "job: " << job << "\n";
  }
}

int RunScriptedDialog(const ScriptedDialogOptions& options, std::deque<ScriptCommand> commands, std::ostream& out,
                      std::ostream& err) {
  HostSession session;
  std::string error;
  bool opened =
      options.queue.empty() ? session.OpenPPDFile(options.ppd, &error) : session.OpenQueue(options.queue, &error);
  if (!opened) {
    err << "ovqdialog: " << error << "\n";
    return 1;
  }
  session.LoadRememberedValues();
  std::vector<std::string> problems;
  const std::vector<LoadedExtension>& extensions = ProcessExtensions(&problems);
  for (const std::string& problem : problems) err << "ovqdialog: " << problem << "\n";
  // Help pages are named, not opened: there is no screen.
  SetHelpOpener([&out](const std::string& url) {
    out << "help: " << url << "\n";
    return 0;
  });
  int status = 0;
  {
    DialogPanels panels;
    panels.Offer(extensions, options.dialogType, &session);
    ScriptedDialog dialog(session, panels, out, err);
    std::vector<std::string> restoreProblems;
    panels.RestoreAll(&restoreProblems);
    for (const std::string& problem : restoreProblems) dialog.Fail(problem);
    status = dialog.Run(std::move(commands));
  }
  SetHelpOpener(nullptr);
  return status;
}
