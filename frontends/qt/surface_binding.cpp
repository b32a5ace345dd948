#include <cmath>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "qt/control_registry.h"
#include "qt/surface_painter.h"
#include "qt/text_convert.h"
#include "base/format/file_names.h"

namespace quorvane::qt {

namespace {

// Paints a surface's display list and offers to save it as a picture.
class SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(const Surface& surface) : surface_(surface) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
  }

  std::function<void()> onClick;

  // A surface drawn on a canvas of pixel units (the plots) asks for that
  // size, so its texts keep the spacing they were laid out with.
  QSize sizeHint() const override {
    const QSize canvas = CanvasSize();
    return canvas.isValid() ? canvas : QSize(320, 240);
  }
  QSize minimumSizeHint() const override {
    const QSize canvas = CanvasSize();
    return canvas.isValid() ? canvas * 3 / 4 : QSize(80, 60);
  }
  QSize CanvasSize() const {
    const double w = std::abs(surface_.Right() - surface_.Left());
    const double h = std::abs(surface_.Bottom() - surface_.Top());
    if (w < 100 || w > 1200 || h < 100 || h > 1200) return {};
    return {static_cast<int>(w), static_cast<int>(h)};
  }

  void SaveImageAs() {
    QString selected;
    QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save image as"), ToQt(DateTimeFileName(".png")),
        QStringLiteral("PNG image (*.png);;SVG image (*.svg)"), &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty())
      path += selected.startsWith(QLatin1String("SVG")) ? QStringLiteral(".svg")
                                                        : QStringLiteral(".png");
    if (auto error = SaveSurfaceImage(surface_, path, size()))
      QMessageBox::warning(this, QStringLiteral("Save image as"), *error);
    else if (onSaved)
      onSaved(path);
  }

  // Told the path of each picture saved, for a session being recorded.
  std::function<void(const QString& path)> onSaved;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintSurface(painter, surface_, QSizeF(size()));
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick)
      onClick();
  }

  void contextMenuEvent(QContextMenuEvent* event) override {
    QMenu menu(this);
    menu.addAction(QStringLiteral("Save image as..."), this, [this] { SaveImageAs(); });
    menu.exec(event->globalPos());
  }

 private:
  const Surface& surface_;
};

class SurfaceBinding : public ControlBinding {
 public:
  SurfaceBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    widget_ = new SurfaceWidget(control.surface);
    widget_->onClick = [this] {
      if (model().onClick) Act([this] { this->form().Click(name()); });
    };
    widget_->onSaved = [this](const QString& path) {
      this->form().NoteSurfaceSaved(name(), path.toStdString());
    };
    SetWidgets(widget_);
  }

 protected:
  void Apply(FormProperty property) override {
    if (property == FormProperty::Surface) widget_->update();
  }

 private:
  SurfaceWidget* widget_;
};

}  // namespace

std::unique_ptr<ControlBinding> MakeSurface(Form& form, const Control& control) {
  return std::make_unique<SurfaceBinding>(form, control);
}

}  // namespace quorvane::qt
