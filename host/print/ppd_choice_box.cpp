#include "ppd_choice_box.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QStandardItemModel>
#include <QVBoxLayout>
#include <cstring>

#include "cups_ppd.h"

QString PPDText(const char* text, const char* keyword) {
  return QString::fromUtf8(text != nullptr && *text != '\0' ? text : keyword);
}

PPDChoiceBox::PPDChoiceBox(QWidget* parent) : QComboBox(parent) {
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) { Choose(index); });
}

void PPDChoiceBox::Bind(PDEHostCallback* host, const std::string& keyword) {
  clear();
  host_ = nullptr;
  keyword_ = keyword;
  ppd_option_t* option =
      host == nullptr || host->ppdFile() == nullptr ? nullptr : ppdFindOption(host->ppdFile(), keyword.c_str());
  if (option != nullptr) {
    host_ = host;
    for (int i = 0; i < option->num_choices; ++i) {
      const ppd_choice_t& choice = option->choices[i];
      if (std::strcmp(choice.choice, "Custom") == 0) continue;
      addItem(PPDText(choice.text, choice.choice), QString::fromUtf8(choice.choice));
    }
  }
  setEnabled(count() > 0);
  Refresh();
}

void PPDChoiceBox::Refresh() {
  if (host_ == nullptr) return;
  ppd_file_t* ppd = host_->ppdFile();
  auto* items = qobject_cast<QStandardItemModel*>(model());
  for (int i = 0; i < count(); ++i) {
    cups_option_t* conflicts = nullptr;
    int conflicting = cupsGetConflicts(ppd, keyword_.c_str(), itemData(i).toString().toUtf8().constData(), &conflicts);
    cupsFreeOptions(conflicting, conflicts);
    if (items != nullptr) items->item(i)->setEnabled(conflicting == 0);
  }
  ppd_choice_t* marked = ppdFindMarkedChoice(ppd, keyword_.c_str());
  int index = marked == nullptr ? -1 : findData(QString::fromUtf8(marked->choice));
  setCurrentIndex(index);
}

void PPDChoiceBox::Choose(int index) {
  if (host_ == nullptr || index < 0) return;
  ppd_choice_t* marked = ppdFindMarkedChoice(host_->ppdFile(), keyword_.c_str());
  std::string choice = itemData(index).toString().toStdString();
  if (marked != nullptr && choice == marked->choice) return;
  if (!host_->willChangePPDOptionKeyValue(keyword_.c_str(), choice.c_str())) {
    Refresh();  // refused: the previous choice stays
    return;
  }
  if (marked_) marked_(keyword_);
}

namespace {

bool IsInstallableGroup(const ppd_group_t& group) { return std::strcmp(group.name, "InstallableOptions") == 0; }

void AddOptions(const ppd_group_t& group, const std::set<std::string>& excluded, PDEHostCallback* host,
                QFormLayout* form, std::vector<PPDChoiceBox*>* boxes, const MarkedHandler& marked) {
  for (int i = 0; i < group.num_options; ++i) {
    const ppd_option_t& option = group.options[i];
    if (excluded.count(option.keyword) != 0) continue;
    auto* box = new PPDChoiceBox;
    box->setObjectName(QString::fromUtf8(option.keyword));
    box->Bind(host, option.keyword);
    box->SetMarkedHandler(marked);
    // A PPD's "&" is text, not a mnemonic.
    auto* label = new QLabel(PPDText(option.text, option.keyword).replace('&', "&&") + ":");
    label->setBuddy(box);
    form->addRow(label, box);
    boxes->push_back(box);
  }
  for (int i = 0; i < group.num_subgroups; ++i) AddOptions(group.subgroups[i], excluded, host, form, boxes, marked);
}

}  // namespace

PrinterFeaturesPage::PrinterFeaturesPage(PDEHostCallback* host, const std::set<std::string>& excluded,
                                         MarkedHandler marked, QWidget* parent)
    : QScrollArea(parent) {
  setWidgetResizable(true);
  setFrameShape(QFrame::NoFrame);
  auto* content = new QWidget;
  auto* column = new QVBoxLayout(content);
  ppd_file_t* ppd = host == nullptr ? nullptr : host->ppdFile();
  for (int g = 0; ppd != nullptr && g < ppd->num_groups; ++g) {
    const ppd_group_t& group = ppd->groups[g];
    if (IsInstallableGroup(group)) continue;
    auto* box = new QGroupBox(PPDText(group.text, group.name).replace('&', "&&"));
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    size_t before = boxes_.size();
    AddOptions(group, excluded, host, form, &boxes_, marked);
    if (boxes_.size() == before) {
      delete box;
      continue;
    }
    column->addWidget(box);
  }
  if (boxes_.empty()) column->addWidget(new QLabel(tr("This printer has no further features.")));
  column->addStretch(1);
  setWidget(content);
}

void PrinterFeaturesPage::Refresh() {
  for (PPDChoiceBox* box : boxes_) box->Refresh();
}
