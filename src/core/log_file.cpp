#include "core/log_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/files/file_path_check.h"

#include "base/ui/ui.h"
#include "core/algorithm_data.h"

namespace quorvane {

std::optional<std::string> LogFile::Create(const std::string& path) {
  Close();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
      ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0))
    return ReadOnlyFileText(path);
  // Not truncated on opening: the file may be another instance's open log.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) return "Cannot create " + path + ": " + std::strerror(errno);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK)
      return "The log file " + path +
             " is held by another running Quorvane (or another program that locked it); "
             "choose another log file";
    return "Cannot lock " + path + ": " + std::strerror(error);
  }
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::ftruncate(fd, 0) != 0) {
    const int error = errno;
    ::close(fd);
    return "Cannot empty " + path + ": " + std::strerror(error);
  }
  fd_ = fd;
  path_ = path;
  return std::nullopt;
}

std::optional<std::string> LogFile::AppendLine(const std::string& line) {
  if (fd_ < 0) return "No log file is open";
  const std::string text = line + "\r\n";
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = ::write(fd_, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string why = n < 0 ? std::strerror(errno) : "nothing could be written";
      return "Cannot write to the log file " + path_ + ": " + why;
    }
    written += static_cast<size_t>(n);
  }
  return std::nullopt;
}

void LogFile::Close() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  fd_ = -1;
  path_.clear();
}

bool OpenLogFile(Ui& ui, AlgorithmData& data, LogFile& log) {
  // The save chooser, which asks before an existing file is replaced:
  // creating the log empties the chosen file, and a name picked by mistake
  // (an algorithm or data file) must not be wiped without a question.
  FileDialogRequest request{"Save minimization progress in...",
                            "All files (*.*)|*.*|Quorvane log files (*.qvl)|*.qvl", 2,
                            data.LogFileName};
  std::optional<std::string> path = ui.ChooseFileToSave(request);
  if (!path) return false;
  if (auto error = log.Create(*path)) {
    ui.ShowMessage("The log file " + *path + " could not be opened for output.\r\n" +
                                 *error,
                             "Log file management", Icon::Exclamation);
    return false;
  }
  data.LogFileName = *path;
  ui.ShowMessage("The log file " + *path + " is now open for output", "Log file management",
                 Icon::Information);
  data.FileFrequency = 10;
  return true;
}

void CloseLogFile(Ui& ui, AlgorithmData& data, LogFile& log) {
  // The name of the file actually open: loading other algorithm data may
  // have replaced LogFileName since the log was opened.
  const std::string path = log.IsOpen() ? log.Path() : data.LogFileName;
  log.Close();
  ui.ShowMessage("The old log file " + path + " is now closed for input", "Log file management",
                 Icon::Information);
  data.FileFrequency = 0;
}

}  // namespace quorvane
