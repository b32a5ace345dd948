// A 101-point likelihood profile of Phi(1) of the seat-belt model, with
// Marquardt (numerical derivatives) at each point, from the minimum.
#include <benchmark/benchmark.h>

#include <deque>
#include <functional>
#include <string>

#include "core/free_parameter_list.h"
#include "core/fuse_groups.h"
#include "core/model_set_up.h"
#include "evaluate/likelihood_profile.h"
#include "minimize/marquardt_run.h"
#include "minimize/marquardt_window.h"
#include "app/session.h"
#include "silent_ui.h"
#include "tfn/parameter_layout.h"
#include "support/example_setups.h"
#include "tfn/tfn_application.h"

namespace quorvane {
namespace {

// The user of the profile: continue, Phi(1), 101 points, Marquardt with
// numerical derivatives not shown; every other question is answered No and
// the editor wait ends at once.
class ProfileUi : public bench::SilentUi {
 public:
  std::deque<std::string> values;
  std::deque<Answer> answers;
  Answer AskYesNo(const std::string&, const std::string&, Icon, bool) override { return Next(); }
  Answer AskYesNoCancel(const std::string&, const std::string&, Icon, bool) override {
    return Next();
  }
  std::string AskValue(const std::string&, const std::string&, const std::string&) override {
    if (values.empty()) return "";
    std::string v = values.front();
    values.pop_front();
    return v;
  }

 private:
  Answer Next() {
    if (answers.empty()) return Answer::No;
    Answer a = answers.front();
    answers.pop_front();
    return a;
  }
};

void BM_SeatBeltProfileMarquardt(benchmark::State& state) {
  ProfileUi ui;
  TfnApplication app;
  Session session(ui, &app.Model());
  app.Attach(session);
  const TfnSetup setup = testing::SeatBeltSetup(true);
  app.Model().SetPendingSetup(setup);
  SetUpModel(session);
  AlgorithmData& data = session.Algorithm;
  const ParameterLayout layout(setup);
  for (int j : {layout.Phi(1), layout.Phi(2), layout.Theta(1)}) data.Steps[j] = 0.1;
  for (int g = 1; g <= 3; ++g) data.Steps[layout.Intercept(g)] = 1;
  for (int c = 1; c <= 3; ++c) data.Steps[layout.BlockOmega(layout.CovariateBase(c), 0)] = 1;
  data.Tolerance = 1e-8;
  data.MaxFunctionCalls = 200000;
  data.TerminalFrequency = 0;
  BuildFuseGroups(data, session.Fuse);
  BuildFreeParameterList(data, session.Free);
  session.MarquardtView().DerivativeChoice = DerivativeKind::Numerical;
  session.MarquardtView().ShowDerivatives = false;
  RunMarquardt(session);  // the profile starts from the minimum
  data.Steps[layout.Phi(1)] = 0.005;  // 101 points over about +- 4.5 SE
  const OneBased<double> minimum = data.Values;
  const std::string phi = std::to_string(layout.Phi(1));

  for (auto _ : state) {
    state.PauseTiming();
    data.Values = minimum;
    session.Evaluation = EvaluationSeries{};
    ui.answers = {Answer::Yes, Answer::No, Answer::No, Answer::No};
    ui.values = {phi, "101"};
    state.ResumeTiming();
    RunLikelihoodProfile(session);
  }
  state.counters["points"] = session.Evaluation.ProfilePointCount;
  state.counters["SE"] = session.Evaluation.EstimatedSE;
}
BENCHMARK(BM_SeatBeltProfileMarquardt)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace quorvane
