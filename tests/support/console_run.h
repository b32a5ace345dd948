#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace quorvane::testing {

// What the console program printed (standard output and error together)
// and its exit status.
struct ProgramRun {
  int status;
  std::string output;
};

// A file name of the running test in the temporary folder: ctest runs the
// tests in parallel processes, so every test gets names of its own.
inline std::string TestTempPath(const std::string& what) {
  return ::testing::TempDir() + "quorvane_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + what;
}

// Runs the console program on a script file, in `workingDirectory`, with
// extra arguments and no standard input.
inline ProgramRun RunConsoleScript(const std::string& scriptPath, const std::string& arguments = "",
                                   const std::string& workingDirectory = ".") {
  const std::string command = "cd '" + workingDirectory + "' && " +
                              std::string(QUORVANE_CONSOLE_BINARY) + " " + arguments +
                              " --script '" + scriptPath + "' 2>&1 </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, ""};
  std::string output;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
  const int raw = pclose(pipe);
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

// Writes the script text to a file of the running test and runs it.
inline ProgramRun RunConsole(const std::string& script, const std::string& arguments = "",
                             const std::string& workingDirectory = ".") {
  const std::string path = TestTempPath("script.txt");
  { std::ofstream(path) << script; }
  ProgramRun run = RunConsoleScript(path, arguments, workingDirectory);
  std::remove(path.c_str());
  return run;
}

// The whole of a file a script saved, byte for byte ("" when it is missing).
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Replaces every `from` in `text` by `to`, as a script is pointed at other paths.
inline void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

}  // namespace quorvane::testing
