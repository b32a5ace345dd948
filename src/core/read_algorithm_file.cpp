#include "core/read_algorithm_file.h"

#include "core/algorithm_file.h"
#include "shell/files/text_file.h"
#include "shell/main_menu.h"
#include "shell/session.h"

namespace quorvane {

AlgorithmReadOutcome ReadAlgorithmFile(Session& session, const std::string& path) {
  std::string error;
  const auto lines = ReadTextLines(path, error);
  if (!lines) return AlgorithmReadOutcome::Unreadable;

  const std::int16_t n = session.Algorithm.ParameterCount;
  const AlgorithmFileReading reading = ParseAlgorithmFile(*lines, n, session.Algorithm);
  if (reading.Problem == AlgorithmFileProblem::None) return AlgorithmReadOutcome::Read;

  MainMenu& menu = session.Menu();
  const bool menuWasOpen = menu.form().IsOpen();
  menu.Hide();
  session.ui().ShowMessage(AlgorithmFileProblemText(reading, path, n),
                           "Algorithm file - information input failed", Icon::Information);
  if (menuWasOpen) menu.Show();
  menu.form().SetEnabled("cmdLoadAlg", true);
  menu.form().SetEnabled("cmdInitialize", true);
  return AlgorithmReadOutcome::Failed;
}

}  // namespace quorvane
