#pragma once

namespace quorvane {

class Session;

// ChooseDerivatives: the Marquardt set-up questions. Asks whether the model
// supplies analytical derivatives (Yes), or numerical ones are to be used
// (No), or the command is cancelled; confirms the choice; then asks whether
// the derivatives are to be displayed at each iteration. Sets the window's
// DerivativeChoice and ShowDerivatives; returns false when cancelled
// (DerivativeChoice is then None). A likelihood profile asks these at its
// first point, before it runs RunMarquardt.
bool ChooseDerivatives(Session& session);

// MarquardtCommand: the main menu's "&Marquardt". Hides the menu and
// disables "&Application", asks the set-up questions, builds the fuse groups
// and the free list, runs the search (CovarianceAvailable cleared before,
// the stored simplex discarded after) and enables the commands again. The
// menu returns when frmMarquardt is closed, or at once when the run closed
// it already.
void MarquardtCommand(Session& session);

}  // namespace quorvane
