#include "teach/ChartCsv.h"

#include <charconv>

namespace TABLESTRUCT {

std::string CsvNumber(double value) {
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, TableKindCount>& lines) {
  std::string csv = "organisation,x,y\n";
  for (std::size_t k = 0; k < lines.size(); ++k)
    for (const TChartPoint& point : lines[k])
      csv += std::string(TableKinds()[k].Key) + "," + CsvNumber(point.X) + "," +
             CsvNumber(point.Y) + "\n";
  return csv;
}

} // namespace TABLESTRUCT
