#pragma once

#include <QDialog>

#include "base/ui/figure_options.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace quorvane::qt {

// "Save figure": the format (PNG, SVG or PDF), the width and height in
// pixels, centimetres or inches, the resolution in dots per inch and
// whether the figure carries its title line. Sizes are kept in pixels, so
// switching the unit only shows them another way; a new resolution keeps
// a size given in centimetres or inches and changes its pixels.
class FigureSaveDialog : public QDialog {
 public:
  enum class Format { Png, Svg, Pdf };

  FigureSaveDialog(const FigureOptions& options, Format format, QWidget* parent = nullptr);

  FigureOptions Options() const { return options_; }
  Format ChosenFormat() const;
  // The format's file extension, with its dot.
  static const char* Extension(Format format);

 private:
  LengthUnit Unit() const;
  void ShowSizes();      // the pixels in the chosen unit
  void SizeEdited(int& pixels, double length);  // a box back into pixels
  void DpiChanged();
  void ShowSummary();

  FigureOptions options_;
  QComboBox* format_;
  QComboBox* unit_;
  QDoubleSpinBox* width_;
  QDoubleSpinBox* height_;
  QSpinBox* dpi_;
  QCheckBox* title_;
  QLabel* summary_;
  bool updating_ = false;
};

}  // namespace quorvane::qt
