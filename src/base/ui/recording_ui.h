#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/ui/form.h"
#include "base/ui/ui.h"

namespace quorvane {

// Records a session as a console script. It stands between the application
// and the front end's Ui, passing every call on; while recording, it writes
// each user action on a form and each answer to a question, a value prompt
// or a file chooser as the console line that does the same, so that
// `quorvane-console --script` replays the session. It follows the windows
// as the console does (the window shown last and still open is the active
// one) and writes `window NAME` before an action on another window.
//
// The whole script is rewritten atomically after every line, so a session
// that ends abruptly leaves the script of everything done until then.
// Only one RecordingUi may exist at a time: it listens to every form.
class RecordingUi : public Ui, private FormListener {
 public:
  explicit RecordingUi(Ui& frontEnd);
  ~RecordingUi() override;
  RecordingUi(const RecordingUi&) = delete;
  RecordingUi& operator=(const RecordingUi&) = delete;

  // Starts a script at `path`, stamped with `when` ("2026-12-10 11:41:29").
  // Gives the reason when the file cannot be written; then nothing records.
  std::optional<std::string> StartRecording(const std::string& path, const std::string& when);
  // Writes the closing comment and stops; does nothing when not recording.
  void StopRecording(const std::string& when);
  bool Recording() const { return recording_; }
  const std::string& ScriptPath() const { return path_; }

  // The two items "&Record session as script..." and "&Stop recording" of
  // the main window's "&Application" menu (named mnuApplication), put before
  // its first separator. Record asks for the script file; each item is
  // enabled only when it can act. Clicks on them are never recorded. While
  // it records, the front end is told the script's path (ShowRecording).
  void AddMenuItems(Form& mainForm);

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
  void SetStatusPanel(int bar, int panel, const std::string& text) override;
  void ShowStatusBar(int bar, bool visible) override;
  void SetProgress(double fraction) override;
  void OpenUserGuide() override;
  void PumpEvents() override;
  void Beep() override;
  void ShowForm(Form& form, bool modal) override;
  void CloseForm(Form& form) override;
  void BringToFront(Form& form) override;
  void WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) override;
  void EndApplication(int status) override;

  // The menu item names of the two recording items.
  static constexpr const char* kRecordItem = "mnuRecordSession";
  static constexpr const char* kStopItem = "mnuStopRecording";

 private:
  void UserActed(const Form& form, const UserAction& action) override;
  void OpenChanged(const Form& form, bool open) override;
  void Destroyed(const Form& form) override;

  // Text typed into a box is written as one `set` line once the user
  // leaves the box or does anything else.
  struct PendingText {
    const Form* form = nullptr;
    std::string control;
    std::string text;
  };
  void FlushTypedText();
  // Writes `window NAME` when the console would not act on `form`.
  void Reach(const Form& form);
  void Activate(const Form& form);
  void Forget(const Form& form);
  void Answered(const std::string& question, const std::string& line);
  void Write(const std::string& line);
  void Save();
  void ShowRecordingState();
  void RecordFromMenu();
  void StopFromMenu();

  Ui& frontEnd_;
  bool recording_ = false;
  std::string path_;
  std::vector<std::string> lines_;
  std::vector<const Form*> open_;  // in the console's order of activation; the last is active
  PendingText pending_;
  Form* mainForm_ = nullptr;
};

// The console line of a user action on `form`: "click cmdDone",
// "set txtX 1871", "select listY #3", ... Empty for actions the console does
// without a line of their own (Leave) or cannot take.
std::string ConsoleLineOf(const Form& form, const UserAction& action);

// The menu path of item `name` on `form`, as "Application>Main menu".
std::string MenuPathOf(const Form& form, const std::string& name);

}  // namespace quorvane
