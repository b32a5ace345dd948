// The widgets of a form: every control kind carries its value from the
// model to the widget and back, without echoes.
#include "qt/form_view.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "qt/palette_colors.h"
#include "qt/report_font.h"

namespace quorvane::qt {
namespace {

class FormViewTest : public ::testing::Test {
 protected:
  FormViewTest() : form_("frmTest", "Test") {
    form_.Add(ControlKind::Label, "lblNote", "Note");
    form_.Add(ControlKind::Button, "cmdGo", "&Go");
    form_.Add(ControlKind::TextPane, "rtbReport");
    form_.Add(ControlKind::TextBox, "txtName", "&Name");
    form_.Add(ControlKind::ComboBox, "cboKind");
    form_.Add(ControlKind::ListBox, "lstItems");
    form_.Add(ControlKind::CheckBox, "chkLog", "Log");
    // Two groups of option buttons in one frame.
    form_.BeginFrame("Derivatives");
    form_.Add(ControlKind::OptionButton, "optNumerical", "Numerical").group = "derivatives";
    form_.Add(ControlKind::OptionButton, "optAnalytical", "Analytical").group = "derivatives";
    form_.Add(ControlKind::OptionButton, "optOther", "Other group").group = "other";
    form_.End();
    form_.Add(ControlKind::Grid, "grdValues");
    form_.Add(ControlKind::Surface, "picPlot");
    for (const auto& name : form_.ControlNames()) {
      Control& c = form_.Handlers(name);
      c.onClick = [this, name] { ++clicks_[name]; };
      c.onChange = [this, name] { ++changes_[name]; };
      c.onLostFocus = [this, name] { ++leaves_[name]; };
      c.onDoubleClick = [this](int row, int col) { doubleClicks_.push_back({row, col}); };
    }
    view_ = std::make_unique<FormView>(form_, ControlRegistry::Standard());
    form_.SetObserver([this](const std::string& c, FormProperty p) { view_->OnChange(c, p); });
    view_->resize(700, 900);
    view_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
  }
  ~FormViewTest() override { form_.SetObserver(nullptr); }

  template <typename W>
  W* Widget(const std::string& name) {
    auto* w = view_->findChild<W*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  // Check boxes and option buttons take clicks on their box and caption
  // only, not on the empty rest of their row.
  static void ClickBox(QWidget* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  // What a double-click is to a widget: a click, then the double-click.
  static void DoubleClick(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
  }

  // Moves the focus from `widget` to the button, as a user's click would.
  void LoseFocus(QWidget* widget) {
    view_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view_.get()));
    widget->setFocus(Qt::MouseFocusReason);
    Widget<QPushButton>("cmdGo")->setFocus(Qt::MouseFocusReason);
  }

  Form form_;
  std::unique_ptr<FormView> view_;
  std::map<std::string, int> clicks_, changes_, leaves_;
  std::vector<std::pair<int, int>> doubleClicks_;
};

TEST_F(FormViewTest, EnabledVisibleAndToolTipFollowTheModelForEveryKind) {
  for (const auto& name : form_.ControlNames()) {
    SCOPED_TRACE(name);
    ControlBinding* binding = view_->Binding(name);
    ASSERT_NE(binding, nullptr);
    form_.SetEnabled(name, false);
    EXPECT_FALSE(binding->Outer()->isEnabled());
    form_.SetEnabled(name, true);
    EXPECT_TRUE(binding->Primary()->isEnabled());
    form_.SetVisible(name, false);
    EXPECT_TRUE(binding->Outer()->isHidden());
    form_.SetVisible(name, true);
    EXPECT_TRUE(binding->Primary()->isVisible());
    form_.SetToolTip(name, "Tip of " + name);
    EXPECT_EQ(binding->Primary()->toolTip().toStdString(), "Tip of " + name);
  }
}

TEST_F(FormViewTest, LabelShowsItsCaptionWithoutAccessMarksAndReportsClicks) {
  form_.SetCaption("lblNote", "Fish && chips\r\nsecond &line");
  auto* label = Widget<QLabel>("lblNote");
  EXPECT_EQ(label->text(), QStringLiteral("Fish & chips\nsecond line"));
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(clicks_["lblNote"], 1);
}

TEST_F(FormViewTest, ButtonClickReachesTheHandlerOnlyWhileEnabled) {
  auto* button = Widget<QPushButton>("cmdGo");
  EXPECT_EQ(button->text(), QStringLiteral("&Go"));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks_["cmdGo"], 1);
  form_.SetEnabled("cmdGo", false);
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks_["cmdGo"], 1);
}

