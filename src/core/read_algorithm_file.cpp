#include "core/read_algorithm_file.h"

#include "core/algorithm_file.h"
#include "base/files/text_file.h"
#include "app/session.h"

namespace quorvane {

AlgorithmReadOutcome ReadAlgorithmFile(Session& session, const std::string& path,
                                       std::string* reason) {
  std::string error;
  const auto lines = ReadTextLines(path, error);
  if (!lines) {
    if (reason) *reason = error;
    return AlgorithmReadOutcome::Unreadable;
  }

  const std::int16_t n = session.Algorithm.ParameterCount;
  const AlgorithmFileReading reading = ParseAlgorithmFile(*lines, n, session.Algorithm);
  if (reading.Problem == AlgorithmFileProblem::None) return AlgorithmReadOutcome::Read;

  const bool menuWasOpen = session.MainMenuIsOpen();
  session.HideMainMenu();
  session.ui().ShowMessage(AlgorithmFileProblemText(reading, path, n),
                           "Algorithm file - information input failed", Icon::Information);
  if (menuWasOpen) session.ShowMainMenu();
  session.SetMenuCommandEnabled("cmdLoadAlg", true);
  session.SetMenuCommandEnabled("cmdInitialize", true);
  return AlgorithmReadOutcome::Failed;
}

}  // namespace quorvane
