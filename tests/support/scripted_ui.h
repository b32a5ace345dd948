#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/ui/form.h"
#include "base/ui/ui.h"

namespace quorvane::testing {

// A Ui for tests: answers questions from a queue and records everything the
// application showed, so window logic runs without a front end. A question
// with no queued answer, or an answer of the wrong kind, throws: the test
// then fails naming the question.
class ScriptedUi : public Ui {
 public:
  struct Shown {
    std::string service;  // "ShowMessage", "AskYesNo", ...
    std::string title;
    std::string text;
    Icon icon = Icon::Information;
    bool noIsDefault = false;  // AskYesNo and AskYesNoCancel: "No" was the default button
  };

  // Answers, in the order the questions will be asked.
  ScriptedUi& Answer(quorvane::Answer answer);
  ScriptedUi& Value(std::string text);
  ScriptedUi& File(std::optional<std::string> path);
  // User actions, run one by one while the application waits (WaitUntil or
  // a modal form) until the wait is over.
  ScriptedUi& Then(std::function<void()> action);

  // What was shown, in order.
  std::vector<Shown> Log;
  std::vector<FileDialogRequest> FileRequests;
  std::vector<std::string> ValueDefaults;  // the default text of every AskValue, in order
  std::vector<std::string> Messages() const;   // texts of ShowMessage
  std::vector<std::string> Questions() const;  // texts of the Ask* services
  bool Showed(const std::string& text) const;  // any message or question with this text

  std::map<std::pair<int, int>, std::string> StatusPanels;
  std::vector<double> Progress;  // every SetProgress fraction, in order
  std::string RecordingShown;    // the script ShowRecording last named
  std::array<bool, 6> StatusBarVisible{};
  std::vector<std::string> FormsShown;  // names, in order of showing
  std::vector<Form*> OpenForms;
  bool Ended = false;
  int EndStatus = -1;
  int PumpCount = 0;
  int Beeps = 0;
  // Runs inside every PumpEvents, as a user acting during a calculation.
  std::function<void()> onPump;

  void ShowMessage(const std::string& text, const std::string& title, Icon icon) override;
  quorvane::Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                            bool noIsDefault) override;
  quorvane::Answer AskYesNoCancel(const std::string& text, const std::string& title,
                                  Icon icon, bool noIsDefault = false) override;
  quorvane::Answer AskOkCancel(const std::string& text, const std::string& title,
                               Icon icon) override;
  std::string AskValue(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest& request) override;
  void SetStatusPanel(int bar, int panel, const std::string& text) override;
  void ShowStatusBar(int bar, bool visible) override;
  void SetProgress(double fraction) override { Progress.push_back(fraction); }
  void ShowRecording(const std::string& scriptPath) override { RecordingShown = scriptPath; }
  void PumpEvents() override;
  void Beep() override { ++Beeps; }
  void ShowForm(Form& form, bool modal) override;
  void CloseForm(Form& form) override;
  void BringToFront(Form& form) override;
  void WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) override;
  void EndApplication(int status) override;

  bool IsOpen(const std::string& formName) const;

 private:
  struct ValueAnswer {
    std::string text;
  };
  struct FileAnswer {
    std::optional<std::string> path;
  };
  using Queued = std::variant<quorvane::Answer, ValueAnswer, FileAnswer>;
  Queued Next(const std::string& service, const std::string& title, const std::string& text);
  quorvane::Answer NextAnswer(const std::string& service, const std::string& title,
                              const std::string& text,
                              std::initializer_list<quorvane::Answer> allowed);

  std::deque<Queued> answers_;
  std::deque<std::function<void()>> actions_;
};

}  // namespace quorvane::testing
