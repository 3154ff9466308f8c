#include "print_dialog.h"

#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <set>

#include "cups_ppd.h"
#include "extensions.h"
#include "help_viewer.h"
#include "modal_service.h"
#include "ppd_choice_box.h"

#ifndef OVQ_INSTALLED_HELP_PAGE
#error "the build names the installed help page"
#endif

namespace {

constexpr int kLayoutPage = 0;
constexpr int kFeaturesPage = 1;
constexpr char kLastUsedMarkPrefix[] = "ppd.";

// Options the dialog shows elsewhere or never: paper size and two-sided on top,
// the page region that follows the paper size.
const std::set<std::string> kTopOptions = {"PageSize", "PageRegion", "Duplex"};

struct Named {
  int value;
  const char* title;
};
constexpr Named kOrientations[] = {{kPortrait, "Portrait"},
                                   {kLandscape, "Landscape"},
                                   {kReverseLandscape, "Reverse landscape"},
                                   {kReversePortrait, "Reverse portrait"}};
constexpr Named kDirections[] = {{kAcrossThenDown, "Across, then down"},
                                 {kAcrossRightToLeftThenDown, "Across from the right, then down"},
                                 {kDownThenAcross, "Down, then across"},
                                 {kDownThenAcrossRightToLeft, "Down, then across from the right"}};

void SelectData(QComboBox* box, int value) {
  int index = box->findData(value);
  box->setCurrentIndex(index < 0 ? 0 : index);
}

void Alert(QWidget* parent, QMessageBox::Icon icon, const QString& message, const QString& details) {
  RunAlert(AlertRequest{.icon = icon, .messageText = message, .informativeText = details, .parent = parent});
}

bool IsInstallable(ppd_file_t* ppd, const char* keyword) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    if (std::strcmp(ppd->groups[g].name, "InstallableOptions") != 0) continue;
    for (int i = 0; i < ppd->groups[g].num_options; ++i) {
      if (std::strcmp(ppd->groups[g].options[i].keyword, keyword) == 0) return true;
    }
  }
  return false;
}

}  // namespace

// The sheet with its cells numbered in the order the pages take them.
class LayoutPreview : public QWidget {
 public:
  explicit LayoutPreview(QWidget* parent = nullptr) : QWidget(parent) {
    setMinimumSize(120, 120);
    setAccessibleName("Layout preview");
  }
  void Set(int pagesPerSheet, int orientation, int direction) {
    grid_ = LayoutGridFor(pagesPerSheet, orientation).value_or(LayoutGrid{});
    landscape_ = IsLandscape(orientation);
    direction_ = direction;
    update();
  }
  QSize sizeHint() const override { return {170, 170}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QSizeF sheet = landscape_ ? QSizeF(1.414, 1.0) : QSizeF(1.0, 1.414);
    sheet.scale(QSizeF(size()) * 0.9, Qt::KeepAspectRatio);
    QRectF page(QPointF((width() - sheet.width()) / 2, (height() - sheet.height()) / 2), sheet);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(page);
    double cellWidth = page.width() / grid_.columns;
    double cellHeight = page.height() / grid_.rows;
    QFont font = painter.font();
    font.setPixelSize(std::max(8, static_cast<int>(std::min(cellWidth, cellHeight) * 0.45)));
    painter.setFont(font);
    int cells = grid_.rows * grid_.columns;
    for (int k = 0; k < cells; ++k) {
      bool across = direction_ == kAcrossThenDown || direction_ == kAcrossRightToLeftThenDown;
      bool fromRight = direction_ == kAcrossRightToLeftThenDown || direction_ == kDownThenAcrossRightToLeft;
      int row = across ? k / grid_.columns : k % grid_.rows;
      int column = across ? k % grid_.columns : k / grid_.rows;
      if (fromRight) column = grid_.columns - 1 - column;
      QRectF cell(page.left() + column * cellWidth, page.top() + row * cellHeight, cellWidth, cellHeight);
      QRectF inner = cell.adjusted(3, 3, -3, -3);
      painter.setBrush(palette().color(QPalette::AlternateBase));
      painter.drawRect(inner);
      painter.drawText(inner, Qt::AlignCenter, QString::number(k + 1));
    }
  }

