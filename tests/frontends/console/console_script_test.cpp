// Runs the console program on scripts, as a user or a batch job would.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#include "support/console_run.h"

namespace {

using quorvane::testing::ProgramRun;
using quorvane::testing::RunConsole;

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
