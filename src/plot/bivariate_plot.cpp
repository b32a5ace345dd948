#include "plot/bivariate_plot.h"

#include <array>
#include <cmath>

#include "plot/distribution_plot.h"

namespace quorvane {
namespace {
constexpr int kLineColor = 0;
// The legend's labels, from the peak band down.
const char* const kLegendLabels[7] = {"   0.0  ", "< 0.5", "< 1.0", "< 1.5", "< 2.0", "< 2.5", "< 3.0"};
}

int BandColor(int index) {
  static constexpr std::array<int, 8> kTable{15, 5, 1, 3, 2, 14, 6, 12};
  if (index < 0 || index > 7) return 0;
  return kTable[static_cast<size_t>(index)];
}

DensityBand DensityBandOf(double ratio) {
  for (int twiceK = 6; twiceK >= 0; --twiceK) {
    const double k = twiceK / 2.0;
    if (std::exp(-k * k / 2.0) > ratio) {
      const int index = 6 - twiceK;
      return {index, BandColor(index)};
    }
  }
  if (ratio == 1.0) return {7, BandColor(7)};
  return {};
}

std::optional<double> WeightedCorrelation(const BivariatePlotInput& in) {
  double s = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (size_t i = 0; i < in.X.size() && i < in.Density.size(); ++i)
    for (size_t j = 0; j < in.Y.size() && j < in.Density[i].size(); ++j) {
      const double d = in.Density[i][j], x = in.X[i], y = in.Y[j];
      if (!std::isfinite(d)) continue;
      s += d;
      sx += d * x;
      sy += d * y;
      sxx += d * x * x;
      syy += d * y * y;
      sxy += d * x * y;
    }
  if (s == 0.0) return std::nullopt;
  const double product = (sxx - sx * sx / s) * (syy - sy * sy / s);
  if (!(product > 0.0)) return std::nullopt;
  return (sxy - sx * sy / s) / std::sqrt(product);
}

PlotFrame BivariateFrame(const BivariatePlotInput& in) {
  const auto span = [](const std::vector<double>& v) -> PlotRange {
    if (v.empty()) return {-1.0, 1.0};
    const double half = v.size() > 1 ? (v[1] - v[0]) / 2.0 : 0.5;
    PlotRange r{v.front() - half, v.back() + half};
    if (!(r.Min < r.Max)) r = {v.front() - 1.0, v.front() + 1.0};
    return r;
  };
  return {span(in.X), span(in.Y)};
}

namespace {

// The cells, the frame over them and the dashed lines at 0 and 1; true when
// any dashed line was drawn.
bool DrawCells(Surface& s, const BivariatePlotInput& in, const PlotFrame& f) {
  const double dx = in.X.size() > 1 ? (in.X[1] - in.X[0]) / 2.0 : 0.5;
  const double dy = in.Y.size() > 1 ? (in.Y[1] - in.Y[0]) / 2.0 : 0.5;
  for (size_t i = 0; i < in.X.size() && i < in.Density.size(); ++i)
    for (size_t j = 0; j < in.Y.size() && j < in.Density[i].size(); ++j) {
      const double r = in.PeakDensity != 0.0 ? in.Density[i][j] / in.PeakDensity : 0.0;
      const DensityBand band = DensityBandOf(r);
      const int color = band.Index < 0 ? 0 : band.Color;
      s.AddRectangle(f.MapX(in.X[i] - dx), f.MapY(in.Y[j] + dy), f.MapX(in.X[i] + dx),
                     f.MapY(in.Y[j] - dy), color, true);
    }
  // The frame again, over the cells.
  s.AddRectangle(PlotFrame::kAreaLeft, PlotFrame::kAreaTop, PlotFrame::kAreaRight,
                 PlotFrame::kAreaBottom, 0, false);
  bool any = false;
  for (double v : {0.0, 1.0}) {
    if (f.X.Min < v && v < f.X.Max) {
      AddClippedLine(s, f, v, f.Y.Min, v, f.Y.Max, kLineColor, LineStyle::Dashed);
      any = true;
    }
    if (f.Y.Min < v && v < f.Y.Max) {
      AddClippedLine(s, f, f.X.Min, v, f.X.Max, v, kLineColor, LineStyle::Dashed);
      any = true;
    }
  }
  return any;
}

}  // namespace

Surface DrawBivariatePicture(const BivariatePlotInput& in, bool* linesDrawn) {
  const PlotFrame f = BivariateFrame(in);
  Surface s = FramedSurface(f);
  const bool any = DrawCells(s, in, f);
  if (linesDrawn) *linesDrawn = any;
  return s;
}

Figure DrawBivariateFigure(const BivariatePlotInput& in) {
  const PlotFrame f = BivariateFrame(in);
  Figure figure = FramedFigure(f);
  DrawCells(figure.Drawing, in, f);
  figure.X.Title = ParameterValuesTitle(in.ParameterX);
  figure.Y.Title = ParameterValuesTitle(in.ParameterY);
  figure.LegendHeading = "SE's";
  for (int row = 0; row < 7; ++row) {
    std::string label = kLegendLabels[row];
    label.erase(0, label.find_first_not_of(' '));
    label.erase(label.find_last_not_of(' ') + 1);
    figure.Legend.push_back({label, BandColor(7 - row), LegendMark::Box});
  }
  return figure;
}

Surface DrawBivariateLegend() {
  // A small canvas of its own: seven bars, one text line apart.
  Surface s;
  s.SetScale(0.0, 0.0, 120.0, 7 * 20.0 + 8.0);
  s.SetBackground(15);
  for (int row = 0; row < 7; ++row) {
    const double top = 4.0 + row * 20.0;
    s.AddRectangle(4.0, top, 44.0, top + 16.0, BandColor(7 - row), true);
    s.AddRectangle(4.0, top, 44.0, top + 16.0, 0, false);
    s.AddText(52.0, top + 2.0, kLegendLabels[row], 0);
  }
  return s;
}

}  // namespace quorvane
