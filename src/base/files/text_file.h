#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// Replaces the file at `path` with `text` atomically: the text goes to a
// temporary file in the same folder, which is flushed and then renamed over
// the target. When anything fails the old file is left exactly as it was,
// the temporary file is removed, and the reason is returned; success gives
// nothing.
std::optional<std::string> WriteTextFileAtomically(const std::string& path,
                                                   const std::string& text);

// The lines of a text file without their line ends; CR LF, LF and a final
// line without an end are all accepted. Gives nothing and sets `error` when
// the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string& error);

// Joins lines with CR LF after each, as every file the system writes ends its lines.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace quorvane
