#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "console/surface_raster.h"

namespace quorvane::console {

// The picture as a PNG file's bytes: indexed colour with the sixteen-colour
// palette, four bits per pixel, compressed with fixed-Huffman deflate using
// runs along a row and repeats of the row above (plots are mostly flat
// colour, so the files stay small).
std::string EncodePng(const PaletteImage& image);

// The checksums PNG and zlib use; exposed for tests.
std::uint32_t Crc32(std::string_view bytes);
std::uint32_t Adler32(std::string_view bytes);

}  // namespace quorvane::console
