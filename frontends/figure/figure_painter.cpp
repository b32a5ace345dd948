#include "figure/figure_painter.h"

#include <algorithm>
#include <cmath>

#include "figure/figure_text.h"

namespace quorvane::figure {
namespace {

// Sizes in points.
constexpr double kPad = 6.0;          // the page's margin
constexpr double kTickLength = 3.0;
constexpr double kLineWidth = 0.9;    // series and reference lines
constexpr double kFrameWidth = 0.6;   // the frame, ticks, open markers and outlines
constexpr double kSeamWidth = 0.3;    // filled areas are edged with their own colour
constexpr double kPixel = 0.6;        // a marker radius of the display list, per unit
constexpr double kLineSpacing = 1.2;  // line height as a multiple of the font size
constexpr double kLegendMark = 14.0;  // the sample of a series in the legend
constexpr double kLegendBox = 10.0;   // the sample of a colour
constexpr double kLegendGap = 8.0;    // between legend entries
const FigureFont kTickFont{8.0, false};
const FigureFont kAxisFont{9.0, false};
const FigureFont kLegendFont{8.0, false};
const FigureFont kCaptionFont{8.0, false};
const FigureFont kTitleFont{10.0, true};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

double LineHeight(FigureFont font) { return font.Size * kLineSpacing; }

double MarkWidth(const LegendEntry& entry) {
  return entry.Mark == LegendMark::Box ? kLegendBox : kLegendMark;
}

struct Box {
  double x = 0, y = 0, w = 0, h = 0;
};

// A text broken into lines to fit a width, in the font that made it fit.
struct FittedText {
  std::vector<std::string> Lines;
  FigureFont Font;
};

// One tick of an axis: where it falls along the axis (0 at the left or top
// end, 1 at the other) and its label.
struct Tick {
  double At;
  std::string Label;
};

// A legend entry laid out: its place relative to the legend's top left.
struct LegendItem {
  const LegendEntry* Entry = nullptr;  // null for the heading
  std::vector<std::string> Lines;
  double x = 0, y = 0, w = 0;
};

// The display list's items drawn into a box of the page: the surface's
// scale spans the box. Segments are clipped just outside the box, so that
// the clip of the canvas trims them cleanly and absurd coordinates never
// reach the renderer.
void DrawItems(const Surface& surface, Box box, FigureCanvas& canvas) {
  const SurfaceMapping map(surface, box.w, box.h);
  if (!map.Valid()) return;
  const double margin = 8.0;
  const double xmin = box.x - margin, ymin = box.y - margin, xmax = box.x + box.w + margin,
               ymax = box.y + box.h + margin;
  const auto X = [&](double x) { return box.x + map.X(x); };
  const auto Y = [&](double y) { return box.y + map.Y(y); };
  const auto inside = [&](double x, double y) {
    return std::isfinite(x) && std::isfinite(y) && x >= xmin && x <= xmax && y >= ymin && y <= ymax;
  };
  for (const SurfaceItem& item : surface.Items()) {
    const Rgb color = PaletteColor(item.color);
    switch (item.kind) {
      case SurfaceItem::Kind::Line:
      case SurfaceItem::Kind::Polyline: {
        // Consecutive segments that survive clipping form one run, so a
        // dash pattern goes on along the line.
        std::vector<SurfacePoint> run;
        const auto flush = [&] {
          canvas.Polyline(run, color, kLineWidth, item.style);
          run.clear();
        };
        for (size_t i = 1; i < item.points.size(); ++i) {
          double x1 = X(item.points[i - 1].x), y1 = Y(item.points[i - 1].y);
          double x2 = X(item.points[i].x), y2 = Y(item.points[i].y);
          if (!ClipSegment(x1, y1, x2, y2, xmin, ymin, xmax, ymax)) {
            flush();
            continue;
          }
          if (run.empty() || run.back().x != x1 || run.back().y != y1) {
            flush();
            run.push_back({x1, y1});
          }
          run.push_back({x2, y2});
        }
        flush();
        break;
      }
      case SurfaceItem::Kind::Circle: {
        if (item.points.empty() || !std::isfinite(item.radius) || item.radius <= 0.0) break;
        const double x = X(item.points[0].x), y = Y(item.points[0].y);
        const double r = std::min(item.radius, 100.0) * kPixel;
        if (inside(x, y)) canvas.Circle(x, y, r, color, item.filled, kFrameWidth);
        break;
      }
      case SurfaceItem::Kind::Rectangle: {
        if (item.points.size() < 2) break;
        double x1 = X(item.points[0].x), y1 = Y(item.points[0].y);
        double x2 = X(item.points[1].x), y2 = Y(item.points[1].y);
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
          break;
        x1 = std::clamp(x1, xmin, xmax), x2 = std::clamp(x2, xmin, xmax);
        y1 = std::clamp(y1, ymin, ymax), y2 = std::clamp(y2, ymin, ymax);
        const double x = std::min(x1, x2), y = std::min(y1, y2);
        const double w = std::fabs(x2 - x1), h = std::fabs(y2 - y1);
        if (item.filled) {
          canvas.FillRectangle(x, y, w, h, color);
          // Edged with its own colour, so that neighbouring cells meet
          // without a hairline of background between them.
          canvas.StrokeRectangle(x, y, w, h, color, kSeamWidth);
        } else {
          canvas.StrokeRectangle(x, y, w, h, color, kFrameWidth);
        }
        break;
      }
      case SurfaceItem::Kind::Text: {
        if (item.points.empty() || item.text.empty()) break;
        const double x = X(item.points[0].x), y = Y(item.points[0].y);
        if (!inside(x, y)) break;
        const TextAnchor anchor = item.align == TextAlign::Left     ? TextAnchor::Start
                                  : item.align == TextAlign::Center ? TextAnchor::Middle
                                                                    : TextAnchor::End;
        // The point is the top of the text.
        canvas.Text(x, y + canvas.Ascent(kTickFont), item.text, kTickFont, color, anchor);
        break;
      }
    }
  }
}

class FramedPainter {
 public:
  FramedPainter(const Figure& figure, FigureCanvas& canvas, double width, double height)
      : f_(figure), c_(canvas), width_(width), height_(height) {}

