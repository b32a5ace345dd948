#pragma once

namespace quorvane {

class Session;
class ProfilePointLink;

// The Simplex search's reports to its window (frmSimplex) and to the
// minimisation log. Log lines are written only while the file output
// frequency is not 0, window reports only while the terminal output
// frequency is not 0 (the run decides when the periodic ones fall due).

// After a build and at the start of a continued run: the start point and
// the values of the first, worst and best vertices, to the log and to the
// upper pane.
void ReportInitialSimplex(Session& session);

// Replaces the lower pane's text with the run's counts, the best and worst
// values with their spread, and the best vertex. In profile mode (profile
// given) status panel 1 shows the point being calculated and the profiled
// parameter's value.
void ShowSimplexProgress(Session& session, double fBest, double fWorst,
                         const ProfilePointLink* profile = nullptr);

// The same progress report appended to the log file.
void WriteSimplexProgress(Session& session, double fBest, double fWorst);

// The report of an accepted minimum: the lower pane's text, and the log's
// when the file output frequency is not 0.
void ReportSimplexMinimum(Session& session);

}  // namespace quorvane