TEST_F(FormViewTest, TextPaneIsFixedPitchAndKeepsCrLfBothWays) {
  auto* pane = Widget<QPlainTextEdit>("rtbReport");
  // Report columns line up when narrow and wide characters advance alike
  // (the font's own fixed-pitch flag is false for some monospace fonts).
  const QFontMetricsF metrics(pane->font());
  for (const QChar c : QStringLiteral("il.,:|MW@m_ "))
    EXPECT_DOUBLE_EQ(metrics.horizontalAdvance(c), metrics.horizontalAdvance(QLatin1Char('0')))
        << c.toLatin1();
  EXPECT_EQ(pane->lineWrapMode(), QPlainTextEdit::NoWrap);  // a report keeps its lines

  form_.SetText("rtbReport", "Value   1.5\r\nError   0.2");
  EXPECT_EQ(pane->toPlainText(), QStringLiteral("Value   1.5\nError   0.2"));
  // A calculation adds lines: the pane grows, the model text stays exact.
  form_.SetText("rtbReport", "Value   1.5\r\nError   0.2\r\nDone");
  EXPECT_EQ(pane->toPlainText(), QStringLiteral("Value   1.5\nError   0.2\nDone"));
  form_.SetText("rtbReport", "Replaced");
  EXPECT_EQ(pane->toPlainText(), QStringLiteral("Replaced"));

  pane->moveCursor(QTextCursor::End);
  QTest::keyClick(pane, Qt::Key_Return);
  QTest::keyClicks(pane, "x");
  EXPECT_EQ(form_.Text("rtbReport"), "Replaced\r\nx");
  EXPECT_EQ(changes_["rtbReport"], 2);
  EXPECT_EQ(pane->textCursor().position(), 10);  // not reset by an echo
}

TEST(ReportFontTest, ThePaneFontIsTheFirstCandidateWithEqualAdvances) {
  QFont proportional(QStringLiteral("DejaVu Sans"));
  QFont mono(QStringLiteral("DejaVu Sans Mono"));
  // Both are installed with the build's dependencies.
  ASSERT_EQ(QFontInfo(proportional).family(), QStringLiteral("DejaVu Sans"));
  ASSERT_EQ(QFontInfo(mono).family(), QStringLiteral("DejaVu Sans Mono"));
  EXPECT_FALSE(HasEqualAdvances(proportional));
  EXPECT_TRUE(HasEqualAdvances(mono));
  EXPECT_EQ(QFontInfo(FirstWithEqualAdvances({proportional, mono})).family(),
            QStringLiteral("DejaVu Sans Mono"));
  EXPECT_TRUE(HasEqualAdvances(ReportFont()));
}

TEST_F(FormViewTest, TextBoxTypingReachesTheModelWithoutEchoAndLeavingRunsLostFocus) {
  auto* edit = Widget<QLineEdit>("txtName");
  form_.SetText("txtName", "abc");
  EXPECT_EQ(edit->text(), QStringLiteral("abc"));

  edit->setCursorPosition(1);
  QTest::keyClicks(edit, "XY");
  EXPECT_EQ(form_.Text("txtName"), "aXYbc");
  EXPECT_EQ(changes_["txtName"], 2);
  EXPECT_EQ(edit->cursorPosition(), 3);  // an echo would have moved it to the end

  LoseFocus(edit);
  EXPECT_EQ(leaves_["txtName"], 1);
  // The caption is the field's label: its access key moves the focus there.
  bool labelled = false;
  for (QLabel* label : view_->findChildren<QLabel*>())
    labelled = labelled || (label->buddy() == edit && label->text() == QStringLiteral("&Name"));
  EXPECT_TRUE(labelled);
}

TEST_F(FormViewTest, ReadOnlyTextBoxRefusesTyping) {
  form_.Handlers("txtName").readOnly = true;
  form_.SetText("txtName", "fixed");
  auto* edit = Widget<QLineEdit>("txtName");
  EXPECT_TRUE(edit->isReadOnly());
  QTest::keyClicks(edit, "zz");
  EXPECT_EQ(form_.Text("txtName"), "fixed");
  EXPECT_EQ(changes_["txtName"], 0);
}

