// The scriptable print dialog without a screen (ovqdialog): commands act on the
// panels' controls by tag as a person would, modal windows and alerts are
// answered from the same commands, and the dialog prints what it would send.
#pragma once
#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "dialog_panels.h"
#include "host_session.h"
#include "modal_service.h"

class QDialog;
class QWidget;

// One command: its verb, its tag (when it takes one), its other argument (the
// rest of the line after the tag for type, set and submit).
struct ScriptCommand {
  std::string line;  // as written, for messages
  std::string verb;
  int tag = 0;
  std::string argument;
};

// Parses one command; false with `error` set for an unknown verb or arguments
// that do not fit it.
bool ParseScriptCommand(const std::string& line, ScriptCommand* command, std::string* error);

class ScriptedDialog : public ModalRunner {
 public:
  ScriptedDialog(HostSession& session, DialogPanels& panels, std::ostream& out, std::ostream& err);
  ~ScriptedDialog() override;
  ScriptedDialog(const ScriptedDialog&) = delete;
  ScriptedDialog& operator=(const ScriptedDialog&) = delete;

  // Runs the commands in order (modal windows take the commands that follow
  // them); 0 when every command ran, 1 when one could not.
  int Run(std::deque<ScriptCommand> commands);
  // Marks the run as failed with a line on the error stream.
  void Fail(const std::string& message);

  // The modal service: a window takes the next commands until it closes; when
  // none are left it is cancelled as its Cancel button would. An alert prints
  // its text and is answered with its first button.
  int RunWindow(QDialog& window) override;
  int RunAlert(const AlertRequest& alert) override;

 private:
  void Execute(const ScriptCommand& command);
  void Print(const ScriptCommand& command);
  void Submit(const ScriptCommand& command);
  void State(const ScriptCommand& command);
  void Items(const ScriptCommand& command);
  void SetValue(const ScriptCommand& command);
  void Act(const ScriptCommand& command);
  // The element a person can reach now: in the open modal window, else in the shown panel's view.
  QWidget* Reachable(const ScriptCommand& command);
  // Any element of the shown panel or its windows, or of the open modal window.
  QWidget* Inspectable(const ScriptCommand& command);

  HostSession& session_;
  DialogPanels& panels_;
  std::ostream& out_;
  std::ostream& err_;
  std::deque<ScriptCommand> commands_;
  std::vector<QDialog*> windows_;
  ModalRunner* previousRunner_ = nullptr;
  int status_ = 0;
  std::optional<bool> printGo_;
  std::vector<JobOption> jobOptions_;
};

// Everything ovqdialog does after reading its arguments: open the queue or PPD,
// load the extensions, offer and restore the panels, run the commands. Needs a
// QApplication. Returns the exit status (0 or 1).
struct ScriptedDialogOptions {
  std::string queue = {};
  std::string ppd = {};
  std::string dialogType = {};
};
int RunScriptedDialog(const ScriptedDialogOptions& options, std::deque<ScriptCommand> commands, std::ostream& out,
                      std::ostream& err);
