#include "tfn/arma/sparse_arma_likelihood.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "tfn/arma_autocovariance.h"

namespace quorvane {
namespace {

// As in MelardLikelihood: the determinant's mantissa is kept in [1/16, 1)
// with a base-2 exponent moved in steps of 4; gain components below
// kNegligibleGain are set to 0, examined once L_1 is below kSmallGain.
constexpr double kNegligibleGain = 1e-290;
constexpr double kSmallGain = 1e-200;
// The gains are settled to rounding when h is 1 and K / h is
// T g = (phi_j - theta_j) to within 16 units in the last place (relative
// to 1 where T g is smaller): h itself ends some units away from 1, the
// rounding its thousands of updates leave. They are examined every
// kSettleCheckEvery steps once |L_1| is below kSettleCheckGain, and the
// filter becomes the ARMA inversion after two examinations in a row find
// them settled.
constexpr double kSettledUlps = 16.0 * 0x1.0p-52;
constexpr double kSettleCheckGain = 1e-7;
constexpr std::size_t kSettleCheckEvery = 16;

void MultiplyDeterminant(double factor, double& mantissa, double& exponent) {
  mantissa *= factor;
  while (std::fabs(mantissa) >= 1.0) {
    mantissa *= 0.0625;
    exponent += 4.0;
  }
  while (mantissa != 0.0 && std::fabs(mantissa) < 0.0625) {
    mantissa *= 16.0;
    exponent -= 4.0;
  }
}

double Negligible(double gain) { return std::fabs(gain) < kNegligibleGain ? 0.0 : gain; }

// The order without its trailing zero coefficients.
std::size_t TrimmedOrder(std::span<const double> c) {
  std::size_t order = c.size();
  while (order > 0 && c[order - 1] == 0.0) --order;
  return order;
}

void NonZeroTerms(std::span<const double> c, std::vector<std::size_t>& lags, std::vector<double>& values) {
  lags.clear();
  values.clear();
  for (std::size_t j = 1; j <= c.size(); ++j)
    if (c[j - 1] != 0.0) {
      lags.push_back(j);
      values.push_back(c[j - 1]);
    }
}

// A vector of components 1..r that moves up one place at every step (the
// shift by T): component j is at Data[Offset + j]. When the window reaches
// the end of its storage it is copied back to the front.
struct SlidingVector {
  double* Data;
  std::size_t Offset;
  std::size_t Storage;
  std::size_t R;

