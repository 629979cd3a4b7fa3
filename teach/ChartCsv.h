#pragma once
// Chart points as CSV, for a spreadsheet or a lecture note: the shared spelling of numbers
// and table organisations, and the points of an efficiency chart.

#include <array>
#include <string>
#include <vector>

#include "teach/TEfficiencyTest.h"
#include "teach/TTableSteps.h"

namespace TABLESTRUCT {

// A number with "." in the shortest form that reads back to the same double.
std::string CsvNumber(double value);

// The chart's lines, one per organisation in their order, as CSV: the header
// "organisation,x,y", then one line per point in line order, the organisation by its key.
std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, TableKindCount>& lines);

} // namespace TABLESTRUCT
