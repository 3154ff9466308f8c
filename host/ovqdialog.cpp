// ovqdialog: the print dialog without a screen, for tests, support staff and
// automation.
//   ovqdialog (--queue NAME | --ppd FILE) [--type print|pagesetup] [COMMAND ...]
// Each command is one argument; "-" reads commands from standard input, one per line.
#include <QApplication>
#include <cstdlib>
#include <iostream>
#include <string>

#include "pde_plugin.h"
#include "scripted_dialog.h"
#include "ui_support.h"

namespace {

constexpr char kUsage[] =
    "usage: ovqdialog (--queue NAME | --ppd FILE) [--type print|pagesetup] [COMMAND ...]\n"
    "commands (one argument each; \"-\" reads them from standard input, one per line):\n"
    "  panels | open KIND | summary | print | submit FILE\n"
    "  select TAG N | check TAG 0|1 | type TAG TEXT | time TAG HH:MM | slide TAG N | step TAG N | press TAG\n"
    "  set TAG VALUE | state TAG | items TAG\n";

int UsageError(const std::string& message) {
  std::cerr << "ovqdialog: " << message << "\n" << kUsage;
  return 2;
}

bool AddCommand(const std::string& line, std::deque<ScriptCommand>* commands, std::string* error) {
  ScriptCommand command;
  if (!ParseScriptCommand(line, &command, error)) {
    *error = "\"" + line + "\": " + *error;
    return false;
  }
  commands->push_back(std::move(command));
  return true;
}

// Qt's own notes (platform plugin, runtime folder) are not the script's output.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  ScriptedDialogOptions options;
  options.dialogType = kPrintDialogTypeID;
  std::deque<ScriptCommand> commands;
  std::string error;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    bool valued = argument == "--queue" || argument == "--ppd" || argument == "--type";
    if (valued && i + 1 >= argc) return UsageError(argument + " needs a value");
    if (argument == "--queue") {
      options.queue = argv[++i];
    } else if (argument == "--ppd") {
      options.ppd = argv[++i];
    } else if (argument == "--type") {
      std::string type = argv[++i];
      if (type != "print" && type != "pagesetup") return UsageError("--type is print or pagesetup");
      options.dialogType = type == "print" ? kPrintDialogTypeID : kPageSetupDialogTypeID;
    } else if (argument == "-") {
      for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && !AddCommand(line, &commands, &error)) return UsageError(error);
      }
    } else if (argument.rfind("--", 0) == 0) {
      return UsageError("unknown option " + argument);
    } else if (!AddCommand(argument, &commands, &error)) {
      return UsageError(error);
    }
  }
  if (options.queue.empty() == options.ppd.empty()) return UsageError("give --queue or --ppd (one of them)");

  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // no screen, whatever the session has
  qInstallMessageHandler(QuietQtMessages);
  QApplication application(argc, argv);
  InstallHostUI();
  return RunScriptedDialog(options, std::move(commands), std::cout, std::cerr);
}
