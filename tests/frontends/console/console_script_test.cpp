// Runs the console program on scripts, as a user or a batch job would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace {

struct ProgramRun {
  int status;
  std::string output;
};

ProgramRun RunConsole(const std::string& script, const std::string& args = "") {
  // One file per test: ctest runs the tests in parallel processes.
  const std::string path = ::testing::TempDir() + "quorvane_" +
                           ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                           ".txt";
  { std::ofstream(path) << script; }
  const std::string command = std::string(QUORVANE_CONSOLE_BINARY) + " --script " + path + " " +
                              args + " 2>&1 </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return {-1, ""};
  std::string output;
  std::array<char, 4096> buffer{};
  size_t n;
  while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
  int raw = pclose(pipe);
  std::remove(path.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, output};
}

TEST(ConsoleScriptTest, QuitScriptExitsWithStatusZero) {
  ProgramRun run = RunConsole("show\nclick cmdQuit\nyes\nno\n");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Do you want to quit Quorvane?"), std::string::npos);
  EXPECT_NE(run.output.find("> click cmdQuit"), std::string::npos);  // scripts are echoed
}

TEST(ConsoleScriptTest, EndOfScriptWhileWaitingExitsWithStatusTwo) {
  ProgramRun run = RunConsole("click cmdQuit\nno\n", "--quiet");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("Input ended while waiting for a command on the window Main menu"),
            std::string::npos);
  EXPECT_EQ(run.output.find("Window opened"), std::string::npos);  // --quiet
}

TEST(ConsoleScriptTest, MissingScriptIsReported) {
  const std::string command =
      std::string(QUORVANE_CONSOLE_BINARY) + " --script /nonexistent/script.txt 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_TRUE(pipe);
  std::array<char, 512> buffer{};
  std::string output(buffer.data(), fread(buffer.data(), 1, buffer.size(), pipe));
  int raw = pclose(pipe);
  EXPECT_NE(WEXITSTATUS(raw), 0);
  EXPECT_NE(output.find("Cannot open the script /nonexistent/script.txt"), std::string::npos);
}

}  // namespace
