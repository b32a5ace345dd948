#pragma once

#include <cairo.h>

#include <optional>
#include <string>

namespace quorvane::figure {

// An opaque Cairo image (RGB24) as the bytes of a PNG file of 8-bit RGB
// that records `dpi` as its resolution (the pHYs chunk, in pixels per
// metre). Nothing when the image cannot be encoded.
std::optional<std::string> EncodePng(cairo_surface_t* image, int dpi);

}  // namespace quorvane::figure
