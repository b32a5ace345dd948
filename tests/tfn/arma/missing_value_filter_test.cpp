#include "tfn/arma/missing_value_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tfn/arma_dense_oracle.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using testing::PsiWeightAutocovariances;
using testing::SimulatedArmaSeries;
using Real = long double;

// The oracle: every X written out as an affine function of the L initial
// levels beta and the N noise values w, X = B beta + C w + c, with
// Gamma = Cov(w) from the psi weights. The first present values whose beta
// rows are independent (in time order, L of them) fix beta; every other
// present value y_r gives the contrast y_r - b_r' X_d^-1 y_d, which is free
// of beta. The likelihood is the Gaussian density of these contrasts,
// from a Cholesky factor of their covariance, and a missing X_m's smoothed
// value and variance are the conditional mean and variance of its own
// contrast given them. All in long double.
struct Affine {
  std::vector<Real> Beta, Noise;
  Real Constant = 0;
};

struct OracleResult {
  Real SumSq = 0, LogDet = 0;
  std::size_t Count = 0;
  std::vector<Real> SmoothedMean, SmoothedVariance;  // by missing value, in order
};

std::vector<Real> Solve(std::vector<std::vector<Real>> a, std::vector<Real> b) {
  const std::size_t n = b.size();
  for (std::size_t c = 0; c < n; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < n; ++r)
      if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
    std::swap(a[c], a[pivot]);
    std::swap(b[c], b[pivot]);
    for (std::size_t r = c + 1; r < n; ++r) {
      const Real f = a[r][c] / a[c][c];
      for (std::size_t k = c; k < n; ++k) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  std::vector<Real> x(n);
  for (std::size_t c = n; c-- > 0;) {
    Real s = b[c];
    for (std::size_t k = c + 1; k < n; ++k) s -= a[c][k] * x[k];
    x[c] = s / a[c][c];
  }
  return x;
}

OracleResult DenseOracle(const std::vector<double>& phi, const std::vector<double>& theta,
                         const std::vector<double>& g, const std::vector<std::optional<double>>& values,
                         const std::vector<double>& G) {
  const std::size_t l = g.size(), n = G.size();
  const std::vector<Real> gamma = PsiWeightAutocovariances(phi, theta, n);
  std::vector<Affine> x(l + n, Affine{std::vector<Real>(l, 0), std::vector<Real>(n, 0), 0});
  for (std::size_t i = 0; i < l; ++i) x[i].Beta[i] = 1;
  for (std::size_t t = 0; t < n; ++t) {
    Affine& now = x[l + t];
    now.Noise[t] = 1;
    now.Constant = G[t];
    for (std::size_t j = 0; j < l; ++j) {
      const Affine& before = x[l + t - 1 - j];
      for (std::size_t k = 0; k < l; ++k) now.Beta[k] += g[j] * before.Beta[k];
      for (std::size_t k = 0; k < n; ++k) now.Noise[k] += g[j] * before.Noise[k];
      now.Constant += g[j] * before.Constant;
    }
  }
  // The values that fix beta: independent beta rows, by Gram-Schmidt.
  std::vector<std::size_t> fixing;
  std::vector<std::vector<Real>> basis;
  for (std::size_t i = 0; i < l + n && fixing.size() < l; ++i) {
    if (!values[i]) continue;
    std::vector<Real> v = x[i].Beta;
    for (const auto& q : basis) {
      Real dot = 0;
      for (std::size_t k = 0; k < l; ++k) dot += v[k] * q[k];
      for (std::size_t k = 0; k < l; ++k) v[k] -= dot * q[k];
    }
    Real norm = 0;
    for (Real e : v) norm += e * e;
    if (norm < 1e-18L) continue;
    for (Real& e : v) e /= std::sqrt(norm);
    basis.push_back(v);
    fixing.push_back(i);
  }
  std::vector<std::vector<Real>> fixingT(l, std::vector<Real>(l));  // X_d'
  for (std::size_t a = 0; a < fixing.size(); ++a)
    for (std::size_t k = 0; k < l; ++k) fixingT[k][a] = x[fixing[a]].Beta[k];
  // A contrast of X_i: X_i - c' X_d with X_d' c = b_i; its observed part
  // c' y_d, and its noise row and constant.
  struct Contrast {
    std::vector<Real> Noise;
    Real Mean = 0, FromFixing = 0;
  };
  const auto contrast = [&](std::size_t i) {
    const std::vector<Real> c = l > 0 ? Solve(fixingT, x[i].Beta) : std::vector<Real>{};
    Contrast out{x[i].Noise, x[i].Constant, 0};
    for (std::size_t a = 0; a < c.size(); ++a) {
      const Affine& d = x[fixing[a]];
      for (std::size_t k = 0; k < n; ++k) out.Noise[k] -= c[a] * d.Noise[k];
      out.Mean -= c[a] * d.Constant;
      out.FromFixing += c[a] * static_cast<Real>(*values[fixing[a]]);
    }
    return out;
  };
  std::vector<Contrast> observed, missing;
  std::vector<Real> e;
  for (std::size_t i = 0; i < l + n; ++i) {
    if (values[i] && std::find(fixing.begin(), fixing.end(), i) != fixing.end()) continue;
    Contrast c = contrast(i);
    if (values[i]) {
      e.push_back(static_cast<Real>(*values[i]) - c.FromFixing - c.Mean);
      observed.push_back(std::move(c));
    } else {
      missing.push_back(std::move(c));
    }
  }
  const auto cov = [&](const Contrast& a, const Contrast& b) {
    Real sum = 0;
    for (std::size_t s = 0; s < n; ++s)
      for (std::size_t t = 0; t < n; ++t) {
        if (a.Noise[s] == 0 || b.Noise[t] == 0) continue;
        sum += a.Noise[s] * b.Noise[t] * gamma[s > t ? s - t : t - s];
      }
    return sum;
  };
  const std::size_t m = observed.size();
  // Cholesky factor of the contrasts' covariance, S = C C'.
  std::vector<std::vector<Real>> C(m, std::vector<Real>(m, 0));
  for (std::size_t i = 0; i < m; ++i)
    for (std::size_t j = 0; j <= i; ++j) {
      Real s = cov(observed[i], observed[j]);
      for (std::size_t k = 0; k < j; ++k) s -= C[i][k] * C[j][k];
      C[i][j] = i == j ? std::sqrt(s) : s / C[j][j];
    }
  const auto forward = [&](std::vector<Real> v) {  // C^-1 v
    for (std::size_t i = 0; i < m; ++i) {
      for (std::size_t k = 0; k < i; ++k) v[i] -= C[i][k] * v[k];
      v[i] /= C[i][i];
    }
    return v;
  };
  OracleResult result;
  result.Count = m;
  const std::vector<Real> z = forward(e);
  for (std::size_t i = 0; i < m; ++i) {
    result.SumSq += z[i] * z[i];
    result.LogDet += 2 * std::log(C[i][i]);
  }
  for (const Contrast& c : missing) {
    std::vector<Real> k(m);
    for (std::size_t i = 0; i < m; ++i) k[i] = cov(c, observed[i]);
    const std::vector<Real> u = forward(k);
    Real mean = c.FromFixing + c.Mean, variance = cov(c, c);
    for (std::size_t i = 0; i < m; ++i) {
      mean += u[i] * z[i];
      variance -= u[i] * u[i];
    }
    result.SmoothedMean.push_back(mean);
    result.SmoothedVariance.push_back(variance);
  }
  return result;
}

double Objective(double sumSq, double fact, double count) {
  return count / 2.0 * std::log(sumSq * fact / count);
}

struct NoiseCase {
  const char* name;
  std::vector<double> phi, theta;
};

struct DifferencingCase {
  const char* name;
  std::vector<double> g;  // delta(B) = 1 - g(1) B - ...
};

struct MissingPattern {
  const char* name;
  std::vector<std::size_t> missing;  // indices into the L + 40 values
};

// The filter and the oracle are exact in exact arithmetic; the filter
// rounds O(N) times in double on a state of a few components and the
// oracle works in long double, so they agree to about 1e-13 relative. The
// tolerances are relative to the size of the numbers, at least 1: F can
// lie near 0 as a difference of terms of order 1, and with d = 2 and the
// first 8 values missing the levels' variances reach several hundred, which
// the filter forms with a loss of a few digits (about 2e-11 relative). A
// wrong diffuse step or a skipped prediction moves F by 1e-3 or more.
constexpr double kTolerance = 1e-10;
constexpr double kSmoothTolerance = 1e-9;

TEST(MissingValueFilterTest, LikelihoodAndSmoothedValuesMatchTheDenseOracle) {
  const NoiseCase noises[] = {{"ARMA(1,1)", {0.6}, {0.4}}, {"ARMA(2,1)", {0.5, -0.3}, {-0.4}}};
  const DifferencingCase differencings[] = {
      {"d = 0", {}}, {"d = 1", {1.0}}, {"d = 2", {2.0, -1.0}},
      // (1 - B)(1 - B^4): the regular and seasonal differences together.
      {"d = 1, D = 1, s = 4", {1.0, 0.0, 0.0, 1.0, -1.0}}};
  constexpr std::size_t kN = 40;
  for (const NoiseCase& noise : noises)
    for (const DifferencingCase& diff : differencings) {
      const std::size_t l = diff.g.size();
      const std::size_t last = l + kN - 1;
      const MissingPattern patterns[] = {
          {"none", {}},
          {"1 at the start", {0}},
          {"3 at the start", {0, 1, 2}},
          {"8 at the start", {0, 1, 2, 3, 4, 5, 6, 7}},
          {"1 inside", {20}},
          {"3 inside", {11, 12, 25}},
          {"8 inside", {5, 9, 10, 11, 18, 19, 30, 31}},
          {"1 at the end", {last}},
          {"3 at the end", {last - 2, last - 1, last}},
          {"8 at the end", {last - 7, last - 6, last - 5, last - 4, last - 3, last - 2, last - 1, last}},
      };
      // X from simulated noise and a known G, undifferenced from levels 10, 11, ...
      const std::vector<double> w = SimulatedArmaSeries(noise.phi, noise.theta, kN, 33);
      std::vector<double> G(kN), level(l + kN);
      for (std::size_t t = 0; t < kN; ++t) G[t] = 0.5 - 0.02 * static_cast<double>(t);
      for (std::size_t i = 0; i < l; ++i) level[i] = 10.0 + static_cast<double>(i);
      for (std::size_t t = 0; t < kN; ++t) {
        double x = G[t] + w[t];
        for (std::size_t j = 0; j < l; ++j) x += diff.g[j] * level[l + t - 1 - j];
        level[l + t] = x;
      }
      const ArmaStateSpace model(noise.phi, noise.theta);
      const SquareMatrix stationary = *model.StationaryCovariance();
      for (const MissingPattern& pattern : patterns) {
        SCOPED_TRACE(std::string(noise.name) + ", " + diff.name + ", " + pattern.name);
        std::vector<std::optional<double>> values(level.begin(), level.end());
        for (std::size_t i : pattern.missing) values[i] = std::nullopt;
        const OracleResult oracle = DenseOracle(noise.phi, noise.theta, diff.g, values, G);

        std::vector<double> a(kN), h(kN);
        const DifferencedSeries series{diff.g, values, G};
        const MissingValueLikelihood result = FilterWithMissingValues(model, stationary, series, a, h);
        ASSERT_EQ(result.Count, static_cast<long long>(oracle.Count));
        EXPECT_EQ(CountedValues(diff.g, values), result.Count);
        const double count = static_cast<double>(oracle.Count);
        const double expected = Objective(static_cast<double>(oracle.SumSq),
                                          static_cast<double>(std::exp(oracle.LogDet / oracle.Count)), count);
        EXPECT_NEAR(Objective(result.SumSq, result.Fact, count), expected, kTolerance * std::max(1.0, std::fabs(expected)));
        EXPECT_NEAR(result.SumSq, static_cast<double>(oracle.SumSq), kTolerance * result.SumSq);

        const std::vector<SmoothedValue> smoothed = SmoothMissingValues(model, stationary, series);
        ASSERT_EQ(smoothed.size(), pattern.missing.size());
        for (std::size_t i = 0; i < smoothed.size(); ++i) {
          EXPECT_EQ(smoothed[i].Index, pattern.missing[i]);
          const double mean = static_cast<double>(oracle.SmoothedMean[i]);
          EXPECT_NEAR(smoothed[i].Mean, mean, kSmoothTolerance * std::max(1.0, std::fabs(mean)));
          const double variance = static_cast<double>(oracle.SmoothedVariance[i]);
          EXPECT_NEAR(smoothed[i].Variance, variance, kSmoothTolerance * std::max(1.0, variance));
        }
      }
    }
}

// With every value present and no differencing the filter is the exact
// ARMA likelihood the model's fast recursion computes, value for value.
TEST(MissingValueFilterTest, CompleteSeriesGivesMelardsLikelihood) {
  const std::vector<double> phi{0.5, -0.3}, theta{-0.4};
  const std::vector<double> w = SimulatedArmaSeries(phi, theta, 60, 7);
  std::vector<double> a(60), h(60), melardA(60), melardH(60);
  MelardWorkspace work;
  work.Reserve(2);
  const MelardResult melard = MelardLikelihood(phi, theta, w, melardA, melardH, work);
  const ArmaStateSpace model(phi, theta);
  const std::vector<std::optional<double>> values(w.begin(), w.end());
  const std::vector<double> G(60, 0.0);
  const MissingValueLikelihood result =
      FilterWithMissingValues(model, *model.StationaryCovariance(), {{}, values, G}, a, h);
  EXPECT_EQ(result.Count, 60);
  EXPECT_NEAR(result.SumSq, melard.SumSq, 1e-12 * melard.SumSq);
  EXPECT_NEAR(result.Fact, melard.Fact, 1e-12 * melard.Fact);
  for (std::size_t t = 0; t < 60; ++t) {
    EXPECT_NEAR(a[t], melardA[t], 1e-10);
    EXPECT_NEAR(h[t], melardH[t], 1e-10);
  }
}

// A non-stationary noise model and a series whose levels nothing fixes.
TEST(MissingValueFilterTest, FailuresAndUndeterminedValues) {
  const std::vector<double> phi{0.5};
  const ArmaStateSpace model(phi, {});
  const SquareMatrix stationary = *model.StationaryCovariance();
  // d = 1 with only the first value present: X(1) fixes the level, the
  // rest are missing and each is still determined from it.
  const std::vector<double> g{1.0};
  const std::vector<std::optional<double>> values{1.0, std::nullopt, std::nullopt};
  const std::vector<double> G{0.0, 0.0};
  std::vector<double> a(2), h(2);
  const MissingValueLikelihood result = FilterWithMissingValues(model, stationary, {g, values, G}, a, h);
  EXPECT_EQ(result.Count, 0);
  EXPECT_EQ(result.Fact, 0.0);
  EXPECT_TRUE(std::isnan(a[0]) && std::isnan(h[1]));
  EXPECT_EQ(SmoothMissingValues(model, stationary, {g, values, G}).size(), 2u);
  // Nothing present: the level is never fixed, so nothing is estimated.
  const std::vector<std::optional<double>> none(3);
  EXPECT_TRUE(SmoothMissingValues(model, stationary, {g, none, G}).empty());
  EXPECT_EQ(CountedValues(g, none), 0);
}

}  // namespace
}  // namespace quorvane
