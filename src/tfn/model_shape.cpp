#include "tfn/model_shape.h"

namespace quorvane {

ModelShape BuildModelShape(const TfnSetup& setup) {
  ModelShape shape;
  shape.LagOrder = setup.LagOrder;
  shape.Groups = setup.GroupCount;
  shape.Noise.push_back({LagSide::Autoregressive, setup.LagOrder, 1, false, "Phi"});
  shape.Noise.push_back({LagSide::MovingAverage, setup.LagOrder, 1, false, "Theta"});
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
