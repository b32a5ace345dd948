#pragma once

#include <exception>
#include <functional>
#include <string>

class QWidget;

namespace quorvane::qt {

// Runs something the user set off (a click, a keystroke, a menu item, a
// close box). A FormError or any other exception is shown in a message box
// over `parent` instead of reaching Qt's event loop, so bad input never
// ends the program. Returns false when the action failed.
bool RunUserAction(QWidget* parent, const std::function<void()>& action);

// As RunUserAction, for a question with a yes-or-no answer; a failure
// counts as `onFailure`.
bool AskUserAction(QWidget* parent, const std::function<bool()>& question, bool onFailure);

// Who answers an unexpected exception (not a FormError) of a user action:
// returns true when it told the user and recovered, false to let the
// action's own message box report it. The Qt Ui sets it for its lifetime.
void SetUnexpectedErrorHandler(std::function<bool(const std::string& what)> handler);

}  // namespace quorvane::qt
