#include "qt/figure_save_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace quorvane::qt {

FigureSaveDialog::FigureSaveDialog(const FigureOptions& options, Format format, QWidget* parent)
    : QDialog(parent), options_(options) {
  setWindowTitle(QStringLiteral("Save figure"));
  format_ = new QComboBox(this);
  format_->setObjectName(QStringLiteral("cboFigureFormat"));
  format_->addItems({QStringLiteral("PNG image"), QStringLiteral("SVG drawing (vector)"),
                     QStringLiteral("PDF document (vector)")});
  format_->setCurrentIndex(static_cast<int>(format));
  unit_ = new QComboBox(this);
  unit_->setObjectName(QStringLiteral("cboFigureUnit"));
  unit_->addItems({QStringLiteral("pixels"), QStringLiteral("centimetres"), QStringLiteral("inches")});
  const auto sizeBox = [this](const char* name, int FigureOptions::*pixels) {
    auto* box = new QDoubleSpinBox(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setKeyboardTracking(false);
    connect(box, &QDoubleSpinBox::valueChanged, this,
            [this, pixels](double length) { SizeEdited(options_.*pixels, length); });
    return box;
  };
  width_ = sizeBox("txtFigureWidth", &FigureOptions::Width);
  height_ = sizeBox("txtFigureHeight", &FigureOptions::Height);
  dpi_ = new QSpinBox(this);
  dpi_->setObjectName(QStringLiteral("txtFigureDpi"));
  dpi_->setRange(kMinFigureDpi, kMaxFigureDpi);
  dpi_->setSuffix(QStringLiteral(" dpi"));
  dpi_->setKeyboardTracking(false);
  dpi_->setValue(options_.Dpi);
  title_ = new QCheckBox(QStringLiteral("Title line above the plot"), this);
  title_->setObjectName(QStringLiteral("chkFigureTitle"));
  title_->setChecked(options_.TitleLine);
  summary_ = new QLabel(this);
  summary_->setObjectName(QStringLiteral("lblFigureSummary"));

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Format:"), format_);
  form->addRow(QStringLiteral("Size in:"), unit_);
  form->addRow(QStringLiteral("Width:"), width_);
  form->addRow(QStringLiteral("Height:"), height_);
  form->addRow(QStringLiteral("Resolution:"), dpi_);
  form->addRow(QString(), title_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(summary_);
  layout->addWidget(buttons);

  connect(unit_, &QComboBox::currentIndexChanged, this, [this] { ShowSizes(); });
  connect(dpi_, &QSpinBox::valueChanged, this, [this] { DpiChanged(); });
  connect(title_, &QCheckBox::toggled, this, [this](bool on) { options_.TitleLine = on; });
  ShowSizes();
}

FigureSaveDialog::Format FigureSaveDialog::ChosenFormat() const {
  return static_cast<Format>(std::max(0, format_->currentIndex()));
}

const char* FigureSaveDialog::Extension(Format format) {
  switch (format) {
    case Format::Png: return ".png";
    case Format::Svg: return ".svg";
    case Format::Pdf: return ".pdf";
  }
  return ".png";
}

LengthUnit FigureSaveDialog::Unit() const {
  switch (unit_->currentIndex()) {
    case 1: return LengthUnit::Centimetres;
    case 2: return LengthUnit::Inches;
    default: return LengthUnit::Pixels;
  }
}

void FigureSaveDialog::ShowSizes() {
  updating_ = true;
  const LengthUnit unit = Unit();
  const int decimals = unit == LengthUnit::Pixels ? 0 : 2;
  for (QDoubleSpinBox* box : {width_, height_}) {
    box->setDecimals(decimals);
    box->setSingleStep(unit == LengthUnit::Pixels ? 10.0 : 0.1);
    box->setRange(PixelsToLength(kMinFigurePixels, unit, options_.Dpi),
                  PixelsToLength(kMaxFigurePixels, unit, options_.Dpi));
    box->setSuffix(unit == LengthUnit::Pixels       ? QStringLiteral(" px")
                   : unit == LengthUnit::Centimetres ? QStringLiteral(" cm")
                                                     : QStringLiteral(" in"));
  }
  width_->setValue(PixelsToLength(options_.Width, unit, options_.Dpi));
  height_->setValue(PixelsToLength(options_.Height, unit, options_.Dpi));
  updating_ = false;
  ShowSummary();
}

void FigureSaveDialog::SizeEdited(int& pixels, double length) {
  if (updating_) return;
  pixels = std::clamp(LengthToPixels(length, Unit(), options_.Dpi), kMinFigurePixels,
                      kMaxFigurePixels);
  ShowSummary();
}

void FigureSaveDialog::DpiChanged() {
  const int dpi = dpi_->value();
  if (Unit() != LengthUnit::Pixels) {
    // The length stays; its pixels follow the resolution.
    const auto pixels = [&](double length) {
      return std::clamp(LengthToPixels(length, Unit(), dpi), kMinFigurePixels, kMaxFigurePixels);
    };
    options_.Width = pixels(width_->value());
    options_.Height = pixels(height_->value());
  }
  options_.Dpi = dpi;
  ShowSizes();
}

void FigureSaveDialog::ShowSummary() {
  const auto cm = [&](int pixels) {
    return QString::number(PixelsToLength(pixels, LengthUnit::Centimetres, options_.Dpi), 'f', 2);
  };
  summary_->setText(QStringLiteral("%1 x %2 pixels at %3 dpi: %4 x %5 cm")
                        .arg(options_.Width)
                        .arg(options_.Height)
                        .arg(options_.Dpi)
                        .arg(cm(options_.Width), cm(options_.Height)));
}

}  // namespace quorvane::qt
