#include "tfn/stationary_region.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace quorvane {
namespace {

// Roots of 1 - c1 z - c2 z^2 all outside the unit circle exactly inside
// the triangle |c2| < 1, c1 + c2 < 1, c2 - c1 < 1.
bool Order2Stationary(double c1, double c2) {
  return std::abs(c2) < 1 && c1 + c2 < 1 && c2 - c1 < 1;
}

TEST(StationaryRegionTest, PartialAutocorrelationsOfKnownPolynomials) {
  struct Case {
    const char* what;
    std::vector<double> c;
    bool stationary;
    std::vector<double> r;  // checked when stationary
  };
  const Case cases[] = {
      {"AR(1)", {0.5}, true, {0.5}},
      // r2 = c2; r1 = (c1 + c2 c1) / (1 - c2^2) = 0.6 / 0.75.
      {"AR(2) outside the box", {1.2, -0.5}, true, {0.8, -0.5}},
      {"MA(2) outside the box", {-1.2, -0.7}, true, {-1.2 * 0.3 / 0.51, -0.7}},
      // (1 - 0.5z)(1 - 0.4z)(1 + 0.5z) = 1 - 0.4z - 0.25z^2 + 0.1z^3.
      {"order 3", {0.4, 0.25, -0.1}, true, {}},
      {"inside the box, outside the region", {0.6, 0.6}, false, {}},
      {"unit root", {1.0}, false, {}},
      // (1 - z)(1 - 0.5z): a root on the unit circle.
      {"root on the circle", {1.5, -0.5}, false, {}},
      {"explosive order 3", {0.2, 0.3, 0.9}, false, {}},
  };
  for (const Case& c : cases) {
    std::vector<double> r(c.c.size());
    EXPECT_EQ(PartialAutocorrelations(c.c, r), c.stationary) << c.what;
    for (size_t k = 0; k < c.r.size(); ++k) EXPECT_NEAR(r[k], c.r[k], 1e-14) << c.what;
  }
}

TEST(StationaryRegionTest, AgreesWithTheOrderTwoTriangle) {
  std::mt19937_64 engine(7);
  std::uniform_real_distribution<double> uniform(-2.5, 2.5);
  std::vector<double> r(2);
  for (int i = 0; i < 2000; ++i) {
    const std::vector<double> c = {uniform(engine), uniform(engine)};
    EXPECT_EQ(PartialAutocorrelations(c, r), Order2Stationary(c[0], c[1])) << c[0] << " " << c[1];
  }
}

TEST(StationaryRegionTest, PartialsToCoefficientsAndBack) {
  std::mt19937_64 engine(11);
  std::uniform_real_distribution<double> uniform(-0.99, 0.99);
  for (size_t m = 1; m <= 6; ++m) {
    std::vector<double> r(m), c(m), back(m);
    for (double& x : r) x = uniform(engine);
    CoefficientsFromPartials(r, c);
    ASSERT_TRUE(PartialAutocorrelations(c, back)) << m;
    // The recursions divide by 1 - r^2 >= 0.02: rounding stays near 1e-13.
    for (size_t k = 0; k < m; ++k) EXPECT_NEAR(back[k], r[k], 1e-11) << m;
  }
}

TEST(StationaryRegionTest, OrderOneKeepsTheClampAndPenaltyOfACoefficient) {
  std::vector<double> work(1);
  for (double x : {-3.0, -1.000001, -1.0, -0.999999, -0.3, 0.0, 0.9999995, 1.0, 1.5, 40.0}) {
    std::vector<double> c = {x};
    const double penalty = HoldInsideStationaryRegion(c, work);
    const bool outside = std::abs(x) >= 1.0;
    EXPECT_EQ(c[0], outside ? std::copysign(0.999999, x) : x) << x;
    EXPECT_EQ(penalty, outside ? (std::abs(x) - 1) * (std::abs(x) - 1) * 1e20 : 0.0) << x;
  }
}

TEST(StationaryRegionTest, PenalisesByTheRegionNotTheBox) {
  std::vector<double> work(2);
  std::vector<double> inside = {1.2, -0.5};
  EXPECT_EQ(HoldInsideStationaryRegion(inside, work), 0.0);
  EXPECT_EQ(inside, (std::vector<double>{1.2, -0.5}));

  std::vector<double> outside = {0.6, 0.6};
  EXPECT_GT(HoldInsideStationaryRegion(outside, work), 0.0);
  std::vector<double> r(2);
  EXPECT_TRUE(PartialAutocorrelations(outside, r)) << "held coefficients are stationary";
}

}  // namespace
}  // namespace quorvane
