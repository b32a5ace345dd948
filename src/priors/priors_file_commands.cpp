#include "priors/priors_file_commands.h"

#include <string>

#include "base/files/text_file.h"
#include "base/format/file_names.h"
#include "base/format/plain_number_text.h"
#include "priors/priors_file.h"
#include "app/session.h"

namespace quorvane {

namespace {

constexpr const char* kTitle = "Bayes information";

void ShowFault(Session& session, const std::string& where, const std::string& reason) {
  session.ui().ShowMessage("Bayesian priors file  " + session.State.PriorsFileName +
                               "  cannot be used: " + where + reason + ".\r\n" +
                               "The Bayesian priors have not been changed.",
                           kTitle, Icon::Critical);
}

}  // namespace

bool ReadPriorsFile(Session& session) {
  AppState& state = session.State;
  std::string error;
  const auto lines = ReadTextLines(state.PriorsFileName, error);
  if (!lines) {
    ShowFault(session, "", error);
    return false;
  }
  const int parameterCount = session.Algorithm.ParameterCount;
  PriorsFileContent content = ParsePriorsFile(*lines, parameterCount);
  if (const auto* fault = std::get_if<PriorsFileFault>(&content)) {
    ShowFault(session, "line " + PlainNumberText(static_cast<long long>(fault->line)) + ", ",
              fault->reason);
    return false;
  }
  if (const auto* mismatch = std::get_if<PriorsCountMismatch>(&content)) {
    session.ui().ShowMessage(
        "Bayesian priors file  " + state.PriorsFileName + "  has " +
            PlainNumberText(mismatch->count) + " parameters, but your model specifies " +
            PlainNumberText(static_cast<long long>(parameterCount)) + ".\r\n" +
            "Therefore default (uniform-unbounded) priors have been loaded instead.",
        kTitle, Icon::Critical);
    state.PriorsActive = false;
    return false;
  }
  session.Priors.Rows = std::move(std::get<std::vector<PriorRow>>(content));
  session.Priors.Terms.assign(session.Priors.Rows.size(), 0.0);
  session.HideMainMenu();
  session.ui().ShowMessage("Bayesian Priors file " + state.PriorsFileName + " has been loaded",
                           kTitle, Icon::Information);
  return true;
}

bool Save_Priors(Session& session, PriorsSaveFrom from) {
  AppState& state = session.State;
  // A file that would not load again is not written: say so before a name
  // is asked for.
  if (const std::string fault = PriorsRoundingFault(session.Priors); !fault.empty()) {
    session.ui().ShowMessage("The Bayesian priors cannot be saved: " + fault +
                                 ".\r\n\r\nChange that prior's terms so that they stay usable "
                                 "at four significant digits, then save again.",
                             "Bayesian priors not saved", Icon::Exclamation);
    return false;
  }
  if (state.PriorsFileName.empty()) state.PriorsFileName = DateTimeFileName(".pri");
  const FileDialogRequest request{"Save Bayesian priors file in...",
                                  "All files (*.*)|*.*|Bayesian prior files (*.pri)|*.pri", 2,
                                  state.PriorsFileName};
  const std::optional<std::string> path = session.ui().ChooseFileToSave(request);
  if (!path) return false;
  state.PriorsFileName = *path;
  if (auto error = WriteTextFileAtomically(*path, PriorsFileText(session.Priors))) {
    session.ui().ShowMessage("The Bayesian priors could not be saved in " + *path + ".\r\n\r\n" +
                                 *error + "\r\n\r\nAny earlier file of that name is unchanged.",
                             "Bayesian priors not saved", Icon::Exclamation);
    return false;
  }
  if (from == PriorsSaveFrom::MainMenu) {
    session.ui().SetStatusPanel(1, 2, "Bayesian priors file: " + state.PriorsFileName);
  } else {
    state.PriorsFileTitle = FileTitle(state.PriorsFileName);
    session.ui().SetStatusPanel(1, 2, "Bayesian priors file: " + state.PriorsFileTitle);
  }
  return true;
}

}  // namespace quorvane
