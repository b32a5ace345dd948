#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "evaluate/posterior_integration.h"

namespace quorvane {

class Ui;

// "m:ss" for a whole number of seconds (187 gives "3:07").
std::string MinutesSecondsText(std::int64_t seconds);

// The time of day as "hh:mm:ss", for the start and end of a grid.
std::string TimeOfDayText();

// What the user sees while a posterior grid runs: bar 5 names the point,
// bar 2 the size of the run, bar 3 one panel per grid level (set at the
// level's first entry and then about every 15 ms), bar 4 the evaluations
// left and the estimated time (after the first and the last evaluation and
// about every 15 ms between them). Events are let through at every
// evaluation and level, and the interrupt flag is read at every level and
// after each point: a set flag is cleared and the user asked whether to
// quit (the workers of a threaded run stilled first).
class PosteriorGridStatus : public PosteriorGridProgress {
 public:
  PosteriorGridStatus(Ui& ui, bool& interruptFlag, const PosteriorGridSpec& spec);

  void PointStarted(int p, double value) override;
  bool LevelEntered(int level, int j) override;
  void Evaluated(std::int64_t count) override;
  bool PointFinished(int p) override;
  void Waiting() override;

 private:
  // False when the user confirms that the calculations should stop.
  bool GoOn();
  // Sets the panel of grid level `level` at its point j.
  void ShowLevel(int level, int j);
  void ShowTimeLeft(std::int64_t remaining, std::int64_t done);

  Ui& ui_;
  bool& interrupt_;
  const PosteriorGridSpec& spec_;
  double start_;
  std::int64_t total_;
  double shownAt_ = 0.0;  // when the time-left panels were last set
  std::array<double, kMaxGridParameters> levelShownAt_{};  // when each level's panel was; 0 never
  std::string levelFive_;  // bar 3 has five panels; levels 5 and 6 share the last
};

}  // namespace quorvane
