// The main menu's Load and Save commands and the reader's messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/algorithm_file.h"
#include "core/core_session.h"
#include "core/load_algorithm_data.h"
#include "core/save_algorithm_data.h"
#include "base/files/text_file.h"
#include "base/format/file_names.h"

namespace quorvane {
namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class AlgorithmDataCommandsTest : public testing::CoreSession {
 protected:
  // A file for the session's three parameters, written from `edit` applied
  // to a parameter set with values 1, 2, 3.
  std::string File(const std::string& name,
                   const std::function<void(std::vector<std::string>&)>& edit = nullptr) {
    AlgorithmData source = data();
    source.Values = {1, 2, 3};
    source.Steps = {0.1, 0, 0.3};
    source.FileFrequency = 7;
    auto lines = AlgorithmFileLines(source, ParameterLineLabel::MainMenu);
    if (edit) edit(lines);
    const std::string path = TempPath(name);
    EXPECT_EQ(WriteTextFileAtomically(path, JoinCrLf(lines)), std::nullopt);
    return path;
  }

  void Load(const std::string& path) {
    ui_.Answer(Answer::Yes).File(path);
    menu().Click("cmdLoadAlg");
  }
};

TEST_F(AlgorithmDataCommandsTest, LoadingAFileReplacesTheDataAndEnablesEverything) {
  const std::string path = File("model1.alg");
  Load(path);
  EXPECT_EQ(ui_.Log[0].service, "AskYesNoCancel");
  EXPECT_EQ(ui_.Log[0].title, "Load algorithm data");
  EXPECT_EQ(ui_.Log[0].text,
            "Load an existing algorithm data file?\r\n\r\n     Choose NO for default values");
  EXPECT_EQ(ui_.Log[0].icon, Icon::Question);
  const FileDialogRequest& request = ui_.FileRequests.back();
  EXPECT_EQ(request.title, "Open algorithm data file");
  EXPECT_EQ(request.filter, "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg");
  EXPECT_EQ(request.filterIndex, 2);

  EXPECT_EQ(data().Values, (OneBased<double>{1, 2, 3}));
  EXPECT_EQ(data().Steps, (OneBased<double>{0.1, 0, 0.3}));
  EXPECT_EQ(data().FileFrequency, 0);
  EXPECT_EQ(state().AlgorithmFileName, path);
  EXPECT_EQ(state().AlgorithmFileTitle, FileTitle(path));
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(1, 1)], "Algorithm file: " + path);
  EXPECT_EQ(EnabledCount(), 13);
  EXPECT_EQ(menu().Get("cmdUserSummary").caption, "Res&ults Summary");
  EXPECT_TRUE(ui_.Messages().empty());
}

TEST_F(AlgorithmDataCommandsTest, ToleranceBelowTheMinimumIsRaisedKeepingItsSign) {
  const struct {
    const char* field;
    double tolerance;
  } cases[] = {{"       5.0E-07", 1e-6}, {"      -5.0E-07", -1e-6}, {"             0", 0.0},
               {"      -2.0E-03", -2e-3}};
  for (const auto& c : cases) {
    Load(File("tolerance.alg", [&](auto& lines) { lines[4] = std::string(c.field) + "  Simplex"; }));
    EXPECT_EQ(data().Tolerance, c.tolerance) << c.field;
  }
}

TEST_F(AlgorithmDataCommandsTest, DefaultsGetADateTimeName) {
  data().Values = {4, 5, 6};
  ui_.Answer(Answer::No);
  menu().Click("cmdLoadAlg");
  EXPECT_EQ(data().Values, (OneBased<double>{0, 0, 0}));
  const std::string name = state().AlgorithmFileName;
  ASSERT_EQ(name.size(), 12u);
  EXPECT_EQ(name.substr(8), ".alg");
  EXPECT_EQ(state().AlgorithmFileTitle, name.substr(0, 8));
  EXPECT_EQ(Last().title, "Default Algorithm Values");
  EXPECT_EQ(Last().text,
            "                     Algorithm data set to default values.\r\n\r\n"
            "Algorithm file given the date-time based name: " + name);
  EXPECT_EQ(EnabledCount(), 13);
}

