#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The width every label of the fit statistics and the information criteria
// is padded to, so their values line up.
inline constexpr std::size_t kSummaryLabelWidth = 43;

// Appends one report line and its CR LF.
void AddLine(std::string& text, std::string_view line = {});

// A label padded with blanks to kSummaryLabelWidth (longer labels stay whole).
std::string PadLabel(std::string_view label);

// A number by its picture, right-aligned in `width` characters. A rendering
// wider than the field is kept whole: cutting it would print another number.
std::string NumberField(double value, std::string_view picture, std::size_t width);

}  // namespace quorvane
