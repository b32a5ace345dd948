// A figure saved from the desktop application is the same file as the one
// the console saves for the same plot: the session is recorded in the
// desktop, its save lines carry the size, resolution and title choice, and
// the console's replay writes the same bytes as PNG, SVG and PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "app/session.h"
#include "base/files/text_file.h"
#include "base/ui/recording_ui.h"
#include "modal_answerer.h"
#include "qt/main_frame.h"
#include "qt/menu_binder.h"
#include "qt/qt_ui.h"
#include "support/console_run.h"
#include "tfn/tfn_application.h"

namespace quorvane::qt {
namespace {

using testing::ModalAnswerer;

std::function<void(QWidget*)> ChooseFile(const std::string& path) {
  return [path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << "expected a file dialog";
    dialog->selectFile(QString::fromStdString(path));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  };
}

std::function<void(QWidget*)> Press(QMessageBox::StandardButton button) {
  return [button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr) << "expected a message box";
    box->button(button)->click();
  };
}

// The save dialog answered: a format (0 PNG, 1 SVG, 2 PDF), a size in
// pixels, a resolution and the title line.
std::function<void(QWidget*)> FigureChoices(int format, int width, int height, int dpi, bool title) {
  return [=](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* formats = dialog->findChild<QComboBox*>("cboFigureFormat");
    ASSERT_NE(formats, nullptr) << "expected the figure's save dialog";
    formats->setCurrentIndex(format);
    dialog->findChild<QComboBox*>("cboFigureUnit")->setCurrentIndex(0);
    dialog->findChild<QSpinBox*>("txtFigureDpi")->setValue(dpi);
    dialog->findChild<QDoubleSpinBox*>("txtFigureWidth")->setValue(width);
    dialog->findChild<QDoubleSpinBox*>("txtFigureHeight")->setValue(height);
    dialog->findChild<QCheckBox*>("chkFigureTitle")->setChecked(title);
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  };
}

class FigureSessionQtTest : public ::testing::Test {
 protected:
  FigureSessionQtTest() : recorder_(ui_), session_(recorder_, &timeSeries_.Model()) {
    timeSeries_.Attach(session_);
    recorder_.AddMenuItems(session_.Main().form());
    ui_.SetExitAction([](int) {});
    ui_.AttachMainWindow(session_.Main());
    session_.Start();
  }

  template <typename W>
  W* Widget(QWidget& parent, const char* name) {
    W* widget = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  template <typename W>
  W* Widget(const char* name) { return Widget<W>(ui_.Frame(), name); }

  QtUi ui_;
  RecordingUi recorder_;
  TfnApplication timeSeries_;
  Session session_;
};

TEST_F(FigureSessionQtTest, TheDesktopsFiguresAreTheConsolesByteForByte) {
  const std::string dir = quorvane::testing::TestTempPath("dir");
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string script = dir + "/session.txt";
  const std::string data = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.dat";
  const std::string algorithm = std::string(QUORVANE_SOURCE_DIR) + "/examples/nile.alg";
  const std::vector<std::string> figures = {dir + "/fit.png", dir + "/fit.svg",
                                            dir + "/fit 2.pdf"};

  ModalAnswerer answers;
  answers.Then(ChooseFile(script));
  ui_.Frame().Menus()->Action(RecordingUi::kRecordItem)->trigger();
  ASSERT_TRUE(recorder_.Recording());

  // The Nile set-up, its algorithm data and the Simplex search.
  answers.Then(ChooseFile(data));
  Widget<QPushButton>("cmdInitialize")->click();
  Widget<QPushButton>("cmdSelectRes")->click();
  for (const auto& [name, item] : {std::pair{"cboResStartTimePeriod", "1871"},
                                   std::pair{"cboResEndTimePeriod", "1970"},
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
  answers.Then(Press(QMessageBox::Ok));  // "Minimum found using Simplex!"
  Widget<QPushButton>("cmdSimplex")->click();

  // The summary's plots: the flow from 400 up and its predictions, saved
  // three times from the plot's context menu.
  answers.Then(Press(QMessageBox::Yes));
  answers.Then([&](QWidget* plots) {
    Widget<QListWidget>(*plots, "listXVar")->setCurrentRow(0);
    Widget<QListWidget>(*plots, "listYVar")->setCurrentRow(1);
    auto* ymin = Widget<QLineEdit>(*plots, "txtYmin");
    ymin->selectAll();
    QTest::keyClicks(ymin, QStringLiteral("400"));
    QTest::keyClick(ymin, Qt::Key_Return);
    Widget<QPushButton>(*plots, "cmdPlot")->click();
    Widget<QListWidget>(*plots, "listYVar")->setCurrentRow(2);
    Widget<QCheckBox>(*plots, "Check_Scatter")->click();
    Widget<QPushButton>(*plots, "cmdPlot")->click();
    // The dialogs of the save, answered while this answer still runs.
    ModalAnswerer inner;
    QAction* save = Widget<QAction>(*plots, "actSaveFigure");
    inner.Then(FigureChoices(0, 1600, 1000, 300, true)).Then(ChooseFile(figures[0]));
    save->trigger();
    inner.Then(FigureChoices(1, 1200, 900, 150, true)).Then(ChooseFile(figures[1]));
    save->trigger();
    inner.Then(FigureChoices(2, 1000, 1000, 200, false)).Then(ChooseFile(figures[2]));
    save->trigger();
    EXPECT_EQ(inner.Answered(), 6);
    EXPECT_EQ(inner.Unexpected(), 0);
    Widget<QPushButton>(*plots, "cmdCancel")->click();
  });
  Widget<QPushButton>("cmdUserSummary")->click();
  ui_.Frame().Menus()->Action(RecordingUi::kStopItem)->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);

  const std::string recorded = quorvane::testing::ReadAll(script);
  for (const std::string& line :
       {"save Graph " + figures[0] + " 1600x1000 300", "save Graph " + figures[1] + " 1200x900 150",
        "save Graph " + figures[2] + " 1000x1000 200 notitle"})
    EXPECT_NE(recorded.find(line + "\r\n"), std::string::npos) << line << " in\n" << recorded;

  // The console replays the session and saves the figures again.
  std::vector<std::string> desktop;
  for (const std::string& path : figures) {
    desktop.push_back(quorvane::testing::ReadAll(path));
    ASSERT_GT(desktop.back().size(), 1000u) << path;
    std::filesystem::remove(path);
  }
  const std::string replay = dir + "/replay.txt";
  ASSERT_EQ(WriteTextFileAtomically(replay, recorded + "close\r\nclick cmdQuit\r\nyes\r\nno\r\n"),
            std::nullopt);
  const quorvane::testing::ProgramRun run =
      quorvane::testing::RunConsoleScript(replay, "--quiet", QUORVANE_SOURCE_DIR);
  ASSERT_EQ(run.status, 0) << run.output;
  for (size_t i = 0; i < figures.size(); ++i)
    EXPECT_TRUE(quorvane::testing::ReadAll(figures[i]) == desktop[i]) << figures[i];
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvane::qt