TEST_F(AlgorithmDataCommandsTest, CancelAndAFailedReadLeaveTheDataAndTheirName) {
  session_.Simplex.Exists = true;
  ui_.Answer(Answer::Cancel);
  menu().Click("cmdLoadAlg");
  ui_.Answer(Answer::Yes).File(std::nullopt);
  menu().Click("cmdLoadAlg");
  EXPECT_TRUE(session_.Simplex.Exists);
  EXPECT_EQ(state().AlgorithmFileName, "");
  EXPECT_EQ(EnabledCount(), 3);

  Load(File("good.alg"));
  const std::string goodName = state().AlgorithmFileName;
  session_.Simplex.Exists = true;

  // The count disagrees with the model: the message, and nothing changes.
  const std::string bad = File("bad.alg", [](auto& lines) { lines[0] = "             4  N"; });
  data().Values[1] = 42;
  Load(bad);
  EXPECT_EQ(Last().title, "Algorithm file - information input failed");
  EXPECT_EQ(Last().text,
            "Algorithm file  " + bad + "  has 4 parameters, but your model specifies 3");
  EXPECT_EQ(Last().icon, Icon::Information);
  EXPECT_EQ(data().Values, (OneBased<double>{42, 2, 3}));
  EXPECT_EQ(state().AlgorithmFileName, goodName);
  EXPECT_TRUE(session_.Simplex.Exists);
  EXPECT_TRUE(ui_.IsOpen("frmMenu"));  // hidden for the message, then shown again

  // A file broken half-way leaves every value as it was.
  Load(File("half.alg", [](auto& lines) { lines[3] = " 1.0000000E+00  oops"; }));
  EXPECT_EQ(Last().text,
            "Algorithm file seems to have inappropriate, badly formatted, or missing, information "
            "- better check it!");
  EXPECT_EQ(data().Values, (OneBased<double>{42, 2, 3}));

  // A file that cannot be read at all.
  const std::string folder = TempPath("folder.alg");
  std::filesystem::create_directories(folder);
  Load(folder);
  EXPECT_EQ(Last().title, "Problem Reading Algorithm File!");
  EXPECT_EQ(Last().text, "Be suspicious that your algorithm file is not properly formatted\r\n\r\n" +
                            folder + " is a folder");
  EXPECT_EQ(Last().icon, Icon::Critical);
  EXPECT_EQ(state().AlgorithmFileName, goodName);
  EXPECT_TRUE(menu().IsEnabled("cmdLoadAlg"));
  EXPECT_TRUE(menu().IsEnabled("cmdInitialize"));
}

TEST_F(AlgorithmDataCommandsTest, AFailedFirstLoadLeavesTheOtherCommandsUnreachable) {
  Load(File("short.alg", [](auto& lines) { lines.pop_back(); }));
  EXPECT_EQ(Last().text,
            "Algorithm file seems to have too few lines of information - better check it!");
  EXPECT_EQ(state().AlgorithmFileName, "");
  session_.Menu().Close();
  session_.Menu().Show();
  EXPECT_EQ(EnabledCount(), 3);

  Load(File("long.alg", [](auto& lines) { lines.push_back(" "); }));
  EXPECT_EQ(Last().text,
            "Algorithm file seems to have too many lines of information - better check it!");
}

TEST_F(AlgorithmDataCommandsTest, SaveWritesTheChosenFileAndNamesIt) {
  Load(File("start.alg"));
  state().DataFileTitle = "nile";
  const std::string path = TempPath("saved.alg");
  ui_.File(path);
  menu().Click("cmdSaveAlg");
  const FileDialogRequest& request = ui_.FileRequests.back();
  EXPECT_EQ(request.title, "Save algorithm data in...");
  EXPECT_EQ(request.filter,
            "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg|Named for data file (nile.*)|nile.*|");
  EXPECT_EQ(request.filterIndex, 3);
  EXPECT_EQ(request.proposedName, TempPath("start.alg"));
  EXPECT_EQ(state().AlgorithmFileName, path);
  EXPECT_EQ(state().AlgorithmFileTitle, FileTitle(path));
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(1, 1)], "Algorithm file: " + path);
  EXPECT_NE(Slurp(path).find(" 2.0000000E+00   0.0000000E+00  ~~  Value, step then link for "
                             "Description of parameter 2\r\n"),
            std::string::npos);
  EXPECT_EQ(EnabledCount(), 13);

  // The ranking window's variant.
  const std::string ranked = TempPath("ranked.alg");
  ui_.File(ranked);
  EXPECT_TRUE(RankingSave_Alg(session_));
  EXPECT_EQ(ui_.FileRequests.back().filterIndex, 2);
  EXPECT_EQ(ui_.StatusPanels[std::make_pair(1, 1)], "Algorithm file: " + FileTitle(ranked));
  EXPECT_NE(Slurp(ranked).find("Value, step then link for: Description of parameter 1"),
            std::string::npos);
}

TEST_F(AlgorithmDataCommandsTest, AFailedSaveSaysWhyAndKeepsTheOldFileAndName) {
  const std::string old = File("old.alg");
  Load(old);
  const std::string before = Slurp(old);
  data().Values[1] = 99;
  ui_.File("/nonexistent-folder/new.alg");
  EXPECT_FALSE(Save_Alg(session_));
  EXPECT_EQ(Last().service, "ShowMessage");
  EXPECT_NE(Last().text.find("/nonexistent-folder/new.alg"), std::string::npos);
  EXPECT_EQ(state().AlgorithmFileName, old);
  EXPECT_EQ(Slurp(old), before);

  // A cancelled chooser saves nothing, quietly.
  const auto shown = ui_.Log.size();
  ui_.File(std::nullopt);
  EXPECT_FALSE(Save_Alg(session_));
  EXPECT_EQ(ui_.Log.size(), shown + 1);  // the chooser only
}

TEST_F(AlgorithmDataCommandsTest, QuitOffersTheSaveAndClosesTheLog) {
  ui_.Answer(Answer::No);
  menu().Click("cmdLoadAlg");
  const std::string log = TempPath("run.qvl");
  ASSERT_EQ(session_.Log.Create(log), std::nullopt);
  const std::string path = TempPath("at-quit.alg");
  ui_.Answer(Answer::Yes).Answer(Answer::Yes).File(path);
  menu().Click("cmdQuit");
  EXPECT_TRUE(ui_.Ended);
  EXPECT_EQ(ui_.FileRequests.back().proposedName.substr(8), ".alg");  // the date-time name
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_FALSE(session_.Log.IsOpen());
}

}  // namespace
}  // namespace quorvane
