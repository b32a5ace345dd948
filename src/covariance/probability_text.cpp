#include "covariance/probability_text.h"

#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/leading_number.h"

namespace quorvane {

namespace {

// The unnormalised t(999) density (1 + t^2/999)^(-500).
double Density(double t) { return std::exp(-500.0 * std::log(1.0 + t * t / 999.0)); }

}  // namespace

std::string ProbabilityText(double zIn) {
  const double z = static_cast<float>(zIn);
  if (z >= 20.0) return "<0.0001";
  // The lower tail F(z) by Simpson's rule on 4000 panels from -20 to z
  // (the mass below -20 is far beneath the 4 decimals shown).
  const double h = (z + 20.0) / 4000.0;
  double S = 0.0;
  for (int i = 1999; i >= -2000; --i) {
    const double t = z + (i - 2000) * h;
    S += (h / 6.0) * (Density(t + h) + 4.0 * Density(t + h / 2.0) + Density(t));
  }
  // The normalising constant Gamma(500) / (Gamma(499.5) sqrt(999 pi)).
  const double pi = 4.0 * std::atan(1.0);
  const double F = S * std::exp(std::lgamma(500.0) - std::lgamma(499.5) - std::log(std::sqrt(999.0 * pi)));
  const double r = std::floor(F * 10000.0 + 0.5) / 10000.0;
  const double q = LeadingNumber(FormatPicture(1.0 - r, "0.0000"));
  const double p = 2.0 * q;
  if (p < 0.0001) return "<0.0001";
  return FormatPicture(p, "#0.0000");
}

}  // namespace quorvane
