#include "tfn/model_shape.h"

namespace quorvane {

ModelShape BuildModelShape(const TfnSetup& setup) {
  ModelShape shape;
  shape.LagOrder = setup.LagOrder;
  shape.Groups = setup.GroupCount;
  shape.Noise.push_back({LagSide::Autoregressive, setup.LagOrder, 1, false, "Phi"});
  shape.Noise.push_back({LagSide::MovingAverage, setup.LagOrder, 1, false, "Theta"});
  // The seasonal factors follow all of the set-up's other parameters.
  if (setup.SeasonalPeriod > 0) {
    if (setup.SeasonalArOrder > 0)
      shape.Noise.push_back({LagSide::Autoregressive, setup.SeasonalArOrder, setup.SeasonalPeriod, true, "Phi_s"});
    if (setup.SeasonalMaOrder > 0)
      shape.Noise.push_back({LagSide::MovingAverage, setup.SeasonalMaOrder, setup.SeasonalPeriod, true, "Theta_s"});
  }
  for (int g = 1; g <= setup.GroupCount && g <= kMaxGroups; ++g)
    for (int i = 1; i <= setup.Interventions[static_cast<size_t>(g - 1)]; ++i)
      shape.Transfers.push_back({TransferInput::Intervention, i, g, false});
  // Covariate series c acts on group c.
  for (int c = 1; c <= setup.CovariateCount(); ++c) {
    const bool asIntervention = c <= kMaxGroups && setup.CovariateIsIntervention[static_cast<size_t>(c - 1)];
    shape.Transfers.push_back({TransferInput::Covariate, c, c, asIntervention});
  }
  return shape;
}

}  // namespace quorvane
