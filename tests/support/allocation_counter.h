#pragma once

namespace quorvane::testing {

// Counts the calls of the global operator new (all its ordinary forms) that
// the current thread makes while a counter is alive. allocation_counter.cpp
// replaces the global allocation functions of the whole test program for
// this; they behave as the standard ones otherwise, so any test may use the
// counter, and no other file may replace them again.
class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  long Count() const;

 private:
  long start_;
  bool wasCounting_;
};

// Counts the calls of the global operator new that every thread except the
// one creating it makes while it is alive: what the workers of a threaded
// grid allocate. One may be alive at a time.
class OtherThreadsAllocationCounter {
 public:
  OtherThreadsAllocationCounter();
  ~OtherThreadsAllocationCounter();
  OtherThreadsAllocationCounter(const OtherThreadsAllocationCounter&) = delete;
  OtherThreadsAllocationCounter& operator=(const OtherThreadsAllocationCounter&) = delete;

  long Count() const;
};

}  // namespace quorvane::testing
