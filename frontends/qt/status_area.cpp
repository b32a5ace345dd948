#include "qt/status_area.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace quorvane::qt {

StatusPanel::StatusPanel() {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void StatusPanel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  setToolTip(text);
  // At once: a calculation may not return to the event loop for a while.
  if (isVisible())
    repaint();
  else
    update();
}

QSize StatusPanel::sizeHint() const {
  const QFontMetrics metrics(font());
  return {metrics.horizontalAdvance(text_) + 12, metrics.height() + 2 * frameWidth() + 4};
}

QSize StatusPanel::minimumSizeHint() const { return {16, sizeHint().height()}; }

void StatusPanel::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  const QRect area = contentsRect().adjusted(4, 0, -4, 0);
  painter.drawText(area, Qt::AlignVCenter | Qt::AlignLeft,
                   fontMetrics().elidedText(text_, Qt::ElideMiddle, area.width()));
}

StatusArea::StatusArea() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(1);
  for (int bar = 0; bar < kStatusBarCount; ++bar) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const int count = kStatusBarPanels[static_cast<size_t>(bar)];
    for (int panel = 1; panel <= count; ++panel) {
      auto* widget = new StatusPanel;
      widget->setObjectName(QStringLiteral("statusPanel%1_%2").arg(bar).arg(panel));
      layout->addWidget(widget, 4);
      panels_[static_cast<size_t>(bar)].push_back(widget);
    }
    if (bar == kStatusBarCount - 1) {
      recording_ = new QLabel;
      recording_->setObjectName(QStringLiteral("lblRecording"));
      recording_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; padding: 0 4px; }"));
      recording_->hide();
      layout->addWidget(recording_);
      progress_ = new QProgressBar;
      progress_->setRange(0, 1000);
      progress_->setTextVisible(true);
      progress_->setMaximumWidth(160);
      progress_->hide();
      layout->addWidget(progress_);
      hideProgress_ = new QTimer(this);
      hideProgress_->setSingleShot(true);
      hideProgress_->setInterval(kFinishedShownMs);
      connect(hideProgress_, &QTimer::timeout, progress_, &QWidget::hide);
    }
    row->setObjectName(QStringLiteral("statusBar%1").arg(bar));
    row->setVisible(StatusBarVisibleAtStart(bar));
    column->addWidget(row);
    bars_[static_cast<size_t>(bar)] = row;
  }
}

QWidget* StatusArea::Bar(int bar) const {
  return bar >= 0 && bar < kStatusBarCount ? bars_[static_cast<size_t>(bar)] : nullptr;
}

StatusPanel* StatusArea::Panel(int bar, int panel) const {
  if (!IsStatusPanel(bar, panel)) return nullptr;
  return panels_[static_cast<size_t>(bar)][static_cast<size_t>(panel - 1)];
}

// The panels of a bar share its width by the length of their texts, so a
// long text gets the room an empty panel does not need; what still does
// not fit is shortened in the middle, the whole text in the tool tip.
void StatusArea::SetPanel(int bar, int panel, const QString& text) {
  StatusPanel* widget = Panel(bar, panel);
  if (!widget) return;
  widget->setText(text);
  if (auto* layout = qobject_cast<QHBoxLayout*>(bars_[static_cast<size_t>(bar)]->layout()))
    layout->setStretchFactor(widget, static_cast<int>(std::min<qsizetype>(text.size(), 400)) + 4);
}

void StatusArea::ShowRecording(const QString& scriptPath) {
  if (scriptPath.isEmpty()) {
    recording_->hide();
    recording_->clear();
    return;
  }
  recording_->setText(QStringLiteral("Recording to %1").arg(QFileInfo(scriptPath).fileName()));
  recording_->setToolTip(QStringLiteral("This session is being recorded as the console script %1")
                             .arg(scriptPath));
  recording_->show();
}

void StatusArea::ShowBar(int bar, bool visible) {
  if (QWidget* row = Bar(bar)) row->setVisible(visible);
}

void StatusArea::SetProgress(double fraction) {
  if (!(fraction >= 0.0)) {  // negative or NaN: the run is over
    if (progress_->isHidden() || hideProgress_->isActive()) return;
    fraction = 1.0;
    hideProgress_->start();
  } else {
    hideProgress_->stop();
  }
  const int value = static_cast<int>(std::lround(std::min(fraction, 1.0) * 1000));
  if (progress_->isHidden()) progress_->show();
  if (progress_->value() != value) {
    progress_->setValue(value);
    if (progress_->isVisible()) progress_->repaint();
  }
}

}  // namespace quorvane::qt
