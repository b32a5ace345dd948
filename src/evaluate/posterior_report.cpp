#include "evaluate/posterior_report.h"

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "evaluate/evaluation_series.h"

namespace quorvane {

namespace {

std::string Number(double value) { return RightJustify(FormatPicture(value, "0.0000E+000   "), 15); }

}  // namespace

std::string PosteriorReportText(const EvaluationSeries& s) {
  std::string text = "Bayesian posterior distribution data\r\n\r\n";
  text += "  Point       Value         -ln[L]           PDF        CI on mode     CI on mean     Normal PDF\r\n";
  for (int p = 1; p <= s.ProfilePointCount; ++p) {
    text += RightJustify(FormatPicture(p, "##0"), 5) + "    ";
    for (const auto* column : {&s.ProfileValues, &s.ProfileObjective, &s.ProfilePdf, &s.ModeRegion,
                               &s.MeanRegion, &s.NormalPdf})
      text += Number((*column)[p]);
    text += "\r\n";
  }
  text += "\r\nMax Likelihood: " + Number(s.BestValue) + "\r\n";
  text += "Expected Value: " + Number(s.ExpectedValue) + "\r\n";
  text += "Estimated Diff: " + Number(s.EstimatedDiff) + "\r\n";
  text += "Percent Diff:   " +
          (s.ExpectedValue == 0.0 ? std::string("Undefined") : Number(s.EstimatedDiff * 100 / s.ExpectedValue)) +
          "\r\n";
  text += "Estimated SE:   " + Number(s.EstimatedSE) + "\r\n";
  return text;
}

}  // namespace quorvane
