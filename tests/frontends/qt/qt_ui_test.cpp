// The Qt front end as the application sees it: the main window, its menus
// and status bars, the main menu, child windows, dialogs and the services
// of the interaction port.
#include "qt/qt_ui.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <filesystem>

#include "modal_answerer.h"
#include "qt/form_view.h"
#include "qt/main_frame.h"
#include "qt/menu_binder.h"
#include "qt/status_area.h"
#include "app/info_windows.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/session.h"

namespace quorvane::qt {
namespace {

using testing::ModalAnswerer;

QMessageBox* AsMessageBox(QWidget* modal) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  EXPECT_NE(box, nullptr) << "expected a message box";
  return box;
}

// Presses a message box's button by its role, as the user would.
std::function<void(QWidget*)> Press(QMessageBox::StandardButton button) {
  return [button](QWidget* modal) {
    if (QMessageBox* box = AsMessageBox(modal)) box->button(button)->click();
  };
}

class QtUiTest : public ::testing::Test {
 protected:
  QtUiTest() : session_(ui_, nullptr) {
    ui_.SetExitAction([this](int status) { exitStatus_ = status; });
    ui_.AttachMainWindow(session_.Main());
    session_.Start();
  }

  MainFrame& frame() { return ui_.Frame(); }
  QAction* MainAction(const std::string& item) { return frame().Menus()->Action(item); }

  QPushButton* MenuButton(const std::string& name) {
    FormView* view = ui_.ViewOf(session_.Menu().form());
    EXPECT_NE(view, nullptr) << "the main menu is not open";
    return view ? view->findChild<QPushButton*>(QString::fromStdString(name)) : nullptr;
  }

  QStringList WindowMenuEntries() {
    QMenu* menu = frame().Menus()->Menu("mnuWindow");
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction* action : menu->actions())
      if (!action->isSeparator()) entries << action->text();
    return entries;
  }

  QtUi ui_;
  Session session_;
  int exitStatus_ = -1;
};

TEST_F(QtUiTest, MenuBarIsTheMainFormsWithTheInterruptMenusHidden) {
  EXPECT_EQ(frame().windowTitle(), QStringLiteral("Quorvane"));
  QStringList visible;
  for (QAction* action : frame().menuBar()->actions())
    if (action->isVisible()) visible << action->text();
  EXPECT_EQ(visible,
            (QStringList{"&Application", "&Window", "&Defaults etc.", "&Wisdom", "&About"}));
  EXPECT_EQ(MainAction("mnuMenu")->shortcut(), QKeySequence(QStringLiteral("Ctrl+M")));
  EXPECT_EQ(MainAction("mnuExit")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
  EXPECT_EQ(MainAction("mnuTileVertical")->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));

  session_.Main().ShowProfileInterrupt(true);
  EXPECT_TRUE(MainAction("mnuInterruptML")->isVisible());
  EXPECT_TRUE(MainAction("mnuMLInt")->isVisible());
  EXPECT_FALSE(MainAction("mnuInterruptBayesian")->isVisible());
  MainAction("mnuMLInt")->trigger();
  EXPECT_TRUE(session_.State.ProfileInterrupt);

  session_.Main().SetApplicationMenuEnabled(false);
  EXPECT_FALSE(MainAction("mnuApplication")->isEnabled());
  session_.Main().SetApplicationMenuEnabled(true);
  EXPECT_TRUE(MainAction("mnuApplication")->isEnabled());
}

// Takes the URLs the application asks the system to open, instead of a
// viewer.
class OpenedUrls : public QObject {
  Q_OBJECT
 public:
  explicit OpenedUrls(const QString& scheme) : scheme_(scheme) {
    QDesktopServices::setUrlHandler(scheme_, this, "Open");
  }
  ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(scheme_); }
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls << url; }

 private:
  QString scheme_;
};

