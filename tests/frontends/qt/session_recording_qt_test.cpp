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
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

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
    W* widget = ui_.Frame().findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QAction* MainAction(const char* item) { return ui_.Frame().Menus()->Action(item); }

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

  // Set-up: the data file chosen, periods typed, counts picked, logits off.
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

  // The algorithm data, the Simplex search and the saved summary.
  answers.Then(Press(QMessageBox::Yes)).Then(ChooseFile(algorithm));
  Widget<QPushButton>("cmdLoadAlg")->click();
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

}  // namespace
}  // namespace quorvane::qt
