#include <gtest/gtest.h>

#include <vector>

#include "plot/plot_range.h"

namespace quorvane {
namespace {

TEST(PlotRangeTest, StartsFromTheBoundsAndWidensToEveryValue) {
  struct Case {
    const char* what;
    PlotRange start;
    std::vector<double> values;
    PlotRange expected;
  };
  const Case cases[] = {
      {"inside the bounds", {-4, 4}, {-1, 2.5}, {-4, 4}},
      {"above the bounds", {-4, 4}, {-1, 7.25}, {-4, 7.25}},
      {"below and above", {0, 1}, {-2, 5}, {-2, 5}},
      {"no values keeps the bounds", {-3, 3}, {}, {-3, 3}},
      {"bounds given upside down", {5, -5}, {1}, {-5, 5}},
      {"equal ends become -1..1", {0, 0}, {}, {-1, 1}},
      {"one value on equal bounds", {2, 2}, {2, 2}, {-1, 1}},
      {"rounded to six decimals, outward", {1, 1}, {0.1234564, 9.8765431}, {0.123456, 9.876544}},
  };
  for (const Case& c : cases) {
    const PlotRange r = WidenedRange(c.start, c.values);
    EXPECT_DOUBLE_EQ(r.Min, c.expected.Min) << c.what;
    EXPECT_DOUBLE_EQ(r.Max, c.expected.Max) << c.what;
    for (double v : c.values)
      if (!(c.expected == PlotRange{-1, 1})) {
        EXPECT_LE(r.Min, v) << c.what;
        EXPECT_GE(r.Max, v) << c.what;
      }
  }
}

TEST(PlotRangeTest, RoundsToSixDecimalsHalfUp) {
  const struct {
    double value, expected;
  } cases[] = {{1.0000004, 1.0}, {1.00000051, 1.000001}, {-1.00000049, -1.0}, {-2.0000006, -2.000001},
               {123.4567891, 123.456789}, {0.0, 0.0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(RoundToSixDecimals(c.value), c.expected) << c.value;
}

TEST(PlotRangeTest, RowsMapLinearlyOntoTheXLabels) {
  EXPECT_DOUBLE_EQ(RowToX(1871, 1871, 1970, 1871, 1970), 1871);
  EXPECT_DOUBLE_EQ(RowToX(1970, 1871, 1970, 1871, 1970), 1970);
  EXPECT_DOUBLE_EQ(RowToX(3, 1, 5, 0, 1), 0.5);
  // One row only: the last row counts as FirstRow + 1, so nothing divides by zero.
  EXPECT_DOUBLE_EQ(RowToX(7, 7, 7, 10, 20), 10);
  EXPECT_DOUBLE_EQ(RowToX(8, 7, 7, 10, 20), 20);
}

}  // namespace
}  // namespace quorvane