// The test program runs in the build tree, so the guide is the source tree's.
TEST_F(QtUiTest, F1AndTheUserGuideItemOpenTheGuideInTheSystemsViewer) {
  OpenedUrls opened(QStringLiteral("file"));
  QAction* guide = MainAction("mnuUserGuide");
  ASSERT_NE(guide, nullptr);
  EXPECT_EQ(guide->text(), QStringLiteral("&User guide"));
  EXPECT_EQ(guide->shortcut(), QKeySequence(Qt::Key_F1));
  frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
  QTest::keyClick(&frame(), Qt::Key_F1);
  guide->trigger();
  const QUrl expected = QUrl::fromLocalFile(QString::fromStdString(
      (std::filesystem::path(QUORVANE_SOURCE_DIR) / "docs/README.md").lexically_normal().string()));
  EXPECT_EQ(opened.urls, (QList<QUrl>{expected, expected}));
}

TEST_F(QtUiTest, StatusBarsCarryTheirPanelsAndAProgressBar) {
  StatusArea* status = frame().Status();
  for (int bar = 0; bar < kStatusBarCount; ++bar) {
    SCOPED_TRACE(bar);
    EXPECT_EQ(status->Bar(bar)->findChildren<QWidget*>(QRegularExpression(QStringLiteral("^statusPanel"))).size(),
              kStatusBarPanels[static_cast<size_t>(bar)]);
    EXPECT_EQ(status->Bar(bar)->isHidden(), bar >= 2 && bar <= 4);
  }
  ui_.SetStatusPanel(1, 2, "Bayesian priors file: priors.pri");
  EXPECT_EQ(status->Panel(1, 2)->text(), QStringLiteral("Bayesian priors file: priors.pri"));
  // Panels that do not exist are ignored.
  for (auto [bar, panel] : {std::pair{6, 1}, {-1, 1}, {0, 0}, {0, 3}, {5, 5}})
    ui_.SetStatusPanel(bar, panel, "nowhere");

  ui_.ShowStatusBar(3, true);
  EXPECT_FALSE(status->Bar(3)->isHidden());

  EXPECT_TRUE(status->Progress()->isHidden());
  ui_.SetProgress(0.25);
  EXPECT_FALSE(status->Progress()->isHidden());
  EXPECT_EQ(status->Progress()->value(), 250);
  // The end of a run shows it complete for a moment, then clears the bar.
  ui_.SetProgress(-1);
  EXPECT_FALSE(status->Progress()->isHidden());
  EXPECT_EQ(status->Progress()->value(), 1000);
  EXPECT_TRUE(QTest::qWaitFor([status] { return status->Progress()->isHidden(); }, 5000));
  // A new run started meanwhile keeps it.
  ui_.SetProgress(0.5);
  ui_.SetProgress(-1);
  ui_.SetProgress(0.1);
  QTest::qWait(StatusArea::kFinishedShownMs + 100);
  EXPECT_FALSE(status->Progress()->isHidden());
  EXPECT_EQ(status->Progress()->value(), 100);
}

TEST_F(QtUiTest, MainMenuButtonsShowTheEnablingRule) {
  const auto enabled = [this] {
    std::vector<std::string> names;
    for (const char* name : MainMenu::kCommands)
      if (MenuButton(name)->isEnabled()) names.push_back(name);
    if (MenuButton("cmdQuit")->isEnabled()) names.push_back("cmdQuit");
    return names;
  };
  EXPECT_EQ(enabled(), (std::vector<std::string>{"cmdInitialize", "cmdQuit"}));

  session_.State.InitializeAlready = true;
  session_.Menu().Close();
  session_.Menu().Show();
  EXPECT_EQ(enabled(), (std::vector<std::string>{"cmdInitialize", "cmdLoadAlg", "cmdQuit"}));

  session_.State.AlgorithmFileName = "model.alg";
  session_.Menu().Close();
  session_.Menu().Show();
  EXPECT_EQ(enabled().size(), 13u);
}

TEST_F(QtUiTest, QuitButtonAsksWithNoAsTheDefaultAndEndsOnlyOnYes) {
  ModalAnswerer answers;
  answers
      .Then([](QWidget* modal) {
        QMessageBox* box = AsMessageBox(modal);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Exit Quorvane"));
        EXPECT_EQ(box->text(), QStringLiteral("Do you want to quit Quorvane?"));
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        QTest::keyClick(box, Qt::Key_Return);  // the default answer: No
      })
      .Then(Press(QMessageBox::Yes))
      .Then(Press(QMessageBox::No));  // no algorithm data saved
  QTest::mouseClick(MenuButton("cmdQuit"), Qt::LeftButton);
  EXPECT_EQ(exitStatus_, -1);
  QTest::mouseClick(MenuButton("cmdQuit"), Qt::LeftButton);
  EXPECT_EQ(exitStatus_, 0);
  EXPECT_EQ(answers.Answered(), 3);
  EXPECT_EQ(answers.Unexpected(), 0);
}

