// LuDecompose and LuSolve: solutions and determinants of small systems with
// known answers, and the zero-row failure.
#include "minimize/lu_decompose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorvane {
namespace {

OneBasedMatrix Matrix(const std::vector<std::vector<double>>& rows) {
  const int n = static_cast<int>(rows.size());
  OneBasedMatrix A(n, n);
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) A(i, j) = rows[static_cast<size_t>(i - 1)][static_cast<size_t>(j - 1)];
  return A;
}

struct SystemCase {
  const char* what;
  std::vector<std::vector<double>> A;
  std::vector<double> x;  // the solution; b = A x
  double determinant;
};

// Integer matrices, so b and the determinants are exact. The error of the
// solution is bounded by a few rounding errors times the condition number,
// which is at most about 1e6 here: 1e-9 on solutions of order 1. The
// determinant, a product of pivots, is good to 1e-12 relative.
const SystemCase kSystems[] = {
    {"no pivoting needed", {{4, 1, 0}, {1, 3, 1}, {0, 1, 2}}, {1, -2, 3}, 18},
    {"a zero in the first pivot position", {{0, 2, 1}, {1, 1, 1}, {2, 1, 0}}, {2, 0, -1}, 3},
    {"implicit row scaling", {{2, 1e6, 0}, {1, 1, 1}, {0, 1, 3}}, {1, 1, 1}, -2999996},
    {"four unknowns with leading zeros in b", {{2, 0, 0, 0}, {1, 3, 0, 0}, {0, 1, 4, 1}, {1, 0, 2, 5}},
     {0, 0, 1, -1}, 108},
    {"one unknown", {{-4}}, {2.5}, -4},
};

TEST(LuDecomposeTest, SolvesKnownSystemsAndGivesTheirDeterminants) {
  for (const SystemCase& c : kSystems) {
    SCOPED_TRACE(c.what);
    const int n = static_cast<int>(c.x.size());
    OneBasedMatrix A = Matrix(c.A);
    OneBased<double> b(n, 0.0);
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) b[i] += A(i, j) * c.x[static_cast<size_t>(j - 1)];

    LuPivots pivots;
    int pumps = 0;
    ASSERT_EQ(LuDecompose(A, n, pivots, [&] { ++pumps; }), 0);
    EXPECT_EQ(pumps, n);  // once per row
    double determinant = pivots.Parity;
    for (int j = 1; j <= n; ++j) determinant *= A(j, j);
    EXPECT_NEAR(determinant, c.determinant, 1e-12 * std::fabs(c.determinant));

    LuSolve(A, n, pivots, b);
    for (int i = 1; i <= n; ++i) EXPECT_NEAR(b[i], c.x[static_cast<size_t>(i - 1)], 1e-9);
  }
}

TEST(LuDecomposeTest, PivotsAreChosenByScaledMagnitude) {
  // Column 1 holds 2 and 1: by raw magnitude row 1 would be the pivot, but
  // row 1 is large only through its 1e6, so scaled by its largest element
  // (2e-6 against 1) row 2 is chosen. Column 2 then keeps its row.
  OneBasedMatrix A = Matrix({{2, 1e6, 0}, {1, 1, 1}, {0, 1, 3}});
  LuPivots pivots;
  ASSERT_EQ(LuDecompose(A, 3, pivots), 0);
  EXPECT_EQ(pivots.Row[1], 2);
  EXPECT_EQ(pivots.Row[2], 2);
  EXPECT_EQ(pivots.Row[3], 3);
  EXPECT_EQ(pivots.Parity, -1.0);  // one interchange

  // Equal scaled magnitudes: the later row wins.
  OneBasedMatrix B = Matrix({{1, 0}, {1, 1}});
  ASSERT_EQ(LuDecompose(B, 2, pivots), 0);
  EXPECT_EQ(pivots.Row[1], 2);
}

TEST(LuDecomposeTest, AZeroRowFailsWithItsNumber) {
  OneBasedMatrix A = Matrix({{1, 2, 3}, {0, 0, 0}, {4, 5, 6}});
  LuPivots pivots;
  EXPECT_EQ(LuDecompose(A, 3, pivots), 2);
  OneBasedMatrix B = Matrix({{1, 0}, {0, 0}});
  EXPECT_EQ(LuDecompose(B, 2, pivots), 2);
  OneBasedMatrix C = Matrix({{0, 0}, {0, 0}});
  EXPECT_EQ(LuDecompose(C, 2, pivots), 1);  // the first zero row
}

TEST(LuDecomposeTest, ASingularMatrixWithoutAZeroRowStillFactorsToFiniteNumbers) {
  // Rank 1: the second pivot is exactly 0 and becomes 1e-20.
  OneBasedMatrix A = Matrix({{1, 2}, {2, 4}});
  LuPivots pivots;
  ASSERT_EQ(LuDecompose(A, 2, pivots), 0);
  EXPECT_EQ(A(2, 2), 1e-20);
  OneBased<double> b = {1, 1};
  LuSolve(A, 2, pivots, b);
  EXPECT_TRUE(std::isfinite(b[1]) && std::isfinite(b[2]));
}

}  // namespace
}  // namespace quorvane
