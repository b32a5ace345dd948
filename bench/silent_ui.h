#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/ui/form.h"
#include "base/ui/ui.h"

namespace quorvane::bench {

// A user who is never asked anything during a benchmark: every window opens
// and closes at once, and any question is answered No (or Cancel).
class SilentUi : public Ui {
 public:
  void ShowMessage(const std::string&, const std::string&, Icon) override {}
  Answer AskYesNo(const std::string&, const std::string&, Icon, bool) override { return Answer::No; }
  Answer AskYesNoCancel(const std::string&, const std::string&, Icon, bool) override {
    return Answer::No;
  }
  Answer AskOkCancel(const std::string&, const std::string&, Icon) override { return Answer::Cancel; }
  std::string AskValue(const std::string&, const std::string&, const std::string&) override { return ""; }
  std::optional<std::string> ChooseFileToOpen(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<std::string> ChooseFileToSave(const FileDialogRequest&) override { return std::nullopt; }
  void SetStatusPanel(int, int, const std::string&) override {}
  void ShowStatusBar(int, bool) override {}
  void PumpEvents() override {}
  void Beep() override {}
  void ShowForm(Form& form, bool) override { form.MarkOpen(true); }
  void CloseForm(Form& form) override { form.MarkOpen(false); }
  void BringToFront(Form&) override {}
  void WaitUntil(const std::function<bool()>&, const std::string&) override {}
  void EndApplication(int) override {}
};

}  // namespace quorvane::bench
