// Saved figures: the time to draw and encode the figure of a plot window in
// each format, for the Nile fit (100 years, points and a line) and a 25 x 25
// bivariate grid. PNG at two sizes shows how the pixels' count weighs.
#include <benchmark/benchmark.h>

#include <cmath>

#include "figure/save_figure.h"
#include "plot/bivariate_plot.h"
#include "plot/xy_plot_picture.h"

namespace quorvane {
namespace {

Figure NileLikeFigure() {
  XYPlotPicture picture;
  XYPlotSeries observed, fit;
  for (int t = 1871; t <= 1970; ++t) {
    const double level = t < 1899 ? 1100.0 : 850.0;
    observed.X.push_back(t);
    observed.Y.push_back(level + 150.0 * std::sin(t * 1.7));
    fit.X.push_back(t);
    fit.Y.push_back(level + 20.0 * std::sin(t * 0.9));
  }
  observed.Style.Points = observed.Style.Lines = true;
  observed.Color = 1;
  observed.Name = "Response series (perhaps transformed or differenced)Flow";
  fit.Style.Lines = true;
  fit.Color = 2;
  fit.Name = "Predictions for (perhaps transformed or differenced) response series Flow";
  picture.Plots = {observed, fit};
  picture.XName = "Time Period in Series";
  return DrawXYPlotFigure(picture, "Observed, predicted and residuals");
}

Figure BivariateFigure() {
  BivariatePlotInput in;
  for (int i = 0; i < 25; ++i) {
    in.X.push_back(-0.2 + 0.03 * i);
    in.Y.push_back(1050.0 + 5.0 * i);
  }
  in.Density.assign(25, std::vector<double>(25));
  for (int i = 0; i < 25; ++i)
    for (int j = 0; j < 25; ++j)
      in.Density[static_cast<size_t>(i)][static_cast<size_t>(j)] =
          std::exp(-((i - 12) * (i - 12) + (j - 12) * (j - 12)) / 40.0);
  in.PeakDensity = 1.0;
  in.ParameterX = 1;
  in.ParameterY = 3;
  return DrawBivariateFigure(in);
}

void Render(benchmark::State& state, const Figure& figure, figure::FigureFormat format,
            FigureOptions options) {
  size_t bytes = 0;
  for (auto _ : state) bytes = figure::RenderFigure(figure, format, options).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_NileFitPng(benchmark::State& state) {
  Render(state, NileLikeFigure(), figure::FigureFormat::Png, {});
}
void BM_NileFitPngTwiceTheSize(benchmark::State& state) {
  Render(state, NileLikeFigure(), figure::FigureFormat::Png, {3200, 2000, 600});
}
void BM_NileFitSvg(benchmark::State& state) {
  Render(state, NileLikeFigure(), figure::FigureFormat::Svg, {});
}
void BM_NileFitPdf(benchmark::State& state) {
  Render(state, NileLikeFigure(), figure::FigureFormat::Pdf, {});
}
void BM_BivariatePdf(benchmark::State& state) {
  Render(state, BivariateFigure(), figure::FigureFormat::Pdf, {});
}
BENCHMARK(BM_NileFitPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NileFitPngTwiceTheSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NileFitSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NileFitPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BivariatePdf)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane
