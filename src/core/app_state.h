#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quorvane {

// The nine switches that limit the algorithm data editor, numbered 1..9.
class EditorRestrictionSwitches {
 public:
  bool& operator[](int number) { return switches_.at(static_cast<size_t>(number - 1)); }
  bool operator[](int number) const { return switches_.at(static_cast<size_t>(number - 1)); }
  void ClearAll() { switches_.fill(false); }
  void SetRange(int first, int last, bool on) {
    for (int n = first; n <= last; ++n) (*this)[n] = on;
  }

 private:
  std::array<bool, 9> switches_{};
};

// The process-wide flags, file names and modes, at their start-up values.
struct AppState {
  bool InitializeAlready = false;
  std::string AlgorithmFileName;  // empty: there are no algorithm data
  std::string AlgorithmFileTitle;
  std::string PriorsFileName;
  std::string PriorsFileTitle;  // the priors file's name without folder and extension
  bool PriorsActive = false;
  // The factor that turns -ln[L] into objective units (objective = scale x
  // -ln[L]); set once per analysis by FixedObjectiveScale or the covariance
  // constant dialog.
  double ObjectiveScale = 1.0;
  double PriorTotal = 0.0;  // the prior -ln[L] at the last evaluation with priors
  bool CovarianceAvailable = false;
  bool ProfileMode = false;
  bool PosteriorMode = false;
  bool PriorProfileMode = false;
  std::int16_t ProfiledParameter = 0;
  bool ProfileInterrupt = false;
  bool PosteriorInterrupt = false;
  bool SimplexBusy = false;
  bool MarquardtBusy = false;
  bool EditorOpenedFromMenu = false;
  bool EditorOpenedFromRanking = false;     // the ranking window is shown again when the editor closes
  bool EditorOpenedFromCovariance = false;  // the covariance analysis waits for the editor
  bool EditorClosed = false;  // set when the editor closes; polled by calculations that wait for it
  bool PriorsOpenedFromMenu = false;
  bool PriorsOpenedFromRanking = false;  // the ranking window is shown again when the priors close
  std::string ModelName;
  std::string DataFileName;  // the response data file as chosen
  std::string DataFileTitle;
  EditorRestrictionSwitches EditorRestrictions;
};

}  // namespace quorvane