  double& operator[](std::size_t j) { return Data[Offset + j]; }
  // Component j becomes component j + 1's old value; the new last component is 0.
  void Shift() {
    if (Offset + R + 2 > Storage) {
      std::copy(Data + Offset + 1, Data + Offset + R + 1, Data + 1);
      Offset = 0;
    }
    ++Offset;
    Data[Offset + R] = 0.0;
  }
};

// The components a step passes over: r rounded up to a multiple of 4.
// Those beyond r stay 0 (K and L start at 0 there and the shift brings in
// only 0), so they change nothing; in groups of 4 the compiler can use
// vector instructions.
constexpr std::size_t kGroup = 4;
std::size_t GroupedWidth(std::size_t r) { return (r + kGroup - 1) / kGroup * kGroup; }

// K / h = T g and h = 1 to rounding: the settled gains of an invertible
// model, with which the filter is the ARMA inversion.
bool SettledToRounding(const double* k, double h, std::span<const double> phi,
                       std::span<const double> theta, std::size_t r) {
  if (!(std::fabs(h - 1.0) <= kSettledUlps)) return false;
  for (std::size_t j = 1; j <= r; ++j) {
    const double tg = (j <= phi.size() ? phi[j - 1] : 0.0) - (j <= theta.size() ? theta[j - 1] : 0.0);
    if (!(std::fabs(k[j] / h - tg) <= kSettledUlps * std::max(1.0, std::fabs(tg)))) return false;
  }
  return true;
}

// The ring of the last prediction errors: a power of 2 above q.
std::size_t RingSize(std::size_t q) {
  std::size_t size = 1;
  while (size <= q) size *= 2;
  return size;
}

// Room for the gains and the windows of L and the state for dimension r.
std::size_t WindowStorage(std::size_t r) { return GroupedWidth(r) + 2 + std::max<std::size_t>(64, 4 * r); }

// One step of the gain phase over components 1..width (pointers at
// component 1), after the shift and the sparse autoregressive terms:
//   xhat_j += gain K_j,  K_j <- K_j - alpha M_j,  L_j <- M_j - alpha K_j
// with M held in l. Each group of four is loaded whole before any of it
// is stored, so the compiler may work on the group in vector registers
// without knowing whether the three vectors overlap.
void GainStep(double* k, double* l, double* x, std::size_t width, double gain, double alpha) {
  for (std::size_t j = 0; j < width; j += kGroup) {
    const double k0 = k[j], k1 = k[j + 1], k2 = k[j + 2], k3 = k[j + 3];
    const double m0 = l[j], m1 = l[j + 1], m2 = l[j + 2], m3 = l[j + 3];
    const double x0 = x[j], x1 = x[j + 1], x2 = x[j + 2], x3 = x[j + 3];
    x[j] = x0 + gain * k0;
    x[j + 1] = x1 + gain * k1;
    x[j + 2] = x2 + gain * k2;
    x[j + 3] = x3 + gain * k3;
    k[j] = k0 - alpha * m0;
    k[j + 1] = k1 - alpha * m1;
    k[j + 2] = k2 - alpha * m2;
    k[j + 3] = k3 - alpha * m3;
    l[j] = m0 - alpha * k0;
    l[j + 1] = m1 - alpha * k1;
    l[j + 2] = m2 - alpha * k2;
    l[j + 3] = m3 - alpha * k3;
  }
}

// xhat_j += gain K_j over components 1..width, K fixed.
void StateStep(const double* k, double* x, std::size_t width, double gain) {
  for (std::size_t j = 0; j < width; j += kGroup) {
    const double k0 = k[j], k1 = k[j + 1], k2 = k[j + 2], k3 = k[j + 3];
    const double x0 = x[j], x1 = x[j + 1], x2 = x[j + 2], x3 = x[j + 3];
    x[j] = x0 + gain * k0;
    x[j + 1] = x1 + gain * k1;
    x[j + 2] = x2 + gain * k2;
    x[j + 3] = x3 + gain * k3;
  }
}

}  // namespace

void SparseArmaWorkspace::Reserve(std::size_t maxOrder) {
  Start.Reserve(maxOrder);
  const std::size_t r = maxOrder + 1;
  ArLags.reserve(maxOrder);
  MaLags.reserve(maxOrder);
  ArValues.reserve(maxOrder);
  MaValues.reserve(maxOrder);
  if (GainK.size() < GroupedWidth(r) + 2) GainK.resize(GroupedWidth(r) + 2);
  if (GainL.size() < WindowStorage(r)) GainL.resize(WindowStorage(r));
  if (State.size() < WindowStorage(r)) State.resize(WindowStorage(r));
  if (Errors.size() < RingSize(maxOrder)) Errors.resize(RingSize(maxOrder));
}

MelardResult SparseArmaLikelihood(std::span<const double> phiIn, std::span<const double> thetaIn,
                                  std::span<const double> w, std::span<double> a, std::span<double> h,
                                  SparseArmaWorkspace& work) {
  const std::size_t n = w.size();
  assert(a.size() >= n && h.size() >= n);
  work.SparseFrom = n;
  if (n == 0) return {};
  const std::span<const double> phi = phiIn.first(TrimmedOrder(phiIn));
  const std::span<const double> theta = thetaIn.first(TrimmedOrder(thetaIn));
  const std::size_t p = phi.size();
  const std::size_t q = theta.size();
  const std::size_t r = ArmaStateDimension(p, q);

  if (!ArmaAutocovariance(phi, theta, work.Start)) return {};
  const double* gamma = work.Start.Gamma.data();
  const double* c = work.Start.Cross.data();
  NonZeroTerms(phi, work.ArLags, work.ArValues);
  NonZeroTerms(theta, work.MaLags, work.MaValues);
  const std::size_t nAr = work.ArLags.size(), nMa = work.MaLags.size();
  const std::size_t* arLag = work.ArLags.data();
  const double* arValue = work.ArValues.data();

  // Storage: K at 1..width (0 beyond r); L and the state slide through
  // windows of width + 2 + slack components.
  const std::size_t width = GroupedWidth(r);
  const std::size_t storage = WindowStorage(r);
  if (work.GainK.size() < width + 2) work.GainK.resize(width + 2);
  if (work.GainL.size() < storage) work.GainL.resize(storage);
  if (work.State.size() < storage) work.State.resize(storage);
  if (work.Errors.size() < RingSize(q)) work.Errors.resize(RingSize(q));
  double* k = work.GainK.data();
  SlidingVector l{work.GainL.data(), 0, storage, width};
  SlidingVector x{work.State.data(), 0, storage, width};

  // First column of the stationary state covariance: s_1 = gamma_0,
  // s_i = sum_{j=i..p} phi_j gamma_{j-i+1} - sum_{j=i-1..q} theta_j c_{j-i+1},
  // over the non-zero terms; then K = L = T S e_1, K_j = phi_j s_1 + s_{j+1}.
  const auto s = [&](std::size_t i) {
    if (i == 1) return gamma[0];
    if (i > r) return 0.0;
    double sum = 0.0;
    for (std::size_t t = 0; t < nAr; ++t)
      if (arLag[t] >= i) sum += arValue[t] * gamma[arLag[t] - i + 1];
    for (std::size_t t = 0; t < nMa; ++t)
      if (work.MaLags[t] + 1 >= i) sum -= work.MaValues[t] * c[work.MaLags[t] - i + 1];
    return sum;
  };
  for (std::size_t j = 1; j <= width + 1; ++j) {
    k[j] = 0.0;
    l[j] = 0.0;
    x[j] = 0.0;
  }
  for (std::size_t j = 1; j <= r; ++j) k[j] = s(j + 1);
  for (std::size_t t = 0; t < nAr; ++t) k[arLag[t]] += arValue[t] * s(1);
  for (std::size_t j = 1; j <= r; ++j) l[j] = k[j];

  double factor = gamma[0];  // h(t) of the coming step
  double mantissa = 1.0;
  double exponent = 0.0;
  double sumSq = 0.0;
  double* errors = work.Errors.data();
  const std::size_t mask = RingSize(q) - 1;
  std::size_t t = 0;  // step t + 1
  bool steady = false;     // L is 0: K and h keep their values
  bool inversion = false;  // and they are those of the ARMA inversion
  int settledChecks = 0;
  for (; t < n; ++t) {
    if (factor < kVarianceFactorFloor) return {sumSq, 0.0};
    if (!(factor > 0.0) || !std::isfinite(factor)) return {sumSq, 0.0};
    if (q == 0 && t == p) break;  // pure autoregression: plain residuals from here on

    MultiplyDeterminant(factor, mantissa, exponent);
    const double e = w[t] - x[1];
    a[t] = e / std::sqrt(factor);
    h[t] = factor;
    sumSq += e * e / factor;
    errors[t & mask] = e;

    // xhat <- T xhat + (e / h) K;  M = T L;  L <- M - alpha K;
    // K <- K - alpha M;  h <- h - alpha L_1, with alpha = L_1 / h.
    const double l1 = l[1];
    const double x1 = x[1];
    const double alpha = l1 / factor;
    const double gain = e / factor;
    l.Shift();
    x.Shift();
    for (std::size_t i = 0; i < nAr; ++i) {
      l[arLag[i]] += arValue[i] * l1;
      x[arLag[i]] += arValue[i] * x1;
    }
    GainStep(&k[1], &l[1], &x[1], width, gain, alpha);
    factor -= alpha * l1;

    if (std::fabs(l1) < kSmallGain) {
      bool lLeft = false;
      for (std::size_t j = 1; j <= r; ++j) {
        k[j] = Negligible(k[j]);
        l[j] = Negligible(l[j]);
        lLeft |= l[j] != 0.0;
      }
      if (!lLeft && q > 0) {
        ++t;
        steady = true;
        break;
      }
    }
    // The ARMA inversion needs the filter to have carried the state for r steps.
    if (q > 0 && t + 1 >= r && std::fabs(l1) < kSettleCheckGain && (t + 1) % kSettleCheckEvery == 0) {
      settledChecks = SettledToRounding(k, factor, phi, theta, r) ? settledChecks + 1 : 0;
      if (settledChecks == 2) {
        ++t;
        steady = inversion = true;
        break;
      }
    }
  }

  if (steady) {
    if (factor < kVarianceFactorFloor) return {sumSq, 0.0};
    if (!(factor > 0.0) || !std::isfinite(factor)) return {sumSq, 0.0};
    const double root = std::sqrt(factor);
    inversion = inversion || (t >= r && SettledToRounding(k, factor, phi, theta, r));
    if (inversion) {
      // e(t) = w(t) - sum phi_l w(t-l) + sum theta_j e(t-j), the errors of
      // the last q steps from the ring. h is constant: the determinant
      // takes h^(steps left) at once, through its exponent.
      const std::size_t* maLag = work.MaLags.data();
      const double* maValue = work.MaValues.data();
      const double inverseRoot = 1.0 / root, inverse = 1.0 / factor;
      work.SparseFrom = t;
      exponent += static_cast<double>(n - t) * std::log2(factor);
      for (; t < n; ++t) {
        double e = w[t];
        for (std::size_t i = 0; i < nAr; ++i) e -= arValue[i] * w[t - arLag[i]];
        for (std::size_t i = 0; i < nMa; ++i) e += maValue[i] * errors[(t - maLag[i]) & mask];
        errors[t & mask] = e;
        a[t] = e * inverseRoot;
        h[t] = factor;
        sumSq += e * e * inverse;
      }
    } else {
      // K and h keep their values and only the state moves on.
      for (; t < n; ++t) {
        MultiplyDeterminant(factor, mantissa, exponent);
        const double e = w[t] - x[1];
        a[t] = e / root;
        h[t] = factor;
        sumSq += e * e / factor;
        const double x1 = x[1];
        const double gain = e / factor;
        x.Shift();
        for (std::size_t i = 0; i < nAr; ++i) x[arLag[i]] += arValue[i] * x1;
        StateStep(&k[1], &x[1], width, gain);
      }
    }
  }

  // a(t) = w(t) - sum_{l=1..p} phi_l w(t-l); h keeps its last value.
  if (t < n) work.SparseFrom = t;
  for (; t < n; ++t) {
    double e = w[t];
    for (std::size_t i = 0; i < nAr; ++i) e -= arValue[i] * w[t - arLag[i]];
    a[t] = e;
    h[t] = factor;
    sumSq += e * e;
  }

  const double steps = static_cast<double>(n);
  return {sumSq, std::pow(mantissa, 1.0 / steps) * std::exp2(exponent / steps)};
}

}  // namespace quorvane
