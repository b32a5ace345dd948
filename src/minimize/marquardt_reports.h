#pragma once

#include <string>
#include <vector>

namespace quorvane {

class Session;
struct MarquardtState;
class ProfilePointLink;

// The reports of the Marquardt search. In every one the value of free
// parameter k is FreeStart[k], the accepted point.

// Progress after an accepted step (fNew just accepted, fOld accepted
// before it), into rtbMarquardt. With the derivative display on (and no
// profile, no pending interrupt) it appends the derivatives and waits until
// the user presses "&Next iteration" or "&Continue" (or interrupts or
// closes the window). In a profile, status panel 1 names the point.
void ShowMarquardtProgress(Session& session, MarquardtState& state, double fNew, double fOld,
                           const ProfilePointLink* profile);

// The same progress to the log file.
void WriteMarquardtProgress(Session& session, MarquardtState& state, double fNew, double fOld);

// The final report with the value f at the accepted minimum, into
// rtbMarquardt, then the "Marquardt minimum" message and, with priors on,
// the prior review.
void ShowMarquardtResult(Session& session, MarquardtState& state, double f);

// The final report to the log file.
void WriteMarquardtResult(Session& session, MarquardtState& state, double f);

// Parts of the texts, for the reports above.

// One window line per free parameter: its number ("    000) "), its value
// in 14 positions, a blank, its fuse code in 3, two blanks, its
// description; CR LF after each.
std::string MarquardtParameterLines(const Session& session);

// The log file's parameter groups, each the parameter number ("    000) ")
// and its value in 14 positions, four to a line with the remainder on one
// further line, followed by the two line ends that close the block: a
// block that fills its last line is followed by two empty lines, one with a
// remainder line by one.
std::vector<std::string> MarquardtParameterGroupLines(const Session& session);

// The derivative display: the heading and, per free parameter, its first
// and second derivatives from the saved copies (CR LF line ends).
std::string MarquardtDerivativeDisplay(Session& session, const MarquardtState& state);

}  // namespace quorvane
