#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
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
// While the value it waits for is not ready, the calling thread evaluates
// the next unclaimed node itself on copies of its own, so that on a machine
// with as many workers as cores no core idles while it waits; it stops
// helping for the batch after an evaluation longer than a few milliseconds,
// so that events are pumped as often as before.
//
// Workers run at most a window of nodes ahead of the values taken. Pause
// lets every worker finish the evaluation it is on and claim no other,
// which is how an interrupt question is asked with the workers still;
// Resume goes on from where they stopped.
//
// Threaded() is false, and Next must not be used, when fewer than two
// threads are asked for, when the model cannot be copied, or when priors
// are added without a prior term that threads may share: the caller then
// evaluates on its own thread as before.
class ParallelEvaluator {
 public:
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
  // calling thread. An exception thrown by an evaluation comes out here.
  double Next(const std::function<void()>& whileWaiting = {});
  // Workers finish their current evaluations and start no other; returns
  // when all are still.
  void Pause();
  void Resume();
  // Ends the batch: workers finish their current evaluations and wait.
  void Stop();

 private:
  struct Worker;
  void Work(Worker& worker);
  bool MayClaim() const;
  // Node `node`'s value on `worker`'s copies; an exception is kept in `failure`.
  double Evaluate(Worker& worker, std::int64_t node, std::exception_ptr& failure) const;
  // Stores a value in its window slot and keeps the first failure; under the lock.
  void Publish(std::int64_t node, double value, const std::exception_ptr& failure);

  std::vector<std::unique_ptr<Worker>> workers_;
  std::unique_ptr<Worker> caller_;       // the copies the calling thread evaluates on
  std::vector<double> values_;           // ring of the window
  std::vector<std::int64_t> valueNode_;  // which node each ring slot holds; -1 none
  NodeVector node_;

  mutable std::mutex mutex_;
  std::condition_variable workToDo_;
  std::condition_variable valueReady_;
  bool closing_ = false;
  bool paused_ = false;
  bool helping_ = true;       // the calling thread evaluates while it waits
  std::int64_t count_ = 0;
  std::int64_t claimed_ = 0;  // nodes handed to workers
  std::int64_t taken_ = 0;    // values taken by Next
  int busy_ = 0;              // workers evaluating now
  int idle_ = 0;              // workers waiting for a node to claim
  bool waiting_ = false;      // Next is waiting, to be woken at node wakeAt_ or its own
  std::int64_t wakeAt_ = 0;
  std::exception_ptr failure_;
  bool withPriors_ = false;
};

}  // namespace quorvane
