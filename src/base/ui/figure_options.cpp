#include "base/ui/figure_options.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace quorvane {
namespace {

constexpr const char* kNoTitle = "notitle";

bool AllDigits(const std::string& word) {
  if (word.empty()) return false;
  for (char ch : word)
    if (ch < '0' || ch > '9') return false;
  return true;
}

// A whole number of at most nine digits, so it always fits an int; a longer
// one is out of every range anyway.
int WholeNumber(const std::string& digits, const std::string& word) {
  if (digits.size() > 9) throw std::invalid_argument("The number in " + word + " is too large");
  return std::stoi(digits);
}

}  // namespace

std::optional<std::string> FigureOptionsError(const FigureOptions& o) {
  if (o.Width < kMinFigurePixels || o.Width > kMaxFigurePixels || o.Height < kMinFigurePixels ||
      o.Height > kMaxFigurePixels)
    return "A figure must be from " + std::to_string(kMinFigurePixels) + " to " +
           std::to_string(kMaxFigurePixels) + " pixels wide and high, not " +
           std::to_string(o.Width) + "x" + std::to_string(o.Height);
  if (o.Dpi < kMinFigureDpi || o.Dpi > kMaxFigureDpi)
    return "A figure's resolution must be from " + std::to_string(kMinFigureDpi) + " to " +
           std::to_string(kMaxFigureDpi) + " dpi, not " + std::to_string(o.Dpi);
  return std::nullopt;
}

std::string FigureOptionsWords(const FigureOptions& o) {
  std::string words = std::to_string(o.Width) + "x" + std::to_string(o.Height) + " " +
                      std::to_string(o.Dpi);
  if (!o.TitleLine) words += std::string(" ") + kNoTitle;
  return words;
}

SaveArguments ParseSaveArguments(const std::string& text) {
  // The optional words come off the end, so the path keeps its own blanks.
  const size_t first = text.find_first_not_of(" \t");
  std::string rest = first == std::string::npos ? "" : text.substr(first);
  const auto trimEnd = [&] { rest.erase(rest.find_last_not_of(" \t") + 1); };
  trimEnd();
  // The last word, when there is more than one.
  const auto lastWord = [&]() -> std::string {
    const size_t blank = rest.find_last_of(" \t");
    return blank == std::string::npos ? "" : rest.substr(blank + 1);
  };
  const auto dropLastWord = [&] {
    rest.erase(rest.find_last_of(" \t"));
    trimEnd();
  };

  SaveArguments arguments;
  if (lastWord() == kNoTitle) {
    arguments.Options.TitleLine = false;
    dropLastWord();
  }
  if (const std::string word = lastWord(); AllDigits(word)) {
    arguments.Options.Dpi = WholeNumber(word, word);
    dropLastWord();
  }
  if (const std::string word = lastWord(); !word.empty()) {
    const size_t x = word.find_first_of("xX");
    if (x != std::string::npos && AllDigits(word.substr(0, x)) && AllDigits(word.substr(x + 1))) {
      arguments.Options.Width = WholeNumber(word.substr(0, x), word);
      arguments.Options.Height = WholeNumber(word.substr(x + 1), word);
      dropLastWord();
    }
  }
  arguments.Path = rest;
  return arguments;
}

int LengthToPixels(double length, LengthUnit unit, int dpi) {
  double pixels = length;
  if (unit == LengthUnit::Centimetres) pixels = length / 2.54 * dpi;
  if (unit == LengthUnit::Inches) pixels = length * dpi;
  if (!std::isfinite(pixels) || pixels < 0.0) return 0;
  if (pixels > 1e9) return 1000000000;
  return static_cast<int>(std::lround(pixels));
}

double PixelsToLength(int pixels, LengthUnit unit, int dpi) {
  if (dpi <= 0) return 0.0;
  if (unit == LengthUnit::Centimetres) return pixels * 2.54 / dpi;
  if (unit == LengthUnit::Inches) return static_cast<double>(pixels) / dpi;
  return pixels;
}

}  // namespace quorvane
