#pragma once

#include <optional>
#include <string>

#include "base/ui/surface.h"

namespace quorvane::console {

// The size of a saved picture; a surface has no size of its own outside a window.
inline constexpr int kPictureWidth = 800;
inline constexpr int kPictureHeight = 600;

// Saves the surface as a picture whose format follows the extension of
// `path` (".svg" or ".png", any letter case). The file is replaced
// atomically, so a failed save leaves an existing file as it was. Gives the
// reason when the picture could not be saved, nothing on success.
std::optional<std::string> SaveSurfacePicture(const Surface& surface, const std::string& path,
                                              int width = kPictureWidth,
                                              int height = kPictureHeight);

}  // namespace quorvane::console
