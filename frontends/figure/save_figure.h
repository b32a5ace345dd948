#pragma once

#include <optional>
#include <string>

#include "base/ui/control.h"
#include "base/ui/figure.h"
#include "base/ui/figure_options.h"

namespace quorvane::figure {

enum class FigureFormat { Png, Svg, Pdf };

// The format a file name asks for by its extension (".png", ".svg" or
// ".pdf", any letter case); nothing for any other.
std::optional<FigureFormat> FigureFormatOf(const std::string& path);

// The figure as the bytes of a file of the format, at the size and
// resolution of the options (see figure_options.h). The bytes depend on
// nothing else: no dates, no numbering that runs on from an earlier
// figure, the same font on every run, so the same figure saved twice, or
// from either front end, gives the same file. Throws std::runtime_error
// with the reason when it cannot be drawn.
std::string RenderFigure(const Figure& figure, FigureFormat format, const FigureOptions& options);

// Saves the figure in the format its file name asks for, replacing the file
// atomically: a failed save leaves an existing file as it was. Gives the
// reason of a failure, nothing on success.
std::optional<std::string> SaveFigure(const Figure& figure, const std::string& path,
                                      const FigureOptions& options);

// Saves what a surface control shows as a figure (SavedFigure, control.h).
std::optional<std::string> SaveSurface(const Control& surface, const std::string& path,
                                       const FigureOptions& options);

}  // namespace quorvane::figure
