#include "tfn/parameter_layout.h"

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane {

ParameterLayout::ParameterLayout(const TfnSetup& setup)
    : p_(setup.LagOrder),
      groups_(setup.GroupCount),
      interventions_(setup.InterventionTotal()),
      count_(ParameterCount(setup)) {}

int ParameterCount(const TfnSetup& setup) {
  const int p = setup.LagOrder;
  return 2 * p + setup.GroupCount + (2 * p + 3) * (setup.InterventionTotal() + setup.CovariateCount());
}

namespace {

// A lag right-justified in two characters: " 1", "12".
std::string Lag(int j) { return RightJustify(FormatPicture(static_cast<double>(j), "#0"), 2); }

// A description that reads "Logit[...]" when the coefficient is estimated as a logit.
std::string MaybeLogit(bool logit, const std::string& text) {
  return logit ? "Logit[" + text + "]" : text;
}

}  // namespace

std::vector<std::string> DescribeParameters(const TfnSetup& setup) {
  const int p = setup.LagOrder;
  const bool logit = setup.EstimateLogits;
  std::vector<std::string> d;
  d.reserve(static_cast<size_t>(ParameterCount(setup)));
  for (int j = 1; j <= p; ++j) d.push_back(MaybeLogit(logit, "Phi(" + Lag(j) + ") [0; -1 < Phi < +1]"));
  for (int j = 1; j <= p; ++j)
    d.push_back(MaybeLogit(logit, "Theta(" + Lag(j) + ") [0; -1 < Theta < +1]"));
  for (int g = 1; g <= setup.GroupCount; ++g)
    d.push_back("Intercept (at first time period) for group " + std::to_string(g) +
                " [0; any real number]");
  for (int g = 1; g <= setup.GroupCount; ++g) {
    const std::string group = " of Group " + std::to_string(g);
    for (int i = 1; i <= setup.Interventions[static_cast<size_t>(g - 1)]; ++i) {
      const std::string which = std::to_string(i) + group;
      d.push_back("Starting time period for Intervention " + which +
                  " [0; any + integer] (Step size MUST=0)");
      d.push_back("Code for Intervention " + which +
                  " [None=0; Step=1, Pulse=2, Linear trend=3] (Step size MUST=0)");
      for (int j = 0; j <= p; ++j)
        d.push_back("Omega(" + Lag(j) + ") for Intervention " + which + " [0; any real number]");
      for (int j = 1; j <= p; ++j)
        d.push_back(MaybeLogit(logit, "Delta(" + Lag(j) + ") for Intervention " + which +
                                          " [0; -1 < Delta < +1]"));
    }
  }
  for (int c = 1; c <= setup.CovariateCount(); ++c) {
    const std::string series = "TFN covariate series " + std::to_string(c);
    const bool intervention =
        c <= kMaxGroups && setup.CovariateIsIntervention[static_cast<size_t>(c - 1)];
    if (intervention) {
      d.push_back("Unused backward shift for " + series + " [0]");
      d.push_back("Unused intercept (at first time period) for " + series + " [0]");
    } else {
      d.push_back("Backward shift for " + series + " [0; any + integer]");
      d.push_back("Intercept (at first time period) for " + series +
                  " [0 (uses series mean); any fixed real number]");
    }
    for (int j = 0; j <= p; ++j)
      d.push_back("Omega(" + Lag(j) + ") for " + series + " [0; any real number]");
    for (int j = 1; j <= p; ++j)
      d.push_back(MaybeLogit(logit, "Delta(" + Lag(j) + ") for " + series + " [0; -1 < Delta < +1]"));
  }
  return d;
}

}  // namespace quorvane