 private:
  LayoutGrid grid_;
  bool landscape_ = false;
  int direction_ = kAcrossThenDown;
};

std::string HostHelpPagePath() {
  std::string bin = ExecutableFolder();
  std::string beside = bin.empty() ? "" : bin.substr(0, bin.rfind('/')) + "/share/ovq/help/ovqprint.html";
  if (!beside.empty() && access(beside.c_str(), R_OK) == 0) return beside;
  return OVQ_INSTALLED_HELP_PAGE;
}

PrintDialog::PrintDialog(std::vector<PrinterEntry> printers, std::vector<std::string> files, QWidget* parent)
    : QDialog(parent), printers_(std::move(printers)), files_(std::move(files)) {
  QString title = files_.size() == 1
                      ? QString("Print \u201C%1\u201D").arg(QFileInfo(QString::fromStdString(files_[0])).fileName())
                      : QString("Print %1 documents").arg(files_.size());
  setWindowTitle(title);
  setObjectName("ovqprint");
  auto* outer = new QVBoxLayout(this);
  body_ = new QWidget;
  auto* column = new QVBoxLayout(body_);
  column->setContentsMargins(0, 0, 0, 0);
  auto* form = new QFormLayout;
  BuildTop(form);
  column->addLayout(form);

  auto* middle = new QHBoxLayout;
  pageList_ = new QListWidget;
  pageList_->setObjectName("pageList");
  pageList_->setAccessibleName("Settings pages");
  pageList_->setMaximumWidth(190);
  pages_ = new QStackedWidget;
  pages_->addWidget(BuildLayoutPage());
  features_ = nullptr;
  pages_->addWidget(new QWidget);  // the printer's features, once a printer is open
  summary_ = new QTreeWidget;
  summary_->setObjectName("summary");
  summary_->setColumnCount(2);
  summary_->setHeaderLabels({"Setting", "Value"});
  summary_->setRootIsDecorated(true);
  pages_->addWidget(summary_);
  middle->addWidget(pageList_);
  middle->addWidget(pages_, 1);
  column->addLayout(middle, 1);
  outer->addWidget(body_, 1);

  progress_ = new QProgressBar;
  progress_->setObjectName("progress");
  progress_->setRange(0, 1000);
  progress_->setFormat("Sending %p%");
  progress_->hide();
  outer->addWidget(progress_);

  auto* buttons = new QDialogButtonBox;
  QPushButton* help = buttons->addButton(QDialogButtonBox::Help);
  help->setText("&Help");
  help->setIcon(QIcon::fromTheme("help-browser"));  // the style's fallback looks like a failure
  help->setObjectName("help");
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName("cancel");
  printButton_ = buttons->addButton("&Print", QDialogButtonBox::AcceptRole);
  printButton_->setObjectName("print");
  printButton_->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] { Print(); });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { reject(); });
  connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { ShowHelp(); });
  outer->addWidget(buttons);

  connect(pageList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0 && row != ShownPage() && !ShowPage(row)) {
      QSignalBlocker block(pageList_);
      pageList_->setCurrentRow(ShownPage());
    }
  });
  for (const PrinterEntry& printer : printers_) {
    QString text = QString::fromStdString(printer.name);
    if (!printer.info.empty() && printer.info != printer.name)
      text += " (" + QString::fromStdString(printer.info) + ")";
    printer_->addItem(text);
  }
  connect(printer_, qOverload<int>(&QComboBox::activated), this, [this](int index) { ChoosePrinter(index); });
  RebuildPages();
  resize(sizeHint().expandedTo(QSize(720, 560)));
}

PrintDialog::~PrintDialog() { ClosePrinter(); }

