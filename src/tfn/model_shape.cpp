#include "tfn/model_shape.h"

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
      shape.Transfers.push_back({TransferInput::Intervention, i, g, false, false});
  // Covariate series c acts on group c.
  for (int c = 1; c <= setup.CovariateCount(); ++c) {
    const bool asIntervention = c <= kMaxGroups && setup.CovariateIsIntervention[static_cast<size_t>(c - 1)];
    shape.Transfers.push_back({TransferInput::Covariate, c, c, asIntervention, false});
  }
  return shape;
}

}  // namespace quorvane
