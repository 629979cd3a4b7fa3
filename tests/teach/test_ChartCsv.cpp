// The points of an efficiency chart as CSV.

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#include "teach/ChartCsv.h"

using namespace TABLESTRUCT;

TEST(ChartCsv, ReadsBackToTheSamePointsOfEveryLine) {
  std::mt19937_64 rng(19);
  auto anyFinite = [&] {
    for (;;) {
      const std::uint64_t bits = rng();
      double d;
      std::memcpy(&d, &bits, sizeof d);
      if (std::isfinite(d)) return d;
    }
  };
  std::array<std::vector<TChartPoint>, 3> lines;
  lines[0] = {{0, 0}, {100, 0.1}, {300, 1.0 / 3}, {2999, 123456.789}};
  lines[1] = {}; // a line without points writes nothing
  for (int i = 0; i < 200; ++i)
    lines[2].push_back({anyFinite(), anyFinite()});
  lines[2].push_back({1e-320, -0.0}); // a subnormal and a negative zero

  const std::string csv = ChartPointsCsv(lines);
  std::istringstream in(csv);
  std::string line;
  ASSERT_TRUE(std::getline(in, line));
  EXPECT_EQ(line, "organisation,x,y");
  std::array<std::vector<TChartPoint>, 3> back;
  const char* const keys[3] = {"scan", "sorted", "hash"};
  while (std::getline(in, line)) {
    const size_t first = line.find(','), second = line.find(',', first + 1);
    ASSERT_NE(second, std::string::npos) << line;
    const std::string key = line.substr(0, first);
    const auto k = std::find(std::begin(keys), std::end(keys), key) - std::begin(keys);
    ASSERT_LT(k, 3) << line;
    TChartPoint p;
    const char* end = line.data() + line.size();
    ASSERT_EQ(std::from_chars(line.data() + first + 1, line.data() + second, p.X).ptr,
              line.data() + second)
        << line;
    ASSERT_EQ(std::from_chars(line.data() + second + 1, end, p.Y).ptr, end) << line;
    back[k].push_back(p);
  }
  for (std::size_t k = 0; k < 3; ++k) {
    ASSERT_EQ(back[k].size(), lines[k].size()) << k;
    for (std::size_t i = 0; i < lines[k].size(); ++i) {
      // Bit for bit, so that the sign of zero counts too.
      EXPECT_EQ(std::memcmp(&back[k][i], &lines[k][i], sizeof(TChartPoint)), 0)
          << k << " " << i << ": " << back[k][i].X << "," << back[k][i].Y;
    }
  }
  EXPECT_EQ(csv.find(' '), std::string::npos); // nothing a spreadsheet would take for text
}
