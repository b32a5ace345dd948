#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/one_based.h"

namespace quorvane {

class Objective;

// Fills P, which has the parameter count's size, with the full parameter
// vector of node i (0-based) of a batch. Worker threads call it at once
// for different nodes, so it may only read what does not change during the
// batch, and it must not allocate.
using NodeVector = std::function<void(std::int64_t node, OneBased<double>& P)>;

// Evaluates the independent nodes of a grid on worker threads while the
// calling thread, the user-interface thread, keeps every interaction: it
// takes the values one by one in node order (Next), and between them pumps
// events, updates its panels, reads the interrupt flags and asks the
// questions. Sums formed from the values in that order are exactly those
// of a serial run.
//
// Each worker evaluates its own copy of the model (Model::CopyForEvaluation)
// at NF = 1 over its own copies of the algorithm data, fuse groups and
// state, with the objective's concurrent prior term; the copies have no
// interaction port, so a worker shows no message and pumps no events. Each
// worker keeps its parameter vector, so an evaluation allocates nothing
// beyond what the model's own evaluation does.
//
// Work is handed out in blocks of consecutive nodes: a worker claims a
// block, evaluates it into the block's slots of a ring of values, and
// publishes it whole, so a claim, a hand-over and a wake-up cost once a
// block rather than once a node. Blocks begin at one node and are sized
// from the evaluations timed so far to take about kBlockTime each, so that
// a cheap evaluation of a few microseconds is handed over in runs of dozens
// and a slow one still one at a time; towards the end of a batch they
// shrink, so that the threads finish together. Next reads the values of a
// published block without taking the lock, and takes it once a block.
//
// While the value it waits for is not ready, the calling thread claims and
// evaluates the next block itself on copies of its own, so that on a
// machine with as many workers as cores no core idles while it waits; it
// leaves evaluations that take more than a few milliseconds to the
// workers, so that events are pumped as often as before.
//
// Workers run at most a window of nodes ahead of the values taken. Pause
// lets every worker finish the evaluation it is on and start no other: a
// worker inside a block publishes what it has and keeps the rest of the
// block for itself, which is how an interrupt question is asked with the
// workers still; Resume goes on from where they stopped. Next must not be
// called while the workers are paused.
//
// Threaded() is false, and Next must not be used, when fewer than two
// threads are asked for, when the model cannot be copied, or when priors
// are added without a prior term that threads may share: the caller then
// evaluates on its own thread as before.
class ParallelEvaluator {
 public:
  // How long a block of nodes should take to evaluate: long enough that
  // claiming, publishing and waking cost little beside it, short enough
  // that the calling thread, which evaluates whole blocks while it waits,
  // comes back to its values soon.
  static constexpr std::chrono::microseconds kBlockTime{100};
  // How far the workers may run ahead of the values taken, per worker: far
  // enough that a thread losing its core for a few milliseconds, the
  // calling thread included, does not leave the others without work even
  // when a node takes only a microsecond or two. The ring of the window
  // keeps 16 bytes a node.
  static constexpr std::int64_t kWindowPerWorker = 4096;

  ParallelEvaluator(const Objective& objective, int threads, bool withPriors);
  ~ParallelEvaluator();
  ParallelEvaluator(const ParallelEvaluator&) = delete;
  ParallelEvaluator& operator=(const ParallelEvaluator&) = delete;

  bool Threaded() const { return !workers_.empty(); }
  int WorkerCount() const { return static_cast<int>(workers_.size()); }

  // Begins a batch of `count` nodes; a batch still running is stopped first.
  void Start(std::int64_t count, NodeVector node);
  // The objective value of the next node in order, waiting for it; while it
  // waits, `whileWaiting` (when given) runs every few milliseconds on the
  // calling thread. An exception thrown by the evaluation of a node comes
  // out here when that node's value is due, after the values before it.
  double Next(const std::function<void()>& whileWaiting = {}) {
    if (next_ < readyEnd_) {
      const double value = values_[readSlot_];
      ++next_;
      if (++readSlot_ == values_.size()) readSlot_ = 0;
      return value;
    }
    return NextFromNewBlock(whileWaiting);
  }
  // Workers finish their current evaluations and start no other; returns
  // when all are still.
  void Pause();
  void Resume();
  // Ends the batch: workers finish their current evaluations and wait.
  void Stop();

  // The number of nodes a block is claimed with now (for tests).
  std::int64_t BlockSize() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Worker;
  // Nodes first..end-1 of the batch.
  struct Range {
    std::int64_t first = 0, end = 0;
    bool empty() const { return first >= end; }
  };

  void Work(Worker& worker);
  bool MayClaim() const;
  Range Claim();
  std::size_t Slot(std::int64_t node) const {
    return static_cast<std::size_t>(node % static_cast<std::int64_t>(values_.size()));
  }
  // Evaluates `range` on `worker`'s copies into the value slots, in order,
  // until it ends, an evaluation fails (kept in `failure`) or, when
  // `haltable`, a pause or stop is asked for; returns the end of the nodes
  // evaluated.
  std::int64_t EvaluateRange(Worker& worker, Range range, bool haltable, std::exception_ptr& failure);
  // Makes nodes first..end-1 ready, counts their time towards the block
  // size and keeps a failure of node `end`; under the lock.
  void Publish(Range done, Clock::duration time, const std::exception_ptr& failure);
  double NextFromNewBlock(const std::function<void()>& whileWaiting);
  // Raises or lowers the request that workers leave their blocks; under the lock.
  void SetHalt(bool halt);

  std::vector<std::unique_ptr<Worker>> workers_;
  std::unique_ptr<Worker> caller_;  // the copies the calling thread evaluates on
  // The ring of the window: the value of node i in slot i mod its size, and
  // in the slot of the first node of every published block that block's
  // end (a number not above the slot's node marks no published block there).
  std::vector<double> values_;
  std::vector<std::int64_t> blockEnd_;
  NodeVector node_;
  std::int64_t evaluators_ = 1;  // the workers and the calling thread
  std::int64_t largestBlock_ = 1;

  // Only the calling thread reads and writes these.
  std::int64_t next_ = 0;       // the node Next returns next
  std::int64_t readyEnd_ = 0;   // the end of the published block it reads
  std::size_t readSlot_ = 0;    // the slot of node next_ while next_ < readyEnd_

  // Raised while a pause, a stop or the end asks workers to leave their
  // blocks; read between evaluations without the lock.
  std::atomic<bool> halt_{false};

  // The rest under the lock.
  mutable std::mutex mutex_;
  std::condition_variable workToDo_;
  std::condition_variable valueReady_;
  bool closing_ = false;
  bool paused_ = false;
  bool halting_ = false;      // what halt_ holds
  std::int64_t count_ = 0;
  std::int64_t claimed_ = 0;  // nodes before this one are claimed
  std::int64_t taken_ = 0;    // nodes before this one are read by Next and their slots free
  std::int64_t blockSize_ = 1;
  double nodeSeconds_ = 0.0;  // the running estimate of a node's time; 0 before the first
  int busy_ = 0;              // workers evaluating now
  int idle_ = 0;              // workers waiting for a block to claim
  bool waiting_ = false;      // Next waits for the block that begins at waitFor_
  std::int64_t waitFor_ = 0;
  std::exception_ptr failure_;
  std::int64_t failedNode_ = std::numeric_limits<std::int64_t>::max();  // the first node whose evaluation failed
  bool withPriors_ = false;
};

}  // namespace quorvane
