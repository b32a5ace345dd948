#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// The value of a prior term the user left unset (shown as "*"). It is an
// ordinary number in every calculation and in the priors file.
inline constexpr double UnsetTerm = 1E-100;
// The text of a term the prior type does not use.
inline constexpr const char* kUnusedTerm = "Unused";

// The nine prior types in their fixed order (the order of the editor's menu).
struct PriorTypeEntry {
  char letter;
  const char* name;
};
inline constexpr std::array<PriorTypeEntry, 9> PriorTypeNames{{
    {'U', "Uniform - unbounded"},
    {'T', "Uniform - bounded"},
    {'N', "Gaussian or Normal"},
    {'E', "Exponential"},
    {'G', "Gamma"},
    {'B', "Beta"},
    {'S', "Left-side cliff"},
    {'D', "Right-side cliff"},
    {'L', "Ln-normal"},
}};

// The name of a type letter; empty for a letter outside the nine.
std::string_view PriorTypeName(char letter);

// One parameter's prior distribution. Type is one upper-case letter; "U" is
// the uniform, unbounded prior that adds nothing to the objective. The third
// and fourth terms are texts (a number as typed or read, or "Unused"); their
// numeric values are kept beside them so that evaluating priors never parses.
// A default row is the reset row: U, both first terms unset, both others unused.
struct PriorRow {
  std::string Type = "U";
  double FirstTerm = UnsetTerm;
  double SecondTerm = UnsetTerm;
  std::string ThirdTerm = kUnusedTerm;
  std::string FourthTerm = kUnusedTerm;
  double ThirdValue = 0.0;   // the leading number of ThirdTerm
  double FourthValue = 0.0;  // the leading number of FourthTerm

  char Letter() const { return Type.empty() ? ' ' : Type[0]; }
  void SetThirdTerm(std::string text);
  void SetFourthTerm(std::string text);
  bool operator==(const PriorRow&) const = default;
};

// The per-parameter priors, numbered 1..n like the parameters (Rows[0] is
// parameter 1), with the unscaled terms of the last evaluation.
struct PriorTable {
  std::vector<PriorRow> Rows;
  std::vector<double> Terms;  // per parameter, Terms[0] for parameter 1

  // Every row to the reset row, sized to n parameters.
  void Reset(int n);

  // True when no parameter has a prior other than "U", including when there
  // are no parameters at all: then there is nothing worth saving.
  bool AllUniform() const {
    for (const auto& row : Rows)
      if (row.Type != "U") return false;
    return true;
  }
};

}  // namespace quorvane