void PrintDialog::BuildTop(QFormLayout* form) {
  auto addRow = [form](const char* label, QWidget* field) {
    auto* title = new QLabel(label);
    title->setBuddy(field);
    form->addRow(title, field);
  };
  printer_ = new QComboBox;
  printer_->setObjectName("printer");
  addRow("P&rinter:", printer_);
  printerState_ = new QLabel;
  printerState_->setObjectName("printerState");
  form->addRow(QString(), printerState_);

  auto* copiesRow = new QWidget;
  auto* copiesLayout = new QHBoxLayout(copiesRow);
  copiesLayout->setContentsMargins(0, 0, 0, 0);
  copies_ = new QSpinBox;
  copies_->setObjectName("copies");
  copies_->setRange(1, 9999);
  collate_ = new QCheckBox("Co&llated");
  collate_->setObjectName("collate");
  collate_->setChecked(true);
  collate_->setEnabled(false);
  connect(copies_, qOverload<int>(&QSpinBox::valueChanged), collate_, [this](int n) { collate_->setEnabled(n > 1); });
  copiesLayout->addWidget(copies_);
  copiesLayout->addWidget(collate_);
  copiesLayout->addStretch(1);
  addRow("&Copies:", copiesRow);
  copiesRow->setFocusProxy(copies_);

  auto* pagesRow = new QWidget;
  auto* pagesLayout = new QHBoxLayout(pagesRow);
  pagesLayout->setContentsMargins(0, 0, 0, 0);
  allPages_ = new QRadioButton("&All");
  allPages_->setObjectName("allPages");
  allPages_->setChecked(true);
  somePages_ = new QRadioButton("&From:");
  somePages_->setObjectName("somePages");
  pageRanges_ = new QLineEdit;
  pageRanges_->setObjectName("pageRanges");
  pageRanges_->setPlaceholderText("1-3, 5");
  pageRanges_->setAccessibleName("Page ranges");
  pageRanges_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 ,-]*"), pageRanges_));
  pageRanges_->setEnabled(false);
  connect(somePages_, &QRadioButton::toggled, pageRanges_, &QWidget::setEnabled);
  pagesLayout->addWidget(allPages_);
  pagesLayout->addWidget(somePages_);
  pagesLayout->addWidget(pageRanges_, 1);
  addRow("Pages:", pagesRow);
  pagesRow->setFocusProxy(allPages_);

  paperSize_ = new PPDChoiceBox;
  paperSize_->setObjectName("paperSize");
  paperSize_->SetMarkedHandler([this](const std::string& keyword) { OnMarked(keyword); });
  addRow("Paper si&ze:", paperSize_);
  orientation_ = new QComboBox;
  orientation_->setObjectName("orientation");
  for (const Named& orientation : kOrientations) orientation_->addItem(orientation.title, orientation.value);
  connect(orientation_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { UpdateLayoutPreview(); });
  addRow("&Orientation:", orientation_);
  twoSided_ = new PPDChoiceBox;
  twoSided_->setObjectName("twoSided");
  twoSided_->SetMarkedHandler([this](const std::string& keyword) { OnMarked(keyword); });
  addRow("T&wo-sided:", twoSided_);
}

QWidget* PrintDialog::BuildLayoutPage() {
  auto* page = new QWidget;
  page->setObjectName("layoutPage");
  auto* row = new QHBoxLayout(page);
  auto* form = new QFormLayout;
  pagesPerSheet_ = new QComboBox;
  pagesPerSheet_->setObjectName("pagesPerSheet");
  for (int count : kPagesPerSheet) pagesPerSheet_->addItem(QString::number(count), count);
  layoutDirection_ = new QComboBox;
  layoutDirection_->setObjectName("layoutDirection");
  for (const Named& direction : kDirections) layoutDirection_->addItem(direction.title, direction.value);
  auto* perSheet = new QLabel("Pa&ges per sheet:");
  perSheet->setBuddy(pagesPerSheet_);
  auto* direction = new QLabel("Layout &direction:");
  direction->setBuddy(layoutDirection_);
  form->addRow(perSheet, pagesPerSheet_);
  form->addRow(direction, layoutDirection_);
  preview_ = new LayoutPreview;
  row->addLayout(form, 1);
  row->addWidget(preview_, 0, Qt::AlignTop);
  connect(pagesPerSheet_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { UpdateLayoutPreview(); });
  connect(layoutDirection_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { UpdateLayoutPreview(); });
  UpdateLayoutPreview();
  return page;
}

