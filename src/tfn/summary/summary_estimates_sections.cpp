// The summary's parameter estimates and the length of the series.
#include <cmath>

#include "base/format/plain_number_text.h"
#include "base/format/right_justify.h"
#include "tfn/parameter_layout.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_sections.h"

namespace quorvane {

namespace {

std::string N(long long value) { return PlainNumberText(value); }

// Writes parameters first..last, each as five blanks, its kept value, four
// blanks and its description. With the logit flag, the Phi, Theta and
// Delta parameters are shown as the coefficients their logits stand for;
// for dated series the start periods of interventions are shown as dates.
class ParameterLines {
 public:
  explicit ParameterLines(const SummaryInput& input)
      : input_(input), shape_(BuildModelShape(input.Setup)), layout_(shape_) {
    const int p = input.Setup.LagOrder;
    period_.assign(static_cast<size_t>(layout_.Count() + 1), false);
    if (input.Response.Calendar.IsDated())
      for (int b = 1; b <= input.Setup.InterventionTotal(); ++b)
        period_[static_cast<size_t>(layout_.InterventionBase(b) + 1)] = true;
    coefficient_.assign(static_cast<size_t>(layout_.Count() + 1), false);
    if (!input.Setup.EstimateLogits) return;
    for (size_t i = 0; i < shape_.Noise.size(); ++i)
      for (int j = 1; j <= shape_.Noise[i].Order; ++j)
        coefficient_[static_cast<size_t>(layout_.Coefficient(i, j))] = true;
    for (size_t b = 0; b < shape_.Transfers.size(); ++b)
      for (int j = 1; j <= p; ++j)
        coefficient_[static_cast<size_t>(layout_.BlockDelta(layout_.TransferBase(b), j))] = true;
  }

  void Write(std::string& text, int first, int last) const {
    const auto& values = input_.Best.Parameters;
    const auto& descriptions = input_.Algorithm.Descriptions;
    for (int i = first; i <= last; ++i) {
      double value = static_cast<size_t>(i) <= values.size() ? values[static_cast<size_t>(i - 1)] : 0.0;
      // 2 (e^x / (e^x + 1) - 0.5) = tanh(x / 2), which cannot overflow.
      if (coefficient_[static_cast<size_t>(i)]) value = std::tanh(value / 2.0);
      const std::string description = i <= descriptions.size() ? descriptions[i] : "";
      const std::string shown =
          period_[static_cast<size_t>(i)]
              ? RightJustify(input_.Response.Calendar.Label(static_cast<std::int64_t>(std::floor(value + 1e-6))), 10)
              : NumberField(value, "###0.0000", 10);
      AddLine(text, "     " + shown + "    " + description);
    }
  }

  const ModelShape& Shape() const { return shape_; }
  const ParameterLayout& Layout() const { return layout_; }

 private:
  const SummaryInput& input_;
  ModelShape shape_;
  ParameterLayout layout_;
  std::vector<bool> coefficient_;
  std::vector<bool> period_;  // a start period, shown as its date
};

}  // namespace

void WriteEstimatesSections(std::string& text, const SummaryInput& input, const FitStatistics& fit) {
  const TfnSetup& setup = input.Setup;
  const ResponseSeriesData& r = input.Response;
  const int p = setup.LagOrder;
  AddLine(text, "Parameter estimates:");
  AddLine(text);
  for (int g = 1; g <= setup.GroupCount; ++g) {
    const auto i = static_cast<size_t>(g);
    const double intercept = i < input.Best.Intercepts.size() ? input.Best.Intercepts[i] : 0.0;
    const double mean = i < fit.GroupMean.size() ? fit.GroupMean[i] : 0.0;
    AddLine(text, "The intercept, then mean, of response series group " + N(g) + " is:  " +
                      NumberField(intercept, "###0.0000", 10) + ";" + NumberField(mean, "###0.0000", 10));
  }

  const ParameterLines lines(input);
  const ParameterLayout& layout = lines.Layout();
  const bool seasonal = r.SeasonalDifferencingLag > 0;
  if (r.Differencing == 1)
    AddLine(text, std::string("Phi and Theta parameters for the response 1st ") +
                      (seasonal ? "and seasonally " : "") + "differenced series:");
  else if (r.Differencing == 2)
    AddLine(text, std::string("Phi and Theta parameters for the response 2nd ") +
                      (seasonal ? "and seasonally " : "") + "differenced series:");
  else if (seasonal)
    AddLine(text, "Phi and Theta parameters for the response seasonally differenced series:");
  else
    AddLine(text, "Phi and Theta parameters for the response non-differenced series:");
  lines.Write(text, layout.Phi(1), layout.Theta(p));
  // The seasonal factors, wherever the layout holds them.
  const ModelShape& shape = lines.Shape();
  for (size_t i = 0; i < shape.Noise.size(); ++i)
    if (shape.Noise[i].Appended && shape.Noise[i].Order > 0)
      lines.Write(text, layout.Coefficient(i, 1), layout.Coefficient(i, shape.Noise[i].Order));

  const int firstBlock = layout.Intercept(setup.GroupCount) + 1;
  const int covariatesStart = layout.CovariateBase(1) + 1;
  AddLine(text, "The following time periods, intervention types, Omegas or Deltas refer to any "
                "interventions...");
  lines.Write(text, firstBlock, covariatesStart - 1);
  AddLine(text, "The following backward shifts, Omegas or Deltas refer to transfer function parameters "
                "associated with any covariate series...");
  lines.Write(text, covariatesStart, layout.OriginalCount());
  // The further covariate series of a group, wherever the layout holds them.
  for (size_t b = 0; b < shape.Transfers.size(); ++b)
    if (shape.Transfers[b].Appended)
      lines.Write(text, layout.TransferBase(b) + 1, layout.BlockDelta(layout.TransferBase(b), shape.LagOrder));
  if (const CovariateSeriesData* cov = input.Covariates)
    for (int c = 1; c <= cov->SeriesCount; ++c)
      AddLine(text, "The untransformed mean of covariate series " + N(c) + " is:   " +
                        NumberField(cov->RawMean[static_cast<size_t>(c)], "###0.0000", 10));
  AddLine(text);

  AddLine(text, "A complete series has " + N(r.AnalysedPeriods) + " time periods of data starting in " +
                    r.Calendar.Label(r.FirstAnalysedPeriod));
  for (int k = 1; k <= r.SeriesCount; ++k) {
    const int missing = r.MissingPerSeries[static_cast<size_t>(k)];
    if (missing > 0)
      AddLine(text, "   but series # " + N(k) + " is missing values for " + N(missing) + " time periods.");
  }
  AddLine(text);
}

}  // namespace quorvane
