#pragma once

#include <string>

namespace quorvane {

// The default name of a saved results summary.
inline constexpr const char* kDefaultSummaryFileName = "KAVRO_Model_Results.qvo";

// The text of a summary saved under `path`: the line "Originally saved with
// the file name: ", the path and an empty line, then the window's text,
// every line ended by CR LF whatever ends it in the window.
std::string SavedSummaryText(const std::string& path, const std::string& windowText);

}  // namespace quorvane
