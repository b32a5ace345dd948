#pragma once

#include <string>

#include "base/ui/surface.h"

namespace quorvane {

// The display list of a surface as a standalone SVG picture of width x
// height pixels, drawn as the screen shows it (see surface_view.h). Items
// with coordinates that are not finite are left out; texts are escaped, so
// any text gives a well-formed file. Lines end in CR LF.
std::string SurfaceToSvg(const Surface& surface, int width, int height);

}  // namespace quorvane