TEST_F(FormViewTest, ComboBoxCarriesItemsSelectionAndTypedText) {
  auto* combo = Widget<QComboBox>("cboKind");
  form_.SetItems("cboKind", {"Normal", "Lognormal", "Gamma"});
  form_.SetSelectedIndex("cboKind", 1);
  EXPECT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(combo->currentText(), QStringLiteral("Lognormal"));

  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(form_.Get("cboKind").selectedIndex, 2);
  EXPECT_EQ(form_.Text("cboKind"), "Gamma");
  EXPECT_EQ(clicks_["cboKind"], 1);
  EXPECT_EQ(changes_["cboKind"], 1);

  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), "Beta");
  EXPECT_EQ(form_.Text("cboKind"), "Beta");
  EXPECT_EQ(combo->count(), 3);  // typing adds no item
  LoseFocus(combo->lineEdit());
  EXPECT_EQ(leaves_["cboKind"], 1);
}

TEST_F(FormViewTest, ListBoxCarriesItemsAndSelectionBothWays) {
  auto* list = Widget<QListWidget>("lstItems");
  form_.SetItems("lstItems", {"Simplex", "Marquardt"});
  form_.SetSelectedIndex("lstItems", 1);
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(clicks_["lstItems"], 0);  // the model's own change is no click

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(0)).center());
  EXPECT_EQ(form_.Get("lstItems").selectedIndex, 0);
  EXPECT_EQ(clicks_["lstItems"], 1);
}

TEST_F(FormViewTest, CheckBoxCarriesItsStateBothWays) {
  auto* box = Widget<QCheckBox>("chkLog");
  form_.SetChecked("chkLog", true);
  EXPECT_TRUE(box->isChecked());
  EXPECT_EQ(clicks_["chkLog"], 0);
  ClickBox(box);
  EXPECT_FALSE(form_.Checked("chkLog"));
  EXPECT_FALSE(box->isChecked());
  EXPECT_EQ(clicks_["chkLog"], 1);
}

TEST_F(FormViewTest, OptionButtonsExcludeOnlyWithinTheirGroup) {
  auto* numerical = Widget<QRadioButton>("optNumerical");
  auto* analytical = Widget<QRadioButton>("optAnalytical");
  auto* other = Widget<QRadioButton>("optOther");
  form_.SetChecked("optNumerical", true);
  form_.SetChecked("optOther", true);
  EXPECT_TRUE(numerical->isChecked());

  ClickBox(analytical);
  EXPECT_TRUE(form_.Checked("optAnalytical"));
  EXPECT_FALSE(form_.Checked("optNumerical"));
  EXPECT_FALSE(numerical->isChecked());
  EXPECT_TRUE(other->isChecked());
  EXPECT_EQ(clicks_["optAnalytical"], 1);

  // Clicking the chosen option again leaves it chosen.
  ClickBox(analytical);
  EXPECT_TRUE(analytical->isChecked());
  EXPECT_TRUE(form_.Checked("optAnalytical"));
  EXPECT_EQ(clicks_["optAnalytical"], 1);
}

TEST_F(FormViewTest, GridShowsHeadersCellsAndColoursAndDoubleClicksIntoCells) {
  form_.SetGridSize("grdValues", 3, 3);
  form_.SetCell("grdValues", 0, 0, "#");
  form_.SetCell("grdValues", 0, 1, "Value");
  form_.SetCell("grdValues", 0, 2, "Step");
  form_.SetCell("grdValues", 1, 0, "1");
  form_.SetCell("grdValues", 2, 0, "2");
  form_.SetCell("grdValues", 2, 2, "0.05");
  form_.SetCellColor("grdValues", 2, 2, 12);
  form_.SetCurrentCell("grdValues", 2, 1);

  auto* table = Widget<QTableView>("grdValues");
  QAbstractItemModel* cells = table->model();
  ASSERT_EQ(cells->rowCount(), 2);
  ASSERT_EQ(cells->columnCount(), 2);
  EXPECT_EQ(cells->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Value"));
  EXPECT_EQ(cells->headerData(1, Qt::Vertical).toString(), QStringLiteral("2"));
  EXPECT_EQ(cells->index(1, 1).data().toString(), QStringLiteral("0.05"));
  EXPECT_EQ(cells->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), PaletteQColor(12));
  EXPECT_EQ(table->currentIndex(), cells->index(1, 0));

  const QModelIndex cell = cells->index(0, 1);
  DoubleClick(table->viewport(), table->visualRect(cell).center());
  QHeaderView* header = table->horizontalHeader();
  QTest::mouseDClick(header->viewport(), Qt::LeftButton, {},
                     QPoint(header->sectionViewportPosition(0) + header->sectionSize(0) / 2,
                            header->height() / 2));
  table->setFocus();
  QTest::keyClick(table, Qt::Key_Return);
  const std::vector<std::pair<int, int>> expected = {{1, 2}, {0, 1}, {1, 2}};
  EXPECT_EQ(doubleClicks_, expected);
  EXPECT_EQ(form_.Get("grdValues").grid.CurrentRow, 1);
  EXPECT_EQ(form_.Get("grdValues").grid.CurrentCol, 2);

  // Growing the grid shows the new rows.
  form_.SetGridSize("grdValues", 5, 3);
  EXPECT_EQ(cells->rowCount(), 4);
}

