// The fit and residuals taken back to the units of the observed series.
#include "tfn/summary/back_transform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvane {
namespace {

struct BackCase {
  const char* name;
  SeriesTransformation transformation;
  double lambda, constant;
  double observed, fitted;  // in the units of the observed series
};

// The analysed value of x under the transformation (constant included).
double Transform(const BackCase& c, double x) {
  switch (c.transformation) {
    case SeriesTransformation::Logit: return std::log(x / (1 - x));
    case SeriesTransformation::BoxCox:
      return c.lambda == 0 ? std::log(x + c.constant) : (std::pow(x + c.constant, c.lambda) - 1) / c.lambda;
    case SeriesTransformation::None: break;
  }
  return x;
}

class BackTransformTest : public ::testing::TestWithParam<BackCase> {};

// Whatever the transformation, the back-transformed residual of a value
// and its fit is their difference in the observed units, so the
// back-transformed fit is the fit itself.
TEST_P(BackTransformTest, GivesTheResidualInTheObservedUnits) {
  const BackCase& c = GetParam();
  const SeriesValue r = BackTransformedResidual(c.transformation, c.lambda, Transform(c, c.observed),
                                                Transform(c, c.fitted));
  ASSERT_TRUE(r);
  EXPECT_NEAR(*r, c.observed - c.fitted, 1e-12 * std::max(1.0, std::abs(c.observed)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackTransformTest,
    ::testing::Values(BackCase{"None", SeriesTransformation::None, 1, 0, 12.5, 10.25},
                      BackCase{"Logit", SeriesTransformation::Logit, 1, 0, 0.8, 0.35},
                      BackCase{"BoxCoxHalf", SeriesTransformation::BoxCox, 0.5, 10, 40, 31},
                      BackCase{"BoxCoxSquare", SeriesTransformation::BoxCox, 2, 100, -20, 15},
                      BackCase{"BoxCoxLog", SeriesTransformation::BoxCox, 0, 1000, 250, -300}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(BackTransformTest, NoRealInverseIsMissing) {
  // lambda 0.5: a value below -1/lambda is the transform of no value.
  EXPECT_FALSE(BackTransformedResidual(SeriesTransformation::BoxCox, 0.5, 1.0, -3.0));
  EXPECT_FALSE(BackTransformedResidual(SeriesTransformation::BoxCox, 0, 1.0, 800.0));  // e^800
}

TEST(BackTransformTest, TablesFollowTheKeptCells) {
  // One series over periods 1..3, analysed = log(x + 0); period 2 has no
  // fitted value, period 3 no observed value.
  ResponseSeriesData data;
  data.StartPeriod = data.FirstAnalysedPeriod = 1;
  data.EndPeriod = 3;
  data.SeriesCount = 1;
  data.Raw = data.Analysed = SeriesTable(1, 3, 1);
  data.Raw.At(1, 1) = 5.0;
  data.Raw.At(2, 1) = 7.0;
  for (int t = 1; t <= 2; ++t) data.Analysed.At(t, 1) = std::log(*data.Raw.At(t, 1));
  data.Analysed.At(3, 1) = std::log(9.0);  // as if the observed value were lost
  TfnBestEvaluation best;
  best.Innovation = {0.5, std::nullopt, 0.1};
  best.ResidualSd = {1.0, std::nullopt, 1.0};
  best.Fitted = {std::log(4.0), std::nullopt, std::log(8.0)};
  SeriesFileChoice choice;
  choice.Transformation = SeriesTransformation::BoxCox;
  choice.BoxCoxLambda = 0;

  const BackTransformedFit back = ComputeBackTransformedFit(choice, data, best);
  EXPECT_NEAR(*back.Residual.At(1, 1), 1.0, 1e-12);
  EXPECT_NEAR(*back.Fit.At(1, 1), 4.0, 1e-12);
  EXPECT_FALSE(back.Residual.At(2, 1));
  EXPECT_FALSE(back.Fit.At(2, 1));
  EXPECT_NEAR(*back.Residual.At(3, 1), 1.0, 1e-12);
  EXPECT_FALSE(back.Fit.At(3, 1));
}

}  // namespace
}  // namespace quorvane
