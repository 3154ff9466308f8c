// PPD options in the print dialog: a list bound to one option of the session's
// PPD, which marks its choices through the host session and shows the choices
// that conflict with the other marks as disabled; and the "Printer Features"
// page, one such list per option, grouped as the PPD groups them.
#pragma once
#include <QComboBox>
#include <QScrollArea>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "pde_callback.h"

struct ppd_option_s;

// Told the keyword of the option whose mark a person changed.
using MarkedHandler = std::function<void(const std::string& keyword)>;

class PPDChoiceBox : public QComboBox {
 public:
  explicit PPDChoiceBox(QWidget* parent = nullptr);
  // Binds the list to `keyword` of the host's PPD ("Custom" choices left out);
  // without such an option the list is empty and disabled. nullptr unbinds.
  void Bind(PDEHostCallback* host, const std::string& keyword);
  const std::string& Keyword() const { return keyword_; }
  bool IsBound() const { return host_ != nullptr; }
  void SetMarkedHandler(MarkedHandler handler) { marked_ = std::move(handler); }
  // Selects the marked choice and disables the choices that would conflict with
  // the other marks.
  void Refresh();

 private:
  void Choose(int index);

  PDEHostCallback* host_ = nullptr;
  std::string keyword_;
  MarkedHandler marked_;
};

// Every option of the PPD but those of the installable-options group and
// `excluded`, grouped by the PPD's groups (their subgroups inside them).
class PrinterFeaturesPage : public QScrollArea {
 public:
  PrinterFeaturesPage(PDEHostCallback* host, const std::set<std::string>& excluded, MarkedHandler marked,
                      QWidget* parent = nullptr);
  void Refresh();
  const std::vector<PPDChoiceBox*>& Boxes() const { return boxes_; }

 private:
  std::vector<PPDChoiceBox*> boxes_;
};

// Text of a PPD option or choice as the PPD names it for people (its keyword when it has no text).
QString PPDText(const char* text, const char* keyword);
