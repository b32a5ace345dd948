#include <cmath>
#include <QAction>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "figure/save_figure.h"
#include "qt/control_registry.h"
#include "qt/dialog_memory.h"
#include "qt/dialogs.h"
#include "qt/figure_save_dialog.h"
#include "qt/surface_painter.h"
#include "qt/text_convert.h"

namespace quorvane::qt {

namespace {

// Paints a surface's display list and offers to save it as a figure.
class SurfaceWidget : public QWidget {
 public:
  explicit SurfaceWidget(const Control& control) : control_(control), surface_(control.surface) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The context menu's one item.
    auto* save = new QAction(QStringLiteral("Save figure as..."), this);
    save->setObjectName(QStringLiteral("actSaveFigure"));
    connect(save, &QAction::triggered, this, [this] { SaveImageAs(); });
    addAction(save);
    setContextMenuPolicy(Qt::ActionsContextMenu);
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

  // The figure's size, resolution and format first, then its file. The
  // choices stay for the next figure of the session, and the file chooser
  // opens where the last figure went, proposing the data file's name and
  // the figure's number ("nile-plot1.png").
  void SaveImageAs() {
    DialogMemory& memory = DialogMemoryOf(this);
    FigureSaveDialog choices(memory.figureOptions,
                             static_cast<FigureSaveDialog::Format>(memory.figureFormat), this);
    if (choices.exec() != QDialog::Accepted) return;
    memory.figureOptions = choices.Options();
    const FigureSaveDialog::Format format = choices.ChosenFormat();
    memory.figureFormat = static_cast<int>(format);
    const std::string extension = FigureSaveDialog::Extension(format);
    const std::string pattern = "*" + extension;
    const std::string kind = DialogMemory::kFigures;
    const FileDialogRequest request{
        "Save figure as", "All files (*.*)|*.*|Figures (" + pattern + ")|" + pattern + "|", 2,
        memory.FigureName(memory.FolderFor(kind), extension)};
    QFileDialog dialog(this);
    SetUpFileDialog(dialog, request, true, memory, kind);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const std::string path = dialog.selectedFiles().first().toStdString();
    memory.Chose(kind, path);
    if (auto error = figure::SaveSurface(control_, path, memory.figureOptions)) {
      QMessageBox::warning(this, QStringLiteral("Save figure as"), ToQt(*error));
      return;
    }
    memory.FigureSaved();
    if (onSaved) onSaved(path, memory.figureOptions);
  }

  // Told each figure saved, for a session being recorded.
  std::function<void(const std::string& path, const FigureOptions& options)> onSaved;

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

 private:
  const Control& control_;
  const Surface& surface_;
};

class SurfaceBinding : public ControlBinding {
 public:
  SurfaceBinding(Form& form, const Control& control) : ControlBinding(form, control) {
    widget_ = new SurfaceWidget(control);
    widget_->onClick = [this] {
      if (model().onClick) Act([this] { this->form().Click(name()); });
    };
    widget_->onSaved = [this](const std::string& path, const FigureOptions& options) {
      this->form().NoteSurfaceSaved(name(), path, options);
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
