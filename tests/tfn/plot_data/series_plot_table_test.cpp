#include <gtest/gtest.h>

#include "tfn/plot_data/series_plot_table.h"

namespace quorvane {
namespace {

// NS response series over periods 11..20 (analysed from 12) and, when
// asked, NC covariate series from `covariateStart` to 20.
struct Fixture {
  ResponseSeriesData response;
  CovariateSeriesData covariates;
  TfnBestEvaluation best;
  BackTransformedFit back;

  Fixture(int ns, int nc, int covariateStart = 11) {
    response.StartPeriod = 11;
    response.EndPeriod = 20;
    response.FirstAnalysedPeriod = 12;
    response.SeriesCount = static_cast<std::int16_t>(ns);
    response.Names = {"Year"};
    for (int k = 1; k <= ns; ++k) response.Names.push_back("  Flow" + std::to_string(k) + " ");
    response.Raw = SeriesTable(11, 20, ns);
    response.Analysed = SeriesTable(12, 20, ns);
    back.Fit = SeriesTable(12, 20, ns);
    back.Residual = SeriesTable(12, 20, ns);
    for (int t = 12; t <= 20; ++t)
      for (int k = 1; k <= ns; ++k) {
        response.Raw.At(t, k) = 100.0 * k + t;
        response.Analysed.At(t, k) = t / 10.0 * k;  // up to 2k
        back.Fit.At(t, k) = 100.0 * k + t - 0.5;
        back.Residual.At(t, k) = 0.5;
        best.Fitted.push_back(t == 15 ? SeriesValue{} : SeriesValue{t / 10.0 * k + 0.25});
        best.Innovation.push_back(0.5);
        best.ResidualSd.push_back(2.0);
      }
    response.Raw.At(11, 1) = 99;
    covariates.StartPeriod = covariateStart;
    covariates.EndPeriod = 20;
    covariates.SeriesCount = static_cast<std::int16_t>(nc);
    covariates.Names = {"Year"};
    for (int c = 1; c <= nc; ++c) covariates.Names.push_back("Rain" + std::to_string(c));
    covariates.Raw = SeriesTable(covariateStart, 20, nc);
    covariates.Analysed = SeriesTable(covariateStart, 20, nc);
    for (int t = covariateStart; t <= 20; ++t)
      for (int c = 1; c <= nc; ++c) {
        covariates.Raw.At(t, c) = -7.5;
        covariates.Analysed.At(t, c) = 0.0;
      }
    if (nc > 0) covariates.Raw.At(20, 1) = SeriesValue{};
  }

