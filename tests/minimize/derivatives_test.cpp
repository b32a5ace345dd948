// Numerical derivatives against the exact gradient and Hessian of a
// quadratic, and the analytical derivatives taken from the model.
#include "minimize/derivatives.h"

#include <gtest/gtest.h>

#include "minimize/marquardt_fixture.h"
#include "minimize/marquardt_state.h"

namespace quorvane {
namespace {

// F = c + g'P + P'AP / 2 over four parameters; parameter 3 is fixed.
constexpr double kC = 7;
constexpr double kG[4] = {1, -2, 0.5, 3};
constexpr double kA[4][4] = {{4, 1, 0.5, -1}, {1, 3, 0, 0.25}, {0.5, 0, 2, 0}, {-1, 0.25, 0, 5}};

double Quadratic(const OneBased<double>& P) {
  double f = kC;
  for (int i = 0; i < 4; ++i) {
    f += kG[i] * P[i + 1];
    for (int j = 0; j < 4; ++j) f += 0.5 * kA[i][j] * P[i + 1] * P[j + 1];
  }
  return f;
}

class DerivativesTest : public testing::MarquardtSession {
 protected:
  DerivativesTest() : MarquardtSession(4, Quadratic) {
    // A positive value (relative step 0.002), a zero value (absolute step
    // 0.001), a fixed parameter, and a negative value (step -0.003).
    SetParameters({2, 0, 1.5, -3}, {0.1, 0.1, 0, 0.1});
    state_.Allocate(session_.Free.FreeCount);
    state_.FLast = Quadratic(data().Values);
  }
  MarquardtState state_;
};

TEST_F(DerivativesTest, NumericalDerivativesOfAQuadraticAreExact) {
  session_.FunctionCallCount = 5;
  ASSERT_TRUE(ComputeDerivatives(session_, state_, DerivativeKind::Numerical));

  // The central formulas are exact for a quadratic; what is left is
  // rounding: about 1e-16 * |F| (< 100) over the step (>= 0.001) for the
  // gradient, and over the product of two steps for the Hessian.
  const int free[3] = {1, 2, 4};
  for (int k = 1; k <= 3; ++k) {
    const int i = free[k - 1] - 1;
    double gradient = kG[i];
    for (int j = 0; j < 4; ++j) gradient += kA[i][j] * data().Values[j + 1];
    EXPECT_NEAR(state_.Gradient[k], gradient, 1e-9) << "k = " << k;
    for (int m = 1; m <= 3; ++m)
      EXPECT_NEAR(state_.Hessian(k, m), kA[i][free[m - 1] - 1], 1e-6) << k << ", " << m;
  }

  // n(n+1) counted calls, each with the running count as NF and the fixed
  // parameter at its value.
  EXPECT_EQ(session_.FunctionCallCount, 5 + 12);
  ASSERT_EQ(model_.NFs.size(), 12u);
  for (int c = 0; c < 12; ++c) {
    EXPECT_EQ(model_.NFs[static_cast<size_t>(c)], 6 + c);
    EXPECT_EQ(model_.Points[static_cast<size_t>(c)][3], 1.5);
  }
  // The first pair moves parameter 1 by +-0.002; the pair (1, 2) moves
  // parameter 2 by the absolute step and (1, 4) parameter 4 by -0.003.
  EXPECT_DOUBLE_EQ(model_.Points[0][1], 2.002);
  EXPECT_DOUBLE_EQ(model_.Points[1][1], 1.998);
  EXPECT_DOUBLE_EQ(model_.Points[2][2], 0.001);
  EXPECT_DOUBLE_EQ(model_.Points[4][4], -3.003);
  EXPECT_EQ(Panel(1), "Hessian function call 12 of 12");
}

TEST_F(DerivativesTest, InAProfileTheCallsAreNotShown) {
  session_.State.ProfileMode = true;
  ui_.StatusPanels.clear();
  ComputeDerivatives(session_, state_, DerivativeKind::Numerical);
  EXPECT_EQ(model_.NFs.size(), 12u);
  EXPECT_EQ(ui_.StatusPanels.count({5, 1}), 0u);
}

// The model's derivatives, by parameter number, are taken by free index.
class AnalyticalDerivativesTest : public testing::MarquardtSession {
 protected:
  AnalyticalDerivativesTest()
      : MarquardtSession(3, [](const OneBased<double>&) { return 0.0; },
                         [this](const OneBased<double>&, OneBased<double>& GRAD,
                                OneBasedMatrix& HESS) {
                           for (int i = 1; i <= 3; ++i) {
                             GRAD[i] = 10 * i;
                             for (int j = 1; j <= 3; ++j)
                               if (!lowerOnly_ || j < i) HESS(i, j) = 10 * i + j;
                           }
                         }) {
    SetParameters({1, 2, 3}, {0.1, 0, 0.1});  // free: parameters 1 and 3
    state_.Allocate(2);
  }
  bool lowerOnly_ = false;
  MarquardtState state_;
};

TEST_F(AnalyticalDerivativesTest, AreTakenByFreeIndex) {
  session_.FunctionCallCount = 4;
  ASSERT_TRUE(ComputeDerivatives(session_, state_, DerivativeKind::Analytical));
  EXPECT_EQ(state_.Gradient, (OneBased<double>{10, 30}));
  EXPECT_EQ(state_.Hessian(1, 1), 11);
  EXPECT_EQ(state_.Hessian(1, 2), 13);
  EXPECT_EQ(state_.Hessian(2, 1), 31);
  EXPECT_EQ(state_.Hessian(2, 2), 33);
  ASSERT_EQ(model_.NFs, (std::vector<std::int32_t>{-2}));
  EXPECT_EQ(session_.FunctionCallCount, 4);  // not a counted call
}

TEST_F(AnalyticalDerivativesTest, AHessianFilledOnlyBelowTheDiagonalCountsAsMissing) {
  lowerOnly_ = true;
  state_.Hessian(1, 1) = 99;  // left from an earlier point
  EXPECT_FALSE(ComputeDerivatives(session_, state_, DerivativeKind::Analytical));
  EXPECT_EQ(state_.Hessian(1, 1), 0);
}

}  // namespace
}  // namespace quorvane
