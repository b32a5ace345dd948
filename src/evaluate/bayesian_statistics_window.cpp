#include "evaluate/bayesian_statistics_window.h"

#include "app/session.h"
#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "base/ui/export_csv.h"
#include "evaluate/evaluation_series_csv.h"

namespace quorvane {

BayesianStatisticsWindow::BayesianStatisticsWindow(Session& session)
    : session_(session), form_("frmBayesian", "Bayesian statistics") {
  MenuItem interrupt = MenuCommand("mnuInterrupt", "&Interrupt", "", nullptr);
  interrupt.items = {MenuCommand("mnuInterruptBayesianGrid", "&Interrupt calculations", "",
                                 [this] { session_.State.PosteriorInterrupt = true; })};
  interrupt.items.front().enabled = false;  // until a grid runs
  form_.AddMenu(std::move(interrupt));
  form_.BeginColumn();
  Control& save = form_.Add(ControlKind::Button, "cmdSaveBayesian",
                            "&Save Bayesian posterior distribution data as...");
  save.toolTip = "Saves the (possibly edited) output appearing in the textbox below";
  save.onClick = [this] { SaveReport(); };
  form_.Add(ControlKind::Button, "cmdExportCsv", "Export as CSV...").onClick = [this] { ExportSeries(); };
  Control& pane = form_.Add(ControlKind::TextPane, "rtbBayesian");
  pane.readOnly = false;  // the user may edit the report before saving it
  form_.End();
  form_.onClosed = [this] { Closed(); };
}

void BayesianStatisticsWindow::ShowReport(std::string text) {
  Ui& ui = session_.ui();
  shown_ = session_.Evaluation;
  if (form_.IsOpen()) ui.BringToFront(form_);
  else ui.ShowForm(form_);
  form_.SetText("rtbBayesian", std::move(text));
}

void BayesianStatisticsWindow::SetInterruptEnabled(bool enabled) {
  form_.SetMenuEnabled("mnuInterruptBayesianGrid", enabled);
}

void BayesianStatisticsWindow::SaveReport() {
  Ui& ui = session_.ui();
  const FileDialogRequest request{"Save Bayesian posterior values in...",
                                  "All files (*.*)|*.*|Bayesian posterior files (*.pos)|*.pos", 2,
                                  DateTimeFileName(".pos")};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  std::string text = "Originally saved with the file name: " + *path + "\r\n\r\n" +
                     form_.Text("rtbBayesian");
  if (auto error = WriteTextFileAtomically(*path, text)) {
    // The pane keeps its text: it was not saved under that name.
    ui.ShowMessage("The Bayesian posterior values could not be saved in " + *path + ".\r\n\r\n" +
                       *error + "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Posterior values not saved", Icon::Exclamation);
    return;
  }
  form_.SetText("rtbBayesian", std::move(text));
}

void BayesianStatisticsWindow::ExportSeries() {
  ExportCsv(session_.ui(), {EvaluationSeriesCsv(shown_), "posterior series", DateTimeFileName(".csv")});
}

void BayesianStatisticsWindow::Closed() {
  AppState& state = session_.State;
  if (state.PriorsOpenedFromMenu) {
    state.PriorsOpenedFromMenu = false;
    session_.ShowMainMenu();
  }
  if (OpenedFromRanking) {
    OpenedFromRanking = false;
    if (onReturnToRanking) onReturnToRanking();
  }
  session_.ui().SetStatusPanel(5, 1, "");
}

}  // namespace quorvane
