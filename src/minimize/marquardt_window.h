#pragma once

#include "minimize/derivative_kind.h"
#include "base/ui/form.h"

namespace quorvane {

class Session;

// The window frmMarquardt and the flags through which its buttons reach a
// running Marquardt search: the run reads them at the top of each trial and
// while a derivative display waits.
class MarquardtWindow {
 public:
  static constexpr const char* kPane = "rtbMarquardt";

  explicit MarquardtWindow(Session& session);

  Form& form() { return form_; }

  // Set by ChooseDerivatives.
  DerivativeKind DerivativeChoice = DerivativeKind::None;
  bool ShowDerivatives = false;
  // MarquardtInterrupt: the Interrupt button was clicked.
  bool Interrupt = false;
  // The user has released a paused derivative display.
  bool ResumeRequested = false;

  // Shows and enables "&Next iteration" and "&Continue" while a derivative
  // display waits; hides and disables them otherwise.
  void ShowPauseButtons(bool shown);

  // What the window's buttons do, also for callers that act as the user
  // (Ctrl+C in the console runs InterruptClicked).
  void NextIterationClicked();
  void ContinueClicked();
  void InterruptClicked();

 private:
  void Closed();

  Session& session_;
  Form form_;
};

}  // namespace quorvane
