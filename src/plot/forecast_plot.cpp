#include "plot/forecast_plot.h"

#include <algorithm>
#include <cmath>

namespace quorvane {
namespace {

constexpr double kPointRadius = 2.5;
constexpr double kLegendHeight = 28.0;  // canvas units kept free above the values
constexpr int kEndLineColor = 8;

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

PlotFrame ForecastPlotFrame(const ForecastPlotSeries& s, bool roomForLegend) {
  double lo = INFINITY, hi = -INFINITY;
  const auto take = [&](const std::vector<double>& values) {
    for (double v : values)
      if (Finite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  };
  take(s.Observed);
  take(s.Fit);
  take(s.Forecast);
  take(s.Lower);
  take(s.Upper);
  PlotFrame frame;
  frame.XCalendar = s.Calendar;
  const double firstX = s.Observed.empty() ? s.FirstForecastPeriod : s.FirstPeriod;
  const double lastX = s.Forecast.empty()
                           ? s.FirstPeriod + static_cast<double>(s.Observed.size()) - 1
                           : s.FirstForecastPeriod + static_cast<double>(s.Forecast.size()) - 1;
  frame.X = lastX > firstX ? PlotRange{firstX, lastX} : PlotRange{firstX - 1, firstX + 1};
  if (!(lo <= hi)) {
    frame.Y = {-1.0, 1.0};
    return frame;
  }
  if (lo == hi) lo -= 1, hi += 1;
  // A margin of 3% below and the legend's height above (3% without it).
  const double area = PlotFrame::kAreaBottom - PlotFrame::kAreaTop;
  const double span = hi - lo;
  if (!roomForLegend) {
    frame.Y = {lo - 0.03 * span, hi + 0.03 * span};
    return frame;
  }
  const double perUnit = (area - kLegendHeight) / (span * 1.03);
  frame.Y = {lo - 0.03 * span, hi + kLegendHeight / perUnit};
  return frame;
}

namespace {

// The band, the line at the last observed period and the four parts of the
// picture, on the frame.
void DrawParts(Surface& surface, const ForecastPlotSeries& s, const PlotFrame& f) {
  const auto clampY = [&](double y) { return std::clamp(y, f.Y.Min, f.Y.Max); };

  // The band first, so every line stays visible on it.
  for (size_t h = 0; h < s.Forecast.size(); ++h) {
    if (std::isnan(s.Lower[h]) || std::isnan(s.Upper[h])) continue;
    const double x = s.FirstForecastPeriod + static_cast<double>(h);
    const double left = std::max(x - 0.5, f.X.Min), right = std::min(x + 0.5, f.X.Max);
    surface.AddRectangle(f.MapX(left), f.MapY(clampY(s.Upper[h])), f.MapX(right),
                         f.MapY(clampY(s.Lower[h])), kBandColor, true);
  }
  if (!s.Forecast.empty()) {
    const double end = s.FirstForecastPeriod - 1.0;
    if (end >= f.X.Min)
      AddClippedLine(surface, f, end, f.Y.Min, end, f.Y.Max, kEndLineColor, LineStyle::Dotted);
  }

  // A polyline through the finite values, broken where one is missing.
  const auto lines = [&](int first, const std::vector<double>& values, int color, LineStyle style) {
    std::vector<SurfacePoint> run;
    const auto flush = [&] {
      if (run.size() >= 2) surface.AddPolyline(run, color, style);
      run.clear();
    };
    for (size_t i = 0; i < values.size(); ++i) {
      if (!Finite(values[i])) {
        flush();
        continue;
      }
      run.push_back({f.MapX(first + static_cast<double>(i)), f.MapY(values[i])});
    }
    flush();
  };
  const auto limitLine = [&](const std::vector<double>& values) {
    std::vector<double> clamped;
    for (double v : values) clamped.push_back(std::isnan(v) ? v : clampY(v));
    lines(s.FirstForecastPeriod, clamped, kForecastColor, LineStyle::Dashed);
  };
  limitLine(s.Lower);
  limitLine(s.Upper);

  lines(s.FirstPeriod, s.Observed, kObservedColor, LineStyle::Solid);
  for (size_t i = 0; i < s.Observed.size(); ++i)
    if (Finite(s.Observed[i]))
      surface.AddCircle(f.MapX(s.FirstPeriod + static_cast<double>(i)), f.MapY(s.Observed[i]),
                        kPointRadius, kObservedColor, true);
  lines(s.FirstPeriod, s.Fit, kFitColor, LineStyle::Solid);

  // The forecasts, joined to the last observed value when it is present.
  std::vector<double> ahead = s.Forecast;
  int aheadFirst = s.FirstForecastPeriod;
  if (!s.Observed.empty() && Finite(s.Observed.back()) &&
      s.FirstPeriod + static_cast<int>(s.Observed.size()) == s.FirstForecastPeriod) {
    ahead.insert(ahead.begin(), s.Observed.back());
    --aheadFirst;
  }
  lines(aheadFirst, ahead, kForecastColor, LineStyle::Solid);
  for (size_t h = 0; h < s.Forecast.size(); ++h)
    if (Finite(s.Forecast[h]))
      surface.AddCircle(f.MapX(s.FirstForecastPeriod + static_cast<double>(h)), f.MapY(s.Forecast[h]),
                        kPointRadius, kForecastColor, true);
}

}  // namespace

Surface DrawForecastPicture(const ForecastPlotSeries& s) {
  const PlotFrame f = ForecastPlotFrame(s);
  Surface surface = FramedSurface(f);
  DrawParts(surface, s, f);

  // The legend along the top of the plot area: a sample of each part and its name.
  struct Entry {
    const char* text;
    int color;
    bool band;
  };
  // Short names with wide gaps: a text keeps its pixel size when the
  // surface is drawn smaller than the canvas, so it needs the room.
  const Entry entries[] = {{"Observed", kObservedColor, false},
                           {"Fit", kFitColor, false},
                           {"Forecast", kForecastColor, false},
                           {"95% limits", kBandColor, true}};
  double x = PlotFrame::kAreaLeft + 12.0;
  const double y = PlotFrame::kAreaTop + 8.0;
  for (const Entry& e : entries) {
    if (e.band) surface.AddRectangle(x, y + 1.0, x + 20.0, y + 11.0, e.color, true);
    else surface.AddLine(x, y + 6.0, x + 20.0, y + 6.0, e.color);
    surface.AddText(x + 26.0, y, e.text, 0);
    x += 26.0 + 1.5 * PlotFrame::kTextWidth * static_cast<double>(std::char_traits<char>::length(e.text)) + 40.0;
  }
  return surface;
}

Figure DrawForecastFigure(const ForecastPlotSeries& s) {
  const PlotFrame f = ForecastPlotFrame(s, false);
  Figure figure = FramedFigure(f);
  DrawParts(figure.Drawing, s, f);
  figure.Legend = {{"Observed", kObservedColor, LegendMark::LineAndPoints},
                   {"Fit", kFitColor, LegendMark::Line},
                   {"Forecast", kForecastColor, LegendMark::LineAndPoints},
                   {"95% limits", kBandColor, LegendMark::Box}};
  return figure;
}

}  // namespace quorvane
