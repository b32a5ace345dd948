#include "support/scripted_ui.h"

#include <algorithm>
#include <stdexcept>

#include "base/ui/status_bars.h"

namespace quorvane::testing {

ScriptedUi& ScriptedUi::Answer(quorvane::Answer answer) {
  answers_.push_back(answer);
  return *this;
}
ScriptedUi& ScriptedUi::Value(std::string text) {
  answers_.push_back(ValueAnswer{std::move(text)});
  return *this;
}
ScriptedUi& ScriptedUi::File(std::optional<std::string> path) {
  answers_.push_back(FileAnswer{std::move(path)});
  return *this;
}
ScriptedUi& ScriptedUi::Then(std::function<void()> action) {
  actions_.push_back(std::move(action));
  return *this;
}

std::vector<std::string> ScriptedUi::Messages() const {
  std::vector<std::string> out;
  for (const auto& s : Log)
    if (s.service == "ShowMessage") out.push_back(s.text);
  return out;
}

std::vector<std::string> ScriptedUi::Questions() const {
  std::vector<std::string> out;
  for (const auto& s : Log)
    if (s.service != "ShowMessage") out.push_back(s.text);
  return out;
}

bool ScriptedUi::Showed(const std::string& text) const {
  return std::any_of(Log.begin(), Log.end(), [&](const Shown& s) { return s.text == text; });
}

ScriptedUi::Queued ScriptedUi::Next(const std::string& service, const std::string& title,
                                    const std::string& text) {
  if (answers_.empty())
    throw std::logic_error("No scripted answer for " + service + " [" + title + "] " + text);
  Queued next = answers_.front();
  answers_.pop_front();
  return next;
}

quorvane::Answer ScriptedUi::NextAnswer(const std::string& service, const std::string& title,
                                        const std::string& text,
                                        std::initializer_list<quorvane::Answer> allowed) {
  Queued next = Next(service, title, text);
  const auto* answer = std::get_if<quorvane::Answer>(&next);
  if (!answer || std::find(allowed.begin(), allowed.end(), *answer) == allowed.end())
    throw std::logic_error("Scripted answer of the wrong kind for " + service + " [" + title +
                           "] " + text);
  return *answer;
}

void ScriptedUi::ShowMessage(const std::string& text, const std::string& title, Icon icon) {
  Log.push_back({"ShowMessage", title, text, icon});
}

quorvane::Answer ScriptedUi::AskYesNo(const std::string& text, const std::string& title,
                                      Icon icon, bool noIsDefault) {
  Log.push_back({"AskYesNo", title, text, icon, noIsDefault});
  return NextAnswer("AskYesNo", title, text, {quorvane::Answer::Yes, quorvane::Answer::No});
}

quorvane::Answer ScriptedUi::AskYesNoCancel(const std::string& text, const std::string& title,
                                            Icon icon, bool noIsDefault) {
  Log.push_back({"AskYesNoCancel", title, text, icon, noIsDefault});
  return NextAnswer("AskYesNoCancel", title, text,
                    {quorvane::Answer::Yes, quorvane::Answer::No, quorvane::Answer::Cancel});
}

quorvane::Answer ScriptedUi::AskOkCancel(const std::string& text, const std::string& title,
                                         Icon icon) {
  Log.push_back({"AskOkCancel", title, text, icon});
  return NextAnswer("AskOkCancel", title, text, {quorvane::Answer::Ok, quorvane::Answer::Cancel});
}

std::string ScriptedUi::AskValue(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) {
  Log.push_back({"AskValue", title, prompt, Icon::Question});
  ValueDefaults.push_back(defaultText);
  Queued next = Next("AskValue", title, prompt);
  const auto* value = std::get_if<ValueAnswer>(&next);
  if (!value) throw std::logic_error("Scripted answer of the wrong kind for AskValue " + prompt);
  return value->text;
}

std::optional<std::string> ScriptedUi::ChooseFileToOpen(const FileDialogRequest& request) {
  Log.push_back({"ChooseFileToOpen", request.title, request.proposedName, Icon::Question});
  FileRequests.push_back(request);
  Queued next = Next("ChooseFileToOpen", request.title, request.proposedName);
  const auto* file = std::get_if<FileAnswer>(&next);
  if (!file) throw std::logic_error("Scripted answer of the wrong kind for " + request.title);
  return file->path;
}

std::optional<std::string> ScriptedUi::ChooseFileToSave(const FileDialogRequest& request) {
  Log.push_back({"ChooseFileToSave", request.title, request.proposedName, Icon::Question});
  FileRequests.push_back(request);
  Queued next = Next("ChooseFileToSave", request.title, request.proposedName);
  const auto* file = std::get_if<FileAnswer>(&next);
  if (!file) throw std::logic_error("Scripted answer of the wrong kind for " + request.title);
  return file->path;
}

void ScriptedUi::SetStatusPanel(int bar, int panel, const std::string& text) {
  if (!IsStatusPanel(bar, panel))
    throw std::logic_error("No status panel " + std::to_string(bar) + "/" + std::to_string(panel));
  StatusPanels[{bar, panel}] = text;
}

void ScriptedUi::ShowStatusBar(int bar, bool visible) {
  StatusBarVisible.at(static_cast<size_t>(bar)) = visible;
}

void ScriptedUi::PumpEvents() {
  ++PumpCount;
  if (onPump) onPump();
}

void ScriptedUi::ShowForm(Form& form, bool modal) {
  FormsShown.push_back(form.Name());
  if (std::find(OpenForms.begin(), OpenForms.end(), &form) == OpenForms.end())
    OpenForms.push_back(&form);
  form.MarkOpen(true);
  if (modal) WaitUntil([&form] { return !form.IsOpen(); }, "the window " + form.Name());
}

void ScriptedUi::CloseForm(Form& form) {
  OpenForms.erase(std::remove(OpenForms.begin(), OpenForms.end(), &form), OpenForms.end());
  form.MarkOpen(false);
}

void ScriptedUi::BringToFront(Form&) {}

void ScriptedUi::WaitUntil(const std::function<bool()>& condition, const std::string& waitingFor) {
  while (!condition()) {
    if (actions_.empty())
      throw std::logic_error("The application waits for " + waitingFor +
                             " and the script has no more actions");
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action();
  }
}

void ScriptedUi::EndApplication(int status) {
  Ended = true;
  EndStatus = status;
}

bool ScriptedUi::IsOpen(const std::string& formName) const {
  return std::any_of(OpenForms.begin(), OpenForms.end(),
                     [&](const Form* f) { return f->Name() == formName; });
}

}  // namespace quorvane::testing
