#include "priors/prior_review.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "app/session.h"
#include "base/format/format_picture.h"
#include "base/format/right_justify.h"
#include "priors/prior_report_windows.h"

namespace quorvane {

namespace {

constexpr const char* kExplanation =
    "Note: Here is a chance to review the likelihood of your current parameter estimates relative to \r\n"
    "your Bayesian prior distributions.\r\n"
    "\r\n"
    "A -ln[likelihood] value of zero applies when your maximum-likelihood estimate for a parameter \r\n"
    "occurs at the most likely value of your chosen prior distribution for that parameter.  If the \r\n"
    "values shown here are quite large (i.e., parameter estimates are much less likely than the most \r\n"
    "likely prior value), then you might wish to reconsider your prior assumptions.  You should also \r\n"
    "check, and be suspicious of, estimates lying against a left or right boundary of a \r\n"
    "steep cliff distribution or the uniform-bounded distribution.\r\n"
    "\r\n"
    "You should also formally evaluate the overlap of the prior probability distribution \r\n"
    "of each parameter with the posterior distribution for that parameter, e.g., the (perhaps) \r\n"
    "Gaussian confidence region from a covariance analysis.  This overlap is a measure of the \r\n"
    "probability that the parameter estimate can reasonably be associated with both distributions. \r\n"
    "Depending on sample size, and if the distributions are nearly Gaussian, then you can try a \r\n"
    "t-test or a z-test using the moments of the distributions.  If the distributions do not \r\n"
    "significantly overlap, then you might want to reconsider your prior distribution.  Cumulative \r\n"
    "and attenuated probability plots for prior distributions can be saved in *.pdp files.\r\n"
    "\r\n";

// "-ln[L] t and its likelihood exp(-t)", as the rows and the total end.
std::string TermAndLikelihood(double t) {
  return RightJustify(FormatPicture(t, "##0.00"), 8) +
         " and a prior likelihood of " + RightJustify(FormatPicture(std::exp(-t), "0.000000"), 8) +
         "\r\n";
}

}  // namespace

std::string PriorReviewText(const PriorTable& table, const OneBased<double>& values,
                            double objectiveScale) {
  std::string text = kExplanation;
  double total = 0.0;
  const int n = std::min(static_cast<int>(table.Rows.size()), values.size());
  for (int i = 1; i <= n; ++i) {
    const auto k = static_cast<std::size_t>(i - 1);
    if (table.Rows[k].Letter() == 'U') continue;
    const double term = k < table.Terms.size() ? table.Terms[k] : 0.0;
    const double t = objectiveScale * term;
    text += "Parameter " + RightJustify(FormatPicture(i, "##0"), 3) + " at " +
            RightJustify(FormatPicture(values[i], "0.000E+00"), 10) + " has a prior -ln[L] of " + TermAndLikelihood(t);
    total += t;
  }
  text += "\r\n           The entire model has a prior -ln[L] of " + TermAndLikelihood(total);
  return text;
}

void ReviewPriors(Session& session, PriorReportWindows& windows) {
  windows.ShowReview(
      PriorReviewText(session.Priors, session.Algorithm.Values, session.State.ObjectiveScale));
}

}  // namespace quorvane
