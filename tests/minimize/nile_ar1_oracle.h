#pragma once

#include <cmath>
#include <vector>

namespace quorvane::testing {

// The exact Gaussian -ln[L] of y(t) = mu + omega s(t) + w(t), with w an
// AR(1) process w(t) = phi w(t-1) + a(t), profiled over everything but phi
// without any Kalman filter: the Prais-Winsten transform
//   z(1) = sqrt(1 - phi^2) y(1),  z(t) = y(t) - phi y(t-1),
// (and the same for the regressors) whitens the noise, so for a given phi
// the regression part is ordinary least squares on the transformed data,
// S(phi) is its residual sum of squares, det Gamma = 1 / (1 - phi^2), and
//   F(phi) = (N/2) ln(S(phi) / N) + (1/2) ln(1 / (1 - phi^2)).
struct Ar1RegressionFit {
  double phi = 0, mu = 0, omega = 0, objective = 0;
};

inline Ar1RegressionFit ProfileAr1Regression(const std::vector<double>& y,
                                             const std::vector<double>& step, double phi) {
  const size_t n = y.size();
  const double head = std::sqrt(1 - phi * phi);
  // Normal equations of the 2-column regression [1, s] on the transformed data.
  double s11 = 0, s12 = 0, s22 = 0, r1 = 0, r2 = 0;
  std::vector<double> zy(n), z1(n), z2(n);
  for (size_t t = 0; t < n; ++t) {
    zy[t] = t == 0 ? head * y[0] : y[t] - phi * y[t - 1];
    z1[t] = t == 0 ? head : 1 - phi;
    z2[t] = t == 0 ? head * step[0] : step[t] - phi * step[t - 1];
    s11 += z1[t] * z1[t];
    s12 += z1[t] * z2[t];
    s22 += z2[t] * z2[t];
    r1 += z1[t] * zy[t];
    r2 += z2[t] * zy[t];
  }
  const double det = s11 * s22 - s12 * s12;
  Ar1RegressionFit fit;
  fit.phi = phi;
  fit.mu = (s22 * r1 - s12 * r2) / det;
  fit.omega = (s11 * r2 - s12 * r1) / det;
  double ss = 0;
  for (size_t t = 0; t < n; ++t) {
    const double e = zy[t] - fit.mu * z1[t] - fit.omega * z2[t];
    ss += e * e;
  }
  const double count = static_cast<double>(n);
  fit.objective = count / 2 * std::log(ss / count) + 0.5 * std::log(1 / (1 - phi * phi));
  return fit;
}

// The maximum-likelihood fit: a golden-section search over phi in
// (-0.99, 0.99) after a coarse grid has bracketed the minimum, to about 1e-12 in phi.
inline Ar1RegressionFit FitAr1Regression(const std::vector<double>& y, const std::vector<double>& step) {
  double best = 0, bestF = ProfileAr1Regression(y, step, 0).objective;
  for (double phi = -0.98; phi <= 0.98; phi += 0.01) {
    const double f = ProfileAr1Regression(y, step, phi).objective;
    if (f < bestF) {
      bestF = f;
      best = phi;
    }
  }
  double a = best - 0.01, b = best + 0.01;
  const double g = (std::sqrt(5.0) - 1) / 2;
  while (b - a > 1e-12) {
    const double c = b - g * (b - a), d = a + g * (b - a);
    if (ProfileAr1Regression(y, step, c).objective < ProfileAr1Regression(y, step, d).objective)
      b = d;
    else
      a = c;
  }
  return ProfileAr1Regression(y, step, (a + b) / 2);
}

}  // namespace quorvane::testing
