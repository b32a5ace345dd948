#pragma once

#include <optional>

#include "base/ui/form.h"
#include "tfn/summary/residual_correlation.h"

namespace quorvane {

class Ui;

// The window "Residual plots" (frmResidualPlot): for one response series at
// a time (cboResidualSeries), the ACF or the PACF of its standardized
// residuals as bars with the band +-1.96/sqrt(n) (optResidualAcf,
// optResidualPacf), or their normal quantile-quantile plot (optResidualQq),
// on the surface Graph, which saves as a figure.
class ResidualPlotWindow {
 public:
  explicit ResidualPlotWindow(Ui& ui);

  Form& form() { return form_; }

  // Shows the window on the residuals of the last summary.
  void Show(const ResidualCorrelation& residuals);
  // A new set-up or a new summary: the residuals shown no longer belong to
  // the model; the window closes.
  void Close();

 private:
  void Draw();

  Ui& ui_;
  Form form_;
  std::optional<ResidualCorrelation> residuals_;
};

}  // namespace quorvane
