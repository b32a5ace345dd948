// The covariance grids on worker threads: the same progress pane, report
// and .cov file as on one thread, an interrupt answered with the workers
// still, and a model that cannot be copied evaluated on the calling thread.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>

#include "app/main_menu.h"
#include "app/session.h"
#include "core/algorithm_editor.h"
#include "core/counting_normal_model.h"
#include "core/model_set_up.h"
#include "covariance/covariance_windows.h"
#include "covariance/quadratic_objective_model.h"
#include "support/scripted_ui.h"

namespace quorvane {
namespace {

using testing::CountingNormalModel;
using testing::EvaluationTally;

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string TempPath(const std::string& name) {
  return ::testing::TempDir() + "quorvane_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" + name;
}

// A user whose answer to the interrupt question is checked against the
// workers: while it is asked, no evaluation may run.
class StillnessCheckingUi : public testing::ScriptedUi {
 public:
  std::shared_ptr<EvaluationTally> tally;
  int interruptQuestions = 0;

  quorvane::Answer AskYesNo(const std::string& text, const std::string& title, Icon icon,
                            bool noIsDefault) override {
    if (tally && text.rfind("Interrupt received", 0) == 0) {
      ++interruptQuestions;
      const long before = tally->evaluations;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      EXPECT_EQ(tally->evaluations, before) << "a worker evaluated while the question was open";
    }
    return ScriptedUi::AskYesNo(text, title, icon, noIsDefault);
  }
};

// One numerical covariance run of a started session on `model`, at the
// values and steps given, with `threads` workers: the default factors,
// constant 1 and the chosen optimistic answer. Saves the .cov file.
struct CovarianceRun {
  CovarianceRun(Model& model, int threads, const std::vector<double>& values,
                const std::vector<double>& steps)
      : session(ui, &model) {
    session.Start();
    SetUpModel(session);
    session.EvaluationThreads = threads;
    for (int p = 1; p <= static_cast<int>(values.size()); ++p) {
      session.Algorithm.Values[p] = values[static_cast<size_t>(p - 1)];
      session.Algorithm.Steps[p] = steps[static_cast<size_t>(p - 1)];
    }
    session.State.AlgorithmFileName = "model.alg";
    session.State.AlgorithmFileTitle = "model";
    session.Menu().Close();
    session.Menu().Show();
  }

  void Answers(bool optimistic) {
    ui.Answer(Answer::No).Answer(Answer::Ok);
    ui.Then([this] { session.Editor().Finish(); });
    ui.Value("1").Value("0.1").Value("0.01").Answer(Answer::Yes);
    ui.Value("1").Answer(optimistic ? Answer::Yes : Answer::No);
  }

  // Runs the command, shows the report and saves it; the pane and the file.
  std::pair<std::string, std::string> RunAndSave(const std::string& path) {
    session.Menu().form().Click("cmdCovariance");
    session.CovarianceView().DisplayForm().Click("cmdScreen");
    ui.File(path);
    session.CovarianceView().DisplayForm().Click("cmdFile");
    std::string bytes = FileBytes(path);
    std::remove(path.c_str());
    return {session.CovarianceView().DataForm().Text(CovarianceWindows::kPane), bytes};
  }

