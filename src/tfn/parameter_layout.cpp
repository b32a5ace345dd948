#include "tfn/parameter_layout.h"

#include "base/format/format_picture.h"
#include "base/format/right_justify.h"

namespace quorvane {

ParameterLayout::ParameterLayout(const TfnSetup& setup) : ParameterLayout(BuildModelShape(setup)) {}

ParameterLayout::ParameterLayout(const ModelShape& shape) : p_(shape.LagOrder) {
  int next = 0;
  polynomialBase_.assign(shape.Noise.size(), 0);
  for (std::size_t i = 0; i < shape.Noise.size(); ++i) {
    if (shape.Noise[i].Appended) continue;
    polynomialBase_[i] = next;
    next += shape.Noise[i].Order;
  }
  interceptBase_ = next;
  next += shape.Groups;
  transferBase_.assign(shape.Transfers.size(), 0);
  for (std::size_t b = 0; b < shape.Transfers.size(); ++b) {
    if (shape.Transfers[b].Input == TransferInput::Intervention) ++interventions_;
    if (shape.Transfers[b].Appended) continue;
    transferBase_[b] = next;
    next += Block();
  }
  originalTransferEnd_ = originalCount_ = next;
  for (const AppendedBlock& block : shape.Appended) {
    if (block.What == AppendedBlock::NoisePolynomial) {
      polynomialBase_[block.Index] = next;
      next += shape.Noise[block.Index].Order;
    } else {
      transferBase_[block.Index] = next;
      next += Block();
    }
  }
  count_ = next;
}

int ParameterCount(const TfnSetup& setup) { return ParameterLayout(setup).Count(); }

namespace {

// A lag right-justified in two characters: " 1", "12".
std::string Lag(int j) { return RightJustify(FormatPicture(static_cast<double>(j), "#0"), 2); }

// A description that reads "Logit[...]" when the coefficient is estimated as a logit.
std::string MaybeLogit(bool logit, const std::string& text) {
  return logit ? "Logit[" + text + "]" : text;
}

// Coefficient j of a noise polynomial: "Phi( 1) [0; -1 < Phi < +1]"; a
// seasonal one names its lag, "Theta_s( 1) at lag 12 [0; -1 < Theta_s < +1]".
std::string PolynomialCoefficient(const LagPolynomial& polynomial, int j) {
  std::string text = polynomial.Name + "(" + Lag(j) + ")";
  if (polynomial.Span != 1) text += " at lag " + std::to_string(j * polynomial.Span);
  return text + " [0; -1 < " + polynomial.Name + " < +1]";
}

void DescribeTransferBlock(const TransferBlockShape& block, int p, bool logit,
                           std::vector<std::string>& d) {
  if (block.Input == TransferInput::Intervention) {
    const std::string which = std::to_string(block.Number) + " of Group " + std::to_string(block.Group);
    d.push_back("Starting time period for Intervention " + which +
                " [0; any + integer] (Step size MUST=0)");
    d.push_back("Code for Intervention " + which +
                " [None=0; Step=1, Pulse=2, Linear trend=3] (Step size MUST=0)");
    for (int j = 0; j <= p; ++j)
      d.push_back("Omega(" + Lag(j) + ") for Intervention " + which + " [0; any real number]");
    for (int j = 1; j <= p; ++j)
      d.push_back(MaybeLogit(logit, "Delta(" + Lag(j) + ") for Intervention " + which +
                                        " [0; -1 < Delta < +1]"));
    return;
  }
  std::string series = "TFN covariate series " + std::to_string(block.Number);
  if (block.NamesGroup) series += " of Group " + std::to_string(block.Group);
  if (block.CovariateAsIntervention) {
    d.push_back("Unused backward shift for " + series + " [0]");
    d.push_back("Unused intercept (at first time period) for " + series + " [0]");
  } else {
    d.push_back("Backward shift for " + series + " [0; any + integer]");
    d.push_back("Intercept (at first time period) for " + series +
                " [0 (uses series mean); any fixed real number]");
  }
  for (int j = 0; j <= p; ++j) d.push_back("Omega(" + Lag(j) + ") for " + series + " [0; any real number]");
  for (int j = 1; j <= p; ++j)
    d.push_back(MaybeLogit(logit, "Delta(" + Lag(j) + ") for " + series + " [0; -1 < Delta < +1]"));
}

}  // namespace

std::vector<std::string> DescribeParameters(const TfnSetup& setup) {
  const ModelShape shape = BuildModelShape(setup);
  const ParameterLayout layout(shape);
  const bool logit = setup.EstimateLogits;
  std::vector<std::string> d(static_cast<size_t>(layout.Count()));
  const auto at = [&d](int index) -> std::string& { return d[static_cast<size_t>(index - 1)]; };
  for (std::size_t i = 0; i < shape.Noise.size(); ++i)
    for (int j = 1; j <= shape.Noise[i].Order; ++j)
      at(layout.Coefficient(i, j)) = MaybeLogit(logit, PolynomialCoefficient(shape.Noise[i], j));
  for (int g = 1; g <= shape.Groups; ++g)
    at(layout.Intercept(g)) = "Intercept (at first time period) for group " + std::to_string(g) +
                              " [0; any real number]";
  std::vector<std::string> block;
  for (std::size_t b = 0; b < shape.Transfers.size(); ++b) {
    block.clear();
    DescribeTransferBlock(shape.Transfers[b], shape.LagOrder, logit, block);
    for (std::size_t e = 0; e < block.size(); ++e)
      at(layout.TransferBase(b) + 1 + static_cast<int>(e)) = std::move(block[e]);
  }
  return d;
}

}  // namespace quorvane
