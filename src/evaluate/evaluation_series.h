#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace quorvane {

// The state shared by the likelihood profile, the posterior grid and the
// prior profiles: the point count and numbers, the series of the last run
// and its statistics. The series are indexed 0..n; index 0 is scratch space
// used while reordering points and is 0 afterwards, points are 1..n.
struct EvaluationSeries {
  // The number of points n: odd, 3..1001 while results exist; 0 after a
  // cancelled or failed run.
  std::int16_t ProfilePointCount = 0;
  // The point being calculated. A minimiser sets it to n + 2 to stop the run.
  std::int16_t ProfilePoint = 0;
  // The point at which the user stopped the run.
  std::int16_t LastProfilePoint = 0;
  // "S" (Simplex) or "M" (Marquardt): the minimiser used at each point.
  std::string ProfileMinimizer = "S";
  // "ML" after a likelihood profile, "BP" after a posterior grid.
  std::string LastEvaluationKind;
  // True after a profile or posterior run. The series also remember the
  // free-parameter list build they belong to (FreeParameterList::BuildNumber):
  // any later build makes them stale, see IsCurrent.
  bool EvaluationCurrent = false;
  std::uint64_t FreeListBuild = 0;

  std::vector<double> ProfileValues;      // the evaluated parameter's value at each point
  std::vector<double> ProfileObjective;   // -ln[L]; relative to the best point after
                                          // ConfidenceDistribution (0 there)
  std::vector<double> ProfilePdf;         // normalised density exp(-L)
  std::vector<double> ProfileCumulative;  // Simpson integral of the density from the left
  std::vector<double> ModeRegion;         // confidence region measured from the mode
  std::vector<double> MeanRegion;         // confidence region measured from the mean
  std::vector<double> NormalPdf;          // Gaussian with the same mean and SE

  std::int16_t BestPoint = 0;  // the point with the lowest -ln[L]
  double BestValue = 0.0;      // the parameter's value at BestPoint
  double LowestObjective = 1E+100;  // the lowest -ln[L] seen
  double Centre = 0.0;         // the evaluated parameter's value at the middle point
  double Step = 0.0;           // the distance between points (as entered: may be negative)
  double ExpectedValue = 0.0;
  double EstimatedDiff = 0.0;  // BestValue - ExpectedValue
  double EstimatedSE = 0.0;
  double StartSeconds = 0.0;   // the clock when the run started
  bool EditorOpened = false;   // the algorithm data editor was opened in this run
  // The evaluated parameter's step as it was before the run, restored on
  // every exit path; RestoreStepSaved tells whether a run has saved one.
  double RestoreStep = 0.0;
  bool RestoreStepSaved = false;

  // EvaluationCurrent, and no free-parameter list has been built since.
  bool IsCurrent(std::uint64_t freeListBuildNumber) const {
    return EvaluationCurrent && FreeListBuild == freeListBuildNumber;
  }

  // Sizes every series to 0..n, all zero.
  void SizeSeries(int n) {
    const auto count = static_cast<std::size_t>(n > 0 ? n + 1 : 1);
    for (std::vector<double>* s : {&ProfileValues, &ProfileObjective, &ProfilePdf,
                                   &ProfileCumulative, &ModeRegion, &MeanRegion, &NormalPdf})
      s->assign(count, 0.0);
  }
};

}  // namespace quorvane