  void Paint() {
    CollectTicks();
    // The Y title's lines depend on the plot's height, which depends on
    // the legend's rows, which depend on the plot's width: two rounds settle it.
    int yTitleLines = f_.Y.Title.empty() ? 0 : 1;
    for (int round = 0; round < 2; ++round) {
      LayOutAcross(yTitleLines);
      LayOutDown();
      yTitle_ = Fit(f_.Y.Title, area_.h, kAxisFont, 2);
      yTitleLines = static_cast<int>(yTitle_.Lines.size());
    }
    DrawPlot();
    DrawAxes();
    DrawLegend();
    DrawTexts();
  }

 private:
  double Width(const std::string& text, FigureFont font) { return c_.TextWidth(text, font); }

  // Breaks a text into lines of `width`; when that takes more than
  // `mostLines`, a smaller font (down to three quarters) is tried first.
  FittedText Fit(const std::string& text, double width, FigureFont font, size_t mostLines) {
    const std::string printable = PrintableText(text);
    FittedText fitted{{}, font};
    for (double size = font.Size; size >= font.Size * 0.75 - 1e-9; size -= 0.5) {
      fitted.Font.Size = size;
      fitted.Lines = WrapText(printable, width,
                              [&](const std::string& s) { return Width(s, fitted.Font); });
      if (fitted.Lines.size() <= mostLines) break;
    }
    return fitted;
  }