TEST_F(QtUiTest, ClosingTheMainWindowRunsTheQuitQuestion) {
  ModalAnswerer answers;
  answers.Then(Press(QMessageBox::No));
  frame().close();
  EXPECT_TRUE(frame().isVisible());
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_EQ(exitStatus_, -1);
}

TEST_F(QtUiTest, WindowMenuListsChildWindowsAndTilesThem) {
  Form extra("frmExtra", "Extra window");
  extra.Add(ControlKind::Label, "lblText", "Hello");
  ui_.ShowForm(extra, false);
  EXPECT_EQ(WindowMenuEntries(),
            (QStringList{"&Cascade", "Tile &Horizontal", "Tile &Vertical", "&Arrange Icons",
                         "&1 Main menu", "&2 Extra window"}));

  MainAction("mnuTileVertical")->trigger();
  QWidget* menu = ui_.WindowOf(session_.Menu().form());
  QWidget* other = ui_.WindowOf(extra);
  EXPECT_EQ(menu->y(), other->y());
  EXPECT_EQ(menu->height(), other->height());
  EXPECT_LT(menu->x() + menu->width(), other->x() + 1);

  MainAction("mnuTileHorizontal")->trigger();
  EXPECT_EQ(menu->x(), other->x());
  EXPECT_EQ(menu->width(), other->width());
  EXPECT_LT(menu->y() + menu->height(), other->y() + 1);

  ui_.CloseForm(extra);
  EXPECT_EQ(WindowMenuEntries().size(), 5);
}

TEST_F(QtUiTest, InformationWindowDisablesTheMainWindowUntilItsOkButton) {
  MainAction("mnuDefaults")->trigger();
  Form& defaults = session_.Info().Defaults();
  ASSERT_TRUE(defaults.IsOpen());
  EXPECT_FALSE(frame().menuBar()->isEnabled());
  EXPECT_FALSE(ui_.ViewOf(session_.Menu().form())->isEnabled());
  FormView* view = ui_.ViewOf(defaults);
  EXPECT_TRUE(view->isEnabled());

  QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  EXPECT_FALSE(defaults.IsOpen());
  EXPECT_TRUE(frame().menuBar()->isEnabled());
  EXPECT_TRUE(ui_.ViewOf(session_.Menu().form())->isEnabled());
}

TEST_F(QtUiTest, ChildWindowCloseBoxAsksTheForm) {
  Form form("frmRun", "Run");
  form.Add(ControlKind::Label, "lblText", "Running");
  bool allow = false;
  int closed = 0;
  form.onQueryClose = [&allow] { return allow; };
  form.onClosed = [&closed] { ++closed; };
  ui_.ShowForm(form, false);
  auto* window = qobject_cast<QMdiSubWindow*>(ui_.WindowOf(form));
  ASSERT_NE(window, nullptr);

  form.SetCaption("Run 2");
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Run 2"));
  window->close();
  EXPECT_TRUE(form.IsOpen());
  EXPECT_TRUE(window->isVisible());
  allow = true;
  window->close();
  EXPECT_FALSE(form.IsOpen());
  EXPECT_EQ(closed, 1);

  // Shown again, the window comes back where it was.
  const QRect where(10, 20, 300, 200);
  ui_.ShowForm(form, false);
  ui_.WindowOf(form)->setGeometry(where);
  ui_.CloseForm(form);
  ui_.ShowForm(form, false);
  EXPECT_EQ(ui_.WindowOf(form)->geometry(), where);
  ui_.CloseForm(form);
}

