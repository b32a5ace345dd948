// The ranking's criteria, order and Akaike weights against hand-computed values.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "multimodel/ranking_criteria.h"

namespace quorvane {
namespace {

TEST(RankingCriteriaTest, SmallSampleCriterionAgainstHandValues) {
  struct Case {
    double negLogL;
    int K;
    std::int32_t N;
    double cHat;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {10.0, 2, 50, 1.0, 200.0 / 47.0 + 20.0},   // 2K N / (N - K - 1) + 2 (-ln[L])
      {10.0, 2, 50, 2.0, 200.0 / 47.0 + 10.0},   // the fit term divided by C-hat
      {7.25, 3, 0, 1.0, 14.5},                   // no sample size: 2 (-ln[L]) exactly
      {7.25, 3, 0, 2.5, 5.8},
      {10.0, 2, 3, 1.0, std::nullopt},           // N - K - 1 = 0
      {10.0, 2, 2, 1.0, std::nullopt},           // N - K - 1 < 0
      {-4.0, 0, 10, 1.0, -8.0},                  // K = 0: no penalty
  };
  for (const Case& c : cases) {
    const auto got = SmallSampleCriterion(c.negLogL, c.K, c.N, c.cHat);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << c.negLogL << " " << c.K << " " << c.N;
    // One rounding in each of the two terms and the sum.
    if (got) {
      EXPECT_NEAR(*got, *c.expected, 1e-13) << c.negLogL << " " << c.K << " " << c.N;
    }
  }
  // Without a sample size the penalty vanishes exactly, not to rounding.
  EXPECT_EQ(*SmallSampleCriterion(123.456789, 7, 0, 1.0), 2.0 * 123.456789);
}

TEST(RankingCriteriaTest, RankOrderIsStrictSelectionOfFiniteCriteriaWhateverTheirSign) {
  struct Case {
    std::vector<std::optional<double>> criteria;
    std::vector<int> order;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {{3.0, 1.0, 2.0}, {1, 2, 0}},
      {{2.0, 1.0, 1.0, 5.0}, {1, 2, 0, 3}},         // equal criteria keep table order
      {{4.0, 4.0, 4.0}, {0, 1, 2}},
      {{-61.4, -67.3, -65.4}, {1, 2, 0}},            // all negative: the most negative first
      {{-1.0, std::nullopt, 0.0, 4.0}, {0, 2, 3}},   // across 0; undefined never ranked
      {{-2.0, -2.0, 0.0}, {0, 1, 2}},
      {{inf, 1.0, std::nan(""), -inf}, {1}},         // never ranked: not finite
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RankOrder(c.criteria), c.order);
}

TEST(RankingCriteriaTest, AkaikeWeightsAgainstHandValues) {
  const AkaikeWeights two = ComputeAkaikeWeights({100.0, 102.0});
  EXPECT_EQ(two.Difference, (std::vector<double>{0.0, 2.0}));
  // exp(-1) / (1 + exp(-1)) and its complement; a few ulps of exp and the sum.
  EXPECT_NEAR(two.Weight[0], 1.0 / (1.0 + std::exp(-1.0)), 1e-15);
  EXPECT_NEAR(two.Weight[1], std::exp(-1.0) / (1.0 + std::exp(-1.0)), 1e-15);

  const AkaikeWeights three = ComputeAkaikeWeights({10.0, 10.0, 10.0});
  for (double w : three.Weight) EXPECT_NEAR(w, 1.0 / 3.0, 1e-15);

  // Shifting every criterion, here below 0, changes neither differences nor weights.
  const AkaikeWeights shifted = ComputeAkaikeWeights({100.0 - 200.0, 102.0 - 200.0});
  EXPECT_EQ(shifted.Difference, two.Difference);
  EXPECT_EQ(shifted.Weight, two.Weight);

  const AkaikeWeights one = ComputeAkaikeWeights({42.0});
  EXPECT_EQ(one.Difference, std::vector<double>{0.0});
  EXPECT_EQ(one.Weight, std::vector<double>{1.0});
}

}  // namespace
}  // namespace quorvane
