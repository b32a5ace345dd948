#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

class Form;

// Icon of a modal message or question.
enum class Icon { Information, Exclamation, Question, Critical };

// The answer to one of the Ask* questions. AskYesNo gives Yes or No,
// AskYesNoCancel adds Cancel, AskOkCancel gives Ok or Cancel.
enum class Answer { Yes, No, Cancel, Ok };

// What a file chooser is asked to show. The filter is pairs of a description
// and a pattern joined by "|", always beginning with "All files (*.*)|*.*|";
// filterIndex (1-based) is the pair shown first.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  int filterIndex = 1;
  std::string proposedName;
};

// The interaction port: every dialogue with the user and every window
// operation goes through it, so the calculations run without a screen. The
// Qt and the console front ends implement it; tests use a scripted double.
// All calls happen on the one user-interface thread.
class Ui {
 public:
  virtual ~Ui() = default;

  // Modal message; returns when the user has read it. Line breaks are CR LF.
  virtual void ShowMessage(const std::string& text, const std::string& title, Icon icon) = 0;
  virtual Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                          bool noIsDefault = false) = 0;
  // noIsDefault: "No" is the button Return presses, for questions whose
  // "Yes" would fail in the present state.
  virtual Answer AskYesNoCancel(const std::string& text, const std::string& title,
                                Icon icon, bool noIsDefault = false) = 0;
  virtual Answer AskOkCancel(const std::string& text, const std::string& title, Icon icon) = 0;
  // The text typed; an empty text means Cancel.
  virtual std::string AskValue(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // The chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) = 0;
  // As ChooseFileToOpen; asks before an existing file is overwritten.
  virtual std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) = 0;

  // Main-window status bars: bar 0..5, panel from 1.
  virtual void SetStatusPanel(int bar, int panel, const std::string& text) = 0;
  virtual void ShowStatusBar(int bar, bool visible) = 0;
  // How far a long calculation has come, 0..1, for a progress indicator; a
  // negative value says the calculation is over, which the indicator shows
  // complete before it goes. Front ends without one ignore it.
  virtual void SetProgress(double /*fraction*/) {}

  // The script a session is being recorded into, shown while it lasts;
  // empty when the recording stops.
  virtual void ShowRecording(const std::string& /*scriptPath*/) {}

  // Opens the user guide in the system's viewer, or says where it is
  // expected when it cannot be found.
  virtual void OpenUserGuide() {}

  // Lets pending user actions run during a long calculation. Interrupt
  // handlers run inside it and do nothing but set flags.
  virtual void PumpEvents() = 0;
  virtual void Beep() = 0;

  // Window handling. A shown form stays open until CloseForm; a modal form
  // blocks ShowForm until it is closed.
  virtual void ShowForm(Form& form, bool modal = false) = 0;
  virtual void CloseForm(Form& form) = 0;
  virtual void BringToFront(Form& form) = 0;
  // Processes user actions until the condition holds. `waitingFor` names
  // what the application waits for, for front ends that must say so.
  virtual void WaitUntil(const std::function<bool()>& condition,
                         const std::string& waitingFor) = 0;
  // Ends the application at once with the given status.
  virtual void EndApplication(int status) = 0;

  // The front ends call this when a user action ended in an exception that
  // nothing expected, instead of letting it end the program; the
  // application tells the user and brings them back to a safe place with
  // their data intact. Empty: the front end only reports the error.
  std::function<void(const std::string& what)> OnUnexpectedError;

  // Runs the interrupt of the calculation running now, the innermost one
  // when calculations nest (a minimisation at a profile point), whatever
  // window is open; false when no calculation that obeys an interrupt runs.
  // A front end's interrupt key (the console's Ctrl+C) uses it. The
  // calculations make theirs known with an InterruptScope.
  bool InterruptRunningCalculation();

 private:
  friend class InterruptScope;
  std::vector<std::function<void()>> runningInterrupts_;
};

// While it lives, `interrupt` is the interrupt of the running calculation:
// what its window's Interrupt button or its interrupt menu item does, which
// only sets the flag the calculation polls. Scopes nest; the innermost
// one is the running calculation's.
class InterruptScope {
 public:
  InterruptScope(Ui& ui, std::function<void()> interrupt) : ui_(ui) {
    ui_.runningInterrupts_.push_back(std::move(interrupt));
  }
  ~InterruptScope() { ui_.runningInterrupts_.pop_back(); }
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;

 private:
  Ui& ui_;
};

inline bool Ui::InterruptRunningCalculation() {
  if (runningInterrupts_.empty()) return false;
  // A copy: the handler may end the scope's calculation only later, never here.
  const std::function<void()> interrupt = runningInterrupts_.back();
  if (interrupt) interrupt();
  return true;
}

}  // namespace quorvane
