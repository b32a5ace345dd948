#include "tfn/diagnostics/t_test_p_value.h"

#include <algorithm>
#include <cmath>

#include "tfn/diagnostics/log_gamma.h"

namespace quorvane {
namespace {

struct Integration {
  double Limit;  // U
  long Pairs;    // M: Simpson pairs of intervals
};

Integration IntegrationFor(long df) {
  switch (df) {
    case 1: return {10000.0, 20000};
    case 2: return {2000.0, 20000};
    case 3: return {100.0, 10000};
    case 4: return {50.0, 5000};
    default: return {20.0, 2000};
  }
}

}  // namespace

PValue TTestPValue(double t, long df, int tails) {
  df = std::clamp(df, 1L, 999L);
  const double absT = std::fabs(t);
  const Integration integration = IntegrationFor(df);
  if (absT >= integration.Limit) return {true, 0.0};

  const double nu = static_cast<double>(df);
  const double exponent = -(nu + 1.0) / 2.0;
  auto density = [&](double x) { return std::pow(1.0 + x * x / nu, exponent); };

  // Simpson's rule: (h/3) [f(x_0) + 4 f(x_1) + 2 f(x_2) + ... + 4 f(x_{2M-1}) + f(x_{2M})].
  const long intervals = 2 * integration.Pairs;
  const double lower = -integration.Limit;
  const double width = (absT - lower) / static_cast<double>(intervals);
  double sum = density(lower) + density(absT);
  for (long i = 1; i < intervals; ++i)
    sum += (i % 2 == 1 ? 4.0 : 2.0) * density(lower + static_cast<double>(i) * width);
  const double integral = sum * width / 3.0;

  const double pi = 4.0 * std::atan(1.0);
  const double scale =
      std::exp(LogGamma((nu + 1.0) / 2.0) - LogGamma(nu / 2.0) - std::log(std::sqrt(nu * pi)));
  const double distribution = integral * scale;
  const double p = tails == 2 ? 2.0 * (1.0 - distribution) : 1.0 - distribution;
  if (p < 0.0001) return {true, 0.0};
  return {false, p};
}

}  // namespace quorvane
