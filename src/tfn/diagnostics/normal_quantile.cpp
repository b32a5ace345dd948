#include "tfn/diagnostics/normal_quantile.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace quorvane {

namespace {

// The coefficients of the rational approximations in the central region
// (a / b, in r = (p - 1/2)^2) and in the tails (c / d, in q = sqrt(-2 ln p)).
constexpr double kA[] = {-3.969683028665376e+01, 2.209460984245205e+02, -2.759285104469687e+02,
                         1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
constexpr double kB[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                         6.680131188771972e+01,  -1.328068155288572e+01};
constexpr double kC[] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                         -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
constexpr double kD[] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                         3.754408661907416e+00};
constexpr double kTail = 0.02425;

// The lower tail, p < kTail.
double LowerTail(double p) {
  const double q = std::sqrt(-2.0 * std::log(p));
  return (((((kC[0] * q + kC[1]) * q + kC[2]) * q + kC[3]) * q + kC[4]) * q + kC[5]) /
         ((((kD[0] * q + kD[1]) * q + kD[2]) * q + kD[3]) * q + 1.0);
}

double Approximation(double p) {
  if (p < kTail) return LowerTail(p);
  if (p > 1.0 - kTail) return -LowerTail(1.0 - p);
  const double q = p - 0.5, r = q * q;
  return (((((kA[0] * r + kA[1]) * r + kA[2]) * r + kA[3]) * r + kA[4]) * r + kA[5]) * q /
         (((((kB[0] * r + kB[1]) * r + kB[2]) * r + kB[3]) * r + kB[4]) * r + 1.0);
}

}  // namespace

double NormalQuantile(double p) {
  if (!(p >= 0.0 && p <= 1.0)) return std::numeric_limits<double>::quiet_NaN();
  if (p == 0.0) return -std::numeric_limits<double>::infinity();
  if (p == 1.0) return std::numeric_limits<double>::infinity();
  const double x = Approximation(p);
  // Halley's step on f(x) = Phi(x) - p, with f' = phi(x) and f'' = -x phi(x):
  //   x <- x - u / (1 + x u / 2),  u = f(x) / phi(x).
  // In the upper half Phi(x) - p is taken as (1 - p) - Phi(-x) so that
  // neither term loses the digits of a p close to 1.
  const double e = p < 0.5 ? 0.5 * std::erfc(-x / std::numbers::sqrt2) - p
                           : (1.0 - p) - 0.5 * std::erfc(x / std::numbers::sqrt2);
  const double u = e * std::sqrt(2.0 * std::numbers::pi) * std::exp(0.5 * x * x);
  return x - u / (1.0 + 0.5 * x * u);
}

NormalQuantilePoints NormalQuantilePairs(std::span<const double> values) {
  NormalQuantilePoints points;
  for (double v : values)
    if (!std::isnan(v)) points.Sample.push_back(v);
  std::sort(points.Sample.begin(), points.Sample.end());
  const double n = static_cast<double>(points.Sample.size());
  const double a = n <= 10 ? 3.0 / 8.0 : 0.5;
  points.Theoretical.reserve(points.Sample.size());
  for (std::size_t i = 1; i <= points.Sample.size(); ++i)
    points.Theoretical.push_back(NormalQuantile((static_cast<double>(i) - a) / (n + 1.0 - 2.0 * a)));
  return points;
}

}  // namespace quorvane
