// The session recorder: each user action and answer becomes the console line
// that does the same, on the window the console would act on.
#include "base/ui/recording_ui.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/console_run.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The script's lines without their CR LF ends, comments included.
std::vector<std::string> Lines(const std::string& script) {
  std::vector<std::string> lines;
  std::istringstream in(script);
  for (std::string line; std::getline(in, line);) {
    EXPECT_FALSE(line.empty() || line.back() != '\r') << "line without CR LF: " << line;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Commands(const std::string& script) {
  std::vector<std::string> commands;
  for (const auto& line : Lines(script))
    if (line.rfind("#", 0) != 0) commands.push_back(line);
  return commands;
}

class RecordingUiTest : public ::testing::Test {
 protected:
  RecordingUiTest() : recorder_(ui_), main_("frmMain", "Quorvane"), report_("frmReport", "Report") {
    main_.AddMenu(MenuItem{"mnuApplication", "&Application", "", true, true, false, nullptr,
                           {MenuCommand("mnuMenu", "Main &menu", "", [] {}),
                            MenuSeparator("mnuSep"),
                            MenuCommand("mnuExit", "E&xit", "", [] {})}});
    main_.AddMenu(MenuItem{"mnuWindow", "&Window", "", true, true, false, nullptr,
                           {MenuCommand("mnuCascade", "&Cascade", "", [] {})}});
    recorder_.AddMenuItems(main_);

    report_.Add(ControlKind::Button, "cmdAsk").onClick = [this] {
      recorder_.AskYesNo("Save the report?\r\nIt is new.", "Report", Icon::Question, false);
      recorder_.AskValue("Mean:", "Prior", "0");
      recorder_.ChooseFileToSave(FileDialogRequest{"Save report", "All files (*.*)|*.*", 1, ""});
      recorder_.ChooseFileToOpen(FileDialogRequest{"Open report", "All files (*.*)|*.*", 1, ""});
    };
    report_.Add(ControlKind::TextBox, "txtName");
    report_.Add(ControlKind::CheckBox, "chkWrap");
    report_.Add(ControlKind::OptionButton, "optWide");
    report_.Add(ControlKind::ListBox, "lstSeries");
    report_.SetItems("lstSeries", {"Flow", "Flow", "#3", " padded"});
    report_.Add(ControlKind::Grid, "grdValues");
    report_.SetGridSize("grdValues", 3, 3);
    report_.AddMenu(MenuItem{"mnuWindow", "&Window", "", true, true, false, nullptr,
                             {MenuCommand("mnuCascade", "&Cascade", "", [] {})}});
    recorder_.ShowForm(main_, false);
    recorder_.ShowForm(report_, false);
    script_ = testing::TestTempPath("session.txt");
    existing_ = testing::TestTempPath("existing.txt");
    { std::ofstream(existing_) << "old"; }
  }
  ~RecordingUiTest() override {
    std::remove(script_.c_str());
    std::remove(existing_.c_str());
  }

  testing::ScriptedUi ui_;
  RecordingUi recorder_;
  Form main_, report_;
  std::string script_, existing_;
};

TEST_F(RecordingUiTest, ActionsAndAnswersBecomeConsoleLinesOnTheWindowTheConsoleWouldUse) {
  EXPECT_EQ(ui_.RecordingShown, "");
  ASSERT_EQ(recorder_.StartRecording(script_, "2026-12-10 11:41:29"), std::nullopt);
  EXPECT_FALSE(main_.FindMenu(RecordingUi::kRecordItem)->enabled);
  EXPECT_TRUE(main_.FindMenu(RecordingUi::kStopItem)->enabled);
  EXPECT_EQ(ui_.RecordingShown, script_);  // the front end names the script while it records

  ui_.Answer(Answer::Yes).Value("0.5").File(existing_).File(std::nullopt);
  report_.Edit("txtName", "a");
  report_.Edit("txtName", "ab");  // keystrokes: one line with the whole text
  report_.Click("cmdAsk");        // the typed text is written before the click
  report_.Click("chkWrap");
  report_.SetCheckedByUser("chkWrap", false);
  report_.Choose("optWide");
  report_.Choose("optWide");      // already chosen: nothing to do
  // The console would find Window>Cascade on the report, so the main
  // window is named first.
  main_.ClickMenuItem("mnuCascade");
  report_.Select("lstSeries", 0);
  report_.Select("lstSeries", 1);  // the text would find the first "Flow"
  report_.Select("lstSeries", 2);  // a text like an item number
  report_.Select("lstSeries", 3);  // a text the line would lose its blank of
  report_.DoubleClick("grdValues", 2, 1);
  // A figure saved from the surface's context menu, with its size and resolution.
  report_.NoteSurfaceSaved("Graph", "/tmp/my figures/fit.pdf", {1200, 800, 600, false});
  main_.ClickMenuItem("mnuMenu");  // only the main window has it: no window line
  report_.Edit("txtName", "last");
  recorder_.CloseForm(report_);    // the logic closes it: the typed text goes first
  main_.ClickMenuItem(RecordingUi::kStopItem);
  EXPECT_FALSE(recorder_.Recording());
  main_.ClickMenuItem("mnuMenu");  // after the recording

  const std::string script = ReadFile(script_);
  EXPECT_EQ(Commands(script), (std::vector<std::string>{
                                  "set txtName ab",
                                  "click cmdAsk",
                                  "yes",
                                  "0.5",
                                  existing_,
                                  "yes",  // replace the file that is there
                                  "",     // the open chooser cancelled
                                  "check chkWrap",
                                  "uncheck chkWrap",
                                  "choose optWide",
                                  "window frmMain",
                                  "menu Window>Cascade",
                                  "window frmReport",
                                  "select lstSeries Flow",
                                  "select lstSeries #2",
                                  "select lstSeries #3",
                                  "select lstSeries #4",
                                  "dblclick grdValues 2 1",
                                  "save Graph /tmp/my figures/fit.pdf 1200x800 600 notitle",
                                  "menu Application>Main menu",
                                  "set txtName last",
                              }))
      << script;
  const std::vector<std::string> lines = Lines(script);
  EXPECT_EQ(lines.front(), "# Quorvane session recorded 2026-12-10 11:41:29");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "# \"Save the report? It is new.\""), lines.end())
      << script;
  EXPECT_EQ(lines.back().rfind("# Recording stopped ", 0), 0u);
}

