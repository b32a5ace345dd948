#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tfn/tfn_setup.h"
#include "tfn/validation_message.h"

namespace quorvane {

// Which covariate series act on which response series group. The Initialize
// window takes, for each group, a list of covariate series ("1, 2"); every
// list empty keeps the one covariate series per group, series c for group c.

// The whole numbers of a list separated by commas or blanks ("1, 2", "3 4");
// an empty list is empty; nothing when any item is not a whole number.
std::optional<std::vector<int>> ReadSeriesList(const std::string& text);

using CovariateGroups = std::array<std::int16_t, kMaxCovariateSeries>;

// The lists of groups 1..5 as the group of each covariate series: element
// c - 1 holds the group of series c, 0 where no list names it. A list that
// is not a list of whole numbers from 1 to 25 is refused with a message
// naming its group.
std::optional<ValidationMessage> ReadCovariateGroups(const std::array<std::string, kMaxGroups>& lists,
                                                     CovariateGroups& groups);

// The first problem of an assignment of NC covariate series to NG groups:
// more than 25 series, a series named for no group or for more than one, a
// group beyond NG, or more than five series for one group. All entries 0
// means one series per group and is checked by the caller.
std::optional<ValidationMessage> CovariateGroupsProblem(const CovariateGroups& groups,
                                                        long long covariateCount, int groupCount);

}  // namespace quorvane
