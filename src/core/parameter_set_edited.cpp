#include "core/parameter_set_edited.h"

#include "app/session.h"

namespace quorvane {

void MarkParameterSetEdited(Session& session) {
  session.Simplex.Exists = false;
  session.State.CovarianceAvailable = false;
  if (session.OnParameterSetEdited) session.OnParameterSetEdited();
}

}  // namespace quorvane
