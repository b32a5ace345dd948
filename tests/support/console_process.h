#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorvane::testing {

// The console program as a user drives it at a terminal: lines typed one at
// a time, the output read as it comes, and Ctrl+C sent as the signal it is.
// The program flushes its output before it reads a line, so waiting for a
// question's text means the program is waiting for the answer.
class ConsoleProcess {
 public:
  explicit ConsoleProcess(const std::string& workingDirectory) {
    int toChild[2], fromChild[2];
    if (pipe(toChild) != 0 || pipe(fromChild) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(toChild[0], STDIN_FILENO);
      dup2(fromChild[1], STDOUT_FILENO);
      dup2(fromChild[1], STDERR_FILENO);
      close(toChild[1]);
      close(fromChild[0]);
      if (chdir(workingDirectory.c_str()) != 0) _exit(127);
      execl(QUORVANE_CONSOLE_BINARY, QUORVANE_CONSOLE_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    input_ = toChild[1];
    output_ = fromChild[0];
    // A program that ended early must fail the test, not end it by SIGPIPE.
    previousPipeHandler_ = std::signal(SIGPIPE, SIG_IGN);
  }

  ~ConsoleProcess() {
    if (input_ >= 0) close(input_);
    if (output_ >= 0) close(output_);
    if (pid_ > 0 && !finished_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    std::signal(SIGPIPE, previousPipeHandler_);
  }
  ConsoleProcess(const ConsoleProcess&) = delete;
  ConsoleProcess& operator=(const ConsoleProcess&) = delete;

  void Type(const std::string& line) {
    const std::string text = line + "\n";
    if (write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
      ADD_FAILURE() << "could not type: " << line;
  }

  void PressCtrlC() { kill(pid_, SIGINT); }

  // Reads until the output holds `text` after everything already awaited.
  // False when the program ends or stays silent for two minutes first.
  bool AwaitText(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (output.find(text, awaitedUpTo_) == std::string::npos) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd ready{output_, POLLIN, 0};
      if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0) return false;
      if (!ReadSome()) return false;
    }
    awaitedUpTo_ = output.find(text, awaitedUpTo_) + text.size();
    return true;
  }

  // Ends the input and waits for the program to end; its exit status, or
  // -1 when a signal ended it.
  int Finish() {
    close(input_);
    input_ = -1;
    while (ReadSome()) {
    }
    int raw = 0;
    waitpid(pid_, &raw, 0);
    finished_ = true;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  std::string output;  // everything the program wrote, standard error included

 private:
  bool ReadSome() {
    char buffer[4096];
    const ssize_t n = read(output_, buffer, sizeof buffer);
    if (n <= 0) return false;
    output.append(buffer, static_cast<size_t>(n));
    return true;
  }

  pid_t pid_ = -1;
  int input_ = -1;
  int output_ = -1;
  bool finished_ = false;
  size_t awaitedUpTo_ = 0;
  void (*previousPipeHandler_)(int) = SIG_DFL;
};

}  // namespace quorvane::testing
