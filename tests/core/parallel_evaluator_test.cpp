#include "core/parallel_evaluator.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <thread>
#include <vector>

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/evaluation_threads.h"
#include "core/fuse_groups.h"
#include "core/model_outputs.h"
#include "core/objective.h"
#include "core/counting_normal_model.h"
#include "support/allocation_counter.h"

namespace quorvane {
namespace {

using testing::CountingNormalModel;
using testing::EvaluationTally;

// An objective over a CountingNormalModel of three parameters outside any
// session.
struct CountingObjective {
  explicit CountingObjective(bool copyable = true)
      : tally(std::make_shared<EvaluationTally>()), model(3, tally, copyable) {
    objective.Evaluate(data.Values, 0, false);
    DefaultAlgorithmData(data);
    BuildFuseGroups(data, groups);
  }
  std::shared_ptr<EvaluationTally> tally;
  CountingNormalModel model;
  AlgorithmData data;
  FuseGroups groups;
  AppState state;
  ModelOutputs outputs;
  PriorTerm prior;
  PriorTerm concurrentPrior;
  Objective objective{model, data, groups, state, outputs, prior, &concurrentPrior};
};

// Node i puts parameter 1 at i / 10.
void NodeOnFirstParameter(std::int64_t i, OneBased<double>& P) {
  P[1] = static_cast<double>(i) / 10.0;
  P[2] = 2.0;
  P[3] = 3.0;
}

TEST(EvaluationThreadCountTest, TheVariableSetsTheCountAndAnythingElseGivesTheCores) {
  struct Case {
    const char* text;
    unsigned cores;
    int expected;
  };
  const Case cases[] = {
      {nullptr, 8, 8}, {"", 8, 8},     {"1", 8, 1},    {"4", 2, 4},      {" 3", 2, 3}, {"3 ", 2, 3},
      {"0", 2, 2},     {"-2", 2, 2},   {"two", 2, 2},  {"2x", 2, 2},     {"257", 2, 2}, {"256", 2, 256},
      {nullptr, 0, 1}, {"99999999999999999999", 4, 4}, {nullptr, 1000, 256},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EvaluationThreadCount(c.text, c.cores), c.expected) << (c.text ? c.text : "(unset)") << " " << c.cores;
}

TEST(ParallelEvaluatorTest, ValuesComeInNodeOrderAndEqualTheSerialOnes) {
  CountingObjective o;
  o.model.pause = std::chrono::microseconds(50);
  const std::int64_t count = 3000;  // several windows of four workers
  ParallelEvaluator workers(o.objective, 4, true);
  ASSERT_TRUE(workers.Threaded());
  EXPECT_EQ(workers.WorkerCount(), 4);
  workers.Start(count, NodeOnFirstParameter);
  OneBased<double> P = o.data.Values;
  for (std::int64_t i = 0; i < count; ++i) {
    const double threaded = workers.Next();
    NodeOnFirstParameter(i, P);
    ASSERT_EQ(threaded, o.objective.Evaluate(P, 1, true)) << "node " << i;
  }
  // Each node was evaluated once by the evaluator, on a worker or on this
  // thread while it waited, and once by the check.
  EXPECT_EQ(o.tally->evaluations, 2 * count);
  EXPECT_GE(o.tally->callingThread, count);
}

TEST(ParallelEvaluatorTest, WhileWorkersAreHeldTheCallerEvaluatesAheadAndWaitsOnlyWhenTheWindowIsFull) {
  CountingObjective o;
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<bool> released{false};
  std::atomic<int> heldWorkers{0};
  // Workers are held inside their first node until the caller's wait
  // releases them; the caller's own nodes go through at once.
  const auto held = [&](std::int64_t i, OneBased<double>& P) {
    if (std::this_thread::get_id() != caller && !released) {
      ++heldWorkers;
      while (!released) std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    NodeOnFirstParameter(i, P);
  };
  const std::int64_t window = 2 * ParallelEvaluator::kWindowPerWorker;
  const std::int64_t count = 3 * window;
  ParallelEvaluator workers(o.objective, 2, false);
  workers.Start(count, held);
  // Both workers hold nodes 0 and 1 before the caller asks for node 0.
  while (heldWorkers < 2) std::this_thread::sleep_for(std::chrono::microseconds(200));
  // The caller also lets events through between its own blocks on a slow
  // machine; it waits once two calls find the same count of its nodes.
  long atWait = -1;
  const double first = workers.Next([&] {
    const long own = o.tally->callingThread;
    if (own == atWait) released = true;
    atWait = own;
  });
  // The two held workers claimed one node each; the caller filled the rest
  // of the window before it had to wait.
  EXPECT_EQ(atWait, window - 2);
  OneBased<double> P = o.data.Values;
  NodeOnFirstParameter(0, P);
  EXPECT_EQ(first, o.objective.Evaluate(P, 1, false));
  for (std::int64_t i = 1; i < count; ++i) {
    NodeOnFirstParameter(i, P);
    ASSERT_EQ(workers.Next(), o.objective.Evaluate(P, 1, false)) << "node " << i;
  }
}

TEST(ParallelEvaluatorTest, ACallerThatMetALongEvaluationLeavesTheRestToTheWorkers) {
  CountingObjective o;
  o.model.pause = std::chrono::microseconds(8000);  // longer than the caller helps with
  ParallelEvaluator workers(o.objective, 2, false);
  workers.Start(12, NodeOnFirstParameter);
  for (int i = 0; i < 12; ++i) workers.Next([] {});
  EXPECT_LE(o.tally->callingThread, 1);
}

TEST(ParallelEvaluatorTest, APauseStillsEveryWorkerWithinOneEvaluationUntilResume) {
  CountingObjective o;
  o.model.pause = std::chrono::microseconds(200);
  ParallelEvaluator workers(o.objective, 2, false);
  workers.Start(100000, NodeOnFirstParameter);
  for (int i = 0; i < 10; ++i) workers.Next();
  workers.Pause();
  const long atPause = o.tally->evaluations;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(o.tally->evaluations, atPause);
  workers.Resume();
  // Going on from where they stopped: the next value is node 10's.
  OneBased<double> P = o.data.Values;
  NodeOnFirstParameter(10, P);
  EXPECT_EQ(workers.Next(), o.objective.Evaluate(P, 1, false));
  EXPECT_GT(o.tally->evaluations, atPause);
  workers.Stop();
  const long atStop = o.tally->evaluations;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(o.tally->evaluations, atStop);
}

// Node i as NodeOnFirstParameter, after `work` of busy computing: an
// evaluation of that length that no sleep can stand for at microsecond scale.
NodeVector SpinningNode(std::chrono::microseconds work) {
  return [work](std::int64_t i, OneBased<double>& P) {
    const auto end = std::chrono::steady_clock::now() + work;
    while (std::chrono::steady_clock::now() < end) {
    }
    NodeOnFirstParameter(i, P);
  };
}

TEST(ParallelEvaluatorTest, BlocksGrowForCheapEvaluationsAndStayOneNodeForSlowOnes) {
  struct Case {
    std::chrono::microseconds pause;
    std::int64_t count;
  };
  const Case cases[] = {{std::chrono::microseconds(0), 20000}, {std::chrono::microseconds(2000), 12}};
  for (const Case& c : cases) {
    CountingObjective o;
    o.model.pause = c.pause;
    ParallelEvaluator workers(o.objective, 2, false);
    workers.Start(c.count, NodeOnFirstParameter);
    for (std::int64_t i = 0; i < c.count; ++i) workers.Next();
    // A block takes about 100 us: hundreds of evaluations of a fraction of
    // a microsecond (tens under a sanitizer), one of 2 ms.
    if (c.pause.count() == 0)
      EXPECT_GE(workers.BlockSize(), 10);
    else
      EXPECT_EQ(workers.BlockSize(), 1);
  }
}

TEST(ParallelEvaluatorTest, APauseInsideBlocksStillsTheWorkersAndEveryNodeIsEvaluatedOnce) {
  CountingObjective o;
  const std::int64_t count = 8000;
  ParallelEvaluator workers(o.objective, 2, false);
  // About 20 nodes a block; nodes begun once the pause was asked for are counted.
  std::atomic<bool> pauseAsked{false};
  std::atomic<int> begunAfterAsking{0};
  const NodeVector spinning = SpinningNode(std::chrono::microseconds(5));
  workers.Start(count, [&](std::int64_t i, OneBased<double>& P) {
    if (pauseAsked) ++begunAfterAsking;
    spinning(i, P);
  });
  std::vector<double> values;
  for (int i = 0; i < 2000; ++i) values.push_back(workers.Next());
  ASSERT_GT(workers.BlockSize(), 2);
  pauseAsked = true;
  workers.Pause();
  // Each worker may have begun one node while the pause was on its way,
  // and left the rest of its block.
  EXPECT_LE(begunAfterAsking, 2);
  const long atPause = o.tally->evaluations;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_EQ(o.tally->evaluations, atPause);
  pauseAsked = false;
  workers.Resume();
  while (static_cast<std::int64_t>(values.size()) < count) values.push_back(workers.Next());
  // The rest of a block left at the pause was taken up where it stopped,
  // by its own worker: no node was skipped, none evaluated twice.
  EXPECT_EQ(o.tally->evaluations, count);
  OneBased<double> P = o.data.Values;
  for (std::int64_t i = 0; i < count; ++i) {
    NodeOnFirstParameter(i, P);
    ASSERT_EQ(values[static_cast<std::size_t>(i)], o.objective.Evaluate(P, 1, false)) << "node " << i;
  }
}

TEST(ParallelEvaluatorTest, AFailedNodeComesOutAtItsTurnAfterEveryValueBeforeIt) {
  CountingObjective o;
  ParallelEvaluator workers(o.objective, 2, false);
  const std::int64_t failing = 3000;
  workers.Start(5000, [failing](std::int64_t i, OneBased<double>& P) {
    if (i == failing) throw std::runtime_error("node failed");
    NodeOnFirstParameter(i, P);
  });
  OneBased<double> P = o.data.Values;
  for (std::int64_t i = 0; i < failing; ++i) {
    NodeOnFirstParameter(i, P);
    ASSERT_EQ(workers.Next(), o.objective.Evaluate(P, 1, false)) << "node " << i;
  }
  EXPECT_THROW(workers.Next(), std::runtime_error);
}

TEST(ParallelEvaluatorTest, NeitherTheCallerNorTheWorkersAllocateWhileNodesAreEvaluated) {
  CountingObjective o;
  ParallelEvaluator workers(o.objective, 2, false);
  const std::int64_t count = 30000;
  workers.Start(count, NodeOnFirstParameter);
  double sum = 0.0;
  long callerAllocations = -1, workerAllocations = -1;
  {
    testing::OtherThreadsAllocationCounter others;
    testing::AllocationCounter caller;
    for (std::int64_t i = 0; i < count; ++i) sum += workers.Next([] {});
    callerAllocations = caller.Count();
    workerAllocations = others.Count();
  }
  EXPECT_GT(sum, 0.0);
  EXPECT_EQ(callerAllocations, 0);
  EXPECT_EQ(workerAllocations, 0);
}

TEST(ParallelEvaluatorTest, WaitingLetsTheCallerPumpAndAFailureComesOutOnItsThread) {
  CountingObjective o;
  o.model.pause = std::chrono::microseconds(40000);
  ParallelEvaluator workers(o.objective, 2, false);
  workers.Start(2, NodeOnFirstParameter);
  int pumps = 0;
  workers.Next([&pumps] { ++pumps; });
  EXPECT_GT(pumps, 0);

  workers.Start(5, [](std::int64_t i, OneBased<double>&) {
    if (i == 3) throw std::runtime_error("node 3 failed");
  });
  EXPECT_THROW(
      {
        for (int i = 0; i < 5; ++i) workers.Next();
      },
      std::runtime_error);
}

// Which set-ups keep the evaluations on the calling thread.
TEST(ParallelEvaluatorTest, OneThreadAModelThatCannotBeCopiedOrAPriorThreadsCannotShareStaySerial) {
  {
    CountingObjective o;
    EXPECT_FALSE(ParallelEvaluator(o.objective, 1, true).Threaded());
    EXPECT_TRUE(ParallelEvaluator(o.objective, 2, true).Threaded());
  }
  {
    CountingObjective o(/*copyable=*/false);
    EXPECT_FALSE(ParallelEvaluator(o.objective, 4, true).Threaded());
  }
  {
    CountingObjective o;
    o.state.PriorsActive = true;
    o.prior = [](const OneBased<double>&) { return 1.0; };
    EXPECT_FALSE(ParallelEvaluator(o.objective, 4, true).Threaded());
    EXPECT_TRUE(ParallelEvaluator(o.objective, 4, false).Threaded());  // no prior added
    o.concurrentPrior = [](const OneBased<double>&) { return 1.0; };
    EXPECT_TRUE(ParallelEvaluator(o.objective, 4, true).Threaded());
  }
}

}  // namespace
}  // namespace quorvane
