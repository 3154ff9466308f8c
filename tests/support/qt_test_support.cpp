#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

void EnsureOffscreenApplication() {
  if (QApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "ovq-test";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  (void)application;
}

ScriptedModalRuns::ScriptedModalRuns() {
  EnsureOffscreenApplication();
  runner_.SetUnansweredHandler([](const std::string& what) { ADD_FAILURE() << "unanswered modal run: " << what; });
  previous_ = SetModalRunner(&runner_);
}

ScriptedModalRuns::~ScriptedModalRuns() {
  SetModalRunner(previous_);
  EXPECT_EQ(runner_.PendingAnswers(), 0u) << "scripted answers left unused";
}
