#pragma once

#include <string>

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The four small read-only windows: default names and values, advice, the
// acknowledgements and the help text other windows supply. Each disables the
// main window while it is open; its OK button closes it.
class InfoWindows {
 public:
  explicit InfoWindows(Session& session);

  void ShowDefaults();
  void ShowWisdom();
  void ShowCredits();
  // The help window shows the text its caller gives; the text is cleared
  // when the window closes.
  void ShowHelp(const std::string& text);

  Form& Defaults() { return defaults_; }
  Form& Wisdom() { return wisdom_; }
  Form& Credits() { return credits_; }
  Form& Help() { return help_; }

 private:
  void Build(Form& form, const std::string& text);
  void Open(Form& form);

  Session& session_;
  Form defaults_;
  Form wisdom_;
  Form credits_;
  Form help_;
};

}  // namespace quorvane
