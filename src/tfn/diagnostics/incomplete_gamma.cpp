#include "tfn/diagnostics/incomplete_gamma.h"

#include <cmath>
#include <limits>

namespace quorvane {

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
constexpr int kMaxTerms = 100000;
constexpr double kTiny = 1e-300;

bool Usable(double a, double x) { return a > 0.0 && x >= 0.0 && std::isfinite(a); }

// ln(e^-x x^a / Gamma(a)), the factor both expansions share.
double LogPrefactor(double a, double x) { return a * std::log(x) - x - std::lgamma(a); }

// P(a, x) by its power series, for x < a + 1 where it converges fast:
//   P(a, x) = e^-x x^a / Gamma(a + 1) sum_{n >= 0} x^n / ((a + 1)(a + 2)...(a + n)).
double LowerSeries(double a, double x) {
  double term = 1.0 / a, sum = term;
  for (int n = 1; n < kMaxTerms; ++n) {
    term *= x / (a + n);
    sum += term;
    if (std::fabs(term) < std::fabs(sum) * kEpsilon) break;
  }
  return sum * std::exp(LogPrefactor(a, x));
}

// Q(a, x) by its continued fraction, for x >= a + 1:
//   Q(a, x) = e^-x x^a / Gamma(a) * 1 / (x + 1 - a - 1 (1 - a) / (x + 3 - a - 2 (2 - a) / (x + 5 - a - ...))),
// evaluated by the modified Lentz method (terms b_n = x + 2n + 1 - a,
// a_n = -n (n - a)).
double UpperFraction(double a, double x) {
  double b = x + 1.0 - a;
  double c = 1.0 / kTiny;
  double d = 1.0 / b;
  double h = d;
  for (int n = 1; n < kMaxTerms; ++n) {
    const double an = -n * (n - a);
    b += 2.0;
    d = an * d + b;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = b + an / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double delta = d * c;
    h *= delta;
    if (std::fabs(delta - 1.0) < kEpsilon) break;
  }
  return std::exp(LogPrefactor(a, x)) * h;
}

}  // namespace

double RegularizedLowerGamma(double a, double x) {
  if (!Usable(a, x)) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0.0) return 0.0;
  if (std::isinf(x)) return 1.0;
  return x < a + 1.0 ? LowerSeries(a, x) : 1.0 - UpperFraction(a, x);
}

double RegularizedUpperGamma(double a, double x) {
  if (!Usable(a, x)) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0.0) return 1.0;
  if (std::isinf(x)) return 0.0;
  return x < a + 1.0 ? 1.0 - LowerSeries(a, x) : UpperFraction(a, x);
}

}  // namespace quorvane
