// The desktop file dialogs given a path the system cannot use: the reason in
// a message, then the dialog again.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "file_dialog_answer.h"
#include "modal_answerer.h"
#include "qt/qt_ui.h"
#include "app/session.h"

namespace quorvane::qt {
namespace {

using testing::ChooseInFileDialog;
using testing::ModalAnswerer;

TEST(FileDialogCheckTest, AnUnusableChoiceShowsTheReasonAndTheDialogAgain) {
  QtUi ui;
  Session session(ui, nullptr);
  ui.SetExitAction([](int) {});
  ui.AttachMainWindow(session.Main());
  session.Start();

  const std::filesystem::path locked =
      std::filesystem::temp_directory_path() / ("quorvane_qt_locked_" + std::to_string(::getpid()) + ".alg");
  std::ofstream(locked) << "precious";
  ::chmod(locked.c_str(), 0444);
  struct Case {
    bool forSaving;
    std::string path;
    std::string reason;
  };
  for (const Case& c : {Case{false, "/dev/null", "/dev/null is a device, not a file"},
                        Case{true, locked.string(),
                             locked.string() + " is read-only, so it is not replaced"}}) {
    SCOPED_TRACE(c.path);
    int dialogs = 0;
    std::string shown;
    QWidget* fileDialog = nullptr;
    auto choose = [&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      fileDialog = dialog;
      ++dialogs;
      ChooseInFileDialog(*dialog, QString::fromStdString(c.path));
    };
    auto pressYes = [](QWidget* modal) {  // the dialog's own "already exists" question
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      box->button(QMessageBox::Yes)->click();
    };
    auto readReason = [&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      ASSERT_NE(box, nullptr);
      shown = box->text().toStdString();
      // The same dialog shows again: let the answerer take it once more.
      if (fileDialog) fileDialog->setProperty("answered", false);
      box->accept();
    };
    auto cancel = [&](QWidget* modal) {
      ++dialogs;
      qobject_cast<QDialog*>(modal)->reject();
    };
    ModalAnswerer answers;
    answers.Then(choose);
    if (c.forSaving) answers.Then(pressYes);
    answers.Then(readReason).Then(cancel);
    const FileDialogRequest request{"Algorithm file", "All files (*.*)|*.*|", 1, ""};
    EXPECT_EQ(c.forSaving ? ui.ChooseFileToSave(request) : ui.ChooseFileToOpen(request),
              std::nullopt);
    EXPECT_EQ(shown, c.reason);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(answers.Unexpected(), 0);
  }
  std::filesystem::remove(locked);
}

}  // namespace
}  // namespace quorvane::qt
