#pragma once

#include <string>

namespace quorvane {

// The text of a report window saved under `path`: "Originally saved with the
// file name: " and the path, an empty line, then the window's text as the user
// may have edited it, every line ended by CR LF (a lone CR or LF left by
// an editor becomes CR LF).
std::string SavedReportText(const std::string& path, const std::string& windowText);

}  // namespace quorvane
