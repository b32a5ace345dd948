#include "minimize/simplex_window.h"

#include "minimize/simplex_status.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kStopCaption = "&Interrupt";

}  // namespace

SimplexWindow::SimplexWindow(Session& session)
    : session_(session),
      form_("frmSimplex",
            "Simplex minimization (uses geometry; works best for models whose behaviour is "
            "markedly non-linear; initial progress is sensitive to step sizes)") {
  form_.BeginColumn();
  form_.Add(ControlKind::TextPane, kInitialPane).readOnly = true;
  form_.Add(ControlKind::TextPane, kPane).readOnly = true;
  Control& stop = form_.Add(ControlKind::Button, kStop, kStopCaption);
  stop.toolTip = "Click here to interrupt the current minimization";
  stop.onClick = [this] { RequestInterrupt(); };
  form_.End();

  form_.onInterrupt = [this] {
    if (form_.IsEnabled(kStop)) RequestInterrupt();
  };
  form_.onClosed = [this] {
    form_.SetText(kInitialPane, "");
    form_.SetText(kPane, "");
    ClearSimplexPanels(session_, 1, 3);
    if (!session_.State.SimplexBusy) session_.ShowMainMenu();
  };
  session_.RegisterResultWindow(form_);
}

void SimplexWindow::Load() {
  form_.SetText(kInitialPane, "");
  form_.SetText(kPane, "");
  form_.SetCaption(kStop, kStopCaption);
  form_.SetEnabled(kStop, true);
  session_.ui().ShowForm(form_);
}

void SimplexWindow::RequestInterrupt() {
  session_.Simplex.InterruptRequested = true;
  form_.SetEnabled(kStop, false);
  SetSimplexPanel(session_, 1, "Interrupt pending...");
}

}  // namespace quorvane
