#include "tfn/arma/missing_value_filter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace quorvane {
namespace {

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// Z Pinf Z' below this (the diffuse covariance is made of the integer
// coefficients of the differencing, so its entries are of order 1) means
// the value adds nothing to fix the levels: rounding leaves about 1e-16.
constexpr double kDiffuseTolerance = 1e-9;

// The state (alpha(1..r), X(t-1), ..., X(t-L), copies) before X(t) is
// seen, with mean x, covariance P* and diffuse covariance Pinf. The copies
// are frozen components that keep a missing X as it was formed, so the
// filter carries its estimate given all later values along.
class LevelFilter {
 public:
  LevelFilter(const ArmaStateSpace& model, const SquareMatrix& stationary, std::span<const double> g,
              std::span<const std::optional<double>> values, std::size_t copies)
      : model_(model), g_(g), r_(model.Dimension()), l_(g.size()), n_(r_ + l_ + copies),
        x_(n_, 0.0), p_(n_), pinf_(n_), work_(n_), m_(n_), minf_(n_) {
    for (std::size_t i = 0; i < r_; ++i)
      for (std::size_t j = 0; j < r_; ++j) p_(i, j) = stationary(i, j);
    // values[j] is X(t0 - L + j), held in component r + L - 1 - j.
    for (std::size_t j = 0; j < l_; ++j) {
      const std::size_t slot = r_ + l_ - 1 - j;
      if (values[j]) {
        x_[slot] = *values[j];
      } else {
        pinf_(slot, slot) = 1.0;
        diffuse_ = true;
      }
    }
  }

  enum class Step { Conditioning, Counted, Failed };

  // Updates the state with X(t) = y; e and F receive the prediction error
  // and its variance factor of a counted value.
  Step Observe(double y, double G, double& e, double& F) {
    e = y - (Dot(x_) + G);
    // M* = P* Z', F* = Z M*; Minf = Pinf Z', Finf = Z Minf.
    ProductWithZ(p_, m_);
    F = Dot(m_);
    if (diffuse_) {
      ProductWithZ(pinf_, minf_);
      const double finf = Dot(minf_);
      if (finf > kDiffuseTolerance) {
        // K = Minf / Finf; x += K e; P* += K K' F* - K M*' - M* K';
        // Pinf -= K Minf'.
        for (std::size_t i = 0; i < n_; ++i) x_[i] += minf_[i] / finf * e;
        for (std::size_t i = 0; i < n_; ++i) {
          const double ki = minf_[i] / finf;
          for (std::size_t j = 0; j < n_; ++j) {
            const double kj = minf_[j] / finf;
            p_(i, j) += ki * kj * F - ki * m_[j] - m_[i] * kj;
            pinf_(i, j) -= ki * minf_[j];
          }
        }
        double largest = 0.0;
        for (double v : pinf_.Values) largest = std::max(largest, std::fabs(v));
        if (largest < kDiffuseTolerance) {
          std::fill(pinf_.Values.begin(), pinf_.Values.end(), 0.0);
          diffuse_ = false;
        }
        return Step::Conditioning;
      }
    }
    if (!(F > 0.0) || !std::isfinite(F)) return Step::Failed;
    // K = M* / F*; x += K e; P* -= M* M*' / F*.
    for (std::size_t i = 0; i < n_; ++i) x_[i] += m_[i] / F * e;
    for (std::size_t i = 0; i < n_; ++i) {
      const double ki = m_[i] / F;
      for (std::size_t j = 0; j < n_; ++j) p_(i, j) -= ki * m_[j];
    }
    return Step::Counted;
  }

  // Copy `slot` (r + L + c) takes X(t) = Z x + G as it stands before the
  // step to t + 1.
  void KeepValue(std::size_t slot, double G) {
    const auto keep = [this, slot](std::span<double> z) { z[slot] = Dot(z); };
    keep(x_);
    x_[slot] += G;
    Transform(p_, keep);
    if (diffuse_) Transform(pinf_, keep);
  }

