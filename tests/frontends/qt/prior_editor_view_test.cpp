// The prior editor in the desktop application: its two header rows make
// one header of two lines, and the parameter rows are the table's body.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTableView>

#include "app/session.h"
#include "priors/prior_windows.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"

namespace quorvane::qt {
namespace {

TEST(PriorEditorViewTest, ShowsBothHeaderRowsAboveTheParameters) {
  QtUi ui;
  Session session(ui, nullptr);
  ui.AttachMainWindow(session.Main());
  session.Start();
  ui.Frame().resize(1400, 800);
  AlgorithmData& data = session.Algorithm;
  data.ParameterCount = 3;
  data.Values = {0.3, 1100, -200};
  data.Steps = {0.05, 20, 20};
  data.FuseCodes = {"~~", "~~", "~~"};
  data.Descriptions = {"Phi( 1) [0; -1 < Phi < +1]", "Intercept [0; any real number]",
                       "Omega( 0) [0; any real number]"};
  session.Priors.Reset(3);
  PriorRow& phi = session.Priors.Rows[0];
  phi.Type = "N";
  phi.FirstTerm = 0.5;
  phi.SecondTerm = 0.1;
  session.State.PriorsOpenedFromMenu = true;
  session.PriorsView().OpenLoader();
  session.PriorsView().Loader().Click("cmdSet");  // a prior is set: no question

  FormView* view = ui.ViewOf(session.PriorsView().Editor());
  ASSERT_NE(view, nullptr);
  auto* table = view->findChild<QTableView*>(QStringLiteral("grdSetPriors"));
  ASSERT_NE(table, nullptr);
  QAbstractItemModel* cells = table->model();
  EXPECT_EQ(cells->rowCount(), 3);
  EXPECT_EQ(cells->headerData(1, Qt::Horizontal).toString(), QStringLiteral("First term\nMean"));
  EXPECT_EQ(cells->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
  EXPECT_EQ(cells->index(0, 0).data().toString(), QStringLiteral("Gaussian or Normal"));
  EXPECT_EQ(cells->index(1, 1).data().toString(), QStringLiteral("*"));

  // A picture to look at: QUORVANE_SCREENSHOT names the file.
  if (const char* path = std::getenv("QUORVANE_SCREENSHOT")) {
    for (int i = 0; i < 10; ++i) QApplication::processEvents();
    EXPECT_FALSE(SaveScreenshot(ui.Frame(), QString::fromLocal8Bit(path)));
  }
}

}  // namespace
}  // namespace quorvane::qt
