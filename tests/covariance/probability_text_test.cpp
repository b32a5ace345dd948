#include <gtest/gtest.h>

#include <cmath>

#include "base/format/leading_number.h"
#include "covariance/probability_text.h"

namespace quorvane {
namespace {

// The regularised incomplete beta I_x(a, b) by its continued fraction
// (modified Lentz), an independent route to the t tail:
//   P(|T| > t) = I_{v / (v + t^2)}(v / 2, 1 / 2) for v degrees of freedom.
double IncompleteBeta(double a, double b, double x) {
  const auto fraction = [](double p, double q, double y) {
    const double tiny = 1e-300;
    double c = 1.0, d = 1.0 - (p + q) * y / (p + 1.0);
    d = 1.0 / (std::fabs(d) < tiny ? tiny : d);
    double h = d;
    for (int m = 1; m < 10000; ++m) {
      const double m2 = 2.0 * m;
      double aa = m * (q - m) * y / ((p - 1.0 + m2) * (p + m2));
      d = 1.0 + aa * d;
      c = 1.0 + aa / c;
      d = 1.0 / d;
      h *= d * c;
      aa = -(p + m) * (p + q + m) * y / ((p + m2) * (p + 1.0 + m2));
      d = 1.0 + aa * d;
      c = 1.0 + aa / c;
      d = 1.0 / d;
      const double delta = d * c;
      h *= delta;
      if (std::fabs(delta - 1.0) < 1e-15) break;
    }
    return h;
  };
  const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                a * std::log(x) + b * std::log(1.0 - x));
  if (x < (a + 1.0) / (a + b + 2.0)) return front * fraction(a, b, x) / a;
  return 1.0 - front * fraction(b, a, 1.0 - x) / b;
}

double TwoSidedT999(double t) { return IncompleteBeta(499.5, 0.5, 999.0 / (999.0 + t * t)); }

TEST(ProbabilityTextTest, EndsOfTheRange) {
  EXPECT_EQ(ProbabilityText(0.0), "1.0000");
  EXPECT_EQ(ProbabilityText(20.0), "<0.0001");
  EXPECT_EQ(ProbabilityText(1e6), "<0.0001");
  EXPECT_EQ(ProbabilityText(4.5), "<0.0001");  // the tail is 7.6E-06
}

TEST(ProbabilityTextTest, AgreesWithTheStudentTTailProbability) {
  // The text keeps 4 decimals of the lower tail and doubles 1 minus it, so
  // it can differ from the exact two-sided value by up to 1e-4.
  for (double z : {0.01, 0.3, 0.6745, 1.0, 1.645, 1.96, 2.3, 2.576, 3.0, 3.29, 3.7}) {
    const std::string text = ProbabilityText(z);
    const double zSingle = static_cast<float>(z);
    EXPECT_NEAR(LeadingNumber(text), TwoSidedT999(zSingle), 1e-4 + 1e-12) << "z = " << z;
    EXPECT_EQ(text.size(), 6u) << text;
  }
}

}  // namespace
}  // namespace quorvane
