// Model averaging of estimates and standard errors against hand-computed values.
#include <gtest/gtest.h>

#include <cmath>

#include "multimodel/model_averaging.h"

namespace quorvane {
namespace {

ModelEstimates OneParameter(double value, std::array<double, 3> se) {
  return ModelEstimates{{value}, {se}};
}

// Each SE is a short sum of square roots: a few ulps.
constexpr double kTolerance = 1e-14;

TEST(ModelAveragingTest, EqualWeightsAndZeroErrorsGiveTheMeanAndTheSpread) {
  const AveragedEstimates a =
      AverageEstimates({0.5, 0.5}, {OneParameter(1.0, {0, 0, 0}), OneParameter(3.0, {0, 0, 0})}, 1.0);
  EXPECT_DOUBLE_EQ(a.Value[0], 2.0);
  for (double se : a.StandardError[0]) EXPECT_NEAR(se, 1.0, kTolerance);
}

TEST(ModelAveragingTest, CHatScalesEachModelsErrorBySquareRoot) {
  // Equal estimates: no spread, so SE = sum w_i sqrt(2) SE_i.
  const AveragedEstimates a = AverageEstimates(
      {0.25, 0.75}, {OneParameter(1.0, {0.3, 0.3, 0.3}), OneParameter(1.0, {0.5, 0.5, 0.5})}, 2.0);
  for (double se : a.StandardError[0]) EXPECT_NEAR(se, std::sqrt(2.0) * 0.45, kTolerance);
}

TEST(ModelAveragingTest, AGridMissingInOneModelIsMissingForEveryParameter) {
  ModelEstimates first{{1.0, 5.0}, {{0.1, 0.2, 0.3}, {0.4, 0.5, 0.6}}};
  ModelEstimates second{{1.0, 5.0}, {{0.1, -1.0, 0.3}, {0.4, 0.7, 0.6}}};
  const AveragedEstimates a = AverageEstimates({0.5, 0.5}, {first, second}, 1.0);
  EXPECT_EQ(a.GridMissing, (std::array<bool, 3>{false, true, false}));
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(a.StandardError[static_cast<size_t>(p)][1], -1.0);
    EXPECT_NEAR(a.StandardError[static_cast<size_t>(p)][0], p == 0 ? 0.1 : 0.4, kTolerance);
    EXPECT_NEAR(a.StandardError[static_cast<size_t>(p)][2], p == 0 ? 0.3 : 0.6, kTolerance);
  }
}

TEST(ModelAveragingTest, AParameterFixedInOneModelEntersWithErrorZero) {
  // Model 1 held the parameter at 1 (no SE, so 0); model 2 estimated 3 +- 0.4.
  const AveragedEstimates a = AverageEstimates(
      {0.5, 0.5}, {OneParameter(1.0, {0, 0, 0}), OneParameter(3.0, {0.4, 0.4, 0.4})}, 1.0);
  EXPECT_DOUBLE_EQ(a.Value[0], 2.0);
  EXPECT_NEAR(a.StandardError[0][0], 0.5 * 1.0 + 0.5 * std::sqrt(0.16 + 1.0), kTolerance);
}

TEST(ModelAveragingTest, AValueSharedByEveryModelAveragesToItselfWithErrorZero) {
  // 0.15 x 1899 + 0.25 x 1899 + 0.6 x 1899 rounds to 1898.9999999999998, and
  // its spread then gave a standard error of 2E-13 to a fixed parameter.
  const AveragedEstimates a = AverageEstimates(
      {0.15, 0.25, 0.6},
      {OneParameter(1899.0, {0, 0, 0}), OneParameter(1899.0, {0, 0, 0}), OneParameter(1899.0, {0, 0, 0})},
      1.0);
  EXPECT_EQ(a.Value[0], 1899.0);
  for (double se : a.StandardError[0]) EXPECT_EQ(se, 0.0);
}

}  // namespace
}  // namespace quorvane
