#include "tfn/melard_likelihood.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using testing::SimulatedArmaSeries;

struct Outcome {
  MelardResult result;
  std::vector<double> a;
  std::vector<double> h;
};

Outcome Likelihood(const std::vector<double>& phi, const std::vector<double>& theta,
               const std::vector<double>& w, MelardWorkspace& work) {
  Outcome run{{}, std::vector<double>(w.size()), std::vector<double>(w.size())};
  run.result = MelardLikelihood(phi, theta, w, run.a, run.h, work);
  return run;
}

Outcome Likelihood(const std::vector<double>& phi, const std::vector<double>& theta,
               const std::vector<double>& w) {
  MelardWorkspace work(3);
  return Likelihood(phi, theta, w, work);
}

double SumOfSquares(const std::vector<double>& w) {
  double sum = 0;
  for (double v : w) sum += v * v;
  return sum;
}

// The closed forms below involve a handful of roundings per step, so they
// hold to 1e-13 relative; a wrong term shifts them by far more.
constexpr double kClosedForm = 1e-13;

TEST(MelardLikelihoodTest, WhiteNoiseReturnsTheSeriesItself) {
  const auto w = SimulatedArmaSeries({}, {}, 25, 3);
  // Order 0 takes the plain-residual path from the first step: exact.
  const Outcome order0 = Likelihood({}, {}, w);
  EXPECT_EQ(order0.a, w);
  EXPECT_EQ(order0.h, std::vector<double>(w.size(), 1.0));
  EXPECT_DOUBLE_EQ(order0.result.SumSq, SumOfSquares(w));
  EXPECT_EQ(order0.result.Fact, 1.0);

  // Zero coefficients of order 1 and 2, as the model passes them, and an
  // ARMA(1,1) whose factors cancel (phi = theta) are white noise too, but
  // run the full recursion.
  const struct {
    const char* name;
    std::vector<double> phi, theta;
  } cases[] = {{"p = q = 1, zeros", {0.0}, {0.0}},
               {"p = q = 2, zeros", {0.0, 0.0}, {0.0, 0.0}},
               {"phi = theta = 0.5", {0.5}, {0.5}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome run = Likelihood(c.phi, c.theta, w);
    for (std::size_t t = 0; t < w.size(); ++t) {
      EXPECT_NEAR(run.a[t], w[t], kClosedForm * std::fmax(1.0, std::fabs(w[t])));
      EXPECT_NEAR(run.h[t], 1.0, kClosedForm);
    }
    EXPECT_NEAR(run.result.SumSq, SumOfSquares(w), kClosedForm * SumOfSquares(w));
    EXPECT_NEAR(run.result.Fact, 1.0, kClosedForm);
  }
}

TEST(MelardLikelihoodTest, FirstOrderAutoregressionByBothPaths) {
  // phi = 0.5: h(1) = 1 / (1 - phi^2) = 4/3, then h = 1 and
  // a(t) = w(t) - phi w(t-1); FACT = (4/3)^(1/N). q = 0 switches to plain
  // residuals at step 2; p = q = 1 with theta = 0 (the model's way) runs the
  // full recursion throughout.
  const auto w = SimulatedArmaSeries({0.5}, {}, 40, 5);
  const double n = static_cast<double>(w.size());
  double sumSq = 0.75 * w[0] * w[0];
  for (std::size_t t = 1; t < w.size(); ++t) sumSq += std::pow(w[t] - 0.5 * w[t - 1], 2);

  for (const auto& theta : {std::vector<double>{}, std::vector<double>{0.0}}) {
    SCOPED_TRACE(theta.empty() ? "q = 0" : "q = 1");
    const Outcome run = Likelihood({0.5}, theta, w);
    EXPECT_NEAR(run.h[0], 4.0 / 3.0, kClosedForm);
    EXPECT_NEAR(run.a[0], w[0] * std::sqrt(0.75), kClosedForm);
    for (std::size_t t = 1; t < w.size(); ++t) {
      EXPECT_NEAR(run.h[t], 1.0, kClosedForm) << t;
      EXPECT_NEAR(run.a[t], w[t] - 0.5 * w[t - 1], kClosedForm) << t;
    }
    EXPECT_NEAR(run.result.SumSq, sumSq, kClosedForm * sumSq);
    EXPECT_NEAR(run.result.Fact, std::pow(4.0 / 3.0, 1.0 / n), kClosedForm);
  }
}

TEST(MelardLikelihoodTest, PureAutoregressionSwitchesToPlainResidualsAfterPSteps) {
  // From step p + 1 on: a(t) = w(t) - sum phi_l w(t-l) without division,
  // h(t) the value the recursion reached after step p (1 up to rounding) and
  // the determinant no longer multiplied. Equality is exact on purpose: the
  // full recursion gives the same numbers only up to rounding, so this pins
  // the step of the switch.
  const std::vector<double> phi = {0.6, -0.3, 0.2};
  const auto w = SimulatedArmaSeries(phi, {}, 30, 9);
  const Outcome run = Likelihood(phi, {}, w);
  const std::size_t p = phi.size();
  EXPECT_NEAR(run.h[p], 1.0, kClosedForm);
  for (std::size_t t = p; t < w.size(); ++t) {
    EXPECT_EQ(run.a[t], w[t] - phi[0] * w[t - 1] - phi[1] * w[t - 2] - phi[2] * w[t - 3]) << t;
    EXPECT_EQ(run.h[t], run.h[p]) << t;
  }
  // The determinant is h(1) h(2) h(3) alone.
  const double n = static_cast<double>(w.size());
  EXPECT_NEAR(run.result.Fact, std::pow(run.h[0] * run.h[1] * run.h[2], 1.0 / n), kClosedForm);
}

TEST(MelardLikelihoodTest, SingleStepGivesTheProcessVariance) {
  // N = 1: FACT = h(1) = gamma_0 and SUMSQ = w(1)^2 / gamma_0. For ARMA(1,1)
  // gamma_0 = (1 + theta^2 - 2 phi theta) / (1 - phi^2); AR(2) with q = 0
  // must stop before its switch at step 3.
  const struct {
    const char* name;
    std::vector<double> phi, theta;
    double gamma0;
  } cases[] = {
      {"ARMA(1,1)", {0.6}, {-0.3}, (1 + 0.09 + 2 * 0.6 * 0.3) / (1 - 0.36)},
      {"AR(2)", {0.5, 0.2}, {}, (1 - 0.2) / ((1 + 0.2) * ((1 - 0.2) * (1 - 0.2) - 0.25))},
      {"MA(2)", {}, {0.4, -0.3}, 1 + 0.16 + 0.09},
  };
  const std::vector<double> w = {1.7};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Outcome run = Likelihood(c.phi, c.theta, w);
    EXPECT_NEAR(run.result.Fact, c.gamma0, kClosedForm * c.gamma0);
    EXPECT_NEAR(run.h[0], c.gamma0, kClosedForm * c.gamma0);
    EXPECT_NEAR(run.result.SumSq, 1.7 * 1.7 / c.gamma0, kClosedForm);
  }
}

