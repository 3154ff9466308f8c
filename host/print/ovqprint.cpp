// ovqprint: the print dialog for people. Prints documents (PDF, PostScript,
// text, images: CUPS converts them) through CUPS as one job, with every option
// of the printer and the panels of the print-dialog extensions.
//   ovqprint [--queue NAME] FILE...
// Exit status: 0 the job was sent, 1 an error, 2 a usage error, 3 cancelled.
#include <QApplication>
#include <QIcon>
#include <iostream>
#include <string>
#include <vector>

#include "modal_service.h"
#include "print_dialog.h"
#include "printer_list.h"
#include "ui_support.h"

namespace {

constexpr int kSent = 0;
constexpr int kError = 1;
constexpr int kUsage = 2;
constexpr int kCancelled = 3;

constexpr char kUsageText[] = "usage: ovqprint [--queue NAME] FILE...\n";

int UsageError(const std::string& message) {
  std::cerr << "ovqprint: " << message << "\n" << kUsageText;
  return kUsage;
}

// A problem before the dialog opens: on standard error and in an alert, for
// a person who opened the files from a file manager.
int StartError(const QString& message, const QString& details) {
  std::cerr << "ovqprint: " << message.toStdString() << " " << details.toStdString() << "\n";
  RunAlert(AlertRequest{.icon = QMessageBox::Critical, .messageText = message, .informativeText = details});
  return kError;
}

}  // namespace

int main(int argc, char** argv) {
  std::string queue;
  std::vector<std::string> files;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (options && argument == "--") {
      options = false;
    } else if (options && argument == "--queue") {
      if (i + 1 >= argc) return UsageError("--queue needs a value");
      queue = argv[++i];
    } else if (options && (argument == "--help" || argument == "-h")) {
      std::cout << kUsageText;
      return kSent;
    } else if (options && argument.size() > 1 && argument[0] == '-') {
      return UsageError("unknown option " + argument);
    } else {
      files.push_back(argument);
    }
  }
  if (files.empty()) return UsageError("no file to print");

  QApplication application(argc, argv);
  QApplication::setApplicationName("ovqprint");
  QGuiApplication::setDesktopFileName("ovqprint");
  QApplication::setWindowIcon(QIcon::fromTheme("ovqprint", QIcon::fromTheme("printer")));
  InstallHostUI();

  for (const std::string& file : files) {
    std::string problem;
    if (!ReadableDocument(file, &problem)) {
      return StartError("The document cannot be printed.", QString::fromStdString(file + ": " + problem));
    }
  }
  std::vector<PrinterEntry> printers = ListPrinters();
  if (printers.empty()) return StartError("There is no printer to print on.", "Add a printer to CUPS first.");
  PrintDialog dialog(printers, files);
  int index = queue.empty() ? 0 : dialog.IndexOfPrinter(queue);
  if (index < 0) return StartError("There is no such printer.", QString::fromStdString(queue));
  dialog.ChoosePrinter(index);
  dialog.exec();
  if (dialog.JobID() == 0) return kCancelled;
  std::cout << "job: " << dialog.JobID() << "\n";
  return kSent;
}
