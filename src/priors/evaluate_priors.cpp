#include "priors/evaluate_priors.h"

#include <algorithm>
#include <cmath>

#include "priors/normal_cdf.h"

namespace quorvane {

namespace {

// The penalty that replaces an infinite term outside a distribution's
// support: steep, quadratic in the distance, and 0 at the boundary.
constexpr double kPenalty = 1E+20;
// The bounds of the support of G, L and B as evaluated.
constexpr double kLowest = 1E-6;
constexpr double kHighest = 0.999999;

PriorTermValue Outside(double distance) { return {kPenalty * distance * distance, false}; }

// Left side of a cliff at foot f with SD s: -ln Phi((x - f)/s), a term of
// ln 2 at the foot and about 0 far to the right.
double LeftCliff(double x, double f, double s) {
  if (s == 0.0) return x < f ? kPenalty * (x - f) * (x - f) : 0.0;
  const double z = (x - f) / s;
  const double P = NormalCdf(z);
  return P > 0.0 ? -std::log(P) : kPenalty * z * z;
}

// Right side: -ln(1 - Phi((x - f)/s)).
double RightCliff(double x, double f, double s) {
  if (s == 0.0) return x > f ? kPenalty * (x - f) * (x - f) : 0.0;
  const double z = (x - f) / s;
  const double Q = 1.0 - NormalCdf(z);
  return Q > 0.0 ? -std::log(Q) : kPenalty * z * z;
}

PriorTermValue Gamma(double x, double m, double s) {
  if (x < kLowest) return Outside(x - kLowest);
  // Shape k and scale theta from mean k theta and variance k theta^2;
  // -ln density = x/theta + (1 - k) ln x + const, 0 at the mode (k - 1) theta.
  const double k = (m / s) * (m / s);
  const double theta = std::fabs(s * s / m);
  const double M = (k - 1.0) * theta;
  return {x / theta + (1.0 - k) * std::log(x) - ((1.0 - k) * std::log(M) + M / theta)};
}

PriorTermValue LnNormal(double x, double m, double s) {
  if (x < kLowest) return Outside(x - kLowest);
  // ln x ~ N(mu, sigma^2) with mean exp(mu + sigma^2/2) = m and variance
  // (exp(sigma^2) - 1) m^2 = s^2; -ln density = ln x + ((ln x - mu)/sigma)^2/2
  // + const, 0 at the mode exp(mu - sigma^2).
  const double sigma = std::sqrt(std::log(s * s + m * m) - 2.0 * std::log(m));
  const double mu = std::log(m) - sigma * sigma / 2.0;
  const double M = std::exp(mu - sigma * sigma);
  const double zx = (std::log(x) - mu) / sigma;
  const double zM = (std::log(M) - mu) / sigma;
  return {std::log(x) + 0.5 * zx * zx - (std::log(M) + 0.5 * zM * zM)};
}

PriorTermValue Beta(double x, double m, double s) {
  if (x < kLowest) return Outside(x - kLowest);
  if (x > kHighest) return Outside(x - kHighest);
  // a and b from the mean a/(a+b) = m and variance m(1-m)/(a+b+1) = s^2;
  // -ln density = (1-a) ln x + (1-b) ln(1-x) + const, 0 at the mode
  // (a-1)/(a+b-2), kept inside the evaluated support.
  const double common = (m - m * m - s * s) / (s * s);
  const double a = m * common;
  const double b = (1.0 - m) * common;
  double M = (1.0 - a) / (2.0 - a - b);
  if (M < kLowest) M = kLowest;
  if (M > kHighest) M = kHighest;
  return {(1.0 - a) * std::log(x) + (1.0 - b) * std::log(1.0 - x) -
          ((1.0 - a) * std::log(M) + (1.0 - b) * std::log(1.0 - M))};
}

PriorTermValue BoundedUniform(double x, const PriorRow& row) {
  double term = LeftCliff(x, row.FirstTerm, row.SecondTerm);
  const double b = row.ThirdValue;
  const double t = row.FourthValue;
  if (t == 0.0) {
    if (x > b) term = kPenalty * (x - b) * (x - b);
  } else {
    const double z = (x - b) / t;
    const double Q = 1.0 - NormalCdf(z);
    term = Q > 0.0 ? term - std::log(Q) : term + kPenalty * z * z;
  }
  return {term};
}

PriorTermValue Evaluate(const PriorRow& row, double x) {
  const double m = row.FirstTerm;
  const double s = row.SecondTerm;
  switch (row.Letter()) {
    case 'N': {
      const double z = (x - m) / s;
      return {0.5 * z * z};
    }
    case 'E':
      // The row holds the mean: the term is x/mean (the decay rate is 1/mean).
      if (x <= 0.0) return Outside(x);
      return {x / std::fabs(m)};
    case 'G':
      return Gamma(x, m, s);
    case 'L':
      return LnNormal(x, m, s);
    case 'B':
      return Beta(x, m, s);
    case 'S':
      return {LeftCliff(x, m, s)};
    case 'D':
      return {RightCliff(x, m, s)};
    case 'T':
      return BoundedUniform(x, row);
    default:
      return {0.0, false};
  }
}

}  // namespace

PriorTermValue PriorTermAt(const PriorRow& row, double x) {
  PriorTermValue value = Evaluate(row, x);
  if (!std::isfinite(value.term)) value = {0.0, false};
  return value;
}

double EvaluatePriors(const PriorTable& table, const OneBased<double>& values,
                      double objectiveScale, std::span<double> terms) {
  const int n = std::min(static_cast<int>(table.Rows.size()), values.size());
  const bool keep = terms.size() >= static_cast<std::size_t>(n);
  double total = 0.0;
  for (int i = 1; i <= n; ++i) {
    const PriorRow& row = table.Rows[static_cast<std::size_t>(i - 1)];
    if (row.Letter() == 'U') {
      if (keep) terms[static_cast<std::size_t>(i - 1)] = 0.0;
      continue;
    }
    const PriorTermValue value = PriorTermAt(row, values[i]);
    if (keep) terms[static_cast<std::size_t>(i - 1)] = value.term;
    if (value.added) total += value.term;
  }
  return objectiveScale * total;
}

}  // namespace quorvane
