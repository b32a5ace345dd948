#include "tfn/arma/lag_polynomial_product.h"

#include <algorithm>
#include <cassert>

namespace quorvane {

std::size_t ProductDegree(std::span<const SpannedPolynomial> factors) {
  std::size_t degree = 0;
  for (const SpannedPolynomial& f : factors) degree += f.Coefficients.size() * f.Span;
  return degree;
}

std::size_t MultiplyLagPolynomials(std::span<const SpannedPolynomial> factors, std::span<double> e) {
  assert(e.size() >= ProductDegree(factors));
  std::size_t degree = 0;
  for (const SpannedPolynomial& f : factors) {
    const std::size_t added = f.Coefficients.size() * f.Span;
    std::fill(e.begin() + static_cast<std::ptrdiff_t>(degree),
              e.begin() + static_cast<std::ptrdiff_t>(degree + added), 0.0);
    degree += added;
    // e(k) <- e(k) + sum_j c(j) a(k - j span), a(0) = 1, a(i) = -e(i).
    for (std::size_t k = degree; k >= 1; --k) {
      double sum = e[k - 1];
      for (std::size_t j = 1; j <= f.Coefficients.size() && j * f.Span <= k; ++j) {
        const std::size_t i = k - j * f.Span;
        const double a = i == 0 ? 1.0 : -e[i - 1];
        sum += f.Coefficients[j - 1] * a;
      }
      e[k - 1] = sum;
    }
  }
  return degree;
}

}  // namespace quorvane
