// Once the gains have settled the likelihood runs the ARMA filter alone,
// multiplying by 1/h, 1/sqrt(h) and K/h formed once. Checked here against
// the full recursion carried step by step to the end of the series, as the
// published algorithm states it, with no shortcut.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tfn/arma_autocovariance.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using testing::SimulatedArmaSeries;

template <typename Real>
struct FullRun {
  std::vector<Real> A, H;
  Real SumSq = 0;
  Real LogDet = 0;  // ln(h(1) ... h(N))
};

// The full recursion of Stage 2 at every step, from the starting state of
// ArmaAutocovariance: K = L = T S e_1, xhat = 0, h(1) = gamma_0.
template <typename Real>
FullRun<Real> FullRecursion(const std::vector<double>& phi, const std::vector<double>& theta,
                            const std::vector<double>& w) {
  const std::size_t p = phi.size(), q = theta.size();
  const std::size_t r = ArmaStateDimension(p, q);
  MelardWorkspace work(std::max(p, q));
  EXPECT_TRUE(ArmaAutocovariance(phi, theta, work));
  std::vector<Real> ph(r + 2, 0), th(r + 2, 0), s(r + 2, 0), k(r + 2, 0), l(r + 2, 0), x(r + 2, 0),
      m(r + 2, 0);
  for (std::size_t j = 1; j <= p; ++j) ph[j] = phi[j - 1];
  for (std::size_t j = 1; j <= q; ++j) th[j] = theta[j - 1];
  const auto gamma = [&](std::size_t i) { return static_cast<Real>(work.Gamma[i]); };
  const auto c = [&](std::size_t i) { return static_cast<Real>(work.Cross[i]); };
  s[1] = gamma(0);
  for (std::size_t i = 2; i <= r; ++i) {
    Real sum = 0;
    for (std::size_t j = i; j <= p; ++j) sum += ph[j] * gamma(j - i + 1);
    for (std::size_t j = i - 1; j <= q; ++j) sum -= th[j] * c(j - i + 1);
    s[i] = sum;
  }
  for (std::size_t j = 1; j <= r; ++j) k[j] = l[j] = ph[j] * s[1] + s[j + 1];

  FullRun<Real> run;
  Real h = gamma(0);
  for (const double value : w) {
    const Real e = value - x[1];
    run.A.push_back(e / std::sqrt(h));
    run.H.push_back(h);
    run.SumSq += e * e / h;
    run.LogDet += std::log(h);
    const Real l1 = l[1], x1 = x[1], alpha = l1 / h, gain = e / h;
    for (std::size_t j = 1; j <= r; ++j) {
      m[j] = l[j + 1] + ph[j] * l1;
      x[j] = x[j + 1] + ph[j] * x1 + gain * k[j];
    }
    for (std::size_t j = 1; j <= r; ++j) {
      const Real kj = k[j];
      k[j] = kj - alpha * m[j];
      l[j] = m[j] - alpha * kj;
    }
    h -= alpha * l1;
  }
  return run;
}

struct Case {
  const char* name;
  std::vector<double> phi, theta;
  std::size_t n;
};

// Series long enough for the gains to settle well before their end: L
// falls by about |theta| a step from 1 to below 1e-290.
const Case kSettling[] = {
    {"ARMA(1,1)", {0.6}, {0.3}, 3000},
    {"ARMA(2,1) as p = q = 2", {0.5, -0.3}, {-0.4, 0.0}, 3000},
    {"ARMA(2,2)", {1.2, -0.5}, {0.7, -0.2}, 4000},
    {"MA(1) near its unit root", {}, {-0.9}, 9000},
    {"ARMA(3,3)", {0.3, 0.2, -0.1}, {0.5, 0.3, 0.1}, 4000},
};

