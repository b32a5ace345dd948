// The incomplete gamma functions behind the chi-square p-values, and the
// normal quantile behind the quantile-quantile plot, against values of
// scipy.special (gammainc, gammaincc, ndtri) printed with repr.
#include <gtest/gtest.h>

#include <cmath>

#include "tfn/diagnostics/chi_square.h"
#include "tfn/diagnostics/incomplete_gamma.h"
#include "tfn/diagnostics/normal_quantile.h"

namespace quorvane {
namespace {

struct GammaCase {
  double a, x, lower, upper;
};

// Both sides of the switch between the series (x < a + 1) and the
// continued fraction, tiny and large tails, and large a.
constexpr GammaCase kGammaCases[] = {
    {0.5, 0.1, 0.34527915398142317, 0.6547208460185768},
    {0.5, 2.0, 0.9544997361036415, 0.04550026389635857},
    {1.0, 3.0, 0.950212931632136, 0.04978706836786395},
    {4.5, 1.0, 0.008532393371186466, 0.9914676066288135},
    {4.5, 5.5, 0.724291063227778, 0.27570893677222197},
    {4.5, 12.0, 0.9956986891564992, 0.004301310843500872},
    {9.5, 30.0, 0.9999961301736994, 3.869826300664181e-06},
    {0.5, 1e-08, 0.00011283791633342464, 0.9998871620836666},
    {50.0, 45.0, 0.24680203440017026, 0.7531979655998298},
    {50.0, 80.0, 0.9998692160234086, 0.0001307839765914092},
    {200.0, 190.0, 0.2433474271006237, 0.7566525728993763},
    {10.0, 0.001, 2.753227859428452e-37, 1.0},
    {1.5, 2.5, 0.8282028557032665, 0.1717971442967335},
};

TEST(IncompleteGammaTest, AgreesWithScipyToTwelveDigits) {
  for (const GammaCase& c : kGammaCases) {
    // Relative 1e-12: the recorded values carry 16-17 digits, and the
    // routines are good to a few units in the 15th.
    EXPECT_NEAR(RegularizedLowerGamma(c.a, c.x), c.lower, 1e-12 * c.lower) << c.a << ", " << c.x;
    EXPECT_NEAR(RegularizedUpperGamma(c.a, c.x), c.upper, 1e-12 * c.upper) << c.a << ", " << c.x;
  }
}

TEST(IncompleteGammaTest, EndsAndArgumentsOutsideTheDomain) {
  EXPECT_EQ(RegularizedLowerGamma(2.0, 0.0), 0.0);
  EXPECT_EQ(RegularizedUpperGamma(2.0, 0.0), 1.0);
  EXPECT_EQ(RegularizedUpperGamma(2.0, INFINITY), 0.0);
  EXPECT_TRUE(std::isnan(RegularizedUpperGamma(0.0, 1.0)));
  EXPECT_TRUE(std::isnan(RegularizedUpperGamma(1.0, -1.0)));
  EXPECT_TRUE(std::isnan(RegularizedLowerGamma(1.0, NAN)));
}

TEST(ChiSquareTest, UpperTailsInClosedForm) {
  // df 2: exp(-x/2). df 1: erfc(sqrt(x/2)). df 3: erfc(sqrt(x/2)) + sqrt(2x/pi) exp(-x/2).
  for (double x : {0.01, 0.7, 3.0, 9.5, 40.0, 120.0}) {
    EXPECT_NEAR(ChiSquareUpperTail(x, 2), std::exp(-x / 2), 1e-14 * std::exp(-x / 2)) << x;
    const double one = std::erfc(std::sqrt(x / 2));
    EXPECT_NEAR(ChiSquareUpperTail(x, 1), one, 1e-13 * one) << x;
    const double three = one + std::sqrt(2 * x / M_PI) * std::exp(-x / 2);
    EXPECT_NEAR(ChiSquareUpperTail(x, 3), three, 1e-13 * three) << x;
  }
  EXPECT_EQ(ChiSquareUpperTail(0.0, 5), 1.0);
  EXPECT_EQ(ChiSquareUpperTail(-1.0, 5), 1.0);
  EXPECT_TRUE(std::isnan(ChiSquareUpperTail(1.0, 0)));
}

TEST(NormalQuantileTest, AgreesWithScipyAcrossBothTails) {
  struct Case {
    double p, x;
  };
  const Case cases[] = {
      {1e-300, -37.0470962993612}, {1e-20, -9.262340089798409},   {1e-10, -6.361340902404056},
      {0.001, -3.090232306167813}, {0.02, -2.053748910631823},    {0.02425, -1.972961051311885},
      {0.1, -1.2815515655446004},  {0.3, -0.5244005127080409},    {0.5, 0.0},
      {0.7, 0.5244005127080407},   {0.975, 1.959963984540054},    {0.999, 3.090232306167813},
      {1 - 1e-10, 6.361340889697422},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(NormalQuantile(c.p), c.x, 1e-13 * (1 + std::fabs(c.x))) << c.p;
  EXPECT_EQ(NormalQuantile(0.0), -INFINITY);
  EXPECT_EQ(NormalQuantile(1.0), INFINITY);
  EXPECT_TRUE(std::isnan(NormalQuantile(1.5)));
}

// The plot positions skip missing values and pair the sorted sample with
// the quantiles of (i - 1/2) / n above ten values, (i - 3/8) / (n + 1/4) up
// to ten.
TEST(NormalQuantileTest, QuantilePairsOfASampleWithMissingValues) {
  const double values[] = {3.0, NAN, -1.0, 2.0, NAN, 0.5};
  const NormalQuantilePoints points = NormalQuantilePairs(values);
  ASSERT_EQ(points.Sample, (std::vector<double>{-1.0, 0.5, 2.0, 3.0}));
  ASSERT_EQ(points.Theoretical.size(), 4u);
  for (int i = 1; i <= 4; ++i)
    EXPECT_DOUBLE_EQ(points.Theoretical[static_cast<size_t>(i - 1)], NormalQuantile((i - 0.375) / 4.25));
  EXPECT_DOUBLE_EQ(points.Theoretical[0], -points.Theoretical[3]);

  std::vector<double> eleven(11);
  for (int i = 0; i < 11; ++i) eleven[static_cast<size_t>(i)] = 10.0 - i;
  const NormalQuantilePoints more = NormalQuantilePairs(eleven);
  EXPECT_EQ(more.Theoretical[5], 0.0);
  EXPECT_DOUBLE_EQ(more.Theoretical[0], NormalQuantile(0.5 / 11));
  EXPECT_EQ(more.Sample.front(), 0.0);
}

}  // namespace
}  // namespace quorvane
