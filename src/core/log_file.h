#pragma once

#include <optional>
#include <string>

namespace quorvane {

class Ui;
struct AlgorithmData;

// The minimisation log file: at most one is open at a time. The minimisers
// append their progress lines while it is open and the file output
// frequency is not 0. Each line goes to the file at once, so the progress
// written so far survives an interrupted run. While it is open the file
// holds an advisory lock, so a second instance of the program cannot write
// its lines into the same log.
class LogFile {
 public:
  LogFile() = default;
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;
  ~LogFile() { Close(); }

  bool IsOpen() const { return fd_ >= 0; }  // LogOpen
  const std::string& Path() const { return path_; }

  // Creates the file anew (an existing file of that name is emptied, once
  // the lock is held). Gives the reason when it cannot be created, is
  // read-only, or another program holds its lock; nothing is open then.
  std::optional<std::string> Create(const std::string& path);
  // Appends a line and CR LF; gives the reason when it cannot be written.
  std::optional<std::string> AppendLine(const std::string& line);
  void Close();

 private:
  int fd_ = -1;
  std::string path_;
};

// The editor's "&Open" button: asks for the log file, creates it, sets
// FileFrequency to 10 and tells the user. Returns false when the user
// cancelled or the file could not be created (the user is told why).
bool OpenLogFile(Ui& ui, AlgorithmData& data, LogFile& log);

// The editor's "&Close" button: closes the log, tells the user, and sets
// FileFrequency to 0.
void CloseLogFile(Ui& ui, AlgorithmData& data, LogFile& log);

}  // namespace quorvane
