#pragma once

#include "base/calendar/period_calendar.h"
#include "plot/plot_frame.h"

namespace quorvane {

// Ticks along an axis of dated periods, at most `mostTicks` of them, at the
// finest of the calendar's natural spacings that allows it: every day, every
// second day, Mondays or every second Monday (daily data); every week or
// second week (weekly data); then the first day of every month, second,
// third or sixth month, and the first day of every year, second, fifth,
// tenth, twentieth, fiftieth ... year. A tick is labelled by its date; a
// month by "1983-04" (a quarter's first month by "1983-Q2" for quarterly
// data); a year by "1983".
AxisTicks CalendarTicks(PlotRange range, const PeriodCalendar& calendar, int mostTicks);

// The ticks of an X axis: calendar ticks when the frame's X calendar is
// dated, otherwise round-numbered ones.
AxisTicks XAxisTicks(const PlotFrame& frame, int mostTicks);

}  // namespace quorvane
