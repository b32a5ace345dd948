#include "console/png_writer.h"

#include <algorithm>
#include <array>

#include "base/ui/surface_view.h"

namespace quorvane::console {

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> kTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
    return table;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) crc = kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : bytes) {
    a = (a + byte) % 65521u;
    b = (b + a) % 65521u;
  }
  return (b << 16) | a;
}

namespace {

// Bits go into the stream least significant first, as deflate wants.
class BitWriter {
 public:
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1u);
  }
  // A Huffman code goes most significant bit first.
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1u);
  }
  std::string Finish() {
    if (used_ > 0) out_ += static_cast<char>(current_);
    return std::move(out_);
  }

 private:
  void Bit(std::uint32_t bit) {
    current_ |= static_cast<std::uint8_t>(bit << used_);
    if (++used_ == 8) {
      out_ += static_cast<char>(current_);
      current_ = 0;
      used_ = 0;
    }
  }
  std::string out_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

// The fixed Huffman code of a literal/length symbol.
void Symbol(BitWriter& w, int symbol) {
  if (symbol <= 143)
    w.Code(0x30u + static_cast<std::uint32_t>(symbol), 8);
  else if (symbol <= 255)
    w.Code(0x190u + static_cast<std::uint32_t>(symbol - 144), 9);
  else if (symbol <= 279)
    w.Code(static_cast<std::uint32_t>(symbol - 256), 7);
  else
    w.Code(0xC0u + static_cast<std::uint32_t>(symbol - 280), 8);
}

constexpr std::array<int, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                             15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                             67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, int length, int distance) {
  size_t i = kLengthBase.size() - 1;
  while (kLengthBase[i] > length) --i;
  Symbol(w, 257 + static_cast<int>(i));
  w.Bits(static_cast<std::uint32_t>(length - kLengthBase[i]), kLengthExtra[i]);
  size_t d = kDistanceBase.size() - 1;
  while (kDistanceBase[d] > distance) --d;
  w.Code(static_cast<std::uint32_t>(d), 5);
  w.Bits(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

// One fixed-Huffman block. At each byte the longer of two matches is
// taken: a run of the previous byte, or the bytes one row above.
std::string Deflate(std::string_view data, size_t rowBytes) {
  constexpr size_t kMaxMatch = 258;
  constexpr size_t kWindow = 32768;
  BitWriter w;
  w.Bits(1, 1);  // the final block
  w.Bits(1, 2);  // fixed Huffman codes
  size_t i = 0;
  const auto matchLength = [&](size_t distance) {
    if (distance == 0 || distance > i || distance > kWindow) return size_t{0};
    size_t n = 0;
    const size_t limit = std::min(kMaxMatch, data.size() - i);
    while (n < limit && data[i + n] == data[i + n - distance]) ++n;
    return n;
  };
  while (i < data.size()) {
    const size_t run = matchLength(1);
    const size_t up = matchLength(rowBytes);
    const size_t best = std::max(run, up);
    if (best >= 3) {
      Match(w, static_cast<int>(best), static_cast<int>(up > run ? rowBytes : 1));
      i += best;
    } else {
      Symbol(w, static_cast<unsigned char>(data[i]));
      ++i;
    }
  }
  Symbol(w, 256);
  return w.Finish();
}

void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& out, const char* type, const std::string& data) {
  Put32(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  Put32(out, Crc32(typed));
}

}  // namespace

std::string EncodePng(const PaletteImage& image) {
  const auto width = static_cast<size_t>(image.Width());
  const auto height = static_cast<size_t>(image.Height());
  const size_t rowBytes = 1 + (width + 1) / 2;  // filter byte, then two pixels a byte

  std::string raw;
  raw.reserve(rowBytes * height);
  for (size_t y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    for (size_t x = 0; x < width; x += 2) {
      const int hi = image.At(static_cast<int>(x), static_cast<int>(y)) & 0x0F;
      const int lo =
          x + 1 < width ? image.At(static_cast<int>(x + 1), static_cast<int>(y)) & 0x0F : 0;
      raw += static_cast<char>((hi << 4) | lo);
    }
  }

  std::string zlib = "\x78\x01";
  zlib += Deflate(raw, rowBytes);
  Put32(zlib, Adler32(raw));

  std::string header;
  Put32(header, static_cast<std::uint32_t>(width));
  Put32(header, static_cast<std::uint32_t>(height));
  header += '\x04';                // bit depth
  header += '\x03';                // indexed colour
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace

  std::string palette;
  for (int code = 0; code < 16; ++code) {
    const Rgb c = PaletteColor(code);
    palette += static_cast<char>(c.r);
    palette += static_cast<char>(c.g);
    palette += static_cast<char>(c.b);
  }

  std::string png = "\x89PNG\r\n\x1a\n";
  Chunk(png, "IHDR", header);
  Chunk(png, "PLTE", palette);
  Chunk(png, "IDAT", zlib);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace quorvane::console
