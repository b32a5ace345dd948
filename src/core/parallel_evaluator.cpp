#include "core/parallel_evaluator.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/algorithm_data.h"
#include "core/app_state.h"
#include "core/fuse_groups.h"
#include "core/model.h"
#include "core/model_outputs.h"
#include "core/objective.h"

namespace quorvane {

namespace {

// How often a waiting Next lets the caller pump events.
constexpr auto kWaitSlice = std::chrono::milliseconds(15);
// The calling thread evaluates nodes itself while it waits only while the
// running estimate of an evaluation's time is below this, so that it still
// pumps events about as often as a wait slice.
constexpr std::chrono::duration<double> kLongestHelp = std::chrono::milliseconds(5);
// A block may hold at most the window divided among the threads (the
// workers and the calling thread) this many times over, so that every
// thread can hold a block while published ones wait to be read.
constexpr std::int64_t kBlocksPerThreadInWindow = 4;
// Near the end of a batch a block holds at most the nodes left divided
// among the threads this many times over.
constexpr std::int64_t kTailShares = 2;
// The weight of each block's time in the running estimate of the time a
// node takes: the estimate follows a change in a few blocks, and the first
// evaluations, which may be slow while a copy warms up, fade quickly.
constexpr double kTimeWeight = 0.25;
// A thread that loses its core to another program in mid-block only
// lengthens that block's time; so that one such block does not shrink the
// blocks for long, a block's time per node counts at most as this many
// times the estimate.
constexpr double kLongestRise = 2.0;

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
  // The rest of a block left at a pause, evaluated first after Resume.
  Range pending;
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
  const std::int64_t window = kWindowPerWorker * threads;
  values_.assign(static_cast<std::size_t>(window), 0.0);
  blockEnd_.assign(static_cast<std::size_t>(window), -1);
  evaluators_ = threads + 1;
  largestBlock_ = std::max<std::int64_t>(1, window / (kBlocksPerThreadInWindow * evaluators_));
  for (auto& worker : workers_) worker->thread = std::thread([this, w = worker.get()] { Work(*w); });
}

ParallelEvaluator::~ParallelEvaluator() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    SetHalt(true);
  }
  workToDo_.notify_all();
  for (auto& worker : workers_)
    if (worker->thread.joinable()) worker->thread.join();
}

void ParallelEvaluator::SetHalt(bool halt) {
  halting_ = halt;
  halt_.store(halt, std::memory_order_relaxed);
}

bool ParallelEvaluator::MayClaim() const {
  return !paused_ && claimed_ < std::min({count_, taken_ + static_cast<std::int64_t>(values_.size()), failedNode_});
}

ParallelEvaluator::Range ParallelEvaluator::Claim() {
  const std::int64_t limit = std::min({count_, taken_ + static_cast<std::int64_t>(values_.size()), failedNode_});
  // Towards the end of a batch blocks shrink with what is left, so that
  // the threads finish within about one evaluation of each other.
  const std::int64_t share = std::max<std::int64_t>(1, (count_ - claimed_) / (kTailShares * evaluators_));
  const Range range{claimed_, std::min(claimed_ + std::min(blockSize_, share), limit)};
  claimed_ = range.end;
  return range;
}

void ParallelEvaluator::Work(Worker& worker) {
  std::unique_lock lock(mutex_);
  while (!closing_) {
    Range range;
    if (!paused_ && !worker.pending.empty()) {
      range = std::exchange(worker.pending, Range{});
    } else if (MayClaim()) {
      range = Claim();
    } else {
      ++idle_;
      workToDo_.wait(lock);
      --idle_;
      continue;
    }
    ++busy_;
    lock.unlock();
    std::exception_ptr failure;
    const auto begun = Clock::now();
    const std::int64_t end = EvaluateRange(worker, range, true, failure);
    const auto time = Clock::now() - begun;
    lock.lock();
    --busy_;
    Publish({range.first, end}, time, failure);
    if (!failure && end < range.end) worker.pending = {end, range.end};
    // Wake the caller for a failure, for a Pause or Stop waiting for the
    // last evaluation to end, or when the block it waits for is ready.
    if (failure || (halting_ && busy_ == 0) || (waiting_ && range.first == waitFor_ && end > range.first))
      valueReady_.notify_all();
  }
}

