#include "base/ui/recording_ui.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "base/files/text_file.h"

namespace quorvane {

namespace {

// The local time as "2026-12-10 11:41:29".
std::string Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

// The console reads a line without its leading and trailing blanks in some
// places, and treats a line starting with "#" as a comment.
bool SurvivesAsLine(const std::string& text) {
  if (text.empty()) return true;
  if (HasLineBreak(text)) return false;
  const char first = text.front(), last = text.back();
  return first != ' ' && first != '\t' && last != ' ' && last != '\t' && first != '#';
}

// Text after a command word, as in "set NAME TEXT": a "#" may lead it.
bool SurvivesAsText(const std::string& text) {
  return text.empty() || text.front() != '#' ? SurvivesAsLine(text) : SurvivesAsLine("x" + text);
}

// A question as a one-line comment, so the script says what each answer answers.
std::string QuestionComment(const std::string& question) {
  std::string flat;
  for (char ch : question) {
    if (ch == '\r') continue;
    flat += ch == '\n' ? ' ' : ch;
  }
  constexpr size_t kShown = 100;
  if (flat.size() > kShown) flat = flat.substr(0, kShown) + "...";
  return "# \"" + flat + "\"";
}

// A list or combo item as the console's select takes it: its text when
// that finds this very item, else its number.
std::string ItemWord(const Control& c, int index) {
  const auto at = static_cast<size_t>(index);
  if (at < c.items.size()) {
    const std::string& text = c.items[at];
    const bool first = std::find(c.items.begin(), c.items.end(), text) == c.items.begin() + index;
    if (first && !text.empty() && SurvivesAsLine(text)) return text;
  }
  return "#" + std::to_string(index + 1);
}

bool PathTo(const std::vector<MenuItem>& items, const std::string& name, std::string& path) {
  for (const auto& item : items) {
    const std::string here = path.empty() ? StripAccessKey(item.caption)
                                          : path + ">" + StripAccessKey(item.caption);
    if (item.name == name) {
      path = here;
      return true;
    }
    std::string below = here;
    if (PathTo(item.items, name, below)) {
      path = below;
      return true;
    }
  }
  return false;
}

const char* AnswerWord(Answer answer) {
  switch (answer) {
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
    case Answer::Cancel: return "cancel";
    case Answer::Ok: return "ok";
  }
  return "";
}

bool IsRecordingItem(const UserAction& action) {
  return action.kind == UserAction::Kind::Menu &&
         (action.control == RecordingUi::kRecordItem || action.control == RecordingUi::kStopItem);
}

}  // namespace

std::string MenuPathOf(const Form& form, const std::string& name) {
  std::string path;
  PathTo(form.Menus(), name, path);
  return path;
}

std::string ConsoleLineOf(const Form& form, const UserAction& action) {
  using Kind = UserAction::Kind;
  switch (action.kind) {
    case Kind::Click:
      return "click " + action.control;
    case Kind::Edit:
      return "set " + action.control + " " + action.text;
    case Kind::Leave:
      return "";
    case Kind::Check:
      return (action.checked ? "check " : "uncheck ") + action.control;
    case Kind::Choose:
      return "choose " + action.control;
    case Kind::Select:
      return "select " + action.control + " " + ItemWord(form.Get(action.control), action.index);
    case Kind::DoubleClick:
      return "dblclick " + action.control + " " + std::to_string(action.row) + " " +
             std::to_string(action.col);
    case Kind::Menu:
      return "menu " + MenuPathOf(form, action.control);
    case Kind::Close:
      return "close";
    case Kind::Save:
      return "save " + action.control + " " + action.text + " " + FigureOptionsWords(action.figure);
  }
  return "";
}

RecordingUi::RecordingUi(Ui& frontEnd) : frontEnd_(frontEnd) {
  Form::SetListener(this);
  // The front end reports unexpected errors to whoever the application set here.
  frontEnd_.OnUnexpectedError = [this](const std::string& what) {
    if (OnUnexpectedError) OnUnexpectedError(what);
  };
}

RecordingUi::~RecordingUi() {
  Form::SetListener(nullptr);
  frontEnd_.OnUnexpectedError = nullptr;
}

std::optional<std::string> RecordingUi::StartRecording(const std::string& path,
                                                       const std::string& when) {
  std::vector<std::string> lines = {
      "# Quorvane session recorded " + when,
      "# Replay it with: quorvane-console --script " + path,
      "# The replay starts at the main menu, as the application does; files are",
      "# saved where they were saved, and the console asks before replacing one.",
  };
  for (const Form* form : open_)
    if (form->Name() != "frmMain" && form->Name() != "frmMenu")
      lines.push_back("# Open when the recording began: " + form->Caption() + " (" + form->Name() +
                      ")");
  if (auto error = WriteTextFileAtomically(path, JoinCrLf(lines))) return error;
  path_ = path;
  lines_ = std::move(lines);
  pending_ = {};
  recording_ = true;
  ShowRecordingState();
  return std::nullopt;
}

void RecordingUi::StopRecording(const std::string& when) {
  if (!recording_) return;
  FlushTypedText();
  Write("# Recording stopped " + when);
  recording_ = false;
  ShowRecordingState();
}

void RecordingUi::Write(const std::string& line) {
  if (!recording_) return;
  lines_.push_back(line);
  Save();
}

void RecordingUi::Save() {
  if (auto error = WriteTextFileAtomically(path_, JoinCrLf(lines_))) {
    // Go on without the recorder rather than interrupt the user's work at
    // every action; the message says why the script stopped.
    recording_ = false;
    ShowRecordingState();
    frontEnd_.ShowMessage("The session is no longer recorded: " + *error, "Record session",
                          Icon::Exclamation);
  }
}

// ----- the windows, followed as the console follows them

void RecordingUi::Activate(const Form& form) {
  open_.erase(std::remove(open_.begin(), open_.end(), &form), open_.end());
  open_.push_back(&form);
}

void RecordingUi::Forget(const Form& form) {
  if (pending_.form == &form) FlushTypedText();
  open_.erase(std::remove(open_.begin(), open_.end(), &form), open_.end());
}

void RecordingUi::Reach(const Form& form) {
  if (!open_.empty() && open_.back() == &form) return;
  Write("window " + form.Name());
  if (std::find(open_.begin(), open_.end(), &form) != open_.end()) Activate(form);
}

void RecordingUi::FlushTypedText() {
  if (!pending_.form) return;
  const PendingText typed = std::move(pending_);
  pending_ = {};
  if (!recording_) return;
  Reach(*typed.form);
  if (HasLineBreak(typed.text)) {
    // Its lines would be read as commands: the edit is left out.
    Write("# Text of several lines was typed into " + typed.control +
          "; a script line cannot hold it, so the replay leaves it out");
    return;
  }
  if (!SurvivesAsText(typed.text))
    Write("# The text typed into " + typed.control +
          " has surrounding blanks, which the console does not read");
  UserAction edit;
  edit.kind = UserAction::Kind::Edit;
  edit.control = typed.control;
  edit.text = typed.text;
  Write(ConsoleLineOf(*typed.form, edit));
}

void RecordingUi::UserActed(const Form& form, const UserAction& action) {
  if (action.kind == UserAction::Kind::Edit) {
    if (pending_.form && (pending_.form != &form || pending_.control != action.control))
      FlushTypedText();
    pending_ = {&form, action.control, action.text};
    return;
  }
  if (action.kind == UserAction::Kind::Leave) {
    if (pending_.form == &form && pending_.control == action.control) FlushTypedText();
    return;
  }
  FlushTypedText();
  if (!recording_ || IsRecordingItem(action)) return;
  if (action.kind == UserAction::Kind::Menu) {
    // The console looks for a menu path on the active window first, then
    // on the main window.
    const std::string path = MenuPathOf(form, action.control);
    const Form* active = open_.empty() ? nullptr : open_.back();
    const Form* console = active && active->HasMenuPath(path) ? active : nullptr;
    if (!console)
      for (const Form* open : open_)
        if (open->Name() == "frmMain" && open->HasMenuPath(path)) console = open;
    if (console != &form) Reach(form);
  } else {
    Reach(form);
  }
  Write(ConsoleLineOf(form, action));
}

void RecordingUi::OpenChanged(const Form& form, bool open) {
  if (!open) Forget(form);
}

void RecordingUi::Destroyed(const Form& form) { Forget(form); }

// ----- the answers

void RecordingUi::Answered(const std::string& question, const std::string& line) {
  FlushTypedText();
  if (!recording_) return;
  Write(QuestionComment(question));
  if (!SurvivesAsLine(line))
    Write("# The answer below has surrounding blanks or starts with #, which the console"
          " does not read as typed");
  // An answer is one line: a line break inside it would make a second one.
  std::string flat = line;
  std::replace(flat.begin(), flat.end(), '\r', ' ');
  std::replace(flat.begin(), flat.end(), '\n', ' ');
  Write(flat);
}

void RecordingUi::ShowMessage(const std::string& text, const std::string& title, Icon icon) {
  FlushTypedText();
  frontEnd_.ShowMessage(text, title, icon);
}

Answer RecordingUi::AskYesNo(const std::string& text, const std::string& title, Icon icon,
                             bool noIsDefault) {
  FlushTypedText();
  const Answer answer = frontEnd_.AskYesNo(text, title, icon, noIsDefault);
  Answered(text, AnswerWord(answer));
  return answer;
}

Answer RecordingUi::AskYesNoCancel(const std::string& text, const std::string& title, Icon icon,
                                   bool noIsDefault) {
  FlushTypedText();
  const Answer answer = frontEnd_.AskYesNoCancel(text, title, icon, noIsDefault);
  Answered(text, AnswerWord(answer));
  return answer;
}

Answer RecordingUi::AskOkCancel(const std::string& text, const std::string& title, Icon icon) {
  FlushTypedText();
  const Answer answer = frontEnd_.AskOkCancel(text, title, icon);
  Answered(text, AnswerWord(answer));
  return answer;
}

std::string RecordingUi::AskValue(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
  FlushTypedText();
  std::string value = frontEnd_.AskValue(prompt, title, defaultText);
  Answered(prompt, value);
  return value;
}

std::optional<std::string> RecordingUi::ChooseFileToOpen(const FileDialogRequest& request) {
  FlushTypedText();
  auto path = frontEnd_.ChooseFileToOpen(request);
  Answered(request.title, path.value_or(""));
  return path;
}

std::optional<std::string> RecordingUi::ChooseFileToSave(const FileDialogRequest& request) {
  FlushTypedText();
  std::error_code error;
  auto path = frontEnd_.ChooseFileToSave(request);
  // The front end's chooser asked before replacing a file; the console asks
  // too when the file is there as the script runs, so the answer follows.
  const bool replaces = path && std::filesystem::exists(*path, error);
  Answered(request.title, path.value_or(""));
  if (replaces && recording_) {
    Write(QuestionComment(*path + " already exists. Do you want to replace it?"));
    Write("yes");
  }
  return path;
}

// ----- passed on unchanged

void RecordingUi::SetStatusPanel(int bar, int panel, const std::string& text) {
  frontEnd_.SetStatusPanel(bar, panel, text);
}
void RecordingUi::ShowStatusBar(int bar, bool visible) { frontEnd_.ShowStatusBar(bar, visible); }
void RecordingUi::SetProgress(double fraction) { frontEnd_.SetProgress(fraction); }
void RecordingUi::OpenUserGuide() { frontEnd_.OpenUserGuide(); }
void RecordingUi::PumpEvents() { frontEnd_.PumpEvents(); }
void RecordingUi::Beep() { frontEnd_.Beep(); }
void RecordingUi::WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) {
  frontEnd_.WaitUntil(condition, waitingFor);
}