// MA(1): h(t) = S_t / S_{t-1} with S_t = 1 + theta^2 + ... + theta^(2t), so
// h(1)...h(N) = S_N. Stepped as h(t) = theta^2 + 1/S_{t-1}, which stays in
// range for any t.
std::vector<double> MovingAverageFactors(double theta, std::size_t n) {
  std::vector<double> h(n);
  double inverseS = 1.0;  // 1 / S_0
  for (std::size_t t = 0; t < n; ++t) {
    h[t] = theta * theta + inverseS;
    inverseS /= h[t];
  }
  return h;
}

// ln S_N = ln((theta^(2(N+1)) - 1) / (theta^2 - 1)), in a form that neither
// overflows nor cancels.
double LogMovingAverageDeterminant(double theta, std::size_t n) {
  const double t2 = theta * theta;
  const double power = static_cast<double>(n + 1);
  if (t2 < 1) return std::log1p(-std::pow(t2, power)) - std::log1p(-t2);
  return power * std::log(t2) + std::log1p(-std::pow(t2, -power)) - std::log(t2 - 1);
}

TEST(MelardLikelihoodTest, MovingAverageFactorsAndADeterminantBeyondDoubleRange) {
  // theta = 2 for 600 steps: det = S_600 ~ 4^600 = 2^1200 exceeds the
  // largest double, so FACT relies on the mantissa and the base-2 exponent.
  // Each of N multiplications rounds once: 1e-12 relative is ample.
  const struct {
    double theta;
    std::size_t n;
  } cases[] = {{0.6, 20}, {-0.9, 50}, {2.0, 600}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.theta);
    const auto w = SimulatedArmaSeries({}, {c.theta}, c.n, 11);
    const Outcome run = Likelihood({}, {c.theta}, w);
    const auto expected = MovingAverageFactors(c.theta, c.n);
    for (std::size_t t = 0; t < c.n; ++t) EXPECT_NEAR(run.h[t], expected[t], 1e-12 * expected[t]);
    const double n = static_cast<double>(c.n);
    const double fact = std::exp(LogMovingAverageDeterminant(c.theta, c.n) / n);
    EXPECT_NEAR(run.result.Fact, fact, 1e-12 * fact);
  }
}