TEST_F(FormViewTest, SurfaceIsPaintedFromItsDisplayListAndReportsClicks) {
  Surface plot;
  plot.SetScale(0, 10, 10, 0);
  plot.SetBackground(15);
  plot.AddRectangle(4, 6, 6, 4, 12, true);
  form_.SetSurface("picPlot", plot);
  auto* widget = view_->Binding("picPlot")->Primary();
  const QImage image = widget->grab().toImage();
  EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), PaletteQColor(12));
  EXPECT_EQ(image.pixelColor(2, 2), PaletteQColor(15));
  QTest::mouseClick(widget, Qt::LeftButton);
  EXPECT_EQ(clicks_["picPlot"], 1);
}

TEST_F(FormViewTest, ChangesTheFormRefusesAreUndoneInTheWidget) {
  // A handler that puts the text back, as a validating window would.
  form_.Handlers("txtName").onChange = [this] { form_.SetText("txtName", "kept"); };
  auto* edit = Widget<QLineEdit>("txtName");
  QTest::keyClicks(edit, "q");
  EXPECT_EQ(form_.Text("txtName"), "kept");
  EXPECT_EQ(edit->text(), QStringLiteral("kept"));
}

TEST(FormViewBuild, ControlsHiddenBeforeTheWindowOpensStayHiddenAndOpenNoWindows) {
  Form form("frmHidden", "Hidden");
  form.BeginRow();
  form.Add(ControlKind::Button, "cmdHidden", "Hidden").visible = false;
  form.BeginFrame("Frame");
  form.Add(ControlKind::TextBox, "txtShown");
  form.End();
  form.End();
  const auto visibleWindows = [] {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) n += w->isVisible();
    return n;
  };
  const int before = visibleWindows();
  FormView view(form, ControlRegistry::Standard());
  EXPECT_EQ(visibleWindows(), before);
  view.show();
  EXPECT_EQ(visibleWindows(), before + 1);
  EXPECT_FALSE(view.Binding("cmdHidden")->Outer()->isVisible());
  EXPECT_TRUE(view.Binding("txtShown")->Outer()->isVisible());
}

TEST(FormViewMenus, ChildWindowMenusFollowTheFormAndRunItsHandlers) {
  Form form("frmEditor", "Editor");
  form.Add(ControlKind::Button, "cmdOK", "OK");
  int saved = 0;
  MenuItem file;
  file.name = "mnuFile";
  file.caption = "&File";
  MenuItem save;
  save.name = "mnuSave";
  save.caption = "&Save";
  save.shortcut = "Ctrl+S";
  save.onClick = [&saved] { ++saved; };
  file.items = {save};
  form.AddMenu(file);

  FormView view(form, ControlRegistry::Standard());
  form.SetObserver([&view](const std::string& c, FormProperty p) { view.OnChange(c, p); });
  QAction* action = view.Menus()->Action("mnuSave");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
  action->trigger();
  EXPECT_EQ(saved, 1);

  form.SetMenuEnabled("mnuSave", false);
  EXPECT_FALSE(action->isEnabled());
  form.SetMenuCaption("mnuFile", "&Data");
  EXPECT_EQ(view.Menus()->Menu("mnuFile")->title(), QStringLiteral("&Data"));
  form.SetMenuVisible("mnuFile", false);
  EXPECT_FALSE(view.Menus()->Menu("mnuFile")->menuAction()->isVisible());
  form.SetObserver(nullptr);
}

}  // namespace
}  // namespace quorvane::qt
