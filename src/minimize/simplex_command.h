#pragma once

namespace quorvane {

class Session;

// The main menu's "Simple&x" command: closes the result windows, disables
// the menu's commands and the "&Application" menu while it runs, builds the
// fuse groups and the free-parameter list, and runs the Simplex search
// (continuing the stored simplex while it Exists). With no free parameter
// it only says "All step sizes are zero". Every run clears
// CovarianceAvailable, since the covariance results no longer belong to the
// estimates.
void SimplexCommand(Session& session);

}  // namespace quorvane
