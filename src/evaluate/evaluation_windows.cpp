#include "evaluate/evaluation_windows.h"

#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "base/ui/export_csv.h"
#include "evaluate/evaluation_series_csv.h"
#include "evaluate/likelihood_profile.h"
#include "evaluate/saved_report_text.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane {

EvaluationWindows::EvaluationWindows(Session& session)
    : session_(session),
      choice_("frmEvaluate", "Evaluation of estimates"),
      statistics_("frmMaxLike", "Maximum likelihood statistics") {
  choice_.BeginColumn();
  choice_.Add(ControlKind::Label, "lblChoice", "For any free parameter you have the choice to generate:");
  choice_.Add(ControlKind::Button, "cmdML", "&Maximium likelihood (ML) confidence distributions")
      .onClick = [this] {
    CloseChoice();
    session_.Main().SetApplicationMenuEnabled(false);
    RunLikelihoodProfile(session_);
    session_.Main().SetApplicationMenuEnabled(true);
  };
  choice_.Add(ControlKind::Button, "cmdBP", "&Bayesian posterior (BP) distributions").onClick = [this] {
    CloseChoice();
    session_.Main().SetApplicationMenuEnabled(false);
    if (session_.RunPosterior) {
      session_.RunPosterior();
    } else {
      session_.ui().ShowMessage("Bayesian posterior distributions are not available yet",
                                "Bayesian parameter estimate evaluation", Icon::Information);
      session_.ShowMainMenu();
    }
    session_.Main().SetApplicationMenuEnabled(true);
  };
  choice_.Add(ControlKind::Label, "lblLinked", "Only the lowest ordinal linked parameter can be evaluated");
  choice_.Add(ControlKind::Label, "lblEdits",
              "These routines can automatically edit your algorithm file so take care not to "
              "inadvertently save these edits");
  choice_.Add(ControlKind::Label, "lblValid",
              "Results are valid only if the objective function is the Sum of Squares or the -ln[L]");
  choice_.Add(ControlKind::Button, "cmdCancel", "&Cancel").onClick = [this] {
    CloseChoice();
    session_.ShowMainMenu();
  };
  choice_.End();
  // Closing the window from its close box returns to the main menu as Cancel does.
  choice_.onClosed = [this] {
    session_.Main().SetApplicationMenuEnabled(true);
    if (!running_) session_.ShowMainMenu();
  };

  statistics_.BeginColumn();
  Control& save = statistics_.Add(ControlKind::Button, "cmdSaveML", "&Save maximum-likelihood data as...");
  save.toolTip = "Saves the (possibly edited) output appearing in the textbox below";
  save.onClick = [this] { SaveStatistics(); };
  statistics_.Add(ControlKind::Button, "cmdExportCsv", "Export as CSV...").onClick = [this] {
    ExportSeries();
  };
  Control& pane = statistics_.Add(ControlKind::TextPane, "rtbMaxLike");
  pane.readOnly = false;  // the user may edit the report before saving it
  statistics_.End();
  // The report stays open while other commands run (the user may be editing
  // it); closed during a calculation, it leaves the menu to that calculation.
  statistics_.onClosed = [this] {
    if (session_.Main().ApplicationMenuEnabled()) session_.ShowMainMenu();
  };
}

void EvaluationWindows::OpenChoice() {
  session_.Main().SetApplicationMenuEnabled(true);
  session_.ui().ShowForm(choice_);
}

void EvaluationWindows::CloseChoice() {
  running_ = true;
  if (choice_.IsOpen()) session_.ui().CloseForm(choice_);
  running_ = false;
  session_.Main().SetApplicationMenuEnabled(true);
}

void EvaluationWindows::ShowStatistics(const std::string& report) {
  Ui& ui = session_.ui();
  shown_ = session_.Evaluation;
  if (statistics_.IsOpen()) ui.BringToFront(statistics_);
  else ui.ShowForm(statistics_);
  statistics_.SetText("rtbMaxLike", report);
}

void EvaluationWindows::ExportSeries() {
  ExportCsv(session_.ui(), {EvaluationSeriesCsv(shown_), "profile series", DateTimeFileName(".csv")});
}

void EvaluationWindows::SaveStatistics() {
  Ui& ui = session_.ui();
  const FileDialogRequest request{"Save maximum-likelihood values in...",
                                  "All files (*.*)|*.*|Max-like files (*.mlc)|*.mlc", 2,
                                  DateTimeFileName(".mlc")};
  const std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return;
  std::string text = SavedReportText(*path, statistics_.Text("rtbMaxLike"));
  if (auto error = WriteTextFileAtomically(*path, text)) {
    // The window keeps its text: it was not saved under that name.
    ui.ShowMessage("The maximum-likelihood data could not be saved in " + *path + ".\r\n\r\n" +
                       *error + "\r\n\r\nAny earlier file of that name is unchanged.",
                   "Maximum-likelihood data not saved", Icon::Exclamation);
    return;
  }
  statistics_.SetText("rtbMaxLike", std::move(text));
}

}  // namespace quorvane