void PrintDialog::UpdateLayoutPreview() {
  if (preview_ == nullptr || pagesPerSheet_ == nullptr) return;
  PrintChoices choices = Choices();
  preview_->Set(choices.pagesPerSheet, choices.orientation, choices.layoutDirection);
  layoutDirection_->setEnabled(choices.pagesPerSheet > 1);
}

// ---- the printer -----------------------------------------------------------------------------------

int PrintDialog::IndexOfPrinter(const std::string& name) const {
  for (size_t i = 0; i < printers_.size(); ++i) {
    if (printers_[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void PrintDialog::ClosePrinter() {
  if (panels_ != nullptr) {
    for (QScrollArea* page : panelPages_) {
      if (QWidget* view = page->takeWidget()) view->setParent(nullptr);  // the panel deletes its view
    }
  }
  for (QScrollArea* page : panelPages_) {
    pages_->removeWidget(page);
    delete page;
  }
  panelPages_.clear();
  if (features_ != nullptr) {
    QWidget* placeholder = new QWidget;
    pages_->insertWidget(kFeaturesPage, placeholder);
    pages_->removeWidget(features_);
    delete features_;
    features_ = nullptr;
  }
  paperSize_->Bind(nullptr, "PageSize");
  twoSided_->Bind(nullptr, "Duplex");
  panels_.reset();
  session_.reset();
}

bool PrintDialog::ChoosePrinter(int index) {
  if (index < 0 || static_cast<size_t>(index) >= printers_.size()) return false;
  if (panels_ != nullptr) {
    std::string error;
    panels_->Leave(&error);
  }
  ClosePrinter();
  {
    QSignalBlocker block(printer_);
    printer_->setCurrentIndex(index);
  }
  const PrinterEntry& printer = printers_[static_cast<size_t>(index)];
  printerState_->setText(QString::fromStdString(printer.state));
  session_ = std::make_unique<HostSession>();
  std::string error;
  bool opened = printer.ppdPath.empty() ? session_->OpenQueue(printer.name, &error)
                                        : session_->OpenPPDFile(printer.ppdPath, &error);
  if (!opened) {
    session_.reset();
    RebuildPages();
    printButton_->setEnabled(false);
    Alert(this, QMessageBox::Warning, "The printer cannot be used.", QString::fromStdString(error));
    return false;
  }
  std::map<std::string, std::string> lastUsed = session_->LastUsedSettings();
  SetChoices(ChoicesFromLastUsed(lastUsed));
  ApplyLastUsedMarks(lastUsed);
  session_->LoadRememberedValues();
  std::vector<std::string> problems;
  const std::vector<LoadedExtension>& extensions = ProcessExtensions(&problems);
  panels_ = std::make_unique<DialogPanels>();
  panels_->Offer(extensions, kPrintDialogTypeID, session_.get());
  panels_->RestoreAll(&problems);
  for (const std::string& problem : problems) std::cerr << "ovqprint: " << problem << "\n";
  paperSize_->Bind(session_.get(), "PageSize");
  twoSided_->Bind(session_.get(), "Duplex");
  if (!twoSided_->IsBound()) twoSided_->addItem("Not offered by this printer");
  printButton_->setEnabled(true);
  RebuildPages();
  return true;
}

void PrintDialog::ApplyLastUsedMarks(const std::map<std::string, std::string>& lastUsed) {
  ppd_file_t* ppd = session_->ppdFile();
  for (const auto& [name, value] : lastUsed) {
    if (name.rfind(kLastUsedMarkPrefix, 0) != 0) continue;
    std::string keyword = name.substr(std::strlen(kLastUsedMarkPrefix));
    if (!IsInstallable(ppd, keyword.c_str())) session_->willChangePPDOptionKeyValue(keyword.c_str(), value.c_str());
  }
}

std::map<std::string, std::string> PrintDialog::LastUsed() const {
  std::map<std::string, std::string> settings = LastUsedFromChoices(Choices());
  ppd_file_t* ppd = session_->ppdFile();
  for (ppd_option_t* option = ppdFirstOption(ppd); option != nullptr; option = ppdNextOption(ppd)) {
    ppd_choice_t* marked = ppdFindMarkedChoice(ppd, option->keyword);
    if (marked == nullptr || std::strcmp(marked->choice, option->defchoice) == 0 ||
        std::strcmp(marked->choice, "Custom") == 0 || IsInstallable(ppd, option->keyword)) {
      continue;
    }
    settings[kLastUsedMarkPrefix + std::string(option->keyword)] = marked->choice;
  }
  return settings;
}

void PrintDialog::RebuildPages() {
  int shown = ShownPage();
  if (session_ != nullptr) {
    std::set<std::string> excluded = kTopOptions;
    for (const OfferedPanel& offered : panels_->Panels()) {
      for (const std::string& keyword : offered.panel->supportedPPDOptionKeys()) excluded.insert(keyword);
    }
    features_ =
        new PrinterFeaturesPage(session_.get(), excluded, [this](const std::string& keyword) { OnMarked(keyword); });
    features_->setObjectName("features");
    QWidget* placeholder = pages_->widget(kFeaturesPage);
    pages_->insertWidget(kFeaturesPage, features_);
    pages_->removeWidget(placeholder);
    delete placeholder;
    int at = kFeaturesPage + 1;
    for (const OfferedPanel& offered : panels_->Panels()) {
      auto* page = new QScrollArea;
      page->setWidgetResizable(true);
      page->setFrameShape(QFrame::NoFrame);
      if (QWidget* view = offered.panel->panelView()) page->setWidget(view);
      pages_->insertWidget(at++, page);
      panelPages_.push_back(page);
    }
  }
  QSignalBlocker block(pageList_);
  pageList_->clear();
  pageList_->addItems(PageTitles());
  int row = shown >= 0 && shown < pageList_->count() - 1 && shown <= kFeaturesPage ? shown : kLayoutPage;
  pageList_->setCurrentRow(row);
  pages_->setCurrentIndex(row);
}

QStringList PrintDialog::PageTitles() const {
  QStringList titles = {"Layout", "Printer Features"};
  if (panels_ != nullptr) {
    for (const OfferedPanel& offered : panels_->Panels()) titles << QString::fromStdString(offered.name);
  }
  titles << "Summary";
  return titles;
}

int PrintDialog::ShownPage() const { return pages_ == nullptr ? -1 : pages_->currentIndex(); }

bool PrintDialog::ShowPage(int index) {
  int panelCount = panels_ == nullptr ? 0 : static_cast<int>(panels_->Panels().size());
  if (index < 0 || index >= pages_->count()) return false;
  std::string error;
  bool isPanel = index > kFeaturesPage && index <= kFeaturesPage + panelCount;
  bool left =
      panels_ == nullptr || (isPanel ? panels_->Show(index - kFeaturesPage - 1, &error) : panels_->Leave(&error));
  if (!left) {
    if (!error.empty()) std::cerr << "ovqprint: " << error << "\n";
    return false;
  }
  if (index == kFeaturesPage && features_ != nullptr) features_->Refresh();
  if (index == pages_->count() - 1) FillSummary();
  pages_->setCurrentIndex(index);
  QSignalBlocker block(pageList_);
  pageList_->setCurrentRow(index);
  return true;
}

// ---- choices and marks -------------------------------------------------------------------------------

PrintChoices PrintDialog::Choices() const {
  PrintChoices choices;
  choices.copies = copies_->value();
  choices.collate = collate_->isChecked();
  if (somePages_->isChecked()) choices.pageRanges = NormalizePageRanges(pageRanges_->text().toStdString()).value_or("");
  choices.orientation = orientation_->currentData().toInt();
  choices.pagesPerSheet = pagesPerSheet_->currentData().toInt();
  choices.layoutDirection = layoutDirection_->currentData().toInt();
  return choices;
}

void PrintDialog::SetChoices(const PrintChoices& choices) {
  copies_->setValue(choices.copies);
  collate_->setChecked(choices.collate);
  (choices.pageRanges.empty() ? allPages_ : somePages_)->setChecked(true);
  pageRanges_->setText(QString::fromStdString(choices.pageRanges));
  SelectData(orientation_, choices.orientation);
  SelectData(pagesPerSheet_, choices.pagesPerSheet);
  SelectData(layoutDirection_, choices.layoutDirection);
  UpdateLayoutPreview();
}

void PrintDialog::OnMarked(const std::string& keyword) {
  if (panels_ != nullptr) {
    ppd_choice_t* marked = ppdFindMarkedChoice(session_->ppdFile(), keyword.c_str());
    for (const OfferedPanel& offered : panels_->Panels()) {
      std::vector<std::string> keys = offered.panel->supportedPPDOptionKeys();
      if (marked != nullptr && std::find(keys.begin(), keys.end(), keyword) != keys.end()) {
        offered.panel->PPDOptionKeyValueDidChange(keyword.c_str(), marked->choice);
      }
    }
  }
  RefreshMarks();
}

void PrintDialog::RefreshMarks() {
  paperSize_->Refresh();
  twoSided_->Refresh();
  if (features_ != nullptr) features_->Refresh();
}

// ---- summary -------------------------------------------------------------------------------------------

std::vector<std::pair<std::string, std::string>> PrintDialog::SummaryLines() const {
  std::vector<std::pair<std::string, std::string>> lines;
  auto add = [&lines](const QString& title, const QString& value) {
    lines.emplace_back(title.toStdString(), value.toStdString());
  };
  PrintChoices choices = Choices();
  add("Printer", printer_->currentText());
  QStringList names;
  for (const std::string& file : files_) names << QFileInfo(QString::fromStdString(file)).fileName();
  add("Documents", names.join(", "));
  add("Copies", choices.copies == 1 ? QString("1")
                : choices.collate   ? QString("%1, collated").arg(choices.copies)
                                    : QString("%1, not collated").arg(choices.copies));
  add("Pages", choices.pageRanges.empty() ? QString("All") : QString::fromStdString(choices.pageRanges));
  add("Paper size", paperSize_->currentText());
  add("Orientation", orientation_->currentText());
  add("Two-sided", twoSided_->currentText());
  add("Pages per sheet", QString::number(choices.pagesPerSheet));
  if (choices.pagesPerSheet > 1) add("Layout direction", layoutDirection_->currentText());
  if (features_ != nullptr) {
    lines.emplace_back("Printer Features", "");
    for (PPDChoiceBox* box : features_->Boxes()) {
      ppd_option_t* option = ppdFindOption(session_->ppdFile(), box->Keyword().c_str());
      ppd_choice_t* marked = ppdFindMarkedChoice(session_->ppdFile(), box->Keyword().c_str());
      if (option != nullptr && marked != nullptr && std::strcmp(marked->choice, option->defchoice) != 0) {
        add(PPDText(option->text, option->keyword), PPDText(marked->text, marked->choice));
      }
    }
  }
  if (panels_ != nullptr) {
    for (const OfferedPanel& offered : panels_->Panels()) {
      lines.emplace_back(offered.name, "");
      PDESummary summary = offered.panel->summaryInfo();
      for (const std::string& title : summary.order) {
        auto value = summary.values.find(title);
        lines.emplace_back(title, value == summary.values.end() ? std::string() : value->second);
      }
    }
  }
  return lines;
}

void PrintDialog::FillSummary() {
  summary_->clear();
  std::set<std::string> sections = {"Printer Features"};
  if (panels_ != nullptr) {
    for (const OfferedPanel& offered : panels_->Panels()) sections.insert(offered.name);
  }
  QTreeWidgetItem* section = nullptr;
  for (const auto& [title, value] : SummaryLines()) {
    QStringList texts = {QString::fromStdString(title), QString::fromStdString(value)};
    if (value.empty() && sections.count(title) != 0) {
      section = new QTreeWidgetItem(summary_, texts);
      section->setFirstColumnSpanned(true);
      section->setExpanded(true);
    } else if (section != nullptr) {
      new QTreeWidgetItem(section, texts);
    } else {
      new QTreeWidgetItem(summary_, texts);
    }
  }
  summary_->expandAll();
  summary_->resizeColumnToContents(0);
}

// ---- help ------------------------------------------------------------------------------------------------

void PrintDialog::ShowHelp() {
  int panel = panels_ == nullptr ? -1 : panels_->Shown();
  if (panel >= 0 && !panels_->Panels()[static_cast<size_t>(panel)].panel->shouldShowHelp()) return;
  if (OpenHostHelpPage(HostHelpPagePath()) != 0) {
    Alert(this, QMessageBox::Information, "Help cannot be opened.",
          QString::fromStdString("The help page " + HostHelpPagePath() + " cannot be opened."));
  }
}

// ---- printing --------------------------------------------------------------------------------------------

bool PrintDialog::PrepareJob(std::vector<JobOption>* options) {
  if (session_ == nullptr) return false;
  if (somePages_->isChecked() && !NormalizePageRanges(pageRanges_->text().toStdString())) {
    Alert(this, QMessageBox::Warning, "The pages to print are not clear.",
          "Give page numbers and ranges in ascending order, separated by commas, for example 1-3, 5.");
    pageRanges_->setFocus();
    return false;
  }
  if (!panels_->ShouldPrint()) return false;
  WritePrintChoices(Choices(), session_->ppdFile(), *session_->printSettings());
  *options = session_->JobOptions();
  return true;
}

bool PrintDialog::Submit(const std::vector<JobOption>& options, std::string* error) {
  body_->setEnabled(false);
  printButton_->setEnabled(false);
  progress_->setValue(0);
  progress_->show();
  std::string title = QFileInfo(QString::fromStdString(files_.front())).fileName().toStdString();
  jobId_ = session_->SubmitFiles(
      files_, title, options,
      [this](size_t sent, size_t total) {
        progress_->setValue(
            total == 0 ? 1000 : static_cast<int>(static_cast<double>(sent) / static_cast<double>(total) * 1000));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      },
      error);
  progress_->hide();
  body_->setEnabled(true);
  printButton_->setEnabled(true);
  return jobId_ != 0;
}

void PrintDialog::Print() {
  if (printing_ || jobId_ != 0) return;  // never twice
  printing_ = true;
  std::vector<JobOption> options;
  std::string error;
  if (!PrepareJob(&options)) {
    printing_ = false;
    return;
  }
  if (!Submit(options, &error)) {
    printing_ = false;
    Alert(this, QMessageBox::Critical, "The document could not be printed.", QString::fromStdString(error));
    return;
  }
  if (!session_->SaveRememberedValues() || !session_->SaveLastUsedSettings(LastUsed())) {
    std::cerr << "ovqprint: cannot keep the printer's settings in " << session_->RememberedValuesPath() << "\n";
  }
  QString queue = QString::fromStdString(session_->Printer());
  Alert(this, QMessageBox::Information, QString("Sent to %1 as job %2.").arg(queue).arg(jobId_),
        QString("The printer's queue shows it as %1-%2.").arg(queue).arg(jobId_));
  printing_ = false;
  accept();
}

void PrintDialog::reject() {
  if (printing_) return;  // the job is on its way
  QDialog::reject();
}
