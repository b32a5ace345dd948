// The summary's data tables.
#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "tfn/summary/data_table.h"
#include "tfn/summary/kept_series.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_sections.h"

namespace quorvane {

namespace {

void Table(std::string& text, std::string_view title, const DataTable& table,
           const PeriodCalendar& calendar) {
  WriteDataTable(text, title, table, calendar);
  AddLine(text);
}

// The smoothed missing values with their standard errors, one line each.
void WriteEstimatesTable(std::string& text, const SummaryInput& input) {
  const MissingValueEstimates& estimates = input.Estimates;
  if (!estimates.Any()) return;
  const ResponseSeriesData& r = input.Response;
  const char* scale = estimates.Scale == EstimateScale::AsRead       ? "the values as read"
                      : estimates.Scale == EstimateScale::Transformed ? "the transformed values as read"
                                                                       : "the analysed values";
  AddLine(text, std::string("Estimates of the missing response values (marked * above), on the scale of ") + scale +
                    ": the expected value given all the values present, then its standard error:");
  AddLine(text, "Time,Series,Estimate,SE");
  for (size_t k = 1; k < estimates.BySeries.size(); ++k)
    for (const MissingValueEstimate& e : estimates.BySeries[k])
      AddLine(text, RightJustify(r.Calendar.IsDated() ? r.Calendar.Label(e.Period) : FormatPicture(e.Period, "###0"), 7) + "," +
                        (k < r.Names.size() ? r.Names[k] : PlainNumberText(static_cast<double>(k))) + "," +
                        NumberField(e.Mean, "##0.0000", kDataTableValueWidth) + "," +
                        NumberField(e.StandardError, "##0.0000", kDataTableValueWidth));
  AddLine(text);
}

}  // namespace

void WriteDataTables(std::string& text, const SummaryInput& input, const BackTransformedFit& back) {
  const ResponseSeriesData& r = input.Response;
  const int first = r.FirstAnalysedPeriod;
  const int last = r.EndPeriod;

  DataTable means{first, last, {}, {}, {}};
  means.AddColumn("Response", PeriodColumn(r.PeriodMeanRaw, first, last));
  means.AddColumn("First", PeriodColumn(r.PeriodMeanFirst, first, last));
  means.AddColumn("Second", PeriodColumn(r.PeriodMeanSecond, first, last));
  Table(text,
        "The time period, then mean over all " + PlainNumberText(r.SeriesCount) +
            " untransformed response series, then the 1st and 2nd differenced series means:",
        means, r.Calendar);

  // The data as read, differenced and analysed: from the first period read.
  // The smoothed missing values stand in the table of their scale, marked:
  // the values as read, or the analysed values (which are the values as
  // read too when nothing differences, flattens or transforms them).
  const MissingValueEstimates& estimates = input.Estimates;
  const bool analysedAsRead = r.Differencing == 0 && r.SeasonalDifferencingLag == 0 &&
                              !input.Setup.FlatteningOn() &&
                              input.Setup.Response.Transformation == SeriesTransformation::None;
  const bool asAnalysed = estimates.Scale == EstimateScale::Analysed ||
                          (estimates.Scale == EstimateScale::AsRead && analysedAsRead);
  const auto data = [&](std::string_view title, const SeriesTable& table, bool withEstimates) {
    DataTable columns = SeriesColumns(table, r.Names, r.StartPeriod, last);
    if (withEstimates)
      for (size_t k = 1; k < estimates.BySeries.size(); ++k)
        for (const MissingValueEstimate& e : estimates.BySeries[k]) columns.SetEstimate(k - 1, e.Period, e.Mean);
    Table(text, title, columns, r.Calendar);
  };
  data("Observed (i.e., undifferenced, unflattened, untransformed) response series data:", r.Raw,
       estimates.Scale == EstimateScale::AsRead);
  data("The 1st differenced and possibly flattened response series data:", r.FirstDifference, false);
  data("The 2nd differenced and possibly flattened response series data:", r.SecondDifference, false);
  data("The possibly differenced, flattened and/or transformed response series data:", r.Analysed, asAnalysed);
  WriteEstimatesTable(text, input);

  // What the fit kept: over the analysed periods.
  const auto kept = [&](std::string_view title, const SeriesTable& table) {
    Table(text, title, SeriesColumns(table, r.Names, first, last), r.Calendar);
  };
  const TfnBestEvaluation& best = input.Best;
  kept("Predicted fits to the possibly differenced, flattened and/or transformed response series data:",
       KeptSeriesTable(r, best, KeptSeries::Fitted));
  kept("Residuals (Melard's a-hat/h-hat) for the possibly differenced, flattened and/or transformed "
       "response series data:",
       KeptSeriesTable(r, best, KeptSeries::StandardizedResidual));
  // The innovations are the one-step prediction errors in the units of the
  // analysed series: Melard's standardized a-hat times the residual SD.
  kept("Innovations (one-step prediction errors: Melard's a-hat times the residual SD) for the "
       "possibly differenced, flattened and/or transformed response series data:",
       KeptSeriesTable(r, best, KeptSeries::PredictionError));
  kept("Predicted fit to the response (i.e., undifferenced, unflattened, untransformed) series data:",
       back.Fit);
  kept("Residual SDs of the predicted fit to the possibly differenced, flattened and/or transformed "
       "response series data:",
       KeptSeriesTable(r, best, KeptSeries::ResidualSd));

  const CovariateSeriesData* cov = input.Covariates;
  if (!cov) return;
  for (int c = 1; c <= cov->SeriesCount; ++c) {
    const auto column = [&](const SeriesTable& table) {
      std::vector<SeriesValue> values;
      for (int t = cov->StartPeriod; t <= cov->EndPeriod; ++t) values.push_back(table.At(t, c));
      return values;
    };
    DataTable table{cov->StartPeriod, cov->EndPeriod, {}, {}, {}};
    table.AddColumn("Covariate", column(cov->Raw));
    table.AddColumn("First", column(cov->FirstDifference));
    table.AddColumn("Second", column(cov->SecondDifference));
    table.AddColumn("T'formed", column(cov->Analysed));
    const std::string name = static_cast<size_t>(c) < cov->Names.size() ? cov->Names[static_cast<size_t>(c)] : "";
    Table(text,
          "The time period, the untransformed and undifferenced covariate series " + PlainNumberText(c) +
              " (" + name + ") the 1st and 2nd differenced series, then the possibly transformed series:",
          table, cov->Calendar);
  }
}

}  // namespace quorvane
