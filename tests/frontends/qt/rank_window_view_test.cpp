// The ranking window as the desktop application draws it: every column
// head of the grid fits its column, and a picture of the window is saved
// beside the test's temporary files for a look.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include "app/session.h"
#include "multimodel/rank_window.h"
#include "qt/form_view.h"
#include "qt/screenshot.h"
#include "support/scripted_ui.h"
#include "support/test_model_setup.h"
#include "core/model_set_up.h"

namespace quorvane::qt {
namespace {

class TwoParameterModel : public Model {
 public:
  std::string Name() const override { return "Two parameters"; }
  std::optional<double> ObjectiveConstant() const override { return 1.0; }
  void MODEL(double& F, OneBased<double>& P, OneBased<double>& STP, OneBased<std::string>& DESC,
             OneBased<std::string>& FUSE, std::int16_t& NP, std::int32_t NF, std::int32_t& NOBS,
             OneBased<double>&, OneBasedMatrix&, std::int32_t& NSAMPLE) override {
    NOBS = 100;
    if (NF == 0) {
      testing::SetUpTestParameters(2, "Parameter", P, STP, DESC, FUSE, NP);
      return;
    }
    F = 630 + (P[1] - 1) * (P[1] - 1) + (P[2] - 2) * (P[2] - 2);
    NSAMPLE = 100;
  }
};

TEST(RankWindowViewTest, ColumnHeadsFitAndTheWindowIsDrawn) {
  testing::ScriptedUi ui;
  TwoParameterModel model;
  Session session(ui, &model);
  session.Start();
  SetUpModel(session);
  session.Algorithm.Steps[1] = session.Algorithm.Steps[2] = 0.1;
  session.State.AlgorithmFileName = "/data/nile/ar1_with_step_at_1899.alg";
  RankWindow& rank = session.Ranking();
  rank.Open();
  session.Algorithm.Values[1] = 1.5;
  session.State.AlgorithmFileName = "/data/nile/ar1_alone.alg";
  rank.form().Click("cmdAICc");
  ui.Value("An AR(1) without the step");
  rank.form().DoubleClick("grdRank", 2, 9);
  rank.RankModels();

  FormView view(rank.form(), ControlRegistry::Standard());
  rank.form().SetObserver([&view](const std::string& c, FormProperty p) { view.OnChange(c, p); });
  view.resize(1200, 560);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));

  QTableView* table = view.findChild<QTableView*>();
  ASSERT_NE(table, nullptr);
  const QFontMetrics heads(table->horizontalHeader()->font());
  const QFontMetrics cells(table->font());
  for (int col = 0; col < table->model()->columnCount(); ++col) {
    const int width = table->columnWidth(col);
    for (int row = 0; row < table->model()->rowCount(); ++row) {
      const QString text = table->model()->index(row, col).data().toString();
      EXPECT_LE(cells.horizontalAdvance(text), width) << "column " << col << " row " << row;
    }
    const QString head = table->model()->headerData(col, Qt::Horizontal).toString();
    EXPECT_LE(heads.horizontalAdvance(head), width) << "head of column " << col;
  }
  const QString path = QString::fromStdString(::testing::TempDir() + "quorvane_rank_window.png");
  EXPECT_FALSE(SaveScreenshot(view, path));
  rank.form().SetObserver(nullptr);
}

}  // namespace
}  // namespace quorvane::qt
