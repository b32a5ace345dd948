#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// Statistics the plot windows show for the points they have drawn.

// The product-moment correlation of the pairs,
// r = (Sxy - Sx Sy/n) / sqrt((Sxx - Sx^2/n)(Syy - Sy^2/n)); none when n < 3
// or the product under the root is not above 0.
std::optional<double> PlotCorrelation(const std::vector<double>& x, const std::vector<double>& y);

// The mean and the sample variance (Syy/n - mean^2) n/(n - 1) of the values.
struct ScatterStatistics {
  double Mean = 0.0;
  double Variance = 0.0;
};
ScatterStatistics ScatterOf(const std::vector<double>& y);

// X weighted by Y: mean = Sum x y / Sum y, variance = Sum x^2 y / Sum y - mean^2.
// None when Sum y is 0.
std::optional<ScatterStatistics> WeightedDistributionOf(const std::vector<double>& x,
                                                        const std::vector<double>& y);

// The text of lblCorr of the XY plot window for a plot of points or lines:
// empty for fewer than three points. With `scatterOfY` (an X-variate plot)
// the mean, SD and variance of Y follow.
std::string CorrelationLabel(const std::vector<double>& x, const std::vector<double>& y,
                             bool scatterOfY);
// The text of lblCorr for a drop-line plot, Y as the weights of X: empty for
// fewer than three points or weights that sum to 0.
std::string WeightedDistributionLabel(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace quorvane
