#include "plot/plot_statistics.h"

#include <cmath>

#include "base/format/format_picture.h"

namespace quorvane {

std::optional<double> PlotCorrelation(const std::vector<double>& x, const std::vector<double>& y) {
  const size_t n = x.size();
  if (n < 3 || y.size() != n) return std::nullopt;
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (size_t i = 0; i < n; ++i) {
    sx += x[i];
    sy += y[i];
    sxx += x[i] * x[i];
    syy += y[i] * y[i];
    sxy += x[i] * y[i];
  }
  const double dn = static_cast<double>(n);
  const double product = (sxx - sx * sx / dn) * (syy - sy * sy / dn);
  if (!(product > 0.0)) return std::nullopt;
  return (sxy - sx * sy / dn) / std::sqrt(product);
}

ScatterStatistics ScatterOf(const std::vector<double>& y) {
  ScatterStatistics s;
  if (y.empty()) return s;
  double sy = 0, syy = 0;
  for (double v : y) {
    sy += v;
    syy += v * v;
  }
  const double n = static_cast<double>(y.size());
  s.Mean = sy / n;
  s.Variance = y.size() > 1 ? (syy / n - s.Mean * s.Mean) * n / (n - 1.0) : 0.0;
  return s;
}

std::optional<ScatterStatistics> WeightedDistributionOf(const std::vector<double>& x,
                                                        const std::vector<double>& y) {
  double sy = 0, sxy = 0, sxxy = 0;
  for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
    sy += y[i];
    sxy += x[i] * y[i];
    sxxy += x[i] * x[i] * y[i];
  }
  if (sy == 0.0) return std::nullopt;
  ScatterStatistics s;
  s.Mean = sxy / sy;
  s.Variance = sxxy / sy - s.Mean * s.Mean;
  return s;
}

std::string CorrelationLabel(const std::vector<double>& x, const std::vector<double>& y,
                             bool scatterOfY) {
  if (x.size() < 3) return "";
  std::string text;
  if (const auto r = PlotCorrelation(x, y)) {
    const double s = std::sqrt(1.0 - *r * *r) / static_cast<double>(x.size() - 2);
    text = "r  = " + FormatPicture(*r, "#0.0000") + "\r\ns\xC2\xB0 = " + FormatPicture(s, "#0.0000");
  }
  if (scatterOfY) {
    const ScatterStatistics s = ScatterOf(y);
    if (!text.empty()) text += "\r\n";
    text += "Scatter of Y:\r\n      Mean = " + FormatPicture(s.Mean, "#0.0000");
    if (s.Variance > 0.0)
      text += "\r\n      SD = " + FormatPicture(std::sqrt(s.Variance), "#0.0000") +
              "\r\n      Var = " + FormatPicture(s.Variance, "#0.0000");
  }
  return text;
}

std::string WeightedDistributionLabel(const std::vector<double>& x, const std::vector<double>& y) {
  if (x.size() < 3) return "";
  const auto s = WeightedDistributionOf(x, y);
  if (!s) return "";
  std::string text = "\r\nDistribution of X:\r\n      Mean = " + FormatPicture(s->Mean, "#0.0000#");
  if (s->Variance > 0.0) {
    const double sd = std::sqrt(s->Variance);
    text += "\r\n      SD = " + FormatPicture(sd, "#0.0000") + "\r\n      Var = " +
            FormatPicture(sd * sd, "#0.0000");
  }
  return text;
}

}  // namespace quorvane
