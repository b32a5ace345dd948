// A desktop session recorded as a console script: the user's clicks, typing,
// choices and answers in the Qt windows become the console lines that do the
// same, and the console replaying them saves the same summary.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/algorithm_editor.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"
#include "base/files/text_file.h"
#include "base/ui/recording_ui.h"
#include "file_dialog_answer.h"
#include "modal_answerer.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/menu_binder.h"
#include "qt/qt_ui.h"
#include "qt/status_area.h"
#include "support/console_run.h"
#include "tfn/tfn_application.h"

namespace quorvane::qt {
namespace {

using testing::ModalAnswerer;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Chooses `path` in a file dialog and accepts it, as the user would.
std::function<void(QWidget*)> ChooseFile(const std::string& path) {
  return [path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << "expected a file dialog";
    testing::ChooseInFileDialog(*dialog, QString::fromStdString(path));
  };
}

std::function<void(QWidget*)> Press(QMessageBox::StandardButton button) {
  return [button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr) << "expected a message box";
    box->button(button)->click();
  };
}

// The focus leaving a field, as when the user moves on to the next one.
void Leave(QWidget* widget) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(widget, &out);
}

void TypeInto(QLineEdit* edit, const QString& text, QWidget* field) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
  Leave(field);
}

class SessionRecordingQtTest : public ::testing::Test {
 protected:
  SessionRecordingQtTest() : recorder_(ui_), session_(recorder_, &timeSeries_.Model()) {
    timeSeries_.Attach(session_);
    recorder_.AddMenuItems(session_.Main().form());
    ui_.SetExitAction([this](int status) { exitStatus_ = status; });
    ui_.AttachMainWindow(session_.Main());
    session_.Start();
  }

  // A widget of an open window, found by its control name.
  template <typename W>
  W* Widget(const char* name) {
    W* widget = Shown<W>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  // The widget of that name the user can see, or null.
  template <typename W>
  W* Shown(const char* name) {
    for (W* widget : ui_.Frame().findChildren<W*>(QString::fromLatin1(name)))
      if (widget->isVisibleTo(&ui_.Frame())) return widget;
    return nullptr;
  }
  QAction* MainAction(const char* item) { return ui_.Frame().Menus()->Action(item); }

  // Starts recording into `script` from the Application menu.
  void StartRecording(ModalAnswerer& answers, const std::string& script) {
    answers.Then(ChooseFile(script));
    MainAction(RecordingUi::kRecordItem)->trigger();
    ASSERT_TRUE(recorder_.Recording());
  }

  // The Nile set-up in the Initialize window as a user fills it in (the
  // data file chosen, periods typed, counts picked, logits off), then the
  // algorithm data of `algorithm` loaded.
  void SetUpNile(ModalAnswerer& answers, const std::string& data, const std::string& algorithm) {
    answers.Then(ChooseFile(data));
    Widget<QPushButton>("cmdInitialize")->click();
    Widget<QPushButton>("cmdSelectRes")->click();
    auto* start = Widget<QComboBox>("cboResStartTimePeriod");
    TypeInto(start->lineEdit(), QStringLiteral("1871"), start);
    for (const auto& [name, item] : {std::pair{"cboResEndTimePeriod", "1970"},
                                     std::pair{"cboIntervention1", "1"}, std::pair{"cboARMA", "1"}}) {
      auto* combo = Widget<QComboBox>(name);
      const int index = combo->findText(QString::fromLatin1(item));
      ASSERT_GE(index, 0) << name;
      combo->setCurrentIndex(index);
      emit combo->activated(index);
    }
    Widget<QCheckBox>("chkARMALogit")->click();
    Widget<QPushButton>("cmdDone")->click();
    answers.Then(Press(QMessageBox::Yes)).Then(ChooseFile(algorithm));
    Widget<QPushButton>("cmdLoadAlg")->click();
  }

  QtUi ui_;
  RecordingUi recorder_;
  TfnApplication timeSeries_;
  Session session_;
  int exitStatus_ = -1;
};

// The lines of a script that are not comments.
std::vector<std::string> Commands(const std::string& script) {
  std::vector<std::string> commands;
  std::istringstream in(script);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#", 0) != 0) commands.push_back(line);
  }
  return commands;
}

