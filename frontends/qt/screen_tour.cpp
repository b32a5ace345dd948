#include "qt/screen_tour.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <functional>
#include <iostream>
#include <stdexcept>

#include "qt/main_frame.h"
#include "qt/screenshot.h"

namespace quorvane::qt {

namespace {

void Transcript(const std::string& kind, const std::string& title, const std::string& text) {
  std::string oneLine = text;
  for (char& c : oneLine)
    if (c == '\r' || c == '\n') c = ' ';
  std::cerr << kind << " [" << title << "] " << oneLine.substr(0, 160) << "\n";
}

// Lets the windows lay themselves out and paint.
void Settle() {
  for (int i = 0; i < 10; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

Form& Need(SelfAnsweringUi& ui, const std::string& name) {
  Form* form = ui.OpenForm(name);
  if (!form) throw std::runtime_error("the window " + name + " is not open");
  return *form;
}

// Scrolls the scroll area of a form's child window to its end.
void ScrollToEnd(SelfAnsweringUi& ui, const Form& form) {
  QWidget* window = ui.WindowOf(form);
  if (!window) return;
  if (auto* scroll = window->findChild<QScrollArea*>()) {
    scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
  }
}

// The examples to walk through: examples/ in the current folder (the source
// folder, where scripts/screens.sh runs the tour), otherwise the installed
// ones, PREFIX/share/quorvane/examples beside the program's PREFIX/bin.
QDir ExamplesFolder() {
  if (QFileInfo::exists(QStringLiteral("examples/nile.dat")))
    return QDir(QDir::current().absoluteFilePath(QStringLiteral("examples")));
  return QDir(QDir::cleanPath(QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../share/quorvane/examples")));
}

}  // namespace

Answer SelfAnsweringUi::Next(Answer otherwise) {
  if (answers.empty()) return otherwise;
  const Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

void SelfAnsweringUi::ShowMessage(const std::string& text, const std::string& title, Icon) {
  Transcript("message", title, text);
}

Answer SelfAnsweringUi::AskYesNo(const std::string& text, const std::string& title, Icon, bool) {
  Transcript("question", title, text);
  return Next(Answer::No);
}

Answer SelfAnsweringUi::AskYesNoCancel(const std::string& text, const std::string& title, Icon,
                                       bool) {
  Transcript("question", title, text);
  return Next(Answer::No);
}

Answer SelfAnsweringUi::AskOkCancel(const std::string& text, const std::string& title, Icon) {
  Transcript("question", title, text);
  return Next(Answer::Ok);
}

std::string SelfAnsweringUi::AskValue(const std::string& prompt, const std::string& title,
                                      const std::string&) {
  Transcript("value", title, prompt);
  if (values.empty()) return "";
  std::string value = values.front();
  values.pop_front();
  return value;
}

std::optional<std::string> SelfAnsweringUi::ChooseFileToOpen(const FileDialogRequest& request) {
  Transcript("open file", request.title, files.empty() ? "(cancelled)" : files.front());
  if (files.empty()) return std::nullopt;
  std::string path = files.front();
  files.pop_front();
  return path;
}

std::optional<std::string> SelfAnsweringUi::ChooseFileToSave(const FileDialogRequest& request) {
  Transcript("save file", request.title, "(cancelled)");
  return std::nullopt;
}

void WalkThroughWindows(SelfAnsweringUi& ui, const std::function<void(const char*)>& at) {
  const QDir examples = ExamplesFolder();
  const auto example = [&examples](const char* name) {
    return examples.absoluteFilePath(QLatin1String(name)).toStdString();
  };
  if (!QFileInfo::exists(QString::fromStdString(example("nile.dat"))))
    throw std::runtime_error("nile.dat is neither in examples/ of the current folder nor in " +
                             examples.absolutePath().toStdString());
  const auto step = [&](const char* name) {
    Settle();
    at(name);
  };
  const auto mainMenu = [&ui] { Need(ui, "frmMain").ClickMenu("Application>Main menu"); };
  // A plot window is modal: what is done in it is done from the wait for
  // it to close, once it is open. When that fails the window is closed and
  // the walk-through stops after it.
  std::string failed;
  const auto inModal = [&](const char* name, std::function<void(Form&)> work) {
    auto* poll = new QTimer;
    poll->setInterval(50);
    QObject::connect(poll, &QTimer::timeout, [&ui, &failed, poll, name, work = std::move(work)] {
      Form* form = ui.OpenForm(name);
      if (!form) return;
      poll->stop();
      poll->deleteLater();
      try {
        work(*form);
      } catch (const std::exception& error) {
        failed = error.what();
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      }
    });
    poll->start();
  };
  const auto check = [&failed] {
    if (!failed.empty()) throw std::runtime_error(failed);
  };

  step("main-menu.png");

  Need(ui, "frmMenu").Click("cmdInitialize");
  Form& init = Need(ui, "frmInitialize");
  ui.files.push_back(example("nile.dat"));
  init.Click("cmdSelectRes");  // proposes the file's periods, 1871 to 1970
  init.Type("cboIntervention1", "1");
  init.Type("cboARMA", "1");
  init.SetCheckedByUser("chkARMALogit", false);
  step("initialize.png");
  ScrollToEnd(ui, init);
  step("initialize-end.png");
  init.Click("cmdDone");

  ui.answers.push_back(Answer::Yes);  // "Load an existing algorithm data file?"
  ui.files.push_back(example("nile.alg"));
  Need(ui, "frmMenu").Click("cmdLoadAlg");

  Need(ui, "frmMenu").Click("cmdEditAlg");
  Form& editor = Need(ui, "frmAlgorithmEditor");
  editor.DoubleClick("grdVS", 3, 1);  // the intercept's value
  step("editor.png");
  editor.Cancel("txtCell");
  editor.Click("cmdFinish");

  Need(ui, "frmMenu").Click("cmdSimplex");
  step("simplex.png");

  // Numerical derivatives, not shown at each iteration: No and No.
  Need(ui, "frmMenu").Click("cmdMarquardt");
  step("marquardt.png");
  mainMenu();

  Need(ui, "frmMenu").Click("cmdUserSummary");  // No to the plots
  step("summary.png");
  Need(ui, "frmSummary").Click("cmdResidualPlots");
  step("residual-plots.png");
  mainMenu();

  ui.answers.push_back(Answer::Yes);  // "Do you want to see summary plots...?"
  inModal("frmXYPlot", [&](Form& plots) {
    plots.Select("listXVar", 0);
    plots.Select("listYVar", 1);
    plots.Click("cmdPlot");
    step("summary-plot.png");
    plots.Click("cmdCancel");
  });
  Need(ui, "frmMenu").Click("cmdUserSummary");
  check();
  mainMenu();

  // Covariances on the three grids: numerical derivatives, the values and
  // steps as they are, the grid factors confirmed, the constant 1.
  ui.answers.push_back(Answer::No);
  for (const char* value : {"1", "0.1", "0.01"}) ui.values.push_back(value);
  inModal("frmAlgorithmEditor", [&](Form& values) {
    ui.answers.push_back(Answer::Yes);
    ui.values.push_back("1");
    ui.answers.push_back(Answer::No);
    values.ClickMenu("Edit>Finish editing");
  });
  Need(ui, "frmMenu").Click("cmdCovariance");
  check();
  step("covariances.png");
  Need(ui, "frmCovDisplay").Click("cmdFinish");

  // A likelihood profile of Phi(1), 21 points, Marquardt at each, the
  // step sizes as they are, and its distribution plot.
  Need(ui, "frmMenu").Click("cmdParEstimate");
  ui.answers.push_back(Answer::Yes);
  for (const char* value : {"1", "21"}) ui.values.push_back(value);
  ui.answers.push_back(Answer::No);
  ui.values.push_back("N");
  inModal("frmAlgorithmEditor", [](Form& values) { values.Click("cmdFinish"); });  // No and No
  inModal("frmDistPlot", [&](Form& distribution) {
    distribution.Select("listVar", 1);
    distribution.Click("cmdPlot");
    step("distribution-plot.png");
    distribution.Click("cmdDone");
  });
  Need(ui, "frmEvaluate").Click("cmdML");
  check();
  step("profile.png");
}

int RunScreenTour(SelfAnsweringUi& ui, const QString& folder) {
  if (!QDir().mkpath(folder)) {
    std::cerr << "Cannot make the folder " << folder.toStdString() << "\n";
    return 1;
  }
  try {
    WalkThroughWindows(ui, [&](const char* name) {
      const QString path = QDir(folder).filePath(QLatin1String(name));
      // A dialog is a window of its own on the screen: it is the picture.
      QWidget* modal = QApplication::activeModalWidget();
      if (auto error = SaveScreenshot(modal ? *modal : static_cast<QWidget&>(ui.Frame()), path)) throw std::runtime_error(error->toStdString());
      std::cerr << "saved " << path.toStdString() << "\n";
    });
  } catch (const std::exception& error) {
    std::cerr << "The walk-through stopped: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace quorvane::qt
