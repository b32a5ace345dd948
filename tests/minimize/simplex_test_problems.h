#pragma once

#include <array>
#include <cmath>

#include "core/one_based.h"

namespace quorvane::testing {

// Rosenbrock's valley: minimum 0 at (1, 1), classically started at (-1.2, 1).
inline double Rosenbrock(const OneBased<double>& P) {
  const double a = P[2] - P[1] * P[1];
  const double b = 1 - P[1];
  return 100 * a * a + b * b;
}

// NIST StRD "Misra1a" (lower difficulty): y = b1 (1 - exp(-b2 x)) fitted to
// 14 points, with the certified least-squares estimates, their standard
// deviations and the residual sum of squares.
struct Misra1a {
  static constexpr std::array<double, 14> kX = {77.6,  114.9, 141.1, 190.8, 239.9, 289.0, 332.8,
                                                378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
  static constexpr std::array<double, 14> kY = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02,
                                                44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};
  static constexpr double kB1 = 2.3894212918E+02;
  static constexpr double kB2 = 5.5015643181E-04;
  static constexpr double kSdB1 = 2.7070075241E+00;
  static constexpr double kSdB2 = 7.2668688436E-06;
  static constexpr double kResidualSumOfSquares = 1.2455138894E-01;

  static double SumOfSquares(const OneBased<double>& P) {
    double ss = 0;
    for (std::size_t i = 0; i < kX.size(); ++i) {
      const double r = kY[i] - P[1] * (1 - std::exp(-P[2] * kX[i]));
      ss += r * r;
    }
    return ss;
  }
};

}  // namespace quorvane::testing
