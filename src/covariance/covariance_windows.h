#pragma once

#include "base/ui/form.h"

namespace quorvane {

class Session;

// The two windows of the covariance analysis: frmCovData, where the grids
// report their progress and the report is shown (rtbCovData), and
// frmCovDisplay, which builds the report, saves it and ends the display.
class CovarianceWindows {
 public:
  static constexpr const char* kPane = "rtbCovData";
  static constexpr const char* kInterruptCaption = "&Interrupt these calculations";

  explicit CovarianceWindows(Session& session);

  Form& DataForm() { return data_; }
  Form& DisplayForm() { return display_; }

  // frmCovData opened afresh for a calculation: empty pane, cmdStop interrupts.
  void OpenDataWindow();
  void Append(const std::string& text);
  // The grids are done: cmdStop, with nothing left to interrupt, is off
  // until the report makes it the way to the display.
  void CalculationsEnded();

  // frmCovDisplay opened on the stored results (CovDisplayMode tells whether
  // they are new).
  void OpenDisplay();

  // What the buttons do, also for callers that act as the user.
  void StopClicked();
  void ScreenClicked();
  void FileClicked();
  void FinishClicked();

 private:
  void BuildReport();
  void DisplayClosed();

  Session& session_;
  Form data_;
  Form display_;
};

}  // namespace quorvane
