#pragma once

#include <optional>
#include <string>

namespace quorvane {

// How a figure is saved: its width and height in pixels, its resolution in
// dots per inch and whether it carries its title line. A PNG has those
// pixels and records the resolution; an SVG or PDF is drawn on the page
// the pixels make at that resolution (1600 x 1000 at 300 dpi: 5.33 x 3.33
// inches), so every format of one figure has the same layout.
struct FigureOptions {
  int Width = 1600;
  int Height = 1000;
  int Dpi = 300;
  bool TitleLine = true;

  // The page in points (1/72 inch).
  double WidthPoints() const { return Width * 72.0 / Dpi; }
  double HeightPoints() const { return Height * 72.0 / Dpi; }
  bool operator==(const FigureOptions&) const = default;
};

inline constexpr int kMinFigurePixels = 100;
inline constexpr int kMaxFigurePixels = 10000;
inline constexpr int kMinFigureDpi = 50;
inline constexpr int kMaxFigureDpi = 2400;

// Why the options cannot make a figure (a size or resolution out of its
// range), or nothing.
std::optional<std::string> FigureOptionsError(const FigureOptions& options);

// The options as the words the console's save command takes after the
// file name: "1600x1000 300", with " notitle" when the title line is left
// out.
std::string FigureOptionsWords(const FigureOptions& options);

// A save command's file name and options, from the text after the surface
// name: "FILE [WIDTHxHEIGHT] [DPI] [notitle]". The optional words are taken
// from the end, so the file name may hold blanks. Options not given keep
// their defaults. Throws std::invalid_argument naming a malformed size.
struct SaveArguments {
  std::string Path;
  FigureOptions Options;
};
SaveArguments ParseSaveArguments(const std::string& text);

// A length in a unit, as the desktop's save dialog takes it, in pixels at
// a resolution (rounded to the nearest pixel), and back.
enum class LengthUnit { Pixels, Centimetres, Inches };
int LengthToPixels(double length, LengthUnit unit, int dpi);
double PixelsToLength(int pixels, LengthUnit unit, int dpi);

}  // namespace quorvane
