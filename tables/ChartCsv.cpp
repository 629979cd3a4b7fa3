#include "tables/ChartCsv.h"

#include <charconv>

namespace TABLESTRUCT {

namespace {
const char* const OrganisationKeys[3] = {"scan", "sorted", "hash"};

void AppendNumber(std::string& out, double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}
} // namespace

std::string ChartPointsCsv(const std::array<std::vector<TChartPoint>, 3>& lines) {
  std::string csv = "organisation,x,y\n";
  for (std::size_t k = 0; k < lines.size(); ++k)
    for (const TChartPoint& point : lines[k]) {
      csv += OrganisationKeys[k];
      csv += ',';
      AppendNumber(csv, point.X);
      csv += ',';
      AppendNumber(csv, point.Y);
      csv += '\n';
    }
  return csv;
}

} // namespace TABLESTRUCT