TEST(MelardLikelihoodTest, NonStationaryAutoregressionFailsWithoutNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* name;
    std::vector<double> phi, theta;
  } cases[] = {
      {"unit root, q = 0", {1.0}, {}},
      {"explosive AR(1), p = q = 1", {1.5}, {0.2}},
      {"AR(2) with phi_1 + phi_2 > 1", {0.5, 0.6}, {0.0, 0.0}},
      {"ARMA(3,3) with a root inside the unit circle", {0.2, 0.2, 0.9}, {0.1, 0.1, 0.1}},
      {"not-a-number coefficient", {nan}, {0.4}},
  };
  const auto w = SimulatedArmaSeries({}, {}, 20, 8);
  constexpr double kUntouched = -777.0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MelardWorkspace work(3);
    std::vector<double> a(w.size(), kUntouched), h(w.size(), kUntouched);
    const MelardResult result = MelardLikelihood(c.phi, c.theta, w, a, h, work);
    EXPECT_EQ(result.Fact, 0.0);
    EXPECT_EQ(result.SumSq, 0.0);
    EXPECT_EQ(a, std::vector<double>(w.size(), kUntouched));
    EXPECT_EQ(h, std::vector<double>(w.size(), kUntouched));
  }
  // A stationary process at the clamped coefficient still has a likelihood.
  const Outcome clamped = Likelihood({0.999999}, {0.0}, w);
  EXPECT_GT(clamped.result.Fact, 1.0);
  EXPECT_TRUE(std::isfinite(clamped.result.SumSq));
}

TEST(MelardLikelihoodTest, EmptySeriesGivesNoLikelihood) {
  MelardWorkspace work(1);
  const MelardResult result = MelardLikelihood(std::vector<double>{0.5}, {}, {}, {}, {}, work);
  EXPECT_EQ(result.SumSq, 0.0);
  EXPECT_EQ(result.Fact, 0.0);
}

TEST(MelardLikelihoodTest, ReusedWorkspaceGivesTheSameNumbersAsAFreshOne) {
  // One workspace, started too small and reused across orders and a failed
  // call, must leave no trace of earlier calls in later ones.
  const struct {
    std::vector<double> phi, theta;
  } sequence[] = {
      {{0.5}, {}},
      {{0.4, 0.2, -0.3}, {0.5, -0.3, 0.2}},
      {{}, {0.8, -0.5}},
      {{0.5, 0.6}, {0.1, 0.1}},  // non-stationary: fails part-way through Stage 1
      {{0.6}, {0.4}},
      {{}, {}},
      {{1.2, -0.5}, {0.3}},
      {{0.6, -0.3, 0.2}, {}},
  };
  const auto w = SimulatedArmaSeries({0.3}, {0.2}, 30, 21);
  MelardWorkspace shared(0);
  for (const auto& c : sequence) {
    const Outcome reused = Likelihood(c.phi, c.theta, w, shared);
    const Outcome fresh = Likelihood(c.phi, c.theta, w);
    EXPECT_EQ(reused.result.SumSq, fresh.result.SumSq);
    EXPECT_EQ(reused.result.Fact, fresh.result.Fact);
    EXPECT_EQ(reused.a, fresh.a);
    EXPECT_EQ(reused.h, fresh.h);
  }
  EXPECT_EQ(shared.MaxOrder(), 3u);
}

TEST(MelardLikelihoodTest, ANoiseGivenAsADifferenceGivesTheNumbersOfTheSeriesItself) {
  // w = y - g formed in the recursion, with w = 0 where a value is missing,
  // must give exactly what the recursion gives on w written out: for the
  // full recursion, the settled steps, the plain autoregressive residuals
  // (which read w at lags) and a state beyond the fixed dimensions.
  const std::size_t n = 1500;
  const auto y = SimulatedArmaSeries({0.5, -0.3}, {-0.4}, n, 41);
  const auto g = SimulatedArmaSeries({0.9}, {}, n, 42);
  std::vector<unsigned char> present(n, 1);
  for (std::size_t t : {0u, 1u, 7u, 700u, 1499u}) present[t] = 0;
  const struct {
    const char* name;
    std::vector<double> phi, theta;
  } cases[] = {
      {"ARMA(2,1) as p = q = 2", {0.5, -0.3}, {-0.4, 0.0}},
      {"AR(3), q = 0", {0.6, -0.3, 0.2}, {}},
      {"ARMA(7,7)", {0.3, 0.1, 0.0, 0.0, 0.0, 0.0, 0.1}, {0.2, 0.0, 0.0, 0.0, 0.0, 0.0, 0.3}}};
  MelardWorkspace work(7);
  for (const auto& c : cases) {
    for (const bool gaps : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (gaps ? ", missing values" : ""));
      std::vector<double> w(n);
      for (std::size_t t = 0; t < n; ++t) w[t] = gaps && !present[t] ? 0.0 : y[t] - g[t];
      const Outcome written = Likelihood(c.phi, c.theta, w, work);
      std::vector<double> a(n), h(n);
      const NoiseDifference difference{
          y, g, gaps ? std::span<const unsigned char>(present) : std::span<const unsigned char>()};
      const MelardResult result =
          MelardLikelihoodOfDifference(c.phi, c.theta, difference, a, h, work);
      EXPECT_EQ(result.SumSq, written.result.SumSq);
      EXPECT_EQ(result.Fact, written.result.Fact);
      EXPECT_EQ(a, written.a);
      EXPECT_EQ(h, written.h);
    }
  }
}

}  // namespace
}  // namespace quorvane
