#include "covariance/covariance_windows.h"

#include "base/files/text_file.h"
#include "base/format/line_endings.h"
#include "covariance/covariance_report.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kReadyCaption =
    "To save these results [restore or minimize this form then] choose 'Save covariance results "
    "as...'";

constexpr const char* kExplanation =
    "If the results for numerically calculated SEs etc. are similar for all three grids,\r\n"
    " then the model's behaviour can be considered to be 'close-to-linear' and the\r\n"
    " uncertainty around the parameter estimates can be considered to be\r\n"
    " represented by a normal distribution.  Else the SEs etc. are probably\r\n"
    " inaccurate and parameter uncertainty is more difficult to interpret.  This\r\n"
    " problem tends to diminish as sample size increases and the central limit\r\n"
    " theorem starts to apply.  Alternatively, you can choose the option 'Evaluate\r\n"
    " estimates' from the Main Menu, then use maximum-likelihood or Bayesian\r\n"
    " utilities to evaluate parameter uncertainty.";

}  // namespace

CovarianceWindows::CovarianceWindows(Session& session)
    : session_(session),
      data_("frmCovData", "Covariance calculations"),
      display_("frmCovDisplay", "Covariance data") {
  Control& pane = data_.Add(ControlKind::TextPane, kPane);
  pane.readOnly = false;  // the user may edit the report before saving it
  Control& stop = data_.Add(ControlKind::Button, "cmdStop", kInterruptCaption);
  stop.onClick = [this] { StopClicked(); };
  data_.onInterrupt = [this] {
    if (data_.Get("cmdStop").caption == kInterruptCaption && data_.IsEnabled("cmdStop"))
      StopClicked();
  };
  data_.onClosed = [this] {
    data_.SetEnabled("cmdStop", false);
    data_.SetCaption("cmdStop", kInterruptCaption);
  };

  display_.Add(ControlKind::Label, "lblCovDisplay", "Calculation completed. Do you wish to:");
  // The explanation is read, never edited: a label shows it at its own width.
  display_.Add(ControlKind::Label, "txtExplain");
  display_.BeginRow();
  display_.Add(ControlKind::Button, "cmdScreen", "Display results on &screen").onClick = [this] {
    ScreenClicked();
  };
  Control& file = display_.Add(ControlKind::Button, "cmdFile", "Save &covariance results as...");
  file.toolTip = "Saves the (possibly edited) covariance output";
  file.onClick = [this] { FileClicked(); };
  display_.Add(ControlKind::Button, "cmdFinish", "&Finish display").onClick = [this] {
    FinishClicked();
  };
  display_.End();
  display_.onClosed = [this] { DisplayClosed(); };
}

void CovarianceWindows::OpenDataWindow() {
  Ui& ui = session_.ui();
  if (!data_.IsOpen()) ui.ShowForm(data_);
  data_.SetText(kPane, "");
  data_.SetCaption("cmdStop", kInterruptCaption);
  data_.SetEnabled("cmdStop", true);
  session_.Covariance.CovInterrupt = false;
}

void CovarianceWindows::CalculationsEnded() { data_.SetEnabled("cmdStop", false); }

void CovarianceWindows::Append(const std::string& text) {
  data_.SetText(kPane, data_.Text(kPane) + text);
}

void CovarianceWindows::StopClicked() {
  if (data_.Get("cmdStop").caption == kInterruptCaption) {
    session_.Covariance.CovInterrupt = true;
    data_.SetEnabled("cmdStop", false);
    return;
  }
  if (display_.IsOpen()) session_.ui().BringToFront(display_);
}

void CovarianceWindows::OpenDisplay() {
  Ui& ui = session_.ui();
  session_.CloseMainMenu();
  display_.SetCaption("lblCovDisplay", session_.Covariance.CovDisplayMode == "1"
                                           ? "Calculation completed. Do you wish to:"
                                           : "Do you wish to:");
  // Filled before it is shown, so the window opens at the size of its texts.
  display_.SetCaption("txtExplain", kExplanation);
  display_.SetEnabled("cmdFile", false);
  display_.SetEnabled("cmdScreen", true);
  if (display_.IsOpen()) ui.BringToFront(display_);
  else ui.ShowForm(display_);
}

void CovarianceWindows::ScreenClicked() {
  display_.SetEnabled("cmdScreen", false);
  BuildReport();
  display_.SetEnabled("cmdFile", true);
}

void CovarianceWindows::BuildReport() {
  Ui& ui = session_.ui();
  // Viewed again after the display was finished, the report needs its pane back.
  if (!data_.IsOpen()) ui.ShowForm(data_);
  data_.SetCaption("cmdStop", kReadyCaption);
  data_.SetEnabled("cmdStop", true);
  ui.SetStatusPanel(5, 1, "Please be patient while covariance output is collated...");
  const AlgorithmData& data = session_.Algorithm;
  std::string text = CovarianceReport(session_.Covariance, data.FuseCodes, data.Descriptions,
                                      [&ui] { ui.PumpEvents(); });
  data_.SetText(kPane, std::move(text));
  ui.SetStatusPanel(5, 1, "");
  display_.SetEnabled("cmdScreen", true);
  ui.BringToFront(display_);
}

void CovarianceWindows::FileClicked() {
  Ui& ui = session_.ui();
  const std::string& title = session_.State.AlgorithmFileTitle;
  const FileDialogRequest request{"Save covariance data in...",
                                  "All files (*.*)|*.*|Covariance files (*.cov)|*.cov|"
                                  "Named for algorithm file (" +
                                      title + ".*)|" + title + ".*|",
                                  3, ".cov"};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  // The pane may have been edited: a lone CR or LF becomes CR LF, as in every saved file.
  std::string text = WithCrLf("Originally saved with the file name: " + *path + "\r\n\r\n" + data_.Text(kPane));
  if (auto error = WriteTextFileAtomically(*path, text)) {
    // The pane keeps its text: it was not saved under that name.
    ui.ShowMessage("The covariance results could not be saved in " + *path + ".\r\n\r\n" + *error +
                       "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Covariance results not saved", Icon::Exclamation);
    return;
  }
  data_.SetText(kPane, std::move(text));
}

void CovarianceWindows::FinishClicked() {
  if (display_.IsOpen()) session_.ui().CloseForm(display_);
}

void CovarianceWindows::DisplayClosed() {
  Ui& ui = session_.ui();
  if (data_.IsOpen()) ui.CloseForm(data_);
  session_.ShowMainMenu();
  session_.Main().SetApplicationMenuEnabled(true);
  ui.SetStatusPanel(5, 1, "");
}

}  // namespace quorvane
