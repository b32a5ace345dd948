#include "console/console_ui.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_menu.h"
#include "app/session.h"

namespace quorvane::console {
namespace {

struct ScriptRun {
  int status;
  std::string out;
  std::string err;
};

ScriptRun RunScript(const std::string& script, ConsoleOptions options = {},
              const std::function<void(Session&)>& prepare = nullptr) {
  std::istringstream in(script);
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, options);
  Session session(ui, nullptr);
  int status = ui.Run([&] {
    session.Start();
    if (prepare) prepare(session);
  });
  return {status, out.str(), err.str()};
}

TEST(ConsoleUiTest, ShowListsExactlyInitializeAndQuitAsEnabledAtStart) {
  ScriptRun run = RunScript("show\nclick cmdQuit\nyes\nno\n");
  EXPECT_EQ(run.status, 0);
  std::istringstream lines(run.out);
  std::vector<std::string> enabled;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("  button ", 0) == 0 && line.find("[enabled]") != std::string::npos)
      enabled.push_back(line);
  EXPECT_EQ(enabled, (std::vector<std::string>{
                         "  button cmdInitialize \"&Initialize model\" [enabled]",
                         "  button cmdQuit \"&Quit\" [enabled]"}));
  EXPECT_NE(run.out.find("[Exit Quorvane] Do you want to quit Quorvane? (yes/no)"),
            std::string::npos);
}

TEST(ConsoleUiTest, DecliningToQuitKeepsRunningUntilInputEnds) {
  ScriptRun run = RunScript("click cmdQuit\nno\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "Input ended while waiting for a command on the window Main menu (frmMenu)\n");
}

TEST(ConsoleUiTest, InputEndingAtAQuestionNamesTheQuestion) {
  ScriptRun run = RunScript("# a comment is skipped\nclick cmdQuit\n");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "Input ended while waiting for an answer (yes/no) to [Exit Quorvane] Do you want to "
            "quit Quorvane?\n");
}

TEST(ConsoleUiTest, ScriptErrorsStopTheScriptNamingTheLine) {
  struct Case {
    const char* script;
    const char* error;
  };
  for (const Case& c : {
           Case{"click cmdQuit\nmaybe\n", "Script line 2: \"maybe\" does not answer"},
           Case{"click cmdSimplex\n", "Script line 1: cmdSimplex is disabled"},
           Case{"click cmdNothing\n", "Script line 1: The window frmMenu has no control cmdNothing"},
           Case{"fly away\n", "Script line 1: Unknown command \"fly\""},
           Case{"window frmNone\n", "Script line 1: No open window frmNone"},
       }) {
    ScriptRun run = RunScript(c.script);
    EXPECT_EQ(run.status, 3) << c.script;
    EXPECT_EQ(run.err.rfind(c.error, 0), 0u) << run.err;
  }
}

TEST(ConsoleUiTest, InteractiveErrorsAskAgain) {
  ConsoleOptions options;
  options.interactive = true;
  ScriptRun run = RunScript("click cmdQuit\nmaybe\nYES\nno\n", options);
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("Error: \"maybe\" does not answer"), std::string::npos);
}

TEST(ConsoleUiTest, MenusOfTheMainWindowReachInformationWindows) {
  ScriptRun run = RunScript("menu Wisdom\nshow\nclick cmdOK\nmenu Application>Exit\nyes\nno\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("== Patience and wisdom lead to satisfying results =="),
            std::string::npos);
  EXPECT_NE(run.out.find("Window closed: Patience and wisdom lead to satisfying results"),
            std::string::npos);
}

// The test program runs in the build tree, so the guide is the source tree's.
TEST(ConsoleUiTest, TheUserGuideItemNamesTheGuidesFile) {
  ScriptRun run = RunScript("menu About>User guide\nmenu Application>Exit\nyes\nno\n");
  EXPECT_EQ(run.status, 0);
  const std::string guide =
      (std::filesystem::path(QUORVANE_SOURCE_DIR) / "docs/README.md").lexically_normal().string();
  EXPECT_NE(run.out.find("[User guide] The user guide is " + guide + "\n"), std::string::npos)
      << run.out;
}

// Ctrl+C reaches the calculation running now, the innermost of nested
// ones, never a window left open by an earlier one; with none running it
// says so.
TEST(ConsoleUiTest, CtrlCInterruptsTheRunningCalculation) {
  std::istringstream in("");
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, {});
  Form earlier("frmEarlier", "An earlier calculation");
  int stale = 0, outer = 0, inner = 0;
  earlier.onInterrupt = [&] { ++stale; };
  ui.ShowForm(earlier, false);
  {
    const InterruptScope profile(ui, [&] { ++outer; });
    ui.PumpEvents();
    EXPECT_EQ(outer, 0);
    {
      const InterruptScope search(ui, [&] { ++inner; });
      InterruptSignal() = true;
      ui.PumpEvents();
      ui.PumpEvents();
    }
    InterruptSignal() = true;
    ui.PumpEvents();
  }
  EXPECT_EQ(inner, 1);
  EXPECT_EQ(outer, 1);
  EXPECT_EQ(out.str().find("Nothing to interrupt."), std::string::npos);
  InterruptSignal() = true;
  ui.PumpEvents();
  EXPECT_EQ(stale, 0);
  EXPECT_NE(out.str().find("Nothing to interrupt."), std::string::npos);
  EXPECT_FALSE(InterruptSignal());
}

TEST(ConsoleUiTest, FileChooserCancelsOnEmptyLineAndAsksBeforeReplacing) {
  std::string existing = ::testing::TempDir() + "quorvane_console_existing.alg";
  { std::ofstream(existing) << "x"; }
  std::istringstream in("\n" + existing + "\nno\n" + existing + "\nyes\n");
  std::ostringstream out, err;
  ConsoleUi ui(in, out, err, {});
  FileDialogRequest request{"Save algorithm data", "All files (*.*)|*.*|", 1, "a.alg"};
  EXPECT_EQ(ui.ChooseFileToSave(request), std::nullopt);
  EXPECT_EQ(ui.ChooseFileToSave(request), existing);
  EXPECT_NE(out.str().find("already exists"), std::string::npos);
  std::remove(existing.c_str());
}

}  // namespace
}  // namespace quorvane::console