  void CollectTicks() {
    const Surface& d = f_.Drawing;
    const auto collect = [](const FigureAxis& axis, double from, double to) {
      std::vector<Tick> ticks;
      const double span = to - from;
      if (!(std::fabs(span) > 0.0) || !std::isfinite(span)) return ticks;
      for (size_t i = 0; i < axis.Ticks.size(); ++i) {
        const double at = (axis.Ticks[i] - from) / span;
        if (!(at >= -1e-9 && at <= 1.0 + 1e-9)) continue;
        ticks.push_back({std::clamp(at, 0.0, 1.0),
                         i < axis.TickLabels.size() ? PrintableText(axis.TickLabels[i]) : ""});
      }
      return ticks;
    };
    xTicks_ = collect(f_.X, d.Left(), d.Right());
    yTicks_ = collect(f_.Y, d.Top(), d.Bottom());
  }

  // The plot's left and right edges: room on the left for the Y title and
  // the Y tick labels, and on both sides for X tick labels that stand out
  // beyond the ends of the axis.
  void LayOutAcross(int yTitleLines) {
    double labels = 0.0;
    for (const Tick& t : yTicks_) labels = std::max(labels, Width(t.Label, kTickFont));
    double left = kPad + kTickLength + (labels > 0.0 ? labels + 2.0 : 0.0) +
                  (yTitleLines > 0 ? yTitleLines * LineHeight(kAxisFont) + 2.0 : 0.0);
    double right = width_ - kPad;
    for (int round = 0; round < 2; ++round)
      for (const Tick& t : xTicks_) {
        const double half = Width(t.Label, kTickFont) / 2.0;
        // The label's centre is left + At (right - left); it must keep half its width from each side.
        if (t.At > 0.0) right = std::min(right, left + (width_ - kPad - half - left) / t.At);
        if (t.At < 1.0) left = std::max(left, (kPad + half - t.At * right) / (1.0 - t.At));
      }
    area_.x = left;
    area_.w = std::max(1.0, right - left);
  }

  void LayOutDown() {
    double top = kPad;
    title_ = Fit(f_.Title, width_ - 2.0 * kPad, kTitleFont, 2);
    if (!title_.Lines.empty()) top += title_.Lines.size() * LineHeight(title_.Font) + 3.0;
    legendTop_ = top;
    const double legendHeight = LayOutLegend(width_ - kPad - area_.x);
    if (legendHeight > 0.0) top += legendHeight + 4.0;
    // Half a tick label stands above the top tick.
    top = std::max(top, kPad + LineHeight(kTickFont) / 2.0);

    double bottom = height_ - kPad;
    caption_ = Fit(f_.Caption, width_ - 2.0 * kPad, kCaptionFont, 3);
    if (!caption_.Lines.empty()) bottom -= caption_.Lines.size() * LineHeight(caption_.Font) + 3.0;
    captionTop_ = bottom + 3.0;
    xTitle_ = Fit(f_.X.Title, area_.w, kAxisFont, 2);
    if (!xTitle_.Lines.empty()) bottom -= xTitle_.Lines.size() * LineHeight(xTitle_.Font) + 2.0;
    xTitleTop_ = bottom + 2.0;
    if (!xTicks_.empty()) bottom -= LineHeight(kTickFont) + 1.0;
    bottom -= kTickLength;
    area_.y = top;
    area_.h = std::max(1.0, bottom - top);
  }

