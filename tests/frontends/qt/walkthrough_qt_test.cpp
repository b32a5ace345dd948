// The desktop application as a user walks through an analysis: choosing
// the data file, editing a cell of the algorithm data and watching a long
// Simplex run, in the real widgets (offscreen). The application answers its
// own questions (No, Ok) unless an answer is queued.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "core/algorithm_editor.h"
#include "minimize/simplex_window.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/screen_tour.h"
#include "qt/status_area.h"
#include "app/main_menu.h"
#include "app/session.h"
#include "support/example_setups.h"
#include "tfn/parameter_layout.h"
#include "tfn/tfn_application.h"

namespace quorvane::qt {
namespace {

class WalkthroughQtTest : public ::testing::Test {
 protected:
  WalkthroughQtTest() : session_(ui_, &app_.Model()) {
    ui_.SetExitAction([](int) {});
    app_.Attach(session_);
    ui_.AttachMainWindow(session_.Main());
    session_.Start();
    ui_.Frame().activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&ui_.Frame()));
  }

  Form& menu() { return session_.Menu().form(); }
  template <typename T>
  T* Widget(const Form& form, const char* name) {
    FormView* view = ui_.ViewOf(form);
    return view ? view->findChild<T*>(QLatin1String(name)) : nullptr;
  }

  // The Nile model with the starting values and steps of examples/nile.alg.
  void SetUpNile() {
    menu().Click("cmdInitialize");
    Form& init = app_.Window().form();
    init.Type("txtResDataInput", testing::ExamplePath("nile.dat"));  // proposes 1871 to 1970
    init.Type("cboIntervention1", "1");
    init.Type("cboARMA", "1");
    init.SetCheckedByUser("chkARMALogit", false);
    init.Click("cmdDone");
    ui_.answers.push_back(Answer::Yes);  // "Load an existing algorithm data file?"
    ui_.files.push_back(testing::ExamplePath("nile.alg"));
    menu().Click("cmdLoadAlg");
    ASSERT_EQ(session_.Algorithm.Values[3], 1100.0);
  }

  SelfAnsweringUi ui_;
  TfnApplication app_;
  Session session_;
};

TEST_F(WalkthroughQtTest, ChoosingNileDatProposesItsFirstAndLastPeriods) {
  menu().Click("cmdInitialize");
  Form& init = app_.Window().form();
  auto* select = Widget<QPushButton>(init, "cmdSelectRes");
  auto* start = Widget<QComboBox>(init, "cboResStartTimePeriod");
  auto* end = Widget<QComboBox>(init, "cboResEndTimePeriod");
  ASSERT_TRUE(select && start && end);
  EXPECT_EQ(start->currentText(), "1968");  // before a file is chosen

  ui_.files.push_back(testing::ExamplePath("nile.dat"));
  select->click();
  EXPECT_EQ(start->currentText(), "1871");
  EXPECT_EQ(end->currentText(), "1970");
  // The drop-downs offer the file's periods, so 1871 need not be typed.
  EXPECT_EQ(start->itemText(0), "1871");
  EXPECT_EQ(end->itemText(end->count() - 1), "1970");
}

TEST_F(WalkthroughQtTest, TheCellEditCommitsOnReturnCancelsOnEscapeAndIgnoresAnUnchangedText) {
  SetUpNile();
  menu().Click("cmdEditAlg");
  Form& editor = session_.Editor().form();
  auto* grid = Widget<QTableView>(editor, "grdVS");
  auto* edit = Widget<QLineEdit>(editor, "txtCell");
  ASSERT_TRUE(grid && edit);
  const AlgorithmData& data = session_.Algorithm;
  // The intercept's value: grid row 3, column 1, below and right of the headers.
  const auto openIntercept = [&] {
    const QModelIndex cell = grid->model()->index(2, 0);
    grid->setFocus(Qt::MouseFocusReason);  // where a click on the cell puts it
    emit grid->doubleClicked(cell);
    QApplication::processEvents();
  };

  openIntercept();
  ASSERT_TRUE(edit->isVisible());
  EXPECT_TRUE(edit->hasFocus());
  EXPECT_EQ(edit->selectedText(), edit->text());
  EXPECT_EQ(edit->text(), "1100");
  QLabel* caption = nullptr;
  for (QLabel* label : edit->parentWidget()->findChildren<QLabel*>())
    if (label->buddy() == edit) caption = label;
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->text(), "Value of parameter #3:");
  EXPECT_TRUE(caption->isVisible());

  // Clicking away from an unchanged text is no edit: the step stays 20.
  grid->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(data.Values[3], 1100.0);
  EXPECT_EQ(data.Steps[3], 20.0);

  openIntercept();
  QTest::keyClicks(edit, "5");  // replaces the selected text
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_FALSE(edit->isVisible());
  EXPECT_TRUE(editor.IsOpen());  // Escape closed only the edit line
  EXPECT_EQ(data.Values[3], 1100.0);
  EXPECT_EQ(data.Steps[3], 20.0);

  openIntercept();
  EXPECT_EQ(edit->text(), "1100");  // not the cancelled entry
  QTest::keyClicks(edit, "1200");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_FALSE(edit->isVisible());
  EXPECT_EQ(data.Values[3], 1200.0);
  EXPECT_DOUBLE_EQ(data.Steps[3], 120.0);  // a typed value gets a tenth of itself
  EXPECT_EQ(grid->model()->index(2, 0).data().toString(), "1.2000E+03");
}

