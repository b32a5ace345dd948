#include "core/parallel_evaluator.h"

#include <algorithm>
#include <chrono>

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "core/model_outputs.h"
#include "core/objective.h"

namespace quorvane {

namespace {

// How far the workers may run ahead of the values taken, per worker.
constexpr std::int64_t kWindowPerWorker = 256;
// How often a waiting Next lets the caller pump events.
constexpr auto kWaitSlice = std::chrono::milliseconds(15);
// A waiting Next is woken when this many values from its node on are ready
// (or its own node is): one wake-up per run of values, not per value, keeps
// the calling thread's share of the cores small.
constexpr std::int64_t kValuesPerWakeUp = 16;
// The calling thread evaluates nodes itself while it waits only when an
// evaluation takes less than this, so that it still pumps events about as
// often as a wait slice; a longer evaluation ends its help for the batch.
constexpr auto kLongestHelp = std::chrono::milliseconds(5);

}  // namespace

// What one worker evaluates on: copies of everything the objective reads,
// so that no two threads share a record that an evaluation writes.
struct ParallelEvaluator::Worker {
  Worker(std::unique_ptr<Model> copy, const Objective& source, const PriorTerm& prior)
      : model(std::move(copy)),
        data(source.data()),
        groups(source.groups()),
        state(source.state()),
        P(source.data().Values),
        objective(*model, data, groups, state, outputs, prior) {}

  std::unique_ptr<Model> model;
  AlgorithmData data;
  FuseGroups groups;
  AppState state;
  ModelOutputs outputs;
  OneBased<double> P;
  Objective objective;
  std::thread thread;
};

ParallelEvaluator::ParallelEvaluator(const Objective& objective, int threads, bool withPriors)
    : withPriors_(withPriors) {
  if (threads < 2) return;
  const PriorTerm* prior = nullptr;
  if (objective.AddsPrior(withPriors)) {
    prior = objective.ConcurrentPriorTerm();
    if (!prior) return;
  }
  static const PriorTerm kNoPrior;
  // One set of copies per worker thread and one for the calling thread.
  for (int i = 0; i <= threads; ++i) {
    std::unique_ptr<Model> copy = objective.model().CopyForEvaluation();
    if (!copy) {
      workers_.clear();
      return;
    }
    workers_.push_back(std::make_unique<Worker>(std::move(copy), objective, prior ? *prior : kNoPrior));
  }
  caller_ = std::move(workers_.back());
  workers_.pop_back();
  const auto window = static_cast<std::size_t>(kWindowPerWorker * threads);
  values_.assign(window, 0.0);
  valueNode_.assign(window, -1);
  for (auto& worker : workers_) worker->thread = std::thread([this, w = worker.get()] { Work(*w); });
}

ParallelEvaluator::~ParallelEvaluator() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
  }
  workToDo_.notify_all();
  for (auto& worker : workers_)
    if (worker->thread.joinable()) worker->thread.join();
}

bool ParallelEvaluator::MayClaim() const {
  return !paused_ && claimed_ < count_ &&
         claimed_ < taken_ + static_cast<std::int64_t>(values_.size());
}

void ParallelEvaluator::Work(Worker& worker) {
  std::unique_lock lock(mutex_);
  while (true) {
    ++idle_;
    workToDo_.wait(lock, [this] { return closing_ || MayClaim(); });
    --idle_;
    if (closing_) return;
    const std::int64_t node = claimed_++;
    ++busy_;
    lock.unlock();
    std::exception_ptr failure;
    const double value = Evaluate(worker, node, failure);
    lock.lock();
    --busy_;
    Publish(node, value, failure);
    // Wake the caller for a failure, for a Pause or Stop waiting for the
    // last evaluation to end, or when the value it waits for (or a run of
    // them) is ready.
    const bool drained = busy_ == 0 && (paused_ || claimed_ >= count_);
    if (failure || drained || (waiting_ && (node == taken_ || node >= wakeAt_)))
      valueReady_.notify_all();
  }
}

double ParallelEvaluator::Evaluate(Worker& worker, std::int64_t node, std::exception_ptr& failure) const {
  try {
    node_(node, worker.P);
    return worker.objective.Evaluate(worker.P, 1, withPriors_);
  } catch (...) {
    failure = std::current_exception();
    return 0.0;
  }
}

void ParallelEvaluator::Publish(std::int64_t node, double value, const std::exception_ptr& failure) {
  if (failure && !failure_) failure_ = failure;
  const auto slot = static_cast<std::size_t>(node % static_cast<std::int64_t>(values_.size()));
  values_[slot] = value;
  valueNode_[slot] = node;
}

void ParallelEvaluator::Start(std::int64_t count, NodeVector node) {
  Stop();
  std::lock_guard lock(mutex_);
  node_ = std::move(node);
  std::fill(valueNode_.begin(), valueNode_.end(), -1);
  failure_ = nullptr;
  helping_ = true;
  count_ = count;
  claimed_ = taken_ = 0;
  paused_ = false;
  workToDo_.notify_all();
}

double ParallelEvaluator::Next(const std::function<void()>& whileWaiting) {
  using Clock = std::chrono::steady_clock;
  std::unique_lock lock(mutex_);
  const std::int64_t node = taken_;
  const auto slot = static_cast<std::size_t>(node % static_cast<std::int64_t>(values_.size()));
  auto lastPump = Clock::now();
  while (valueNode_[slot] != node && !failure_) {
    if (helping_ && MayClaim()) {
      // Rather than wait, evaluate the next node no worker has claimed; the
      // value this call waits for is likely ready by the time it is done.
      const std::int64_t own = claimed_++;
      lock.unlock();
      std::exception_ptr failure;
      const auto begun = Clock::now();
      const double value = Evaluate(*caller_, own, failure);
      const auto done = Clock::now();
      lock.lock();
      if (done - begun > kLongestHelp) helping_ = false;
      Publish(own, value, failure);
      if (whileWaiting && done - lastPump >= kWaitSlice) {
        lock.unlock();
        whileWaiting();
        lock.lock();
        lastPump = Clock::now();
      }
      continue;
    }
    waiting_ = true;
    wakeAt_ = std::min(node + kValuesPerWakeUp, count_) - 1;
    if (!whileWaiting) {
      valueReady_.wait(lock);
    } else if (valueReady_.wait_for(lock, kWaitSlice) == std::cv_status::timeout) {
      waiting_ = false;
      lock.unlock();
      whileWaiting();
      lock.lock();
      lastPump = Clock::now();
    }
    waiting_ = false;
  }
  if (valueNode_[slot] != node) std::rethrow_exception(failure_);
  ++taken_;
  const double value = values_[slot];
  // The window moved on; waking only matters to a worker that found it full.
  if (idle_ > 0) workToDo_.notify_all();
  return value;
}

void ParallelEvaluator::Pause() {
  std::unique_lock lock(mutex_);
  paused_ = true;
  valueReady_.wait(lock, [this] { return busy_ == 0; });
}

void ParallelEvaluator::Resume() {
  {
    std::lock_guard lock(mutex_);
    if (!paused_) return;
    paused_ = false;
  }
  workToDo_.notify_all();
}

void ParallelEvaluator::Stop() {
  std::unique_lock lock(mutex_);
  count_ = claimed_;
  valueReady_.wait(lock, [this] { return busy_ == 0; });
}

}  // namespace quorvane
