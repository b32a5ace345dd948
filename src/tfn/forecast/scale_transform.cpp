#include "tfn/forecast/scale_transform.h"

#include <cmath>
#include <limits>

namespace quorvane {

std::optional<double> TransformValue(const SeriesFileChoice& choice, double x) {
  const double lambda = choice.BoxCoxLambda;
  const double c = choice.BoxCoxConstant;
  switch (choice.Transformation) {
    case SeriesTransformation::None: return x;
    case SeriesTransformation::Logit:
      if (!(x > 0.0 && x < 1.0)) return std::nullopt;
      return std::log(x / (1.0 - x));
    case SeriesTransformation::BoxCox:
      if (!(x + c > 0.0)) return std::nullopt;
      return lambda != 0.0 ? (std::pow(x + c, lambda) - 1.0) / lambda : std::log(x + c);
  }
  return std::nullopt;
}

double UntransformValue(const SeriesFileChoice& choice, double v) {
  const double lambda = choice.BoxCoxLambda;
  const double c = choice.BoxCoxConstant;
  switch (choice.Transformation) {
    case SeriesTransformation::None: return v;
    case SeriesTransformation::Logit:
      // e^v / (e^v + 1), written so that neither tail overflows.
      return v >= 0.0 ? 1.0 / (1.0 + std::exp(-v)) : std::exp(v) / (1.0 + std::exp(v));
    case SeriesTransformation::BoxCox: {
      if (lambda == 0.0) return std::exp(v) - c;
      const double base = lambda * v + 1.0;
      if (base <= 0.0) return lambda > 0.0 ? -c : std::numeric_limits<double>::infinity();
      return std::pow(base, 1.0 / lambda) - c;
    }
  }
  return v;
}

}  // namespace quorvane
