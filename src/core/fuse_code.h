#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A fuse code is "~~" (unfused) or one or two characters whose first and
// last are capitals A to Z ("A", "AB"; "A1" and "1A" are not codes).
bool IsFuseCode(std::string_view code);

// The code as the algorithm file's reader takes it from its two columns:
// blanks removed, capitals, and "~~" when the first or last character is
// not a letter. Gives nothing for a field with no character at all, which
// the reader treats as badly formatted.
std::optional<std::string> FuseCodeFromFileField(std::string_view field);

// A code typed into the editor's cell: trimmed, capitals, "~" counts as
// "~~". Gives nothing when the entry is not a code.
std::optional<std::string> FuseCodeFromCellEntry(std::string_view entry);

// An answer in the editor's column pass: capitals but not trimmed, so
// " B " is not a code. Gives nothing when the answer is not a code.
std::optional<std::string> FuseCodeFromPassAnswer(std::string_view answer);

// ASCII capitals; other bytes unchanged.
std::string ToCapitals(std::string_view text);

}  // namespace quorvane