TEST_F(SessionRecordingQtTest, RecordedNileSessionReplaysInTheConsoleToTheSameSummary) {
  const std::string dir = quorvane::testing::TestTempPath("dir");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string script = dir + "/session.txt";
  const std::string summary = dir + "/nile.qvo";
  const std::string data = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.dat";
  const std::string algorithm = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.alg";

  EXPECT_TRUE(MainAction(RecordingUi::kRecordItem)->isEnabled());
  EXPECT_FALSE(MainAction(RecordingUi::kStopItem)->isEnabled());
  ModalAnswerer answers;
  answers.Then(ChooseFile(script));
  MainAction(RecordingUi::kRecordItem)->trigger();
  ASSERT_TRUE(recorder_.Recording());
  EXPECT_FALSE(MainAction(RecordingUi::kRecordItem)->isEnabled());
  EXPECT_TRUE(MainAction(RecordingUi::kStopItem)->isEnabled());
  // The status bar says so, naming the script.
  QLabel* recording = ui_.Frame().Status()->Recording();
  EXPECT_FALSE(recording->isHidden());
  EXPECT_EQ(recording->text(), QStringLiteral("Recording to session.txt"));
  EXPECT_TRUE(recording->toolTip().contains(QString::fromStdString(script)));

  SetUpNile(answers, data, algorithm);
  answers.Then(Press(QMessageBox::Ok));  // "Minimum found using Simplex!"
  Widget<QPushButton>("cmdSimplex")->click();
  answers.Then(Press(QMessageBox::No));  // no plots
  Widget<QPushButton>("cmdUserSummary")->click();
  answers.Then(ChooseFile(summary));
  Widget<QPushButton>("cmdSaveSummary")->click();
  ASSERT_TRUE(std::filesystem::exists(summary));
  // The summary window closed from its close box.
  QWidget* summaryWindow = Widget<QPushButton>("cmdSaveSummary");
  while (summaryWindow && !qobject_cast<QMdiSubWindow*>(summaryWindow))
    summaryWindow = summaryWindow->parentWidget();
  ASSERT_NE(summaryWindow, nullptr);
  summaryWindow->close();

  // The recording items themselves never reach the script.
  MainAction(RecordingUi::kStopItem)->trigger();
  EXPECT_FALSE(recorder_.Recording());
  EXPECT_TRUE(recording->isHidden());
  EXPECT_EQ(answers.Unexpected(), 0);

  const std::string recorded = ReadFile(script);
  EXPECT_EQ(recorded.find("\n"), recorded.find("\r\n") + 1) << "lines end in CR LF";
  EXPECT_EQ(recorded.rfind("# Quorvane session recorded ", 0), 0u) << recorded;
  EXPECT_NE(recorded.find("# Window: "), std::string::npos) << recorded;
  EXPECT_NE(recorded.find("# Recording stopped "), std::string::npos) << recorded;
  const std::vector<std::string> expected = {
      "click cmdInitialize",
      "click cmdSelectRes",
      data,
      "set cboResStartTimePeriod 1871",
      // The drop-down lists the file's periods, so the typed period is also
      // the list's choice, which the combo box reports as one.
      "select cboResStartTimePeriod 1871",
      "select cboResEndTimePeriod 1970",
      "select cboIntervention1 1",
      "select cboARMA 1",
      "uncheck chkARMALogit",
      "click cmdDone",
      "click cmdLoadAlg",
      "yes",
      algorithm,
      "click cmdSimplex",
      "click cmdUserSummary",
      "no",
      "click cmdSaveSummary",
      summary,
      "close",
  };
  EXPECT_EQ(Commands(recorded), expected) << recorded;

  // The console replays it, with the quit the recording did not include,
  // and saves the same summary to the same path.
  const std::string saved = ReadFile(summary);
  std::filesystem::remove(summary);
  const std::string replay = dir + "/replay.txt";
  ASSERT_EQ(WriteTextFileAtomically(replay, recorded + "click cmdQuit\r\nyes\r\nno\r\n"), std::nullopt);
  const quorvane::testing::ProgramRun run =
      quorvane::testing::RunConsoleScript(replay, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadFile(summary), saved);
  std::filesystem::remove_all(dir);
}

