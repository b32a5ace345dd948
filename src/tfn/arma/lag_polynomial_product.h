#pragma once

#include <cstddef>
#include <span>

namespace quorvane {

// One factor 1 - c(1) B^span - c(2) B^(2 span) - ... - c(m) B^(m span) of
// a lag polynomial: its coefficients c(1..m) (0-based) and its span.
struct SpannedPolynomial {
  std::span<const double> Coefficients;
  std::size_t Span = 1;
};

// The degree of the product of the factors: the sum of order x span.
std::size_t ProductDegree(std::span<const SpannedPolynomial> factors);

// Writes into e (at least ProductDegree(factors) long) the coefficients
// e(1..D) of the product, in the same form:
//   prod over factors (1 - sum_j c(j) B^(j span)) = 1 - e(1) B - ... - e(D) B^D,
// and returns D. With a(0) = 1 and a(k) = -e(k), multiplying by one more
// factor is a(k) <- a(k) - sum_j c(j) a(k - j span), done in place from the
// highest k down. A single factor of span 1 gives e = c exactly.
std::size_t MultiplyLagPolynomials(std::span<const SpannedPolynomial> factors, std::span<double> e);

}  // namespace quorvane
