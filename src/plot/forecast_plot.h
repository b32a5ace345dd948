#pragma once

#include <string>
#include <vector>

#include "base/ui/figure.h"
#include "base/calendar/period_calendar.h"
#include "base/ui/surface.h"
#include "plot/plot_frame.h"

namespace quorvane {

// What a forecast plot shows of one series: the observed values and the fit
// over the past periods (NaN where missing), then the forecasts with the
// limits of their interval over the future ones. Periods rise by one.
struct ForecastPlotSeries {
  PeriodCalendar Calendar;         // names the periods on the X axis
  int FirstPeriod = 0;             // of Observed and Fit
  std::vector<double> Observed;
  std::vector<double> Fit;
  int FirstForecastPeriod = 0;     // of Forecast, Lower and Upper
  std::vector<double> Forecast;
  std::vector<double> Lower;
  std::vector<double> Upper;
};

// The palette codes of the four parts, and the legend beside them.
inline constexpr int kObservedColor = 1;   // navy
inline constexpr int kFitColor = 2;        // green
inline constexpr int kForecastColor = 12;  // red
inline constexpr int kBandColor = 7;       // light grey

// The frame that holds every drawn value, with room above them for the
// legend drawn inside the plot (or a margin of 3% without it); a series
// with no finite value gets the frame of -1 .. 1.
PlotFrame ForecastPlotFrame(const ForecastPlotSeries& series, bool roomForLegend = true);

// The picture: the interval as a grey band of one bar per future period
// between the limits, with the limits dashed, the observed values as points
// joined by a line, the fit as a line, the forecasts as a line with points
// joined to the last observed value, a dotted line at the last observed
// period and the legend along the top ("Fit": the one-step predictions).
// Infinite limits are drawn to the
// edge of the plot area.
Surface DrawForecastPicture(const ForecastPlotSeries& series);

// The saved figure: the same parts on axes without the room for the legend,
// which goes beside the plot as the figure's legend. The window adds the
// titles.
Figure DrawForecastFigure(const ForecastPlotSeries& series);

}  // namespace quorvane
