#include "figure/png_encoding.h"

#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace quorvane::figure {
namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  try {
    out->append(reinterpret_cast<const char*>(data), length);
  } catch (...) {
    png_error(png, "out of memory");  // does not return: back to the setjmp below
  }
}

void NoFlush(png_structp) {}

// Cairo keeps each pixel as a native 32-bit 0x00RRGGBB; PNG wants R, G, B.
void ToRgb(const unsigned char* source, int width, unsigned char* row) {
  for (int x = 0; x < width; ++x) {
    std::uint32_t pixel;
    std::memcpy(&pixel, source + 4 * static_cast<size_t>(x), sizeof pixel);
    row[3 * x] = static_cast<unsigned char>(pixel >> 16);
    row[3 * x + 1] = static_cast<unsigned char>(pixel >> 8);
    row[3 * x + 2] = static_cast<unsigned char>(pixel);
  }
}

struct Image {
  const unsigned char* data;
  int width, height, stride;
};

// Writes the image with libpng, one row at a time through `row`; false
// when libpng reports an error. Kept apart so that nothing with a
// destructor lives between setjmp and a longjmp from libpng.
bool WritePng(const Image& image, int dpi, unsigned char* row, std::string& out) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Dots per inch as dots per metre: 300 dpi is 11811, which readers give
  // back as 300 (11811 x 0.0254 = 299.9994).
  const auto perMetre = static_cast<png_uint_32>(std::lround(dpi / 0.0254));
  png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    ToRgb(image.data + static_cast<size_t>(y) * static_cast<size_t>(image.stride), image.width, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::optional<std::string> EncodePng(cairo_surface_t* image, int dpi) {
  cairo_surface_flush(image);
  const Image pixels{cairo_image_surface_get_data(image), cairo_image_surface_get_width(image),
                     cairo_image_surface_get_height(image),
                     cairo_image_surface_get_stride(image)};
  if (!pixels.data || pixels.width <= 0 || pixels.height <= 0 ||
      cairo_image_surface_get_format(image) != CAIRO_FORMAT_RGB24)
    return std::nullopt;
  std::vector<unsigned char> row(static_cast<size_t>(pixels.width) * 3);
  std::string out;
  if (!WritePng(pixels, dpi, row.data(), out)) return std::nullopt;
  return out;
}

}  // namespace quorvane::figure
