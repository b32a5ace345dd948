// The summary's information criteria on the footing of other software.
#include <cmath>
#include <numbers>

#include "base/format/format_picture.h"
#include "base/format/plain_number_text.h"
#include "tfn/summary/report_text.h"
#include "tfn/summary/summary_review_sections.h"

namespace quorvane {

namespace {

void Line(std::string& text, std::string_view label, const Criterion& c) {
  if (c.Value) AddLine(text, PadLabel(label) + NumberField(*c.Value, "####0.0000", 12));
  else AddLine(text, PadLabel(label) + c.Undefined);
}

}  // namespace

void WriteComparableCriteriaSection(std::string& text, const ComparableCriteria& c, int k) {
  AddLine(text, "Criteria comparable with other software (log L with its constant; sigma^2 counted in K):");
  if (c.LogLikelihood)
    AddLine(text, PadLabel("The log-likelihood, log L, is:") + NumberField(*c.LogLikelihood, "####0.0000", 12));
  else
    AddLine(text, PadLabel("The log-likelihood, log L, is:") + c.Undefined);
  AddLine(text, PadLabel("The number of parameters, K, is:") + NumberField(c.K, "####0", 12));
  Line(text, "The AIC, -2 log L + 2K, is:", c.Aic);
  Line(text, "The AICc, AIC + 2K(K+1)/(n-K-1), is:", c.Aicc);
  Line(text, "The BIC, -2 log L + K ln n, is:", c.Bic);
  if (c.LogLikelihood) {
    // The difference from the AIC above: -2 log L - 2F is the constant,
    // less twice any penalty F holds; 2K - 2k counts sigma^2 and not the
    // periods differencing uses up.
    const double n = static_cast<double>(c.N);
    const double shift = n * (1.0 + std::log(2.0 * std::numbers::pi)) + 2.0 * (c.K - k) - 2.0 * c.Penalty;
    const bool penalty = c.Penalty != 0.0;
    AddLine(text, "Note: log L = -F" + std::string(penalty ? " + penalty" : "") +
                      " - (n/2)(1 + ln 2 pi) with n = " + PlainNumberText(c.N) +
                      ", and K counts sigma^2 but not differencing: this AIC is the AIC above + " +
                      FormatPicture(shift, "0.0000") + ".");
    if (penalty)
      AddLine(text, "Note: the objective F holds a penalty of " + PlainNumberText(c.Penalty) +
                        " for values held on a limit of their region; log L leaves it out.");
    if (c.CommonVarianceLogLikelihood)
      AddLine(text, "Note: the noise series differ in length, so F weights each series' residual SS by its "
                    "FACT; with one sigma^2 for all series, log L at these estimates is " +
                        PlainNumberText(*c.CommonVarianceLogLikelihood) + ".");
  }
  AddLine(text);
}

}  // namespace quorvane
