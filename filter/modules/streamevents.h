// An optional observer of the stream events: OutputPSCommandFromFilter calls it
// before the watermark and finishing handlers, with the same arguments. The
// unit tests use it to see where each event is raised; the filter sets none.
#pragma once
#include <cstdio>

using StreamEventObserver = void (*)(int event, int page, FILE* stream);

// nullptr removes the observer.
void SetStreamEventObserver(StreamEventObserver observer);
