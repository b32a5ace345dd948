#pragma once

#include <string>
#include <vector>

#include "multimodel/model_averaging.h"
#include "multimodel/ranked_model.h"

namespace quorvane {

// The label of grid row `row` holding the model with entry number `entry`:
// "   3)    7", " 12)  10".
std::string RankRowLabel(int row, int entry);

// The averaging text: three lines of explanation, an empty line, the column
// heads and one line per parameter, each line ended by CR LF.
std::string AveragingText(const AveragedEstimates& averages);

// The multi-model statistics file: the model count (and C-hat above 1), the
// column heads and one line per row of the table in its current order,
// followed, when averagingText is not empty, by an empty line, that text
// and one more line break.
std::string RankingFileText(const std::vector<RankedModel>& models, double cHat,
                            const std::string& averagingText);

}  // namespace quorvane
