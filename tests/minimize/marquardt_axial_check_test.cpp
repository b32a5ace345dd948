// MarquardtAxialCheck: every probe is made, and the search moves to the best
// improving one.
#include "minimize/marquardt_axial_check.h"

#include <gtest/gtest.h>

#include "minimize/marquardt_fixture.h"
#include "minimize/marquardt_state.h"

namespace quorvane {
namespace {

class MarquardtAxialCheckTest : public testing::MarquardtSession {
 protected:
  // F is linear in parameters 1 and 3 around (1, 1, 3); parameter 2 is
  // fused to parameter 1, so it is no axis of its own.
  MarquardtAxialCheckTest()
      : MarquardtSession(3, [this](const OneBased<double>& P) {
          return 10 + slope1_ * (P[1] - 1) + slope3_ * (P[3] - 3);
        }) {
    data().FuseCodes = {"A", "A", "~~"};
    data().ReductionFraction = 0.1;
    data().Tolerance = 0.1;
  }

  // Probes at 1 +- 0.1 and 3 -+ 0.2.
  bool Check(double slope1, double slope3) {
    slope1_ = slope1;
    slope3_ = slope3;
    SetParameters({1, 1, 3}, {1, 1, 2});
    state_.X = data().Values;
    state_.FLast = 10;
    model_.NFs.clear();
    model_.Points.clear();
    session_.FunctionCallCount = 7;
    return MarquardtAxialCheck(session_, state_, 10);
  }

  double slope1_ = 0;
  double slope3_ = 0;
  MarquardtState state_;
};

TEST_F(MarquardtAxialCheckTest, MovesToTheBestProbeNotTheFirstOneFound) {
  // +P1 gives 9.5 and comes first; -P3 gives 8.
  ASSERT_TRUE(Check(-5, 10));
  EXPECT_EQ(state_.X[1], 1);
  EXPECT_DOUBLE_EQ(state_.X[3], 2.8);
  EXPECT_DOUBLE_EQ(data().Values[3], 2.8);
  EXPECT_DOUBLE_EQ(state_.FLast, 8);
  EXPECT_EQ(Panel(4), "Last failure of convergence verification caused by parameter # 3");
  EXPECT_EQ(Panel(3), "");

  // All 2n probes, in order +1, -1, +3, -3, each NF = 1 and not counted.
  ASSERT_EQ(model_.NFs, (std::vector<std::int32_t>{1, 1, 1, 1}));
  EXPECT_EQ(session_.FunctionCallCount, 7);
  EXPECT_DOUBLE_EQ(model_.Points[0][1], 1.1);
  EXPECT_DOUBLE_EQ(model_.Points[1][1], 0.9);
  EXPECT_DOUBLE_EQ(model_.Points[1][2], 0.9);  // the follower goes with its group
  EXPECT_DOUBLE_EQ(model_.Points[2][3], 3.2);
  EXPECT_DOUBLE_EQ(model_.Points[3][3], 2.8);
}

TEST_F(MarquardtAxialCheckTest, OfEqualProbesTheFirstWinsAndFusedMembersFollow) {
  // +P1 and -P3 both give 9.5.
  ASSERT_TRUE(Check(-5, 2.5));
  EXPECT_DOUBLE_EQ(state_.X[1], 1.1);
  EXPECT_DOUBLE_EQ(state_.X[2], 1.1);
  EXPECT_EQ(state_.X[3], 3);
  EXPECT_EQ(state_.FLast, 9.5);
  EXPECT_EQ(Panel(4), "Last failure of convergence verification caused by parameter # 1");
}

TEST_F(MarquardtAxialCheckTest, NoProbeBelowTheMarginLeavesEverythingAlone) {
  // The best probe, -P3 at 9.92, is not more than the tolerance 0.1 below.
  EXPECT_FALSE(Check(0, 0.4));
  EXPECT_EQ(state_.X, (OneBased<double>{1, 1, 3}));
  EXPECT_EQ(data().Values, (OneBased<double>{1, 1, 3}));
  EXPECT_EQ(state_.FLast, 10);
  EXPECT_EQ(model_.NFs.size(), 4u);
  EXPECT_EQ(Panel(4), "");
}

}  // namespace
}  // namespace quorvane
