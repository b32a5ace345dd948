#include "core/load_algorithm_data.h"

#include "core/algorithm_data.h"
#include "core/read_algorithm_file.h"
#include "base/format/file_names.h"
#include "app/results_change.h"
#include "app/session.h"

namespace quorvane {

namespace {

void EnableLoadAndInitialize(Session& session) {
  session.SetMenuCommandEnabled("cmdInitialize", true);
  session.SetMenuCommandEnabled("cmdLoadAlg", true);
}

void UseDefaultAlgorithmData(Session& session) {
  DefaultAlgorithmData(session.Algorithm);
  const std::string name = DateTimeFileName(".alg");
  session.State.AlgorithmFileName = name;
  session.State.AlgorithmFileTitle = FileTitle(name);
  session.ui().ShowMessage(
      "                     Algorithm data set to default values.\r\n\r\n"
      "Algorithm file given the date-time based name: " +
          name,
      "Default Algorithm Values", Icon::Information);
}

}  // namespace

bool ChooseAndReadAlgorithmFile(Session& session) {
  AppState& state = session.State;
  FileDialogRequest request{"Open algorithm data file",
                            "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2,
                            state.AlgorithmFileName};
  std::optional<std::string> path = session.ui().ChooseFileToOpen(request);
  if (!path) {
    EnableLoadAndInitialize(session);
    return false;
  }
  // The chosen file names the algorithm data only once they come from it: a
  // failed read keeps the previous data, so it keeps their name too (an
  // empty name still means there are no algorithm data).
  const std::string previousName = state.AlgorithmFileName;
  const std::string previousTitle = state.AlgorithmFileTitle;
  state.AlgorithmFileName = *path;
  state.AlgorithmFileTitle = FileTitle(*path);
  std::string reason;
  const AlgorithmReadOutcome outcome = ReadAlgorithmFile(session, *path, &reason);
  if (outcome == AlgorithmReadOutcome::Read) {
    session.Algorithm.Tolerance = ApplyToleranceFloor(session.Algorithm.Tolerance);
    return true;
  }
  state.AlgorithmFileName = previousName;
  state.AlgorithmFileTitle = previousTitle;
  if (outcome == AlgorithmReadOutcome::Unreadable)
    session.ui().ShowMessage("Be suspicious that your algorithm file is not properly formatted" +
                                 (reason.empty() ? std::string() : "\r\n\r\n" + reason),
                             "Problem Reading Algorithm File!", Icon::Critical);
  EnableLoadAndInitialize(session);
  return false;
}

void LoadAlgorithmData(Session& session) {
  const Answer answer = session.ui().AskYesNoCancel(
      "Load an existing algorithm data file?\r\n\r\n     Choose NO for default values",
      "Load algorithm data", Icon::Question);
  if (answer == Answer::Cancel) return;
  if (answer == Answer::Yes) {
    if (!ChooseAndReadAlgorithmFile(session)) return;
  } else {
    UseDefaultAlgorithmData(session);
  }
  ForgetStaleResults(session, ResultsChange::AlgorithmDataLoaded);
  session.ui().SetStatusPanel(1, 1, "Algorithm file: " + session.State.AlgorithmFileName);
  session.ui().PumpEvents();
  session.SetMenuCommandsEnabled(true);
  session.UseResultsSummaryCaption();
}

}  // namespace quorvane