  // Entries flow left to right in rows as wide as `room`; an entry too
  // long for a row has its text broken into lines. Gives the height.
  double LayOutLegend(double room) {
    legend_.clear();
    std::vector<LegendItem> items;
    if (!f_.LegendHeading.empty() && !f_.Legend.empty()) {
      LegendItem heading;
      heading.Lines = {PrintableText(f_.LegendHeading)};
      heading.w = Width(heading.Lines[0], LegendHeadingFont());
      items.push_back(heading);
    }
    for (const LegendEntry& entry : f_.Legend) {
      LegendItem item;
      item.Entry = &entry;
      const std::string text = PrintableText(entry.Text);
      const double markRoom = MarkWidth(entry) + 3.0;
      item.w = markRoom + Width(text, kLegendFont);
      if (item.w > room) {
        item.Lines = WrapText(text, std::max(1.0, room - markRoom),
                              [&](const std::string& s) { return Width(s, kLegendFont); });
        item.w = room;
      } else {
        item.Lines = {text};
      }
      if (item.Lines.empty()) item.Lines = {""};
      items.push_back(item);
    }
    double x = 0.0, y = 0.0, rowHeight = 0.0;
    for (LegendItem& item : items) {
      if (x > 0.0 && x + item.w > room) {
        x = 0.0;
        y += rowHeight;
        rowHeight = 0.0;
      }
      item.x = x;
      item.y = y;
      x += item.w + kLegendGap;
      rowHeight = std::max(rowHeight, item.Lines.size() * LineHeight(kLegendFont));
    }
    legend_ = std::move(items);
    return legend_.empty() ? 0.0 : y + rowHeight;
  }

  static FigureFont LegendHeadingFont() { return {kLegendFont.Size, true}; }

  void DrawPlot() {
    const Rgb background = PaletteColor(f_.Drawing.Background());
    c_.FillRectangle(area_.x, area_.y, area_.w, area_.h, background);
    c_.Clip(area_.x, area_.y, area_.w, area_.h);
    DrawItems(f_.Drawing, area_, c_);
    c_.Unclip();
    c_.StrokeRectangle(area_.x, area_.y, area_.w, area_.h, kBlack, kFrameWidth);
  }

  // Every k-th label from the first, with the smallest k that keeps
  // neighbouring labels `gap` apart; `extent` gives a label's span along
  // the axis around its tick.
  template <typename Span>
  size_t LabelStep(const std::vector<Tick>& ticks, double length, double gap, Span extent) {
    for (size_t step = 1; step < ticks.size(); ++step) {
      bool fits = true;
      for (size_t i = 0; i + step < ticks.size() && fits; i += step) {
        const auto [lo1, hi1] = extent(ticks[i], ticks[i].At * length);
        const auto [lo2, hi2] = extent(ticks[i + step], ticks[i + step].At * length);
        fits = std::min(lo2, hi2) - std::max(lo1, hi1) >= gap || std::min(lo1, hi1) - std::max(lo2, hi2) >= gap;
      }
      if (fits) return step;
    }
    return std::max<size_t>(1, ticks.size());
  }

  void DrawAxes() {
    const double bottom = area_.y + area_.h;
    const size_t xStep = LabelStep(xTicks_, area_.w, 4.0, [&](const Tick& t, double at) {
      const double half = Width(t.Label, kTickFont) / 2.0;
      return std::pair{at - half, at + half};
    });
    const double xBaseline = bottom + kTickLength + 1.0 + c_.Ascent(kTickFont);
    for (size_t i = 0; i < xTicks_.size(); ++i) {
      const double x = area_.x + xTicks_[i].At * area_.w;
      c_.Polyline({{x, bottom}, {x, bottom + kTickLength}}, kBlack, kFrameWidth, LineStyle::Solid);
      if (i % xStep != 0) continue;
      const double half = Width(xTicks_[i].Label, kTickFont) / 2.0;
      const double centre = std::clamp(x, kPad + half, std::max(kPad + half, width_ - kPad - half));
      c_.Text(centre, xBaseline, xTicks_[i].Label, kTickFont, kBlack, TextAnchor::Middle);
    }
    const double labelHeight = LineHeight(kTickFont);
    const size_t yStep = LabelStep(yTicks_, area_.h, 0.0, [&](const Tick&, double at) {
      return std::pair{at - labelHeight / 2.0, at + labelHeight / 2.0};
    });
    for (size_t i = 0; i < yTicks_.size(); ++i) {
      const double y = area_.y + yTicks_[i].At * area_.h;
      c_.Polyline({{area_.x - kTickLength, y}, {area_.x, y}}, kBlack, kFrameWidth, LineStyle::Solid);
      if (i % yStep != 0) continue;
      // Digits centred on the tick: their middle lies about 0.36 em above the baseline.
      c_.Text(area_.x - kTickLength - 2.0, y + 0.36 * kTickFont.Size, yTicks_[i].Label, kTickFont,
              kBlack, TextAnchor::End);
    }
  }

