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
// The organisation as "scan", "sorted" or "hash".
const char* CsvOrganisationKey(TTableKind kind);

// The chart's three lines (0 scan, 1 sorted, 2 hash) as CSV: the header "organisation,x,y",
// then one line per point in line order.
std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, 3>& lines);

} // namespace TABLESTRUCT
