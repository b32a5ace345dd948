#include "priors/normal_cdf.h"

#include <cmath>

namespace quorvane {

double NormalCdf(double x) {
  static constexpr double c[] = {-1.26551223, 1.00002368, 0.37409196, 0.09678418,
                                 -0.18628806, 0.27886807, -1.13520398, 1.48851587,
                                 -0.82215223, 0.17087277};
  const double z = std::fabs(x) / std::sqrt(2.0);
  const double t = 1.0 / (1.0 + z / 2.0);
  double A = 0.0;
  for (int k = 10; k >= 2; --k) A = t * (A + c[k - 1]);
  const double erfc = t * std::exp(A + c[0] - z * z);
  if (x < 0) return erfc / 2.0;
  return (1.0 - erfc) / 2.0 + 0.5;
}

}  // namespace quorvane
