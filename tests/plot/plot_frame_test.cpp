#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/plot_frame.h"

namespace quorvane {
namespace {

TEST(PlotFrameTest, TicksAreRoundNumbersInsideTheRange) {
  const struct {
    PlotRange range;
    std::vector<std::string> labels;
  } cases[] = {
      {{1871, 1970}, {"1880", "1890", "1900", "1910", "1920", "1930", "1940", "1950", "1960", "1970"}},
      {{-2, 5}, {"-2", "-1", "0", "1", "2", "3", "4", "5"}},
      {{0, 1}, {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "1"}},
      {{-0.0037, 0.0121}, {"-0.002", "0", "0.002", "0.004", "0.006", "0.008", "0.01", "0.012"}},
  };
  for (const auto& c : cases) EXPECT_EQ(RoundTicks(c.range, 10).Labels, c.labels);
}

TEST(PlotFrameTest, TickLabelsNeverOverlapAndStayOnTheCanvas) {
  const PlotRange ranges[] = {{1871, 1970},   {-1, 1},        {0, 1e-7},        {-123456.789, 987654.321},
                              {0.1, 0.10003}, {1e10, 3e10},   {-4, 4},          {0, 1E+100},
                              {1E-100, 1},    {-0.5, 0.5e-3}, {1e-300, 2e-300}, {-7, -6.99999}};
  for (const PlotRange& x : ranges)
    for (const PlotRange& y : ranges) {
      std::vector<PlacedLabel> labels;
      FramedSurface(PlotFrame{x, y}, &labels);
      ASSERT_FALSE(labels.empty());
      for (size_t i = 0; i < labels.size(); ++i) {
        const PlacedLabel& a = labels[i];
        EXPECT_GE(a.Left, 0.0) << a.Text;
        EXPECT_LE(a.Right, PlotFrame::kCanvasWidth) << a.Text;
        EXPECT_GE(a.Top, 0.0) << a.Text;
        EXPECT_LE(a.Bottom, PlotFrame::kCanvasHeight) << a.Text;
        for (size_t j = i + 1; j < labels.size(); ++j) {
          const PlacedLabel& b = labels[j];
          const bool apart = a.Right <= b.Left || b.Right <= a.Left || a.Bottom <= b.Top || b.Bottom <= a.Top;
          EXPECT_TRUE(apart) << a.Text << " overlaps " << b.Text << " on " << x.Min << ".." << x.Max
                             << " x " << y.Min << ".." << y.Max;
        }
      }
    }
}

}  // namespace
}  // namespace quorvane
