// The residual plots in the desktop front end: the summary's button opens
// "Residual plots" with its series list, its three kinds of plot and a
// surface of a usable size.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_menu.h"
#include "app/session.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"
#include "modal_answerer.h"

namespace quorvane::qt {
namespace {

TEST(ResidualPlotsQtTest, TheSummaryOpensThePlotsWhole) {
  QtUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  ui.SetExitAction([](int) {});
  app.Attach(session);
  ui.AttachMainWindow(session.Main());
  session.Start();
  const TfnSetup setup = quorvane::testing::NileSetup();
  ASSERT_FALSE(app.Window().runSetUp(setup));
  const ParameterLayout layout(setup);
  AlgorithmData& data = session.Algorithm;
  data.Values[layout.Phi(1)] = 0.16, data.Steps[layout.Phi(1)] = 0.05;
  data.Values[layout.Intercept(1)] = 1098, data.Steps[layout.Intercept(1)] = 20;
  const int base = layout.InterventionBase(1);
  data.Values[base + 1] = 1899;
  data.Values[base + 2] = 1;
  data.Values[layout.BlockOmega(base, 0)] = -249, data.Steps[layout.BlockOmega(base, 0)] = 20;

  testing::ModalAnswerer answers;
  answers.Then([](QWidget* modal) {  // "View plots?": No
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    box->button(QMessageBox::No)->click();
  });
  session.Menu().SingleModelResults();
  FormView* summary = ui.ViewOf(app.Summary().form());
  ASSERT_NE(summary, nullptr);
  auto* button = summary->findChild<QPushButton*>("cmdResidualPlots");
  ASSERT_NE(button, nullptr);
  EXPECT_GE(button->width(), button->sizeHint().width());
  button->click();

  FormView* plot = ui.ViewOf(app.Summary().ResidualPlots().form());
  ASSERT_NE(plot, nullptr);
  auto* series = plot->findChild<QComboBox*>("cboResidualSeries");
  ASSERT_NE(series, nullptr);
  EXPECT_EQ(series->count(), 1);
  for (const char* name : {"optResidualAcf", "optResidualPacf", "optResidualQq"}) {
    auto* option = plot->findChild<QRadioButton*>(name);
    ASSERT_NE(option, nullptr) << name;
    EXPECT_GE(option->width(), option->sizeHint().width()) << name;
  }
  QWidget* graph = plot->findChild<QWidget*>("Graph");
  ASSERT_NE(graph, nullptr);
  EXPECT_GE(graph->width(), 400);
  if (const char* shot = std::getenv("QUORVANE_RESIDUAL_SCREENSHOT"))
    SaveScreenshot(*plot->window(), QString::fromLocal8Bit(shot));
  EXPECT_EQ(answers.Unexpected(), 0);
}

}  // namespace
}  // namespace quorvane::qt
