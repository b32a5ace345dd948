#pragma once

#include <array>
#include <cstdint>

namespace quorvane::console {

// A 5 x 7 pixel font for the printable ASCII characters, so that pictures
// saved without a windowing toolkit still carry their axis labels. Each
// glyph is five columns, left to right; bit 0 of a column is the top row.
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;  // one blank column between characters

// The glyph of `ch`; characters outside ' '..'~' give the glyph of '?'.
const std::array<std::uint8_t, kGlyphWidth>& Glyph(char ch);

}  // namespace quorvane::console
