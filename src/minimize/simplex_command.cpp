#include "minimize/simplex_command.h"

#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "minimize/simplex_run.h"
#include "minimize/simplex_state.h"
#include "app/main_window.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

namespace {

void ReturnToMenu(Session& session) {
  session.ShowMainMenu();
  session.Main().SetApplicationMenuEnabled(true);
  session.SetMenuCommandsEnabled(true);
  session.State.SimplexBusy = false;
}

}  // namespace

void SimplexCommand(Session& session) {
  // Busy first, so closing an old Simplex window does not bring the menu back.
  session.State.SimplexBusy = true;
  session.CloseResultWindows();
  session.SetMenuCommandsEnabled(false);
  session.CloseMainMenu();
  session.Main().SetApplicationMenuEnabled(false);

  BuildFuseGroups(session.Algorithm, session.Fuse);
  BuildFreeParameterList(session.Algorithm, session.Free);
  if (session.Free.FreeCount == 0) {
    ReturnToMenu(session);
    session.ui().ShowMessage("All step sizes are zero", "There is nothing to do!",
                             Icon::Exclamation);
    return;
  }
  if (!session.Simplex.Exists) session.Simplex.Allocate(session.Algorithm.ParameterCount);
  ForgetStaleResults(session, ResultsChange::EstimatesMoving);
  RunSimplex(session);
  session.ui().SetProgress(-1.0);
  ReturnToMenu(session);
}

}  // namespace quorvane
