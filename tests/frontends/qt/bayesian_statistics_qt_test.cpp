// The window "Bayesian statistics" in the desktop front end: the posterior
// report in its editable pane, the save button and the interrupt menu.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

#include "app/main_window.h"
#include "app/session.h"
#include "evaluate/bayesian_statistics_window.h"
#include "evaluate/evaluation_series.h"
#include "evaluate/posterior_report.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"

namespace quorvane::qt {
namespace {

TEST(BayesianStatisticsQtTest, TheReportWindowShowsThePosteriorAndItsControls) {
  QtUi ui;
  Session session(ui, nullptr);
  ui.SetExitAction([](int) {});
  ui.AttachMainWindow(session.Main());
  session.Start();

  EvaluationSeries s;
  s.ProfilePointCount = 3;
  s.SizeSeries(3);
  s.ProfileValues = {0.0, 0.4, 0.5, 0.6};
  s.ExpectedValue = 0.5;
  s.EstimatedSE = 0.05;
  BayesianStatisticsWindow& window = session.BayesianView();
  window.ShowReport(PosteriorReportText(s));
  FormView* view = ui.ViewOf(window.form());
  ASSERT_NE(view, nullptr);

  auto* save = view->findChild<QPushButton*>("cmdSaveBayesian");
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->text().contains("Bayesian posterior distribution data"));
  EXPECT_GE(save->width(), save->sizeHint().width());  // not clipped
  EXPECT_EQ(save->toolTip(), "Saves the (possibly edited) output appearing in the textbox below");

  QWidget* pane = view->findChild<QWidget*>("rtbBayesian");
  ASSERT_NE(pane, nullptr);
  QString text;
  bool editable = false;
  if (auto* edit = qobject_cast<QPlainTextEdit*>(pane)) text = edit->toPlainText(), editable = !edit->isReadOnly();
  if (auto* edit = qobject_cast<QTextEdit*>(pane)) text = edit->toPlainText(), editable = !edit->isReadOnly();
  EXPECT_TRUE(text.contains("Bayesian posterior distribution data"));
  EXPECT_TRUE(text.contains("Estimated SE:"));
  EXPECT_TRUE(editable) << "the user may edit the report before saving it";
  if (const char* shot = std::getenv("QUORVANE_SCREENSHOT")) SaveScreenshot(ui.Frame(), shot);
}

}  // namespace
}  // namespace quorvane::qt
