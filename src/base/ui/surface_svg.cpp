#include "base/ui/surface_svg.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/ui/surface_view.h"

namespace quorvane {

namespace {

// A coordinate with at most two decimals, locale-free ("12.5", "-3", "0.25").
std::string Num(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 0.005) return "0";
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string text(buffer, result.ptr);
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

std::string Hex(int code) {
  const Rgb c = PaletteColor(code);
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", c.r, c.g, c.b);
  return buffer;
}

// The length of the valid UTF-8 sequence starting at text[i], or 0.
size_t Utf8Length(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k)
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
  return length;
}

// Text content for XML: markup characters escaped, control characters and
// bytes that are not UTF-8 replaced, so the file always parses.
std::string EscapeXml(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8Length(text, i);
    if (length == 0) {
      out += '?';
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text, i, length);
      i += length;
      continue;
    }
    const char ch = text[i++];
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += static_cast<unsigned char>(ch) < 0x20 ? ' ' : ch;
    }
  }
  return out;
}

std::string Stroke(const SurfaceItem& item) {
  std::string s = " fill=\"none\" stroke=\"" + Hex(item.color) + "\" stroke-width=\"1\"";
  if (item.style == LineStyle::Dashed) s += " stroke-dasharray=\"4 2\"";
  if (item.style == LineStyle::Dotted) s += " stroke-dasharray=\"1 2\"";
  return s;
}

class SvgWriter {
 public:
  SvgWriter(const Surface& surface, int width, int height)
      : surface_(surface), map_(surface, width, height), box_(ClipBox(map_)) {
    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(width) +
            "\" height=\"" + std::to_string(height) + "\" viewBox=\"0 0 " + std::to_string(width) +
            " " + std::to_string(height) + "\">\r\n";
    out_ += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(width) + "\" height=\"" +
            std::to_string(height) + "\" fill=\"" + Hex(surface.Background()) + "\"/>\r\n";
  }

  std::string Finish() {
    if (map_.Valid())
      for (const SurfaceItem& item : surface_.Items()) Write(item);
    out_ += "</svg>\r\n";
    return std::move(out_);
  }

 private:
  void Write(const SurfaceItem& item) {
    switch (item.kind) {
      case SurfaceItem::Kind::Line:
      case SurfaceItem::Kind::Polyline:
        WriteLines(item);
        break;
      case SurfaceItem::Kind::Circle:
        WriteCircle(item);
        break;
      case SurfaceItem::Kind::Rectangle:
        WriteRectangle(item);
        break;
      case SurfaceItem::Kind::Text:
        WriteText(item);
        break;
    }
  }

  // Consecutive segments that survive clipping form one polyline; a
  // segment cut away or a point that is not finite starts a new one.
  void WriteLines(const SurfaceItem& item) {
    std::string points;
    double lastX = NAN;
    double lastY = NAN;
    const auto flush = [&] {
      if (!points.empty()) out_ += "<polyline points=\"" + points + "\"" + Stroke(item) + "/>\r\n";
      points.clear();
    };
    for (size_t i = 1; i < item.points.size(); ++i) {
      double x1 = map_.X(item.points[i - 1].x), y1 = map_.Y(item.points[i - 1].y);
      double x2 = map_.X(item.points[i].x), y2 = map_.Y(item.points[i].y);
      if (!ClipSegment(x1, y1, x2, y2, box_.xmin, box_.ymin, box_.xmax, box_.ymax)) {
        flush();
        continue;
      }
      if (points.empty() || x1 != lastX || y1 != lastY) {
        flush();
        points = Num(x1) + "," + Num(y1);
      }
      points += " " + Num(x2) + "," + Num(y2);
      lastX = x2;
      lastY = y2;
    }
    flush();
  }

  bool Inside(double x, double y, double margin) const {
    return std::isfinite(x) && std::isfinite(y) && x >= box_.xmin - margin &&
           x <= box_.xmax + margin && y >= box_.ymin - margin && y <= box_.ymax + margin;
  }

  void WriteCircle(const SurfaceItem& item) {
    if (item.points.empty() || !std::isfinite(item.radius) || item.radius <= 0.0) return;
    const double x = map_.X(item.points[0].x);
    const double y = map_.Y(item.points[0].y);
    const double r = std::min(item.radius, 1e4);
    if (!Inside(x, y, r)) return;
    out_ += "<circle cx=\"" + Num(x) + "\" cy=\"" + Num(y) + "\" r=\"" + Num(r) + "\"";
    out_ += item.filled ? " fill=\"" + Hex(item.color) + "\"" : Stroke(item);
    out_ += "/>\r\n";
  }

  void WriteRectangle(const SurfaceItem& item) {
    if (item.points.size() < 2) return;
    double x1 = map_.X(item.points[0].x), y1 = map_.Y(item.points[0].y);
    double x2 = map_.X(item.points[1].x), y2 = map_.Y(item.points[1].y);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
      return;
    const auto clampX = [&](double v) { return std::clamp(v, box_.xmin, box_.xmax); };
    const auto clampY = [&](double v) { return std::clamp(v, box_.ymin, box_.ymax); };
    x1 = clampX(x1), x2 = clampX(x2), y1 = clampY(y1), y2 = clampY(y2);
    const double x = std::min(x1, x2), y = std::min(y1, y2);
    out_ += "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(std::max(x1, x2) - x) +
            "\" height=\"" + Num(std::max(y1, y2) - y) + "\"";
    out_ += item.filled ? " fill=\"" + Hex(item.color) + "\"" : Stroke(item);
    out_ += "/>\r\n";
  }

  void WriteText(const SurfaceItem& item) {
    if (item.points.empty() || item.text.empty()) return;
    const double x = map_.X(item.points[0].x);
    const double y = map_.Y(item.points[0].y);
    if (!Inside(x, y, 0.0)) return;
    const char* anchor = item.align == TextAlign::Left     ? "start"
                         : item.align == TextAlign::Center ? "middle"
                                                           : "end";
    // The point is the top of the text: the baseline lies one ascent below.
    out_ += "<text x=\"" + Num(x) + "\" y=\"" + Num(y + 0.8 * kSurfaceTextPixels) +
            "\" font-family=\"sans-serif\" font-size=\"" + Num(kSurfaceTextPixels) + "\" fill=\"" +
            Hex(item.color) + "\" text-anchor=\"" + anchor + "\" xml:space=\"preserve\">" +
            EscapeXml(item.text) + "</text>\r\n";
  }

  const Surface& surface_;
  SurfaceMapping map_;
  PixelBox box_;
  std::string out_;
};

}  // namespace

std::string SurfaceToSvg(const Surface& surface, int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  return SvgWriter(surface, width, height).Finish();
}

}  // namespace quorvane
