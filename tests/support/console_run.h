#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

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

// Runs the example script examples/`example` from the source folder with
// QUORVANE_THREADS = threads, the files it saves (`files`, as the script
// names them) redirected to the running test's temporary names: the same
// names on every run, since a saved report names its own file. Returns the
// saved bytes by the script's name of the file.
inline std::map<std::string, std::string> RunExampleScript(const std::string& example,
                                                           const std::vector<std::string>& files,
                                                           const std::string& threads) {
  std::ifstream in(std::string(QUORVANE_SOURCE_DIR) + "/examples/" + example);
  std::stringstream script;
  script << in.rdbuf();
  std::string text = script.str();
  std::map<std::string, std::string> paths;
  for (const std::string& file : files) {
    const std::string path = TestTempPath(file.substr(file.find('/') + 1));
    std::remove(path.c_str());
    const size_t at = text.find(file);
    EXPECT_NE(at, std::string::npos) << file;
    if (at != std::string::npos) text.replace(at, file.size(), path);
    paths[file] = path;
  }
  setenv("QUORVANE_THREADS", threads.c_str(), 1);
  const ProgramRun run = RunConsole(text, "--quiet", QUORVANE_SOURCE_DIR);
  unsetenv("QUORVANE_THREADS");
  EXPECT_EQ(run.status, 0) << run.output;
  std::map<std::string, std::string> bytes;
  for (const auto& [file, path] : paths) {
    bytes[file] = ReadAll(path);
    std::remove(path.c_str());
  }
  return bytes;
}

}  // namespace quorvane::testing
