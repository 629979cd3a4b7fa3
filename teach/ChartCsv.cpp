#include "teach/ChartCsv.h"

#include <charconv>

namespace TABLESTRUCT {

std::string CsvNumber(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

const char* CsvOrganisationKey(TTableKind kind) {
  switch (kind) {
  case TTableKind::Scan:
    return "scan";
  case TTableKind::Sorted:
    return "sorted";
  case TTableKind::Hash:
    break;
  }
  return "hash";
}

std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, 3>& lines) {
  std::string csv = "organisation,x,y\n";
  for (std::size_t k = 0; k < lines.size(); ++k)
    for (const TChartPoint& point : lines[k])
      csv += std::string(CsvOrganisationKey(static_cast<TTableKind>(k))) + "," +
             CsvNumber(point.X) + "," + CsvNumber(point.Y) + "\n";
  return csv;
}

} // namespace TABLESTRUCT
