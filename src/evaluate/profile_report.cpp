#include "evaluate/profile_report.h"

#include <cstddef>

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane {

namespace {

std::string Number(double value) { return ReportNumber(value); }

}  // namespace

std::string ReportNumber(double value) {
  return RightJustify(FormatPicture(value, "0.0000E+000   "), 15);
}

std::string DistributionSummaryLines(const EvaluationSeries& series) {
  return "\r\nMax Likelihood: " + Number(series.BestValue) + "\r\n" +
         "Expected Value: " + Number(series.ExpectedValue) + "\r\n" +
         "Estimated Diff: " + Number(series.EstimatedDiff) + "\r\n" +
         "Percent Diff:   " + PercentDiffText(series) + "\r\n" +
         "Estimated SE:   " + Number(series.EstimatedSE) + "\r\n";
}

std::string PercentDiffText(const EvaluationSeries& series) {
  if (series.ExpectedValue == 0.0) return RightJustify(std::string_view("Undefined   "), 15);
  return Number(series.EstimatedDiff * 100.0 / series.ExpectedValue);
}

std::string WriteProfileReport(const EvaluationSeries& series, const std::string& heading) {
  std::string text = heading + "\r\n\r\n" +
                     "  Point       Value         -ln[L]           PDF        CI on mode     CI on "
                     "mean     Normal PDF\r\n";
  const int n = series.ProfilePointCount;
  for (int p = 1; p <= n; ++p) {
    const auto k = static_cast<std::size_t>(p);
    text += RightJustify(FormatPicture(p, "##0"), 5) + "    " + Number(series.ProfileValues[k]) +
            Number(series.ProfileObjective[k]) + Number(series.ProfilePdf[k]) +
            Number(series.ModeRegion[k]) + Number(series.MeanRegion[k]) +
            Number(series.NormalPdf[k]) + "\r\n";
  }
  return text + DistributionSummaryLines(series);
}

}  // namespace quorvane