TEST_F(RecordingUiTest, WindowsAreFollowedAsTheConsoleFollowsThem) {
  Form dialog("frmDialog", "Choose");
  dialog.Add(ControlKind::Button, "cmdOK");
  ASSERT_EQ(recorder_.StartRecording(script_, "now"), std::nullopt);
  recorder_.ShowForm(dialog, false);  // opens on top: the active window
  dialog.Click("cmdOK");
  recorder_.BringToFront(report_);
  ui_.Answer(Answer::No).Value("").File(std::nullopt).File(std::nullopt);
  report_.Click("cmdAsk");
  dialog.MarkOpen(false);  // the user closed it from its close box
  report_.Choose("optWide");
  EXPECT_TRUE(report_.QueryClose());
  recorder_.StopRecording("then");
  EXPECT_EQ(ui_.RecordingShown, "");

  const std::string script = ReadFile(script_);
  const std::vector<std::string> commands = Commands(script);
  ASSERT_GE(commands.size(), 2u) << script;
  EXPECT_EQ(commands[0], "click cmdOK");
  EXPECT_EQ(commands[1], "click cmdAsk");  // BringToFront made it active
  EXPECT_EQ(commands.back(), "close");
  EXPECT_EQ(commands[commands.size() - 2], "choose optWide");
  EXPECT_NE(script.find("# Window: Choose (frmDialog)"), std::string::npos) << script;
}

TEST_F(RecordingUiTest, TextOfSeveralLinesIsLeftOutWithACommentSoNoLineBecomesACommand) {
  ASSERT_EQ(recorder_.StartRecording(script_, "now"), std::nullopt);
  report_.Edit("txtName", "first line\r\nclose");
  report_.Leave("txtName");
  ui_.Value("two\r\nlines");
  recorder_.AskValue("Note:", "Notes", "");
  recorder_.StopRecording("then");
  const std::string script = ReadFile(script_);
  EXPECT_EQ(Commands(script), (std::vector<std::string>{"two  lines"})) << script;
  EXPECT_NE(script.find("# Text of several lines was typed into txtName"), std::string::npos)
      << script;
}

TEST_F(RecordingUiTest, AScriptThatCannotBeWrittenIsRefusedAndNothingRecords) {
  const std::string folder = testing::TestTempPath("no-such-folder") + "/session.txt";
  const auto error = recorder_.StartRecording(folder, "now");
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(recorder_.Recording());
  EXPECT_TRUE(main_.FindMenu(RecordingUi::kRecordItem)->enabled);
  report_.Click("chkWrap");
  EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace quorvane