  StillnessCheckingUi ui;
  Session session;
};

const std::vector<double> kQuadraticValues = {1.5, -2.0, 7.0, 0.25};
const std::vector<double> kQuadraticSteps = {0.1, 0.1, 0.0, 0.1};

TEST(ThreadedCovarianceTest, FourThreadsGiveTheSamePaneAndFileAsOne) {
  for (const bool optimistic : {false, true}) {
    const std::string path = TempPath(optimistic ? "optimistic.cov" : "full.cov");
    testing::QuadraticObjectiveModel one, four;
    CovarianceRun serial(one, 1, kQuadraticValues, kQuadraticSteps);
    serial.Answers(optimistic);
    const auto [serialPane, serialFile] = serial.RunAndSave(path);
    CovarianceRun threaded(four, 4, kQuadraticValues, kQuadraticSteps);
    threaded.Answers(optimistic);
    const auto [threadedPane, threadedFile] = threaded.RunAndSave(path);
    ASSERT_FALSE(serialFile.empty());
    EXPECT_EQ(threadedPane, serialPane) << "optimistic " << optimistic;
    EXPECT_EQ(threadedFile, serialFile) << "optimistic " << optimistic;
  }
}

// Interrupts during grid 2 of a threaded run of the counting model (three
// parameters: 12 evaluations a grid).
struct InterruptedRun {
  explicit InterruptedRun(int threads)
      : tally(std::make_shared<EvaluationTally>()), model(3, tally),
        run(model, threads, {1.0, 2.0, 3.0}, {0.1, 0.1, 0.1}) {
    model.pause = std::chrono::microseconds(300);
    run.ui.tally = tally;
    run.Answers(false);
  }
  // The user clicks Interrupt as soon as grid 2 has begun.
  void ClickStopInGridTwo() {
    run.ui.onPump = [this] {
      Form& data = run.session.CovarianceView().DataForm();
      if (!clicked && data.Text(CovarianceWindows::kPane).find("on grid #2") != std::string::npos) {
        clicked = true;
        data.Click("cmdStop");
      }
    };
  }
  std::shared_ptr<EvaluationTally> tally;
  CountingNormalModel model;
  CovarianceRun run;
  bool clicked = false;
};

TEST(ThreadedCovarianceTest, AnInterruptIsAskedWithTheWorkersStillAndNoGoesOnWhereItStopped) {
  InterruptedRun plain(4);
  // The same file name both times: the report's first line names it.
  const std::string path = TempPath("results.cov");
  const auto [plainPane, plainFile] = plain.run.RunAndSave(path);

  InterruptedRun goOn(4);
  goOn.ClickStopInGridTwo();
  goOn.run.ui.Answer(Answer::No);
  const auto [pane, file] = goOn.run.RunAndSave(path);
  EXPECT_EQ(goOn.run.ui.interruptQuestions, 1);
  EXPECT_EQ(file, plainFile);
  EXPECT_EQ(pane, plainPane);
  for (int g = 1; g <= 3; ++g) EXPECT_NE(goOn.run.session.Covariance.GridMean[g], -1.0) << g;
}

TEST(ThreadedCovarianceTest, YesToTheInterruptAbandonsTheThreadedGridAndTheOthersRun) {
  InterruptedRun quit(4);
  quit.ClickStopInGridTwo();
  quit.run.ui.Answer(Answer::Yes);
  quit.run.RunAndSave(TempPath("quit.cov"));
  EXPECT_EQ(quit.run.ui.interruptQuestions, 1);
  const CovarianceResults& cov = quit.run.session.Covariance;
  int unavailable = 0;
  for (int g = 1; g <= 3; ++g)
    if (cov.GridMean[g] == -1.0) ++unavailable;
  EXPECT_EQ(unavailable, 1);
  EXPECT_EQ(cov.GridMean[2], -1.0);
  EXPECT_GT(cov.Grid(3)(0, 1), 0.0);
}

TEST(ThreadedCovarianceTest, AModelThatCannotBeCopiedIsEvaluatedOnTheCallingThread) {
  const auto tally = std::make_shared<EvaluationTally>();
  CountingNormalModel model(3, tally, /*copyable=*/false);
  CovarianceRun run(model, 4, {1.0, 2.0, 3.0}, {0.1, 0.1, 0.1});
  run.Answers(false);
  run.RunAndSave(TempPath("serial.cov"));
  EXPECT_GE(tally->evaluations, 3 * 12);
  EXPECT_EQ(tally->callingThread, tally->evaluations);
  for (int g = 1; g <= 3; ++g) EXPECT_NE(run.session.Covariance.GridMean[g], -1.0);
}

}  // namespace
}  // namespace quorvane
