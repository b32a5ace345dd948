#pragma once

#include <array>

namespace quorvane {

// The main window's six status bars and their panel counts. Bar 0 names the
// series data files, bar 1 the algorithm and priors files, bars 2 to 4 show
// the progress of profiles and posterior grids (visible only while those
// run), bar 5 general and minimiser progress.
inline constexpr int kStatusBarCount = 6;
inline constexpr std::array<int, kStatusBarCount> kStatusBarPanels = {2, 2, 3, 5, 2, 4};

inline bool IsStatusPanel(int bar, int panel) {
  return bar >= 0 && bar < kStatusBarCount && panel >= 1 &&
         panel <= kStatusBarPanels[static_cast<size_t>(bar)];
}

// Bars 2 to 4 start hidden.
inline bool StatusBarVisibleAtStart(int bar) { return bar < 2 || bar > 4; }

}  // namespace quorvane
