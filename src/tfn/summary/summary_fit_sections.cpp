// The summary's residual diagnostics, fit statistics and information criteria.
#include <cmath>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "tfn/summary/information_criteria.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_notes.h"
#include "tfn/summary/summary_sections.h"
#include "tfn/tfn_model.h"

namespace quorvane {

namespace {

// Said after a diagnostic that produced no result for this fit.
constexpr std::string_view kHeldNote = "  (no result for this fit; the values last computed are shown)";

std::string PText(const PValue& p) {
  return RightJustify(p.BelowLimit ? std::string(kPValueBelowLimitText) : FormatPicture(p.Value, "0.0000"), 7);
}

std::string Diagnostic(std::string_view label, double value, double t, const PValue& p) {
  return std::string(label) + NumberField(value, "#0.0000", 8) + ", " + NumberField(t, "#0.0000", 8) +
         ", " + PText(p);
}

std::string Bisections(const VarianceTrendResult& v) {
  return " (Bisections required: " + PlainNumberText(v.Bisections) + ")";
}

std::string Held(bool fresh) { return fresh ? "" : std::string(kHeldNote); }

// A fit statistic: its label, then the value in 12 characters.
void Statistic(std::string& text, std::string_view label, double value,
               std::string_view picture = "####0.0000") {
  AddLine(text, PadLabel(label) + NumberField(value, picture, 12));
}

void OptionalStatistic(std::string& text, std::string_view label, const std::optional<double>& value,
                       std::string_view undefined) {
  if (value) Statistic(text, label, *value);
  else AddLine(text, PadLabel(label) + std::string(undefined));
}

void WriteCriteria(std::string& text, const InformationCriteria& criteria) {
  const auto line = [&text](std::string_view label, const Criterion& c) {
    if (c.Value) Statistic(text, label, *c.Value);
    else AddLine(text, PadLabel(label) + c.Undefined);
  };
  line(kAicLabel, criteria.Aic);
  line(kAiccLabel, criteria.Aicc);
  line(kBicLabel, criteria.Bic);
}

}  // namespace

void WriteDiagnosticsSection(std::string& text, const HeldDiagnostics& held, const DiagnosticsRun& run) {
  AddLine(text, "The model fit diagnostics follow:");
  AddLine(text, Diagnostic("The value, T-stat and p[g1<>0] of the residual (a-hat) skewness, g1, are:             ",
                           held.Skewness.G1, held.Skewness.Z, held.Skewness.P) +
                    Held(run.Skewness));
  AddLine(text, Diagnostic("The value, T-stat and p[g2<>0] of the residual (a-hat) kurtosis, g2, are:             ",
                           held.Kurtosis.G2, held.Kurtosis.T, held.Kurtosis.P) +
                    Held(run.Kurtosis));
  AddLine(text, Diagnostic("The value, T-stat and p[v1<>0] of the residual (a-hat) variance level trend, v1, are: ",
                           held.Level.V, held.Level.T, held.Level.P) +
                    Bisections(held.Level) + Held(run.Level));
  AddLine(text, Diagnostic("The value, T-stat and p[v2<>0] of the residual (a-hat) variance time trend, v2, are:  ",
                           held.Time.V, held.Time.T, held.Time.P) +
                    Bisections(held.Time) + Held(run.Time));
  AddLine(text);
}

void WriteFitSections(std::string& text, const SummaryInput& input, const FitStatistics& fit) {
  const FitCounts& n = fit.Counts;
  AddLine(text, "The objective function is Melard's exact -ln[likelihood]");
  // At a penalty value the model computed no likelihood: its sums of
  // squares overflowed or no series gave one.
  if (!(fit.Objective < TfnModel::kFailurePenalty))
    AddLine(text, "Note: the objective is the model's penalty: it could compute no likelihood at these "
                  "parameter values, so the diagnostics above and the statistics and criteria below "
                  "are not defined.");
  Statistic(text, "The objective function minimum is:", fit.Objective);
  Statistic(text, "The Total SS is:", fit.TotalSs);
  Statistic(text, "The Model SS is:", fit.ModelSs);
  Statistic(text, "The Residual (a-hat/h-hat)  SS is:", fit.ResidualSs);
  AddLine(text, PadLabel("The Modified Residual (a-hat/h-hat) SS is:") +
                    NumberField(fit.ModifiedResidualSs, "####0.0000", 12) + " as " +
                    NumberField(fit.ResidualSs, "###0.0000", 9) + "  x" +
                    NumberField(fit.PooledFact, "#0.0000", 8));
  Statistic(text, "The mean Model SS is:", fit.MeanModelSs);
  const auto squared = [](const std::optional<double>& s) {
    return s ? std::optional<double>(*s * *s) : std::nullopt;
  };
  OptionalStatistic(text, "The -ln[L] estimate for Sigma is:", fit.SigmaMl, kTooFewData);
  OptionalStatistic(text, "The -ln[L] estimate for Sigma^2 is:", squared(fit.SigmaMl), kTooFewData);
  OptionalStatistic(text, "The unbiased estimate for Sigma is:", fit.SigmaUnbiased, kTooFewDegreesOfFreedom);
  OptionalStatistic(text, "The unbiased estimate for Sigma^2 is:", squared(fit.SigmaUnbiased),
                    kTooFewDegreesOfFreedom);
  Statistic(text, "The r^2 of the model is:", fit.RSquared, "##0.0000");
  Statistic(text, "The number of free parameters is:", n.K, "####0");
  Statistic(text, "The model degrees of freedom are:", static_cast<double>(n.DfModel), "####0");
  Statistic(text, "The residual degrees of freedom are:", static_cast<double>(n.DfResidual), "####0");
  Statistic(text, "The total degrees of freedom are:", static_cast<double>(n.DfTotal), "####0");
  if (fit.FStatistic)
    AddLine(text, "The F(" + NumberField(static_cast<double>(n.DfModel), "#0", 2) + "," +
                      NumberField(static_cast<double>(n.DfResidual), "####0", 5) +
                      ") statistic is:              " + NumberField(*fit.FStatistic, "####0.0000", 12));
  Statistic(text, "The -2ln[L] of the model fit is:", 2.0 * fit.Objective);
  AddLine(text);

  for (std::string_view line : CriteriaNotes()) AddLine(text, line);
  WriteCriteria(text, ComputeInformationCriteria(fit.Objective, n.N, n.K, n.C));
  AddLine(text);

  // The periods that regular and seasonal differencing use up.
  const int d = input.Response.Differencing + input.Response.SeasonalDifferencingLag;
  if (d < 1) return;
  const InformationCriteria corrected =
      ComputeCorrectedCriteria(fit.Objective, n.N, n.K, n.C, d, input.Response.SeriesCount);
  std::string intro(kTextbookCorrectionIntro);
  // Seasonal differencing uses up s more periods of every series.
  if (input.Response.SeasonalDifferencingLag > 0)
    intro.replace(intro.find("N = n + d x NS"), 14, "N = n + (d + s) x NS");
  AddLine(text, intro);
  WriteCriteria(text, corrected);
  AddLine(text);
  AddLine(text, kStudyCorrectionIntro);
  WriteCriteria(text, corrected);
  AddLine(text);
}

}  // namespace quorvane
