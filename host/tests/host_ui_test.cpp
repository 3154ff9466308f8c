// The modal and alert service: scripted answers, and runs without an answer
// that end at once instead of waiting for a person.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPushButton>
#include <string>
#include <vector>

#include "qt_test_support.h"
#include "ui_support.h"

namespace {

class ModalService : public testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    runner_.SetUnansweredHandler([this](const std::string& what) { unanswered_.push_back(what); });
    previous_ = SetModalRunner(&runner_);
  }
  void TearDown() override { SetModalRunner(previous_); }

  ScriptedModalRunner runner_;
  ModalRunner* previous_ = nullptr;
  std::vector<std::string> unanswered_;
};

TEST_F(ModalService, AnswersInOrderAndEndsRunsLeftWithoutAnswer) {
  QDialog window;
  window.setWindowTitle("Setup");
  auto* ok = new QPushButton(&window);
  QObject::connect(ok, &QPushButton::clicked, &window, [&window] { EndModalWindow(&window, 3); });
  AlertRequest alert{.informativeText = "Check the name", .buttons = {"OK", "Cancel"}};
  runner_.AnswerWindow([](QDialog& shown) {
    EXPECT_EQ(CurrentModalWindow(), &shown);
    shown.findChild<QPushButton*>()->click();
  });
  runner_.AnswerAlert(1);
  runner_.AnswerWindow([](QDialog&) {});  // leaves the window open

  EXPECT_EQ(RunModalWindow(&window), 3);
  EXPECT_EQ(RunAlert(alert), 1);
  EXPECT_EQ(RunModalWindow(&window), 0);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(RunAlert(alert), 1);  // no answer left: the last button
  EXPECT_EQ(CurrentModalWindow(), nullptr);
  EXPECT_EQ(unanswered_, (std::vector<std::string>{"window \"Setup\" was left open by its answer",
                                                   "alert \"Check the name\" has no answer"}));
  EXPECT_EQ(runner_.WindowTitles().size(), 2u);
}

TEST(Tags, FoundDepthFirstAmongDescendants) {
  EnsureOffscreenApplication();
  QWidget root;
  auto* inner = new QWidget(&root);
  auto* button = new QPushButton(inner);
  SetTag(button, 0);
  SetTag(inner, 7);
  EXPECT_EQ(FindElementByTag(&root, 0), button);  // a tag of 0 is a tag
  EXPECT_EQ(FindElementByTag(&root, 7), inner);
  EXPECT_EQ(FindElementByTag(&root, 8), nullptr);
  EXPECT_FALSE(HasTag(&root));
}

}  // namespace
