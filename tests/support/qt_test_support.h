// Real Qt widgets in tests: one QApplication on the offscreen platform (no
// screen needed), and modal runs answered from a script instead of a person.
#pragma once
#include <memory>

#include "modal_service.h"

// Creates the process's QApplication once (QT_QPA_PLATFORM=offscreen unless set).
void EnsureOffscreenApplication();

// Installs a ScriptedModalRunner for its lifetime: a modal run without an
// answer, and an answer left unused at the end, fail the current test.
class ScriptedModalRuns {
 public:
  ScriptedModalRuns();
  ~ScriptedModalRuns();
  ScriptedModalRuns(const ScriptedModalRuns&) = delete;
  ScriptedModalRuns& operator=(const ScriptedModalRuns&) = delete;
  ScriptedModalRunner& operator*() { return runner_; }
  ScriptedModalRunner* operator->() { return &runner_; }

 private:
  ScriptedModalRunner runner_;
  ModalRunner* previous_ = nullptr;
};
