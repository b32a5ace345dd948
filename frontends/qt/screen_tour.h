#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "qt/qt_ui.h"

namespace quorvane::qt {

// The desktop application that answers its own questions: each question
// takes the next queued answer (No, Ok when none is queued), each request
// for a value the next queued value (an empty text when none is queued), each file chooser the next queued path, and every message and
// question is written to the standard error as a transcript. The windows
// are the real ones; it is for walking through an analysis unattended.
class SelfAnsweringUi : public QtUi {
 public:
  std::deque<Answer> answers;
  std::deque<std::string> files;
  std::deque<std::string> values;

  void ShowMessage(const std::string& text, const std::string& title, Icon icon) override;
  Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                  bool noIsDefault) override;
  Answer AskYesNoCancel(const std::string& text, const std::string& title, Icon icon,
                        bool noIsDefault) override;
  Answer AskOkCancel(const std::string& text, const std::string& title, Icon icon) override;
  std::string AskValue(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;

 private:
  Answer Next(Answer otherwise);
};

// Walks through the Nile analysis of the examples (examples/ of the current
// folder, else the installed ones) in the real windows and calls `at` with
// a picture's file name at each step: the main menu, the Initialize window
// filled for the Nile data (at its top and scrolled to its end), the
// algorithm data editor with a cell being edited, the Simplex and Marquardt
// reports, the results summary, its residual plots and a plot of it, the
// covariances, a likelihood profile and its distribution plot. Throws std::runtime_error when a window it needs is not open.
void WalkThroughWindows(SelfAnsweringUi& ui, const std::function<void(const char*)>& at);

// The walk-through above, saving a PNG of the main window at each step into
// `folder`. Gives the exit status: 0, or 1 with the reason on the standard
// error.
int RunScreenTour(SelfAnsweringUi& ui, const QString& folder);

}  // namespace quorvane::qt
