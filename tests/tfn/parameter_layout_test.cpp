#include "tfn/parameter_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace quorvane {
namespace {

TfnSetup LayoutSetup(int p, std::vector<std::int16_t> interventions, int covariates) {
  TfnSetup s;
  s.LagOrder = static_cast<std::int16_t>(p);
  s.GroupCount = static_cast<std::int16_t>(interventions.size());
  for (size_t g = 0; g < interventions.size(); ++g) s.Interventions[g] = interventions[g];
  s.UseCovariates = covariates > 0;
  s.Covariates.FirstSeries = 1;
  s.Covariates.LastSeries = static_cast<std::int16_t>(covariates);
  return s;
}

TEST(ParameterLayoutTest, CountsAndBlockPositions) {
  EXPECT_EQ(ParameterCount(LayoutSetup(1, {0}, 0)), 3);
  EXPECT_EQ(ParameterCount(LayoutSetup(1, {1}, 0)), 8);  // the Nile set-up
  EXPECT_EQ(ParameterCount(LayoutSetup(2, {0, 0, 0}, 3)), 28);  // the seat-belt set-up

  const TfnSetup s = LayoutSetup(5, {1, 0}, 2);
  const ParameterLayout layout(s);
  EXPECT_EQ(layout.Count(), 51);
  EXPECT_EQ(layout.CovariateBase(1) + 1, 26);
  EXPECT_EQ(layout.CovariateBase(2) + 1, 39);
  const auto d = DescribeParameters(s);
  ASSERT_EQ(d.size(), 51u);
  EXPECT_EQ(d[25], "Backward shift for TFN covariate series 1 [0; any + integer]");
  EXPECT_EQ(d[38], "Backward shift for TFN covariate series 2 [0; any + integer]");

  // The second intervention of group 2 after three in group 1 is block 5.
  const TfnSetup t = LayoutSetup(1, {3, 2}, 0);
  const auto dt = DescribeParameters(t);
  EXPECT_EQ(dt[static_cast<size_t>(ParameterLayout(t).InterventionBase(5))],
            "Starting time period for Intervention 2 of Group 2 [0; any + integer] (Step size "
            "MUST=0)");
}

TEST(ParameterLayoutTest, ShapeOfASetUpWithoutSeasonalTerms) {
  // Two interventions in group 2, one covariate per group, the second
  // treated as an intervention series.
  TfnSetup s = LayoutSetup(3, {0, 2}, 2);
  s.CovariateIsIntervention[1] = true;
  const ModelShape shape = BuildModelShape(s);
  ASSERT_EQ(shape.Noise.size(), 2u);
  for (const LagPolynomial& polynomial : shape.Noise) {
    EXPECT_EQ(polynomial.Order, 3);
    EXPECT_EQ(polynomial.Span, 1);
    EXPECT_FALSE(polynomial.Appended);
  }
  EXPECT_EQ(shape.Noise[0].Side, LagSide::Autoregressive);
  EXPECT_EQ(shape.Noise[1].Side, LagSide::MovingAverage);
  ASSERT_EQ(shape.Transfers.size(), 4u);
  const auto block = [&](size_t b) {
    const TransferBlockShape& t = shape.Transfers[b];
    return std::tuple(t.Input, t.Number, t.Group, t.CovariateAsIntervention);
  };
  EXPECT_EQ(block(0), std::tuple(TransferInput::Intervention, 1, 2, false));
  EXPECT_EQ(block(1), std::tuple(TransferInput::Intervention, 2, 2, false));
  EXPECT_EQ(block(2), std::tuple(TransferInput::Covariate, 1, 1, false));
  EXPECT_EQ(block(3), std::tuple(TransferInput::Covariate, 2, 2, true));

  const ParameterLayout layout(shape);
  EXPECT_EQ(layout.Count(), 6 + 2 + 9 * 4);
  EXPECT_EQ(layout.OriginalCount(), layout.Count());
  EXPECT_EQ(layout.CovariateBase(1), layout.TransferBase(2));
  EXPECT_EQ(layout.CovariateBase(3), layout.Count());
}

// Appended blocks (the seasonal factors, then a group's further covariate
// series) follow in the order of the Appended list and move nothing before
// them.
TEST(ParameterLayoutTest, AppendedBlocksFollowInTheirOrder) {
  TfnSetup s = LayoutSetup(2, {1}, 1);
  s.SeasonalPeriod = 12;
  s.SeasonalArOrder = 1;
  s.SeasonalMaOrder = 2;
  const ParameterLayout before(s);
  s.Covariates.LastSeries = 2;
  s.CovariateGroup = {1, 1};
  const ModelShape shape = BuildModelShape(s);
  ASSERT_EQ(shape.Transfers.size(), 3u);
  EXPECT_FALSE(shape.Transfers[1].Appended);
  EXPECT_TRUE(shape.Transfers[2].Appended);
  EXPECT_EQ(shape.Transfers[2].Group, 1);
  const ParameterLayout layout(shape);
  // 2p + NG + 2 (2p + 3) = 4 + 1 + 14 original, Phi_s(1), Theta_s(1..2), a block of 7.
  EXPECT_EQ(layout.OriginalCount(), 19);
  EXPECT_EQ(layout.Coefficient(2, 1), 20);
  EXPECT_EQ(layout.Coefficient(3, 1), 21);
  EXPECT_EQ(layout.Coefficient(3, 2), 22);
  EXPECT_EQ(layout.TransferBase(2), 22);
  EXPECT_EQ(layout.Count(), 29);
  for (size_t b = 0; b < 2; ++b) EXPECT_EQ(layout.TransferBase(b), before.TransferBase(b));
  EXPECT_EQ(layout.Coefficient(3, 2), before.Coefficient(3, 2));
}

// Covariate series 1 and 3 act on group 1, series 2 on group 2: the first
// series of each group keeps the place of the group's one covariate, series
// 3 follows everything, and every covariate description names its group.
TEST(ParameterLayoutTest, FurtherCovariatesOfAGroupFollowAllOtherParameters) {
  TfnSetup s = LayoutSetup(1, {1, 0}, 3);
  s.CovariateGroup = {1, 2, 1};
  const ParameterLayout layout(s);
  EXPECT_EQ(layout.Count(), 2 + 2 + 5 * 4);
  EXPECT_EQ(layout.CovariateBase(1), 9);
  EXPECT_EQ(layout.CovariateBase(2), 14);
  EXPECT_EQ(layout.OriginalCount(), 19);
  EXPECT_EQ(layout.CovariateBase(3), 19);
  const auto d = DescribeParameters(s);
  EXPECT_EQ(d[9], "Backward shift for TFN covariate series 1 of Group 1 [0; any + integer]");
  EXPECT_EQ(d[15], "Intercept (at first time period) for TFN covariate series 2 of Group 2 [0 (uses series "
                   "mean); any fixed real number]");
  EXPECT_EQ(d[22], "Omega( 1) for TFN covariate series 3 of Group 1 [0; any real number]");
  EXPECT_EQ(d[23], "Logit[Delta( 1) for TFN covariate series 3 of Group 1 [0; -1 < Delta < +1]]");

  // Lists that give series c to group c are the original set-up.
  TfnSetup plain = LayoutSetup(5, {1, 0}, 2), listed = plain;
  listed.CovariateGroup = {1, 2};
  EXPECT_EQ(DescribeParameters(listed), DescribeParameters(plain));
  EXPECT_EQ(ParameterLayout(listed).OriginalCount(), ParameterLayout(plain).Count());
}

TEST(ParameterLayoutTest, DescriptionsInLayoutOrder) {
  TfnSetup s = LayoutSetup(1, {1}, 1);
  s.CovariateIsIntervention[0] = true;
  EXPECT_EQ(DescribeParameters(s),
            (std::vector<std::string>{
                "Logit[Phi( 1) [0; -1 < Phi < +1]]",
                "Logit[Theta( 1) [0; -1 < Theta < +1]]",
                "Intercept (at first time period) for group 1 [0; any real number]",
                "Starting time period for Intervention 1 of Group 1 [0; any + integer] (Step size "
                "MUST=0)",
                "Code for Intervention 1 of Group 1 [None=0; Step=1, Pulse=2, Linear trend=3] "
                "(Step size MUST=0)",
                "Omega( 0) for Intervention 1 of Group 1 [0; any real number]",
                "Omega( 1) for Intervention 1 of Group 1 [0; any real number]",
                "Logit[Delta( 1) for Intervention 1 of Group 1 [0; -1 < Delta < +1]]",
                "Unused backward shift for TFN covariate series 1 [0]",
                "Unused intercept (at first time period) for TFN covariate series 1 [0]",
                "Omega( 0) for TFN covariate series 1 [0; any real number]",
                "Omega( 1) for TFN covariate series 1 [0; any real number]",
                "Logit[Delta( 1) for TFN covariate series 1 [0; -1 < Delta < +1]]",
            }));
}

TEST(ParameterLayoutTest, TwoDigitLagsFillTheField) {
  TfnSetup s = LayoutSetup(12, {0}, 1);
  s.EstimateLogits = false;
  const auto d = DescribeParameters(s);
  EXPECT_EQ(d[9], "Phi(10) [0; -1 < Phi < +1]");
  EXPECT_EQ(d[23], "Theta(12) [0; -1 < Theta < +1]");
  EXPECT_EQ(d.back(), "Delta(12) for TFN covariate series 1 [0; -1 < Delta < +1]");
  EXPECT_EQ(d[26], "Intercept (at first time period) for TFN covariate series 1 [0 (uses "
                       "series mean); any fixed real number]");
}

}  // namespace
}  // namespace quorvane
