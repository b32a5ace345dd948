#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvane::testing {

inline std::uint32_t BigEndian32(const std::string& bytes, size_t at) {
  std::uint32_t v = 0;
  for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

// The data of the first chunk of that type in a PNG file's bytes, read by
// walking the chunks from the signature; nothing when there is none or the
// file is not a well-formed PNG up to it.
inline std::optional<std::string> PngChunk(const std::string& png, const std::string& type) {
  if (png.size() < 8 || png.compare(0, 8, std::string("\x89PNG\r\n\x1a\n", 8)) != 0)
    return std::nullopt;
  for (size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t length = BigEndian32(png, at);
    if (at + 12 + length > png.size()) return std::nullopt;
    if (png.compare(at + 4, 4, type) == 0) return png.substr(at + 8, length);
    at += 12 + length;
  }
  return std::nullopt;
}

}  // namespace quorvane::testing
