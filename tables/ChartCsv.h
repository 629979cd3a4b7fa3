#pragma once
// The points of an efficiency chart as CSV, for a spreadsheet or a lecture note.

#include <array>
#include <string>
#include <vector>

#include "tables/TEfficiencyTest.h"

namespace TABLESTRUCT {

// The chart's three lines (0 scan, 1 sorted, 2 hash) as CSV: the header "organisation,x,y",
// then one line per point in line order, the organisation as "scan", "sorted" or "hash" and
// the numbers with "." in the shortest form that reads back to the same double.
std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, 3>& lines);

} // namespace TABLESTRUCT