  PlotTable Fill(bool withCovariates) {
    PlotTable table;
    FillSeriesPlotTable(table, response, withCovariates ? &covariates : nullptr, best, back);
    return table;
  }
};

TEST(SeriesPlotTableTest, OneResponseSeriesWithoutCovariatesGivesEightColumns) {
  Fixture f(1, 0);
  const PlotTable t = f.Fill(false);
  ASSERT_EQ(t.ColumnCount, 8);
  EXPECT_EQ(t.FirstRow, 11);
  EXPECT_EQ(t.LastRow, 20);
  EXPECT_EQ(t.XLabelMin, 11);
  EXPECT_EQ(t.XLabelMax, 20);
  EXPECT_EQ(t.XTitle, "Time Period in Series");
  EXPECT_EQ(t.ColumnName[1], "Response series (perhaps transformed or differenced)Flow1");
  EXPECT_EQ(t.ColumnName[5], "Innovations for response series Flow1");
  EXPECT_EQ(t.ColumnName[8], "Unmodified (untransformed or differenced) Residuals for response series Flow1");
  // M1 from the analysed and fitted values, up to 2.25: 3. M2 from the
  // observed values and fits, up to 120: 121. Residual SDs from -4..4.
  EXPECT_EQ(t.ColumnMax[1], 3);
  EXPECT_EQ(t.ColumnMin[2], -3);
  EXPECT_EQ(t.ColumnMax[4], 4);
  EXPECT_EQ(t.ColumnMin[4], -4);
  EXPECT_EQ(t.ColumnMax[6], 121);
  // Missing cells hold the marker; the observed value before the analysed
  // periods is there.
  EXPECT_TRUE(IsMissingPlotValue(t.Cell(11, 1)));
  EXPECT_EQ(t.Cell(11, 6), 99);
  EXPECT_TRUE(IsMissingPlotValue(t.Cell(15, 2)));
  EXPECT_DOUBLE_EQ(t.Cell(16, 2), 1.85);
  EXPECT_DOUBLE_EQ(t.Cell(16, 3), 0.5);   // standardized residual
  EXPECT_DOUBLE_EQ(t.Cell(16, 5), 1.0);   // innovation: 0.5 x SD 2
}

TEST(SeriesPlotTableTest, TwoResponseSeriesAndACovariateThatStartsEarlier) {
  Fixture f(2, 1, 6);
  const PlotTable t = f.Fill(true);
  ASSERT_EQ(t.ColumnCount, 18);
  EXPECT_EQ(t.FirstRow, 6);
  EXPECT_EQ(t.XLabelMin, 6);
  EXPECT_EQ(t.ColumnName[17], "Covariate series (perhaps transformed or differenced) Rain1");
  EXPECT_EQ(t.ColumnName[18], "Unmodified (untransformed or differenced) covariate series Rain1");
  EXPECT_EQ(t.ColumnName[2], "Response series (perhaps transformed or differenced)Flow2");
  // The five periods before the response start are missing in every response column.
  for (int row = 6; row <= 10; ++row)
    for (int c = 1; c <= 16; ++c) EXPECT_TRUE(IsMissingPlotValue(t.Cell(row, c))) << row << " " << c;
  EXPECT_EQ(t.Cell(6, 18), -7.5);
  EXPECT_TRUE(IsMissingPlotValue(t.Cell(20, 18)));
  // M3: analysed covariates all 0 give 0; M4: 7.5 gives 8.
  EXPECT_EQ(t.ColumnMax[17], 0);
  EXPECT_EQ(t.ColumnMax[18], 8);
  EXPECT_EQ(t.ColumnMin[18], -8);
  // M1 from series 2 too: 4.25 gives 5.
  EXPECT_EQ(t.ColumnMax[1], 5);
  EXPECT_EQ(t.ColumnMax[9], 5);  // innovations
  EXPECT_EQ(t.ColumnMax[7], 4);  // the residual SDs of both series keep -4..4
  EXPECT_EQ(t.ColumnMax[8], 4);
}

TEST(SeriesPlotTableTest, WholeBoundRisesOnlyWhenAValueExceedsIt) {
  WholeBound b;
  EXPECT_EQ(b.Value(), 0);
  b.See(0.0);
  EXPECT_EQ(b.Value(), 0);
  b.See(-2.5);
  EXPECT_EQ(b.Value(), 3);
  b.See(3.0);
  EXPECT_EQ(b.Value(), 3);
  b.See(3.0001);
  EXPECT_EQ(b.Value(), 4);
}

}  // namespace
}  // namespace quorvane

namespace quorvane {
namespace {

// Estimates of missing values on the scale of the values as read add one
// column per series, holding them alone; estimates on a transformed scale
// have no column.
TEST(SeriesPlotTableTest, EstimatedMissingValuesHaveAColumnOfTheirOwn) {
  Fixture f(2, 1);
  f.response.Raw.At(14, 2) = SeriesValue{};
  MissingValueEstimates estimates;
  estimates.BySeries.resize(3);
  estimates.BySeries[2].push_back({14, 214.5, 1.5});
  PlotTable table;
  FillSeriesPlotTable(table, f.response, &f.covariates, f.best, f.back, &estimates);
  ASSERT_EQ(table.ColumnCount, 8 * 2 + 2 + 2);
  EXPECT_EQ(table.ColumnName[20], "Estimated missing values for response series Flow2");
  EXPECT_EQ(table.Cell(14, 20), 214.5);
  EXPECT_TRUE(IsMissingPlotValue(table.Cell(15, 20)));
  EXPECT_EQ(table.ColumnMax[20], table.ColumnMax[12]);  // M2, the bound of the values as read

  estimates.Scale = EstimateScale::Transformed;
  FillSeriesPlotTable(table, f.response, &f.covariates, f.best, f.back, &estimates);
  EXPECT_EQ(table.ColumnCount, 8 * 2 + 2);
}

}  // namespace
}  // namespace quorvane
