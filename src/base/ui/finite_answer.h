#pragma once

#include <string>
#include <string_view>

#include "base/ui/ui.h"

namespace quorvane {

// The message for an answer to a value prompt whose number lies beyond the
// range of a double, naming the answer as typed:
// "\"1e400\" is beyond the range of numbers (about 1.8E+308 either way), so it cannot be used".
std::string NotFiniteAnswerText(std::string_view answer);

// The one check every value prompt makes before it uses an answer as a
// number: true, after the message above under `title`, when the answer
// reads as a number that is not finite ("1e400", "-1E999"). Such a value
// would carry infinity, or 0 as its reciprocal, into every result it enters
// (a grid factor, the covariance constant and so ObjectiveScale, C-hat, a
// prior's terms). The caller asks again. False for every other answer,
// including text that is not a number, which the caller's own rule treats.
bool RefuseNotFinite(Ui& ui, std::string_view answer, const std::string& title);

}  // namespace quorvane
