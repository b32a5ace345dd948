#include "tfn/diagnostics/variance_trend_test.h"

#include <cassert>
#include <cmath>

namespace quorvane {
namespace {

constexpr long kMaxBisections = 1'000'000;
constexpr double kRootTolerance = 1e-6;
constexpr double kExponentCap = 100.0;

// Weight exp(-v (z - zbar)) of one residual, its exponent capped.
double Weight(double v, double deviation) {
  const double exponent = -v * deviation;
  return std::exp(exponent >= kExponentCap ? kExponentCap : exponent);
}

// S(v); keeps its last value when sum r^2 e is not positive.
class Score {
 public:
  Score(std::span<const double> r, std::span<const double> z, double zMean)
      : r_(r), z_(z), zMean_(zMean) {}

  double operator()(double v) {
    double weighted = 0.0;
    double moment = 0.0;
    for (std::size_t i = 0; i < r_.size(); ++i) {
      const double deviation = z_[i] - zMean_;
      const double term = r_[i] * r_[i] * Weight(v, deviation);
      weighted += term;
      moment -= term * deviation;
    }
    if (weighted > 0.0) last_ = static_cast<double>(r_.size()) * moment / (2.0 * weighted);
    return last_;
  }

 private:
  std::span<const double> r_;
  std::span<const double> z_;
  double zMean_;
  double last_ = 0.0;
};

struct Root {
  double V = 0.0;  // 0: no root found
  long Bisections = 0;
};

Root FindRoot(Score& score, double lower, double upper) {
  double sLower = score(lower);
  double sUpper = score(upper);
  while (!(sLower * sUpper < 0.0)) {
    const double width = upper - lower;
    if (std::isnan(sLower * sUpper) || width == 0.0 || !std::isfinite(width)) return {};
    upper += width;
    lower -= width;
    sLower = score(lower);
    sUpper = score(upper);
  }

  // Start from the end with the negative score, so that S(start) <= 0 < S(start + c).
  const bool fromUpper = sLower >= 0.0;
  double start = fromUpper ? upper : lower;
  double step = (fromUpper ? lower : upper) - start;
  for (long bisection = 1; bisection <= kMaxBisections; ++bisection) {
    step /= 2.0;
    const double x = start + step;
    if (score(x) <= 0.0) start = x;
    if (std::fabs(step) < kRootTolerance) return {start, bisection};
  }
  return {};
}

}  // namespace

std::optional<VarianceTrendResult> VarianceTrendTest(std::span<const double> residuals,
                                                     std::span<const double> covariate,
                                                     VarianceTrendMode mode, Ui& ui) {
  assert(residuals.size() == covariate.size());
  if (residuals.empty()) return std::nullopt;
  const double n = static_cast<double>(residuals.size());

  double zSum = 0.0;
  for (double z : covariate) zSum += z;
  const double zMean = zSum / n;

  // The largest and the smallest r^2 and their z; the first of equal ones counts.
  double largest = -1e100, smallest = 1e100;
  double zLargest = 0.0, zSmallest = 0.0;
  for (std::size_t i = 0; i < residuals.size(); ++i) {
    const double square = residuals[i] * residuals[i];
    if (square > largest) {
      largest = square;
      zLargest = covariate[i];
    }
    if (square < smallest) {
      smallest = square;
      zSmallest = covariate[i];
    }
  }
  if (zLargest == zSmallest) return std::nullopt;

  const double slope = (largest - smallest) / (zLargest - zSmallest);
  Score score(residuals, covariate, zMean);
  const Root root = FindRoot(score, -slope, slope);
  if (root.V == 0.0) {
    ui.ShowMessage(mode == VarianceTrendMode::Time
                       ? "Can't find a root; no variance trend test vs time performed"
                       : "Can't find a root; no variance trend test vs time series values performed",
                   " Loop overflow in variance trend root bisection routine", Icon::Information);
    return std::nullopt;
  }

  double a = 0.0, b = 0.0, c = 0.0;
  for (std::size_t i = 0; i < residuals.size(); ++i) {
    const double deviation = covariate[i] - zMean;
    const double term = residuals[i] * residuals[i] * Weight(root.V, deviation);
    a += term;
    b -= term * deviation;
    c += term * deviation * deviation;
  }
  // A C - B^2 >= 0 by Cauchy-Schwarz; rounding must not make it negative.
  const double information = std::fmax(0.0, n / 2.0 * (a * c - b * b) / (a * a));
  VarianceTrendResult result;
  result.V = root.V;
  result.T = root.V * std::sqrt(information);
  if (!std::isfinite(result.T)) return std::nullopt;
  result.P = TTestPValue(std::fabs(result.T), static_cast<long>(residuals.size()) - 1, 2);
  result.Bisections = root.Bisections;
  return result;
}

}  // namespace quorvane
