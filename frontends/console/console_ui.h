#pragma once

#include <array>
#include <atomic>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "base/ui/form.h"
#include "base/ui/ui.h"

namespace quorvane::console {

// Set by the terminal's interrupt signal (Ctrl+C); PumpEvents turns it into
// the interrupt of the calculation running now.
std::atomic<bool>& InterruptSignal();

struct ConsoleOptions {
  bool quiet = false;        // print only messages and questions
  bool interactive = false;  // prompt; errors are reported and the line is asked again
  bool echo = false;         // repeat each line read (scripts), so transcripts read well
};

// The console front end: prints what a user would see and reads one line at
// a time, as commands on the active window or as answers to questions.
class ConsoleUi : public Ui {
 public:
  ConsoleUi(std::istream& in, std::ostream& out, std::ostream& err, ConsoleOptions options);

  // Runs `start`, then processes commands until the application ends;
  // returns the exit status.
  int Run(const std::function<void()>& start);

  void ShowMessage(const std::string& text, const std::string& title, Icon icon) override;
  Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                  bool noIsDefault) override;
  Answer AskYesNoCancel(const std::string& text, const std::string& title, Icon icon,
                        bool noIsDefault = false) override;
  Answer AskOkCancel(const std::string& text, const std::string& title, Icon icon) override;
  std::string AskValue(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;
  void SetStatusPanel(int bar, int panel, const std::string& text) override;
  void ShowStatusBar(int bar, bool visible) override;
  // A terminal has no viewer to start: it names the guide's file.
  void OpenUserGuide() override;
  void PumpEvents() override;
  void Beep() override;
  void ShowForm(Form& form, bool modal) override;
  void CloseForm(Form& form) override;
  void BringToFront(Form& form) override;
  void WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) override;
  void EndApplication(int status) override;

  // Carries out one command line on the active window. Throws FormError or
  // std::invalid_argument for a command that cannot be carried out.
  void Execute(const std::string& line);

  Form* ActiveForm() const;

 private:
  // The next line that is not a comment; ends the application with status 2
  // when input ends, naming what it waited for.
  std::string ReadLine(const std::string& waitingFor);
  Answer Ask(const std::string& service, const std::string& text, const std::string& title,
             std::initializer_list<Answer> allowed);
  std::optional<std::string> ChooseFile(const FileDialogRequest& request, bool forSaving);
  // An error in what the user typed: reported; a script stops with status 3.
  void ReportInputError(const std::string& what);
  void PrintStatusBars();
  void Observe(Form& form);
  Form* FindOpen(const std::string& name) const;

  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  ConsoleOptions options_;
  int line_number_ = 0;
  std::vector<Form*> open_forms_;  // in order of activation; the last is active
  std::array<std::vector<std::string>, 6> status_;
  std::array<bool, 6> status_visible_{};
};

}  // namespace quorvane::console
