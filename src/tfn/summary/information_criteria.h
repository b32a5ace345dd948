#pragma once

#include <optional>
#include <string>

namespace quorvane {

inline constexpr const char* kTooFewDegreesOfFreedom = "Undefined (too few degrees of freedom)";
inline constexpr const char* kTooFewData = "Undefined (too few data)";

// A criterion's value, or the text that says why it has none.
struct Criterion {
  std::optional<double> Value;
  std::string Undefined;  // when there is no value
};

struct InformationCriteria {
  Criterion Aic, Aicc, Bic;
};

// AIC, AICc and BIC of an objective minimum F (-ln[L]) with n noise values,
// k free parameters (differencing included) and c free group intercepts:
//   AIC  = f 2F + 2k
//   AICc = f 2F + 2kn / (n - k - c)   undefined when n - k - c < 1
//   BIC  = f 2F + k ln n              undefined when n < 1
// with f = 1. The differencing correction multiplies 2F by f = N / n,
// N = n + d x NS with d the periods differencing uses up (d + s for
// seasonal differencing) (ComputeCorrectedCriteria); without data (n < 1)
// that factor and so all three criteria are undefined.
InformationCriteria ComputeInformationCriteria(double F, long long n, int k, int c);
InformationCriteria ComputeCorrectedCriteria(double F, long long n, int k, int c,
                                             int differencing, int seriesCount);

}  // namespace quorvane