TEST_F(SessionRecordingQtTest, AnEditorClosedWithItsCloseBoxReplaysToTheSameSavedAlgorithmData) {
  const std::string dir = quorvane::testing::TestTempPath("dir");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string script = dir + "/session.txt";
  const std::string saved = dir + "/edited.alg";
  const std::string data = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.dat";
  const std::string algorithm = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.alg";
  ModalAnswerer answers;
  StartRecording(answers, script);
  SetUpNile(answers, data, algorithm);

  // The intercept's value typed into its cell, then the editor closed with
  // the x of its title bar.
  Widget<QPushButton>("cmdEditAlg")->click();
  Form& editor = session_.Editor().form();
  auto* grid = Widget<QTableView>("grdVS");
  ASSERT_NE(grid, nullptr);
  grid->setFocus(Qt::MouseFocusReason);
  emit grid->doubleClicked(grid->model()->index(2, 0));
  auto* cell = Widget<QLineEdit>("txtCell");
  ASSERT_NE(cell, nullptr);
  cell->selectAll();
  QTest::keyClicks(cell, "1050");
  QTest::keyClick(cell, Qt::Key_Return);
  answers.Then(Press(QMessageBox::Ok));  // "Algorithm data, if changed, have been updated"
  ui_.WindowOf(editor)->close();
  QApplication::processEvents();
  ASSERT_FALSE(editor.IsOpen());
  // Nothing of it is left on the screen for the user to act on.
  ASSERT_EQ(Shown<QTableView>("grdVS"), nullptr);
  ASSERT_EQ(Shown<QPushButton>("cmdFinish"), nullptr);

  // Opened again, it shows the edit; its step is then changed and the
  // editor finished from its button; the data are saved.
  Widget<QPushButton>("cmdEditAlg")->click();
  grid = Widget<QTableView>("grdVS");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->model()->index(2, 0).data().toString(), "1.0500E+03");
  grid->setFocus(Qt::MouseFocusReason);
  emit grid->doubleClicked(grid->model()->index(2, 1));
  cell = Widget<QLineEdit>("txtCell");
  cell->selectAll();
  QTest::keyClicks(cell, "7");
  QTest::keyClick(cell, Qt::Key_Return);
  answers.Then(Press(QMessageBox::Ok));
  Widget<QPushButton>("cmdFinish")->click();
  answers.Then(ChooseFile(saved));
  Widget<QPushButton>("cmdSaveAlg")->click();
  ASSERT_TRUE(std::filesystem::exists(saved));
  MainAction(RecordingUi::kStopItem)->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);

  const std::string recorded = ReadFile(script);
  const std::vector<std::string> commands = Commands(recorded);
  const std::vector<std::string> editing = {
      "click cmdEditAlg", "dblclick grdVS 3 1", "set txtCell 1050", "close",
      "click cmdEditAlg", "dblclick grdVS 3 2", "set txtCell 7",    "click cmdFinish",
      "click cmdSaveAlg", saved,
  };
  ASSERT_GE(commands.size(), editing.size());
  EXPECT_EQ(std::vector<std::string>(commands.end() - static_cast<long>(editing.size()), commands.end()),
            editing)
      << recorded;

  // The console replays it to the same file, byte for byte.
  const std::string original = ReadFile(saved);
  EXPECT_NE(original.find("1.0500"), std::string::npos) << original;
  std::filesystem::remove(saved);
  const std::string replay = dir + "/replay.txt";
  ASSERT_EQ(WriteTextFileAtomically(replay, recorded + "click cmdQuit\r\nyes\r\nno\r\n"), std::nullopt);
  const quorvane::testing::ProgramRun run =
      quorvane::testing::RunConsoleScript(replay, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(ReadFile(saved), original);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvane::qt