// The close box of a child window, as its title bar's x calls it.
void CloseBox(QWidget* window) {
  ASSERT_NE(qobject_cast<QMdiSubWindow*>(window), nullptr);
  window->close();
  QApplication::processEvents();
}

TEST_F(WalkthroughQtTest, TheEditorsCloseBoxClosesItAndItReopensWithTheCurrentValues) {
  SetUpNile();
  menu().Click("cmdEditAlg");
  Form& editor = session_.Editor().form();
  QPointer<QWidget> window = ui_.WindowOf(editor);
  ASSERT_NE(window, nullptr);

  CloseBox(window);
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_EQ(ui_.WindowOf(editor), nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull()) << "the editor's window is still there";
  EXPECT_TRUE(session_.State.EditorClosed);
  EXPECT_TRUE(menu().IsOpen());  // opened from the main menu, which comes back
  EXPECT_TRUE(menu().IsEnabled("cmdSimplex"));

  // Values changed meanwhile show when it opens again, in a window that
  // answers double-clicks and closes from its button.
  session_.Algorithm.Values[3] = 1234.5;
  menu().Click("cmdEditAlg");
  auto* grid = Widget<QTableView>(editor, "grdVS");
  auto* edit = Widget<QLineEdit>(editor, "txtCell");
  ASSERT_TRUE(grid && edit);
  EXPECT_EQ(grid->model()->index(2, 0).data().toString(), "1.2345E+03");
  grid->setFocus(Qt::MouseFocusReason);
  emit grid->doubleClicked(grid->model()->index(2, 0));
  QApplication::processEvents();
  EXPECT_TRUE(edit->isVisible());
  EXPECT_EQ(edit->text(), "1234.5");
  Widget<QPushButton>(editor, "cmdFinish")->click();
  EXPECT_FALSE(editor.IsOpen());
  EXPECT_EQ(ui_.WindowOf(editor), nullptr);
}

TEST_F(WalkthroughQtTest, TheProgressBarAdvancesDuringASeatBeltSimplex) {
  // The set-up of testing::SeatBeltSetup(), entered as a user does.
  menu().Click("cmdInitialize");
  Form& init = app_.Window().form();
  init.Type("txtResDataInput", testing::ExamplePath("seatbelts.dat"));
  init.Type("cboLastResSeries", "3");
  for (const char* group : {"1", "2", "3"})
    init.Type(std::string("cboOrdinal") + group + "E", group);
  init.Type("cboResDiff", "1");
  init.Choose("optYesCov");
  init.Type("txtCovDataInput", testing::ExamplePath("seatbelts_cov.dat"));
  init.Type("cboFirstCovSeries", "1");
  init.Type("cboLastCovSeries", "3");
  init.Type("cboCovDiff", "1");
  init.SetCheckedByUser("chkCovSeries3", true);
  init.Type("cboARMA", "2");
  init.SetCheckedByUser("chkARMALogit", false);
  init.Click("cmdDone");
  const TfnSetup setup = testing::SeatBeltSetup();
  ASSERT_EQ(session_.Algorithm.ParameterCount, 28);
  menu().Click("cmdLoadAlg");  // No: default values
  session_.State.AlgorithmFileName = "seatbelts.alg";
  const ParameterLayout layout(setup);
  AlgorithmData& data = session_.Algorithm;
  const auto set = [&](int i, double value, double step) {
    data.Values[i] = value;
    data.Steps[i] = step;
  };
  set(layout.Phi(1), 0.3, 0.1);
  for (int g = 1; g <= 3; ++g) set(layout.Intercept(g), 0.0, 5.0);
  for (int c = 1; c <= 3; ++c) set(layout.BlockOmega(layout.CovariateBase(c), 0), 0.0, 1.0);
  data.MaxFunctionCalls = 300;  // then "continue?" is answered No

  QProgressBar* bar = ui_.Frame().Status()->Progress();
  std::vector<int> values;
  bool hiddenWhileMoving = false;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
    values.push_back(value);
    if (!bar->isVisible()) hiddenWhileMoving = true;
  });
  EXPECT_FALSE(bar->isVisible());
  menu().Click("cmdSimplex");

  ASSERT_GE(values.size(), 5u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  EXPECT_LT(values.front(), values.back());
  EXPECT_GE(values.back(), 900);  // the run used its whole allowance of calls
  EXPECT_FALSE(hiddenWhileMoving);
  EXPECT_EQ(values.back(), 1000);  // complete once the run is over, then hidden
  EXPECT_TRUE(QTest::qWaitFor([bar] { return !bar->isVisible(); }, 5000));
}

