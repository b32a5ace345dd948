#include "tfn/forecast/arima_forecast.h"

#include <cassert>
#include <cstddef>

namespace quorvane {
namespace {

// The state (alpha, c_1..c_d) of the noise and its d running sums, with
// its mean and error covariance.
class IntegratedState {
 public:
  IntegratedState(const ArmaStateSpace& model, const ArmaFilterEnd& end, int d,
                  std::span<const double> levels)
      : model_(model), r_(model.Dimension()), d_(static_cast<std::size_t>(d)), n_(r_ + d_),
        mean_(n_, 0.0), cov_(n_) {
    for (std::size_t i = 0; i < r_; ++i) {
      mean_[i] = end.StateMean[i];
      for (std::size_t j = 0; j < r_; ++j) cov_(i, j) = end.StateCovariance(i, j);
    }
    for (std::size_t k = 0; k < d_; ++k) mean_[r_ + k] = levels[k];  // known: no variance
  }

  // alpha <- T alpha + R a; the sums stay.
  void AdvanceNoise() {
    model_.Advance(std::span<double>(mean_.data(), r_));
    Transform([this](std::span<double> z) { model_.Advance(z.first(r_)); });
    for (std::size_t i = 0; i < r_; ++i)
      for (std::size_t j = 0; j < r_; ++j) cov_(i, j) += model_.Loading(i) * model_.Loading(j);
  }

  // c_1 <- c_1 + alpha_1 (+ g in the mean), c_k <- c_k + c_{k-1}.
  void AddToSums(double g) {
    const auto sum = [this](std::span<double> z, double add) {
      double carry = z[0] + add;
      for (std::size_t k = 0; k < d_; ++k) {
        z[r_ + k] += carry;
        carry = z[r_ + k];
      }
    };
    sum(mean_, g);
    Transform([&](std::span<double> z) { sum(z, 0.0); });
  }

  double Mean(std::size_t i) const { return mean_[i]; }
  double Variance(std::size_t i) const { return cov_(i, i); }
  std::size_t LastSum() const { return n_ - 1; }

 private:
  // cov <- M cov M' for the linear map M that `apply` does in place.
  template <class Map>
  void Transform(Map apply) {
    std::vector<double> column(n_);
    for (std::size_t j = 0; j < n_; ++j) {
      for (std::size_t i = 0; i < n_; ++i) column[i] = cov_(i, j);
      apply(std::span<double>(column));
      for (std::size_t i = 0; i < n_; ++i) cov_(i, j) = column[i];
    }
    for (std::size_t i = 0; i < n_; ++i) apply(std::span<double>(&cov_(i, 0), n_));
  }

  const ArmaStateSpace& model_;
  std::size_t r_, d_, n_;
  std::vector<double> mean_;
  SquareMatrix cov_;
};

}  // namespace

ArimaForecast ForecastArima(const ArmaStateSpace& model, const ArmaFilterEnd& end,
                            std::span<const double> future, int d,
                            std::span<const double> levels) {
  assert(d >= 0 && levels.size() >= static_cast<std::size_t>(d));
  ArimaForecast out;
  IntegratedState state(model, end, d, levels);
  for (std::size_t h = 0; h < future.size(); ++h) {
    // The filter leaves alpha(T + 1 | T): the first forecast needs no step.
    if (h > 0) state.AdvanceNoise();
    out.AnalysedMean.push_back(state.Mean(0) + future[h]);
    out.AnalysedVariance.push_back(state.Variance(0));
    if (d > 0) {
      state.AddToSums(future[h]);
      out.LevelMean.push_back(state.Mean(state.LastSum()));
      out.LevelVariance.push_back(state.Variance(state.LastSum()));
    }
  }
  return out;
}

}  // namespace quorvane
