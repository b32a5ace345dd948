#pragma once

#include <functional>

#include "core/one_based.h"

namespace quorvane {

// The row interchanges of an LU factorisation: Row[j] is the row swapped
// with row j at column j, and Parity is +1 or -1 for an even or odd number
// of swaps (the determinant of A is Parity times the product of the pivots).
struct LuPivots {
  OneBased<int> Row;
  double Parity = 1.0;
  // Work of LuDecompose: the implicit scale of each row. Kept here so that
  // factorising again at the same size allocates nothing.
  OneBased<double> RowScale;
};

// LuDecompose: Crout's method with partial pivoting and implicit row
// scaling. Factors the leading n x n block of A in place into L (below the
// diagonal, unit diagonal not stored) and U (on and above it) of the
// row-permuted matrix, P A = L U.
//
// Each row is scaled by 1 / (its largest magnitude) for the choice of pivot
// only: in column j the pivot is the row i >= j with the largest
// scale[i] * |A[i, j]|, a later row winning a tie. A pivot of exactly 0
// becomes 1e-20, so a matrix that is singular without a zero row still
// factors (its solution is then huge rather than undefined).
//
// Returns 0 on success, otherwise the number of the first row that is zero
// throughout; A is then left as it was. `pump` runs once per row of the
// scaling pass, so a long factorisation lets the user act.
int LuDecompose(OneBasedMatrix& A, int n, LuPivots& pivots,
                const std::function<void()>& pump = {});

// LuSolve: solves A x = b with the factors and pivots of LuDecompose;
// b is replaced by x. Forward substitution in pivot order (skipping the
// leading zero elements of b), then back substitution. `pump` runs once per
// row of each pass.
void LuSolve(const OneBasedMatrix& A, int n, const LuPivots& pivots, OneBased<double>& b,
             const std::function<void()>& pump = {});

}  // namespace quorvane
