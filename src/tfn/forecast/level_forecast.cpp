#include "tfn/forecast/level_forecast.h"

#include <cassert>
#include <cstddef>

namespace quorvane {
namespace {

// The state (alpha(1..r), X(t), X(t-1), ..., X(t-L+1)) with its mean and
// error covariance.
class LevelState {
 public:
  LevelState(const ArmaStateSpace& model, const ArmaFilterEnd& end, std::span<const double> g,
             std::span<const double> levels)
      : model_(model), g_(g), r_(model.Dimension()), l_(g.size()), n_(r_ + l_), mean_(n_, 0.0),
        cov_(n_), column_(n_) {
    for (std::size_t i = 0; i < r_; ++i) {
      mean_[i] = end.StateMean[i];
      for (std::size_t j = 0; j < r_; ++j) cov_(i, j) = end.StateCovariance(i, j);
    }
    for (std::size_t k = 0; k < l_; ++k) mean_[r_ + k] = levels[k];  // known: no variance
  }
  LevelState(const ArmaStateSpace& model, const LevelFilterEnd& joint, std::span<const double> g)
      : model_(model), g_(g), r_(model.Dimension()), l_(g.size()), n_(r_ + l_), mean_(joint.Mean),
        cov_(joint.Covariance), column_(n_) {}

  // alpha <- T alpha + R a; the levels stay.
  void AdvanceNoise() {
    model_.Advance(std::span<double>(mean_.data(), r_));
    Transform([this](std::span<double> z) { model_.Advance(z.first(r_)); });
    for (std::size_t i = 0; i < r_; ++i)
      for (std::size_t j = 0; j < r_; ++j) cov_(i, j) += model_.Loading(i) * model_.Loading(j);
  }

  // X(t+1) = alpha_1 + G + sum g(j) X(t+1-j), the older levels move down one.
  void AddLevel(double G) {
    const auto step = [this](std::span<double> z, double add) {
      double next = z[0] + add;
      for (std::size_t j = 0; j < l_; ++j)
        if (g_[j] != 0.0) next += g_[j] * z[r_ + j];
      for (std::size_t k = l_ - 1; k >= 1; --k) z[r_ + k] = z[r_ + k - 1];
      z[r_] = next;
    };
    step(mean_, G);
    Transform([&](std::span<double> z) { step(z, 0.0); });
  }

  double Mean() const { return mean_[r_]; }
  double Variance() const { return cov_(r_, r_); }

 private:
  // cov <- M cov M' for the linear map M that `apply` does in place.
  template <class Map>
  void Transform(Map apply) {
    for (std::size_t j = 0; j < n_; ++j) {
      for (std::size_t i = 0; i < n_; ++i) column_[i] = cov_(i, j);
      apply(std::span<double>(column_));
      for (std::size_t i = 0; i < n_; ++i) cov_(i, j) = column_[i];
    }
    for (std::size_t i = 0; i < n_; ++i) apply(std::span<double>(&cov_(i, 0), n_));
  }

  const ArmaStateSpace& model_;
  std::span<const double> g_;
  std::size_t r_, l_, n_;
  std::vector<double> mean_;
  SquareMatrix cov_;
  std::vector<double> column_;
};

LevelForecast Forecast(LevelState& state, std::span<const double> future) {
  LevelForecast out;
  for (std::size_t h = 0; h < future.size(); ++h) {
    // The filter leaves alpha(T + 1 | T): the first forecast needs no step.
    if (h > 0) state.AdvanceNoise();
    state.AddLevel(future[h]);
    out.Mean.push_back(state.Mean());
    out.Variance.push_back(state.Variance());
  }
  return out;
}

}  // namespace

LevelForecast ForecastLevels(const ArmaStateSpace& model, const ArmaFilterEnd& end,
                             std::span<const double> future, std::span<const double> g,
                             std::span<const double> levels) {
  assert(!g.empty() && levels.size() >= g.size());
  LevelState state(model, end, g, levels);
  return Forecast(state, future);
}

LevelForecast ForecastLevels(const ArmaStateSpace& model, const LevelFilterEnd& joint,
                             std::span<const double> future, std::span<const double> g) {
  assert(!g.empty() && joint.Mean.size() == model.Dimension() + g.size());
  LevelState state(model, joint, g);
  return Forecast(state, future);
}

}  // namespace quorvane
