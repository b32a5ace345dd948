#include "console/surface_picture.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "console/png_writer.h"
#include "console/surface_raster.h"
#include "base/files/text_file.h"
#include "base/ui/surface_svg.h"

namespace quorvane::console {

std::optional<std::string> SaveSurfacePicture(const Surface& surface, const std::string& path,
                                              int width, int height) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (width < 1 || height < 1 || width > 16384 || height > 16384)
    return "A picture must be between 1 and 16384 pixels wide and high";
  // The atomic writer copies bytes as they are, so it serves the binary PNG as well.
  if (extension == ".svg")
    return WriteTextFileAtomically(path, SurfaceToSvg(surface, width, height));
  if (extension == ".png")
    return WriteTextFileAtomically(path, EncodePng(RasterizeSurface(surface, width, height)));
  return "A picture is saved as .svg or .png, not as " + path;
}

}  // namespace quorvane::console
