#include "tfn/model_shape.h"

#include <array>

namespace quorvane {

ModelShape BuildModelShape(const TfnSetup& setup) {
  ModelShape shape;
  shape.LagOrder = setup.LagOrder;
  shape.Groups = setup.GroupCount;
  shape.Noise.push_back({LagSide::Autoregressive, setup.LagOrder, 1, false, "Phi"});
  shape.Noise.push_back({LagSide::MovingAverage, setup.LagOrder, 1, false, "Theta"});
  // The seasonal factors follow all of the set-up's other parameters.
  const auto seasonal = [&shape, &setup](LagSide side, int order, const char* name) {
    if (setup.SeasonalPeriod <= 0 || order <= 0) return;
    shape.Noise.push_back({side, order, setup.SeasonalPeriod, true, name});
    shape.Appended.push_back({AppendedBlock::NoisePolynomial, shape.Noise.size() - 1});
  };
  seasonal(LagSide::Autoregressive, setup.SeasonalArOrder, "Phi_s");
  seasonal(LagSide::MovingAverage, setup.SeasonalMaOrder, "Theta_s");
  for (int g = 1; g <= setup.GroupCount && g <= kMaxGroups; ++g)
    for (int i = 1; i <= setup.Interventions[static_cast<size_t>(g - 1)]; ++i)
      shape.Transfers.push_back({TransferInput::Intervention, i, g, false, false, false});
  // The first covariate series of each group (with one covariate series per
  // group, series c for group c) has its block with the original ones; each
  // further series of a group is appended after the seasonal factors, so
  // that no set-up of one covariate series per group, seasonal or not,
  // changes its layout.
  const bool namesGroup = !setup.CovariatesOnePerGroup();
  std::array<bool, kMaxGroups + 1> groupHasCovariate{};
  for (int c = 1; c <= setup.CovariateCount(); ++c) {
    const int g = setup.GroupOfCovariate(c);
    const bool further = g >= 1 && g <= kMaxGroups && groupHasCovariate[static_cast<size_t>(g)];
    if (g >= 1 && g <= kMaxGroups) groupHasCovariate[static_cast<size_t>(g)] = true;
    shape.Transfers.push_back(
        {TransferInput::Covariate, c, g, setup.CovariateAsIntervention(c), further, namesGroup});
    if (further) shape.Appended.push_back({AppendedBlock::Transfer, shape.Transfers.size() - 1});
  }
  return shape;
}

}  // namespace quorvane
