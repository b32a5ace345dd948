#pragma once

#include <string>

#include "core/one_based.h"
#include "priors/prior_table.h"

namespace quorvane {

class Session;
class PriorReportWindows;

// The review of the current values against the priors: the explanation,
// then for every parameter whose prior is not U the scaled term
// t = objectiveScale x Terms[i] of the last prior evaluation and its
// likelihood exp(-t), then the model's total and its likelihood. The total
// includes the out-of-support penalties that the objective's prior total
// leaves out.
std::string PriorReviewText(const PriorTable& table, const OneBased<double>& values,
                            double objectiveScale);

// ReviewPriors: builds the review from the session's priors and values and
// shows it in `windows`. It does not evaluate the priors again.
void ReviewPriors(Session& session, PriorReportWindows& windows);

}  // namespace quorvane
