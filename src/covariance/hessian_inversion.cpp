#include "covariance/hessian_inversion.h"

#include <cmath>

#include "base/format/format_picture.h"
#include "minimize/lu_decompose.h"

namespace quorvane {

namespace {

std::string NotPositiveDefiniteText(int failedParameter) {
  return "Sorry, this Hessian matrix is not positive-definite; a valid covariance matrix cannot "
         "be created.\r\n\r\n"
         "Possible reasons: (1) you're not at a tight enough global minimum, or you're at a local "
         "minimum\r\n"
         "                  (2) your model contains statistically dead parameters, i.e., the "
         "-ln[L] versus a parameter is flat\r\n"
         "                  (3) there is at least one parameter pair that is very highly "
         "correlated (e.g., ABS(rho) > 0.99)\r\n"
         "                  (4) the likelihood profile is dramatically asymmetrical, perhaps due "
         "to a penalty function\r\n"
         "It might help you to know that the test for positive-definitiveness failed at "
         "parameter # " +
         std::to_string(failedParameter) + "\r\n\r\n";
}

}  // namespace

CholeskyOutcome CholeskyTest(const OneBasedMatrix& hessian, int n, const OneBased<int>& covIndex) {
  OneBasedMatrix A = hessian;
  OneBased<double> pivot(n, 0.0);
  for (int k = 1; k <= n; ++k) {
    for (int m = k; m <= n; ++m) {
      double s = A(k, m);
      for (int l = 1; l < k; ++l) s -= A(k, l) * A(m, l);
      if (m == k) {
        // NaN fails as well: it is no positive pivot.
        if (!(s > 0.0)) return {true, covIndex[k]};
        pivot[k] = std::sqrt(s);
      } else {
        A(m, k) = s / pivot[k];
      }
    }
  }
  return {};
}

InversionOutcome InvertHessian(const OneBasedMatrix& hessian, int n, double scale,
                               const OneBased<int>& covIndex, int g) {
  InversionOutcome out;
  out.Result.MarkUnavailable(n);
  const CholeskyOutcome test = CholeskyTest(hessian, n, covIndex);
  if (test.NotPositiveDefinite) {
    out.Text = NotPositiveDefiniteText(test.FailedParameter);
    return out;
  }
  out.Text = "Now inverting Hessian matrix #" + std::to_string(g) + "\r\n";

  OneBasedMatrix A = hessian;
  LuPivots pivots;
  if (LuDecompose(A, n, pivots) != 0) {
    // Cannot happen after a passed test (such a matrix has no zero row);
    // kept so that the grid then reads as not available.
    out.Text += NotPositiveDefiniteText(covIndex[1]);
    return out;
  }
  // The determinant of the inverse: the parity divided by every pivot.
  double inverseDeterminant = pivots.Parity;
  for (int j = 1; j <= n; ++j) inverseDeterminant /= A(j, j);
  OneBasedMatrix C(n, n, 0.0);
  for (int j = 1; j <= n; ++j) {
    OneBased<double> column(n, 0.0);
    column[j] = 1.0;
    LuSolve(A, n, pivots, column);
    for (int i = 1; i <= n; ++i) C(i, j) = column[i] * scale;
  }
  const double determinant = std::pow(scale, n) * inverseDeterminant;
  out.Text += "Determinant of covariance matrix: " + FormatPicture(determinant, "0.0000000E+00") +
              "\r\n\r\n";

  GridCovariance& r = out.Result;
  double product = 1.0;
  for (int k = 1; k <= n; ++k) {
    const double v = C(k, k);
    if (v != 0.0) r(0, k) = std::sqrt(std::fabs(v)) * (v / std::fabs(v));
    product *= v;
  }
  r(0, 0) = determinant;
  r(1, 0) = product;
  for (int k = 1; k <= n; ++k)
    for (int m = 1; m <= n; ++m) r(k, m) = C(k, m);
  out.PositiveDefinite = true;
  return out;
}

}  // namespace quorvane
