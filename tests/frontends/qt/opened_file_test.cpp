// `quorvane FILE`: the file choosers for opening that offer FILE's kind
// propose it; others, and choosers with a proposal of their own, do not.
#include "qt/opened_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFileDialog>
#include <filesystem>
#include <fstream>

#include "modal_answerer.h"
#include "qt/qt_ui.h"
#include "app/session.h"

namespace quorvane::qt {
namespace {

TEST(ProposedFileToOpen, ProposesTheStartFileWhereTheFilterOffersItsKind) {
  const std::string alg = "/home/me/nile/nile.alg";
  const struct {
    FileDialogRequest request;
    std::string startedWith;
    std::string expected;
  } cases[] = {
      {{"Open", "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, ""}, alg, alg},
      // The chooser's own proposal wins.
      {{"Open", "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, "old.alg"}, alg, "old.alg"},
      // Another kind, or every kind ("*.*"), is not this file's kind.
      {{"Open", "All Files (*.*)|*.*|Time series data files (*.dat)|*.dat", 2, ""}, alg, ""},
      {{"Open", "All files (*.*)|*.*|", 1, ""}, alg, ""},
      // A description that looks like a pattern is not one.
      {{"Open", "*.alg|*.dat", 1, ""}, alg, ""},
      // Several patterns in one, blanks and letter case aside.
      {{"Open", "All files (*.*)|*.*|Series (*.dat;*.csv)|*.dat; *.CSV", 2, ""},
       "/data/Road.csv", "/data/Road.csv"},
      {{"Open", "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, ""}, "/x/NILE.ALG",
       "/x/NILE.ALG"},
      // A file without an extension, or no file at all, is never proposed.
      {{"Open", "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, ""}, "/x/alg", ""},
      {{"Open", "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, ""}, "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ProposedFileToOpen(c.request, c.startedWith), c.expected)
        << c.request.filter << " with " << c.startedWith;
}

TEST(ProposedFileToOpen, TheDesktopChooserOfItsKindOpensAtTheStartFile) {
  QtUi ui;
  Session session(ui, nullptr);
  ui.SetExitAction([](int) {});
  ui.AttachMainWindow(session.Main());
  session.Start();

  // A folder no file dialog of this process has visited yet.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                       ("quorvane_start_file_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path alg = folder / "nile.alg";
  std::ofstream(alg) << "             8  Number of parameters\n";
  ui.ProposeForOpening(alg.string());

  std::string seriesFolder;
  std::string algorithmFolder;
  testing::ModalAnswerer answers;
  auto readFolder = [](std::string& into) {
    return [&into](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      into = dialog->directory().absolutePath().toStdString();
      dialog->reject();
    };
  };
  answers.Then(readFolder(seriesFolder)).Then(readFolder(algorithmFolder));
  const FileDialogRequest series{"Load response series data file",
                                 "All Files (*.*)|*.*|Time series data files (*.dat)|*.dat", 2, ""};
  const FileDialogRequest algorithm{"Open algorithm data file",
                                    "All files (*.*)|*.*|Algorithm files (*.alg)|*.alg", 2, ""};
  EXPECT_EQ(ui.ChooseFileToOpen(series), std::nullopt);
  EXPECT_EQ(ui.ChooseFileToOpen(algorithm), std::nullopt);
  const std::string expected =
      QDir(QString::fromStdString(folder.string())).absolutePath().toStdString();
  EXPECT_NE(seriesFolder, expected);
  EXPECT_EQ(algorithmFolder, expected);
  EXPECT_EQ(answers.Unexpected(), 0);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quorvane::qt
