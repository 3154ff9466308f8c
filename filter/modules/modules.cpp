#include "modules.h"

#include "streamevents.h"

namespace {

StreamEventObserver g_event_observer = nullptr;

}  // namespace

void InializeDescriptionTableFromFilter() {
  PrintTypeInializeDescriptionTableFromFilter();
  JBAInializeDescriptionTableFromFilter();
  FeaturesInializeDescriptionTableFromFilter();
  SpecialPageInializeDescriptionTable();
}

int GetTicketFromPDE(char* argv[]) {
  PrintTypeGetTicketFromPDE(argv);
  JBAGetTicketFromPDE(argv);
  FeaturesGetTicketFromPDE(argv);
  WatermarkGetTicketFromPDE(argv);
  PBindGetTicketFromPDE(argv);
  CommentGetTicketFromPDE(argv);
  SpecialPageGetTicketFromPDE(argv);
  return 1;
}

void OutputQPJLCommandFromFilter(char* argv[]) {
  PrintTypeOutputQPJLCommandFromFilter();
  JBAOutputQPJLCommandFromFilter(argv);
  FeaturesOutputQPJLCommandFromFilter(argv);
}

void ResetModuleStates() {
  PrintTypeResetState();
  JBAResetState();
  FeaturesResetState();
  WatermarkResetState();
  PBindResetState();
  CommentResetState();
  SpecialPageResetState();
  g_event_observer = nullptr;
}

void SetStreamEventObserver(StreamEventObserver observer) { g_event_observer = observer; }

void OutputPSCommandFromFilter(int event, int page, FILE* stream) {
  if (g_event_observer != nullptr) g_event_observer(event, page, stream);
  WatermarkOutputPSCommandFromFilter(event, page, stream);
  FeaturesOutputPSCommandFromFilter(event, stream);
}
