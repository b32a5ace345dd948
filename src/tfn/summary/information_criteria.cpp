#include "tfn/summary/information_criteria.h"

#include <cmath>

namespace quorvane {

namespace {

Criterion Defined(double value) { return {value, {}}; }
Criterion Undefined(const char* why) { return {std::nullopt, why}; }

InformationCriteria Criteria(double twiceF, long long n, int k, int c) {
  InformationCriteria criteria;
  criteria.Aic = Defined(twiceF + 2.0 * k);
  const long long free = n - k - c;
  criteria.Aicc = free < 1 ? Undefined(kTooFewDegreesOfFreedom)
                           : Defined(twiceF + 2.0 * k * static_cast<double>(n) / static_cast<double>(free));
  criteria.Bic = n < 1 ? Undefined(kTooFewData) : Defined(twiceF + k * std::log(static_cast<double>(n)));
  return criteria;
}

}  // namespace

InformationCriteria ComputeInformationCriteria(double F, long long n, int k, int c) {
  return Criteria(2.0 * F, n, k, c);
}

InformationCriteria ComputeCorrectedCriteria(double F, long long n, int k, int c,
                                             int differencing, int seriesCount) {
  if (n < 1) return {Undefined(kTooFewData), Undefined(kTooFewData), Undefined(kTooFewData)};
  const double N = static_cast<double>(n) + static_cast<double>(differencing) * seriesCount;
  return Criteria(N / static_cast<double>(n) * 2.0 * F, n, k, c);
}

}  // namespace quorvane
