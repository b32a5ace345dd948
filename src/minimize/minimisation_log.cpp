#include "minimize/minimisation_log.h"

#include "app/session.h"

namespace quorvane {

void AppendMinimisationLog(Session& session, const std::vector<std::string>& lines) {
  LogFile& log = session.Log;
  if (!log.IsOpen()) return;
  for (const std::string& line : lines) {
    if (auto error = log.AppendLine(line)) {
      log.Close();
      session.Algorithm.FileFrequency = 0;
      session.ui().ShowMessage(*error + "\r\nThe log file is now closed; the minimization goes on.",
                               "Log file management", Icon::Exclamation);
      return;
    }
  }
}

}  // namespace quorvane
