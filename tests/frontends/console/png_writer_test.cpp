#include "console/png_writer.h"

#include <gtest/gtest.h>

namespace quorvane::console {
namespace {

std::uint32_t Read32(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(PngChecksums, MatchTheirPublishedValues) {
  EXPECT_EQ(Crc32("IEND"), 0xAE426082u);  // every PNG file ends with it
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Adler32("Wikipedia"), 0x11E60398u);
  EXPECT_EQ(Adler32(""), 1u);
}

TEST(EncodePng, WritesAnIndexedPictureInValidChunks) {
  PaletteImage image(801, 3, 15);
  image.Set(0, 0, 12);
  image.Set(800, 2, 1);
  const std::string png = EncodePng(image);

  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::vector<std::string> types;
  for (size_t at = 8; at < png.size();) {
    ASSERT_LE(at + 12, png.size());
    const std::uint32_t length = Read32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    const std::string typed = png.substr(at + 4, 4 + length);
    EXPECT_EQ(Read32(png, at + 8 + length), Crc32(typed)) << typed.substr(0, 4);
    types.push_back(typed.substr(0, 4));
    if (types.back() == "IHDR") {
      EXPECT_EQ(Read32(typed, 4), 801u);
      EXPECT_EQ(Read32(typed, 8), 3u);
      EXPECT_EQ(typed[12], 4);  // bits per pixel
      EXPECT_EQ(typed[13], 3);  // indexed colour
    }
    if (types.back() == "PLTE") {
      EXPECT_EQ(length, 48u);
    }
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "PLTE", "IDAT", "IEND"}));
}

TEST(EncodePng, CompressesFlatPictures) {
  // A plot is mostly background: its picture must stay small.
  const std::string png = EncodePng(PaletteImage(800, 600, 15));
  EXPECT_LT(png.size(), 8000u);
}

}  // namespace
}  // namespace quorvane::console
