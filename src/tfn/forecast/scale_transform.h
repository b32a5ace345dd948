#pragma once

#include <optional>

#include "tfn/tfn_setup.h"

namespace quorvane {

// The transformation of a series file applied to one value as read:
// logit ln(x / (1 - x)); Box-Cox ((x + c)^lambda - 1) / lambda, or
// ln(x + c) for lambda = 0; none: x. Nothing where the value is outside the
// transformation's domain.
std::optional<double> TransformValue(const SeriesFileChoice& choice, double x);

// Its inverse: logit e^v / (e^v + 1); Box-Cox (lambda v + 1)^(1/lambda) - c,
// or e^v - c for lambda = 0. Both are increasing, so they carry quantiles
// (the median, the limits of an interval) from the analysed scale to the
// original one. Where lambda v + 1 <= 0 the value lies beyond the range of
// the transformation: the bound of the original values that it stands for
// is given, -c for lambda > 0 and +infinity for lambda < 0.
double UntransformValue(const SeriesFileChoice& choice, double v);

}  // namespace quorvane
