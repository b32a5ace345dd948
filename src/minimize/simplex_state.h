#pragma once

#include <cstdint>
#include <string>

#include "core/one_based.h"

namespace quorvane {

// The names of the Simplex steps, padded to 22 characters as the reports
// print them.
inline constexpr const char* kActionReflection = "Reflection            ";
inline constexpr const char* kActionExtension = "Extension             ";
inline constexpr const char* kActionReflectionContraction = "Reflection-Contraction";
inline constexpr const char* kActionContraction = "Contraction           ";
inline constexpr const char* kActionReflectionReduction = "Reflection-Reduction  ";
inline constexpr const char* kActionReduction = "Reduction             ";

// The simplex kept between Simplex runs, with the counters of the current
// run. Exists is set when a run builds a simplex and cleared by everything
// that replaces or edits the parameter set; while it is false the next run
// builds a new simplex, while it is true the next run continues from the
// stored vertices and values.
//
// Everything is indexed by free index k = 1..n, never by parameter number.
// Vertex(k, v) is coordinate k of vertex v for v = 1..n+1; column
// CentroidColumn = n+2 holds the centroid of all vertices but the worst.
struct SimplexState {
  bool Exists = false;

  OneBasedMatrix Vertex;
  OneBased<double> VertexValue;  // objective value of vertex v
  std::int16_t Best = 1;
  std::int16_t Worst = 1;
  int CentroidColumn = 0;

  // The trial points of the current step. Reflected also holds the
  // contraction point, and the improving probe of the axial search.
  OneBased<double> Reflected;
  OneBased<double> Expanded;
  double TrialValue = 0.0;  // value of the last reflected or contracted point

  // Counters of the current run.
  std::int32_t Iterations = 0;
  std::int16_t Restarts = 0;
  std::int16_t Improved = 0;  // vertices the last reflected point beat
  std::string Action;         // the last step's name, or "" (a contraction of the old worst)

  bool Done = false;                // ends the run
  bool FinalReportPending = false;  // one more window report before the run goes on or ends
  std::int32_t TerminalCountdown = 0;
  std::int32_t FileCountdown = 0;

  // Set by the Interrupt button of the Simplex window; answered and cleared
  // by the run between iterations.
  bool InterruptRequested = false;

  // The free parameters the stored simplex was built over. A stored simplex
  // continues only over the same ones: its coordinates mean nothing for
  // another list.
  OneBased<std::int16_t> BuiltFor;

  // Work of every evaluation: the full parameter vector of the point, and
  // the text of a status panel that changes with each evaluation. Both keep
  // their capacity, so evaluations allocate nothing once they are sized.
  OneBased<double> Point;
  std::string PanelText;

  // Zero-filled work arrays for up to parameterCount free parameters.
  void Allocate(int parameterCount) {
    const int size = parameterCount > 0 ? parameterCount : 0;
    Vertex.assign(size, size + 2, 0.0);
    VertexValue.assign(size + 1, 0.0);
    Reflected.assign(size, 0.0);
    Expanded.assign(size, 0.0);
  }

  // True when the work arrays hold a simplex of n free parameters.
  bool Fits(int n) const { return n >= 1 && Vertex.rows() >= n && Vertex.cols() >= n + 2; }
};

}  // namespace quorvane
