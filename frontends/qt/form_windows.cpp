#include "qt/form_windows.h"

#include <QCloseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include "qt/form_view.h"

namespace quorvane::qt {

QScrollArea* ScrolledView(FormView* view) {
  auto* scroll = new QScrollArea;
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(view);
  return scroll;
}

QSize WindowSizeFor(FormView* view, QSize frame, QSize room) {
  const QSize natural = view->sizeHint().expandedTo(view->minimumSizeHint());
  QSize size = natural + frame;
  const int bar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  // A window too tall for the room scrolls vertically and needs the width
  // of the bar, and the other way round.
  if (size.height() > room.height()) size.rwidth() += bar;
  if (size.width() > room.width()) size.rheight() += bar;
  return size.boundedTo(room);
}

MdiFormWindow::MdiFormWindow(FormView* view, CloseHooks hooks)
    : view_(view), hooks_(std::move(hooks)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWidget(ScrolledView(view));
}

void MdiFormWindow::Dismiss() {
  hooks_ = {};
  dismissed_ = true;
  // Inside the close event the widget is already closing, and close() would
  // do nothing; the event is accepted there instead.
  if (!asking_) close();
}

// The hooks run from copies: the form's logic may dismiss the window while
// it is being asked.
void MdiFormWindow::closeEvent(QCloseEvent* event) {
  if (closed_) return;
  if (!dismissed_) {
    const auto query = hooks_.queryClose;
    asking_ = true;
    const bool mayClose = !query || query();
    asking_ = false;
    if (!mayClose && !dismissed_) {
      event->ignore();
      return;
    }
  }
  QMdiSubWindow::closeEvent(event);
  if (!event->isAccepted()) return;
  closed_ = true;
  if (const auto closed = hooks_.closed) closed();
}

FormDialog::FormDialog(FormView* view, CloseHooks hooks, QWidget* parent)
    : QDialog(parent), view_(view), hooks_(std::move(hooks)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(ScrolledView(view));
  connect(this, &QDialog::finished, this, [this] { Finish(); });
}

void FormDialog::Dismiss() {
  hooks_ = {};
  done(QDialog::Accepted);
}

// The close box and Escape both end here.
void FormDialog::reject() {
  const auto query = hooks_.queryClose;
  if (query && !query()) return;
  if (closed_) return;  // dismissed while asked
  QDialog::reject();
}

void FormDialog::Finish() {
  if (closed_) return;
  closed_ = true;
  if (const auto closed = hooks_.closed) closed();
}

}  // namespace quorvane::qt
