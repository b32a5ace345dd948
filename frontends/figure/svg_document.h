#pragma once

#include <string>

namespace quorvane::figure {

// The SVG document Cairo wrote, made whole and stable: the text elements
// (drawn by the figure's canvas, see figure_canvas.h) go in after the
// drawing, in the figure's typeface, and the surface numbers Cairo counts
// through the life of the process are numbered afresh from 1, so a figure
// gives the same file however many were drawn before it.
std::string FinishSvgDocument(const std::string& cairoSvg, const std::string& textElements);

}  // namespace quorvane::figure
