#pragma once

#include <cstddef>
#include <istream>
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

// The longest line a reader takes: far more than any file the system writes
// or reads holds, and short enough that a device or a binary file chosen by
// mistake is refused at once instead of being read into memory whole.
inline constexpr std::size_t kLongestTextLine = 1000000;

enum class LineRead { Line, End, TooLong };

// Reads the next line into `line` without its LF (and a CR before it), at
// most kLongestTextLine characters; a longer line gives TooLong (the stream
// is then left within it), the end of the stream End.
LineRead ReadCappedLine(std::istream& in, std::string& line);

// "Line N of PATH is longer than ... characters, ..."
std::string LineTooLongText(const std::string& path, long long lineNumber);

// The lines of a text file without their line ends; CR LF, LF and a final
// line without an end are all accepted. Gives nothing and sets `error` when
// the file cannot be read: it is missing, a folder or a device, or a line is
// longer than kLongestTextLine.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path,
                                                      std::string& error);

// Joins lines with CR LF after each, as every file the system writes ends its lines.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace quorvane
