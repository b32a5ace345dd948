#include "tfn/plot_data/series_plot_table.h"

#include <algorithm>
#include <cmath>

#include "tfn/summary/kept_series.h"

namespace quorvane {
namespace {

SeriesValue Get(const SeriesTable& table, int t, int k) {
  if (t < table.StartPeriod() || t > table.EndPeriod() || k < 1 || k > table.SeriesCount())
    return std::nullopt;
  return table.At(t, k);
}

std::string Trimmed(const std::vector<std::string>& names, int k) {
  if (k < 0 || static_cast<size_t>(k) >= names.size()) return "";
  const std::string& s = names[static_cast<size_t>(k)];
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

void WholeBound::See(double v) {
  if (std::isfinite(v) && std::fabs(v) > bound_) bound_ = std::floor(std::fabs(v)) + 1.0;
}

void FillSeriesPlotTable(PlotTable& table, const ResponseSeriesData& response,
                         const CovariateSeriesData* covariates, const TfnBestEvaluation& best,
                         const BackTransformedFit& backTransformed,
                         const MissingValueEstimates* estimates) {
  const int ns = response.SeriesCount;
  const int nc = covariates ? covariates->SeriesCount : 0;
  const SeriesTable fitted = KeptSeriesTable(response, best, KeptSeries::Fitted);
  const SeriesTable residual = KeptSeriesTable(response, best, KeptSeries::StandardizedResidual);
  const SeriesTable innovation = KeptSeriesTable(response, best, KeptSeries::PredictionError);
  const SeriesTable sd = KeptSeriesTable(response, best, KeptSeries::ResidualSd);

  int first = response.StartPeriod;
  if (covariates && covariates->StartPeriod < first) first = covariates->StartPeriod;
  const int last = response.EndPeriod;
  const bool estimated = estimates && estimates->Any() && estimates->Scale != EstimateScale::Transformed;
  table.Reset(8 * ns + 2 * nc + (estimated ? ns : 0), first, last);
  table.XTitle = "Time Period in Series";
  table.PageTitle =
      "Observed, predicted and residuals for possibly differenced, flattened and/or transformed "
      "time series data ";
  table.XLabelMin = first;
  table.XLabelMax = last;
  table.XCalendar = response.Calendar;

  WholeBound m1, m2, m3, m4;
  for (int t = response.FirstAnalysedPeriod; t <= last; ++t)
    for (int k = 1; k <= ns; ++k) {
      const SeriesValue w = Get(response.Analysed, t, k), f = Get(fitted, t, k);
      if (w && f) {
        m1.See(*w);
        m1.See(*f);
      }
      const SeriesValue o = Get(response.Raw, t, k), b = Get(backTransformed.Fit, t, k);
      if (o && b) {
        m2.See(*o);
        m2.See(*b);
      }
    }
  for (int c = 1; c <= nc; ++c)
    for (int t = covariates->StartPeriod; t <= covariates->EndPeriod; ++t) {
      if (const SeriesValue v = Get(covariates->Analysed, t, c)) m3.See(*v);
      if (const SeriesValue v = Get(covariates->Raw, t, c)) m4.See(*v);
    }

  struct Group {
    const char* prefix;
    const SeriesTable* values;
    double bound;
    bool residuals;  // centred on 0 in a saved figure
  };
  const Group groups[8] = {
      {"Response series (perhaps transformed or differenced)", &response.Analysed, m1.Value(), false},
      {"Predictions for (perhaps transformed or differenced) response series ", &fitted, m1.Value(), false},
      {"Residuals for (perhaps transformed or differenced) response series ", &residual, m1.Value(), true},
      {"Residual SDs for (perhaps transformed or differenced) response series ", &sd, 4.0, false},
      {"Innovations for response series ", &innovation, m1.Value(), true},
      {"Unmodified (untransformed or differenced) response series ", &response.Raw, m2.Value(), false},
      {"Unmodified (untransformed or differenced) Predictions for response series ",
       &backTransformed.Fit, m2.Value(), false},
      {"Unmodified (untransformed or differenced) Residuals for response series ",
       &backTransformed.Residual, m2.Value(), true},
  };
  for (int g = 0; g < 8; ++g)
    for (int k = 1; k <= ns; ++k) {
      const int column = g * ns + k;
      const auto c = static_cast<size_t>(column);
      table.ColumnName[c] = groups[g].prefix + Trimmed(response.Names, k);
      table.ColumnMin[c] = -groups[g].bound;
      table.ColumnMax[c] = groups[g].bound;
      table.ColumnCentredOnZero[c] = groups[g].residuals;
      for (int t = response.StartPeriod; t <= last; ++t)
        if (const SeriesValue v = Get(*groups[g].values, t, k)) table.Cell(t, column) = *v;
    }
  for (int c = 1; c <= nc; ++c) {
    const int analysed = 8 * ns + c, raw = 8 * ns + nc + c;
    const std::string name = Trimmed(covariates->Names, c);
    table.ColumnName[static_cast<size_t>(analysed)] = "Covariate series (perhaps transformed or differenced) " + name;
    table.ColumnMin[static_cast<size_t>(analysed)] = -m3.Value();
    table.ColumnMax[static_cast<size_t>(analysed)] = m3.Value();
    table.ColumnName[static_cast<size_t>(raw)] = "Unmodified (untransformed or differenced) covariate series " + name;
    table.ColumnMin[static_cast<size_t>(raw)] = -m4.Value();
    table.ColumnMax[static_cast<size_t>(raw)] = m4.Value();
    for (int t = first; t <= last; ++t) {
      if (const SeriesValue v = Get(covariates->Analysed, t, c)) table.Cell(t, analysed) = *v;
      if (const SeriesValue v = Get(covariates->Raw, t, c)) table.Cell(t, raw) = *v;
    }
  }
  if (!estimated) return;
  const bool asRead = estimates->Scale == EstimateScale::AsRead;
  for (int k = 1; k <= ns; ++k) {
    const auto column = static_cast<size_t>(8 * ns + 2 * nc + k);
    WholeBound bound;
    for (const MissingValueEstimate& e : estimates->BySeries[static_cast<size_t>(k)]) bound.See(e.Mean);
    const double m = std::max(asRead ? m2.Value() : m1.Value(), bound.Value());
    table.ColumnName[column] = "Estimated missing values for response series " + Trimmed(response.Names, k);
    table.ColumnMin[column] = -m;
    table.ColumnMax[column] = m;
    for (const MissingValueEstimate& e : estimates->BySeries[static_cast<size_t>(k)])
      if (e.Period >= first && e.Period <= last) table.Cell(e.Period, static_cast<int>(column)) = e.Mean;
  }
}

}  // namespace quorvane