TEST(MelardSettledTest, AgreesWithTheFullRecursionInExtendedPrecision) {
  // The extended-precision run stands for the exact values. The settled
  // phase rounds its multiplications by 1/h as the full recursion rounds
  // its divisions, a unit in the last place of each step's numbers. a(t)
  // is a prediction error, w(t) less a prediction, so its rounding is
  // measured against the larger of |a(t)| and |w(t)| / sqrt(h); the filter
  // carries each rounding for about 1 / (1 - |theta|) steps, and near the
  // unit root the errors reach some 500 units (5e-14): 2e-13 allows twice
  // that, while a wrong gain or a missed factor of h would be off by many
  // orders more. h(t), which the settled phase only copies, to 1e-14;
  // SUMSQ and ln det, sums of N positive terms each rounded a few times,
  // to 1e-13 relative.
  for (const Case& c : kSettling) {
    SCOPED_TRACE(c.name);
    const auto w = SimulatedArmaSeries(c.phi, c.theta, c.n, 31);
    std::vector<double> a(c.n), h(c.n);
    MelardWorkspace work(3);
    const MelardResult result = MelardLikelihood(c.phi, c.theta, w, a, h, work);
    const FullRun<long double> exact = FullRecursion<long double>(c.phi, c.theta, w);
    int mismatches = 0;
    for (std::size_t t = 0; t < c.n; ++t) {
      const long double hExact = exact.H[t];
      const long double scale =
          std::fmax(std::fabs(exact.A[t]), std::fabs(w[t]) / std::sqrt(hExact));
      if (std::fabs(a[t] - exact.A[t]) > 2e-13L * scale ||
          std::fabs(h[t] - hExact) > 1e-14L * hExact)
        if (++mismatches <= 3) ADD_FAILURE() << "t = " << t + 1 << ": a " << a[t] << ", h " << h[t];
    }
    EXPECT_EQ(mismatches, 0);
    EXPECT_NEAR(result.SumSq, static_cast<double>(exact.SumSq), 1e-13 * result.SumSq);
    const double n = static_cast<double>(c.n);
    EXPECT_NEAR(std::log(result.Fact) * n, static_cast<double>(exact.LogDet), 1e-13 * n);
  }
}

TEST(MelardSettledTest, GivesTheFullRecursionsOwnNumbersWhereHSettlesOnOne) {
  // With h exactly 1 the factors 1/h, 1/sqrt(h) and K/h are exact, so the
  // settled phase must reproduce the double-precision full recursion bit
  // for bit, settled steps included.
  const Case cases[] = {
      {"MA(1)", {}, {0.05}, 1000},
      {"AR(1) as p = q = 1", {0.5}, {0.0}, 1000},
      {"ARMA(1,1)", {0.7}, {0.3}, 2000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto w = SimulatedArmaSeries(c.phi, c.theta, c.n, 17);
    std::vector<double> a(c.n), h(c.n);
    MelardWorkspace work(1);
    const MelardResult result = MelardLikelihood(c.phi, c.theta, w, a, h, work);
    const FullRun<double> full = FullRecursion<double>(c.phi, c.theta, w);
    ASSERT_EQ(full.H.back(), 1.0) << "the case must settle on h = 1";
    EXPECT_EQ(a, full.A);
    EXPECT_EQ(h, full.H);
    EXPECT_EQ(result.SumSq, full.SumSq);
  }
}

TEST(MelardSettledTest, ZeroCoefficientsAtTheTopLagsGiveTheNumbersOfTheLowerOrders) {
  // The time-series model passes p = q = m; an ARMA(2,1) then carries
  // Theta(2) = 0 and a state of dimension 3 whose last component stays 0.
  const struct {
    const char* name;
    std::vector<double> phi, theta, lowerPhi, lowerTheta;
  } cases[] = {
      {"ARMA(2,1) as p = q = 2", {0.5, -0.3}, {-0.4, 0.0}, {0.5, -0.3}, {-0.4}},
      {"ARMA(2,1) as p = q = 3", {0.5, -0.3, 0.0}, {-0.4, 0.0, 0.0}, {0.5, -0.3}, {-0.4}},
      {"ARMA(1,1) as p = q = 2", {0.6, 0.0}, {0.3, 0.0}, {0.6}, {0.3}},
      {"MA(1) as p = q = 2", {0.0, 0.0}, {0.7, 0.0}, {}, {0.7}},
  };
  const auto w = SimulatedArmaSeries({0.5, -0.3}, {-0.4}, 2000, 9);
  MelardWorkspace work(3);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> a(w.size()), h(w.size()), lowerA(w.size()), lowerH(w.size());
    const MelardResult result = MelardLikelihood(c.phi, c.theta, w, a, h, work);
    const MelardResult lower = MelardLikelihood(c.lowerPhi, c.lowerTheta, w, lowerA, lowerH, work);
    EXPECT_EQ(result.SumSq, lower.SumSq);
    EXPECT_EQ(result.Fact, lower.Fact);
    EXPECT_EQ(a, lowerA);
    EXPECT_EQ(h, lowerH);
  }
}

}  // namespace
}  // namespace quorvane
