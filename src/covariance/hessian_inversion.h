#pragma once

#include <string>

#include "core/one_based.h"
#include "covariance/covariance_results.h"

namespace quorvane {

// The positive-definiteness test of an n x n Hessian by a Cholesky
// factorisation of a copy: for k = 1..n the pivot
//   s = A(k, k) - sum_{l<k} L(k, l)^2
// must be above 0 (a zero pivot fails too). failedParameter is the
// parameter number covIndex[k] of the first pivot that is not.
struct CholeskyOutcome {
  bool NotPositiveDefinite = false;
  int FailedParameter = 0;
};
CholeskyOutcome CholeskyTest(const OneBasedMatrix& hessian, int n, const OneBased<int>& covIndex);

// The covariances of one grid from its Hessian of the objective: C = H^-1 x
// scale (scale = ObjectiveScale, objective = scale x -ln[L], so C is the
// inverse of the Hessian of -ln[L]), with the signed standard errors, the
// determinant of C and the product of the variances. `text` holds the lines
// for the progress pane: the inversion and the determinant, or why the
// Hessian was refused (all results then stay -1).
struct InversionOutcome {
  GridCovariance Result;
  std::string Text;
  bool PositiveDefinite = false;
};
InversionOutcome InvertHessian(const OneBasedMatrix& hessian, int n, double scale,
                               const OneBased<int>& covIndex, int g);

}  // namespace quorvane
