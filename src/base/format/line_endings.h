#pragma once

#include <string>

namespace quorvane {

// The text with CR LF after every line: a lone LF or CR, as an edited text
// pane may leave them, becomes CR LF; CR LF stays as it is.
std::string WithCrLf(const std::string& text);

}  // namespace quorvane
