// The profile's windows in the desktop front end: the choice window
// "Evaluation of estimates" and the report window "Maximum likelihood
// statistics" with its pane and save button.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QPlainTextEdit>

#include "evaluate/evaluation_windows.h"
#include "evaluate/profile_report.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane::qt {
namespace {

TEST(EvaluationWindowsQtTest, TheChoiceAndReportWindowsShowTheirControls) {
  QtUi ui;
  Session session(ui, nullptr);
  ui.SetExitAction([](int) {});
  ui.AttachMainWindow(session.Main());
  session.Start();
  EvaluationWindows& windows = session.EvaluationViews();

  windows.OpenChoice();
  FormView* choice = ui.ViewOf(windows.Choice());
  ASSERT_NE(choice, nullptr);
  auto* ml = choice->findChild<QPushButton*>("cmdML");
  ASSERT_NE(ml, nullptr);
  EXPECT_TRUE(ml->text().contains("confidence distributions"));
  EXPECT_GE(ml->width(), ml->sizeHint().width());  // not clipped
  if (const char* shot = std::getenv("QUORVANE_SCREENSHOT_CHOICE")) SaveScreenshot(ui.Frame(), shot);
  ui.CloseForm(windows.Choice());

  EvaluationSeries s;
  s.ProfilePointCount = 3;
  s.SizeSeries(3);
  s.ProfileValues = {0.0, 1.0, 2.0, 3.0};
  s.ExpectedValue = 2.0;
  windows.ShowStatistics(WriteProfileReport(s));
  FormView* report = ui.ViewOf(windows.Statistics());
  ASSERT_NE(report, nullptr);
  auto* save = report->findChild<QPushButton*>("cmdSaveML");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->toolTip(), "Saves the (possibly edited) output appearing in the textbox below");
  QWidget* pane = report->findChild<QWidget*>("rtbMaxLike");
  ASSERT_NE(pane, nullptr);
  QString text;
  if (auto* edit = qobject_cast<QPlainTextEdit*>(pane)) text = edit->toPlainText();
  if (auto* edit = qobject_cast<QTextEdit*>(pane)) text = edit->toPlainText();
  EXPECT_TRUE(text.contains("Maximum-likelihood confidence distribution data"));
  if (const char* shot = std::getenv("QUORVANE_SCREENSHOT")) SaveScreenshot(ui.Frame(), shot);
}

}  // namespace
}  // namespace quorvane::qt
