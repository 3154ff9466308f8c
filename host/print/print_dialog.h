// ovqprint's dialog: a desktop print dialog on the host session. The printer
// and the common choices (copies, pages, paper, orientation, two-sided) on top;
// a page selector with "Layout", "Printer Features", every panel the extensions
// offer for the printer and "Summary"; Help, Cancel and Print. Print asks every
// panel, writes the dialog's choices into the print settings and sends the
// documents to CUPS as one job.
#pragma once
#include <QDialog>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialog_panels.h"
#include "host_session.h"
#include "print_choices.h"
#include "printer_list.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTreeWidget;
class LayoutPreview;
class PPDChoiceBox;
class PrinterFeaturesPage;

class PrintDialog : public QDialog {
 public:
  PrintDialog(std::vector<PrinterEntry> printers, std::vector<std::string> files, QWidget* parent = nullptr);
  ~PrintDialog() override;

  // Chooses printer `index` of the list as a person does: its PPD, marks, last
  // used settings, remembered values and panels. False (with an alert) when
  // its PPD cannot be opened; Print is then disabled.
  bool ChoosePrinter(int index);
  // The list's index of the printer named `name`, or -1.
  int IndexOfPrinter(const std::string& name) const;
  HostSession* Session() const { return session_.get(); }
  DialogPanels* Panels() const { return panels_.get(); }

  PrintChoices Choices() const;
  void SetChoices(const PrintChoices& choices);

  // The selector's pages: "Layout", "Printer Features", the panels, "Summary".
  QStringList PageTitles() const;
  // Shows page `index`; false when the panel shown now refuses to be left.
  bool ShowPage(int index);
  int ShownPage() const;
  // The Printer Features page of the printer (nullptr before one is open).
  PrinterFeaturesPage* Features() const { return features_; }

  // Pressing Print up to the submission: every panel in order says whether
  // printing goes on (with its windows and alerts), then the dialog's choices
  // go into the print settings. The job's options, or false when printing
  // stops here (an alert says why when the dialog stops it).
  bool PrepareJob(std::vector<JobOption>* options);
  // Pressing Print: prepares the job and sends the documents with a progress
  // bar; CUPS's errors in an alert; when the job is sent, remembers the
  // printer's values and settings, shows the job and accepts the dialog.
  void Print();
  // The submitted job's ID; 0 before.
  int JobID() const { return jobId_; }
  // Help: the shown panel's own help, else the dialog's help page.
  void ShowHelp();
  // The Summary page's lines (title, value; a title alone heads a section).
  std::vector<std::pair<std::string, std::string>> SummaryLines() const;

  void reject() override;

 private:
  void BuildTop(class QFormLayout* form);
  QWidget* BuildLayoutPage();
  void ClosePrinter();
  void RebuildPages();
  void RefreshMarks();
  void OnMarked(const std::string& keyword);
  void UpdateLayoutPreview();
  void FillSummary();
  std::map<std::string, std::string> LastUsed() const;
  void ApplyLastUsedMarks(const std::map<std::string, std::string>& lastUsed);
  bool Submit(const std::vector<JobOption>& options, std::string* error);

  std::vector<PrinterEntry> printers_;
  std::vector<std::string> files_;
  std::unique_ptr<HostSession> session_;
  std::unique_ptr<DialogPanels> panels_;
  int jobId_ = 0;
  bool printing_ = false;

  QComboBox* printer_ = nullptr;
  QLabel* printerState_ = nullptr;
  QSpinBox* copies_ = nullptr;
  QCheckBox* collate_ = nullptr;
  QRadioButton* allPages_ = nullptr;
  QRadioButton* somePages_ = nullptr;
  QLineEdit* pageRanges_ = nullptr;
  PPDChoiceBox* paperSize_ = nullptr;
  QComboBox* orientation_ = nullptr;
  PPDChoiceBox* twoSided_ = nullptr;
  QComboBox* pagesPerSheet_ = nullptr;
  QComboBox* layoutDirection_ = nullptr;
  LayoutPreview* preview_ = nullptr;
  QListWidget* pageList_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  PrinterFeaturesPage* features_ = nullptr;
  std::vector<class QScrollArea*> panelPages_;
  QTreeWidget* summary_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* printButton_ = nullptr;
  QWidget* body_ = nullptr;
};

// The dialog's help page: share/ovq/help/ovqprint.html beside the program's
// bin folder, else in the installed prefix.
std::string HostHelpPagePath();
