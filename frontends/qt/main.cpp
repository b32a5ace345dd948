// quorvane: the desktop application.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <clocale>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <cstring>
#include <iostream>

#include "qt/app_icon.h"
#include "qt/main_frame.h"
#include "qt/qt_ui.h"
#include "qt/screenshot.h"
#include "qt/screen_tour.h"
#include "app/session.h"
#include "base/files/file_path_check.h"
#include "base/ui/recording_ui.h"
#include "quorvane_version.h"
#include "tfn/tfn_application.h"

namespace {

int Usage(std::ostream& out, int status) {
  out << "Usage: quorvane [FILE]\n"
         "       quorvane --screenshot FILE | --screens FOLDER | --version | --help\n"
         "Starts the desktop application. With FILE (as when an algorithm data file is\n"
         "double-clicked), starts in FILE's folder and proposes FILE in the first file\n"
         "chooser that opens files of its kind: .alg when the algorithm data are loaded,\n"
         ".dat when the model is set up.\n"
         "\n"
         "  --screenshot FILE  render the main window with the main menu to the PNG file\n"
         "                     FILE and exit\n"
         "  --screens FOLDER   walk through the Nile analysis of the examples (examples/\n"
         "                     here, else the installed ones) and save a PNG of the\n"
         "                     main window at each step into FOLDER, then exit\n"
         "  --version          print the version and exit\n"
         "  --help             print this text and exit\n"
         "Qt's own options, such as -platform offscreen or -style Fusion, work too.\n"
         "\n"
         "Environment:\n"
         "  QUORVANE_THREADS   the number of threads the covariance and posterior grids\n"
         "                     evaluate on, 1 to 256 (otherwise one per core)\n"
         "\n"
         "F1 opens the user guide; the manual page: man quorvane.\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) return Usage(std::cout, 0);
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "quorvane " QUORVANE_VERSION "\n";
      return 0;
    }
  }

  // Qt takes its own options (-platform, -style and so on) out of argv.
  QApplication app(argc, argv);
  const char* screenshot = nullptr;
  const char* screens = nullptr;
  const char* startFile = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
      screenshot = argv[++i];
    } else if (std::strcmp(argv[i], "--screens") == 0 && i + 1 < argc) {
      screens = argv[++i];
    } else if (argv[i][0] != '-' && !startFile) {
      startFile = argv[i];
    } else {
      std::cerr << "Unknown argument: " << argv[i] << "\n";
      return Usage(std::cerr, 64);
    }
  }

  // Qt sets the C locale from the environment; numbers read and written by
  // the calculations must not depend on it (a decimal comma would break
  // every file).
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setApplicationVersion(QStringLiteral(QUORVANE_VERSION));
  QApplication::setWindowIcon(quorvane::qt::ApplicationIcon());
  // The desktop entry the windows belong to, for the desktop's task bar.
  QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));

  // The application carries the time-series model.
  // The walk-through answers its own questions; otherwise the user does.
  std::unique_ptr<quorvane::qt::QtUi> uiOwner;
  if (screens)
    uiOwner = std::make_unique<quorvane::qt::SelfAnsweringUi>();
  else
    uiOwner = std::make_unique<quorvane::qt::QtUi>();
  quorvane::qt::QtUi& ui = *uiOwner;
  // Between the session and the Qt dialogs: records the session as a
  // console script when the user asks for it from the Application menu.
  quorvane::RecordingUi recorder(ui);
  quorvane::TfnApplication timeSeries;
  quorvane::Session session(recorder, &timeSeries.Model());
  timeSeries.Attach(session);
  recorder.AddMenuItems(session.Main().form());
  ui.AttachMainWindow(session.Main());
  // A file to start with makes its folder the working folder, where the
  // file choosers open, and is proposed when a file of its kind is chosen.
  std::optional<std::string> startFileProblem;
  if (startFile && !screens && !screenshot) {
    const QFileInfo file(QString::fromLocal8Bit(startFile));
    startFileProblem = quorvane::ProblemOpeningFile(file.filePath().toStdString());
    if (!startFileProblem) {
      QDir::setCurrent(file.absolutePath());
      ui.ProposeForOpening(file.absoluteFilePath().toStdString());
    }
  }
  ui.SetDataFileSource([&session] { return session.State.DataFileName; });
  session.Start();
  if (startFileProblem)
    ui.ShowMessage(*startFileProblem, "Quorvane", quorvane::Icon::Exclamation);

  if (screens) {
    const int status = quorvane::qt::RunScreenTour(static_cast<quorvane::qt::SelfAnsweringUi&>(ui),
                                                   QString::fromLocal8Bit(screens));
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);  // as the quit sequence ends: no teardown of live windows
  }
  if (screenshot) {
    ui.Frame().resize(1024, 768);
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    if (auto error = quorvane::qt::SaveScreenshot(ui.Frame(), QString::fromLocal8Bit(screenshot))) {
      std::cerr << error->toStdString() << "\n";
      return 1;
    }
    return 0;
  }
  return app.exec();
}
