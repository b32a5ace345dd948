#include "console/console_ui.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <istream>
#include <ostream>
#include <stdexcept>

#include "console/application_exit.h"
#include "console/form_printer.h"
#include "base/files/file_path_check.h"
#include "base/files/installed_data.h"
#include "base/ui/status_bars.h"

namespace quorvane::console {

std::atomic<bool>& InterruptSignal() {
  static std::atomic<bool> signal{false};
  return signal;
}

namespace {

std::string Lower(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

const char* AnswerWord(Answer a) {
  switch (a) {
    case Answer::Yes: return "yes";
    case Answer::No: return "no";
    case Answer::Cancel: return "cancel";
    case Answer::Ok: return "ok";
  }
  return "";
}

std::string AllowedWords(std::initializer_list<Answer> allowed) {
  std::string words;
  for (Answer a : allowed) words += std::string(words.empty() ? "" : "/") + AnswerWord(a);
  return words;
}

}  // namespace

ConsoleUi::ConsoleUi(std::istream& in, std::ostream& out, std::ostream& err,
                     ConsoleOptions options)
    : in_(in), out_(out), err_(err), options_(options) {
  for (int bar = 0; bar < kStatusBarCount; ++bar) {
    status_[static_cast<size_t>(bar)].assign(static_cast<size_t>(kStatusBarPanels[static_cast<size_t>(bar)]), "");
    status_visible_[static_cast<size_t>(bar)] = StatusBarVisibleAtStart(bar);
  }
}

int ConsoleUi::Run(const std::function<void()>& start) {
  try {
    start();
    WaitUntil([] { return false; }, "");
  } catch (const ApplicationExit& exit) {
    out_.flush();
    return exit.status;
  }
  return 0;
}

std::string ConsoleUi::ReadLine(const std::string& waitingFor) {
  std::string line;
  while (true) {
    if (!std::getline(in_, line)) {
      out_.flush();
      err_ << "Input ended while waiting for " << waitingFor << "\n";
      throw ApplicationExit{2};
    }
    ++line_number_;
    line = TrimRight(line);
    std::string trimmed = line.substr(std::min(line.size(), line.find_first_not_of(" \t")));
    if (!trimmed.empty() && trimmed[0] == '#') continue;
    if (options_.echo) out_ << "> " << line << "\n";
    return line;
  }
}

void ConsoleUi::ReportInputError(const std::string& what) {
  if (options_.interactive) {
    out_ << "Error: " << what << "\n";
    return;
  }
  out_.flush();
  err_ << "Script line " << line_number_ << ": " << what << "\n";
  throw ApplicationExit{3};
}

void ConsoleUi::ShowMessage(const std::string& text, const std::string& title, Icon) {
  out_ << "[" << title << "] " << ToTerminalText(text) << "\n";
}

Answer ConsoleUi::Ask(const std::string& service, const std::string& text,
                      const std::string& title, std::initializer_list<Answer> allowed) {
  const std::string question = "[" + title + "] " + ToTerminalText(text);
  while (true) {
    out_ << question << " (" << AllowedWords(allowed) << ")\n";
    if (options_.interactive) out_ << "? " << std::flush;
    std::string word = Lower(ReadLine("an answer (" + AllowedWords(allowed) + ") to " + question));
    word.erase(0, word.find_first_not_of(" \t"));
    for (Answer a : allowed)
      if (word == AnswerWord(a)) return a;
    ReportInputError("\"" + word + "\" does not answer the " + service + " question " + question +
                     "; expected " + AllowedWords(allowed));
  }
}

Answer ConsoleUi::AskYesNo(const std::string& text, const std::string& title, Icon, bool) {
  return Ask("yes/no", text, title, {Answer::Yes, Answer::No});
}

Answer ConsoleUi::AskYesNoCancel(const std::string& text, const std::string& title, Icon,
                                 bool) {
  return Ask("yes/no/cancel", text, title, {Answer::Yes, Answer::No, Answer::Cancel});
}

Answer ConsoleUi::AskOkCancel(const std::string& text, const std::string& title, Icon) {
  return Ask("ok/cancel", text, title, {Answer::Ok, Answer::Cancel});
}

std::string ConsoleUi::AskValue(const std::string& prompt, const std::string& title,
                                const std::string& defaultText) {
  const std::string question = "[" + title + "] " + ToTerminalText(prompt);
  out_ << question << " [default: " << defaultText << "] (a value; empty line cancels)\n";
  if (options_.interactive) out_ << "? " << std::flush;
  return ReadLine("a value for " + question);
}

std::optional<std::string> ConsoleUi::ChooseFile(const FileDialogRequest& request, bool forSaving) {
  const std::string question = "[" + request.title + "]";
  while (true) {
    out_ << question << " " << (forSaving ? "File to save" : "File to open")
         << " (filter: " << request.filter << "; proposed: " << request.proposedName
         << "; empty line cancels)\n";
    if (options_.interactive) out_ << "? " << std::flush;
    std::string path = ReadLine("a file name for " + question);
    path.erase(0, path.find_first_not_of(" \t"));
    if (path.empty()) return std::nullopt;
    // A path that cannot be used is answered like a missing file: the reason,
    // then the question again.
    if (!forSaving) {
      const auto problem = ProblemOpeningFile(path);
      if (!problem) return path;
      ReportInputError(*problem);
      continue;
    }
    const SaveTargetCheck target = CheckFileToSave(path);
    if (target.Problem) {
      ReportInputError(*target.Problem);
      continue;
    }
    if (!target.Exists) return path;
    if (Ask("yes/no", path + " already exists.\r\nDo you want to replace it?", request.title,
            {Answer::Yes, Answer::No}) == Answer::Yes)
      return path;
  }
}

std::optional<std::string> ConsoleUi::ChooseFileToOpen(const FileDialogRequest& request) {
  return ChooseFile(request, false);
}

std::optional<std::string> ConsoleUi::ChooseFileToSave(const FileDialogRequest& request) {
  return ChooseFile(request, true);
}

void ConsoleUi::SetStatusPanel(int bar, int panel, const std::string& text) {
  if (!IsStatusPanel(bar, panel)) return;
  status_[static_cast<size_t>(bar)][static_cast<size_t>(panel - 1)] = text;
}

void ConsoleUi::OpenUserGuide() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const InstalledFile guide = FindUserGuide(program);
  if (guide.found.empty())
    ShowMessage("The user guide was not found. It is expected at " + guide.expected.string() + ".",
                "User guide", Icon::Exclamation);
  else
    ShowMessage("The user guide is " + guide.found.string(), "User guide", Icon::Information);
}

void ConsoleUi::ShowStatusBar(int bar, bool visible) {
  if (bar >= 0 && bar < kStatusBarCount) status_visible_[static_cast<size_t>(bar)] = visible;
}

void ConsoleUi::PrintStatusBars() {
  for (int bar = 0; bar < kStatusBarCount; ++bar) {
    if (!status_visible_[static_cast<size_t>(bar)]) continue;
    out_ << "  status " << bar << ":";
    for (const auto& text : status_[static_cast<size_t>(bar)]) out_ << " [" << text << "]";
    out_ << "\n";
  }
}

void ConsoleUi::PumpEvents() {
  if (!InterruptSignal().exchange(false)) return;
  // Ctrl+C is the interrupt of the calculation running now, whatever window
  // is open: a minimisation's own question, or the profile's or the
  // posterior grid's between their points.
  if (!InterruptRunningCalculation()) out_ << "Nothing to interrupt.\n";
}

void ConsoleUi::Beep() { out_ << "\a" << std::flush; }

void ConsoleUi::Observe(Form& form) {
  form.SetObserver([this, &form](const std::string& control, FormProperty property) {
    if (options_.quiet || property != FormProperty::Text || control.empty()) return;
    if (form.IsOpen() && form.Get(control).kind == ControlKind::TextPane &&
        !form.Text(control).empty())
      PrintTextPane(out_, form, control);
  });
}

void ConsoleUi::ShowForm(Form& form, bool modal) {
  const bool wasOpen = form.IsOpen();
  open_forms_.erase(std::remove(open_forms_.begin(), open_forms_.end(), &form), open_forms_.end());
  open_forms_.push_back(&form);
  if (!wasOpen) {
    Observe(form);
    form.MarkOpen(true);
    if (!options_.quiet) {
      out_ << "Window opened: " << form.Caption() << " (" << form.Name() << ")\n";
      for (const auto& name : form.ControlNames()) {
        const Control& c = form.Get(name);
        if (c.kind == ControlKind::TextPane && c.visible && !c.text.empty())
          PrintTextPane(out_, form, name);
      }
    }
  }
  if (modal) WaitUntil([&form] { return !form.IsOpen(); }, "");
}

void ConsoleUi::CloseForm(Form& form) {
  open_forms_.erase(std::remove(open_forms_.begin(), open_forms_.end(), &form), open_forms_.end());
  if (form.IsOpen() && !options_.quiet)
    out_ << "Window closed: " << form.Caption() << " (" << form.Name() << ")\n";
  form.MarkOpen(false);
}

void ConsoleUi::BringToFront(Form& form) {
  auto it = std::find(open_forms_.begin(), open_forms_.end(), &form);
  if (it == open_forms_.end()) return;
  open_forms_.erase(it);
  open_forms_.push_back(&form);
}

Form* ConsoleUi::ActiveForm() const { return open_forms_.empty() ? nullptr : open_forms_.back(); }

Form* ConsoleUi::FindOpen(const std::string& name) const {
  for (Form* form : open_forms_)
    if (form->Name() == name) return form;
  return nullptr;
}

void ConsoleUi::WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) {
  while (!condition()) {
    Form* active = ActiveForm();
    std::string what = waitingFor;
    if (what.empty())
      what = active ? "a command on the window " + active->Caption() + " (" + active->Name() + ")"
                    : "a command";
    if (options_.interactive) out_ << (active ? active->Name() : std::string()) << "> " << std::flush;
    std::string line = ReadLine(what);
    try {
      Execute(line);
    } catch (const FormError& e) {
      ReportInputError(e.what());
    } catch (const std::invalid_argument& e) {
      ReportInputError(e.what());
    } catch (const std::exception& e) {
      // A fault in a command must not end the session and lose its data.
      if (!OnUnexpectedError) throw;
      OnUnexpectedError(e.what());
    }
  }
}

void ConsoleUi::EndApplication(int status) {
  out_.flush();
  throw ApplicationExit{status};
}

}  // namespace quorvane::console
