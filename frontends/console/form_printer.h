#pragma once

#include <ostream>
#include <string>

#include "base/ui/form.h"

namespace quorvane::console {

// Text with CR LF line breaks as the terminal wants it: LF only.
std::string ToTerminalText(const std::string& text);

// Prints a window as the console shows it: caption, menus, then each control
// with its kind, name, caption or value and its state.
void PrintForm(std::ostream& out, const Form& form);

// Prints a text pane's text under the caption of its window.
void PrintTextPane(std::ostream& out, const Form& form, const std::string& control);

}  // namespace quorvane::console
