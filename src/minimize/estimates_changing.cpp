#include "minimize/estimates_changing.h"

#include "app/session.h"

namespace quorvane {

void ForgetResultsOfOldEstimates(Session& session) {
  session.State.CovarianceAvailable = false;
  session.Covariance.Forget();
}

}  // namespace quorvane
