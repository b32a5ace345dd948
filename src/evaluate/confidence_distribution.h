#pragma once

#include "evaluate/evaluation_series.h"

namespace quorvane {

// Turns a profile of -ln[L] over n equally spaced values (n odd, step h > 0)
// into a confidence distribution. Reads ProfilePointCount n, ProfileValues x,
// ProfileObjective L, BestPoint b and BestValue; fills the other series and
// ExpectedValue, EstimatedDiff and EstimatedSE:
//   - L becomes relative to the best point, D = exp(-L);
//   - Simpson sums over the panels (1,2,3), (3,4,5), ..., (n-2,n-1,n) give
//     S0 = int D, S1 = int x D, S2 = int x^2 D; the mean is S1/S0 and the
//     SE the root of S2/S0 - mean^2 (0 if that is negative);
//   - ProfilePdf = D/S0, NormalPdf the Gaussian with that mean and SE;
//   - ProfileCumulative by Simpson panels from the left, starting from
//     ProfilePdf[1] h, capped at 1;
//   - ModeRegion and MeanRegion measure the cumulative away from the best
//     point and from the point nearest the mean, scaled to 0..1 on each
//     side; each is left untouched when its centre is point 1.
// Entries a rule skips keep their value. When the density has no positive
// integral (an objective that is not a number) the mean and SE are 0.
void ConfidenceDistribution(EvaluationSeries& series, double h);

}  // namespace quorvane