  // Copy `slot` takes component `from` (one of the initial levels).
  void KeepComponent(std::size_t slot, std::size_t from) {
    const auto keep = [slot, from](std::span<double> z) { z[slot] = z[from]; };
    keep(x_);
    Transform(p_, keep);
    if (diffuse_) Transform(pinf_, keep);
  }

  // From t to t + 1: X(t) = Z x + G joins the levels, then alpha moves on,
  // alpha <- T alpha + R a.
  void Advance(double G) {
    if (l_ > 0) {
      const auto addLevel = [this](std::span<double> z) {
        const double next = Dot(z);
        for (std::size_t k = l_ - 1; k >= 1; --k) z[r_ + k] = z[r_ + k - 1];
        z[r_] = next;
      };
      addLevel(x_);
      x_[r_] += G;
      Transform(p_, addLevel);
      if (diffuse_) Transform(pinf_, addLevel);
    }
    const auto advance = [this](std::span<double> z) { model_.Advance(z.first(r_)); };
    advance(x_);
    Transform(p_, advance);
    for (std::size_t i = 0; i < r_; ++i)
      for (std::size_t j = 0; j < r_; ++j) p_(i, j) += model_.Loading(i) * model_.Loading(j);
    // Pinf has nothing in the alpha block: the noise is never diffuse.
  }

  std::size_t NoiseDimension() const { return r_; }
  std::size_t Levels() const { return l_; }
  bool Diffuse() const { return diffuse_; }
  double Mean(std::size_t i) const { return x_[i]; }
  double Covariance(std::size_t i, std::size_t j) const { return p_(i, j); }
  double DiffuseCovariance(std::size_t i, std::size_t j) const { return pinf_(i, j); }

 private:
  // Z z = z_1 + g(1) z_{r+1} + ... + g(L) z_{r+L}: X(t) less G(t).
  double Dot(std::span<const double> z) const {
    double sum = z[0];
    for (std::size_t j = 0; j < l_; ++j)
      if (g_[j] != 0.0) sum += g_[j] * z[r_ + j];
    return sum;
  }

  // out = S Z' for a symmetric S.
  void ProductWithZ(const SquareMatrix& S, std::vector<double>& out) const {
    for (std::size_t i = 0; i < n_; ++i) out[i] = Dot(std::span<const double>(S.Values.data() + i * n_, n_));
  }

  // S <- M S M' for the linear map M that `apply` does in place.
  template <class Map>
  void Transform(SquareMatrix& S, Map apply) {
    for (std::size_t j = 0; j < n_; ++j) {
      for (std::size_t i = 0; i < n_; ++i) work_[i] = S(i, j);
      apply(std::span<double>(work_));
      for (std::size_t i = 0; i < n_; ++i) S(i, j) = work_[i];
    }
    for (std::size_t i = 0; i < n_; ++i) apply(std::span<double>(&S(i, 0), n_));
  }

  const ArmaStateSpace& model_;
  std::span<const double> g_;
  std::size_t r_, l_, n_;
  std::vector<double> x_;
  SquareMatrix p_, pinf_;
  bool diffuse_ = false;
  std::vector<double> work_, m_, minf_;
};

}  // namespace

