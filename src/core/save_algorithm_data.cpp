#include "core/save_algorithm_data.h"

#include "core/algorithm_file.h"
#include "base/format/file_names.h"
#include "app/session.h"

namespace quorvane {

namespace {

bool SaveAlgorithmFile(Session& session, int filterIndex, ParameterLineLabel label) {
  AppState& state = session.State;
  if (state.AlgorithmFileName.empty()) state.AlgorithmFileName = DateTimeFileName(".alg");
  FileDialogRequest request{"Save algorithm data in...",
                            "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg|Named for data file (" +
                                state.DataFileTitle + ".*)|" + state.DataFileTitle + ".*|",
                            filterIndex, state.AlgorithmFileName};
  std::optional<std::string> path = session.ui().ChooseFileToSave(request);
  if (!path) return false;
  if (auto error = WriteAlgorithmFile(session.Algorithm, *path, label)) {
    session.ui().ShowMessage("The algorithm data could not be saved in " + *path + ".\r\n\r\n" +
                                 *error + "\r\n\r\nAny earlier file of that name is unchanged.",
                             "Algorithm file not saved", Icon::Exclamation);
    return false;
  }
  state.AlgorithmFileName = *path;
  state.AlgorithmFileTitle = FileTitle(*path);
  return true;
}

}  // namespace

bool Save_Alg(Session& session) {
  if (!SaveAlgorithmFile(session, 3, ParameterLineLabel::MainMenu)) return false;
  session.ui().SetStatusPanel(1, 1, "Algorithm file: " + session.State.AlgorithmFileName);
  return true;
}

bool RankingSave_Alg(Session& session) {
  if (!SaveAlgorithmFile(session, 2, ParameterLineLabel::Ranking)) return false;
  session.ui().SetStatusPanel(1, 1, "Algorithm file: " + session.State.AlgorithmFileTitle);
  return true;
}

}  // namespace quorvane