void RecordingUi::EndApplication(int status) {
  StopRecording(Now());
  frontEnd_.EndApplication(status);
}

void RecordingUi::ShowForm(Form& form, bool modal) {
  FlushTypedText();
  if (!form.IsOpen()) Write("# Window: " + form.Caption() + " (" + form.Name() + ")");
  Activate(form);
  frontEnd_.ShowForm(form, modal);
}

void RecordingUi::CloseForm(Form& form) {
  Forget(form);
  frontEnd_.CloseForm(form);
}

void RecordingUi::BringToFront(Form& form) {
  FlushTypedText();
  if (std::find(open_.begin(), open_.end(), &form) != open_.end()) Activate(form);
  frontEnd_.BringToFront(form);
}

// ----- the two menu items

void RecordingUi::AddMenuItems(Form& mainForm) {
  mainForm_ = &mainForm;
  for (MenuItem& menu : mainForm.Menus()) {
    if (menu.name != "mnuApplication") continue;
    auto at = std::find_if(menu.items.begin(), menu.items.end(),
                           [](const MenuItem& item) { return item.separator; });
    at = menu.items.insert(at, MenuSeparator("mnuRecordingSeparator"));
    at = menu.items.insert(at, MenuCommand(kStopItem, "&Stop recording", "", [this] { StopFromMenu(); }));
    menu.items.insert(at, MenuCommand(kRecordItem, "&Record session as script...", "",
                                      [this] { RecordFromMenu(); }));
  }
  ShowRecordingState();
}

// The front end shows the script while it records; each menu item is
// enabled only when it can act.
void RecordingUi::ShowRecordingState() {
  frontEnd_.ShowRecording(recording_ ? path_ : "");
  if (!mainForm_ || !mainForm_->FindMenu(kRecordItem)) return;
  mainForm_->SetMenuEnabled(kRecordItem, !recording_);
  mainForm_->SetMenuEnabled(kStopItem, recording_);
}

void RecordingUi::RecordFromMenu() {
  FileDialogRequest request;
  request.title = "Record session as script";
  request.filter = "All files (*.*)|*.*|Console scripts (*.txt)|*.txt";
  request.filterIndex = 2;
  request.proposedName = "session.txt";
  const auto path = frontEnd_.ChooseFileToSave(request);
  if (!path) return;
  if (auto error = StartRecording(*path, Now()))
    frontEnd_.ShowMessage("The session cannot be recorded: " + *error, "Record session",
                          Icon::Exclamation);
}

void RecordingUi::StopFromMenu() { StopRecording(Now()); }

}  // namespace quorvane
