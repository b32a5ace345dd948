#include "core/parameter_set_edited.h"

#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

void MarkParameterSetEdited(Session& session) {
  ForgetStaleResults(session, ResultsChange::ParameterSetEdited);
}

}  // namespace quorvane