std::int64_t ParallelEvaluator::EvaluateRange(Worker& worker, Range range, bool haltable,
                                              std::exception_ptr& failure) {
  std::size_t slot = Slot(range.first);
  for (std::int64_t node = range.first; node < range.end; ++node) {
    if (haltable && halt_.load(std::memory_order_relaxed)) return node;
    try {
      node_(node, worker.P);
      values_[slot] = worker.objective.Evaluate(worker.P, 1, withPriors_);
    } catch (...) {
      failure = std::current_exception();
      return node;
    }
    if (++slot == values_.size()) slot = 0;
  }
  return range.end;
}

void ParallelEvaluator::Publish(Range done, Clock::duration time, const std::exception_ptr& failure) {
  if (failure && done.end < failedNode_) {
    failedNode_ = done.end;
    failure_ = failure;
  }
  if (done.empty()) return;
  blockEnd_[Slot(done.first)] = done.end;
  if (failure) return;  // the failed evaluation's time is in `time`
  // The block size that takes about kBlockTime at the running estimate of
  // a node's time.
  const double perNode = std::chrono::duration<double>(time).count() / static_cast<double>(done.end - done.first);
  nodeSeconds_ = nodeSeconds_ > 0.0
                     ? nodeSeconds_ + kTimeWeight * (std::min(perNode, kLongestRise * nodeSeconds_) - nodeSeconds_)
                     : perNode;
  const double nodes = std::chrono::duration<double>(kBlockTime).count() / nodeSeconds_;
  blockSize_ = nodes >= static_cast<double>(largestBlock_)
                   ? largestBlock_
                   : std::max<std::int64_t>(1, std::llround(nodes));
}

void ParallelEvaluator::Start(std::int64_t count, NodeVector node) {
  Stop();
  std::lock_guard lock(mutex_);
  node_ = std::move(node);
  std::fill(blockEnd_.begin(), blockEnd_.end(), -1);
  failure_ = nullptr;
  failedNode_ = std::numeric_limits<std::int64_t>::max();
  count_ = count;
  claimed_ = taken_ = 0;
  blockSize_ = 1;
  nodeSeconds_ = 0.0;
  paused_ = false;
  SetHalt(false);
  next_ = readyEnd_ = 0;
  readSlot_ = 0;
  workToDo_.notify_all();
}

double ParallelEvaluator::NextFromNewBlock(const std::function<void()>& whileWaiting) {
  std::unique_lock lock(mutex_);
  // The block just read frees its slots for claims.
  if (taken_ < next_) {
    taken_ = next_;
    if (idle_ > 0 && MayClaim()) workToDo_.notify_all();
  }
  auto lastPump = Clock::now();
  while (true) {
    const std::size_t slot = Slot(next_);
    if (blockEnd_[slot] > next_) {
      readyEnd_ = blockEnd_[slot];
      readSlot_ = slot;
      lock.unlock();
      return Next();
    }
    if (next_ >= failedNode_) std::rethrow_exception(failure_);
    if (nodeSeconds_ < kLongestHelp.count() && MayClaim()) {
      // Rather than wait, evaluate the next block no worker has claimed;
      // the block this call waits for is likely ready by the time it is done.
      const Range own = Claim();
      lock.unlock();
      std::exception_ptr failure;
      const auto begun = Clock::now();
      const std::int64_t end = EvaluateRange(*caller_, own, false, failure);
      const auto done = Clock::now();
      lock.lock();
      Publish({own.first, end}, done - begun, failure);
      if (whileWaiting && done - lastPump >= kWaitSlice) {
        lock.unlock();
        whileWaiting();
        lock.lock();
        lastPump = Clock::now();
      }
      continue;
    }
    waiting_ = true;
    waitFor_ = next_;
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
}

void ParallelEvaluator::Pause() {
  std::unique_lock lock(mutex_);
  paused_ = true;
  SetHalt(true);
  valueReady_.wait(lock, [this] { return busy_ == 0; });
}

void ParallelEvaluator::Resume() {
  {
    std::lock_guard lock(mutex_);
    if (!paused_) return;
    paused_ = false;
    SetHalt(false);
  }
  workToDo_.notify_all();
}

void ParallelEvaluator::Stop() {
  std::unique_lock lock(mutex_);
  count_ = claimed_;
  SetHalt(true);
  valueReady_.wait(lock, [this] { return busy_ == 0; });
  for (auto& worker : workers_) worker->pending = {};
  SetHalt(paused_);
}

std::int64_t ParallelEvaluator::BlockSize() const {
  std::lock_guard lock(mutex_);
  return blockSize_;
}

}  // namespace quorvane
