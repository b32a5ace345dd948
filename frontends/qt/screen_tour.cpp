#include "qt/screen_tour.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QThread>
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
  return "";
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

int RunScreenTour(SelfAnsweringUi& ui, const QString& folder) {
  if (!QDir().mkpath(folder)) {
    std::cerr << "Cannot make the folder " << folder.toStdString() << "\n";
    return 1;
  }
  const QDir examples = ExamplesFolder();
  const auto example = [&examples](const char* name) {
    return examples.absoluteFilePath(QLatin1String(name)).toStdString();
  };
  if (!QFileInfo::exists(QString::fromStdString(example("nile.dat")))) {
    std::cerr << "nile.dat is neither in examples/ of the current folder nor in "
              << examples.absolutePath().toStdString() << "\n";
    return 1;
  }
  const auto shoot = [&](const char* name) {
    Settle();
    const QString path = QDir(folder).filePath(QLatin1String(name));
    if (auto error = SaveScreenshot(ui.Frame(), path)) throw std::runtime_error(error->toStdString());
    std::cerr << "saved " << path.toStdString() << "\n";
  };

  try {
    shoot("main-menu.png");

    Need(ui, "frmMenu").Click("cmdInitialize");
    Form& init = Need(ui, "frmInitialize");
    ui.files.push_back(example("nile.dat"));
    init.Click("cmdSelectRes");  // proposes the file's periods, 1871 to 1970
    init.Type("cboIntervention1", "1");
    init.Type("cboARMA", "1");
    init.SetCheckedByUser("chkARMALogit", false);
    shoot("initialize.png");
    ScrollToEnd(ui, init);
    shoot("initialize-end.png");
    init.Click("cmdDone");

    ui.answers.push_back(Answer::Yes);  // "Load an existing algorithm data file?"
    ui.files.push_back(example("nile.alg"));
    Need(ui, "frmMenu").Click("cmdLoadAlg");

    Need(ui, "frmMenu").Click("cmdEditAlg");
    Form& editor = Need(ui, "frmAlgorithmEditor");
    editor.DoubleClick("grdVS", 3, 1);  // the intercept's value
    shoot("editor.png");
    editor.Cancel("txtCell");
    editor.Click("cmdFinish");

    Need(ui, "frmMenu").Click("cmdSimplex");
    shoot("simplex.png");

    Need(ui, "frmMenu").Click("cmdUserSummary");  // No to the plots
    shoot("summary.png");

    Need(ui, "frmSummary").Click("cmdResidualPlots");
    shoot("residual-plots.png");
  } catch (const std::exception& error) {
    std::cerr << "The walk-through stopped: " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace quorvane::qt
