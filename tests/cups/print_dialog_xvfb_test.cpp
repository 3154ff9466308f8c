// ovqprint's dialog on a real X server (Xvfb, Qt's xcb platform), driven with
// QTest through its real windows as a person would: a two-page document for a
// queue of a private scheduler, two uncollated copies, secure print chosen in the
// Print Type panel with the passcode typed in its window, Print. The printer
// receives the secure-print PJL, the job information with the copies and the
// layout, and both pages; the dialog keeps the printer's last used settings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>

#include "escapes.h"
#include "modal_service.h"
#include "param_name.h"
#include "print_dialog.h"
#include "printer_list.h"
#include "run_program.h"
#include "scheduler.h"
#include "ui_support.h"

namespace {

// Modal windows and alerts run for real; each window is answered by the next
// action once it is on the screen, each alert by its default button. Nothing
// waits for a person: a window still open after its time is cancelled and fails
// the test.
class ActOnRealWindows : public ModalRunner {
 public:
  using Act = std::function<void(QDialog&)>;
  void Then(Act act) { acts_.push_back(std::move(act)); }
  const std::vector<std::string>& Alerts() const { return alerts_; }

  int RunWindow(QDialog& window) override {
    Act act;
    if (!acts_.empty()) {
      act = std::move(acts_.front());
      acts_.pop_front();
    }
    QTimer::singleShot(0, &window, [&window, act] {
      if (!QTest::qWaitForWindowExposed(&window) || !act) {
        ADD_FAILURE() << "no action for window " << window.windowTitle().toStdString();
        window.reject();
        return;
      }
      act(window);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &window, [&window] {
      ADD_FAILURE() << "window " << window.windowTitle().toStdString() << " stayed open";
      window.reject();
    });
    watchdog.start(30000);
    return RealModalRunner().RunWindow(window);
  }

  int RunAlert(const AlertRequest& alert) override {
    alerts_.push_back((alert.messageText + " " + alert.informativeText).toStdString());
    QTimer::singleShot(0, [] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr && QTest::qWaitForWindowExposed(box)) QTest::mouseClick(box->defaultButton(), Qt::LeftButton);
    });
    return RealModalRunner().RunAlert(alert);
  }

 private:
  std::deque<Act> acts_;
  std::vector<std::string> alerts_;
};

QWidget* Tagged(QWidget* root, int tag) {
  QWidget* element = FindElementByTag(root, tag);
  EXPECT_NE(element, nullptr) << "tag " << tag;
  return element;
}

void TypeInto(QWidget* field, const QString& text) {
  QTest::mouseClick(field, Qt::LeftButton);
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(field, text);
}

// One private scheduler and one application on the X server for all cases
// (libcups keeps the server it first talked to).
class XEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    scheduler_ = std::make_unique<PrivateScheduler>();
    std::string error;
    ASSERT_TRUE(scheduler_->Start(BinaryPath("ovqfilter"), error)) << error;
    setenv("CUPS_SERVER", Socket().c_str(), 1);
    setenv("HOME", home_.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", home_.File("config").c_str(), 1);
    setenv("OVQ_EXTENSIONS_PATH", OVQ_BINARY_DIR "/lib/ovq/extensions", 1);
    setenv("QT_QPA_PLATFORM", "xcb", 0);
    static int argc = 1;
    static char name[] = "ovqprint";
    static char* argv[] = {name, nullptr};
    application_ = std::make_unique<QApplication>(argc, argv);
    InstallHostUI();
  }
  void TearDown() override {
    application_.reset();
    scheduler_.reset();
  }
  static PrivateScheduler& Scheduler() { return *scheduler_; }
  static std::string Socket() { return scheduler_->Folder() + "/cupsd.sock"; }

 private:
  static inline std::unique_ptr<PrivateScheduler> scheduler_;
  static inline std::unique_ptr<QApplication> application_;
  TempDir home_;
};

testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new XEnvironment);

class OvqprintOnX : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    previous_ = SetModalRunner(&runs_);
  }
  void TearDown() override { SetModalRunner(previous_); }

  static std::string Socket() { return XEnvironment::Socket(); }
  // A queue of the family's colour model and a two-page document for it.
  static std::string AddQueue(const std::string& queue, std::string* document) {
    std::string error;
    std::string device = XEnvironment::Scheduler().AddQueue(queue, SourcePath("ppd/OVQC300.ppd"), error);
    EXPECT_FALSE(device.empty()) << error;
    *document = XEnvironment::Scheduler().Folder() + "/" + queue + ".ps";
    WriteFile(*document,
              "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%EOF\n");
    return device;
  }

  ActOnRealWindows runs_;
  ModalRunner* previous_ = nullptr;
};

