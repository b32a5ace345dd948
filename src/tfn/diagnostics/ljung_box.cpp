#include "tfn/diagnostics/ljung_box.h"

#include "tfn/diagnostics/chi_square.h"

namespace quorvane {

std::optional<LjungBoxResult> LjungBoxTest(std::span<const double> r, long n, int lag,
                                           int fittedCoefficients) {
  if (lag < 1 || static_cast<std::size_t>(lag) >= r.size() || lag >= n) return std::nullopt;
  const double count = static_cast<double>(n);
  double sum = 0.0;
  for (int k = 1; k <= lag; ++k) sum += r[static_cast<std::size_t>(k)] * r[static_cast<std::size_t>(k)] / (count - k);
  LjungBoxResult result;
  result.Lag = lag;
  result.Q = count * (count + 2.0) * sum;
  result.Df = lag - fittedCoefficients;
  if (result.Df >= 1) result.P = ChiSquareUpperTail(result.Q, result.Df);
  return result;
}

}  // namespace quorvane
