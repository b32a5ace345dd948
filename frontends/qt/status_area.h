#pragma once

#include <QFrame>
#include <QWidget>
#include <array>
#include <vector>

#include "base/ui/status_bars.h"

class QProgressBar;
class QLabel;
class QTimer;

namespace quorvane::qt {

// One panel of a status bar: a sunken frame with a line of text that is
// shortened in the middle when it does not fit (the whole text is its tool
// tip), so a long path never widens the main window.
class StatusPanel : public QFrame {
 public:
  StatusPanel();
  const QString& text() const { return text_; }
  void setText(const QString& text);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};

// The main window's six status bars, stacked, with their panels (2, 2, 3,
// 5, 2 and 4), and beside the last one a progress bar that calculations
// can drive and the name of the script a session is recorded into.
class StatusArea : public QWidget {
 public:
  StatusArea();

  // Out-of-range bars and panels are ignored. The text shows at once,
  // even while a calculation keeps the event loop busy.
  void SetPanel(int bar, int panel, const QString& text);
  void ShowBar(int bar, bool visible);
  // A fraction 0..1 shows the progress bar. A negative or undefined value
  // ends the run: the bar shows it complete for kFinishedShownMs, then
  // hides, unless a new run shows progress meanwhile.
  void SetProgress(double fraction);
  static constexpr int kFinishedShownMs = 700;

  // "Recording to NAME" beside the progress bar while a session is
  // recorded into `scriptPath` (the whole path in its tool tip); an empty
  // path hides it.
  void ShowRecording(const QString& scriptPath);
  QLabel* Recording() const { return recording_; }

  QWidget* Bar(int bar) const;
  StatusPanel* Panel(int bar, int panel) const;
  QProgressBar* Progress() const { return progress_; }

 private:
  std::array<QWidget*, kStatusBarCount> bars_{};
  std::array<std::vector<StatusPanel*>, kStatusBarCount> panels_;
  QProgressBar* progress_ = nullptr;
  QTimer* hideProgress_ = nullptr;
  QLabel* recording_ = nullptr;
};

}  // namespace quorvane::qt
