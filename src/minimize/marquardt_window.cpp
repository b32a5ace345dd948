#include "minimize/marquardt_window.h"

#include "app/session.h"

namespace quorvane {

MarquardtWindow::MarquardtWindow(Session& session)
    : session_(session),
      form_("frmMarquardt",
            "Marquardt minimization (uses derivatives; works best when model behaviour is "
            "close-to-linear; progress is insensitive to (non-zero) step sizes)") {
  Control& pane = form_.Add(ControlKind::TextPane, kPane);
  pane.readOnly = false;  // the user may edit the report text
  form_.BeginRow();
  Control& next = form_.Add(ControlKind::Button, "cmdIteration", "&Next iteration");
  next.toolTip = "Click to pause minimization after each iteration";
  next.onClick = [this] { NextIterationClicked(); };
  Control& go = form_.Add(ControlKind::Button, "cmdContinue", "&Continue");
  go.toolTip = "Click to continue minimizing without pausing after each iteration";
  go.onClick = [this] { ContinueClicked(); };
  Control& stop = form_.Add(ControlKind::Button, "cmdStop", "&Interrupt");
  stop.toolTip = "Click here to interrupt the current minimization";
  stop.onClick = [this] { InterruptClicked(); };
  form_.End();
  ShowPauseButtons(false);

  // An interrupt acts as the button does, and only while it can be pressed.
  form_.onInterrupt = [this] {
    if (form_.IsEnabled("cmdStop")) InterruptClicked();
  };
  form_.onClosed = [this] { Closed(); };
  session_.RegisterResultWindow(form_);
}

void MarquardtWindow::ShowPauseButtons(bool shown) {
  for (const char* name : {"cmdIteration", "cmdContinue"}) {
    form_.SetVisible(name, shown);
    form_.SetEnabled(name, shown);
  }
}

void MarquardtWindow::NextIterationClicked() {
  ResumeRequested = true;
  ShowPauseButtons(false);
}

void MarquardtWindow::ContinueClicked() {
  NextIterationClicked();
  ShowDerivatives = false;
}

void MarquardtWindow::InterruptClicked() {
  Interrupt = true;
  form_.SetEnabled("cmdStop", false);
  session_.ui().SetStatusPanel(5, 2, "Interrupt pending...");
  ResumeRequested = true;
  ShowDerivatives = false;
  ShowPauseButtons(false);
}

void MarquardtWindow::Closed() {
  form_.SetText(kPane, "");
  ResumeRequested = true;
  ShowDerivatives = false;
  for (int panel = 1; panel <= 3; ++panel) session_.ui().SetStatusPanel(5, panel, "");
  // The main menu returns when the window is closed after the command has
  // finished. While a profile drives the search, the profile procedure
  // brings the menu back itself: showing it mid-run would let the user start
  // another calculation inside the running one.
  if (!session_.State.MarquardtBusy && !session_.State.ProfileMode) session_.ShowMainMenu();
}

}  // namespace quorvane
