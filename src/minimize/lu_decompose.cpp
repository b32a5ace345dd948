#include "minimize/lu_decompose.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorvane {

namespace {

constexpr double kTinyPivot = 1e-20;

void Pump(const std::function<void()>& pump) {
  if (pump) pump();
}

}  // namespace

int LuDecompose(OneBasedMatrix& A, int n, LuPivots& pivots, const std::function<void()>& pump) {
  pivots.Row.assign(n, 0);
  pivots.Parity = 1.0;

  // Implicit scaling: 1 / the largest magnitude of each row.
  OneBased<double>& scale = pivots.RowScale;
  scale.assign(n, 0.0);
  for (int i = 1; i <= n; ++i) {
    double big = 0.0;
    for (int j = 1; j <= n; ++j) big = std::max(big, std::fabs(A(i, j)));
    if (big == 0.0) return i;
    scale[i] = 1.0 / big;
    Pump(pump);
  }

  for (int j = 1; j <= n; ++j) {
    // U above the diagonal: A[i, j] -= sum over k < i of L[i, k] U[k, j].
    for (int i = 1; i < j; ++i) {
      double sum = A(i, j);
      for (int k = 1; k < i; ++k) sum -= A(i, k) * A(k, j);
      A(i, j) = sum;
    }
    // The diagonal and below, before division by the pivot; the pivot row
    // is the one with the largest scaled magnitude.
    double big = 0.0;
    int pivotRow = j;
    for (int i = j; i <= n; ++i) {
      double sum = A(i, j);
      for (int k = 1; k < j; ++k) sum -= A(i, k) * A(k, j);
      A(i, j) = sum;
      const double scaled = scale[i] * std::fabs(sum);
      if (scaled >= big) {
        big = scaled;
        pivotRow = i;
      }
    }
    if (pivotRow != j) {
      for (int k = 1; k <= n; ++k) std::swap(A(pivotRow, k), A(j, k));
      std::swap(scale[pivotRow], scale[j]);
      pivots.Parity = -pivots.Parity;
    }
    pivots.Row[j] = pivotRow;
    if (A(j, j) == 0.0) A(j, j) = kTinyPivot;
    if (j < n) {
      const double inverse = 1.0 / A(j, j);
      for (int i = j + 1; i <= n; ++i) A(i, j) *= inverse;
    }
  }
  return 0;
}

void LuSolve(const OneBasedMatrix& A, int n, const LuPivots& pivots, OneBased<double>& b,
             const std::function<void()>& pump) {
  // Forward substitution with L, undoing the row interchanges as it goes;
  // `first` is the first row whose right-hand side is not zero, since the
  // rows above it contribute nothing.
  int first = 0;
  for (int i = 1; i <= n; ++i) {
    const int row = pivots.Row[i];
    double sum = b[row];
    b[row] = b[i];
    if (first != 0) {
      for (int j = first; j < i; ++j) sum -= A(i, j) * b[j];
    } else if (sum != 0.0) {
      first = i;
    }
    b[i] = sum;
    Pump(pump);
  }
  // Back substitution with U.
  for (int i = n; i >= 1; --i) {
    double sum = b[i];
    for (int j = i + 1; j <= n; ++j) sum -= A(i, j) * b[j];
    b[i] = sum / A(i, i);
    Pump(pump);
  }
}

}  // namespace quorvane