TEST_F(WalkthroughQtTest, ASimplexThatConvergesEarlyEndsWithItsProgressComplete) {
  SetUpNile();
  QProgressBar* bar = ui_.Frame().Status()->Progress();
  std::vector<int> values;
  QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) { values.push_back(value); });
  menu().Click("cmdSimplex");
  ASSERT_GE(values.size(), 2u);
  EXPECT_LT(values[values.size() - 2], 100);  // a small share of the allowance of calls
  EXPECT_EQ(values.back(), 1000);
  EXPECT_TRUE(bar->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([bar] { return !bar->isVisible(); }, 5000));
  // Nothing runs: the Simplex window's Interrupt button is off.
  auto* stop = Widget<QPushButton>(session_.SimplexView().form(), "cmdStop");
  ASSERT_NE(stop, nullptr);
  EXPECT_FALSE(stop->isEnabled());
}

// On a laptop screen of 1280x800 the main window gets a workspace of about
// 1160x620. Every window of the walk-through opens inside it with its title
// bar and close box in view, the workspace needs no scroll bars, and the
// Initialize form needs no sideways scrolling to reach "Continue"; a
// dialog lies on the screen.
TEST_F(WalkthroughQtTest, EveryWindowOfTheWalkThroughFitsALaptopScreen) {
  ui_.Frame().resize(1178, 736);
  QApplication::processEvents();
  QMdiArea* mdi = ui_.Frame().Mdi();
  ASSERT_LE(mdi->viewport()->width(), 1180);
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QStringLiteral(QUORVANE_SOURCE_DIR));
  std::vector<std::string> steps;
  const auto inside = [&](const char* step) {
    steps.emplace_back(step);
    SCOPED_TRACE(step);
    if (QWidget* modal = QApplication::activeModalWidget()) {
      const QRect screen = modal->screen()->availableGeometry();
      EXPECT_TRUE(screen.contains(modal->frameGeometry()))
          << modal->windowTitle().toStdString() << " reaches past the screen";
      return;
    }
    const QRect area(QPoint(0, 0), mdi->viewport()->size());
    for (QMdiSubWindow* window : mdi->subWindowList()) {
      if (!window->isVisible()) continue;
      EXPECT_TRUE(area.contains(window->geometry()))
          << window->windowTitle().toStdString() << " at " << window->x() << "," << window->y()
          << " size " << window->width() << "x" << window->height() << " in " << area.width()
          << "x" << area.height();
    }
    EXPECT_FALSE(mdi->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(mdi->verticalScrollBar()->isVisible());
    if (std::string(step) == "initialize.png") {
      Form* init = ui_.OpenForm("frmInitialize");
      ASSERT_NE(init, nullptr);
      auto* scroll = ui_.WindowOf(*init)->findChild<QScrollArea*>();
      ASSERT_NE(scroll, nullptr);
      EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0)
          << "the form needs " << scroll->widget()->minimumSizeHint().width() << " of "
          << scroll->viewport()->width();
    }
  };
  EXPECT_NO_THROW(WalkThroughWindows(ui_, inside));
  QDir::setCurrent(previous);
  EXPECT_EQ(steps.back(), "profile.png");
}

}  // namespace
}  // namespace quorvane::qt
