#include "evaluate/confidence_distribution.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace quorvane {

namespace {

// One Simpson panel over f[i], f[i+1], f[i+2] with spacing h.
double SimpsonPanel(const std::vector<double>& f, int i, double h) {
  const auto k = static_cast<std::size_t>(i);
  return (h * 2.0 / 6.0) * (f[k] + 4.0 * f[k + 1] + f[k + 2]);
}

double CappedAtOne(double c) { return c > 1.0 ? 1.0 : c; }

// The cumulative scaled to 0..1 on each side of the centre point.
void FillRegion(const std::vector<double>& C, int n, int centre, std::vector<double>& region) {
  const double atCentre = C[static_cast<std::size_t>(centre)];
  for (int p = 1; p <= n; ++p) {
    const auto k = static_cast<std::size_t>(p);
    if (p <= centre) {
      if (atCentre > 0.0) region[k] = (atCentre - C[k]) / atCentre;
    } else {
      if (1.0 - atCentre > 0.0) region[k] = (C[k] - atCentre) / (1.0 - atCentre);
    }
  }
}

}  // namespace

void ConfidenceDistribution(EvaluationSeries& series, double h) {
  const int n = series.ProfilePointCount;
  const int b = series.BestPoint;
  const std::vector<double>& x = series.ProfileValues;
  std::vector<double>& L = series.ProfileObjective;
  const auto at = [](int p) { return static_cast<std::size_t>(p); };

  const double best = L[at(b)];
  for (int p = 1; p <= n; ++p)
    if (p != b) L[at(p)] -= best;
  L[at(b)] = 0.0;

  std::vector<double> D(at(n) + 1, 0.0), xD(at(n) + 1, 0.0), xxD(at(n) + 1, 0.0);
  for (int p = 1; p <= n; ++p) {
    D[at(p)] = std::exp(-L[at(p)]);
    xD[at(p)] = x[at(p)] * D[at(p)];
    xxD[at(p)] = x[at(p)] * x[at(p)] * D[at(p)];
  }
  double S0 = 0.0, S1 = 0.0, S2 = 0.0;
  for (int i = 1; i <= n - 2; i += 2) {
    S0 += SimpsonPanel(D, i, h);
    S1 += SimpsonPanel(xD, i, h);
    S2 += SimpsonPanel(xxD, i, h);
  }

  double mean = 0.0, se = 0.0;
  if (S0 > 0.0) {
    mean = S1 / S0;
    const double variance = S2 / S0 - mean * mean;
    se = variance >= 0.0 ? std::sqrt(variance) : 0.0;
  }
  series.ExpectedValue = mean;
  series.EstimatedSE = se;

  int d = 1;
  for (int p = 2; p <= n; ++p)
    if (std::abs(x[at(p)] - mean) < std::abs(x[at(d)] - mean)) d = p;

  // sqrt(8 arctan 1) = sqrt(2 pi).
  const double rootTwoPi = std::sqrt(8.0 * std::atan(1.0));
  for (int p = 1; p <= n; ++p) {
    if (S0 > 0.0) series.ProfilePdf[at(p)] = D[at(p)] / S0;
    if (se > 0.0) {
      const double z = x[at(p)] - mean;
      series.NormalPdf[at(p)] = std::exp(-z * z / (2.0 * se * se)) / (rootTwoPi * se);
    }
  }

  const std::vector<double>& P = series.ProfilePdf;
  std::vector<double>& C = series.ProfileCumulative;
  C[0] = 0.0;
  C[1] = P[1] * h;
  for (int i = 1; i <= n - 2; i += 2) {
    C[at(i + 2)] = CappedAtOne(C[at(i)] + SimpsonPanel(P, i, h));
    if (i == 1)
      C[2] = C[1] + P[2] * h;
    else
      C[at(i + 1)] = CappedAtOne(C[at(i - 1)] + SimpsonPanel(P, i - 1, h));
  }

  if (b != 1) FillRegion(C, n, b, series.ModeRegion);
  if (d != 1) FillRegion(C, n, d, series.MeanRegion);

  series.EstimatedDiff = series.BestValue - mean;
}

}  // namespace quorvane
