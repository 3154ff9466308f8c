// Renders every page of ovqprint's dialog and every window of the extensions'
// panels to PNG files, as a person sees them, for the documentation:
//   ovqprint-screenshots FOLDER
// The dialog runs on queues of a private scheduler (the family's PPDs) with the
// extension bundles of this build; it needs an X server (scripts/screenshots.sh).
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFont>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <deque>
#include <functional>
#include <iostream>
#include <set>

#include "help_viewer.h"
#include "modal_service.h"
#include "print_dialog.h"
#include "printer_list.h"
#include "run_program.h"
#include "scheduler.h"
#include "ui_support.h"

namespace {

std::string g_folder;
int g_failures = 0;

void Fail(const std::string& message) {
  std::cerr << "ovqprint-screenshots: " << message << "\n";
  ++g_failures;
}

void Settle(QWidget* widget) {
  if (!QTest::qWaitForWindowExposed(widget)) Fail("a window does not show");
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::processEvents();
    QTest::qWait(20);
  }
}

// What the window shows, under a title bar with its title (Xvfb has no window
// manager to draw one).
QPixmap Framed(QWidget* window) {
  QPixmap content = window->grab();
  const int bar = window->fontMetrics().height() + 12;
  QPixmap framed(content.width(), content.height() + bar);
  framed.fill(window->palette().color(QPalette::Dark));
  QPainter painter(&framed);
  QFont font = window->font();
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(window->palette().color(QPalette::BrightText));
  painter.drawText(QRect(0, 0, content.width(), bar), Qt::AlignCenter, window->windowTitle());
  painter.drawPixmap(0, bar, content);
  return framed;
}

// Saves what `widget` shows as FOLDER/NAME.png; a name saved before gets a
// number.
void Save(QWidget* widget, const std::string& name) {
  static std::set<std::string> saved;
  Settle(widget);
  std::string unique = name;
  for (int n = 2; !saved.insert(unique).second; ++n) unique = name + "-" + std::to_string(n);
  std::string path = g_folder + "/" + unique + ".png";
  if (!Framed(widget).save(QString::fromStdString(path), "PNG")) {
    Fail("cannot write " + path);
  } else {
    std::cout << path << "\n";
  }
}