// The editors' close boxes finish the editing, which closes the window from
// inside the close event.
TEST_F(QtUiTest, ACloseBoxWhoseFormClosesItselfTakesTheWindowAway) {
  Form form("frmEdit", "Edit");
  form.Add(ControlKind::Label, "lblText", "Editing");
  int closed = 0;
  form.onQueryClose = [this, &form] {
    ui_.CloseForm(form);
    return false;
  };
  form.onClosed = [&closed] { ++closed; };
  ui_.ShowForm(form, false);
  QPointer<QWidget> window = ui_.WindowOf(form);
  ASSERT_NE(window, nullptr);
  window->close();
  EXPECT_FALSE(form.IsOpen());
  EXPECT_EQ(closed, 1);
  ASSERT_FALSE(window.isNull());  // deleted later, not inside its own event
  EXPECT_FALSE(window->isVisible());
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

// After a command the main menu comes back where it was. Over a report
// that it would mostly hide (a workspace too small for the two side by
// side) it comes back underneath; beside one it comes back on top.
TEST_F(QtUiTest, TheReturningMainMenuStaysUnderAReportItWouldCover) {
  Form report("frmReport", "Report");
  report.Add(ControlKind::Label, "lblText", "The result");
  QMdiArea* mdi = frame().Mdi();
  const auto menuWindow = [this] { return qobject_cast<QMdiSubWindow*>(ui_.WindowOf(session_.Menu().form())); };
  ASSERT_NE(menuWindow(), nullptr);
  const QRect menuAt = menuWindow()->geometry();
  struct Case {
    const char* what;
    QRect reportAt;
    bool menuOnTop;
  };
  const Case cases[] = {
      {"covered", menuAt.translated(menuAt.width() / 4, 0), false},
      {"beside", QRect(menuAt.topRight() + QPoint(1, 0), QSize(200, 150)), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    session_.HideMainMenu();
    ui_.ShowForm(report, false);
    auto* reportWindow = qobject_cast<QMdiSubWindow*>(ui_.WindowOf(report));
    ASSERT_NE(reportWindow, nullptr);
    reportWindow->setGeometry(c.reportAt);
    mdi->setActiveSubWindow(reportWindow);
    session_.ShowMainMenu();
    ASSERT_NE(menuWindow(), nullptr);
    EXPECT_TRUE(menuWindow()->isVisible());
    EXPECT_EQ(menuWindow()->geometry(), menuAt);
    EXPECT_EQ(mdi->activeSubWindow(), c.menuOnTop ? menuWindow() : reportWindow);
    EXPECT_EQ(mdi->subWindowList(QMdiArea::StackingOrder).last(), c.menuOnTop ? menuWindow() : reportWindow);
    ui_.CloseForm(report);
  }
}

TEST_F(QtUiTest, ModalFormIsADialogThatHoldsShowFormUntilItCloses) {
  Form form("frmAsk", "Choose derivatives");
  form.Add(ControlKind::Button, "cmdOK", "OK").onClick = [this, &form] { ui_.CloseForm(form); };
  ModalAnswerer answers;
  answers.Then([](QWidget* modal) {
    auto* dialog = qobject_cast<QDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choose derivatives"));
    EXPECT_TRUE(dialog->isModal());
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  });
  ui_.ShowForm(form, true);
  EXPECT_FALSE(form.IsOpen());
  EXPECT_EQ(answers.Answered(), 1);
}

TEST_F(QtUiTest, WaitUntilAndPumpEventsLetPendingEventsRun) {
  bool done = false;
  QTimer::singleShot(10, [&done] { done = true; });
  ui_.WaitUntil([&done] { return done; }, "a timer");
  EXPECT_TRUE(done);

  // A pump once the interval has passed runs what is pending.
  ui_.PumpEvents();
  QTest::qSleep(QtUi::kPumpIntervalMs + 5);
  bool ran = false;
  QTimer::singleShot(0, [&ran] { ran = true; });
  ui_.PumpEvents();
  EXPECT_TRUE(ran);
}

TEST_F(QtUiTest, MessageBoxesHaveTheTitleIconButtonsAndDefaults) {
  ModalAnswerer answers;
  answers
      .Then([](QWidget* modal) {
        QMessageBox* box = AsMessageBox(modal);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Initialize"));
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->text(), QStringLiteral("Data will be lost.\n\n  Save them?"));
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QTest::keyClick(box, Qt::Key_Escape);
      })
      .Then([](QWidget* modal) {
        QMessageBox* box = AsMessageBox(modal);
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        QTest::keyClick(box, Qt::Key_Return);
      })
      .Then([](QWidget* modal) {
        QMessageBox* box = AsMessageBox(modal);
        EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
        QTest::keyClick(box, Qt::Key_Return);
      })
      .Then([](QWidget* modal) { QTest::keyClick(AsMessageBox(modal), Qt::Key_Escape); })
      .Then([](QWidget* modal) {
        QMessageBox* box = AsMessageBox(modal);
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        QTest::keyClick(box, Qt::Key_Return);
      });
  EXPECT_EQ(
      ui_.AskYesNoCancel("Data will be lost.\r\n\r\n  Save them?", "Initialize", Icon::Exclamation),
      Answer::Cancel);
  EXPECT_EQ(ui_.AskOkCancel("Go on?", "Check", Icon::Critical), Answer::Ok);
  EXPECT_EQ(ui_.AskYesNo("Sure?", "Check", Icon::Question, false), Answer::Yes);
  EXPECT_EQ(ui_.AskYesNo("Sure?", "Check", Icon::Question, false), Answer::No);
  ui_.ShowMessage("Done", "Check", Icon::Information);
  EXPECT_EQ(answers.Answered(), 5);
}

TEST_F(QtUiTest, AskValueOffersTheDefaultSelectedAndTreatsCancelAsEmpty) {
  ModalAnswerer answers;
  answers
      .Then([](QWidget* modal) {
        auto* dialog = qobject_cast<QInputDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Tolerance"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral("New value:"));
        QTimer::singleShot(0, dialog, [dialog] {
          auto* edit = dialog->findChild<QLineEdit*>();
          EXPECT_EQ(edit->selectedText(), QStringLiteral("0.001"));
          QTest::keyClicks(edit, "1E-6");  // replaces the selection
          dialog->accept();
        });
      })
      .Then([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(ui_.AskValue("New value:", "Tolerance", "0.001"), "1E-6");
  EXPECT_EQ(ui_.AskValue("New value:", "Tolerance", "0.001"), "");
}

TEST_F(QtUiTest, FileDialogsShowTheFiltersTheChosenPairAndTheProposedName) {
  const FileDialogRequest request{"Save algorithm data",
                                  "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2,
                                  "01311200.alg"};
  ModalAnswerer answers;
  answers
      .Then([](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save algorithm data"));
        EXPECT_EQ(dialog->nameFilters(), (QStringList{"All files (*)", "Algorithm files (*.alg)"}));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Algorithm files (*.alg)"));
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("alg"));
        ASSERT_FALSE(dialog->selectedFiles().isEmpty());
        EXPECT_TRUE(dialog->selectedFiles().first().endsWith(QStringLiteral("/01311200.alg")));
        dialog->reject();
      })
      .Then([](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("All files (*)"));
        dialog->reject();
      });
  EXPECT_EQ(ui_.ChooseFileToSave(request), std::nullopt);
  FileDialogRequest open = request;
  open.filterIndex = 7;  // out of range: the first pair
  EXPECT_EQ(ui_.ChooseFileToOpen(open), std::nullopt);
  EXPECT_EQ(answers.Answered(), 2);
}

TEST_F(QtUiTest, CtrlCCopiesInATextFieldAndCascadesElsewhere) {
  std::vector<WindowArrangement> arranged;
  session_.Main().onArrange = [&arranged](WindowArrangement how) { arranged.push_back(how); };
  Form form("frmText", "Text");
  form.Add(ControlKind::TextBox, "txtValue").text = "1.25";
  form.Add(ControlKind::Button, "cmdOK", "OK");
  ui_.ShowForm(form, false);
  frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));

  auto* edit = ui_.ViewOf(form)->findChild<QLineEdit*>(QStringLiteral("txtValue"));
  edit->setFocus();
  edit->selectAll();
  QApplication::clipboard()->clear();
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1.25"));
  EXPECT_TRUE(arranged.empty());

  auto* button = ui_.ViewOf(form)->findChild<QPushButton*>(QStringLiteral("cmdOK"));
  button->setFocus();
  QTest::keyClick(button, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(arranged, std::vector<WindowArrangement>{WindowArrangement::Cascade});
  ui_.CloseForm(form);
}

}  // namespace
}  // namespace quorvane::qt

#include "qt_ui_test.moc"
