#include "core/log_file.h"

#include <cerrno>
#include <cstring>

#include "app/session.h"

namespace quorvane {

std::optional<std::string> LogFile::Create(const std::string& path) {
  Close();
  errno = 0;
  out_.open(path, std::ios::binary | std::ios::trunc);
  if (!out_.is_open()) {
    const std::string why = errno ? std::strerror(errno) : "the file cannot be created";
    return "Cannot create " + path + ": " + why;
  }
  path_ = path;
  return std::nullopt;
}

std::optional<std::string> LogFile::AppendLine(const std::string& line) {
  if (!out_.is_open()) return "No log file is open";
  out_ << line << "\r\n";
  out_.flush();
  if (!out_) {
    out_.clear();
    return "Cannot write to the log file " + path_;
  }
  return std::nullopt;
}

void LogFile::Close() {
  if (out_.is_open()) out_.close();
  out_.clear();
  path_.clear();
}

bool OpenLogFile(Session& session) {
  AlgorithmData& data = session.Algorithm;
  // The save chooser, which asks before an existing file is replaced:
  // creating the log empties the chosen file, and a name picked by mistake
  // (an algorithm or data file) must not be wiped without a question.
  FileDialogRequest request{"Save minimization progress in...",
                            "All files (*.*)|*.*|Quorvane log files (*.qvl)|*.qvl", 2,
                            data.LogFileName};
  std::optional<std::string> path = session.ui().ChooseFileToSave(request);
  if (!path) return false;
  if (auto error = session.Log.Create(*path)) {
    session.ui().ShowMessage("The log file " + *path + " could not be opened for output.\r\n" +
                                 *error,
                             "Log file management", Icon::Exclamation);
    return false;
  }
  data.LogFileName = *path;
  session.ui().ShowMessage("The log file " + *path + " is now open for output",
                           "Log file management", Icon::Information);
  data.FileFrequency = 10;
  return true;
}

void CloseLogFile(Session& session) {
  // The name of the file actually open: loading other algorithm data may
  // have replaced LogFileName since the log was opened.
  const std::string path = session.Log.IsOpen() ? session.Log.Path() : session.Algorithm.LogFileName;
  session.Log.Close();
  session.ui().ShowMessage("The old log file " + path + " is now closed for input",
                           "Log file management", Icon::Information);
  session.Algorithm.FileFrequency = 0;
}

}  // namespace quorvane