std::string Slug(const QString& title) {
  std::string slug;
  for (QChar c : title.toLower()) {
    if (c.isLetterOrNumber()) {
      slug += c.toLatin1();
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug;
}

// Every modal window is saved when it is on the screen, under the name the
// step that opens it expects, then acted on (or cancelled); alerts take their
// default button.
class Shooter : public ModalRunner {
 public:
  using Act = std::function<void(QDialog&)>;
  void Expect(std::string name, Act act = nullptr) { expected_.push_back({std::move(name), std::move(act)}); }
  bool Done() const { return expected_.empty(); }
  void Forget() { expected_.clear(); }

  int RunWindow(QDialog& window) override {
    Expected next = expected_.empty() ? Expected{"window-" + Slug(window.windowTitle()), nullptr} : expected_.front();
    if (!expected_.empty()) expected_.pop_front();
    QTimer::singleShot(0, &window, [&window, next] {
      Save(&window, next.name);
      if (next.act) {
        next.act(window);
      } else {
        window.close();  // as its Cancel button
      }
      if (window.isVisible()) {
        Fail(next.name + " stayed open");
        window.reject();
      }
    });
    return RealModalRunner().RunWindow(window);
  }

  int RunAlert(const AlertRequest& alert) override {
    QTimer::singleShot(0, [] {
      if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    return RealModalRunner().RunAlert(alert);
  }

 private:
  struct Expected {
    std::string name;
    Act act;
  };
  std::deque<Expected> expected_;
};

Shooter g_shooter;

QWidget* Tagged(QWidget* root, int tag) {
  QWidget* element = root == nullptr ? nullptr : FindElementByTag(root, tag);
  if (element == nullptr) Fail("no element tagged " + std::to_string(tag));
  return element;
}

void Press(QWidget* root, int tag) {
  if (auto* button = qobject_cast<QAbstractButton*>(Tagged(root, tag))) button->click();
}

// Chooses item `number` (from 1) of a list as a person does.
void Select(QWidget* root, int tag, int number) {
  if (auto* menu = qobject_cast<QComboBox*>(Tagged(root, tag))) {
    menu->setCurrentIndex(number - 1);
    Q_EMIT menu->activated(number - 1);
  }
}

void Type(QWidget* root, int tag, const char* text) {
  if (auto* field = qobject_cast<QLineEdit*>(Tagged(root, tag))) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }
}

// A step of a panel: opens windows through the panel's controls.
struct Step {
  std::string window;  // the file name of the window it opens
  std::function<void(PDEPanel&, QWidget* view)> open;
  Shooter::Act act = nullptr;
};

void SetValue(PDEPanel& panel, int tag, const char* value) {
  if (!panel.scriptSetValue(tag, value)) Fail("the panel's control " + std::to_string(tag) + " takes no " + value);
}

// The windows of each panel kind, and how a person opens them.
std::vector<Step> StepsFor(const std::string& kind) {
  if (kind == "nvxops15.pde.PrintTypeKind") {
    return {
        {"window-print-type-sample", [](PDEPanel&, QWidget* view) { Select(view, 101, 3); }},
        {"window-print-type-delayed",
         [](PDEPanel& p, QWidget* view) {
           SetValue(p, 101, "4");
           Press(view, 103);
         }},
        {"window-print-type-mailbox",
         [](PDEPanel& p, QWidget* view) {
           SetValue(p, 101, "5");
           Press(view, 103);
         }},
        {"window-print-type-secure", [](PDEPanel&, QWidget* view) { Select(view, 101, 2); },
         [](QDialog& window) {
           Type(&window, 1022, "alice");
           Type(&window, 1026, "1234");
           Press(&window, 1028);
         }},
    };
  }
  if (kind == "nvxops15.pde.AccountKind") {
    return {
        {"window-job-accounting-user-mode",
         [](PDEPanel& p, QWidget* view) {
           SetValue(p, 1001, "1");
           Press(view, 1002);
         },
         [](QDialog& window) { Press(&window, 2002); }},
        {"window-job-accounting-administration-mode",
         [](PDEPanel& p, QWidget* view) {
           SetValue(p, 1001, "2");
           Press(view, 1002);
         },
         [](QDialog& window) {
           if (auto* ask = qobject_cast<QAbstractButton*>(Tagged(&window, 3017)); ask != nullptr && !ask->isChecked()) {
             ask->click();
           }
           Press(&window, 3001);
         }},
        {"window-job-accounting-asked-at-print", [](PDEPanel& p, QWidget*) { p.shouldPrint(); }},
    };
  }
  return {};
}

// The panels of other extensions: every button of the panel is pressed in
// turn, and each window one opens is saved under its title.
void PressEveryButton(QWidget* view) {
  for (QPushButton* button : view->findChildren<QPushButton*>()) {
    if (button->isEnabled() && button->isVisibleTo(view)) button->click();
  }
}

int Run(const std::string& folder) {
  g_folder = folder;
  PrivateScheduler scheduler;
  std::string error;
  if (!scheduler.Start(BinaryPath("ovqfilter"), error)) {
    Fail(error);
    return 1;
  }
  std::string socket = scheduler.Folder() + "/cupsd.sock";
  for (const auto& [queue, model, description] : {std::tuple{"office", "OVQC300", "Colour printer, 2nd floor"},
                                                  std::tuple{"booklets", "OVQU700", "Booklets and binding, print room"},
                                                  std::tuple{"mono", "OVQM200", "Black and white, reception"}}) {
    if (scheduler.AddQueue(queue, SourcePath(std::string("ppd/") + model + ".ppd"), error).empty()) {
      Fail(error);
      return 1;
    }
    RunTool("/usr/sbin/lpadmin", {"-h", socket, "-p", queue, "-D", description});
  }
  RunTool("/usr/sbin/lpadmin", {"-h", socket, "-d", "office"});
  TempDir home;
  setenv("CUPS_SERVER", socket.c_str(), 1);
  setenv("HOME", home.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", home.File("config").c_str(), 1);
  setenv("OVQ_EXTENSIONS_PATH", OVQ_BINARY_DIR "/lib/ovq/extensions", 1);
  SetHelpOpener([](const std::string&) { return 0; });
  SetModalRunner(&g_shooter);

  PrintDialog dialog(ListPrinters(), {"/home/alice/Quarterly report.pdf"});
  if (!dialog.ChoosePrinter(dialog.IndexOfPrinter("office"))) return 1;
  dialog.resize(900, 660);
  dialog.show();
  dialog.findChild<QSpinBox*>("copies")->setValue(2);
  auto* perSheet = dialog.findChild<QComboBox*>("pagesPerSheet");
  perSheet->setCurrentIndex(perSheet->findData(4));

  QStringList titles = dialog.PageTitles();
  for (int page = 0; page < titles.size() - 1; ++page) {
    if (!dialog.ShowPage(page)) Fail("page " + titles[page].toStdString() + " does not show");
    int panel = page - 2;
    if (panel >= 0) {
      const OfferedPanel& offered = dialog.Panels()->Panels()[static_cast<size_t>(panel)];
      std::vector<Step> steps = StepsFor(offered.kind);
      if (steps.empty()) PressEveryButton(offered.panel->panelView());
      for (const Step& step : steps) {
        g_shooter.Expect(step.window, step.act);
        step.open(*offered.panel, offered.panel->panelView());
        if (!g_shooter.Done()) Fail(step.window + " did not open");
        g_shooter.Forget();
      }
    }
    Save(&dialog, "dialog-" + Slug(titles[page]));
  }
  dialog.ShowPage(static_cast<int>(titles.size()) - 1);
  Save(&dialog, "dialog-summary");
  return g_failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: ovqprint-screenshots FOLDER\n";
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "xcb", 0);
  QApplication application(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setFont(QFont("DejaVu Sans", 10));
  InstallHostUI();
  return Run(argv[1]);
}
