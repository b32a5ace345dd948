#include <gtest/gtest.h>

#include <cmath>

#include "covariance/hessian_inversion.h"

namespace quorvane {
namespace {

OneBasedMatrix Matrix(int n, std::initializer_list<double> cells) {
  OneBasedMatrix m(n, n, 0.0);
  auto it = cells.begin();
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j) m(i, j) = *it++;
  return m;
}

TEST(CholeskyTest, FailsAtTheFirstPivotThatIsNotPositiveAndNamesItsParameter) {
  const OneBased<int> index{3, 7, 9};
  struct Case {
    const char* what;
    OneBasedMatrix H;
    int failed;  // 0: positive-definite
  };
  const Case cases[] = {
      {"positive-definite", Matrix(3, {4, 1, 0, 1, 3, 1, 0, 1, 2}), 0},
      {"zero pivot at 2 (rows 1 and 2 equal)", Matrix(3, {1, 1, 0, 1, 1, 0, 0, 0, 1}), 7},
      {"zero first diagonal", Matrix(3, {0, 0, 0, 0, 1, 0, 0, 0, 1}), 3},
      {"negative pivot at 3", Matrix(3, {1, 0, 0, 0, 1, 0, 0, 0, -2}), 9},
      {"indefinite pair", Matrix(3, {1, 2, 0, 2, 1, 0, 0, 0, 1}), 7},
  };
  for (const Case& c : cases) {
    const CholeskyOutcome out = CholeskyTest(c.H, 3, index);
    EXPECT_EQ(out.NotPositiveDefinite, c.failed != 0) << c.what;
    EXPECT_EQ(out.FailedParameter, c.failed) << c.what;
  }
}

TEST(InvertHessianTest, ScalesTheInverseAndGivesTheDeterminantAndProduct) {
  // H = [[4, 2], [2, 3]]: H^-1 = [[3, -2], [-2, 4]] / 8; with scale 0.5
  // C = H^-1 / 2, det C = 1 / 32, prod C_kk = (3/16)(4/16).
  const InversionOutcome out = InvertHessian(Matrix(2, {4, 2, 2, 3}), 2, 0.5, {5, 6}, 2);
  ASSERT_TRUE(out.PositiveDefinite);
  const GridCovariance& r = out.Result;
  // Tolerances: a 2 x 2 LU solve is exact to a few ulps.
  EXPECT_NEAR(r(1, 1), 3.0 / 16, 1e-15);
  EXPECT_NEAR(r(1, 2), -2.0 / 16, 1e-15);
  EXPECT_NEAR(r(2, 1), -2.0 / 16, 1e-15);
  EXPECT_NEAR(r(2, 2), 4.0 / 16, 1e-15);
  EXPECT_NEAR(r(0, 1), std::sqrt(3.0 / 16), 1e-15);
  EXPECT_NEAR(r(0, 2), 0.5, 1e-15);
  EXPECT_NEAR(r(0, 0), 1.0 / 32, 1e-15);
  EXPECT_NEAR(r(1, 0), 3.0 / 16 * 4.0 / 16, 1e-15);
  EXPECT_EQ(out.Text,
            "Now inverting Hessian matrix #2\r\nDeterminant of covariance matrix: "
            "3.1250000E-02\r\n\r\n");
}

TEST(InvertHessianTest, ARefusedHessianLeavesEveryResultUnavailable) {
  const InversionOutcome out = InvertHessian(Matrix(2, {1, 1, 1, 1}), 2, 1.0, {2, 4}, 1);
  EXPECT_FALSE(out.PositiveDefinite);
  for (int i = 0; i <= 2; ++i)
    for (int j = 0; j <= 2; ++j) EXPECT_EQ(out.Result(i, j), -1.0);
  EXPECT_EQ(out.Text.rfind("Sorry, this Hessian matrix is not positive-definite", 0), 0u);
  EXPECT_NE(out.Text.find("failed at parameter # 4\r\n\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quorvane
