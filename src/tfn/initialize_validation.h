#pragma once

#include <array>
#include <optional>
#include <string>

#include "tfn/tfn_setup.h"
#include "tfn/validation_message.h"

namespace quorvane {

// The Initialize window's entries as the checks on Continue read them:
// numbers from the boxes' leading numeric text (an empty box reads 0),
// group boxes as their texts.
struct InitializeEntries {
  std::string ResponseFile;
  double ResponseStart = 0, ResponseEnd = 0;
  double FirstResponse = 0, LastResponse = 0;
  bool UseCovariates = false;
  std::string CovariateFile;
  double CovariateStart = 0, CovariateEnd = 0;
  double FirstCovariate = 0, LastCovariate = 0;
  // The covariate series listed for group g at index g - 1 ("1, 2"); all
  // empty for one covariate series per group.
  std::array<std::string, kMaxGroups> GroupCovariates;
  // Covariate series beyond the five check boxes treated as intervention series ("6, 7").
  std::string FurtherInterventionSeries;
  std::array<std::string, kMaxGroups> GroupStart;  // group g at index g - 1
  std::array<std::string, kMaxGroups> GroupEnd;
  std::array<bool, kMaxGroups> GroupEnabled{};
  double ResponseDifferencing = 0, CovariateDifferencing = 0;
  std::array<double, kMaxGroups> Interventions{};  // NI(g) at g - 1
  double LagOrder = 5;
  double SeasonalPeriod = 0;  // 0: None
  double SeasonalDifferencing = 0, SeasonalArOrder = 0, SeasonalMaOrder = 0;
};

// The seasonal period box: "None" (any letter case) or an empty box is 0,
// anything else its leading number.
double SeasonalPeriodNumber(const std::string& text);

// The number of response groups the covariate check expects: 5, lowered by
// one for each empty group from group 5 down to group 2, each test on its own.
int CovariateGroupCount(const InitializeEntries& entries);

// True when the groups do not start with group 1 and run, consecutive and
// adjacent, from the first to the last response series.
bool GroupChoicesInError(const InitializeEntries& entries);

// The first failing check, in the order the user is told about them; nothing
// when the entries can be used. After the checks of the entries against each
// other come the ranges the model can take (SetupExtentProblem).
std::optional<ValidationMessage> ValidateInitializeEntries(const InitializeEntries& entries);

}  // namespace quorvane