TEST_F(OvqprintOnX, SecurePrintThroughThePrintTypeWindow) {
  std::string document;
  std::string device = AddQueue("office", &document);
  ASSERT_FALSE(device.empty());
  std::vector<PrinterEntry> printers = ListPrinters();
  int jobID = 0;
  {
    PrintDialog dialog(printers, {document});
    int office = dialog.IndexOfPrinter("office");
    ASSERT_GE(office, 0);
    ASSERT_TRUE(dialog.ChoosePrinter(office));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));

    auto* copies = dialog.findChild<QSpinBox*>("copies");
    TypeInto(copies, "2");
    QTest::keyClick(copies, Qt::Key_Tab);  // to the collation box
    ASSERT_TRUE(dialog.findChild<QCheckBox*>("collate")->hasFocus())
        << (QApplication::focusWidget() == nullptr ? "no focus"
                                                   : QApplication::focusWidget()->objectName().toStdString());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    ASSERT_FALSE(dialog.findChild<QCheckBox*>("collate")->isChecked());

    auto* pageList = dialog.findChild<QListWidget*>("pageList");
    QList<QListWidgetItem*> items = pageList->findItems("Print Type", Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(pageList->viewport(), Qt::LeftButton, {}, pageList->visualItemRect(items[0]).center());
    QWidget* view = dialog.Panels()->ShownView();
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->isVisible());
    auto* printType = qobject_cast<QComboBox*>(Tagged(view, 101));
    ASSERT_NE(printType, nullptr);
    // Choosing secure print opens its window, which asks for the user name and passcode.
    runs_.Then([](QDialog& window) {
      TypeInto(Tagged(&window, 1022), "alice");
      TypeInto(Tagged(&window, 1026), "1234");
      QTest::mouseClick(static_cast<QPushButton*>(Tagged(&window, 1028)), Qt::LeftButton);
    });
    printType->setFocus(Qt::TabFocusReason);
    QTest::keyClick(printType, Qt::Key_Down);
    ASSERT_EQ(printType->currentIndex(), 1);  // secure print

    QTest::mouseClick(dialog.findChild<QPushButton*>("print"), Qt::LeftButton);
    jobID = dialog.JobID();
    ASSERT_NE(jobID, 0) << (runs_.Alerts().empty() ? "" : runs_.Alerts().back());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  }
  ASSERT_EQ(runs_.Alerts().size(), 1u);
  EXPECT_NE(runs_.Alerts()[0].find("job " + std::to_string(jobID)), std::string::npos) << runs_.Alerts()[0];

  JobStatus status = XEnvironment::Scheduler().WaitForJob(jobID, 120);
  ASSERT_EQ(status.state, 9) << status.reasons << "\n" << XEnvironment::Scheduler().ErrorLog();
  std::string stream = ReadFile(device);
  for (const char* text : {"@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n", "@PJL SET USERNAME=\"alice\"\\r\n",
                           "@PJL SET HOLDENCRYPTKEY=\"KHwYaQ==\"\\r\n", "@PJL SET JOBATTR=\"@NLPP=1\"\n",
                           "@PJL COMMENT KQJOBINFO PAGECOPIES=2\n@PJL COMMENT KQJOBINFO JOBCOPIES=1\n",
                           "@PJL COMMENT KQJOBINFO NUP=1\n"}) {
    EXPECT_NE(stream.find(Unescape(text)), std::string::npos) << "missing: " << text << "\n"
                                                              << MakeVisible(stream.substr(0, stream.find("%!PS")));
  }
  RunResult pages = RunTool(BinaryPath("ovqinspect"), {"--pages", device});
  EXPECT_NE(pages.out.find("Pages (Ghostscript): 2\n"), std::string::npos) << pages.out << pages.err;

  // The next dialog for the printer starts from its last used settings.
  PrintDialog again(printers, {document});
  ASSERT_TRUE(again.ChoosePrinter(again.IndexOfPrinter("office")));
  EXPECT_EQ(again.Choices().copies, 2);
  EXPECT_FALSE(again.Choices().collate);
}

// Print when CUPS or the document fails: CUPS's own text (or the system's) in
// a message box, no job, and the dialog stays open for another try.
struct FailureRow {
  const char* name;
  const char* queue;
  std::vector<std::string> command;  // run with the queue's name last; empty: the document is removed
  const char* expected;              // in the alert
};

class OvqprintFails : public OvqprintOnX, public testing::WithParamInterface<FailureRow> {};

TEST_P(OvqprintFails, SaysWhyAndSendsNothing) {
  const FailureRow& row = GetParam();
  std::string document;
  ASSERT_FALSE(AddQueue(row.queue, &document).empty());
  PrintDialog dialog(ListPrinters(), {document});
  ASSERT_TRUE(dialog.ChoosePrinter(dialog.IndexOfPrinter(row.queue)));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  if (row.command.empty()) {
    std::remove(document.c_str());
  } else {
    std::vector<std::string> args = {"-h", Socket()};
    args.insert(args.end(), row.command.begin() + 1, row.command.end());
    args.push_back(row.queue);
    RunTool(row.command[0], args);
  }
  QTest::mouseClick(dialog.findChild<QPushButton*>("print"), Qt::LeftButton);
  EXPECT_EQ(dialog.JobID(), 0);
  EXPECT_TRUE(dialog.isVisible());
  ASSERT_EQ(runs_.Alerts().size(), 1u);
  EXPECT_NE(runs_.Alerts()[0].find("The document could not be printed."), std::string::npos) << runs_.Alerts()[0];
  EXPECT_NE(runs_.Alerts()[0].find(row.expected), std::string::npos) << runs_.Alerts()[0];
  RunResult jobs = RunTool("/usr/bin/lpstat", {"-h", Socket(), "-W", "all", "-o", row.queue});
  EXPECT_EQ(jobs.out, "");
  QTest::mouseClick(dialog.findChild<QPushButton*>("cancel"), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

INSTANTIATE_TEST_SUITE_P(Print, OvqprintFails,
                         testing::Values(FailureRow{.name = "queue_rejects_jobs",
                                                    .queue = "rejecting",
                                                    .command = {"/usr/sbin/cupsreject"},
                                                    .expected = "not accepting jobs"},
                                         FailureRow{.name = "printer_deleted",
                                                    .queue = "gone",
                                                    .command = {"/usr/sbin/lpadmin", "-x"},
                                                    .expected = "does not exist"},
                                         FailureRow{.name = "document_removed",
                                                    .queue = "unreadable",
                                                    .command = {},
                                                    .expected = "unreadable.ps: No such file or directory"}),
                         RowName());

}  // namespace