MissingValueLikelihood FilterWithMissingValues(const ArmaStateSpace& model, const SquareMatrix& stationary,
                                               const DifferencedSeries& series, std::span<double> a,
                                               std::span<double> h, LevelFilterEnd* end) {
  const std::size_t l = series.Differencing.size();
  const std::size_t n = series.Prediction.size();
  std::fill(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(n), kNotComputed);
  std::fill(h.begin(), h.begin() + static_cast<std::ptrdiff_t>(n), kNotComputed);
  LevelFilter filter(model, stationary, series.Differencing, series.Values, 0);
  MissingValueLikelihood result;
  // The determinant as a sum of logarithms: it cannot overflow.
  double logDet = 0.0;
  for (std::size_t t = 0; t < n; ++t) {
    const std::optional<double>& y = series.Values[l + t];
    const double G = series.Prediction[t];
    if (y) {
      double e = 0.0, F = 0.0;
      const LevelFilter::Step step = filter.Observe(*y, G, e, F);
      if (step == LevelFilter::Step::Failed) return {result.SumSq, 0.0, result.Count};
      if (step == LevelFilter::Step::Counted) {
        a[t] = e / std::sqrt(F);
        h[t] = F;
        result.SumSq += e * e / F;
        logDet += std::log(F);
        ++result.Count;
      }
    }
    filter.Advance(G);
  }
  if (result.Count > 0) result.Fact = std::exp(logDet / static_cast<double>(result.Count));
  if (end) {
    const std::size_t size = filter.NoiseDimension() + l;
    end->Mean.assign(size, 0.0);
    end->Covariance = SquareMatrix(size);
    for (std::size_t i = 0; i < size; ++i) {
      end->Mean[i] = filter.Mean(i);
      for (std::size_t j = 0; j < size; ++j) end->Covariance(i, j) = filter.Covariance(i, j);
    }
    end->Complete = !filter.Diffuse();
  }
  return result;
}

long long CountedValues(std::span<const double> differencing, std::span<const std::optional<double>> values) {
  // The count depends on which values are present only: the diffuse part of
  // the filter of a white noise gives it.
  const ArmaStateSpace noise({}, {});
  SquareMatrix unit(1);
  unit(0, 0) = 1.0;
  const std::size_t l = differencing.size();
  if (values.size() < l) return 0;
  LevelFilter filter(noise, unit, differencing, values, 0);
  long long count = 0;
  for (std::size_t t = l; t < values.size(); ++t) {
    if (values[t]) {
      double e = 0.0, F = 0.0;
      if (filter.Observe(*values[t], 0.0, e, F) == LevelFilter::Step::Counted) ++count;
    }
    filter.Advance(0.0);
  }
  return count;
}

std::vector<SmoothedValue> SmoothMissingValues(const ArmaStateSpace& model, const SquareMatrix& stationary,
                                               const DifferencedSeries& series) {
  const std::size_t l = series.Differencing.size();
  const std::size_t n = series.Prediction.size();
  std::vector<std::size_t> missing;
  for (std::size_t i = 0; i < l + n; ++i)
    if (!series.Values[i]) missing.push_back(i);
  std::vector<SmoothedValue> out;
  // The copies grow the state; a pass carries at most kBatch of them, so the
  // work stays linear in the number of missing values.
  constexpr std::size_t kBatch = 32;
  for (std::size_t from = 0; from < missing.size(); from += kBatch) {
    const std::size_t count = std::min(kBatch, missing.size() - from);
    LevelFilter filter(model, stationary, series.Differencing, series.Values, count);
    const std::size_t base = filter.NoiseDimension() + l;
    std::size_t next = from;  // the next missing value to keep
    for (; next < from + count && missing[next] < l; ++next)
      filter.KeepComponent(base + next - from, filter.NoiseDimension() + l - 1 - missing[next]);
    for (std::size_t t = 0; t < n; ++t) {
      const std::optional<double>& y = series.Values[l + t];
      const double G = series.Prediction[t];
      if (y) {
        double e = 0.0, F = 0.0;
        if (filter.Observe(*y, G, e, F) == LevelFilter::Step::Failed) return {};
      } else if (next < from + count && missing[next] == l + t) {
        filter.KeepValue(base + next - from, G);
        ++next;
      }
      filter.Advance(G);
    }
    for (std::size_t c = 0; c < count; ++c) {
      const std::size_t slot = base + c;
      if (std::fabs(filter.DiffuseCovariance(slot, slot)) > kDiffuseTolerance) continue;
      out.push_back({missing[from + c], filter.Mean(slot), std::max(filter.Covariance(slot, slot), 0.0)});
    }
  }
  return out;
}

}  // namespace quorvane
