// The desktop's file choosers remember, for this session only, where each
// kind of file went, and first open in the folder of the data file; a
// saved plot proposes the data file's name and its number.
#include "qt/dialog_memory.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "app/main_menu.h"
#include "app/session.h"
#include "modal_answerer.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "support/console_run.h"
#include "tfn/tfn_application.h"

namespace quorvane::qt {
namespace {

namespace fs = std::filesystem;
using testing::ModalAnswerer;

TEST(DialogMemoryTest, TheKindOfFileIsTheFiltersFirstPatternWithAnExtension) {
  struct Case {
    const char* filter;
    const char* kind;
  };
  for (const Case& c : {
           Case{"All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", "*.alg"},
           Case{"All Files (*.*)|*.*|Time series data files (*.dat)|*.dat", "*.dat"},
           Case{"All files (*.*)|*.*|Output files (*.qvo)|*.qvo|Named for data file (nile.*)|nile.*|",
                "*.qvo"},
           Case{"All files (*.*)|*.*|Series (*.dat; *.csv)| *.dat; *.csv", "*.dat"},
           Case{"All files (*.*)|*.*", ""},
           Case{"", ""},
       }) {
    EXPECT_EQ(DialogMemory::KindOf(c.filter), c.kind) << c.filter;
  }
}

// What a file dialog showed when it opened: its folder and the name in its
// name field.
struct Opened {
  QString folder;
  QString name;
  QStringList history;
};

// Notes where the dialog opened, then chooses `path` (or cancels for "").
std::function<void(QWidget*)> NoteAndChoose(Opened& opened, const std::string& path) {
  return [&opened, path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << "expected a file dialog";
    opened.folder = dialog->directory().absolutePath();
    opened.name = dialog->selectedFiles().isEmpty()
                      ? QString()
                      : QFileInfo(dialog->selectedFiles().first()).fileName();
    opened.history = dialog->history();
    if (path.empty()) {
      QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
      return;
    }
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

// The figure's own dialog, accepted as it stands.
void AcceptFigureChoices(QWidget* modal) {
  ASSERT_NE(modal->findChild<QComboBox*>("cboFigureFormat"), nullptr) << "expected the figure dialog";
  QMetaObject::invokeMethod(modal, "accept", Qt::QueuedConnection);
}

class DialogMemoryQtTest : public ::testing::Test {
 protected:
  DialogMemoryQtTest() : session_(ui_, &timeSeries_.Model()) {
    timeSeries_.Attach(session_);
    ui_.SetExitAction([](int) {});
    ui_.AttachMainWindow(session_.Main());
    ui_.SetDataFileSource([this] { return session_.State.DataFileName; });
    session_.Start();
    root_ = fs::path(quorvane::testing::TestTempPath("dialogs"));
    fs::remove_all(root_);
    fs::create_directories(data_);
    fs::create_directories(saved_);
    for (const char* file : {"nile.dat", "nile.alg"})
      fs::copy_file(fs::path(QUORVANE_SOURCE_DIR) / "examples" / file, data_ / file);
  }
  ~DialogMemoryQtTest() override { fs::remove_all(root_); }

  template <typename W>
  W* Widget(QWidget& parent, const char* name) {
    W* widget = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString Folder(const fs::path& path) const { return QString::fromStdString(path.string()); }

  QtUi ui_;
  TfnApplication timeSeries_;
  Session session_;
  fs::path root_;
  fs::path data_ = fs::path(quorvane::testing::TestTempPath("dialogs")) / "data";
  fs::path saved_ = fs::path(quorvane::testing::TestTempPath("dialogs")) / "saved";
};

TEST_F(DialogMemoryQtTest, ChoosersOpenInTheDataFolderThenWhereTheirKindWentLast) {
  // The data file typed into the set-up window, not chosen: its folder
  // counts all the same.
  Form& menu = session_.Menu().form();
  menu.Click("cmdInitialize");
  Form& init = *ui_.OpenForm("frmInitialize");
  init.Type("txtResDataInput", (data_ / "nile.dat").string());
  init.Type("cboIntervention1", "1");
  init.Type("cboARMA", "1");
  init.SetCheckedByUser("chkARMALogit", false);
  init.Click("cmdDone");

  ModalAnswerer answers;
  Opened load, summary1, summary2, saveAlg;
  answers.Then(Press(QMessageBox::Yes)).Then(NoteAndChoose(load, (data_ / "nile.alg").string()));
  menu.Click("cmdLoadAlg");
  EXPECT_EQ(load.folder, Folder(data_));

  // A summary goes first beside the data, under the name the window
  // proposes; the next one where the last went.
  answers.Then(Press(QMessageBox::No));  // no plots
  menu.Click("cmdUserSummary");
  Form& summaryWindow = *ui_.OpenForm("frmSummary");
  answers.Then(NoteAndChoose(summary1, (saved_ / "first.qvo").string()));
  summaryWindow.Click("cmdSaveSummary");
  answers.Then(NoteAndChoose(summary2, ""));
  summaryWindow.Click("cmdSaveSummary");
  EXPECT_EQ(summary1.folder, Folder(data_));
  EXPECT_EQ(summary1.name, QStringLiteral("KAVRO_Model_Results.qvo"));
  EXPECT_EQ(summary2.folder, Folder(saved_));
  EXPECT_EQ(summary2.name, QStringLiteral("KAVRO_Model_Results.qvo"));
  // The list of recent folders is this session's only.
  EXPECT_EQ(summary2.history, (QStringList{Folder(data_), Folder(saved_)}));
  ui_.CloseForm(summaryWindow);

  // A proposed name with a folder (the algorithm file's) keeps its folder.
  answers.Then(NoteAndChoose(saveAlg, ""));
  menu.Click("cmdSaveAlg");
  EXPECT_EQ(saveAlg.folder, Folder(data_));
  EXPECT_EQ(saveAlg.name, QStringLiteral("nile.alg"));
  EXPECT_EQ(answers.Unexpected(), 0);
}

TEST_F(DialogMemoryQtTest, ASavedPlotProposesTheDataFilesNameAndItsNumber) {
  Form& menu = session_.Menu().form();
  menu.Click("cmdInitialize");
  Form& init = *ui_.OpenForm("frmInitialize");
  init.Type("txtResDataInput", (data_ / "nile.dat").string());
  init.Type("cboIntervention1", "1");
  init.Type("cboARMA", "1");
  init.SetCheckedByUser("chkARMALogit", false);
  init.Click("cmdDone");
  ModalAnswerer answers;
  answers.Then(Press(QMessageBox::Yes)).Then([this](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->selectFile(QString::fromStdString((data_ / "nile.alg").string()));
    QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
  });
  menu.Click("cmdLoadAlg");
  // A name of the next number taken already is passed over.
  std::ofstream(saved_ / "nile-plot3.png") << "taken";

  Opened first, second, third;
  answers.Then(Press(QMessageBox::Yes));  // plots
  answers.Then([&](QWidget* plots) {
    Widget<QListWidget>(*plots, "listXVar")->setCurrentRow(0);
    Widget<QListWidget>(*plots, "listYVar")->setCurrentRow(1);
    Widget<QPushButton>(*plots, "cmdPlot")->click();
    QAction* save = Widget<QAction>(*plots, "actSaveFigure");
    ModalAnswerer inner;
    inner.Then(AcceptFigureChoices).Then(NoteAndChoose(first, (saved_ / "nile-plot1.png").string()));
    save->trigger();
    inner.Then(AcceptFigureChoices).Then(NoteAndChoose(second, (saved_ / "nile-plot2.png").string()));
    save->trigger();
    inner.Then(AcceptFigureChoices).Then(NoteAndChoose(third, ""));
    save->trigger();
    EXPECT_EQ(inner.Unexpected(), 0);
    Widget<QPushButton>(*plots, "cmdCancel")->click();
  });
  menu.Click("cmdUserSummary");
  EXPECT_EQ(answers.Unexpected(), 0);

  EXPECT_EQ(first.folder, Folder(data_));
  EXPECT_EQ(first.name, QStringLiteral("nile-plot1.png"));
  EXPECT_EQ(second.folder, Folder(saved_));
  EXPECT_EQ(second.name, QStringLiteral("nile-plot2.png"));
  EXPECT_EQ(third.name, QStringLiteral("nile-plot4.png"));
  EXPECT_TRUE(fs::exists(saved_ / "nile-plot1.png"));
  EXPECT_TRUE(fs::exists(saved_ / "nile-plot2.png"));
}

}  // namespace
}  // namespace quorvane::qt
