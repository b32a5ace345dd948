#include "qt/main_frame.h"

#include <algorithm>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "qt/event_hook.h"
#include "qt/form_view.h"
#include "qt/form_windows.h"
#include "qt/menu_binder.h"
#include "qt/status_area.h"
#include "qt/text_convert.h"
#include "qt/user_action.h"

namespace quorvane::qt {

namespace {

// The main window's menu that lists the open child windows.
constexpr const char* kWindowMenu = "mnuWindow";

}  // namespace

MainFrame::MainFrame() {
  mdi_ = new QMdiArea;
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
  setCentralWidget(mdi_);
  // A workspace that shrinks (a smaller main window, a status bar that
  // grows a row) keeps its windows inside it.
  new EventHook(mdi_->viewport(), QEvent::Resize, [this](QEvent*) { KeepWindowsInView(); });

  status_ = new StatusArea;
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(true);

  setWindowTitle(QStringLiteral("Quorvane"));
  FitToScreen();
}

// Most of the screen, centred on it, so the main menu and a result window
// fit side by side; a small screen (or a large scale factor) gets all of it.
void MainFrame::FitToScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) {
    resize(1100, 800);
    return;
  }
  const QRect available = screen->availableGeometry();
  const bool small = available.width() < 1024 || available.height() < 700;
  QSize size = small ? available.size() : available.size() * 0.92;
  // What the window manager adds around the window is not known before it
  // is shown; leave room for a title bar.
  if (small) size.rheight() -= 32;
  resize(size);
  move(available.center() - QPoint(size.width() / 2, size.height() / 2 + (small ? 16 : 0)));
}

MainFrame::~MainFrame() = default;

// Each window that reaches past the workspace moves in, and shrinks if it
// is larger, so its title bar and close box stay within reach.
void MainFrame::KeepWindowsInView() {
  const QSize area = mdi_->viewport()->size();
  if (area.isEmpty()) return;
  for (QMdiSubWindow* window : mdi_->subWindowList()) {
    if (!window->isVisible() || window->isMinimized() || window->isMaximized()) continue;
    QRect r = window->geometry();
    r.setSize(r.size().boundedTo(area));
    r.moveLeft(std::clamp(r.left(), 0, area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), 0, area.height() - r.height()));
    if (r != window->geometry()) window->setGeometry(r);
  }
}

void MainFrame::Bind(Form& form) {
  if (form_ == &form) return;
  form_ = &form;
  setWindowTitle(ToQt(form.Caption()));
  // The main window's shortcuts work wherever the focus is in it.
  menus_ = std::make_unique<MenuBinder>(form, menuBar(), this, Qt::WindowShortcut);
  menus_->onAboutToShow = [this](const std::string& name, QMenu* menu) {
    if (name == kWindowMenu) ListWindows(menu);
  };
  ApplyEnabled();
}

void MainFrame::OnChange(const std::string& control, FormProperty property) {
  if (!form_) return;
  switch (property) {
    case FormProperty::FormCaption:
      setWindowTitle(ToQt(form_->Caption()));
      break;
    case FormProperty::FormEnabled:
      ApplyEnabled();
      break;
    case FormProperty::Menu:
      menus_->Update(control);
      break;
    default:
      break;
  }
}

// A disabled main window takes no commands: its menus are greyed and the
// child windows open at that moment are disabled; a window opened
// afterwards (the one the user must deal with first) stays usable.
void MainFrame::ApplyEnabled() {
  const bool enabled = form_ && form_->Enabled();
  menuBar()->setEnabled(enabled);
  for (QMdiSubWindow* window : mdi_->subWindowList())
    if (auto* child = qobject_cast<MdiFormWindow*>(window)) child->view()->SetBlocked(!enabled);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  if (onQueryClose && !AskUserAction(this, onQueryClose, false)) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

void MainFrame::ListWindows(QMenu* menu) {
  for (QAction* action : windowList_) {
    menu->removeAction(action);
    action->deleteLater();
  }
  windowList_.clear();
  const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
  if (windows.isEmpty()) return;
  windowList_.push_back(menu->addSeparator());
  int number = 0;
  for (QMdiSubWindow* window : windows) {
    ++number;
    QString title = window->windowTitle();
    title.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* action =
        menu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
    action->setCheckable(true);
    action->setChecked(window == mdi_->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
      if (!window) return;
      if (window->isMinimized()) window->showNormal();
      mdi_->setActiveSubWindow(window);
    });
    windowList_.push_back(action);
  }
}

std::vector<QMdiSubWindow*> MainFrame::Arrangeable() const {
  std::vector<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder))
    if (window->isVisible() && !window->isMinimized()) windows.push_back(window);
  return windows;
}

void MainFrame::Arrange(WindowArrangement how) {
  const QSize area = mdi_->viewport()->size();
  switch (how) {
    case WindowArrangement::Cascade:
      mdi_->cascadeSubWindows();
      return;
    case WindowArrangement::TileHorizontal:
    case WindowArrangement::TileVertical: {
      // Horizontal: full-width windows one above the other; vertical: full-
      // height windows side by side.
      const std::vector<QMdiSubWindow*> windows = Arrangeable();
      if (windows.empty()) return;
      const int n = static_cast<int>(windows.size());
      for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = windows[static_cast<size_t>(i)];
        if (window->isMaximized()) window->showNormal();
        if (how == WindowArrangement::TileHorizontal) {
          const int h = area.height() / n;
          window->setGeometry(0, i * h, area.width(), h);
        } else {
          const int w = area.width() / n;
          window->setGeometry(i * w, 0, w, area.height());
        }
      }
      return;
    }
    case WindowArrangement::ArrangeIcons: {
      // Minimised windows line up along the bottom edge, left to right.
      int x = 0;
      int y = area.height();
      for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
          x = 0;
          y -= size.height();
        }
        window->move(x, y - size.height());
        x += size.width();
      }
      return;
    }
  }
}

}  // namespace quorvane::qt
