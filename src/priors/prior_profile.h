#pragma once

#include <optional>
#include <string>

#include "evaluate/evaluation_series.h"
#include "priors/prior_table.h"

namespace quorvane {

class Session;
class Ui;
class PriorReportWindows;

// The centre c and step h of a prior profile over n points, from the prior's
// own terms (F1..F4): N, G and L span F1 +- 5 F2; E spans 0 .. 10 m (m the
// mean F1) from 0; B spans 0 .. 1; S and D span F1 +- 3 F2, or 0 .. 2 F1 when
// F2 is 0; T spans F1 - 3 F2 .. F3 + 3 F4. A zero step of S, D or T becomes
// 0.1. Nothing for a U prior or an exponential mean of 0 (no domain).
struct PriorProfileDomain {
  double Centre = 0.0;
  double Step = 0.0;
};
std::optional<PriorProfileDomain> PriorProfileDomainFor(const PriorRow& row, int n);

// The value of point p (1..n) in that domain: c + (p - m) h with m the middle
// point, except that G and L points reaching below 1E-06 are spread evenly
// from 1E-06, E points run from 0 in steps of h, and the ends of a B profile
// are 1E-06 and 0.999999 so that the term stays defined.
double PriorProfilePointValue(const PriorRow& row, const PriorProfileDomain& domain, int n, int p);

// The number of points from the user's answer (0 <= answer <= 1001, rounded
// halves to even): 0 becomes 101, fewer than 3 become 3, an even count one
// more. Nothing for an answer outside the range, which is asked again.
std::optional<int> PriorProfilePointCountFromAnswer(double answer);

// Tabulates the unscaled prior term of parameter `parameter` (its row `row`)
// over n points into `series` (sized afresh), keeps the lowest term as the
// best point (ties keep the earlier point) and, with the domain's step, runs
// the confidence distribution. Reports each point on status bar 5 when `ui`
// is given. False when the prior has no domain.
bool TabulatePriorProfile(const PriorRow& row, int parameter, int n, EvaluationSeries& series,
                          Ui* ui = nullptr);

// The text of the prior profile report (the .pdp layout before its file
// name line).
std::string PriorProfileReport(const EvaluationSeries& series);

// The prior editor's "&Profile prior distributions": asks for the parameter
// and the number of points, tabulates the profile into session.Evaluation,
// offers the distribution plots and shows the report in `windows`.
// PriorProfileMode is on for the whole run, on every path.
void RunPriorProfile(Session& session, PriorReportWindows& windows);

}  // namespace quorvane