  void DrawLegend() {
    const double lineHeight = LineHeight(kLegendFont);
    const double ascent = c_.Ascent(kLegendFont);
    const double descent = c_.Descent(kLegendFont);
    for (const LegendItem& item : legend_) {
      const double left = area_.x + item.x;
      const double top = legendTop_ + item.y;
      const double baseline = top + (lineHeight - ascent - descent) / 2.0 + ascent;
      if (!item.Entry) {
        c_.Text(left, baseline, item.Lines[0], LegendHeadingFont(), kBlack, TextAnchor::Start);
        continue;
      }
      const LegendEntry& e = *item.Entry;
      const Rgb color = PaletteColor(e.Color);
      const double middle = baseline - 0.3 * kLegendFont.Size;  // the middle of lower-case letters
      if (e.Mark == LegendMark::Line || e.Mark == LegendMark::LineAndPoints)
        c_.Polyline({{left, middle}, {left + kLegendMark, middle}}, color, kLineWidth, e.Style);
      if (e.Mark == LegendMark::Points || e.Mark == LegendMark::LineAndPoints)
        c_.Circle(left + kLegendMark / 2.0, middle, 3.0 * kPixel, color, e.FilledPoints,
                  kFrameWidth);
      if (e.Mark == LegendMark::Box) {
        c_.FillRectangle(left, middle - 3.5, kLegendBox, 7.0, color);
        c_.StrokeRectangle(left, middle - 3.5, kLegendBox, 7.0, kBlack, 0.4);
      }
      c_.TextLines(left + MarkWidth(e) + 3.0, baseline, item.Lines, lineHeight, kLegendFont, kBlack,
                   TextAnchor::Start);
    }
  }

  void DrawTexts() {
    const auto lines = [&](const FittedText& text, double top, double x, TextAnchor anchor) {
      c_.TextLines(x, top + c_.Ascent(text.Font), text.Lines, LineHeight(text.Font), text.Font,
                   kBlack, anchor);
    };
    lines(title_, kPad, width_ / 2.0, TextAnchor::Middle);
    lines(xTitle_, xTitleTop_, area_.x + area_.w / 2.0, TextAnchor::Middle);
    lines(caption_, captionTop_, width_ / 2.0, TextAnchor::Middle);
    // The Y title reads upwards, its lines from the page's edge inwards.
    c_.TextLines(kPad + c_.Ascent(yTitle_.Font), area_.y + area_.h / 2.0, yTitle_.Lines,
                 LineHeight(yTitle_.Font), yTitle_.Font, kBlack, TextAnchor::Middle, true);
  }

  const Figure& f_;
  FigureCanvas& c_;
  double width_;
  double height_;
  std::vector<Tick> xTicks_;
  std::vector<Tick> yTicks_;
  Box area_;
  FittedText title_, xTitle_, yTitle_, caption_;
  double legendTop_ = 0.0;
  double xTitleTop_ = 0.0;
  double captionTop_ = 0.0;
  std::vector<LegendItem> legend_;
};

}  // namespace

void PaintFigure(const Figure& figure, FigureCanvas& canvas, double width, double height) {
  canvas.FillRectangle(0.0, 0.0, width, height, kWhite);
  if (!figure.Framed) {
    canvas.FillRectangle(0.0, 0.0, width, height, PaletteColor(figure.Drawing.Background()));
    canvas.Clip(0.0, 0.0, width, height);
    DrawItems(figure.Drawing, {0.0, 0.0, width, height}, canvas);
    canvas.Unclip();
    return;
  }
  FramedPainter(figure, canvas, width, height).Paint();
}

}  // namespace quorvane::figure
