// The forecasts of the state-space noise model against independent
// computations: the conditional Gaussian distribution of future values from
// the dense joint covariance, and the one-step errors of the exact likelihood.
#include "tfn/forecast/arima_forecast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tfn/arma_dense_oracle.h"
#include "tfn/forecast/arma_state_space.h"
#include "tfn/forecast/level_forecast.h"
#include "tfn/melard_likelihood.h"
#include "tfn/simulated_series.h"

namespace quorvane {
namespace {

using Matrix = std::vector<std::vector<long double>>;

// Solves A X = B for symmetric positive definite A by Cholesky, in long double.
Matrix CholeskySolve(Matrix A, Matrix B) {
  const size_t n = A.size();
  for (size_t j = 0; j < n; ++j) {
    for (size_t k = 0; k < j; ++k) A[j][j] -= A[j][k] * A[j][k];
    A[j][j] = std::sqrt(A[j][j]);
    for (size_t i = j + 1; i < n; ++i) {
      for (size_t k = 0; k < j; ++k) A[i][j] -= A[i][k] * A[j][k];
      A[i][j] /= A[j][j];
    }
  }
  for (auto& column : B) {  // B is held by columns
    for (size_t i = 0; i < n; ++i) {
      for (size_t k = 0; k < i; ++k) column[i] -= A[i][k] * column[k];
      column[i] /= A[i][i];
    }
    for (size_t i = n; i-- > 0;) {
      for (size_t k = i + 1; k < n; ++k) column[i] -= A[k][i] * column[k];
      column[i] /= A[i][i];
    }
  }
  return B;
}

// The distribution of w(N+1..N+H) given w(1..N) for the stationary Gaussian
// process with autocovariances gamma: mean S_fo S_oo^-1 w and covariance
// S_ff - S_fo S_oo^-1 S_of, from the (N + H) x (N + H) Toeplitz matrix.
struct Conditional {
  std::vector<long double> Mean;
  Matrix Covariance;
};
Conditional DenseConditional(const std::vector<long double>& gamma, const std::vector<double>& w, size_t H) {
  const size_t N = w.size();
  const auto g = [&](size_t i, size_t j) { return gamma[i > j ? i - j : j - i]; };
  Matrix Soo(N, std::vector<long double>(N)), rhs(H + 1, std::vector<long double>(N));
  for (size_t i = 0; i < N; ++i)
    for (size_t j = 0; j < N; ++j) Soo[i][j] = g(i, j);
  for (size_t i = 0; i < N; ++i) rhs[0][i] = w[i];
  for (size_t f = 0; f < H; ++f)
    for (size_t i = 0; i < N; ++i) rhs[f + 1][i] = g(N + f, i);
  const Matrix solved = CholeskySolve(Soo, rhs);  // S_oo^-1 w, S_oo^-1 S_of
  Conditional c{std::vector<long double>(H), Matrix(H, std::vector<long double>(H))};
  for (size_t f = 0; f < H; ++f) {
    for (size_t i = 0; i < N; ++i) c.Mean[f] += g(N + f, i) * solved[0][i];
    for (size_t e = 0; e < H; ++e) {
      long double s = g(N + f, N + e);
      for (size_t i = 0; i < N; ++i) s -= g(N + f, i) * solved[e + 1][i];
      c.Covariance[f][e] = s;
    }
  }
  return c;
}

struct OracleCase {
  const char* name;
  std::vector<double> phi, theta;
};

// ARMA(1,1) and ARMA(2,1) of 40 points. Tolerance 1e-9: the filter and the
// dense solution both work at about 1e-15 relative; the oracle's psi-weight
// autocovariances are summed until negligible in long double.
TEST(ArimaForecastTest, AgreesWithTheDenseConditionalDistribution) {
  const std::vector<OracleCase> cases = {{"ARMA(1,1)", {0.7}, {-0.4}},
                                         {"ARMA(2,1)", {0.5, -0.3}, {0.6}}};
  constexpr size_t N = 40, H = 12;
  for (const OracleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> w = testing::SimulatedArmaSeries(c.phi, c.theta, N, 23);
    const std::vector<long double> gamma = testing::PsiWeightAutocovariances(c.phi, c.theta, N + H);
    const Conditional oracle = DenseConditional(gamma, w, H);

    const ArmaStateSpace space(c.phi, c.theta);
    const std::optional<ArmaFilterEnd> end = FilterArmaSeries(space, w);
    ASSERT_TRUE(end);
    const std::vector<double> none(H, 0.0);
    const ArimaForecast plain = ForecastArima(space, *end, none, 0, {});
    // d = 1 from X(T) = 0: the sums of the future values; d = 2 from a
    // first difference of 0 and X(T) = 0: sums of the sums.
    const std::vector<double> zero1{0.0}, zero2{0.0, 0.0};
    const ArimaForecast once = ForecastArima(space, *end, none, 1, zero1);
    const ArimaForecast twice = ForecastArima(space, *end, none, 2, zero2);
    for (size_t h = 0; h < H; ++h) {
      EXPECT_NEAR(plain.AnalysedMean[h], static_cast<double>(oracle.Mean[h]), 1e-9) << "h " << h + 1;
      EXPECT_NEAR(plain.AnalysedVariance[h], static_cast<double>(oracle.Covariance[h][h]), 1e-9) << h + 1;
      long double sumMean = 0, sumVar = 0, twiceMean = 0, twiceVar = 0;
      for (size_t i = 0; i <= h; ++i) {
        sumMean += oracle.Mean[i];
        twiceMean += (h - i + 1) * oracle.Mean[i];
        for (size_t j = 0; j <= h; ++j) {
          sumVar += oracle.Covariance[i][j];
          twiceVar += static_cast<long double>((h - i + 1) * (h - j + 1)) * oracle.Covariance[i][j];
        }
      }
      EXPECT_NEAR(once.LevelMean[h], static_cast<double>(sumMean), 1e-9) << h + 1;
      EXPECT_NEAR(once.LevelVariance[h], static_cast<double>(sumVar), 1e-9) << h + 1;
      EXPECT_NEAR(twice.LevelMean[h], static_cast<double>(twiceMean), 1e-9) << h + 1;
      EXPECT_NEAR(twice.LevelVariance[h], static_cast<double>(twiceVar), 1e-8 * (1 + twiceVar)) << h + 1;
    }
  }
}

// Undoing seasonal and regular differencing, (1 - B)(1 - B^4) X = W: from
// known levels X(T-4..T), each future X is those levels plus a fixed
// combination of the future W, whose weights follow the same recursion
// written out here; its mean and variance come from the dense conditional
// distribution of the future W. Tolerance as above.
TEST(ArimaForecastTest, SeasonalLevelsAgreeWithTheDenseConditionalDistribution) {
  const std::vector<double> phi{0.5}, theta{0.3, 0.0, 0.0, 0.6, -0.18};  // (1 - 0.3B)(1 - 0.6B^4)
  constexpr size_t N = 40, H = 10, L = 5;
  const std::vector<double> w = testing::SimulatedArmaSeries(phi, theta, N, 7);
  const Conditional oracle = DenseConditional(testing::PsiWeightAutocovariances(phi, theta, N + H), w, H);
  const ArmaStateSpace space(phi, theta);
  const std::optional<ArmaFilterEnd> end = FilterArmaSeries(space, w);
  ASSERT_TRUE(end);
  const std::vector<double> g{1.0, 0.0, 0.0, 1.0, -1.0};  // 1 - (1 - B)(1 - B^4)
  const std::vector<double> levels{10.0, 9.0, 12.0, 11.0, 8.0};  // X(T), X(T-1), ..., X(T-4)
  const std::vector<double> G(H, 0.25);  // a known mean of W
  const LevelForecast path = ForecastLevels(space, *end, G, g, levels);
  ASSERT_EQ(path.Mean.size(), H);

  // X(T+h) = known(h) + sum_j c(h, j) W(T+j): X(T+h) = W(T+h) + X(T+h-1) + X(T+h-4) - X(T+h-5).
  std::vector<long double> known(levels.rbegin(), levels.rend());  // X(T-4..T)
  std::vector<std::vector<long double>> c(L, std::vector<long double>(H, 0.0L));
  for (size_t h = 0; h < H; ++h) {
    const size_t t = L + h;
    known.push_back(known[t - 1] + known[t - 4] - known[t - 5]);
    std::vector<long double> weights(H, 0.0L);
    for (size_t j = 0; j < H; ++j) weights[j] = c[t - 1][j] + c[t - 4][j] - c[t - 5][j];
    weights[h] += 1.0L;
    c.push_back(weights);
    long double mean = known[t], variance = 0;
    for (size_t i = 0; i < H; ++i) {
      mean += weights[i] * (oracle.Mean[i] + 0.25L);
      for (size_t j = 0; j < H; ++j) variance += weights[i] * weights[j] * oracle.Covariance[i][j];
    }
    EXPECT_NEAR(path.Mean[h], static_cast<double>(mean), 1e-9) << "h " << h + 1;
    EXPECT_NEAR(path.Variance[h], static_cast<double>(variance), 1e-9 * (1 + variance)) << "h " << h + 1;
  }
}

// The filter that starts the forecasts makes the same one-step errors as the
// exact likelihood, which reaches them by other recursions. Tolerance 1e-10:
// both are double recursions of some hundred steps.
TEST(ArimaForecastTest, FilterInnovationsAreThoseOfTheExactLikelihood) {
  const std::vector<OracleCase> cases = {{"MA(2)", {}, {0.5, -0.3}},
                                         {"AR(2)", {1.2, -0.5}, {}},
                                         {"ARMA(2,1)", {0.5, -0.3}, {0.6}}};
  for (const OracleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<double> w = testing::SimulatedArmaSeries(c.phi, c.theta, 150, 5);
    std::vector<double> a(w.size()), h(w.size());
    MelardWorkspace work(2);
    const MelardResult exact = MelardLikelihood(c.phi, c.theta, w, a, h, work);
    ASSERT_GT(exact.Fact, 0.0);
    const std::optional<ArmaFilterEnd> end = FilterArmaSeries(ArmaStateSpace(c.phi, c.theta), w);
    ASSERT_TRUE(end);
    double sumSq = 0;
    for (size_t t = 0; t < w.size(); ++t) {
      EXPECT_NEAR(end->Innovation[t], a[t], 1e-10) << t;
      EXPECT_NEAR(end->Variance[t], h[t], 1e-10) << t;
      sumSq += end->Innovation[t] * end->Innovation[t];
    }
    EXPECT_NEAR(sumSq, exact.SumSq, 1e-9 * exact.SumSq);
  }
}

TEST(ArimaForecastTest, NonStationaryNoiseHasNoFilterState) {
  const std::vector<double> phi{1.0}, w{1.0, 2.0, 3.0};
  EXPECT_FALSE(FilterArmaSeries(ArmaStateSpace(phi, {}), w));
  const std::vector<double> explosive{0.5, 0.6};  // phi_1 + phi_2 > 1
  EXPECT_FALSE(ArmaStateSpace(explosive, {}).StationaryCovariance());
}

}  // namespace
}  // namespace quorvane
