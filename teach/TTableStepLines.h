#pragma once
// The algorithm of each table organisation as the step page lists it beside the picture: the
// search and what the insertion and the deletion do after it, one marked text per line, and
// the line each reported event carries out.

#include <vector>

#include "tables/TTableKinds.h"
#include "tables/TTableObserver.h"
#include "teach/TEfficiencyTest.h"

namespace TABLESTRUCT {

// The lines of kind's algorithm (TERMIX_TEXT, context "TTableSteps").
std::vector<const char*> TableStepLines(TTableKind kind);

// The line event carries out in operation on a table of kind; slots is the number of slots of
// the event's bucket (of the table without buckets) before the event.
int TableStepLine(TTableKind kind, TestOperation operation, const TTableEvent& event, int slots);

} // namespace TABLESTRUCT
