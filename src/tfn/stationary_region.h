#pragma once

#include <span>

namespace quorvane {

// The polynomial 1 - c(1) z - ... - c(m) z^m of an autoregressive, moving
// average or transfer-function denominator is stationary (invertible,
// stable) exactly when all its roots lie outside the unit circle, which
// holds exactly when each of its m partial autocorrelations r(1..m) lies in
// (-1, 1).
//
// The step-down (inverse Durbin-Levinson) recursion gives them: with
// a = c at order m, for k = m down to 1
//   r(k) = a(k),  a'(j) = (a(j) + r(k) a(k - j)) / (1 - r(k)^2),  j < k,
// and the forward recursion rebuilds the coefficients:
//   a(k) = r(k),  a(j) = a'(j) - r(k) a'(k - j),  j < k.

// Writes the partial autocorrelations of c into r (same size). Returns
// false, with r partly written, when one reaches 1 in magnitude: the step
// down cannot go on past a root on or inside the unit circle.
bool PartialAutocorrelations(std::span<const double> c, std::span<double> r);

// Writes into c the coefficients whose partial autocorrelations are r.
void CoefficientsFromPartials(std::span<const double> r, std::span<double> c);

// Holds c inside the region: steps down, and wherever a partial
// autocorrelation reaches 1 or more in magnitude, clamps it to +-0.999999,
// adds (|r| - 1)^2 x 1E20 to the returned penalty and steps down on with
// the clamped value; when any was clamped, c becomes the coefficients
// rebuilt from the clamped values. Inside the region c is left exactly as
// it was. For order 1 this is the clamp of c(1) itself. work needs c's
// size; nothing is allocated.
double HoldInsideStationaryRegion(std::span<double> c, std::span<double> work);

}  // namespace quorvane
